// The released Linux program inside the Debian 11 tree it was built for: started there on the
// demo menu (scripts/check-portable.sh stages both), on a virtual display of the host whose
// socket is bound into the tree, it shows exactly the face the inspector renders.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/Driver.h"
#include "platform/PngDecoder.h"
#include "platform/X11TestDisplay.h"
#include "support/DisplayTools.h"
#include "support/TempDir.h"

const int WaitLimitMs = 10000;

namespace {

std::string Setting(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

// The face ostrel-inspect renders for the menu in Folder, as 0x00RRGGBB values row by row.
std::vector<unsigned long> InspectorFace(const std::string& Folder, const TTempDir& Scratch,
                                         int& Width, int& Height) {
  const std::string Png = Scratch.File("expected.png");
  const TCommandResult Rendered = Capture("cd " + Quoted(Folder) + " && " + Quoted(OSTREL_INSPECT) +
                                          " --render " + Quoted(Png) + " . 2>&1");
  EXPECT_TRUE(Rendered.Ok) << Rendered.Output;
  std::string Bytes;
  TPngImage Image;
  if (Driver().Files().ReadFileBytes(Png, MaxPngBytes, Bytes) != TReadStatus::rsRead ||
      !DecodePng(Bytes, Image))
    return {};
  Width = static_cast<int>(Image.Width);
  Height = static_cast<int>(Image.Height);
  std::vector<unsigned long> Pixels;
  for (std::uint32_t Pixel : Image.Pixels) Pixels.push_back(Pixel & 0xFFFFFF);
  return Pixels;
}

std::size_t DifferentPixels(const std::vector<unsigned long>& Shown,
                            const std::vector<unsigned long>& Expected) {
  if (Shown.size() != Expected.size()) return Expected.size();
  std::size_t Count = 0;
  for (std::size_t I = 0; I < Shown.size(); ++I) Count += Shown[I] != Expected[I];
  return Count;
}

TEST(PortableProgram, ShowsTheDemoMenuInsideTheOldestTreeItIsBuiltFor) {
  const std::string Tree = Setting("OSTREL_PORTABLE_TREE");
  const std::string Menu = Setting("OSTREL_PORTABLE_MENU");
  ASSERT_FALSE(Tree.empty() || Menu.empty())
      << "OSTREL_PORTABLE_TREE and OSTREL_PORTABLE_MENU name the tree and the staged menu";
  ASSERT_TRUE(XvfbInstalled());
  TXvfb Server("1024x768x24");
  ASSERT_FALSE(Server.Name().empty()) << "Xvfb did not start";
  // The display's socket folder, seen from inside the tree at the same path; read-only, so that
  // removing the tree while it is still bound cannot reach the host's folder.
  TScopedMount Sockets("mount -o bind,ro /tmp/.X11-unix", Tree + "/tmp/.X11-unix");
  ASSERT_TRUE(Sockets.Mounted()) << "the display's socket folder cannot be bound into the tree";
  TScopedEnv DisplayEnv("DISPLAY", Server.Name());
  Display* Probe = XOpenDisplay(Server.Name().c_str());
  ASSERT_NE(Probe, nullptr);

  TTempDir Scratch;
  int Width = 0, Height = 0;
  const std::vector<unsigned long> Expected = InspectorFace(Tree + Menu, Scratch, Width, Height);
  ASSERT_FALSE(Expected.empty());

  // The pointer away from the window, whose buttons would otherwise show as hot.
  Xdotool("mousemove 0 0");
  const std::string Log = Scratch.File("ostrel.log");
  const std::string Display = Server.Name();
  TStartedProgram Program(Scratch.Path(), Log, [&] {
    execlp("chroot", "chroot", Tree.c_str(), "/usr/bin/env", "-i", ("DISPLAY=" + Display).c_str(),
           "HOME=/root", "/bin/sh", "-c", ("cd '" + Menu + "' && exec ./ostrel").c_str(),
           static_cast<char*>(nullptr));
  });
  ASSERT_TRUE(Program.Started());
  std::vector<::Window> Windows;
  ASSERT_TRUE(WaitUntil([&] { return !(Windows = WindowsNamed("Ostrel Demo Disc")).empty(); }))
      << Capture("cat " + Quoted(Log)).Output;
  const TButtonPlace Whole{0, 0, Width, Height};
  std::vector<unsigned long> Shown;
  EXPECT_TRUE(WaitUntil([&] { return (Shown = ReadArea(Probe, Windows[0], Whole)) == Expected; }))
      << DifferentPixels(Shown, Expected) << " of " << Expected.size() << " pixels differ";
  XCloseDisplay(Probe);
}

}  // namespace
