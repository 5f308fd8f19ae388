// The process's resident anonymous memory, for tests of what is given back or never touched.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// RssAnon of /proc/self/status in KiB, or -1 where the system has no such file.
inline long ResidentAnonymousKiB() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("RssAnon:", 0) == 0) return std::atol(Line.c_str() + 8);
  return -1;
}
