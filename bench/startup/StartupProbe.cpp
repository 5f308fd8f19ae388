// Times whole programs on an X display as a user sees them, through the server's damage reports:
// start is from the process start until the last damage of its window before the window stays
// quiet; hover is from the pointer entering the first button until the window's first damage
// after it. Memory is the resident set once shown; idle counts the CPU time and wake-ups of five
// quiet seconds. The programs start in turns, so that each run of the reference is paired with a
// run of every other program, and start ratios are taken pair by pair.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
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
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ReferenceWindow.h"
#include "platform/Driver.h"
#include "platform/PngDecoder.h"

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

// How long a window must stay without damage for its frame to count as complete.
constexpr auto QuietTime = std::chrono::milliseconds(250);
constexpr int IdleSeconds = 5;

double Milliseconds(TClock::duration Span) {
  return std::chrono::duration<double, std::milli>(Span).count();
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
  if (Driver().Files().ReadFileBytes(FileName, MaxPngBytes, Bytes) != TReadStatus::rsRead ||
      !DecodePng(Bytes, Image)) {
    std::fprintf(stderr, "startup-probe: cannot read %s\n", FileName.c_str());
    std::exit(2);
  }
  TFrame Frame{Image.Width, Image.Height, std::move(Image.Pixels)};
  for (std::uint32_t& Pixel : Frame.Pixels) Pixel &= 0x00FFFFFFu;
  return Frame;
}

// One program as the probe starts it. Words of the command before the program that hold a '='
// are set in its environment.
struct TProgram {
  std::string Name;
  bool Reference = false;     // the others' start ratios are taken against this one
  bool ChecksFrames = false;  // must show the expected face and hot face
  bool FindsButton = false;   // its first button is found in its window tree
  bool StartOnly = false;     // neither hover nor idle is measured (a window that never repaints)
  std::string ColdFolder;     // removed before every start, when set
  std::vector<std::string> Environment;
  std::vector<std::string> Command;
};

struct TRun {
  double StartMs = 0;
  double HoverMs = 0;
  long RssKiB = 0;
  long AnonKiB = 0;
};

struct TIdle {
  long CpuTicks = 0;
  long WakeUps = 0;
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

// Watches the top-level windows of the started programs and the damage done to them.
class TDamageWatch {
 public:
  explicit TDamageWatch(Display* Dpy) : FDpy(Dpy) {
    int Error = 0;
    if (!XDamageQueryExtension(Dpy, &FEventBase, &Error)) {
      std::fputs("startup-probe: the display has no DAMAGE extension\n", stderr);
      std::exit(2);
    }
    XSelectInput(Dpy, DefaultRootWindow(Dpy), SubstructureNotifyMask);
  }

  // Forgets every window and damage seen so far.
  void Reset() {
    for (Damage Watch : FDamages) XDamageDestroy(FDpy, Watch);
    FDamages.clear();
    FMapped = 0;
    FLastDamage.reset();
    XSync(FDpy, False);
    Drain(TClock::now());
  }

  // Handles what arrives until Until; returns early when Stop says so.
  template <typename TStop>
  void Watch(TClock::time_point Until, TStop Stop) {
    while (!Stop()) {
      const auto Now = TClock::now();
      if (Now >= Until) return;
      if (XPending(FDpy) == 0) {
        pollfd Fd{ConnectionNumber(FDpy), POLLIN, 0};
        // Stop may turn true with nothing arriving (a window that stays quiet): looked at again
        // every millisecond.
        poll(&Fd, 1, 1);
      }
      Drain(TClock::now());
    }
  }

  Window Mapped() const { return FMapped; }
  std::optional<TClock::time_point> LastDamage() const { return FLastDamage; }
  void ForgetDamage() { FLastDamage.reset(); }

 private:
  void Drain(TClock::time_point Now) {
    while (XPending(FDpy) > 0) {
      XEvent Event;
      XNextEvent(FDpy, &Event);
      if (Event.type == CreateNotify) {
        // Watched from its creation, before it can draw anything.
        FDamages.push_back(
            XDamageCreate(FDpy, Event.xcreatewindow.window, XDamageReportRawRectangles));
        XFlush(FDpy);
      } else if (Event.type == MapNotify && FMapped == 0) {
        FMapped = Event.xmap.window;
      } else if (Event.type == FEventBase + XDamageNotify) {
        FLastDamage = Now;
      }
    }
  }

