// The built menu program in a folder of its own, driven through the display as a user drives it.
#include <gtest/gtest.h>

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
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/Bitmap.h"
#include "platform/X11TestDisplay.h"
#include "support/TempDir.h"

namespace {

constexpr int MenuWidth = 360;
constexpr int MenuHeight = 260;
constexpr TPixel BackgroundColor = PixelOf(0x20, 0x40, 0x80);
const std::string AppName = "Ostrel E2E Menu";
const std::string AppTaskName = "Ostrel E2E Task";

// The button rectangles every menu of these tests uses, in client coordinates.
struct TButtonPlace {
  int X, Y, Width, Height;
  int CenterX() const { return X + Width / 2; }
  int CenterY() const { return Y + Height / 2; }
};
constexpr TButtonPlace FirstButton{20, 20, 200, 32};
constexpr TButtonPlace SecondButton{20, 70, 200, 32};
// A point of the background that no button covers.
constexpr int FreeX = 300, FreeY = 200;

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

// Polls Done every few milliseconds for at most about TimeoutMs.
bool WaitUntil(const std::function<bool()>& Done, int TimeoutMs = 5000) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Done()) {
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// What a command printed, and whether it ended with status 0.
struct TCommandResult {
  bool Ok = false;
  std::string Output;
};

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

// The visible windows whose name is exactly Name.
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

// The started menu program; killed when the test ends without having seen it exit.
class TMenuProcess {
 public:
  TMenuProcess(const std::string& Folder, const std::string& DisplayName) {
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
  ~TMenuProcess() {
    if (FPid <= 0 || FStatus) return;
    kill(FPid, SIGKILL);
    waitpid(FPid, nullptr, 0);
  }
  TMenuProcess(const TMenuProcess&) = delete;
  TMenuProcess& operator=(const TMenuProcess&) = delete;

  bool Started() const { return FPid > 0; }
  // The exit code once the program has ended within about TimeoutMs, -1 for a signal.
  std::optional<int> WaitExit(int TimeoutMs = 5000) {
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
  bool Running() {
    int WaitStatus = 0;
    if (!FStatus && waitpid(FPid, &WaitStatus, WNOHANG) == FPid) FStatus = WaitStatus;
    return !FStatus;
  }

 private:
  pid_t FPid = -1;
  std::optional<int> FStatus;
};

// One menu entry as menu.ini describes it.
struct TEntry {
  std::string Text;
  std::string ExePath;
  std::string CommandLine;
  std::string PreRunMessage;
  std::string AfterRunMessage;
  bool TerminateAfterStart = false;
  TButtonPlace Place = FirstButton;
};

class EndToEndTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
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

  static void TearDownTestSuite() {
    if (WindowManager > 0) {
      kill(WindowManager, SIGTERM);
      waitpid(WindowManager, nullptr, 0);
      WindowManager = -1;
    }
    Server.reset();
  }

  void SetUp() override {
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

  void TearDown() override {
    Menu.reset();
    if (Probe) XCloseDisplay(Probe);
  }

  bool HasWindowManager() const { return WindowManager > 0; }

  bool WindowManagerReady() { return RootProperty("_NET_SUPPORTING_WM_CHECK", XA_WINDOW); }

  bool RootProperty(const char* Name, Atom Kind) {
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

  // A target script that records its working directory and arguments, one a line, in Marker.
  std::string WriteTarget(const std::string& Name, const std::string& Marker) {
    const std::string Path = Folder.Write(
        "tools/" + Name, "#!/bin/sh\n{ pwd; for A in \"$@\"; do echo \"$A\"; done; } > " +
                             Quoted(Folder.File(Marker) + ".part") + " && mv " +
                             Quoted(Folder.File(Marker) + ".part") + " " +
                             Quoted(Folder.File(Marker)) + "\n");
    chmod(Path.c_str(), 0755);
    return "tools\\" + Name;
  }

  void WriteMenu(const std::vector<TEntry>& Entries, const std::string& Background = "menu.bmp") {
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

  // Starts the program and returns its menu window once that shows its background.
  ::Window StartMenu() {
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

  std::optional<TPixel> PixelAt(::Window W, int X, int Y) {
    const std::vector<unsigned long> Pixels = Area(W, {X, Y, 1, 1});
    if (Pixels.empty()) return std::nullopt;
    return static_cast<TPixel>(Pixels[0] & 0xFFFFFF);
  }

  std::vector<unsigned long> Area(::Window W, const TButtonPlace& Place) {
    std::vector<unsigned long> Result;
    XImage* Image = XGetImage(Probe, W, Place.X, Place.Y, static_cast<unsigned>(Place.Width),
                              static_cast<unsigned>(Place.Height), AllPlanes, ZPixmap);
    if (!Image) return Result;
    for (int Y = 0; Y < Place.Height; ++Y)
      for (int X = 0; X < Place.Width; ++X) Result.push_back(XGetPixel(Image, X, Y));
    XDestroyImage(Image);
    return Result;
  }

  void Click(::Window W, const TButtonPlace& Place) {
    Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(Place.CenterX()) +
            " " + std::to_string(Place.CenterY()) + " click 1");
  }

  // Waits for a visible dialog other than Except and returns it, or 0.
  ::Window WaitDialog(::Window Except = 0) {
    ::Window Result = 0;
    WaitUntil([&] {
      for (::Window W : WindowsNamed(AppTaskName))
        if (W != Except) Result = W;
      return Result != 0;
    });
    return Result;
  }

  void PressReturn(::Window W) {
    Xdotool("windowfocus --sync " + std::to_string(W) + " key Return");
  }

  bool Gone(::Window W, const std::string& Name) {
    return WaitUntil([&] {
      for (::Window Shown : WindowsNamed(Name))
        if (Shown == W) return false;
      return true;
    });
  }

  bool MarkerWritten(const std::string& Marker) {
    return WaitUntil([&] { return access(Folder.File(Marker).c_str(), F_OK) == 0; });
  }

  static std::unique_ptr<TXvfb> Server;
  static pid_t WindowManager;

  TTempDir Folder;
  Display* Probe = nullptr;
  std::unique_ptr<TScopedEnv> DisplayEnv;
  std::unique_ptr<TMenuProcess> Menu;
};

std::unique_ptr<TXvfb> EndToEndTest::Server;
pid_t EndToEndTest::WindowManager = -1;

TEST_F(EndToEndTest, WindowFitsTheBackgroundAndIsCentred) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  EXPECT_EQ(Capture("xdotool getwindowname " + std::to_string(W)).Output, AppName + "\n");
  XWindowAttributes Attributes{};
  ASSERT_TRUE(XGetWindowAttributes(Probe, W, &Attributes));
  EXPECT_EQ(Attributes.width, MenuWidth);
  EXPECT_EQ(Attributes.height, MenuHeight);
  int Left = 0, Top = 0;
  ::Window Child = 0;
  XTranslateCoordinates(Probe, W, DefaultRootWindow(Probe), 0, 0, &Left, &Top, &Child);
  // The frame around the client area moves it by a few pixels, the title bar down a little more.
  EXPECT_NEAR(Left + MenuWidth / 2, 1024 / 2, 8);
  EXPECT_NEAR(Top + MenuHeight / 2, 768 / 2, 24);
}

TEST_F(EndToEndTest, ClickStartsTheTargetWithItsParametersInItsFolder) {
  WriteMenu(
      {{"&Run", WriteTarget("run.sh", "ran"), "\"two words\" second", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(ReadAll(Folder.File("ran")), Folder.Path() + "/tools\ntwo words\nsecond\n");
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, MessagesComeBeforeAndAfterTheStart) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "Before the start.", "After the start.",
              false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  const ::Window Before = WaitDialog();
  ASSERT_NE(Before, 0u) << "no message before the start";
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0) << "the target started before the message";
  PressReturn(Before);
  ASSERT_TRUE(MarkerWritten("ran"));
  const ::Window After = WaitDialog(Before);
  ASSERT_NE(After, 0u) << "no message after the start";
  PressReturn(After);
  EXPECT_TRUE(Gone(After, AppTaskName));
  EXPECT_TRUE(Menu->Running());
}

TEST_F(EndToEndTest, TerminateAfterStartEndsTheProgram) {
  WriteMenu({{"E&xit", WriteTarget("run.sh", "ran"), "", "", "", true, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  EXPECT_TRUE(MarkerWritten("ran"));
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingBackgroundShowsTheErrorBoxAndEnds) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}}, "absent.bmp");
  Menu = std::make_unique<TMenuProcess>(Folder.Path(), Server->Name());
  std::vector<::Window> Boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(Boxes = WindowsNamed("Ostrel")).empty(); }))
      << ReadAll(Folder.File("ostrel.log"));
  EXPECT_TRUE(WindowsNamed(AppName).empty());
  PressReturn(Boxes.front());
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, MissingTargetGivesADisabledButton) {
  WriteMenu({{"&Absent", "tools\\absent.sh", "", "Never shown.", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Click(W, FirstButton);
  // The program handles the clicks in order: once the second has started its target, the first
  // would have shown its message.
  Click(W, SecondButton);
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_TRUE(WindowsNamed(AppTaskName).empty());
}

TEST_F(EndToEndTest, AltAndTheAcceleratorClicksTheButton) {
  WriteMenu({{"Other", WriteTarget("other.sh", "other"), "", "", "", false, FirstButton},
             {"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, SecondButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowfocus --sync " + std::to_string(W) + " key alt+r");
  ASSERT_TRUE(MarkerWritten("ran"));
  EXPECT_NE(access(Folder.File("other").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, CloseRequestEndsTheProgram) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  XEvent Event{};
  Event.xclient.type = ClientMessage;
  Event.xclient.window = W;
  Event.xclient.message_type = AtomOf(Probe, "WM_PROTOCOLS");
  Event.xclient.format = 32;
  Event.xclient.data.l[0] = static_cast<long>(AtomOf(Probe, "WM_DELETE_WINDOW"));
  Event.xclient.data.l[1] = CurrentTime;
  XSendEvent(Probe, W, False, NoEventMask, &Event);
  XFlush(Probe);
  EXPECT_EQ(Menu->WaitExit(), 0);
}

TEST_F(EndToEndTest, AltF4EndsTheProgram) {
  if (!HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("windowactivate --sync " + std::to_string(W) + " key alt+F4");
  EXPECT_EQ(Menu->WaitExit(), 0);
  EXPECT_NE(access(Folder.File("ran").c_str(), F_OK), 0);
}

TEST_F(EndToEndTest, HoverChangesTheButton) {
  WriteMenu({{"&Run", WriteTarget("run.sh", "ran"), "", "", "", false, FirstButton}});
  // The pointer stays off the window until it is shown, so that no button starts highlighted.
  Xdotool("mousemove 0 0");
  const ::Window W = StartMenu();
  ASSERT_NE(W, 0u);
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FreeX) + " " +
          std::to_string(FreeY));
  const std::vector<unsigned long> Plain = Area(W, FirstButton);
  ASSERT_FALSE(Plain.empty());
  Xdotool("mousemove --window " + std::to_string(W) + " " + std::to_string(FirstButton.CenterX()) +
          " " + std::to_string(FirstButton.CenterY()));
  EXPECT_TRUE(WaitUntil([&] { return Area(W, FirstButton) != Plain; }));
}

}  // namespace
