// What a menu button does, decided from its target, and whether it can do it.
#pragma once

#include <cstdint>
#include <string>

enum class TEntryAction : std::uint8_t { eaNone, eaFile, eaFolder, eaUrl, eaExit };

// The name ostrel-inspect reports: "none", "file", "folder", "url" or "exit".
const char* EntryActionName(TEntryAction Action);

// eaNone for an empty target; eaExit for "$EXIT$" in any letter case; eaUrl for a web or mail
// address (IsUrlTarget); eaFolder for a folder that exists at the path a click would open
// (TargetPath); eaFile for everything else, whether or not it exists.
TEntryAction TargetAction(const std::string& Target);

// Whether the button of Target is enabled: an exit or an address always; a folder that exists;
// a regular file (not a FIFO or device) that exists at TargetPath, relative names being taken
// from the current folder. A button without a target never is.
bool TargetAvailable(const std::string& Target);
