// Formatted-text layout: hard line breaks, "&" prefixes, word breaks, tab stops and alignment.
#include "framework/TextLayout.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr char32_t kCR = U'\r';
constexpr char32_t kLF = U'\n';
constexpr char32_t kTab = U'\t';
constexpr char32_t kPrefix = U'&';
constexpr int kTabStopChars = 8;

bool IsBreak(char32_t C) {
  return C == kCR || C == kLF;
}
// Word breaks happen after these; a tab counts, as it separates words like a space.
bool IsBlank(char32_t C) {
  return C == U' ' || C == kTab;
}

// The text between two hard line breaks, its "&" prefixes already resolved.
struct TSourceLine {
  std::u32string Chars;
  // Ascending indices into Chars of the characters an "&" marked.
  std::vector<std::size_t> Marks;
};

// One line as drawn: a piece of a source line, which word breaks may split into several.
struct TDrawnLine {
  const TSourceLine* Source = nullptr;
  std::size_t Begin = 0;
  std::size_t End = 0;
};

// A tab-free piece of a line and its offset from the line's start.
struct TSegment {
  std::size_t Begin = 0;
  std::size_t End = 0;
  int X = 0;
};

// Measures lines, with tabs advancing to the next stop when they are expanded. Every width
// comes from the font measure on a whole tab-free piece, so that kerning and character extra
// spacing count exactly as they will when the piece is drawn.
class TLineMeasure {
 public:
  TLineMeasure(TTextMeasure& Measure, bool ExpandTabs)
      : FMeasure(Measure),
        FExpandTabs(ExpandTabs),
        FTabWidth(std::max(1, kTabStopChars * Measure.AveCharWidth())) {}

  // The width of Line; Segments, when given, receives its tab-free pieces.
  int Width(std::u32string_view Line, std::vector<TSegment>* Segments = nullptr) const {
    int X = 0;
    std::size_t Begin = 0;
    for (;;) {
      std::size_t End = FExpandTabs ? Line.find(kTab, Begin) : std::u32string_view::npos;
      if (End == std::u32string_view::npos) End = Line.size();
      if (End > Begin) {
        if (Segments) Segments->push_back({Begin, End, X});
        X += FMeasure.Width(Line.substr(Begin, End - Begin));
      }
      if (End == Line.size()) return X;
      // A tab always moves on, even from a position that is already a stop.
      X = (std::max(X, 0) / FTabWidth + 1) * FTabWidth;
      Begin = End + 1;
    }
  }

  // How many characters from the start of Line fit in Avail pixels. Probes grow by doubling
  // before the binary search, so a long line wrapped into short pieces costs about the length
  // of each piece rather than the length of what is left.
  std::size_t FitCount(std::u32string_view Line, int Avail) const {
    auto Fits = [&](std::size_t Count) {
      return Count <= Line.size() && Width(Line.substr(0, Count)) <= Avail;
    };
    std::size_t Lo = 0;
    std::size_t Hi = 1;
    while (Fits(Hi)) {
      Lo = Hi;
      Hi = std::min(2 * Hi, Line.size() + 1);
    }
    while (Hi - Lo > 1) {
      const std::size_t Mid = Lo + (Hi - Lo) / 2;
      (Fits(Mid) ? Lo : Hi) = Mid;
    }
    return Lo;
  }

  int PieceWidth(std::u32string_view Piece) const { return FMeasure.Width(Piece); }

 private:
  TTextMeasure& FMeasure;
  bool FExpandTabs;
  int FTabWidth;
};

// "&x" hides the "&" and marks x, "&&" stands for one "&". A final "&" of the text is shown;
// one just before a line break or a tab disappears without marking anything.
TSourceLine ResolvePrefixes(std::u32string_view Line, bool BreakFollows, bool Prefixes) {
  TSourceLine Out;
  Out.Chars.reserve(Line.size());
  for (std::size_t I = 0; I < Line.size(); ++I) {
    const char32_t C = Line[I];
    if (!Prefixes || C != kPrefix) {
      Out.Chars.push_back(C);
      continue;
    }
    if (I + 1 == Line.size()) {
      if (!BreakFollows) Out.Chars.push_back(C);
      continue;
    }
    if (Line[I + 1] == kTab) continue;
    const char32_t Next = Line[++I];
    if (Next != kPrefix) Out.Marks.push_back(Out.Chars.size());
    Out.Chars.push_back(Next);
  }
  return Out;
}

// CR, LF, CRLF and LFCR each end a line; a break at the very end of the text opens no new one.
std::vector<TSourceLine> SplitLines(std::u32string_view Text, bool SingleLine, bool Prefixes) {
  std::vector<TSourceLine> Lines;
  std::size_t Begin = 0;
  do {
    std::size_t End = Begin;
    if (SingleLine) {
      End = Text.size();
    } else {
      while (End < Text.size() && !IsBreak(Text[End])) ++End;
    }
    const bool BreakFollows = End < Text.size();
    Lines.push_back(ResolvePrefixes(Text.substr(Begin, End - Begin), BreakFollows, Prefixes));
    Begin = End;
    if (BreakFollows) {
      const char32_t First = Text[Begin++];
      if (Begin < Text.size() && IsBreak(Text[Begin]) && Text[Begin] != First) ++Begin;
    }
  } while (Begin < Text.size());
  return Lines;
}

