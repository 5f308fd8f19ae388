// The Windows build's tests under Wine: the display, the window manager, the prefix and the
// started program.
#include "wine/WineFixture.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

const int WaitLimitMs = 10000;

std::string WindowsPath(const std::string& Path) {
  std::string Result = "Z:" + Path;
  std::replace(Result.begin(), Result.end(), '/', '\\');
  return Result;
}

// The processor a Windows program is built for, from the machine field of its PE header:
// "win32" for x86, "win64" for x86-64, empty for anything else.
static std::string ProgramArch(const std::string& Program) {
  const std::string Image = ReadAll(Program);
  auto Word = [&Image](std::size_t At) -> unsigned {
    return At + 2 <= Image.size() ? static_cast<unsigned char>(Image[At]) |
                                        static_cast<unsigned char>(Image[At + 1]) << 8
                                  : 0;
  };
  const std::size_t Header = Word(0x3C) | static_cast<std::size_t>(Word(0x3E)) << 16;
  if (Image.compare(0, 2, "MZ") != 0 || Image.compare(Header, 4, std::string("PE\0\0", 4)) != 0)
    return "";
  switch (Word(Header + 4)) {
    case 0x014C:
      return "win32";
    case 0x8664:
      return "win64";
    default:
      return "";
  }
}

void WineTest::SetUpTestSuite() {
  // A program of the other build would fail every test for a reason none of them names.
  for (const char* Program : {OSTREL_WINDOWS_EXE, OSTREL_WINDOWS_PROBE})
    if (ProgramArch(Program) != OSTREL_WINE_ARCH) {
      SetUpFailure = std::string(Program) + " is not the " + OSTREL_WINE_ARCH +
                     " build that this run's Wine was chosen for";
      return;
    }
  for (const char* Program : {OSTREL_WINE_LOADER, OSTREL_WINE_SERVER, "xdotool", "openbox"})
    if (!OnPath(Program)) {
      SetUpFailure = std::string(Program) + " is not installed (scripts/install-wine.sh " +
                     OSTREL_WINE_ARCH + ")";
      return;
    }
  if (!XvfbInstalled()) {
    SetUpFailure = "Xvfb is not installed";
    return;
  }
  Server = std::make_unique<TXvfb>("1024x768x24");
  if (Server->Name().empty()) {
    SetUpFailure = "Xvfb did not start";
    return;
  }
  // Every Wine process of the run shares these: a prefix of its own, without the dialogs that
  // offer to install the .NET and HTML runtimes, and without debug output.
  std::string Pattern =
      (std::filesystem::temp_directory_path() / "ostrel-wine-prefix-XXXXXX").string();
  if (mkdtemp(Pattern.data()) == nullptr) {
    SetUpFailure = "cannot make the prefix folder";
    return;
  }
  Prefix = Pattern;
  setenv("WINEPREFIX", Prefix.c_str(), 1);
  setenv("WINEARCH", OSTREL_WINE_ARCH, 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("DISPLAY", Server->Name().c_str(), 1);
  WindowManager = StartWindowManager(Server->Name());
  // A server that outlasts each program by a while keeps the prefix loaded from one test's
  // program to the next, and still ends by itself should this process die before its clean-up.
  if (!RunQuietly(std::string(OSTREL_WINE_SERVER) + " -p30") ||
      !RunQuietly(std::string(OSTREL_WINE_LOADER) + " wineboot -i")) {
    SetUpFailure = std::string("wineboot could not prepare the ") + OSTREL_WINE_ARCH + " prefix " +
                   Prefix + " with " + OSTREL_WINE_LOADER;
    return;
  }
  Display* Dpy = XOpenDisplay(Server->Name().c_str());
  if (Dpy == nullptr || !WaitUntil([Dpy] { return WindowManagerReady(Dpy); }))
    SetUpFailure = "openbox did not start";
  if (Dpy != nullptr) XCloseDisplay(Dpy);
}

void WineTest::TearDownTestSuite() {
  if (!Prefix.empty()) {
    RunQuietly(std::string(OSTREL_WINE_SERVER) + " -k");
    std::error_code Ignored;
    // Removing does not follow the prefix's links to the root folder and the home folder.
    std::filesystem::remove_all(Prefix, Ignored);
    Prefix.clear();
  }
  StopWindowManager(WindowManager);
  Server.reset();
}

void WineTest::SetUp() {
  ASSERT_TRUE(SetUpFailure.empty()) << SetUpFailure;
  Probe = XOpenDisplay(Server->Name().c_str());
  ASSERT_NE(Probe, nullptr);
  std::filesystem::copy_file(OSTREL_WINDOWS_EXE, Folder.File("ostrel.exe"));
  Folder.MakeDir("tools");
  // The pointer stays off the window until it is shown, so that no button starts highlighted.
  RunXdotool("mousemove 0 0");
}

void WineTest::TearDown() {
  Menu.reset();
  if (Probe) XCloseDisplay(Probe);
}

std::string WineTest::AddProbe() {
  std::filesystem::copy_file(OSTREL_WINDOWS_PROBE, Folder.File("tools/ArgsProbe.exe"));
  return "tools\\ArgsProbe.exe";
}

void WineTest::WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background) {
  WriteBackground(Folder.File("menu.bmp"), MenuWidth, MenuHeight);
  std::vector<TMenuButton> Buttons;
  for (const TEntry& E : Entries)
    Buttons.push_back({E.Text, E.ExePath, E.CommandLine, E.PreRunMessage, "", false, E.Place});
  Folder.Write("menu.ini", MenuIni(Background, AppName, AppTaskName, Buttons, "\r\n"));
}

void WineTest::StartProgram(const std::string& WineDebug) {
  setenv("WINEDEBUG", WineDebug.c_str(), 1);
  // Wine's loader becomes the Windows process in this very process, so its exit code is the
  // program's.
  Menu = std::make_unique<TStartedProgram>(Folder.Path(), Folder.File("ostrel.log"),
                                           [Program = Folder.File("ostrel.exe")] {
                                             execlp(OSTREL_WINE_LOADER, OSTREL_WINE_LOADER,
                                                    Program.c_str(), static_cast<char*>(nullptr));
                                           });
  setenv("WINEDEBUG", "-all", 1);
}

::Window WineTest::StartMenu() {
  StartProgram();
  return WaitMenuWindow(Probe, AppName, FreeX, FreeY, Folder.File("ostrel.log"));
}

void WineTest::MovePointer(::Window W, int X, int Y) {
  RunXdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(X) + " " +
             std::to_string(Y));
}

void WineTest::Click(::Window W, const TButtonPlace& Place) {
  MovePointer(W, Place.CenterX(), Place.CenterY());
  // Wine hears of the pointer through the server; the press must come after the move.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  RunXdotool("click 1");
}

void WineTest::PressKeys(::Window W, const std::string& Keys) {
  RunXdotool("windowactivate --sync " + std::to_string(W) + " key " + Keys);
}

std::vector<::Window> WineTest::MessageBoxes() {
  std::vector<::Window> Boxes;
  for (::Window W : WindowsNamed(AppTaskName))
    if (AttributesOf(Probe, W).width > 1) Boxes.push_back(W);
  return Boxes;
}

bool WineTest::ProbeReported() {
  return WaitUntil([&] { return access(Folder.File("tools/ArgsProbe.txt").c_str(), F_OK) == 0; });
}

std::unique_ptr<TXvfb> WineTest::Server;
pid_t WineTest::WindowManager = -1;
std::string WineTest::Prefix;
std::string WineTest::SetUpFailure;
