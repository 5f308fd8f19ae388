// The program's own icon, built into it: what the menu window shows when menu.ini names none.
#pragma once

#include <string_view>

// The contents of the program's icon file.
std::string_view ProgramIconBytes();
