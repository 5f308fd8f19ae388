// Times whole programs on an X display as a user sees them: from the process start until its
// first complete frame is on the screen, from the pointer entering a button until the button's
// hot frame is on the screen, the resident memory once shown, and the CPU time and wake-ups of
// five idle seconds. The menu program and the reference window are measured in turns.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ReferenceWindow.h"
#include "platform/FileSystem.h"
#include "platform/PngDecoder.h"

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point Start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
}

// The pixels a program must show, 0x00RRGGBB row by row.
struct TFrame {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

TFrame LoadFrame(const std::string& FileName) {
  std::string Bytes;
  TPngImage Image;
  if (ReadFileBytes(FileName, MaxPngBytes, Bytes) != TReadStatus::rsRead ||
      !DecodePng(Bytes, Image)) {
    std::fprintf(stderr, "startup-probe: cannot read %s\n", FileName.c_str());
    std::exit(2);
  }
  TFrame Frame{Image.Width, Image.Height, std::move(Image.Pixels)};
  for (std::uint32_t& Pixel : Frame.Pixels) Pixel &= 0x00FFFFFFu;
  return Frame;
}

TFrame ReferenceFrame(int Width, int Height, bool Hot) {
  TFrame Frame{Width, Height, {}};
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) Frame.Pixels.push_back(ReferencePixel(X, Y, Hot));
  return Frame;
}

struct TProgram {
  std::string Name;
  std::vector<std::string> Command;
  TFrame Face;
  TFrame HotFace;
};

struct TRun {
  double StartMs = 0;
  double HoverMs = 0;
  long RssKiB = 0;
};

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

// True when the window's area Rect shows Expected's pixels there.
bool Shows(Display* Dpy, Window Win, const TFrame& Expected, const TReferenceRect& Rect) {
  XImage* Image = XGetImage(Dpy, Win, Rect.X, Rect.Y, static_cast<unsigned>(Rect.Width),
                            static_cast<unsigned>(Rect.Height), AllPlanes, ZPixmap);
  if (Image == nullptr) return false;
  bool Same = Image->bits_per_pixel == 32;
  for (int Y = 0; Same && Y < Rect.Height; ++Y) {
    const auto* Row = reinterpret_cast<const std::uint32_t*>(
        Image->data + static_cast<long>(Y) * Image->bytes_per_line);
    for (int X = 0; Same && X < Rect.Width; ++X)
      Same = (Row[X] & 0x00FFFFFFu) == Expected.At(Rect.X + X, Rect.Y + Y);
  }
  XDestroyImage(Image);
  return Same;
}

bool WaitShows(Display* Dpy, Window Win, const TFrame& Expected, const TReferenceRect& Rect) {
  const auto Deadline = TClock::now() + std::chrono::seconds(10);
  while (TClock::now() < Deadline)
    if (Shows(Dpy, Win, Expected, Rect)) return true;
  return false;
}

// The first top-level window mapped after the call, or 0 after ten seconds.
Window WaitMapped(Display* Dpy) {
  const auto Deadline = TClock::now() + std::chrono::seconds(10);
  while (TClock::now() < Deadline) {
    while (XPending(Dpy) > 0) {
      XEvent Event;
      XNextEvent(Dpy, &Event);
      if (Event.type == MapNotify) return Event.xmap.window;
    }
    pollfd Fd{ConnectionNumber(Dpy), POLLIN, 0};
    poll(&Fd, 1, 100);
  }
  return 0;
}

long StatusField(const std::string& File, const std::string& Key) {
  std::ifstream In(File);
  std::string Line;
  while (std::getline(In, Line))
    if (Line.rfind(Key + ":", 0) == 0) return std::atol(Line.c_str() + Key.size() + 1);
  return 0;
}

// Context switches of every thread of the process: each one is a wake-up.
long WakeUps(pid_t Pid) {
  long Total = 0;
  const std::string Tasks = "/proc/" + std::to_string(Pid) + "/task";
  if (DIR* Dir = opendir(Tasks.c_str())) {
    while (dirent* Entry = readdir(Dir)) {
      if (Entry->d_name[0] == '.') continue;
      const std::string StatusFile = Tasks + "/" + Entry->d_name + "/status";
      Total += StatusField(StatusFile, "voluntary_ctxt_switches") +
               StatusField(StatusFile, "nonvoluntary_ctxt_switches");
    }
    closedir(Dir);
  }
  return Total;
}

