// The author's check of what each entry names: its target, registry reference, font and
// accelerator.
#pragma once

#include "CheckContext.h"
#include "menu/MenuInfo.h"

// Relative targets are looked up from the current folder, as the menu program looks them up.
void CheckEntries(TCheckContext& Context, const TOstrelInfo& Menu, TRegistryService& Registry);
