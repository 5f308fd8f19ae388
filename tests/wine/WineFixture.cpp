// The Windows build's tests under Wine: the display, the window manager, the prefix and the
// started program.
#include "wine/WineFixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

bool OnPath(const std::string& Program) {
  return Capture("command -v " + Quoted(Program)).Ok;
}

// Runs a command with its output dropped; true when it ended with status 0.
bool RunQuietly(const std::string& Command) {
  return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

bool RootHasWindowManager(Display* Dpy) {
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  const Atom Check = XInternAtom(Dpy, "_NET_SUPPORTING_WM_CHECK", False);
  const bool Found = XGetWindowProperty(Dpy, DefaultRootWindow(Dpy), Check, 0, 1, False, XA_WINDOW,
                                        &Type, &Format, &Count, &After, &Data) == Success &&
                     Count == 1;
  if (Data) XFree(Data);
  return Found;
}

pid_t StartWindowManager(const std::string& DisplayName) {
  const pid_t Pid = fork();
  if (Pid == 0) {
    setenv("DISPLAY", DisplayName.c_str(), 1);
    const int Null = open("/dev/null", O_RDWR);
    dup2(Null, 1);
    dup2(Null, 2);
    execlp("openbox", "openbox", static_cast<char*>(nullptr));
    _exit(127);
  }
  return Pid;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return true;
}

TCommandResult Capture(const std::string& Command) {
  TCommandResult Result;
  FILE* Pipe = popen((Command + " 2>/dev/null").c_str(), "r");
  if (!Pipe) return Result;
  char Buffer[256];
  std::size_t Count = 0;
  while ((Count = std::fread(Buffer, 1, sizeof Buffer, Pipe)) > 0)
    Result.Output.append(Buffer, Count);
  Result.Ok = pclose(Pipe) == 0;
  return Result;
}

std::string Quoted(const std::string& Text) {
  std::string Result = "'";
  for (char C : Text) Result += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Result + "'";
}

std::string WindowsPath(const std::string& Path) {
  std::string Result = "Z:" + Path;
  std::replace(Result.begin(), Result.end(), '/', '\\');
  return Result;
}

TWineProcess::TWineProcess(const std::string& Program, const std::string& Folder,
                           const std::string& Log) {
  FPid = fork();
  if (FPid == 0) {
    if (chdir(Folder.c_str()) != 0) _exit(126);
    const int Out = open(Log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(Out, 1);
    dup2(Out, 2);
    // Wine's loader becomes the Windows process in this very process, so its exit code is the
    // program's.
    execlp("wine", "wine", Program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

TWineProcess::~TWineProcess() {
  if (FPid <= 0 || FStatus) return;
  kill(FPid, SIGKILL);
  waitpid(FPid, nullptr, 0);
}

std::optional<int> TWineProcess::WaitExit(int TimeoutMs) {
  WaitUntil([this] { return !Running(); }, TimeoutMs);
  if (!FStatus) return std::nullopt;
  return WIFEXITED(*FStatus) ? WEXITSTATUS(*FStatus) : -1;
}

bool TWineProcess::Running() {
  int WaitStatus = 0;
  if (FPid > 0 && !FStatus && waitpid(FPid, &WaitStatus, WNOHANG) == FPid) FStatus = WaitStatus;
  return FPid > 0 && !FStatus;
}

void WineTest::SetUpTestSuite() {
  for (const char* Program : {"wine", "wineboot", "wineserver", "xdotool", "openbox"})
    if (!OnPath(Program)) {
      SetUpFailure = std::string(Program) + " is not installed (scripts/install-wine.sh)";
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
  setenv("WINEARCH", "win32", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("DISPLAY", Server->Name().c_str(), 1);
  WindowManager = StartWindowManager(Server->Name());
  // A server that outlasts each program by a while keeps the prefix loaded from one test's
  // program to the next, and still ends by itself should this process die before its clean-up.
  if (!RunQuietly("wineserver -p30") || !RunQuietly("wineboot -i")) {
    SetUpFailure = "wineboot could not prepare the prefix " + Prefix;
    return;
  }
  Display* Dpy = XOpenDisplay(Server->Name().c_str());
  if (Dpy == nullptr || !WaitUntil([Dpy] { return RootHasWindowManager(Dpy); }))
    SetUpFailure = "openbox did not start";
  if (Dpy != nullptr) XCloseDisplay(Dpy);
}

void WineTest::TearDownTestSuite() {
  if (!Prefix.empty()) {
    RunQuietly("wineserver -k");
    std::error_code Ignored;
    // Removing does not follow the prefix's links to the root folder and the home folder.
    std::filesystem::remove_all(Prefix, Ignored);
    Prefix.clear();
  }
  if (WindowManager > 0) {
    kill(WindowManager, SIGTERM);
    waitpid(WindowManager, nullptr, 0);
    WindowManager = -1;
  }
  Server.reset();
}

void WineTest::SetUp() {
  ASSERT_TRUE(SetUpFailure.empty()) << SetUpFailure;
  Probe = XOpenDisplay(Server->Name().c_str());
  ASSERT_NE(Probe, nullptr);
  std::filesystem::copy_file(OSTREL_WINDOWS_EXE, Folder.File("ostrel.exe"));
  Folder.MakeDir("tools");
  // The pointer stays off the window until it is shown, so that no button starts highlighted.
  RunQuietly("xdotool mousemove 0 0");
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
  TBitmap Picture(MenuWidth, MenuHeight);
  for (int Y = 0; Y < MenuHeight; ++Y)
    for (int X = 0; X < MenuWidth; ++X) Picture.SetPixel(X, Y, BackgroundColor);
  Picture.SaveToFile(Folder.File("menu.bmp"));
  std::string Ini = "[Main]\r\nBackground=" + Background + "\r\nAppName=" + AppName +
                    "\r\nAppTaskName=" + AppTaskName +
                    "\r\nProgCount=" + std::to_string(Entries.size()) + "\r\n";
  for (std::size_t I = 0; I < Entries.size(); ++I) {
    const TEntry& E = Entries[I];
    Ini += "\r\n[Prog_" + std::to_string(I + 1) + "]\r\nX=" + std::to_string(E.Place.X) +
           "\r\nY=" + std::to_string(E.Place.Y) + "\r\nWidth=" + std::to_string(E.Place.Width) +
           "\r\nHeight=" + std::to_string(E.Place.Height) + "\r\nButtonText=" + E.Text +
           "\r\nFontInfo=Arial,14,B,0,clYellow,0\r\nHighlightColor=clLime\r\nExePath=" + E.ExePath +
           "\r\nExeCommandLine=" + E.CommandLine + "\r\nTerminateAfterStart=0\r\n";
    if (!E.PreRunMessage.empty()) Ini += "PreRunMessage=" + E.PreRunMessage + "\r\n";
  }
  Folder.Write("menu.ini", Ini);
}

void WineTest::StartProgram(const std::string& WineDebug) {
  setenv("WINEDEBUG", WineDebug.c_str(), 1);
  Menu = std::make_unique<TWineProcess>(Folder.File("ostrel.exe"), Folder.Path(),
                                        Folder.File("ostrel.log"));
  setenv("WINEDEBUG", "-all", 1);
}

::Window WineTest::StartMenu() {
  StartProgram();
  std::vector<::Window> Found;
  EXPECT_TRUE(WaitUntil([&] { return !(Found = WindowsNamed(AppName)).empty(); }))
      << "no menu window; the program said: " << Log();
  const ::Window Result = Found.empty() ? 0 : Found.front();
  if (Result != 0) {
    EXPECT_TRUE(WaitUntil([&] { return PixelAt(Result, FreeX, FreeY) == BackgroundColor; }))
        << "the background was never drawn";
  }
  return Result;
}

std::vector<::Window> WineTest::WindowsNamed(const std::string& Name) {
  const TCommandResult Found =
      Capture("xdotool search --onlyvisible --name " + Quoted("^" + Name + "$"));
  std::vector<::Window> Result;
  std::size_t Start = 0;
  while (Start < Found.Output.size()) {
    const std::size_t End = Found.Output.find('\n', Start);
    const std::string Line = Found.Output.substr(Start, End - Start);
    if (!Line.empty()) Result.push_back(std::strtoul(Line.c_str(), nullptr, 10));
    if (End == std::string::npos) break;
    Start = End + 1;
  }
  return Result;
}

std::optional<TPixel> WineTest::PixelAt(::Window W, int X, int Y) {
  const std::vector<unsigned long> Pixels = Area(W, {X, Y, 1, 1});
  if (Pixels.empty()) return std::nullopt;
  return static_cast<TPixel>(Pixels[0] & 0xFFFFFF);
}

std::vector<unsigned long> WineTest::Area(::Window W, const TButtonPlace& Place) {
  std::vector<unsigned long> Result;
  // A window that went away in the meantime is an error the test reports by what it reads.
  XErrorHandler Old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  XImage* Image = XGetImage(Probe, W, Place.X, Place.Y, static_cast<unsigned>(Place.Width),
                            static_cast<unsigned>(Place.Height), AllPlanes, ZPixmap);
  XSync(Probe, False);
  XSetErrorHandler(Old);
  if (!Image) return Result;
  for (int Y = 0; Y < Place.Height; ++Y)
    for (int X = 0; X < Place.Width; ++X) Result.push_back(XGetPixel(Image, X, Y));
  XDestroyImage(Image);
  return Result;
}

void WineTest::MovePointer(::Window W, int X, int Y) {
  RunQuietly("xdotool mousemove --window " + std::to_string(W) + " " + std::to_string(X) + " " +
             std::to_string(Y));
}

void WineTest::Click(::Window W, const TButtonPlace& Place) {
  MovePointer(W, Place.CenterX(), Place.CenterY());
  // Wine hears of the pointer through the server; the press must come after the move.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  RunQuietly("xdotool click 1");
}

void WineTest::PressReturn(::Window W) {
  RunQuietly("xdotool windowactivate --sync " + std::to_string(W) + " key Return");
}

bool WineTest::ProbeReported() {
  return WaitUntil([&] { return access(Folder.File("tools/ArgsProbe.txt").c_str(), F_OK) == 0; });
}

std::unique_ptr<TXvfb> WineTest::Server;
pid_t WineTest::WindowManager = -1;
std::string WineTest::Prefix;
std::string WineTest::SetUpFailure;
