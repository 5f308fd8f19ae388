// TCustomIniFile: the typed reads and writes, each a text operation and a conversion.
#include "settings/CustomIniFile.h"

#include "settings/IntegerText.h"

std::int32_t TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                         std::int32_t Default) {
  std::string Text = ReadString(Section, Ident, "");
  if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X'))
    Text.replace(0, 2, "$");
  return TextToIntDef(Text, Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident,
                                  std::int32_t Value) {
  WriteString(Section, Ident, std::to_string(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

TDateTime TCustomIniFile::ReadDate(const std::string& Section, const std::string& Ident,
                                   TDateTime Default) {
  return TextToDate(ReadString(Section, Ident, "")).value_or(Default);
}

TDateTime TCustomIniFile::ReadDateTime(const std::string& Section, const std::string& Ident,
                                       TDateTime Default) {
  return TextToDateTime(ReadString(Section, Ident, "")).value_or(Default);
}

double TCustomIniFile::ReadFloat(const std::string& Section, const std::string& Ident,
                                 double Default) {
  return TextToFloat(ReadString(Section, Ident, "")).value_or(Default);
}

TDateTime TCustomIniFile::ReadTime(const std::string& Section, const std::string& Ident,
                                   TDateTime Default) {
  return TextToTime(ReadString(Section, Ident, "")).value_or(Default);
}

void TCustomIniFile::WriteDate(const std::string& Section, const std::string& Ident,
                               TDateTime Value) {
  WriteString(Section, Ident, DateToText(Value));
}

void TCustomIniFile::WriteDateTime(const std::string& Section, const std::string& Ident,
                                   TDateTime Value) {
  WriteString(Section, Ident, DateTimeToText(Value));
}

void TCustomIniFile::WriteFloat(const std::string& Section, const std::string& Ident,
                                double Value) {
  WriteString(Section, Ident, FloatToText(Value));
}

void TCustomIniFile::WriteTime(const std::string& Section, const std::string& Ident,
                               TDateTime Value) {
  WriteString(Section, Ident, TimeToText(Value));
}
