// The files of a Windows system, through the ANSI calls.
#pragma once

#include "platform/FileSystem.h"

// Names are passed to the system as they are; it finds letter case and "\\" itself.
class TWin32FileSystem : public TFileSystem {
 public:
  std::string ResolveFileName(const std::string& FileName) const override;
  std::optional<TFileStamp> FileStamp(const std::string& FileName) const override;
  TReadStatus ReadFileBytes(const std::string& FileName, std::size_t Limit,
                            std::string& Bytes) const override;
  TReadStatus ReadFileBulk(const std::string& FileName, std::size_t Limit,
                           TBulkBuffer& Bytes) const override;
  bool WriteFileAtomically(const std::string& FileName, std::string_view Bytes) const override;
  bool FileExists(const std::string& FileName) const override;
  bool DirectoryExists(const std::string& FileName) const override;
  bool SetCurrentDir(const std::string& Folder) const override;
  std::string ExpandFileName(const std::string& FileName) const override;
};
