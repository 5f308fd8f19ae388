// The X11 window system's windows: what they tell window managers, what they show, and what
// becomes of them when the display misbehaves.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "X11TestDisplay.h"
#include "platform/x11/X11WindowSystem.h"

namespace {

using TKind = TWindowEvent::TKind;

class X11WindowTest : public TX11SessionTest {};

// The items of a property: bytes for format 8, unsigned 32-bit values for format 32.
std::vector<long> PropertyItems(Display* Dpy, ::Window Handle, const char* Name,
                                Atom* Type = nullptr) {
  Atom ActualType = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  std::vector<long> Items;
  if (XGetWindowProperty(Dpy, Handle, AtomOf(Dpy, Name), 0, 1 << 20, False, AnyPropertyType,
                         &ActualType, &Format, &Count, &After, &Data) != Success)
    return Items;
  for (unsigned long I = 0; I < Count; ++I)
    Items.push_back(Format == 32 ? static_cast<std::uint32_t>(reinterpret_cast<long*>(Data)[I])
                                 : Data[I]);
  if (Type) *Type = ActualType;
  if (Data) XFree(Data);
  return Items;
}

std::string PropertyText(Display* Dpy, ::Window Handle, const char* Name) {
  std::string Text;
  for (long Byte : PropertyItems(Dpy, Handle, Name)) Text += static_cast<char>(Byte);
  return Text;
}

// A text property as a reader of the older properties decodes it, and its type.
std::string DecodedName(Display* Dpy, ::Window Handle, const char* Name, std::string& Type) {
  XTextProperty Property{};
  if (!XGetTextProperty(Dpy, Handle, &Property, AtomOf(Dpy, Name))) return "(none)";
  char* TypeName = XGetAtomName(Dpy, Property.encoding);
  Type = TypeName;
  XFree(TypeName);
  char** List = nullptr;
  int Count = 0;
  std::string Text;
  if (Xutf8TextPropertyToTextList(Dpy, &Property, &List, &Count) == Success && Count == 1)
    Text = List[0];
  if (List) XFreeStringList(List);
  XFree(Property.value);
  return Text;
}

TEST_F(X11WindowTest, ShownWindowHasItsClientSizePlaceNamesAndHints) {
  TWindowOptions Opts = Options(320, 240);
  Opts.Caption = "Men\xC3\xBC \xE2\x9C\x93";
  Opts.IconName = "Launcher";
  Opts.ClassName = "OstrelMenu";
  auto Window = System().CreateWindow(Opts);
  Window->Show(100, 80);
  auto Exposed = WaitForKind(System(), TKind::wkExpose);
  ASSERT_TRUE(Exposed);
  EXPECT_EQ(Exposed->Window, Window.get());
  EXPECT_EQ(Exposed->X, 0);
  EXPECT_EQ(Exposed->Y, 0);
  EXPECT_EQ(Exposed->Width, 320);
  EXPECT_EQ(Exposed->Height, 240);

  const ::Window Handle = HandleOf(*Window);
  XWindowAttributes Attributes;
  ASSERT_TRUE(XGetWindowAttributes(Probe(), Handle, &Attributes));
  EXPECT_EQ(Attributes.width, 320);
  EXPECT_EQ(Attributes.height, 240);
  EXPECT_EQ(Attributes.map_state, IsViewable);
  int X = 0, Y = 0;
  Window->ClientOrigin(X, Y);
  EXPECT_EQ(X, 100);
  EXPECT_EQ(Y, 80);

  Atom Type = None;
  PropertyItems(Probe(), Handle, "_NET_WM_NAME", &Type);
  EXPECT_EQ(Type, AtomOf(Probe(), "UTF8_STRING"));
  EXPECT_EQ(PropertyText(Probe(), Handle, "_NET_WM_NAME"), Opts.Caption);
  std::string NameType;
  EXPECT_EQ(DecodedName(Probe(), Handle, "WM_NAME", NameType), Opts.Caption);
  EXPECT_EQ(NameType, "COMPOUND_TEXT") << "Latin-1 cannot hold the check mark";
  EXPECT_EQ(PropertyText(Probe(), Handle, "_NET_WM_ICON_NAME"), "Launcher");
  EXPECT_EQ(PropertyText(Probe(), Handle, "WM_ICON_NAME"), "Launcher");

  XClassHint Class;
  ASSERT_TRUE(XGetClassHint(Probe(), Handle, &Class));
  EXPECT_STREQ(Class.res_name, "ostrelmenu");
  EXPECT_STREQ(Class.res_class, "OstrelMenu");
  XFree(Class.res_name);
  XFree(Class.res_class);

  XSizeHints Hints;
  long Supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(Probe(), Handle, &Hints, &Supplied));
  EXPECT_EQ(Hints.flags & (PMinSize | PMaxSize | USPosition), PMinSize | PMaxSize | USPosition);
  EXPECT_EQ(Hints.min_width, 320);
  EXPECT_EQ(Hints.max_width, 320);
  EXPECT_EQ(Hints.min_height, 240);
  EXPECT_EQ(Hints.max_height, 240);
  EXPECT_EQ(Hints.x, 100);
  EXPECT_EQ(Hints.y, 80);

