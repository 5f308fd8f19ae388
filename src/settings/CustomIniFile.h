// TCustomIniFile: the settings-file interface; every typed read and write is built on the two
// text operations.
#pragma once

#include <cstdint>
#include <string>

#include "core/Object.h"
#include "core/Strings.h"
#include "settings/DateTimeText.h"

class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(std::string FileName) : FFileName(std::move(FileName)) {}

  const std::string& FileName() const { return FFileName; }

  virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) = 0;
  virtual void WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) = 0;
  // Reads by the integer text rule, after a leading "0x" or "0X" became "$".
  virtual std::int32_t ReadInteger(const std::string& Section, const std::string& Ident,
                                   std::int32_t Default);
  virtual void WriteInteger(const std::string& Section, const std::string& Ident,
                            std::int32_t Value);
  // An integer, true when not zero.
  virtual bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
  virtual void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  virtual TDateTime ReadDate(const std::string& Section, const std::string& Ident,
                             TDateTime Default);
  virtual TDateTime ReadDateTime(const std::string& Section, const std::string& Ident,
                                 TDateTime Default);
  virtual double ReadFloat(const std::string& Section, const std::string& Ident, double Default);
  virtual TDateTime ReadTime(const std::string& Section, const std::string& Ident,
                             TDateTime Default);
  virtual void WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value);
  virtual void WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value);
  virtual void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
  virtual void WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value);
  // Fills Strings with the key names of Section.
  virtual void ReadSection(const std::string& Section, TStrings& Strings) = 0;
  // Fills Strings with the section names.
  virtual void ReadSections(TStrings& Strings) = 0;
  // Fills Strings with "key=value" for every key of Section.
  virtual void ReadSectionValues(const std::string& Section, TStrings& Strings) = 0;
  virtual void EraseSection(const std::string& Section) = 0;
  virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
  // Asks the service to write back any changes it holds.
  virtual void CommitFile() = 0;

 private:
  std::string FFileName;
};
