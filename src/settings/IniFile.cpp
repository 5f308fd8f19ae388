// TIniFile: a settings file read and written through the private-profile service.
#include "settings/IniFile.h"

#include "core/Exception.h"
#include "settings/PrivateProfile.h"

namespace {

[[noreturn]] void RaiseUnableToWrite(const std::string& FileName) {
  throw EIniFileException(FormatMessage("Unable to write to %s", FileName));
}

}  // namespace

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) {
  return TPrivateProfile::ReadString(FileName(), Section, Ident, Default);
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
  if (!TPrivateProfile::WriteString(FileName(), Section, Ident, Value))
    RaiseUnableToWrite(FileName());
}

void TIniFile::ReadSection(const std::string& Section, TStrings& Strings) {
  Strings = TPrivateProfile::ReadKeyNames(FileName(), Section);
}

void TIniFile::ReadSections(TStrings& Strings) {
  Strings = TPrivateProfile::ReadSectionNames(FileName());
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings& Strings) {
  TStrings Keys;
  ReadSection(Section, Keys);
  Strings.clear();
  for (const std::string& Key : Keys) Strings.push_back(Key + "=" + ReadString(Section, Key, ""));
}

void TIniFile::EraseSection(const std::string& Section) {
  if (!TPrivateProfile::EraseSection(FileName(), Section)) RaiseUnableToWrite(FileName());
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  TPrivateProfile::DeleteKey(FileName(), Section, Ident);
}

// Every change reaches the disk before its call returns, so there is never anything to flush.
void TIniFile::CommitFile() {}