  // Functions: move, minimise and close, no resize or maximise; decorations likewise.
  const std::vector<long> Motif = PropertyItems(Probe(), Handle, "_MOTIF_WM_HINTS");
  ASSERT_EQ(Motif.size(), 5u);
  EXPECT_EQ(Motif[0], 3);
  EXPECT_EQ(Motif[1], 4 | 8 | 32);
  EXPECT_EQ(Motif[2] & (32 | 64), 32);

  Atom* Protocols = nullptr;
  int Count = 0;
  ASSERT_TRUE(XGetWMProtocols(Probe(), Handle, &Protocols, &Count));
  ASSERT_EQ(Count, 1);
  EXPECT_EQ(Protocols[0], AtomOf(Probe(), "WM_DELETE_WINDOW"));
  XFree(Protocols);

  EXPECT_EQ(PropertyItems(Probe(), Handle, "_NET_WM_PID"), std::vector<long>{getpid()});
  EXPECT_EQ(PropertyItems(Probe(), Handle, "_NET_WM_WINDOW_TYPE"),
            std::vector<long>{static_cast<long>(AtomOf(Probe(), "_NET_WM_WINDOW_TYPE_NORMAL"))});
}

TEST_F(X11WindowTest, MalformedCaptionIsStoredAsWellFormedText) {
  auto Window = System().CreateWindow(Options(50, 50));
  Window->SetCaption(
      "A\xFF"
      "B\xC3");
  Sync(System());
  const ::Window Handle = HandleOf(*Window);
  EXPECT_EQ(PropertyText(Probe(), Handle, "_NET_WM_NAME"),
            "A\xEF\xBF\xBD"
            "B\xEF\xBF\xBD");
  std::string Type;
  EXPECT_EQ(DecodedName(Probe(), Handle, "WM_NAME", Type),
            "A\xEF\xBF\xBD"
            "B\xEF\xBF\xBD");
}

// Tools that read only the older properties see the name, not question marks.
TEST_F(X11WindowTest, NamesBeyondLatinOneAreCompoundTextAndLatinOneNamesStayStrings) {
  auto Window = System().CreateWindow(Options(50, 50));
  const ::Window Handle = HandleOf(*Window);
  const std::string Cyrillic =
      "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xD0\xB4\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB0";
  Window->SetCaption(Cyrillic);
  Window->SetIconName("\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D caf\xC3\xA9");
  Sync(System());
  std::string Type;
  EXPECT_EQ(DecodedName(Probe(), Handle, "WM_NAME", Type), Cyrillic);
  EXPECT_EQ(Type, "COMPOUND_TEXT");
  EXPECT_EQ(DecodedName(Probe(), Handle, "WM_ICON_NAME", Type),
            "\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D caf\xC3\xA9");
  EXPECT_EQ(Type, "COMPOUND_TEXT");
  EXPECT_EQ(PropertyText(Probe(), Handle, "_NET_WM_ICON_NAME"),
            "\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D caf\xC3\xA9");

  Window->SetCaption("Men\xC3\xBC\tcaf\xC3\xA9\x01");
  Sync(System());
  EXPECT_EQ(DecodedName(Probe(), Handle, "WM_NAME", Type), "Men\xC3\xBC\tcaf\xC3\xA9?");
  EXPECT_EQ(Type, "STRING");
}

