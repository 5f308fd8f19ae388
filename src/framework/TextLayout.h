// Formatted text: where each piece of a text goes in a rectangle under the DT_ flags (line
// breaks, word breaks, tabs, "&" prefixes, alignment), computed without drawing anything.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Types.h"

// Formatted-text flags, with the platform's values.
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_BOTTOM = 0x0008;
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_CALCRECT = 0x0400;
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_RTLREADING = 0x20000;

// Answers the layout's questions about the font the text will be drawn in.
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  // Width of a piece of one line, character extra spacing included.
  virtual int Width(std::u32string_view Text) = 0;
  // Ascent + descent.
  virtual int LineHeight() = 0;
  virtual int Ascent() = 0;
  virtual int AveCharWidth() = 0;
};

// A piece of a line drawn in one go, its cell's top-left at (X, Y).
struct TTextRun {
  int X = 0;
  int Y = 0;
  std::u32string Text;
};

// A one-pixel underline on row Y from X1 up to, not including, X2.
struct TUnderline {
  int X1 = 0;
  int X2 = 0;
  int Y = 0;
};

struct TTextLayout {
  std::vector<TTextRun> Runs;
  std::vector<TUnderline> Underlines;
  // The rectangle DT_CALCRECT reports: Rect's left and top, right = left + widest line,
  // bottom = top + lines x line height.
  TRect Extent;
  // What the formatted-text call returns: the text's height, or with DT_VCENTER or DT_BOTTOM
  // the offset from Rect's top to the bottom of the text.
  int Height = 0;
};

// Lays out already decoded Text in Rect. The underline of a marked character covers its cell
// from the left edge up to, not including, the last pixel column of the cell: X1 = left edge,
// X2 = left edge + width - 1. DT_RTLREADING is accepted and changes nothing: runs are placed
// left to right as the text comes, without reordering. An empty text has no line (a height of
// 0), except with DT_SINGLELINE, where it is one empty line.
TTextLayout LayoutText(std::u32string_view Text, const TRect& Rect, unsigned Format,
                       TTextMeasure& Measure);
