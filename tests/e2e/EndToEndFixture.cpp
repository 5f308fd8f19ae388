// The end-to-end tests' shared ground: the display, the window manager, the started program.
#include "e2e/EndToEndFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

const int WaitLimitMs = 5000;

TMenuProcess::TMenuProcess(const std::string& Folder, const std::string& DisplayName,
                           const std::string& WorkingFolder, const std::string& Path)
    : TStartedProgram(WorkingFolder.empty() ? Folder : WorkingFolder, Folder + "/ostrel.log",
                      [Program = Folder + "/ostrel", DisplayName, Path] {
                        setenv("DISPLAY", DisplayName.c_str(), 1);
                        if (!Path.empty()) setenv("PATH", Path.c_str(), 1);
                        execl(Program.c_str(), Program.c_str(), static_cast<char*>(nullptr));
                      }) {}

void EndToEndTest::SetUpTestSuite() {
  if (!XvfbInstalled() || !OnPath("xdotool")) return;
  Server = std::make_unique<TXvfb>("1024x768x24");
  if (Server->Name().empty() || !OnPath("openbox")) return;
  WindowManager = StartWindowManager(Server->Name());
}

void EndToEndTest::TearDownTestSuite() {
  StopWindowManager(WindowManager);
  Server.reset();
}

void EndToEndTest::SetUp() {
  if (!Server) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  ASSERT_FALSE(Server->Name().empty()) << "Xvfb did not start";
  DisplayEnv = std::make_unique<TScopedEnv>("DISPLAY", Server->Name());
  Probe = XOpenDisplay(Server->Name().c_str());
  ASSERT_NE(Probe, nullptr);
  if (WindowManager > 0) {
    ASSERT_TRUE(WaitUntil([this] { return WindowManagerReady(Probe); }));
  }
  std::filesystem::copy_file(OSTREL_EXE, Folder.File("ostrel"));
  Folder.MakeDir("tools");
}

void EndToEndTest::TearDown() {
  Menu.reset();
  if (Probe) XCloseDisplay(Probe);
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
  WriteBackground(Folder.File("menu.bmp"), MenuWidth, MenuHeight);
  Folder.Write("menu.ini", MenuIni(Background, AppName, AppTaskName, Entries, "\n"));
}

::Window EndToEndTest::StartMenu() {
  return StartMenuFrom("");
}

::Window EndToEndTest::StartMenuFrom(const std::string& WorkingFolder, const std::string& Path) {
  Menu = std::make_unique<TMenuProcess>(Folder.Path(), Server->Name(), WorkingFolder, Path);
  EXPECT_TRUE(Menu->Started());
  return WaitMenuWindow(Probe, AppName, FreeX, FreeY, Folder.File("ostrel.log"));
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
