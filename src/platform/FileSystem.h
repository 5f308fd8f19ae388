// The file-system services of a platform driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FilePath.h"
#include "platform/BulkMemory.h"

// What identifies one version of a file's contents closely enough for a cache: a change of
// any field means the file must be read again.
struct TFileStamp {
  std::int64_t Size = 0;
  std::int64_t ModifiedNs = 0;
  std::uint64_t Identity = 0;

  friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

enum class TReadStatus { rsRead, rsMissing, rsFailed };

// Files as the menu names them, on the disk of the system the program runs on. Every driver
// gives one (TDriver::Files); none holds any state between calls.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  // Maps a menu path to the platform's own form of it: on POSIX "\" becomes "/" and, where the
  // name does not exist as written, each component is matched without regard to ASCII letter
  // case (menus copied from a Windows medium rarely keep the case of their file names).
  virtual std::string ResolveFileName(const std::string& FileName) const = 0;

  // The stamp of a regular file, or nothing when the name is missing or is no regular file.
  virtual std::optional<TFileStamp> FileStamp(const std::string& FileName) const = 0;

  // Reads at most Limit bytes of a regular file into Bytes.
  virtual TReadStatus ReadFileBytes(const std::string& FileName, std::size_t Limit,
                                    std::string& Bytes) const = 0;
  // The same into bulk memory, for large files read whole once, such as pictures.
  virtual TReadStatus ReadFileBulk(const std::string& FileName, std::size_t Limit,
                                   TBulkBuffer& Bytes) const = 0;

  // Replaces the file's contents in one step (a temporary file renamed over it), so that a
  // reader sees either the old contents or the new ones. Keeps the old file's permissions.
  virtual bool WriteFileAtomically(const std::string& FileName, std::string_view Bytes) const = 0;

  // True when the name exists and is not a folder; a relative name is taken from the current
  // directory.
  virtual bool FileExists(const std::string& FileName) const = 0;

  // True when the name exists and is a folder.
  virtual bool DirectoryExists(const std::string& FileName) const = 0;

  // Makes the folder the process's current directory, found as ResolveFileName finds it; false
  // when it cannot be entered.
  virtual bool SetCurrentDir(const std::string& Folder) const = 0;

  // The absolute form of a name, resolved against the process's current directory. The result
  // keeps the menu's spelling of the name; it does not touch the disk.
  virtual std::string ExpandFileName(const std::string& FileName) const = 0;
};
