// A logical font realised by GDI: metrics, advances, coverage masks and outlines.
#include "platform/win32/GdiFace.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/win32/GdiGlyphOutline.h"
#include "platform/win32/Win32Text.h"

namespace {

// GetGlyphOutlineW takes one UTF-16 unit; characters beyond them show the replacement glyph.
constexpr char32_t LastBmpCharacter = 0xFFFF;
constexpr char32_t ReplacementCharacter = 0xFFFD;
// GGO_GRAY8_BITMAP gives 65 levels of coverage.
constexpr unsigned GrayLevels = 64;
// Glyph data past this size is no glyph of a font a menu would name.
constexpr DWORD MaxGlyphBytes = 1u << 24;

FIXED ToFixed(double Value) {
  const long Scaled = std::lround(Value * 65536.0);
  FIXED Result;
  Result.value = static_cast<short>(Scaled >> 16);
  Result.fract = static_cast<WORD>(Scaled & 0xFFFF);
  return Result;
}

// Counter-clockwise on screen, in the glyph space of GDI, whose y grows upwards.
MAT2 RotationFor(int Escapement) {
  const double Angle = Escapement * std::numbers::pi / 1800.0;
  const double Cos = std::cos(Angle), Sin = std::sin(Angle);
  MAT2 Matrix;
  Matrix.eM11 = ToFixed(Cos);
  Matrix.eM12 = ToFixed(Sin);
  Matrix.eM21 = ToFixed(-Sin);
  Matrix.eM22 = ToFixed(Cos);
  return Matrix;
}

// The request's pitch (0 default, 1 variable, 2 fixed) in the logical font's numbers.
BYTE PitchOf(int Pitch) {
  switch (Pitch) {
    case 1:
      return VARIABLE_PITCH;
    case 2:
      return FIXED_PITCH;
    default:
      return DEFAULT_PITCH;
  }
}

HFONT CreateFontFor(const TFontRequest& Request) {
  LOGFONTA Font{};
  Font.lfHeight = Request.Height;
  Font.lfWeight = Request.Weight;
  Font.lfItalic = Request.Italic ? TRUE : FALSE;
  Font.lfCharSet = static_cast<BYTE>(Request.Charset);
  // Glyphs come from outlines, so a bitmap font of the name would draw nothing: its outline
  // twin is taken instead.
  Font.lfOutPrecision = OUT_OUTLINE_PRECIS;
  Font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  Font.lfQuality = ANTIALIASED_QUALITY;
  Font.lfPitchAndFamily = PitchOf(Request.Pitch);
  const std::size_t Length = std::min(Request.Name.size(), std::size_t{LF_FACESIZE - 1});
  std::copy_n(Request.Name.begin(), Length, Font.lfFaceName);
  return CreateFontIndirectA(&Font);
}

UINT CodeUnitOf(char32_t Character) {
  return Character > LastBmpCharacter ? ReplacementCharacter : static_cast<UINT>(Character);
}

}  // namespace

TGdiFace::TGdiFace(HDC DC, const TFontRequest& Request)
    : FDC(DC), FFont(CreateFontFor(Request)), FTransform(RotationFor(Request.Escapement)) {
  if (FFont == nullptr) FFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Measure();
}

TGdiFace::~TGdiFace() {
  DeleteObject(FFont);
}