// User and system CPU time of the process, in clock ticks.
long CpuTicks(pid_t Pid) {
  std::ifstream In("/proc/" + std::to_string(Pid) + "/stat");
  std::string Stat((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  std::istringstream Fields(Stat.substr(Stat.rfind(')') + 2));
  std::string Field;
  long Ticks = 0;
  for (int Index = 3; Fields >> Field && Index <= 15; ++Index)
    if (Index >= 14) Ticks += std::atol(Field.c_str());
  return Ticks;
}

pid_t Spawn(const std::vector<std::string>& Command) {
  std::vector<char*> Argv;
  for (const std::string& Word : Command) Argv.push_back(const_cast<char*>(Word.c_str()));
  Argv.push_back(nullptr);
  pid_t Pid = 0;
  if (posix_spawn(&Pid, Argv[0], nullptr, nullptr, Argv.data(), environ) != 0) {
    std::fprintf(stderr, "startup-probe: cannot start %s\n", Argv[0]);
    std::exit(2);
  }
  return Pid;
}

void Stop(pid_t Pid) {
  kill(Pid, SIGTERM);
  waitpid(Pid, nullptr, 0);
}

void PointerAway(Display* Dpy) {
  XWarpPointer(Dpy, None, DefaultRootWindow(Dpy), 0, 0, 0, 0, 0, 0);
  XSync(Dpy, False);
}

struct TIdle {
  long CpuTicks = 0;
  long WakeUps = 0;
};

// One start of Program; Idle is measured when asked for, after the hover has been undone.
bool Measure(Display* Dpy, const TProgram& Program, TRun& Run, TIdle* Idle, int IdleSeconds) {
  const TReferenceRect Whole{0, 0, Program.Face.Width, Program.Face.Height};
  PointerAway(Dpy);
  const auto Start = TClock::now();
  const pid_t Pid = Spawn(Program.Command);
  const Window Win = WaitMapped(Dpy);
  const bool Shown = Win != 0 && WaitShows(Dpy, Win, Program.Face, Whole);
  Run.StartMs = MillisecondsSince(Start);
  if (!Shown) {
    std::fprintf(stderr, "startup-probe: %s never showed its frame\n", Program.Name.c_str());
    Stop(Pid);
    return false;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  Run.RssKiB = StatusField("/proc/" + std::to_string(Pid) + "/status", "VmRSS");

  const TReferenceRect& Button = ReferenceButton;
  const auto Enter = TClock::now();
  XWarpPointer(Dpy, None, Win, 0, 0, 0, 0, Button.X + Button.Width / 2,
               Button.Y + Button.Height / 2);
  XFlush(Dpy);
  const bool Hot = WaitShows(Dpy, Win, Program.HotFace, Button);
  Run.HoverMs = MillisecondsSince(Enter);
  if (Hot && Idle != nullptr) {
    PointerAway(Dpy);
    WaitShows(Dpy, Win, Program.Face, Button);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long Ticks = CpuTicks(Pid), Wakes = WakeUps(Pid);
    std::this_thread::sleep_for(std::chrono::seconds(IdleSeconds));
    Idle->CpuTicks = CpuTicks(Pid) - Ticks;
    Idle->WakeUps = WakeUps(Pid) - Wakes;
  }
  Stop(Pid);
  if (!Hot)
    std::fprintf(stderr, "startup-probe: %s never showed its hot button\n", Program.Name.c_str());
  return Hot;
}

template <typename T>
T Median(std::vector<T> Values) {
  std::sort(Values.begin(), Values.end());
  return Values[Values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs(
        "usage: startup-probe RUNS WARMUPS REFERENCE-PROGRAM MENU-PROGRAM FACE.png HOT.png\n",
        stderr);
    return 2;
  }
  const int Runs = std::max(1, std::atoi(argv[1])), Warmups = std::max(0, std::atoi(argv[2]));
  constexpr int IdleSeconds = 5;
  TProgram Menu{"menu", {argv[4]}, LoadFrame(argv[5]), LoadFrame(argv[6])};
  const std::string Width = std::to_string(Menu.Face.Width);
  const std::string Height = std::to_string(Menu.Face.Height);
  TProgram Reference{"reference",
                     {argv[3], Width, Height},
                     ReferenceFrame(Menu.Face.Width, Menu.Face.Height, false),
                     ReferenceFrame(Menu.Face.Width, Menu.Face.Height, true)};

  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr) {
    std::fputs("startup-probe: no display\n", stderr);
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  XSelectInput(Dpy, DefaultRootWindow(Dpy), SubstructureNotifyMask);

  std::vector<TRun> MenuRuns, ReferenceRuns;
  TIdle MenuIdle, ReferenceIdle;
  for (int I = 0; I < Warmups + Runs; ++I) {
    const bool Last = I == Warmups + Runs - 1;
    TRun MenuRun, ReferenceRun;
    if (!Measure(Dpy, Reference, ReferenceRun, Last ? &ReferenceIdle : nullptr, IdleSeconds) ||
        !Measure(Dpy, Menu, MenuRun, Last ? &MenuIdle : nullptr, IdleSeconds))
      return 1;
    if (I < Warmups) continue;
    MenuRuns.push_back(MenuRun);
    ReferenceRuns.push_back(ReferenceRun);
  }

  auto Column = [](const std::vector<TRun>& Values, auto Field) {
    std::vector<double> Result;
    for (const TRun& Run : Values) Result.push_back(static_cast<double>(Run.*Field));
    return Median(Result);
  };
  const double MenuStart = Column(MenuRuns, &TRun::StartMs);
  const double ReferenceStart = Column(ReferenceRuns, &TRun::StartMs);
  const double MenuHover = Column(MenuRuns, &TRun::HoverMs);
  const double ReferenceHover = Column(ReferenceRuns, &TRun::HoverMs);
  const double MenuRss = Column(MenuRuns, &TRun::RssKiB);
  const double ReferenceRss = Column(ReferenceRuns, &TRun::RssKiB);
  std::printf("window %s x %s, medians of %d runs after %d warm-ups\n", Width.c_str(),
              Height.c_str(), Runs, Warmups);
  std::printf("%-28s %10s %10s %8s\n", "", "menu", "reference", "ratio");
  std::printf("%-28s %10.2f %10.2f %8.2f\n", "start to first frame (ms)", MenuStart, ReferenceStart,
              MenuStart / ReferenceStart);
  std::printf("%-28s %10.2f %10.2f %8.2f\n", "pointer in to hot frame (ms)", MenuHover,
              ReferenceHover, MenuHover / ReferenceHover);
  std::printf("%-28s %10.0f %10.0f %8.2f\n", "resident memory (KiB)", MenuRss, ReferenceRss,
              MenuRss / ReferenceRss);
  std::printf("%-28s %10ld %10ld\n", "idle CPU ticks in 5 s", MenuIdle.CpuTicks,
              ReferenceIdle.CpuTicks);
  std::printf("%-28s %10ld %10ld\n", "idle wake-ups in 5 s", MenuIdle.WakeUps,
              ReferenceIdle.WakeUps);
  return 0;
}