TEST_F(X11WindowTest, IconsAreStoredAsSizesAndPixelsAndUnusableOnesSkipped) {
  auto Window = System().CreateWindow(Options(64, 64));
  const TIconPixels Small{16, 16, std::vector<std::uint32_t>(256, 0xFF112233u)};
  const TIconPixels Large{32, 32, std::vector<std::uint32_t>(1024, 0x80445566u)};
  const TIconPixels Short{4, 4, std::vector<std::uint32_t>(3, 0xFFFFFFFFu)};
  const TIconPixels Empty{0, 0, {}};
  Window->SetIcons({Small, Short, Empty, Large});
  Sync(System());
  const ::Window Handle = HandleOf(*Window);
  const std::vector<long> Icon = PropertyItems(Probe(), Handle, "_NET_WM_ICON");
  ASSERT_EQ(Icon.size(), 2u + 256u + 2u + 1024u);
  EXPECT_EQ(Icon[0], 16);
  EXPECT_EQ(Icon[1], 16);
  EXPECT_EQ(Icon[2], 0xFF112233L);
  EXPECT_EQ(Icon[258], 32);
  EXPECT_EQ(Icon[259], 32);
  EXPECT_EQ(Icon.back(), 0x80445566L);

  Window->SetIcons({});
  Sync(System());
  EXPECT_TRUE(PropertyItems(Probe(), Handle, "_NET_WM_ICON").empty());
}

TEST_F(X11WindowTest, OwnedDialogIsTransientForItsOwnerWithoutMinimise) {
  auto Main = System().CreateWindow(Options(200, 100));
  TWindowOptions Opts = Options(120, 80);
  Opts.Owner = Main.get();
  Opts.Dialog = true;
  auto Dialog = System().CreateWindow(Opts);
  Sync(System());
  const ::Window Handle = HandleOf(*Dialog);
  ::Window Owner = 0;
  ASSERT_TRUE(XGetTransientForHint(Probe(), Handle, &Owner));
  EXPECT_EQ(Owner, HandleOf(*Main));
  EXPECT_EQ(PropertyItems(Probe(), Handle, "_NET_WM_WINDOW_TYPE"),
            std::vector<long>{static_cast<long>(AtomOf(Probe(), "_NET_WM_WINDOW_TYPE_DIALOG"))});
  const std::vector<long> Motif = PropertyItems(Probe(), Handle, "_MOTIF_WM_HINTS");
  ASSERT_EQ(Motif.size(), 5u);
  EXPECT_EQ(Motif[1], 4 | 32);
  EXPECT_EQ(Motif[2] & (32 | 64), 0);
}

TEST_F(X11WindowTest, NewClientSizeChangesWindowHintsAndImage) {
  auto Window = ShownWindow(System(), Options(320, 240));
  Window->SetClientSize(200, 300);
  Sync(System());
  const ::Window Handle = HandleOf(*Window);
  XWindowAttributes Attributes;
  ASSERT_TRUE(XGetWindowAttributes(Probe(), Handle, &Attributes));
  EXPECT_EQ(Attributes.width, 200);
  EXPECT_EQ(Attributes.height, 300);
  XSizeHints Hints;
  long Supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(Probe(), Handle, &Hints, &Supplied));
  EXPECT_EQ(Hints.min_width, 200);
  EXPECT_EQ(Hints.max_height, 300);

  // The image follows the new size: its last row and column reach the screen.
  const std::vector<std::uint32_t> Pixels(200 * 300, 0x00336699u);
  Window->Present(Pixels.data(), 200, 0, 0, 200, 300);
  Sync(System());
  XImage* Image = XGetImage(Probe(), Handle, 199, 299, 1, 1, AllPlanes, ZPixmap);
  ASSERT_NE(Image, nullptr);
  EXPECT_EQ(XGetPixel(Image, 0, 0) & 0xFFFFFF, 0x336699u);
  XDestroyImage(Image);
}