  Display* FDpy;
  int FEventBase = 0;
  std::vector<Damage> FDamages;
  Window FMapped = 0;
  std::optional<TClock::time_point> FLastDamage;
};

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

pid_t Spawn(const TProgram& Program) {
  std::vector<char*> Argv, Envp;
  for (const std::string& Word : Program.Command) Argv.push_back(const_cast<char*>(Word.c_str()));
  Argv.push_back(nullptr);
  for (const std::string& Word : Program.Environment)
    Envp.push_back(const_cast<char*>(Word.c_str()));
  for (char** Variable = environ; *Variable != nullptr; ++Variable) Envp.push_back(*Variable);
  Envp.push_back(nullptr);
  pid_t Pid = 0;
  if (posix_spawn(&Pid, Argv[0], nullptr, nullptr, Argv.data(), Envp.data()) != 0) {
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

// The bottom-most, then left-most, window without children under Win, in Win's coordinates:
// the first button of a dialog whose buttons sit in a row at its foot.
std::optional<TReferenceRect> FirstButtonWindow(Display* Dpy, Window Win, int X, int Y) {
  Window Root = 0, Parent = 0, *Children = nullptr;
  unsigned Count = 0;
  if (!XQueryTree(Dpy, Win, &Root, &Parent, &Children, &Count)) return std::nullopt;
  std::optional<TReferenceRect> Best;
  for (unsigned I = 0; I < Count; ++I) {
    XWindowAttributes Attributes;
    if (!XGetWindowAttributes(Dpy, Children[I], &Attributes) || Attributes.map_state != IsViewable)
      continue;
    const int ChildX = X + Attributes.x, ChildY = Y + Attributes.y;
    std::optional<TReferenceRect> Candidate = FirstButtonWindow(Dpy, Children[I], ChildX, ChildY);
    if (!Candidate) Candidate = TReferenceRect{ChildX, ChildY, Attributes.width, Attributes.height};
    if (!Best || Candidate->Y > Best->Y || (Candidate->Y == Best->Y && Candidate->X < Best->X))
      Best = Candidate;
  }
  if (Children) XFree(Children);
  return Best;
}

// One start of Program; Idle is measured when asked for, after the hover has been undone.
bool Measure(Display* Dpy, TDamageWatch& Watch, const TProgram& Program, const TFrame& Face,
             const TFrame& HotFace, TRun& Run, TIdle* Idle) {
  PointerAway(Dpy);
  if (!Program.ColdFolder.empty()) std::filesystem::remove_all(Program.ColdFolder);
  Watch.Reset();
  const auto Start = TClock::now();
  const pid_t Pid = Spawn(Program);
  // Complete once a mapped window has been damaged and then stayed quiet.
  const auto Deadline = Start + std::chrono::seconds(10);
  Watch.Watch(Deadline, [&] {
    const auto Last = Watch.LastDamage();
    return Watch.Mapped() != 0 && Last && TClock::now() - *Last >= QuietTime;
  });
  const Window Win = Watch.Mapped();
  if (Win == 0 || !Watch.LastDamage()) {
    std::fprintf(stderr, "startup-probe: %s showed no window\n", Program.Name.c_str());
    Stop(Pid);
    return false;
  }
  Run.StartMs = Milliseconds(*Watch.LastDamage() - Start);
  const TReferenceRect Whole{0, 0, Face.Width, Face.Height};
  if (Program.ChecksFrames && !Shows(Dpy, Win, Face, Whole)) {
    std::fprintf(stderr, "startup-probe: %s did not show its face\n", Program.Name.c_str());
    Stop(Pid);
    return false;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::string StatusFile = "/proc/" + std::to_string(Pid) + "/status";
  Run.RssKiB = StatusField(StatusFile, "VmRSS");
  Run.AnonKiB = StatusField(StatusFile, "RssAnon");

  if (Program.StartOnly) {
    Stop(Pid);
    return true;
  }

  TReferenceRect Button = ReferenceLabels[0];
  if (Program.FindsButton) {
    const auto Found = FirstButtonWindow(Dpy, Win, 0, 0);
    if (Found) Button = *Found;
  }
  Watch.ForgetDamage();
  const auto Enter = TClock::now();
  XWarpPointer(Dpy, None, Win, 0, 0, 0, 0, Button.X + Button.Width / 2,
               Button.Y + Button.Height / 2);
  XFlush(Dpy);
  Watch.Watch(Enter + std::chrono::seconds(5), [&] { return Watch.LastDamage().has_value(); });
  bool Hot = Watch.LastDamage().has_value();
  if (Hot) Run.HoverMs = Milliseconds(*Watch.LastDamage() - Enter);
  if (Hot && Program.ChecksFrames) {
    const auto HotDeadline = TClock::now() + std::chrono::seconds(5);
    while (!(Hot = Shows(Dpy, Win, HotFace, ReferenceLabels[0])) && TClock::now() < HotDeadline) {
    }
  }
  if (Hot && Idle != nullptr) {
    PointerAway(Dpy);
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

// NAME FLAGS [VAR=VALUE...] PROGRAM [ARGUMENTS...], FLAGS a comma list of reference, frames,
// find-button, start-only, cold=FOLDER, or "-".
TProgram ParseProgram(const std::vector<std::string>& Words) {
  TProgram Program;
  if (Words.size() < 3) {
    std::fputs("startup-probe: a program needs a name, flags and a command\n", stderr);
    std::exit(2);
  }
  Program.Name = Words[0];
  std::istringstream Flags(Words[1]);
  for (std::string Flag; std::getline(Flags, Flag, ',');) {
    if (Flag == "reference")
      Program.Reference = true;
    else if (Flag == "frames")
      Program.ChecksFrames = true;
    else if (Flag == "find-button")
      Program.FindsButton = true;
    else if (Flag == "start-only")
      Program.StartOnly = true;
    else if (Flag.rfind("cold=", 0) == 0)
      Program.ColdFolder = Flag.substr(5);
  }
  std::size_t Index = 2;
  for (; Index < Words.size() && Words[Index].find('=') != std::string::npos; ++Index)
    Program.Environment.push_back(Words[Index]);
  Program.Command.assign(Words.begin() + static_cast<std::ptrdiff_t>(Index), Words.end());
  return Program;
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  if (argc < 8) {
    std::fputs(
        "usage: startup-probe RUNS WARMUPS FACE.png HOT.png -- NAME FLAGS [VAR=VALUE...] PROGRAM "
        "[ARGUMENTS...] [-- ...]\n",
        stderr);
    return 2;
  }
  const int Runs = std::max(1, std::atoi(argv[1])), Warmups = std::max(0, std::atoi(argv[2]));
  const TFrame Face = LoadFrame(argv[3]), HotFace = LoadFrame(argv[4]);
  std::vector<TProgram> Programs;
  std::vector<std::string> Words;
  for (int I = 6; I <= argc; ++I) {
    if (I == argc || std::string(argv[I]) == "--") {
      Programs.push_back(ParseProgram(Words));
      Words.clear();
    } else {
      Words.emplace_back(argv[I]);
    }
  }
  const auto Reference = std::find_if(Programs.begin(), Programs.end(),
                                      [](const TProgram& Program) { return Program.Reference; });
  if (Reference == Programs.end()) {
    std::fputs("startup-probe: no program is the reference\n", stderr);
    return 2;
  }
  const std::size_t ReferenceIndex = static_cast<std::size_t>(Reference - Programs.begin());

  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr) {
    std::fputs("startup-probe: no display\n", stderr);
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  TDamageWatch Watch(Dpy);

  std::vector<std::vector<TRun>> Results(Programs.size());
  std::vector<TIdle> Idle(Programs.size());
  for (int I = 0; I < Warmups + Runs; ++I) {
    const bool Last = I == Warmups + Runs - 1;
    for (std::size_t P = 0; P < Programs.size(); ++P) {
      TRun Run;
      if (!Measure(Dpy, Watch, Programs[P], Face, HotFace, Run, Last ? &Idle[P] : nullptr))
        return 1;
      if (I >= Warmups) Results[P].push_back(Run);
    }
  }

  const std::vector<TRun>& Base = Results[ReferenceIndex];
  auto Column = [](const std::vector<TRun>& Values, auto Field) {
    std::vector<double> Result;
    for (const TRun& Run : Values) Result.push_back(static_cast<double>(Run.*Field));
    return Median(Result);
  };
  std::printf("window %d x %d, %d paired runs after %d warm-ups; ratios against %s\n", Face.Width,
              Face.Height, Runs, Warmups, Programs[ReferenceIndex].Name.c_str());
  std::printf("%-24s %9s %14s %9s %9s %7s %9s %7s %12s\n", "program", "start ms", "ratio med/min",
              "RSS KiB", "anon KiB", "ratio", "hover ms", "ratio", "idle tk/wake");
  for (std::size_t P = 0; P < Programs.size(); ++P) {
    std::vector<double> Ratios;
    for (std::size_t R = 0; R < Results[P].size(); ++R)
      Ratios.push_back(Results[P][R].StartMs / Base[R].StartMs);
    const double Rss = Column(Results[P], &TRun::RssKiB);
    std::printf("%-24s %9.2f %7.2f /%5.2f %9.0f %9.0f %7.2f", Programs[P].Name.c_str(),
                Column(Results[P], &TRun::StartMs), Median(Ratios),
                *std::min_element(Ratios.begin(), Ratios.end()), Rss,
                Column(Results[P], &TRun::AnonKiB), Rss / Column(Base, &TRun::RssKiB));
    if (Programs[P].StartOnly || Programs[ReferenceIndex].StartOnly) {
      std::printf(" %9s %7s %12s\n", "-", "-", "-");
      continue;
    }
    const double Hover = Column(Results[P], &TRun::HoverMs);
    std::printf(" %9.3f %7.2f %6ld /%4ld\n", Hover, Hover / Column(Base, &TRun::HoverMs),
                Idle[P].CpuTicks, Idle[P].WakeUps);
  }
  return 0;
}
