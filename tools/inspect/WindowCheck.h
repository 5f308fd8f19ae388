// The author's check of the window: its pictures, and where the buttons and captions lie.
#pragma once

#include "CheckContext.h"
#include "menu/MenuInfo.h"

// Findings on the background and icon, on buttons outside the window or on each other, and on
// captions larger than their buttons, measured as the menu window draws them.
void CheckWindow(TCheckContext& Context, const TOstrelInfo& Menu);
