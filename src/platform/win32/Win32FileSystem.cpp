// File-system services on Windows: the system's own calls, which take both separators and
// ignore letter case by themselves.
#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32FileSystem.h"

namespace {

// Windows file times count 100-nanosecond steps.
std::int64_t Nanoseconds(const FILETIME& Time) {
  const std::uint64_t Ticks =
      (static_cast<std::uint64_t>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime;
  return static_cast<std::int64_t>(Ticks * 100);
}

// The attributes of the first entry FindFirstFileA finds for the name, as the classic
// existence test asks: nothing when there is none.
bool FindEntry(const std::string& FileName, DWORD& Attributes) {
  if (FileName.empty()) return false;
  WIN32_FIND_DATAA Found{};
  HANDLE Search = FindFirstFileA(FileName.c_str(), &Found);
  if (Search == INVALID_HANDLE_VALUE) return false;
  FindClose(Search);
  Attributes = Found.dwFileAttributes;
  return true;
}

bool WriteAll(HANDLE File, std::string_view Bytes) {
  while (!Bytes.empty()) {
    const DWORD Chunk = Bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(Bytes.size());
    DWORD Written = 0;
    if (!WriteFile(File, Bytes.data(), Chunk, &Written, nullptr) || Written == 0) return false;
    Bytes.remove_prefix(Written);
  }
  return true;
}

std::string FolderOf(const std::string& FileName) {
  const std::size_t Separator = FileName.find_last_of("\\/:");
  return Separator == std::string::npos ? "." : FileName.substr(0, Separator + 1);
}

// Reads a regular file whole into Bytes, a string or a bulk buffer.
template <typename TBytes>
TReadStatus ReadWhole(const std::string& FileName, std::size_t Limit, TBytes& Bytes) {
  Bytes.clear();
  HANDLE File = CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) {
    const DWORD Error = GetLastError();
    return Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND ? TReadStatus::rsMissing
                                                                          : TReadStatus::rsFailed;
  }
  LARGE_INTEGER Size{};
  // Devices and pipes have no size to read up to and may never end.
  if (GetFileType(File) != FILE_TYPE_DISK || !GetFileSizeEx(File, &Size) || Size.QuadPart < 0) {
    CloseHandle(File);
    return TReadStatus::rsFailed;
  }
  const auto Expected = static_cast<std::size_t>(
      std::min<std::uint64_t>(static_cast<std::uint64_t>(Size.QuadPart), Limit));
  try {
    Bytes.resize(Expected);
  } catch (...) {
    CloseHandle(File);
    throw;
  }
  std::size_t Done = 0;
  while (Done < Expected) {
    const std::size_t Left = Expected - Done;
    const DWORD Chunk = Left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(Left);
    DWORD Got = 0;
    if (!ReadFile(File, Bytes.data() + Done, Chunk, &Got, nullptr)) {
      CloseHandle(File);
      Bytes.clear();
      return TReadStatus::rsFailed;
    }
    if (Got == 0) break;  // the file shrank while it was read
    Done += Got;
  }
  Bytes.resize(Done);
  CloseHandle(File);
  return TReadStatus::rsRead;
}

}  // namespace

std::string TWin32FileSystem::ResolveFileName(const std::string& FileName) const {
  return FileName;
}

std::optional<TFileStamp> TWin32FileSystem::FileStamp(const std::string& FileName) const {
  // Asked of the name without opening the file: the settings reader takes a stamp for every
  // value it reads, and opening a handle each time would cost more than the reading. Without
  // a file index, the creation time tells a file replaced by another of the same size and
  // time apart, as a replacement is a new file.
  WIN32_FILE_ATTRIBUTE_DATA Info{};
  if (!GetFileAttributesExA(FileName.c_str(), GetFileExInfoStandard, &Info) ||
      (Info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    return std::nullopt;
  TFileStamp Stamp;
  Stamp.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(Info.nFileSizeHigh) << 32) |
                                         Info.nFileSizeLow);
  Stamp.ModifiedNs = Nanoseconds(Info.ftLastWriteTime);
  Stamp.Identity = static_cast<std::uint64_t>(Nanoseconds(Info.ftCreationTime));
  return Stamp;
}

TReadStatus TWin32FileSystem::ReadFileBytes(const std::string& FileName, std::size_t Limit,
                                            std::string& Bytes) const {
  return ReadWhole(FileName, Limit, Bytes);
}

TReadStatus TWin32FileSystem::ReadFileBulk(const std::string& FileName, std::size_t Limit,
                                           TBulkBuffer& Bytes) const {
  return ReadWhole(FileName, Limit, Bytes);
}

bool TWin32FileSystem::WriteFileAtomically(const std::string& FileName,
                                           std::string_view Bytes) const {
  // The temporary file lies beside the target, so that the rename stays on one volume.
  char Temp[MAX_PATH] = {};
  if (GetTempFileNameA(FolderOf(FileName).c_str(), "ost", 0, Temp) == 0) return false;
  HANDLE File = CreateFileA(Temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  bool Ok = File != INVALID_HANDLE_VALUE;
  if (Ok) {
    Ok = WriteAll(File, Bytes) && FlushFileBuffers(File);
    Ok = CloseHandle(File) && Ok;
  }
  // The old file's attributes (read-only aside, which would block the replacement) carry over.
  const DWORD Old = GetFileAttributesA(FileName.c_str());
  if (Ok && Old != INVALID_FILE_ATTRIBUTES)
    SetFileAttributesA(Temp, Old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  Ok =
      Ok && MoveFileExA(Temp, FileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!Ok) DeleteFileA(Temp);
  return Ok;
}

bool TWin32FileSystem::FileExists(const std::string& FileName) const {
  DWORD Attributes = 0;
  return FindEntry(FileName, Attributes) && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32FileSystem::DirectoryExists(const std::string& FileName) const {
  // Asked of the name itself: a search would miss roots and names that end in a separator.
  if (FileName.empty()) return false;
  const DWORD Attributes = GetFileAttributesA(FileName.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32FileSystem::SetCurrentDir(const std::string& Folder) const {
  return !Folder.empty() && SetCurrentDirectoryA(Folder.c_str()) != 0;
}

std::string TWin32FileSystem::ExpandFileName(const std::string& FileName) const {
  if (FileName.empty()) return FileName;
  DWORD Size = MAX_PATH;
  for (int Attempt = 0; Attempt < 3; ++Attempt) {
    std::string Full(Size, '\0');
    const DWORD Length = GetFullPathNameA(FileName.c_str(), Size, Full.data(), nullptr);
    if (Length == 0) return FileName;
    if (Length < Size) {
      Full.resize(Length);
      return Full;
    }
    // Too small: Length is the size needed, terminating zero included.
    Size = Length;
  }
  return FileName;
}
