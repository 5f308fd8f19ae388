// ostrel-inspect: prints the menu description the menu program would load from a folder or file,
// checks it for mistakes, or saves the face of the menu window as a PNG picture.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "MenuCheck.h"
#include "MenuRender.h"
#include "MenuReport.h"
#include "framework/Application.h"
#include "framework/FileName.h"
#include "menu/MenuInfo.h"
#include "platform/DisplayScale.h"
#include "platform/Driver.h"

namespace {

constexpr const char* Usage =
    "usage: ostrel-inspect [--json] PATH\n"
    "       ostrel-inspect --check [--json] PATH\n"
    "       ostrel-inspect --render FILE.png [--hot N | --down N] [--scale S] PATH\n"
    "  PATH             a menu folder or its menu.ini\n"
    "  --json           the description (or the findings) as JSON instead of a listing\n"
    "  --check          list every mistake found in the menu, one line each, as\n"
    "                   FILE:LINE: error|warning: TEXT; exit status 1 when there is an error\n"
    "  --render FILE    save the menu window's face, as the menu program paints it, as a PNG\n"
    "  --hot N          ...with the button of entry N (0-based) under the pointer\n"
    "  --down N         ...with the button of entry N held down\n"
    "  --scale S        ...drawn at the screen scale S (1 to 4, in quarter steps)\n";

int UsageError(const std::string& Message) {
  std::fprintf(stderr, "ostrel-inspect: %s\n%s", Message.c_str(), Usage);
  return 2;
}

// An entry number: decimal digits only, within a sensible range.
bool ParseEntry(const char* Text, int& Entry) {
  if (Text == nullptr || *Text == '\0' || std::strlen(Text) > 6) return false;
  for (const char* C = Text; *C; ++C)
    if (*C < '0' || *C > '9') return false;
  Entry = std::atoi(Text);
  return true;
}

int Check(const std::string& MenuFile, bool Json) {
  try {
    std::unique_ptr<TRegistryService> Registry = Driver().OpenRegistry();
    const std::vector<TFinding> Findings = CheckMenu(MenuFile, *Registry);
    const std::string Report = Json ? FindingsJson(Findings) : FindingsText(Findings);
    std::fwrite(Report.data(), 1, Report.size(), stdout);
    if (std::fflush(stdout) != 0) return 2;
    return HasErrors(Findings) ? 1 : 0;
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "ostrel-inspect: %s\n", Error.what());
    return 2;
  }
}

int Render(const std::string& MenuFile, const TRenderRequest& Partial) {
  TRenderRequest Request = Partial;
  Request.MenuDir = ExtractFilePath(MenuFile);
  // The menu program reads the menu.ini beside it and no other file.
  if (MenuFileOf(Request.MenuDir) != MenuFile)
    return UsageError("--render draws the menu.ini of a folder, not '" + MenuFile + "'");
  std::string Refusal;
  try {
    if (RenderMenu(Request, Refusal)) return 0;
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "ostrel-inspect: %s\n", ErrorBoxText(Error.what()).c_str());
    return 1;
  }
  std::fprintf(stderr, "ostrel-inspect: %s\n", Refusal.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  bool Json = false;
  bool Rendering = false;
  bool Checking = false;
  bool Scaled = false;
  TRenderRequest Request;
  const char* Path = nullptr;
  for (int I = 1; I < argc; ++I) {
    const char* Value = I + 1 < argc ? argv[I + 1] : nullptr;
    if (std::strcmp(argv[I], "--json") == 0) {
      Json = true;
    } else if (std::strcmp(argv[I], "--check") == 0) {
      Checking = true;
    } else if (std::strcmp(argv[I], "--render") == 0) {
      if (Rendering || Value == nullptr) return UsageError("--render needs one picture file");
      Rendering = true;
      Request.PngFile = Value;
      ++I;
    } else if (std::strcmp(argv[I], "--hot") == 0 || std::strcmp(argv[I], "--down") == 0) {
      if (Request.Pose != TRenderPose::rpNone) return UsageError("give one of --hot and --down");
      if (!ParseEntry(Value, Request.Entry))
        return UsageError(std::string(argv[I]) + " needs an entry number");
      Request.Pose = argv[I][2] == 'h' ? TRenderPose::rpHot : TRenderPose::rpDown;
      ++I;
    } else if (std::strcmp(argv[I], "--scale") == 0) {
      const std::optional<double> Scale = ScaleFromText(Value);
      if (!Scale) return UsageError("--scale needs a number from 1 to 4");
      Request.Scale = *Scale;
      Scaled = true;
      ++I;
    } else if (std::strcmp(argv[I], "--help") == 0 || std::strcmp(argv[I], "-h") == 0) {
      std::fputs(Usage, stdout);
      return 0;
    } else if (Path == nullptr && argv[I][0] != '-') {
      Path = argv[I];
    } else {
      return UsageError("unexpected argument '" + std::string(argv[I]) + "'");
    }
  }
  if (Path == nullptr) {
    std::fputs(Usage, stderr);
    return 2;
  }
  if (Rendering && Json) return UsageError("--json and --render do not go together");
  if (Rendering && Checking) return UsageError("--check and --render do not go together");
  if (!Rendering && Request.Pose != TRenderPose::rpNone)
    return UsageError("--hot and --down need --render");
  if (!Rendering && Scaled) return UsageError("--scale needs --render");
  std::optional<std::string> MenuFile = MenuFileOf(Path);
  if (!MenuFile) {
    std::fprintf(stderr, "ostrel-inspect: '%s' is neither a folder nor a file\n", Path);
    return 2;
  }
  // Targets are looked up from the menu folder, as the menu program does wherever it is started.
  if (Rendering) Request.PngFile = Driver().Files().ExpandFileName(Request.PngFile);
  if (!Driver().Files().SetCurrentDir(ExtractFilePath(*MenuFile))) {
    std::fprintf(stderr, "ostrel-inspect: cannot enter the menu folder of %s\n", MenuFile->c_str());
    return 2;
  }
  if (Rendering) return Render(*MenuFile, Request);
  if (Checking) return Check(*MenuFile, Json);
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
