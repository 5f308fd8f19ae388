// The menu description as a report: each value under the name it has in the file, as JSON or as
// a readable listing.
#pragma once

#include <optional>
#include <string>

#include "menu/MenuInfo.h"

// The settings file a path stands for: a folder's menu.ini, or the file itself, as a full path.
// Nothing when the path is neither a folder nor a file.
std::optional<std::string> MenuFileOf(const std::string& Path);

// Texts come out as UTF-8: unchanged when they are UTF-8 already, else read as Windows-1252.
std::string MenuReportJson(const TOstrelInfo& Menu);
std::string MenuReportText(const TOstrelInfo& Menu);
