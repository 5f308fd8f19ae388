// The digits are found with the C library's correctly rounded conversions; the point and the
// exponent are placed here, so that no locale's decimal separator takes part.
#include "settings/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Value = 0.d1d2d3... * 10^(Exponent + 1): Exponent is that of scientific notation.
struct TDecimal {
  std::string Digits;
  int Exponent;
};

// Reads the decimal "<digits>e<exponent>", a form without a point and so without locale.
double ReadDigits(const std::string& Digits, long Exponent) {
  std::string Text = Digits + "e" + std::to_string(Exponent);
  return std::strtod(Text.c_str(), nullptr);
}

bool ReadsBack(const TDecimal& Decimal, double Value) {
  long Scale = Decimal.Exponent - static_cast<long>(Decimal.Digits.size()) + 1;
  return ReadDigits(Decimal.Digits, Scale) == Value;
}

// Value correctly rounded to Precision significant digits.
TDecimal Rounded(double Value, int Precision) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.*e", Precision - 1, Value);
  TDecimal Result{"", 0};
  const char* C = Buffer;
  for (; *C != 'e'; ++C)
    if (*C >= '0' && *C <= '9') Result.Digits += *C;
  Result.Exponent = std::atoi(C + 1);
  return Result;
}

// The digit string one unit up or down in its last place, with as many digits.
TDecimal Neighbour(TDecimal Decimal, int Step) {
  std::string& D = Decimal.Digits;
  std::size_t I = D.size();
  if (Step > 0) {
    while (I > 0 && D[I - 1] == '9') D[--I] = '0';
    if (I == 0) {
      D.insert(D.begin(), '1');
      D.pop_back();
      ++Decimal.Exponent;
    } else {
      ++D[I - 1];
    }
  } else {
    while (I > 0 && D[I - 1] == '0') D[--I] = '9';
    --D[I - 1];
    if (D[0] == '0') {
      D.erase(D.begin());
      D.push_back('9');
      --Decimal.Exponent;
    }
  }
  return Decimal;
}

TDecimal Trimmed(TDecimal Decimal) {
  std::size_t Last = Decimal.Digits.find_last_not_of('0');
  Decimal.Digits.erase(Last + 1);
  return Decimal;
}

// Magnitude is finite and above zero.
TDecimal ShortestDigits(double Magnitude) {
  constexpr int RoundTripDigits = 17;
  for (int Precision = 1;; ++Precision) {
    TDecimal Nearest = Rounded(Magnitude, Precision);
    if (Precision == RoundTripDigits || ReadsBack(Nearest, Magnitude)) return Trimmed(Nearest);
    // Next to a power of two the doubles below lie twice as close as those above, so the
    // digit string on the value's other side may still read back where the nearest does not.
    for (int Step : {1, -1}) {
      TDecimal Other = Neighbour(Nearest, Step);
      if (ReadsBack(Other, Magnitude)) return Trimmed(Other);
    }
  }
}

std::string Scientific(const TDecimal& Decimal) {
  std::string Text = Decimal.Digits.substr(0, 1);
  if (Decimal.Digits.size() > 1) Text += "." + Decimal.Digits.substr(1);
  int Exponent = std::abs(Decimal.Exponent);
  Text += Decimal.Exponent < 0 ? "e-" : "e+";
  if (Exponent < 10) Text += '0';
  return Text + std::to_string(Exponent);
}

std::string Plain(const TDecimal& Decimal, double Magnitude) {
  const std::string& D = Decimal.Digits;
  if (Decimal.Exponent < 0) return "0." + std::string(-Decimal.Exponent - 1, '0') + D;
  std::size_t Whole = static_cast<std::size_t>(Decimal.Exponent) + 1;
  if (Whole < D.size()) return D.substr(0, Whole) + "." + D.substr(Whole);
  // A whole number: its exact digits, which are as many and nearer than zeros after the
  // shortest digits.
  char Buffer[320];
  std::snprintf(Buffer, sizeof Buffer, "%.0f", Magnitude);
  return Buffer;
}

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

}  // namespace

std::string ShortestDecimalText(double Value) {
  std::string Sign = std::signbit(Value) ? "-" : "";
  if (std::isnan(Value)) return Sign + "nan";
  if (std::isinf(Value)) return Sign + "inf";
  double Magnitude = std::fabs(Value);
  if (Magnitude == 0) return Sign + "0";
  TDecimal Decimal = ShortestDigits(Magnitude);
  std::string Fixed = Plain(Decimal, Magnitude);
  std::string Exponential = Scientific(Decimal);
  return Sign + (Fixed.size() <= Exponential.size() ? Fixed : Exponential);
}

std::optional<double> DecimalTextToDouble(std::string_view Text) {
  std::size_t I = 0;
  bool Negative = I < Text.size() && Text[I] == '-';
  if (Negative) ++I;
  std::string Digits;
  long Scale = 0;
  for (; I < Text.size() && IsDigit(Text[I]); ++I) Digits += Text[I];
  if (I < Text.size() && Text[I] == '.')
    for (++I; I < Text.size() && IsDigit(Text[I]); ++I, --Scale) Digits += Text[I];
  if (Digits.empty()) return std::nullopt;
  if (I < Text.size() && (Text[I] == 'e' || Text[I] == 'E')) {
    ++I;
    bool NegativeExponent = I < Text.size() && Text[I] == '-';
    if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) ++I;
    if (I == Text.size()) return std::nullopt;
    // Far beyond any double's exponent either way, and far from overflowing Scale.
    constexpr long Saturated = 100000000;
    long Exponent = 0;
    for (; I < Text.size() && IsDigit(Text[I]); ++I)
      Exponent = std::min(Saturated, Exponent * 10 + (Text[I] - '0'));
    Scale += NegativeExponent ? -Exponent : Exponent;
  }
  if (I != Text.size()) return std::nullopt;
  double Magnitude = ReadDigits(Digits, Scale);
  // Past the largest double, or below the smallest one so that nothing but zero is left.
  bool Underflow = Magnitude == 0 && Digits.find_first_not_of('0') != std::string::npos;
  if (std::isinf(Magnitude) || Underflow) return std::nullopt;
  return Negative ? -Magnitude : Magnitude;
}
