// File-system services on POSIX: menu paths with "\" and the wrong letter case still find their
// files.
#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/posix/AsciiCase.h"
#include "platform/posix/FolderListings.h"

namespace {

std::string WithSlashes(const std::string& FileName) {
  std::string Result = FileName;
  std::replace(Result.begin(), Result.end(), '\\', '/');
  return Result;
}

bool Exists(const std::string& Path) {
  struct stat Info {};
  return ::stat(Path.c_str(), &Info) == 0;
}

// The entry of Folder whose name equals Name but for letter case; the smallest such name when
// several do, so that the choice does not depend on the order the folder lists them in. Each
// folder is listed once while it stays unchanged (TFolderListings).
std::optional<std::string> FindIgnoringCase(const std::string& Folder, std::string_view Name) {
  return TFolderListings::Instance().Find(Folder.empty() ? "." : Folder, LowerAscii(Name));
}

// Appends Part to Result, matched without regard to letter case when it does not exist as
// written; false (Part appended as written) when nothing matches.
bool AppendMatching(std::string& Result, std::string_view Part) {
  if (!Part.empty() && Part != "." && Part != ".." && !Exists(Result + std::string(Part))) {
    if (auto Found = FindIgnoringCase(Result, Part)) {
      Result += *Found;
      return true;
    }
    Result += Part;
    return false;
  }
  Result += Part;
  return true;
}

// Stats the name as written, and only when that finds nothing the name resolved: one system
// call for the common case.
bool StatResolved(const TFileSystem& Files, const std::string& FileName, struct stat& Info) {
  if (::stat(FileName.c_str(), &Info) == 0) return true;
  std::string Resolved = Files.ResolveFileName(FileName);
  return Resolved != FileName && ::stat(Resolved.c_str(), &Info) == 0;
}

std::int64_t Nanoseconds(const struct timespec& Time) {
  return static_cast<std::int64_t>(Time.tv_sec) * 1000000000 + Time.tv_nsec;
}

// Reads a regular file whole into Bytes, a string or a bulk buffer.
template <typename TBytes>
TReadStatus ReadWhole(const std::string& Path, std::size_t Limit, TBytes& Bytes) {
  Bytes.clear();
  // O_NONBLOCK: opening a FIFO would otherwise wait for a writer; it is refused below.
  int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (Fd < 0)
    return errno == ENOENT || errno == ENOTDIR ? TReadStatus::rsMissing : TReadStatus::rsFailed;
  struct stat Info {};
  if (::fstat(Fd, &Info) != 0 || !S_ISREG(Info.st_mode)) {
    ::close(Fd);
    return TReadStatus::rsFailed;
  }
  std::size_t Expected = std::min(static_cast<std::size_t>(Info.st_size), Limit);
  try {
    Bytes.resize(Expected);
  } catch (...) {
    ::close(Fd);
    throw;
  }
  std::size_t Done = 0;
  while (Done < Expected) {
    ssize_t Got = ::read(Fd, Bytes.data() + Done, Expected - Done);
    if (Got < 0 && errno == EINTR) continue;
    if (Got < 0) {
      ::close(Fd);
      Bytes.clear();
      return TReadStatus::rsFailed;
    }
    if (Got == 0) break;  // the file shrank while it was read
    Done += static_cast<std::size_t>(Got);
  }
  Bytes.resize(Done);
  ::close(Fd);
  return TReadStatus::rsRead;
}

}  // namespace

// The name is split at "/" only: a part that exists as written is taken whole, even with a "\"
// in it (a folder of that name holding the menu); only a part that does not is split at "\" as
// a menu path from Windows.
std::string TPosixFileSystem::ResolveFileName(const std::string& FileName) const {
  if (FileName.empty() || Exists(FileName)) return FileName;

  std::string Result = FileName[0] == '/' ? "/" : "";
  std::size_t Pos = FileName[0] == '/' ? 1 : 0;
  bool Matching = true;
  while (Pos <= FileName.size()) {
    std::size_t End = FileName.find('/', Pos);
    if (End == std::string::npos) End = FileName.size();
    const std::string_view Part = std::string_view(FileName).substr(Pos, End - Pos);
    if (!Matching) {
      Result += WithSlashes(std::string(Part));
    } else if (Part.find('\\') == std::string_view::npos || Exists(Result + std::string(Part))) {
      // Nothing below a missing folder can match either.
      Matching = AppendMatching(Result, Part);
    } else {
      std::size_t SubPos = 0;
      while (SubPos <= Part.size()) {
        std::size_t SubEnd = Part.find('\\', SubPos);
        if (SubEnd == std::string_view::npos) SubEnd = Part.size();
        const std::string_view Sub = Part.substr(SubPos, SubEnd - SubPos);
        if (Matching)
          Matching = AppendMatching(Result, Sub);
        else
          Result += Sub;
        if (SubEnd < Part.size()) Result += '/';
        SubPos = SubEnd + 1;
      }
    }
    if (End < FileName.size()) Result += '/';
    Pos = End + 1;
  }
  return Result;
}

