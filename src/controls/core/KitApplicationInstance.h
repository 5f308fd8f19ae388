// The controls' one application object of the running program.
#pragma once

#include "controls/core/KitApplication.h"

// The application object whose timer pool runs the buttons' timers. It is made the first time
// it is asked for and lives until the program ends; whoever runs the message loop drives its
// pool's tick.
TKitApplication& KitApplication();