TEST_F(X11WindowTest, HiddenWindowIsUnmappedAndShowsAgainAtTheNewPlace) {
  auto Window = ShownWindow(System(), Options(100, 100));
  const ::Window Handle = HandleOf(*Window);
  Window->Hide();
  Sync(System());
  XWindowAttributes Attributes;
  ASSERT_TRUE(XGetWindowAttributes(Probe(), Handle, &Attributes));
  EXPECT_EQ(Attributes.map_state, IsUnmapped);
  Window->Show(300, 200);
  Sync(System());
  ASSERT_TRUE(XGetWindowAttributes(Probe(), Handle, &Attributes));
  EXPECT_EQ(Attributes.map_state, IsViewable);
  EXPECT_EQ(Attributes.x, 300);
  EXPECT_EQ(Attributes.y, 200);
}

// The screen's pixel value for a back-buffer pixel, for the 24-bit and the 5-6-5 visual.
unsigned long ScreenValue(std::uint32_t Pixel, int ScreenDepth) {
  if (ScreenDepth != 16) return Pixel & 0xFFFFFF;
  return ((Pixel >> 19) & 0x1F) << 11 | ((Pixel >> 10) & 0x3F) << 5 | ((Pixel >> 3) & 0x1F);
}

// Pixels where the window does not show Buffer (Width pixels a row), as "x,y" texts.
std::string PixelsNotShown(TWindowSystem& System, Display* Probe, ::Window Handle,
                           const std::vector<std::uint32_t>& Buffer, int Width, int Height) {
  Sync(System);
  XWindowAttributes Attributes;
  XGetWindowAttributes(Probe, Handle, &Attributes);
  XImage* Image = XGetImage(Probe, Handle, 0, 0, static_cast<unsigned>(Width),
                            static_cast<unsigned>(Height), AllPlanes, ZPixmap);
  if (!Image) return "no image";
  std::string Wrong;
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const unsigned long Mask = Attributes.depth == 16 ? 0xFFFF : 0xFFFFFF;
      if ((XGetPixel(Image, X, Y) & Mask) != ScreenValue(Buffer[Y * Width + X], Attributes.depth))
        if (Wrong.size() < 200) Wrong += std::to_string(X) + "," + std::to_string(Y) + " ";
    }
  XDestroyImage(Image);
  return Wrong;
}

struct TScreenKind {
  const char* Name;
  const char* Geometry;
  std::vector<std::string> Extra;
  int ScreenDepth;
};

std::string ScreenKindName(const testing::TestParamInfo<TScreenKind>& Param) {
  return Param.param.Name;
}

class X11PresentTest : public testing::TestWithParam<TScreenKind> {};

TEST_P(X11PresentTest, PresentedRectanglesReachTheScreen) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  TXvfb Server(GetParam().Geometry, GetParam().Extra);
  ASSERT_FALSE(Server.Name().empty());
  TScopedEnv DisplayVariable("DISPLAY", Server.Name());
  TSession Session;
  ASSERT_TRUE(Session.System) << Session.Error;
  const unsigned Errors = TX11WindowSystem::ErrorCount();
  {
    constexpr int Width = 320, Height = 240;
    auto Window = ShownWindow(*Session.System, Options(Width, Height));
    const ::Window Handle = HandleOf(*Window);
    XWindowAttributes Attributes;
    ASSERT_TRUE(XGetWindowAttributes(Session.Probe, Handle, &Attributes));
    EXPECT_EQ(Attributes.depth, GetParam().ScreenDepth);

    // Alpha is noise to the screen; the colours vary by row and column.
    std::vector<std::uint32_t> Buffer(Width * Height);
    for (int Y = 0; Y < Height; ++Y)
      for (int X = 0; X < Width; ++X)
        Buffer[Y * Width + X] = (static_cast<std::uint32_t>(X * 7) & 0xFF) << 16 |
                                (static_cast<std::uint32_t>(Y) & 0xFF) << 8 |
                                (static_cast<std::uint32_t>(X + Y) & 0xFF) | (X % 2) << 24;
    Window->Present(Buffer.data(), Width, 0, 0, Width, Height);
    EXPECT_EQ(PixelsNotShown(*Session.System, Session.Probe, Handle, Buffer, Width, Height), "");

    // Only the rectangle given changes, even where the buffer differs elsewhere.
    std::vector<std::uint32_t> Changed(Buffer.size(), 0xFFFF00FFu);
    Window->Present(Changed.data(), Width, 10, 20, 30, 40);
    for (int Y = 20; Y < 60; ++Y)
      for (int X = 10; X < 40; ++X) Buffer[Y * Width + X] = 0xFFFF00FFu;
    EXPECT_EQ(PixelsNotShown(*Session.System, Session.Probe, Handle, Buffer, Width, Height), "");

    // A rectangle reaching past the client area is cut to it.
    Window->Present(Changed.data(), Width, -10, -10, Width + 50, 30);
    for (int Y = 0; Y < 20; ++Y)
      for (int X = 0; X < Width; ++X) Buffer[Y * Width + X] = 0xFFFF00FFu;
    EXPECT_EQ(PixelsNotShown(*Session.System, Session.Probe, Handle, Buffer, Width, Height), "");
  }
  EXPECT_EQ(TX11WindowSystem::ErrorCount(), Errors);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, X11PresentTest,
    testing::Values(TScreenKind{"Shared", "640x480x24", {}, 24},
                    TScreenKind{"WithoutSharedMemory", "640x480x24", {"-extension", "MIT-SHM"}, 24},
                    TScreenKind{"Depth16", "640x480x16", {}, 16}),
    ScreenKindName);

