// Virtual X displays for the X11 tests.
#include "X11TestDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/x11/X11Window.h"
#include "platform/x11/X11WindowSystem.h"

namespace {

// The display all tests share unless they need a screen of another kind.
class TXvfbEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (!XvfbInstalled()) return;
    Server = std::make_unique<TXvfb>("1024x768x24");
    if (!Server->Name().empty()) setenv("DISPLAY", Server->Name().c_str(), 1);
  }
  void TearDown() override { Server.reset(); }

  std::unique_ptr<TXvfb> Server;
};

TXvfbEnvironment* const SharedServer =
    static_cast<TXvfbEnvironment*>(testing::AddGlobalTestEnvironment(new TXvfbEnvironment));

}  // namespace

bool XvfbInstalled() {
  const char* Path = std::getenv("PATH");
  std::string Rest = Path ? Path : "";
  while (!Rest.empty()) {
    const std::size_t Colon = Rest.find(':');
    const std::string Folder = Rest.substr(0, Colon);
    if (!Folder.empty() && access((Folder + "/Xvfb").c_str(), X_OK) == 0) return true;
    Rest = Colon == std::string::npos ? "" : Rest.substr(Colon + 1);
  }
  return false;
}

TXvfb::TXvfb(const std::string& ScreenGeometry, const std::vector<std::string>& Extra) {
  int Pipe[2];
  if (pipe(Pipe) != 0) return;
  FPid = fork();
  if (FPid == 0) {
    close(Pipe[0]);
    const int Null = open("/dev/null", O_RDWR);
    dup2(Null, 1);
    dup2(Null, 2);
    std::vector<std::string> Arguments = {"Xvfb",      "-displayfd", std::to_string(Pipe[1]),
                                          "-screen",   "0",          ScreenGeometry,
                                          "-nolisten", "tcp",        "-noreset"};
    Arguments.insert(Arguments.end(), Extra.begin(), Extra.end());
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments) Argv.push_back(Argument.data());
    Argv.push_back(nullptr);
    execvp("Xvfb", Argv.data());
    _exit(127);
  }
  close(Pipe[1]);
  // The server writes its display number once it accepts connections.
  std::string Number;
  pollfd Reader{Pipe[0], POLLIN, 0};
  char C = 0;
  while (FPid > 0 && poll(&Reader, 1, 10000) > 0 && read(Pipe[0], &C, 1) == 1 && C != '\n')
    Number += C;
  close(Pipe[0]);
  if (C == '\n' && !Number.empty()) FDisplay = ":" + Number;
}

TXvfb::~TXvfb() {
  if (FPid <= 0) return;
  kill(FPid, SIGTERM);
  waitpid(FPid, nullptr, 0);
}

TSession::TSession() {
  System = TX11WindowSystem::Open(Error);
  Probe = XOpenDisplay(nullptr);
}

TSession::~TSession() {
  System.reset();
  if (Probe) XCloseDisplay(Probe);
}

void TX11SessionTest::SetUp() {
  if (!SharedServer->Server) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_FALSE(SharedServer->Server->Name().empty()) << "Xvfb did not start";
  Session = std::make_unique<TSession>();
  ASSERT_TRUE(Session->System) << Session->Error;
  ASSERT_NE(Session->Probe, nullptr);
  Errors = TX11WindowSystem::ErrorCount();
}

void TX11SessionTest::TearDown() {
  if (Session && !ExpectErrors) {
    EXPECT_EQ(TX11WindowSystem::ErrorCount(), Errors);
  }
}

::Window HandleOf(const TNativeWindow& Native) {
  return dynamic_cast<const TX11Window&>(Native).Handle();
}

Atom AtomOf(Display* Dpy, const char* Name) {
  return XInternAtom(Dpy, Name, False);
}

void Sync(TWindowSystem& System) {
  int X = 0, Y = 0;
  System.CursorPos(X, Y);
}

void RunCommand(const std::string& Command) {
  ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
}

std::optional<TWindowEvent> WaitFor(TWindowSystem& System,
                                    const std::function<bool(const TWindowEvent&)>& Wanted,
                                    int TimeoutMs) {
  const std::int64_t Deadline = System.Milliseconds() + TimeoutMs;
  TWindowEvent Event;
  for (std::int64_t Left = TimeoutMs; Left > 0; Left = Deadline - System.Milliseconds())
    if (System.NextEvent(Event, static_cast<int>(Left)) && Wanted(Event)) return Event;
  return std::nullopt;
}

std::optional<TWindowEvent> WaitForKind(TWindowSystem& System, TWindowEvent::TKind Kind) {
  return WaitFor(System, [Kind](const TWindowEvent& E) { return E.Kind == Kind; });
}

std::vector<TWindowEvent> Drain(TWindowSystem& System) {
  std::vector<TWindowEvent> Events;
  TWindowEvent Event;
  while (System.NextEvent(Event, 300)) Events.push_back(Event);
  return Events;
}

TWindowOptions Options(int Width, int Height) {
  TWindowOptions Result;
  Result.ClientWidth = Width;
  Result.ClientHeight = Height;
  Result.Caption = "Caption";
  Result.ClassName = "Ostrel";
  return Result;
}

std::unique_ptr<TNativeWindow> ShownWindow(TWindowSystem& System, const TWindowOptions& Opts) {
  auto Native = System.CreateWindow(Opts);
  Native->Show(100, 80);
  EXPECT_TRUE(WaitForKind(System, TWindowEvent::TKind::wkExpose));
  return Native;
}
