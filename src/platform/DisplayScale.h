// The scale of the desktop for pictures and text: 1 at 96 dots per inch, in quarter steps from
// 1 to 4, read from what the user or the desktop says.
#pragma once

#include <optional>

inline constexpr double MinDisplayScale = 1.0;
inline constexpr double MaxDisplayScale = 4.0;

// The nearest quarter step, kept within MinDisplayScale and MaxDisplayScale: a scale between
// steps would make every second line of a picture one pixel higher than the others.
double QuarterStepScale(double Scale);

// A scale the user gives as text ("2", "1.5", "1.25"): plain digits with an optional fraction,
// from 1 to 4, as a quarter step; nothing for anything else (empty, signs, exponents, units,
// out of range), so that a mistyped value leaves the desktop's own scale.
std::optional<double> ScaleFromText(const char* Text);

// The desktop's scale from its dots per inch; 1 for 96 and anything not above it.
double ScaleFromDpi(double Dpi);

// The scale the X resources give through Xft.dpi ("Xft.dpi:\t192" on its own line), the
// setting desktops use for text; 1 when the resources are null or do not give a usable value.
double ScaleFromXResources(const char* Resources);

// The user's override when it is a valid scale, else the desktop's.
double ChosenScale(const char* Override, double Desktop);
