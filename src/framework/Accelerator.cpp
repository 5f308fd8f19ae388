// The accelerator character of a caption.
#include "framework/Accelerator.h"

#include "framework/TextCodec.h"

char32_t FoldCase(char32_t C) {
  if ((C >= U'A' && C <= U'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7)) return C + 0x20;
  // Latin Extended-A pairs its capitals and small letters at even and odd code points, save
  // for the stretch around the dotless i and the long s, which pairs them the other way.
  if (C >= 0x100 && C <= 0x137) return C | 1;
  if (C >= 0x139 && C <= 0x148) return C % 2 == 1 ? C + 1 : C;
  if (C >= 0x14A && C <= 0x177) return C | 1;
  if (C == 0x178) return 0xFF;
  if (C >= 0x179 && C <= 0x17E) return C % 2 == 1 ? C + 1 : C;
  // Greek capitals (with a hole where the final sigma would stand) and their accented forms.
  if (C >= 0x391 && C <= 0x3AB && C != 0x3A2) return C + 0x20;
  if (C == 0x386) return 0x3AC;
  if (C >= 0x388 && C <= 0x38A) return C + 0x25;
  if (C == 0x38C) return 0x3CC;
  if (C == 0x38E || C == 0x38F) return C + 0x3F;
  // Cyrillic: the Ukrainian, Belarusian and Serbian letters, then the basic alphabet.
  if (C >= 0x400 && C <= 0x40F) return C + 0x50;
  if (C >= 0x410 && C <= 0x42F) return C + 0x20;
  if (C >= 0x490 && C <= 0x4BF) return C | 1;
  return C;
}

std::optional<char32_t> CaptionAccelerator(const std::string& Caption, TFontCharset Charset) {
  const std::u32string Text = DecodeText(Caption, Charset);
  std::optional<char32_t> Marked;
  for (std::size_t I = 0; I + 1 < Text.size(); ++I) {
    if (Text[I] != U'&') continue;
    const char32_t Next = Text[++I];
    if (Next == U'&' || Next == U'\t' || Next == U'\r' || Next == U'\n') continue;
    Marked = FoldCase(Next);
  }
  return Marked;
}

bool IsAccel(char32_t Key, const std::string& Caption, TFontCharset Charset) {
  const std::optional<char32_t> Marked = CaptionAccelerator(Caption, Charset);
  return Marked && *Marked == FoldCase(Key);
}
