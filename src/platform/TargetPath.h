// The one path a menu target is checked at and started from, so that what shows as available
// is what a click starts.
#pragma once

#include <string>

// True when the full path fits the classic full-path buffer (MaxPath) counted in characters:
// the code points of UTF-8 text, else bytes.
bool FitsMaxPath(const std::string& FullPath);

// The target's full path, collapsed the way the classic full-path call does (".." takes away the
// folder written before it, whatever that folder links to) and then found without regard to
// letter case; empty for an empty name or a path that does not fit MaxPath.
std::string TargetPath(const std::string& FileName);

// True when TargetPath names a regular file: not a folder, a FIFO or a device.
bool TargetFileExists(const std::string& FullPath);

// True when Target is a web or mail address the desktop's handler opens: it starts with
// "http:", "https:", "mailto:", "ftp:" or "file:", in any letter case. Such a target is never
// looked up as a file.
bool IsUrlTarget(const std::string& Target);
