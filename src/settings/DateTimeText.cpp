// TDateTime and the text forms of dates, times and floating-point numbers in settings files.
#include "settings/DateTimeText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "settings/DecimalText.h"

namespace {

constexpr double SecondsPerDay = 86400.0;

// Days from 0001-01-01 to 1899-12-30.
constexpr std::int64_t DateDelta = 693594;

bool IsLeapYear(int Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month) {
  constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

struct TCivil {
  int Year, Month, Day;
};

// Values past the calendar's years 1 to 9999 (or not numbers at all) are taken as day 0.
TDateTime InCalendar(TDateTime Value) {
  return Value > -693594.0 && Value < 2958466.0 ? Value : 0.0;
}

TCivil DecodeDate(TDateTime Value) {
  // The whole part counts days towards zero; before 1899-12-30 the fraction still adds time.
  std::int64_t Days = static_cast<std::int64_t>(std::trunc(InCalendar(Value))) + DateDelta;
  int Year = 1;
  std::int64_t Cycles = Days / 146097;
  Year += static_cast<int>(Cycles * 400);
  Days -= Cycles * 146097;
  while (true) {
    int Length = IsLeapYear(Year) ? 366 : 365;
    if (Days < Length) break;
    Days -= Length;
    ++Year;
  }
  int Month = 1;
  while (Days >= DaysInMonth(Year, Month)) {
    Days -= DaysInMonth(Year, Month);
    ++Month;
  }
  return {Year, Month, static_cast<int>(Days) + 1};
}

// Reads exactly Count decimal digits at Pos.
std::optional<int> Digits(const std::string& Text, std::size_t Pos, std::size_t Count) {
  if (Pos + Count > Text.size()) return std::nullopt;
  int Value = 0;
  for (std::size_t I = Pos; I < Pos + Count; ++I) {
    if (Text[I] < '0' || Text[I] > '9') return std::nullopt;
    Value = Value * 10 + (Text[I] - '0');
  }
  return Value;
}

std::optional<TDateTime> ParseDate(const std::string& Text, std::size_t Pos) {
  auto Year = Digits(Text, Pos, 4);
  auto Month = Digits(Text, Pos + 5, 2);
  auto Day = Digits(Text, Pos + 8, 2);
  if (!Year || !Month || !Day || Text[Pos + 4] != '-' || Text[Pos + 7] != '-') return std::nullopt;
  return EncodeDate(*Year, *Month, *Day);
}

std::optional<TDateTime> ParseTime(const std::string& Text, std::size_t Pos) {
  auto Hour = Digits(Text, Pos, 2);
  auto Minute = Digits(Text, Pos + 3, 2);
  auto Second = Digits(Text, Pos + 6, 2);
  if (!Hour || !Minute || !Second || Text[Pos + 2] != ':' || Text[Pos + 5] != ':' || *Hour > 23 ||
      *Minute > 59 || *Second > 59)
    return std::nullopt;
  return (*Hour * 3600 + *Minute * 60 + *Second) / SecondsPerDay;
}

}  // namespace

std::optional<TDateTime> EncodeDate(int Year, int Month, int Day) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > DaysInMonth(Year, Month))
    return std::nullopt;
  std::int64_t Before = Year - 1;
  std::int64_t Days = Before * 365 + Before / 4 - Before / 100 + Before / 400;
  for (int M = 1; M < Month; ++M) Days += DaysInMonth(Year, M);
  Days += Day - 1;
  return static_cast<TDateTime>(Days - DateDelta);
}

std::string DateToText(TDateTime Value) {
  TCivil Date = DecodeDate(Value);
  char Buffer[48];
  std::snprintf(Buffer, sizeof Buffer, "%04d-%02d-%02d", Date.Year, Date.Month, Date.Day);
  return Buffer;
}

std::string TimeToText(TDateTime Value) {
  Value = InCalendar(Value);
  double Fraction = std::fabs(Value - std::trunc(Value));
  long Seconds = std::lround(Fraction * SecondsPerDay) % 86400;
  char Buffer[80];
  std::snprintf(Buffer, sizeof Buffer, "%02ld:%02ld:%02ld", Seconds / 3600, Seconds / 60 % 60,
                Seconds % 60);
  return Buffer;
}

std::string DateTimeToText(TDateTime Value) {
  return DateToText(Value) + " " + TimeToText(Value);
}

std::string FloatToText(double Value) {
  return ShortestDecimalText(Value);
}

std::optional<TDateTime> TextToDate(const std::string& Text) {
  if (Text.size() != 10) return std::nullopt;
  return ParseDate(Text, 0);
}

std::optional<TDateTime> TextToTime(const std::string& Text) {
  if (Text.size() != 8) return std::nullopt;
  return ParseTime(Text, 0);
}

std::optional<TDateTime> TextToDateTime(const std::string& Text) {
  if (Text.size() == 10) return ParseDate(Text, 0);
  if (Text.size() != 19 || Text[10] != ' ') return std::nullopt;
  auto Date = ParseDate(Text, 0);
  auto Time = ParseTime(Text, 11);
  if (!Date || !Time) return std::nullopt;
  // Before 1899-12-30 the day counts down while the time of day still counts up.
  return *Date < 0 ? *Date - *Time : *Date + *Time;
}

std::optional<double> TextToFloat(const std::string& Text) {
  std::string_view Number = Text;
  if (!Number.empty() && Number.front() == '+') Number.remove_prefix(1);
  return DecimalTextToDouble(Number);
}