std::optional<TFileStamp> TPosixFileSystem::FileStamp(const std::string& FileName) const {
  struct stat Info {};
  if (!StatResolved(*this, FileName, Info) || !S_ISREG(Info.st_mode)) return std::nullopt;
  TFileStamp Stamp;
  Stamp.Size = static_cast<std::int64_t>(Info.st_size);
  Stamp.ModifiedNs = Nanoseconds(Info.st_mtim) ^ (Nanoseconds(Info.st_ctim) << 1);
  Stamp.Identity = (static_cast<std::uint64_t>(Info.st_dev) << 32) ^ Info.st_ino;
  return Stamp;
}

TReadStatus TPosixFileSystem::ReadFileBytes(const std::string& FileName, std::size_t Limit,
                                            std::string& Bytes) const {
  return ReadWhole(ResolveFileName(FileName), Limit, Bytes);
}

TReadStatus TPosixFileSystem::ReadFileBulk(const std::string& FileName, std::size_t Limit,
                                           TBulkBuffer& Bytes) const {
  return ReadWhole(ResolveFileName(FileName), Limit, Bytes);
}

bool TPosixFileSystem::WriteFileAtomically(const std::string& FileName,
                                           std::string_view Bytes) const {
  std::string Target = ResolveFileName(FileName);
  std::string Temp = Target + ".XXXXXX";
  std::vector<char> Pattern(Temp.begin(), Temp.end());
  Pattern.push_back('\0');
  int Fd = ::mkstemp(Pattern.data());
  if (Fd < 0) return false;
  Temp.assign(Pattern.data());

  struct stat Old {};
  mode_t Mode = ::stat(Target.c_str(), &Old) == 0 ? (Old.st_mode & 07777) : 0644;
  bool Ok = ::fchmod(Fd, Mode) == 0;
  std::size_t Done = 0;
  while (Ok && Done < Bytes.size()) {
    ssize_t Put = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (Put < 0 && errno == EINTR) continue;
    if (Put <= 0)
      Ok = false;
    else
      Done += static_cast<std::size_t>(Put);
  }
  Ok = Ok && ::fsync(Fd) == 0;
  Ok = ::close(Fd) == 0 && Ok;
  Ok = Ok && ::rename(Temp.c_str(), Target.c_str()) == 0;
  if (!Ok) ::unlink(Temp.c_str());
  return Ok;
}

bool TPosixFileSystem::FileExists(const std::string& FileName) const {
  if (FileName.empty()) return false;
  struct stat Info {};
  return StatResolved(*this, FileName, Info) && !S_ISDIR(Info.st_mode);
}

bool TPosixFileSystem::DirectoryExists(const std::string& FileName) const {
  if (FileName.empty()) return false;
  struct stat Info {};
  return StatResolved(*this, FileName, Info) && S_ISDIR(Info.st_mode);
}

bool TPosixFileSystem::SetCurrentDir(const std::string& Folder) const {
  return !Folder.empty() && ::chdir(ResolveFileName(ExpandFileName(Folder)).c_str()) == 0;
}

std::string TPosixFileSystem::ExpandFileName(const std::string& FileName) const {
  std::string Path = WithSlashes(FileName);
  if (Path.empty() || Path[0] != '/') {
    std::string Cwd(4096, '\0');
    if (::getcwd(Cwd.data(), Cwd.size()) == nullptr) return Path;
    Cwd.resize(Cwd.find('\0'));
    Path = Cwd + "/" + Path;
  }
  // Collapse "." and ".." the way the classic full-path call does, without asking the disk.
  std::vector<std::string> Parts;
  std::size_t Pos = 1;
  while (Pos <= Path.size()) {
    std::size_t End = Path.find('/', Pos);
    if (End == std::string::npos) End = Path.size();
    std::string Part = Path.substr(Pos, End - Pos);
    if (Part == "..") {
      if (!Parts.empty()) Parts.pop_back();
    } else if (!Part.empty() && Part != ".") {
      Parts.push_back(Part);
    }
    Pos = End + 1;
  }
  std::string Result;
  for (const std::string& Part : Parts) Result += "/" + Part;
  if (Result.empty())
    Result = "/";
  else if (Path.back() == '/')
    Result += '/';
  return Result;
}
