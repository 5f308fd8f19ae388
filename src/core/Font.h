// TFont: a font description (face, size, style, pitch, colour, character set) with a change
// notification.
#pragma once

#include <cstdint>
#include <string>

#include "core/Colors.h"
#include "core/FontCharset.h"
#include "core/Object.h"

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
    for (TFontStyle Style : Styles) Include(Style);
  }
  constexpr bool Contains(TFontStyle Style) const { return (FBits >> Style) & 1u; }
  constexpr void Include(TFontStyle Style) {
    FBits = static_cast<std::uint8_t>(FBits | (1u << Style));
  }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  std::uint8_t FBits = 0;
};

// Any number may be stored as a pitch; a number other than these three is realised as
// fpDefault when the font is drawn.
enum TFontPitch : std::uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

using TFontName = std::string;

// A font description. The size is kept as a height in pixels at PixelsPerInch, so a size that
// is set and read back comes through that conversion. Every setter notifies OnChange when, and
// only when, the value changes.
class TFont : public TObject {
 public:
  static constexpr int PixelsPerInch = 96;
  static constexpr std::size_t MaxNameLength = 31;

  // The framework's default font: "MS Sans Serif", 8 points, clWindowText, DEFAULT_CHARSET.
  TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const TFontName& Name() const { return FName; }
  // An empty name is ignored; a longer name is cut to MaxNameLength characters.
  void SetName(const TFontName& Value);

  // Points: -(Height x 72 / PixelsPerInch), to the nearest integer.
  std::int32_t Size() const;
  void SetSize(std::int32_t Value);
  // Pixels; negative for the character height, positive for the cell height.
  std::int32_t Height() const { return FHeight; }
  void SetHeight(std::int32_t Value);

  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);

  // The pitch as stored, which may be any number.
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // The pitch the font is drawn with.
  TFontPitch RealisedPitch() const;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);

  // Direction of the baseline in tenths of a degree, counter-clockwise; rotated captions use
  // it. It has no text form.
  int Escapement() const { return FEscapement; }
  void SetEscapement(int Value);

  // Takes every attribute of Source and notifies once when anything changed.
  void Assign(const TFont& Source);
  // Sends the change notification.
  void Changed();

  TNotifyEvent OnChange;

 private:
  TFontName FName;
  std::int32_t FHeight;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  int FEscapement = 0;
};

// Number x Numerator / Denominator rounded to the nearest integer, halves away from zero; -1
// when Denominator is 0 or the result does not fit, as the classic routine answers.
std::int32_t MulDiv(std::int32_t Number, std::int32_t Numerator, std::int32_t Denominator);