// Breaks after blanks so that lines fit in Avail. A line always takes at least one character,
// and a word wider than Avail stays whole on its own line. Where a line is broken, one blank
// at the start of the next line is dropped; trailing blanks stay unless TrimTrailing, which
// centred and right-aligned lines need so that the blanks do not shift them.
void WrapLine(const TSourceLine& Line, int Avail, bool TrimTrailing, const TLineMeasure& Measurer,
              std::vector<TDrawnLine>& Out) {
  const std::u32string_view Chars = Line.Chars;
  std::size_t Begin = 0;
  do {
    const std::size_t Fit = std::max<std::size_t>(1, Measurer.FitCount(Chars.substr(Begin), Avail));
    if (Fit >= Chars.size() - Begin) {
      Out.push_back({&Line, Begin, Chars.size()});
      return;
    }
    const std::size_t Stop = Begin + Fit;
    std::size_t End = Stop;
    std::size_t Next = Stop + 1;
    if (!IsBlank(Chars[Stop])) {
      std::size_t Blank = Stop;
      while (Blank > Begin && !IsBlank(Chars[Blank - 1])) --Blank;
      if (Blank > Begin) {
        End = Next = Blank;
      } else {
        End = Stop;
        while (End < Chars.size() && !IsBlank(Chars[End])) ++End;
        Next = std::min(End + 1, Chars.size());
      }
    }
    if (TrimTrailing) {
      while (End > Begin && IsBlank(Chars[End - 1])) --End;
    }
    Out.push_back({&Line, Begin, End});
    Begin = Next;
  } while (Begin < Chars.size());
}

// The last marked character of a drawn line, as an index into the line, or npos.
std::size_t LastMark(const TDrawnLine& Line) {
  const std::vector<std::size_t>& Marks = Line.Source->Marks;
  const auto After = std::lower_bound(Marks.begin(), Marks.end(), Line.End);
  if (After == Marks.begin() || *(After - 1) < Line.Begin) return std::u32string_view::npos;
  return *(After - 1) - Line.Begin;
}

}  // namespace

TTextLayout LayoutText(std::u32string_view Text, const TRect& Rect, unsigned Format,
                       TTextMeasure& Measure) {
  const bool SingleLine = (Format & DT_SINGLELINE) != 0;
  const bool WordBreak = (Format & DT_WORDBREAK) != 0 && !SingleLine;
  const bool Prefixes = (Format & DT_NOPREFIX) == 0;
  const bool TrimTrailing = (Format & (DT_CENTER | DT_RIGHT)) != 0;
  const TLineMeasure Measurer(Measure, (Format & DT_EXPANDTABS) != 0);

  std::vector<TSourceLine> Sources;
  if (!Text.empty() || SingleLine) Sources = SplitLines(Text, SingleLine, Prefixes);
  std::vector<TDrawnLine> Drawn;
  for (const TSourceLine& Source : Sources) {
    if (WordBreak) {
      WrapLine(Source, Rect.Width(), TrimTrailing, Measurer, Drawn);
    } else {
      Drawn.push_back({&Source, 0, Source.Chars.size()});
    }
  }

  const int LineHeight = Measure.LineHeight();
  const int Ascent = Measure.Ascent();
  const int TextHeight = static_cast<int>(Drawn.size()) * LineHeight;
  int Top = Rect.Top;
  if (SingleLine && (Format & DT_VCENTER) != 0) {
    Top = Rect.Top + Rect.Height() / 2 - TextHeight / 2;
  } else if (SingleLine && (Format & DT_BOTTOM) != 0) {
    Top = Rect.Bottom - TextHeight;
  }

  TTextLayout Layout;
  int Widest = 0;
  for (std::size_t I = 0; I < Drawn.size(); ++I) {
    const TDrawnLine& Line = Drawn[I];
    const std::u32string_view Chars =
        std::u32string_view(Line.Source->Chars).substr(Line.Begin, Line.End - Line.Begin);
    std::vector<TSegment> Segments;
    const int Width = Measurer.Width(Chars, &Segments);
    Widest = std::max(Widest, Width);
    int X = Rect.Left;
    if ((Format & DT_CENTER) != 0) {
      X = (Rect.Left + Rect.Right - Width) / 2;
    } else if ((Format & DT_RIGHT) != 0) {
      X = Rect.Right - Width;
    }
    const int Y = Top + static_cast<int>(I) * LineHeight;
    const std::size_t Mark = LastMark(Line);
    for (const TSegment& Segment : Segments) {
      const std::u32string_view Piece = Chars.substr(Segment.Begin, Segment.End - Segment.Begin);
      Layout.Runs.push_back({X + Segment.X, Y, std::u32string(Piece)});
      if (Mark >= Segment.Begin && Mark < Segment.End) {
        const std::size_t Offset = Mark - Segment.Begin;
        const int Left = X + Segment.X + Measurer.PieceWidth(Piece.substr(0, Offset));
        const int Right = X + Segment.X + Measurer.PieceWidth(Piece.substr(0, Offset + 1));
        Layout.Underlines.push_back({Left, std::max(Left, Right - 1), Y + Ascent + 1});
      }
    }
  }

  Layout.Extent = {Rect.Left, Rect.Top, Rect.Left + Widest, Rect.Top + TextHeight};
  Layout.Height = Top + TextHeight - Rect.Top;
  return Layout;
}
