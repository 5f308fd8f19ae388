// TDateTime and the text forms of dates, times and floating-point numbers in settings files.
#pragma once

#include <optional>
#include <string>

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// Dates are written yyyy-mm-dd, times hh:nn:ss, date and time together with one blank between:
// a form every locale reads back the same.
std::string DateToText(TDateTime Value);
std::string TimeToText(TDateTime Value);
std::string DateTimeToText(TDateTime Value);
std::string FloatToText(double Value);

// Each reads only its own form, the whole text; nothing otherwise.
std::optional<TDateTime> TextToDate(const std::string& Text);
std::optional<TDateTime> TextToTime(const std::string& Text);
// A date, optionally followed by a blank and a time.
std::optional<TDateTime> TextToDateTime(const std::string& Text);
std::optional<double> TextToFloat(const std::string& Text);

// The TDateTime of a calendar date, or nothing for a date that does not exist (years 1 to 9999).
std::optional<TDateTime> EncodeDate(int Year, int Month, int Day);
