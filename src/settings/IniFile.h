// TIniFile: a settings file read and written through the private-profile service.
#pragma once

#include "settings/CustomIniFile.h"

class TIniFile : public TCustomIniFile {
 public:
  using TCustomIniFile::TCustomIniFile;

  // At most 2047 characters: the service's buffer is 2048 bytes.
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) override;
  // Raises EIniFileException "Unable to write to <file>" when the file cannot be written.
  void WriteString(const std::string& Section, const std::string& Ident,
                   const std::string& Value) override;
  void ReadSection(const std::string& Section, TStrings& Strings) override;
  void ReadSections(TStrings& Strings) override;
  void ReadSectionValues(const std::string& Section, TStrings& Strings) override;
  // Raises like WriteString.
  void EraseSection(const std::string& Section) override;
  // A key that cannot be deleted is left as it is, silently.
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void CommitFile() override;
};
