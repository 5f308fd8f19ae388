// TTypedIniFile: colours, fonts and object callbacks on top of the settings file.
#include "settings/TypedIniFile.h"

#include "core/Exception.h"
#include "settings/ColorEncoding.h"
#include "settings/FontEncoding.h"

TColor TTypedIniFile::ReadColor(const std::string& Section, const std::string& Ident,
                                TColor Default) {
  try {
    return TextToColor(ReadString(Section, Ident, ColorToText(Default)));
  } catch (const Exception&) {
    return Default;
  }
}

void TTypedIniFile::WriteColor(const std::string& Section, const std::string& Ident, TColor Value) {
  WriteString(Section, Ident, ColorToText(Value));
}

TFont& TTypedIniFile::ReadFont(const std::string& Section, const std::string& Ident, TFont& Font) {
  try {
    StringToFont(ReadString(Section, Ident, FontToString(Font)), Font);
  } catch (const Exception&) {
    // The fields applied before the fault stay; the rest keep their values.
  }
  return Font;
}

void TTypedIniFile::WriteFont(const std::string& Section, const std::string& Ident,
                              const TFont& Font) {
  WriteString(Section, Ident, FontToString(Font));
}

TObject* TTypedIniFile::ReadObject(const std::string& Section, const std::string& Item,
                                   const std::string& Value) {
  return OnReadObject ? OnReadObject(*this, Section, Item, Value) : nullptr;
}

void TTypedIniFile::WriteObject(const std::string& Section, const std::string& Item, TObject* Obj) {
  if (OnWriteObject) OnWriteObject(*this, Section, Item, Obj);
}
