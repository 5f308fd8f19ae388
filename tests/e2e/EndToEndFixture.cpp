// The end-to-end tests' shared ground: the display, the window manager, the started program.
#include "e2e/EndToEndFixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

bool OnPath(const std::string& Program) {
  const char* Path = std::getenv("PATH");
  std::string Rest = Path ? Path : "";
  while (!Rest.empty()) {
    const std::size_t Colon = Rest.find(':');
    const std::string Folder = Rest.substr(0, Colon);
    if (!Folder.empty() && access((Folder + "/" + Program).c_str(), X_OK) == 0) return true;
    Rest = Colon == std::string::npos ? "" : Rest.substr(Colon + 1);
  }
  return false;
}

bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
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

std::vector<::Window> WindowsNamed(const std::string& Name) {
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

void Xdotool(const std::string& Arguments) {
  RunCommand("xdotool " + Arguments);
}

TMenuProcess::TMenuProcess(const std::string& Folder, const std::string& DisplayName) {
  const std::string Program = Folder + "/ostrel";
  const std::string Log = Folder + "/ostrel.log";
  FPid = fork();
  if (FPid == 0) {
    if (chdir(Folder.c_str()) != 0) _exit(126);
    setenv("DISPLAY", DisplayName.c_str(), 1);
    const int Out = open(Log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(Out, 1);
    dup2(Out, 2);
    execl(Program.c_str(), Program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

TMenuProcess::~TMenuProcess() {
  if (FPid <= 0 || FStatus) return;
  kill(FPid, SIGKILL);
  waitpid(FPid, nullptr, 0);
}

std::optional<int> TMenuProcess::WaitExit(int TimeoutMs) {
  WaitUntil(
      [this] {
        int WaitStatus = 0;
        if (!FStatus && waitpid(FPid, &WaitStatus, WNOHANG) == FPid) FStatus = WaitStatus;
        return FStatus.has_value();
      },
      TimeoutMs);
  if (!FStatus) return std::nullopt;
  return WIFEXITED(*FStatus) ? WEXITSTATUS(*FStatus) : -1;
}

bool TMenuProcess::Running() {
  int WaitStatus = 0;
  if (!FStatus && waitpid(FPid, &WaitStatus, WNOHANG) == FPid) FStatus = WaitStatus;
  return !FStatus;
}

void EndToEndTest::SetUpTestSuite() {
  if (!XvfbInstalled() || !OnPath("xdotool")) return;
  Server = std::make_unique<TXvfb>("1024x768x24");
  if (Server->Name().empty() || !OnPath("openbox")) return;
  WindowManager = fork();
  if (WindowManager == 0) {
    setenv("DISPLAY", Server->Name().c_str(), 1);
    const int Null = open("/dev/null", O_RDWR);
    dup2(Null, 1);
    dup2(Null, 2);
    execlp("openbox", "openbox", static_cast<char*>(nullptr));
    _exit(127);
  }
}

void EndToEndTest::TearDownTestSuite() {
  if (WindowManager > 0) {
    kill(WindowManager, SIGTERM);
    waitpid(WindowManager, nullptr, 0);
    WindowManager = -1;
  }
  Server.reset();
}

void EndToEndTest::SetUp() {
  if (!Server) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  ASSERT_FALSE(Server->Name().empty()) << "Xvfb did not start";
  DisplayEnv = std::make_unique<TScopedEnv>("DISPLAY", Server->Name());
  Probe = XOpenDisplay(Server->Name().c_str());
  ASSERT_NE(Probe, nullptr);
  if (WindowManager > 0) {
    ASSERT_TRUE(WaitUntil([this] { return WindowManagerReady(); }));
  }
  std::filesystem::copy_file(OSTREL_EXE, Folder.File("ostrel"));
  Folder.MakeDir("tools");
}

void EndToEndTest::TearDown() {
  Menu.reset();
  if (Probe) XCloseDisplay(Probe);
}

bool EndToEndTest::WindowManagerReady() {
  return RootProperty("_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
}

bool EndToEndTest::RootProperty(const char* Name, Atom Kind) {
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  const bool Found =
      XGetWindowProperty(Probe, DefaultRootWindow(Probe), AtomOf(Probe, Name), 0, 1, False, Kind,
                         &Type, &Format, &Count, &After, &Data) == Success &&
      Count == 1;
  if (Data) XFree(Data);
  return Found;
}

std::string EndToEndTest::WriteTarget(const std::string& Name, const std::string& Marker) {
  const std::string Path = Folder.Write(
      "tools/" + Name, "#!/bin/sh\n{ pwd; for A in \"$@\"; do echo \"$A\"; done; } > " +
                           Quoted(Folder.File(Marker) + ".part") + " && mv " +
                           Quoted(Folder.File(Marker) + ".part") + " " +
                           Quoted(Folder.File(Marker)) + "\n");
  chmod(Path.c_str(), 0755);
  return "tools\\" + Name;
}

void EndToEndTest::WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background) {
  TBitmap Picture(MenuWidth, MenuHeight);
  for (int Y = 0; Y < MenuHeight; ++Y)
    for (int X = 0; X < MenuWidth; ++X) Picture.SetPixel(X, Y, BackgroundColor);
  Picture.SaveToFile(Folder.File("menu.bmp"));
  std::string Ini = "[Main]\nBackground=" + Background + "\nAppName=" + AppName +
                    "\nAppTaskName=" + AppTaskName +
                    "\nProgCount=" + std::to_string(Entries.size()) + "\n";
  for (std::size_t I = 0; I < Entries.size(); ++I) {
    const TEntry& E = Entries[I];
    Ini += "\n[Prog_" + std::to_string(I + 1) + "]\nX=" + std::to_string(E.Place.X) +
           "\nY=" + std::to_string(E.Place.Y) + "\nWidth=" + std::to_string(E.Place.Width) +
           "\nHeight=" + std::to_string(E.Place.Height) + "\nButtonText=" + E.Text +
           "\nFontInfo=Arial,14,B,0,clYellow,0\nHighlightColor=clLime\nExePath=" + E.ExePath +
           "\nExeCommandLine=" + E.CommandLine +
           "\nTerminateAfterStart=" + (E.TerminateAfterStart ? "1" : "0") + "\n";
    if (!E.PreRunMessage.empty()) Ini += "PreRunMessage=" + E.PreRunMessage + "\n";
    if (!E.AfterRunMessage.empty()) Ini += "AfterRunMessage=" + E.AfterRunMessage + "\n";
  }
  Folder.Write("menu.ini", Ini);
}

::Window EndToEndTest::StartMenu() {
  Menu = std::make_unique<TMenuProcess>(Folder.Path(), Server->Name());
  EXPECT_TRUE(Menu->Started());
  std::vector<::Window> Found;
  EXPECT_TRUE(WaitUntil([&] { return !(Found = WindowsNamed(AppName)).empty(); }))
      << "no menu window; the program said: " << ReadAll(Folder.File("ostrel.log"));
  const ::Window Result = Found.empty() ? 0 : Found.front();
  if (Result != 0) {
    EXPECT_TRUE(WaitUntil([&] { return PixelAt(Result, FreeX, FreeY) == BackgroundColor; }))
        << "the background was never drawn";
  }
  return Result;
}

std::optional<TPixel> EndToEndTest::PixelAt(::Window W, int X, int Y) {
  const std::vector<unsigned long> Pixels = Area(W, {X, Y, 1, 1});
  if (Pixels.empty()) return std::nullopt;
  return static_cast<TPixel>(Pixels[0] & 0xFFFFFF);
}

std::vector<unsigned long> EndToEndTest::Area(::Window W, const TButtonPlace& Place) {
  std::vector<unsigned long> Result;
  XImage* Image = XGetImage(Probe, W, Place.X, Place.Y, static_cast<unsigned>(Place.Width),
                            static_cast<unsigned>(Place.Height), AllPlanes, ZPixmap);
  if (!Image) return Result;
  for (int Y = 0; Y < Place.Height; ++Y)
    for (int X = 0; X < Place.Width; ++X) Result.push_back(XGetPixel(Image, X, Y));
  XDestroyImage(Image);
  return Result;
}

void EndToEndTest::Click(::Window W, const TButtonPlace& Place) {
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(Place.CenterX()) + " " +
          std::to_string(Place.CenterY()) + " click 1");
}

::Window EndToEndTest::WaitDialog(::Window Except) {
  ::Window Result = 0;
  WaitUntil([&] {
    for (::Window W : WindowsNamed(AppTaskName))
      if (W != Except) Result = W;
    return Result != 0;
  });
  return Result;
}

void EndToEndTest::PressReturn(::Window W) {
  Xdotool("windowfocus --sync " + std::to_string(W) + " key Return");
}

bool EndToEndTest::Gone(::Window W, const std::string& Name) {
  return WaitUntil([&] {
    for (::Window Shown : WindowsNamed(Name))
      if (Shown == W) return false;
    return true;
  });
}

bool EndToEndTest::MarkerWritten(const std::string& Marker) {
  return WaitUntil([&] { return access(Folder.File(Marker).c_str(), F_OK) == 0; });
}

std::unique_ptr<TXvfb> EndToEndTest::Server;
pid_t EndToEndTest::WindowManager = -1;
