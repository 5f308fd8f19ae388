// Doubles as the shortest decimal texts that read back to the same value, and those texts read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The fewest significant digits that read back exactly, in plain notation ("0.001", "1500") or,
// where that is shorter, scientific notation ("1e-07", "1.5e+300"); plain on a tie. Of several
// such digit strings the one nearest the value. "inf", "-inf", "nan", "-nan" and "-0" as such.
std::string ShortestDecimalText(double Value);

// An optional minus, digits with an optional point (at least one digit), an optional exponent
// (e or E, optional sign, digits): the whole text, rounded to the nearest double. Nothing for
// any other text and for values beyond the range of a double.
std::optional<double> DecimalTextToDouble(std::string_view Text);
