// The text forms of colours and character sets in settings files.
#include "settings/ColorEncoding.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/Strings.h"
#include "settings/IntegerText.h"

namespace {

template <typename TValue>
struct TIdent {
  TValue Value;
  const char* Name;
};

// Table order decides which name a value that has several gets.
constexpr TIdent<TColor> ColorIdents[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
};

constexpr TIdent<TFontCharset> CharsetIdents[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

bool SameTextAscii(const std::string& A, const char* B) {
  const std::string_view Name(B);
  return A.size() == Name.size() && StartsWithAsciiCaseless(A, Name);
}

template <typename TValue, std::size_t N>
bool ValueToName(const TIdent<TValue> (&Table)[N], TValue Value, std::string& Name) {
  for (const auto& Ident : Table)
    if (Ident.Value == Value) {
      Name = Ident.Name;
      return true;
    }
  return false;
}

template <typename TValue, std::size_t N>
bool NameToValue(const TIdent<TValue> (&Table)[N], const std::string& Name, TValue& Value) {
  for (const auto& Ident : Table)
    if (SameTextAscii(Name, Ident.Name)) {
      Value = Ident.Value;
      return true;
    }
  return false;
}

}  // namespace

std::vector<std::string> ColorNames() {
  std::vector<std::string> Names;
  for (const auto& Ident : ColorIdents) Names.emplace_back(Ident.Name);
  return Names;
}

bool ColorToName(TColor Color, std::string& Name) {
  return ValueToName(ColorIdents, Color, Name);
}

bool NameToColor(const std::string& Name, TColor& Color) {
  return NameToValue(ColorIdents, Name, Color);
}

bool CharsetToName(TFontCharset Charset, std::string& Name) {
  return ValueToName(CharsetIdents, Charset, Name);
}

bool NameToCharset(const std::string& Name, TFontCharset& Charset) {
  return NameToValue(CharsetIdents, Name, Charset);
}

std::string ColorToText(TColor Color) {
  std::string Name;
  if (ColorToName(Color, Name)) return Name;
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "$%.8X", static_cast<std::uint32_t>(Color));
  return Buffer;
}

TColor TextToColor(const std::string& Text) {
  TColor Color;
  if (NameToColor(Text, Color)) return Color;
  return TextToInt(Text);
}
