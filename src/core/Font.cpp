// TFont: a font description with a change notification.
#include "core/Font.h"

#include <limits>

std::int32_t MulDiv(std::int32_t Number, std::int32_t Numerator, std::int32_t Denominator) {
  if (Denominator == 0) return -1;
  std::int64_t Product = static_cast<std::int64_t>(Number) * Numerator;
  std::int64_t Half = (Denominator < 0 ? -static_cast<std::int64_t>(Denominator) : Denominator) / 2;
  bool Negative = (Product < 0) != (Denominator < 0);
  std::int64_t Magnitude = (Product < 0 ? -Product : Product) + Half;
  std::int64_t Divisor = Denominator < 0 ? -static_cast<std::int64_t>(Denominator) : Denominator;
  std::int64_t Result = Magnitude / Divisor;
  if (Negative) Result = -Result;
  if (Result > std::numeric_limits<std::int32_t>::max() ||
      Result < std::numeric_limits<std::int32_t>::min())
    return -1;
  return static_cast<std::int32_t>(Result);
}

namespace {

// The negation wraps like the 32-bit arithmetic it models instead of overflowing.
std::int32_t Negated(std::int32_t Value) {
  return static_cast<std::int32_t>(-static_cast<std::int64_t>(Value));
}

}  // namespace

TFont::TFont() : FName("MS Sans Serif"), FHeight(Negated(MulDiv(8, PixelsPerInch, 72))) {}

void TFont::SetName(const TFontName& Value) {
  if (Value.empty()) return;
  TFontName Cut = Value.substr(0, MaxNameLength);
  if (Cut == FName) return;
  FName = Cut;
  Changed();
}

std::int32_t TFont::Size() const {
  return Negated(MulDiv(FHeight, 72, PixelsPerInch));
}

void TFont::SetSize(std::int32_t Value) {
  SetHeight(Negated(MulDiv(Value, PixelsPerInch, 72)));
}

void TFont::SetHeight(std::int32_t Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

TFontPitch TFont::RealisedPitch() const {
  return FPitch == fpVariable || FPitch == fpFixed ? FPitch : fpDefault;
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetEscapement(int Value) {
  if (Value == FEscapement) return;
  FEscapement = Value;
  Changed();
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this) return;
  bool Same = FName == Source.FName && FHeight == Source.FHeight && FStyle == Source.FStyle &&
              FPitch == Source.FPitch && FColor == Source.FColor && FCharset == Source.FCharset &&
              FEscapement == Source.FEscapement;
  if (Same) return;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FStyle = Source.FStyle;
  FPitch = Source.FPitch;
  FColor = Source.FColor;
  FCharset = Source.FCharset;
  FEscapement = Source.FEscapement;
  Changed();
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
