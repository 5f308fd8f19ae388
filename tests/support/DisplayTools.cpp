// The tools of the tests that drive the built program on a virtual display from outside.
#include "support/DisplayTools.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "support/TempDir.h"

bool OnPath(const std::string& Program) {
  if (Program.find('/') != std::string::npos) return access(Program.c_str(), X_OK) == 0;
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

bool RunQuietly(const std::string& Command) {
  return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

bool RunXdotool(const std::string& Arguments) {
  return RunQuietly("xdotool " + Arguments);
}

void Xdotool(const std::string& Arguments) {
  EXPECT_TRUE(RunXdotool(Arguments)) << "xdotool " << Arguments;
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

std::string WindowName(::Window W) {
  std::string Name = Capture("xdotool getwindowname " + std::to_string(W)).Output;
  if (!Name.empty() && Name.back() == '\n') Name.pop_back();
  return Name;
}

XWindowAttributes AttributesOf(Display* Dpy, ::Window W) {
  XWindowAttributes Attributes{};
  if (!XGetWindowAttributes(Dpy, W, &Attributes)) return XWindowAttributes{};
  return Attributes;
}

std::vector<unsigned long> ReadArea(Display* Dpy, ::Window W, const TButtonPlace& Place) {
  std::vector<unsigned long> Result;
  // A window that went away in the meantime is an error the test reports by what it reads.
  XErrorHandler Old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  XImage* Image = XGetImage(Dpy, W, Place.X, Place.Y, static_cast<unsigned>(Place.Width),
                            static_cast<unsigned>(Place.Height), AllPlanes, ZPixmap);
  XSync(Dpy, False);
  XSetErrorHandler(Old);
  if (!Image) return Result;
  for (int Y = 0; Y < Place.Height; ++Y)
    for (int X = 0; X < Place.Width; ++X) Result.push_back(XGetPixel(Image, X, Y));
  XDestroyImage(Image);
  return Result;
}

std::optional<TPixel> ReadPixel(Display* Dpy, ::Window W, int X, int Y) {
  const std::vector<unsigned long> Pixels = ReadArea(Dpy, W, {X, Y, 1, 1});
  if (Pixels.empty()) return std::nullopt;
  return static_cast<TPixel>(Pixels[0] & 0xFFFFFF);
}

::Window WaitMenuWindow(Display* Dpy, const std::string& Name, int FreeX, int FreeY,
                        const std::string& LogFile) {
  // The first start of a run loads the program from a cold disk cache, and builds the font
  // answers, possibly on a machine busy with other tests: it may take several usual waits.
  constexpr int Patience = 4;
  std::vector<::Window> Found;
  EXPECT_TRUE(
      WaitUntil([&] { return !(Found = WindowsNamed(Name)).empty(); }, Patience * WaitLimitMs))
      << "no menu window; the program said: " << ReadAll(LogFile);
  const ::Window Result = Found.empty() ? 0 : Found.front();
  if (Result != 0) {
    EXPECT_TRUE(WaitUntil([&] { return ReadPixel(Dpy, Result, FreeX, FreeY) == BackgroundColor; },
                          Patience * WaitLimitMs))
        << "the background was never drawn";
  }
  return Result;
}

void WriteBackground(const std::string& FileName, int Width, int Height) {
  TBitmap Picture(Width, Height);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) Picture.SetPixel(X, Y, BackgroundColor);
  Picture.SaveToFile(FileName);
}

std::string MenuIni(const std::string& Background, const std::string& AppName,
                    const std::string& AppTaskName, const std::vector<TMenuButton>& Buttons,
                    const std::string& LineEnd) {
  const std::string& N = LineEnd;
  std::string Ini = "[Main]" + N + "Background=" + Background + N + "AppName=" + AppName + N +
                    "AppTaskName=" + AppTaskName + N +
                    "ProgCount=" + std::to_string(Buttons.size()) + N;
  for (std::size_t I = 0; I < Buttons.size(); ++I) {
    const TMenuButton& B = Buttons[I];
    Ini += N + "[Prog_" + std::to_string(I + 1) + "]" + N + "X=" + std::to_string(B.Place.X) + N +
           "Y=" + std::to_string(B.Place.Y) + N + "Width=" + std::to_string(B.Place.Width) + N +
           "Height=" + std::to_string(B.Place.Height) + N + "ButtonText=" + B.Text + N +
           "FontInfo=Arial,14,B,0,clYellow,0" + N + "HighlightColor=clLime" + N +
           "ExePath=" + B.ExePath + N + "ExeCommandLine=" + B.CommandLine + N +
           "TerminateAfterStart=" + (B.TerminateAfterStart ? "1" : "0") + N;
    if (!B.PreRunMessage.empty()) Ini += "PreRunMessage=" + B.PreRunMessage + N;
    if (!B.AfterRunMessage.empty()) Ini += "AfterRunMessage=" + B.AfterRunMessage + N;
  }
  return Ini;
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

namespace {

// Whether the window manager takes a window that is mapped now: it reparents the windows it
// manages into frames of its own. A manager that has only announced itself may not yet handle
// map requests, and a window mapped then stays unmapped for good.
bool ManagesNewWindow(Display* Dpy) {
  const ::Window Root = DefaultRootWindow(Dpy);
  const ::Window Test = XCreateSimpleWindow(Dpy, Root, 0, 0, 8, 8, 0, 0, 0);
  XMapWindow(Dpy, Test);
  XSync(Dpy, False);
  const bool Framed = WaitUntil(
      [&] {
        ::Window RootOf = 0, Parent = 0, *Children = nullptr;
        unsigned Count = 0;
        if (!XQueryTree(Dpy, Test, &RootOf, &Parent, &Children, &Count)) return false;
        if (Children) XFree(Children);
        return Parent != Root;
      },
      1000);
  XDestroyWindow(Dpy, Test);
  XSync(Dpy, False);
  return Framed;
}

}  // namespace

bool WindowManagerReady(Display* Dpy) {
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  const Atom Check = XInternAtom(Dpy, "_NET_SUPPORTING_WM_CHECK", False);
  const bool Found = XGetWindowProperty(Dpy, DefaultRootWindow(Dpy), Check, 0, 1, False, XA_WINDOW,
                                        &Type, &Format, &Count, &After, &Data) == Success &&
                     Count == 1;
  if (Data) XFree(Data);
  return Found && ManagesNewWindow(Dpy);
}

void StopWindowManager(pid_t& Pid) {
  if (Pid <= 0) return;
  kill(Pid, SIGTERM);
  waitpid(Pid, nullptr, 0);
  Pid = -1;
}

TStartedProgram::TStartedProgram(const std::string& Folder, const std::string& Log,
                                 const std::function<void()>& Exec) {
  FPid = fork();
  if (FPid == 0) {
    if (chdir(Folder.c_str()) != 0) _exit(126);
    const int Out = open(Log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(Out, 1);
    dup2(Out, 2);
    Exec();
    _exit(127);
  }
}

TStartedProgram::~TStartedProgram() {
  if (FPid <= 0 || FStatus) return;
  kill(FPid, SIGKILL);
  waitpid(FPid, nullptr, 0);
}

std::optional<int> TStartedProgram::WaitExit(int TimeoutMs) {
  WaitUntil([this] { return !Running(); }, TimeoutMs);
  if (!FStatus) return std::nullopt;
  return WIFEXITED(*FStatus) ? WEXITSTATUS(*FStatus) : -1;
}

bool TStartedProgram::Running() {
  int WaitStatus = 0;
  if (FPid > 0 && !FStatus && waitpid(FPid, &WaitStatus, WNOHANG) == FPid) FStatus = WaitStatus;
  return FPid > 0 && !FStatus;
}

TScopedMount::TScopedMount(const std::string& MountCommand, const std::string& Target)
    : FTarget(Target) {
  FMounted =
      RunQuietly("mkdir -p " + Quoted(Target) + " && " + MountCommand + " " + Quoted(Target));
}

TScopedMount::~TScopedMount() {
  if (FMounted) RunQuietly("umount " + Quoted(FTarget));
}
