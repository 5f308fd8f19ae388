// ostrel-inspect: prints the menu description the menu program would load from a folder or file.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "MenuReport.h"
#include "menu/MenuInfo.h"

namespace {

constexpr const char* Usage =
    "usage: ostrel-inspect [--json] PATH\n"
    "  PATH  a menu folder or its menu.ini\n";

}  // namespace

int main(int argc, char** argv) {
  bool Json = false;
  const char* Path = nullptr;
  for (int I = 1; I < argc; ++I) {
    if (std::strcmp(argv[I], "--json") == 0) {
      Json = true;
    } else if (std::strcmp(argv[I], "--help") == 0 || std::strcmp(argv[I], "-h") == 0) {
      std::fputs(Usage, stdout);
      return 0;
    } else if (Path == nullptr && argv[I][0] != '-') {
      Path = argv[I];
    } else {
      std::fprintf(stderr, "ostrel-inspect: unexpected argument '%s'\n%s", argv[I], Usage);
      return 2;
    }
  }
  if (Path == nullptr) {
    std::fputs(Usage, stderr);
    return 2;
  }
  std::optional<std::string> MenuFile = MenuFileOf(Path);
  if (!MenuFile) {
    std::fprintf(stderr, "ostrel-inspect: '%s' is neither a folder nor a file\n", Path);
    return 2;
  }
  try {
    TOstrelInfo Menu(*MenuFile);
    std::string Report = Json ? MenuReportJson(Menu) : MenuReportText(Menu);
    std::fwrite(Report.data(), 1, Report.size(), stdout);
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "ostrel-inspect: %s\n", Error.what());
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
