// The desktop's scale from its settings and the user's override.
#include "platform/DisplayScale.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

bool Digit(char C) {
  return C >= '0' && C <= '9';
}

// A plain decimal number: digits, then optionally a point and digits. The library's readers
// follow the locale's decimal mark and accept signs, exponents and words such as "inf".
std::optional<double> PlainNumber(std::string_view Text) {
  double Value = 0;
  std::size_t I = 0;
  while (I < Text.size() && Digit(Text[I])) Value = Value * 10 + (Text[I++] - '0');
  if (I == 0 || I > 6) return std::nullopt;
  if (I < Text.size() && Text[I] == '.') {
    ++I;
    double Unit = 0.1;
    const std::size_t FractionStart = I;
    for (; I < Text.size() && Digit(Text[I]); ++I, Unit /= 10) Value += (Text[I] - '0') * Unit;
    if (I == FractionStart) return std::nullopt;
  }
  if (I != Text.size()) return std::nullopt;
  return Value;
}

std::string_view Trimmed(std::string_view Text) {
  const auto Blank = [](char C) { return C == ' ' || C == '\t' || C == '\r'; };
  while (!Text.empty() && Blank(Text.front())) Text.remove_prefix(1);
  while (!Text.empty() && Blank(Text.back())) Text.remove_suffix(1);
  return Text;
}

}  // namespace

double QuarterStepScale(double Scale) {
  if (!(Scale > MinDisplayScale)) return MinDisplayScale;
  return std::clamp(std::round(Scale * 4) / 4, MinDisplayScale, MaxDisplayScale);
}

std::optional<double> ScaleFromText(const char* Text) {
  if (!Text) return std::nullopt;
  const std::optional<double> Value = PlainNumber(Text);
  if (!Value || *Value < MinDisplayScale || *Value > MaxDisplayScale) return std::nullopt;
  return QuarterStepScale(*Value);
}

double ScaleFromDpi(double Dpi) {
  return QuarterStepScale(Dpi / 96);
}

double ScaleFromXResources(const char* Resources) {
  if (!Resources) return MinDisplayScale;
  constexpr std::string_view Name = "Xft.dpi:";
  std::string_view Rest = Resources;
  while (!Rest.empty()) {
    const std::size_t End = Rest.find('\n');
    const std::string_view Line = Rest.substr(0, End);
    Rest = End == std::string_view::npos ? std::string_view() : Rest.substr(End + 1);
    if (!Line.starts_with(Name)) continue;
    const std::optional<double> Dpi = PlainNumber(Trimmed(Line.substr(Name.size())));
    return Dpi ? ScaleFromDpi(*Dpi) : MinDisplayScale;
  }
  return MinDisplayScale;
}

double ChosenScale(const char* Override, double Desktop) {
  return ScaleFromText(Override).value_or(QuarterStepScale(Desktop));
}