void TGdiFace::Measure() {
  const TSelection Selected(FDC, FFont);
  wchar_t Family[LF_FACESIZE] = {};
  const int Length = GetTextFaceW(FDC, LF_FACESIZE, Family);
  if (Length > 0) FFamily = Utf8Of(std::wstring(Family, static_cast<std::size_t>(Length - 1)));

  TEXTMETRICW Text{};
  if (!GetTextMetricsW(FDC, &Text)) return;
  FMetrics.Ascent = Text.tmAscent;
  FMetrics.Descent = Text.tmDescent;
  FMetrics.Height = Text.tmAscent + Text.tmDescent;
  FMetrics.InternalLeading = Text.tmInternalLeading;
  FMetrics.AveCharWidth = Text.tmAveCharWidth;
  FMetrics.MaxCharWidth = Text.tmMaxCharWidth;
  FMetrics.UnderlineThickness = 1;
  FMetrics.UnderlinePosition = std::max(FMetrics.Descent / 2 - 1, 0);
  FMetrics.StrikeoutPosition = FMetrics.Ascent / 3;

  const UINT Size = GetOutlineTextMetricsW(FDC, 0, nullptr);
  if (Size < sizeof(OUTLINETEXTMETRICW)) return;
  // The metrics are followed by their strings; the buffer keeps the structure's alignment.
  std::vector<OUTLINETEXTMETRICW> Buffer(Size / sizeof(OUTLINETEXTMETRICW) + 1);
  if (GetOutlineTextMetricsW(FDC, Size, Buffer.data()) == 0) return;
  const OUTLINETEXTMETRICW& Outline = Buffer.front();
  FMetrics.UnderlineThickness = std::max(static_cast<int>(Outline.otmsUnderscoreSize), 1);
  // GDI draws the underline from the underscore position down; the metrics keep it inside the
  // text cell.
  FMetrics.UnderlinePosition =
      std::clamp(-Outline.otmsUnderscorePosition, 0,
                 std::max(FMetrics.Descent - FMetrics.UnderlineThickness, 0));
  if (Outline.otmsStrikeoutPosition > 0)
    FMetrics.StrikeoutPosition = static_cast<int>(Outline.otmsStrikeoutPosition);
}

int TGdiFace::Advance(char32_t Character) {
  auto Found = FAdvances.find(Character);
  if (Found != FAdvances.end()) return Found->second;
  const TSelection Selected(FDC, FFont);
  const wchar_t Unit = static_cast<wchar_t>(CodeUnitOf(Character));
  SIZE Extent{};
  const int Pixels = GetTextExtentPoint32W(FDC, &Unit, 1, &Extent) ? Extent.cx : 0;
  FAdvances.emplace(Character, Pixels);
  return Pixels;
}

std::vector<unsigned char> TGdiFace::GlyphData(char32_t Character, UINT Format,
                                               GLYPHMETRICS& Metrics) {
  const TSelection Selected(FDC, FFont);
  const UINT Unit = CodeUnitOf(Character);
  Metrics = GLYPHMETRICS{};
  const DWORD Size = GetGlyphOutlineW(FDC, Unit, Format, &Metrics, 0, nullptr, &FTransform);
  if (Size == GDI_ERROR || Size == 0 || Size > MaxGlyphBytes) return {};
  std::vector<unsigned char> Data(Size);
  if (GetGlyphOutlineW(FDC, Unit, Format, &Metrics, Size, Data.data(), &FTransform) == GDI_ERROR)
    return {};
  return Data;
}

const TGlyphMask& TGdiFace::Glyph(char32_t Character) {
  auto Found = FMasks.find(Character);
  if (Found != FMasks.end()) return Found->second;
  GLYPHMETRICS Metrics{};
  const std::vector<unsigned char> Data = GlyphData(Character, GGO_GRAY8_BITMAP, Metrics);
  TGlyphMask Mask;
  // Rows of the gray bitmap are padded to whole double words.
  const std::size_t Width = Metrics.gmBlackBoxX, Height = Metrics.gmBlackBoxY;
  const std::size_t Pitch = (Width + 3) & ~std::size_t{3};
  if (!Data.empty() && Pitch * Height <= Data.size()) {
    Mask.Left = Metrics.gmptGlyphOrigin.x;
    Mask.Top = -Metrics.gmptGlyphOrigin.y;
    Mask.Width = static_cast<int>(Width);
    Mask.Height = static_cast<int>(Height);
    Mask.Coverage.resize(Width * Height);
    for (std::size_t Row = 0; Row < Height; ++Row)
      for (std::size_t Column = 0; Column < Width; ++Column) {
        const unsigned Level = std::min<unsigned>(Data[Row * Pitch + Column], GrayLevels);
        Mask.Coverage[Row * Width + Column] =
            static_cast<std::uint8_t>((Level * 255 + GrayLevels / 2) / GrayLevels);
      }
  }
  return FMasks.emplace(Character, std::move(Mask)).first->second;
}

std::vector<TContour> TGdiFace::Outline(char32_t Character) {
  GLYPHMETRICS Metrics{};
  return FlattenNativeOutline(GlyphData(Character, GGO_NATIVE, Metrics));
}
