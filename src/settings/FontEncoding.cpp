// The text form of a font in settings files.
#include "settings/FontEncoding.h"

#include "settings/ColorEncoding.h"
#include "settings/IntegerText.h"

namespace {

constexpr struct {
  TFontStyle Style;
  char Letter;
} StyleLetters[] = {{fsBold, 'B'}, {fsItalic, 'I'}, {fsUnderline, 'U'}, {fsStrikeOut, 'S'}};

std::string TrimControls(const std::string& Text) {
  std::size_t Begin = 0;
  std::size_t End = Text.size();
  while (Begin < End && static_cast<unsigned char>(Text[Begin]) <= 32) ++Begin;
  while (End > Begin && static_cast<unsigned char>(Text[End - 1]) <= 32) --End;
  return Text.substr(Begin, End - Begin);
}

void ApplyField(TFont& Font, int Number, const std::string& Field) {
  switch (Number) {
    case 1:
      Font.SetName(Field);
      break;
    case 2:
      Font.SetSize(TextToIntDef(Field, Font.Size()));
      break;
    case 3:
      Font.SetStyle(StringToFontStyles(Field));
      break;
    case 4:
      Font.SetPitch(static_cast<TFontPitch>(TextToIntDef(Field, Font.Pitch()) & 0xFF));
      break;
    case 5:
      Font.SetColor(TextToColor(Field));
      break;
    case 6:
      Font.SetCharset(static_cast<TFontCharset>(TextToIntDef(Field, Font.Charset()) & 0xFF));
      break;
    default:
      break;
  }
}

}  // namespace

std::string FontStylesToString(TFontStyles Style) {
  std::string Result;
  for (const auto& Entry : StyleLetters)
    if (Style.Contains(Entry.Style)) Result += Entry.Letter;
  return Result;
}

TFontStyles StringToFontStyles(const std::string& Text) {
  TFontStyles Result;
  for (char C : Text) {
    char Upper = C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C;
    for (const auto& Entry : StyleLetters)
      if (Upper == Entry.Letter) Result.Include(Entry.Style);
  }
  return Result;
}

std::string FontToString(const TFont& Font) {
  return Font.Name() + "," + std::to_string(Font.Size()) + "," + FontStylesToString(Font.Style()) +
         "," + std::to_string(static_cast<unsigned>(Font.Pitch())) + "," +
         ColorToText(Font.Color()) + "," + std::to_string(static_cast<unsigned>(Font.Charset()));
}

void StringToFont(const std::string& Text, TFont& Font) {
  // The fields change the font one by one; its listeners hear of it once, at the end.
  TNotifyEvent Saved = std::move(Font.OnChange);
  Font.OnChange = nullptr;
  auto NotifyOnce = [&] {
    Font.OnChange = std::move(Saved);
    Font.Changed();
  };
  try {
    std::size_t Pos = 0;
    int Number = 0;
    // Fields after the sixth are never applied, so the scan stops there.
    while (Pos < Text.size() && Number < 6) {
      ++Number;
      std::size_t End = Text.find_first_of(",;", Pos);
      if (End == std::string::npos) End = Text.size();
      ApplyField(Font, Number, TrimControls(Text.substr(Pos, End - Pos)));
      Pos = End == Text.size() ? End : End + 1;
    }
  } catch (...) {
    NotifyOnce();
    throw;
  }
  NotifyOnce();
}