// A window may be mapped before its frame is ready; the frame goes to the server once, when the
// server asks for it, and not also before while a window manager may not have mapped it.
TEST_F(X11WindowTest, NothingIsPutUntilTheServerAsksForTheWindowsFace) {
  constexpr int Side = 60;
  const std::vector<std::uint32_t> Red(Side * Side, 0xFFFF0000u);
  auto Window = System().CreateWindow(Options(Side, Side));
  for (int Showing = 0; Showing < 2; ++Showing) {
    Window->Show(100, 80);
    Window->Present(Red.data(), Side, 0, 0, Side, Side);
    EXPECT_NE(PixelsNotShown(System(), Probe(), HandleOf(*Window), Red, Side, Side), "");
    ASSERT_TRUE(WaitForKind(System(), TKind::wkExpose));
    Window->Present(Red.data(), Side, 0, 0, Side, Side);
    EXPECT_EQ(PixelsNotShown(System(), Probe(), HandleOf(*Window), Red, Side, Side), "");
    // Shown again, it waits for the server once more.
    Window->Hide();
    Sync(System());
  }
}

// As a window closed by the user: the program hears wkClose for it, and neither draws into the
// gone window nor destroys it again.
TEST_F(X11WindowTest, WindowDestroyedByAnotherClientIsClosed) {
  auto Window = ShownWindow(System(), Options(100, 100));
  XDestroyWindow(Probe(), HandleOf(*Window));
  XSync(Probe(), False);
  const auto Closed = WaitForKind(System(), TWindowEvent::TKind::wkClose);
  ASSERT_TRUE(Closed);
  EXPECT_EQ(Closed->Window, Window.get());
  const std::vector<std::uint32_t> Pixels(100 * 100, 0);
  Window->Present(Pixels.data(), 100, 0, 0, 100, 100);
  Window.reset();
  Sync(System());
  TWindowEvent Event;
  EXPECT_FALSE(System().NextEvent(Event, 0));
}

TEST(X11DisplayTest, DisplayThatCannotBeOpenedIsNamedInTheMessage) {
  std::string Error;
  {
    TScopedEnv DisplayVariable("DISPLAY", std::string(":999"));
    EXPECT_EQ(TX11WindowSystem::Open(Error), nullptr);
    EXPECT_EQ(Error, "cannot open display ':999'");
  }
  {
    TScopedEnv DisplayVariable("DISPLAY", std::nullopt);
    EXPECT_EQ(TX11WindowSystem::Open(Error), nullptr);
    EXPECT_EQ(Error, "no display: DISPLAY is not set");
  }
}

TEST(X11DisplayDeathTest, LostConnectionEndsTheProgramWithItsReason) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  // The child ends without running destructors, which would stop the parent's shared display.
  EXPECT_EXIT(
      {
        std::unique_ptr<TWindowSystem> System;
        {
          TXvfb Server("320x200x24");
          TScopedEnv DisplayVariable("DISPLAY", Server.Name());
          std::string Error;
          System = TX11WindowSystem::Open(Error);
          if (!System) std::_Exit(2);
        }
        TWindowEvent Event;
        System->NextEvent(Event, 5000);
        std::_Exit(3);
      },
      testing::ExitedWithCode(1), "lost the connection to display ':[0-9]+'");
}

}  // namespace
