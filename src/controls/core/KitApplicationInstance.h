// The controls' application object of the running program.
#pragma once

#include "controls/core/KitApplication.h"

// The application object whose timer pool runs the buttons' timers: the one made last of those
// that live, or else the program's own, made the first time it is asked for and kept until the
// program ends. Whoever runs the message loop drives its pool's tick.
TKitApplication& KitApplication();
