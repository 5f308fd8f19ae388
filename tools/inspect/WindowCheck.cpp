// The author's check of the window.
#include "WindowCheck.h"

#include <algorithm>
#include <memory>

#include "MenuKeys.h"
#include "app/MainForm.h"
#include "controls/button/KitDrawTextCalc.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/FileName.h"
#include "framework/Icon.h"
#include "platform/Driver.h"
#include "platform/headless/HeadlessDriver.h"

namespace {

std::string Size(int Width, int Height) {
  return std::to_string(Width) + " x " + std::to_string(Height);
}

// What a picture file fails with, in the author's words; empty when it loads.
template <typename TPicture>
std::string PictureFault(const std::string& File, TPicture& Picture) {
  if (!Driver().Files().FileExists(File))
    return Driver().Files().DirectoryExists(File) ? "is a folder" : "does not exist";
  try {
    Picture.LoadFromFile(File);
  } catch (const std::exception& Error) {
    // A finding is one line: the second line of a picture's message (the file and the formats
    // read) follows the first after a space.
    std::string Message = Error.what();
    std::replace(Message.begin(), Message.end(), '\n', ' ');
    return "cannot be read: " + Message;
  }
  return "";
}

// A button's rectangle, right and bottom exclusive.
struct TPlace {
  std::int64_t Left, Top, Right, Bottom;
  bool Meets(const TPlace& Other) const {
    return Left < Other.Right && Other.Left < Right && Top < Other.Bottom && Other.Top < Bottom;
  }
  bool Holds(const TPlace& Other) const {
    return Other.Left >= Left && Other.Top >= Top && Other.Right <= Right && Other.Bottom <= Bottom;
  }
};

class TWindowCheck {
 public:
  TWindowCheck(TCheckContext& Context, const TOstrelInfo& Menu) : FContext(Context), FMenu(Menu) {}

  void Run() {
    CheckIcon();
    TBitmap Background;
    const std::string Fault = PictureFault(FMenu.BackgroundPath(), Background);
    if (!Fault.empty()) {
      FContext.Add(FContext.NearestLineOf(MainSection, "Background"), TSeverity::svError,
                   MainSection + ".Background",
                   "the background " + Quoted(FMenu.BackgroundPath()) + " " + Fault +
                       "; the menu does not start without it");
      return;
    }
    FWidth = Background.Width();
    FHeight = Background.Height();
    for (std::int32_t I = 0; I < FMenu.EntryCount(); ++I) CheckPlace(I);
    CheckCaptions();
  }

 private:
  void Add(std::int32_t Index, const std::string& Key, TSeverity Severity,
           const std::string& Message) {
    const std::string Section = EntrySection(Index + 1);
    FContext.Add(FContext.NearestLineOf(Section, Key), Severity,
                 Key.empty() ? Section : Section + "." + Key, Message);
  }

  void CheckIcon() {
    if (FMenu.IconPath().empty()) return;
    TIcon Icon;
    const std::string Fault = PictureFault(FMenu.IconPath(), Icon);
    if (!Fault.empty())
      FContext.Add(FContext.NearestLineOf(MainSection, "Icon"), TSeverity::svWarning,
                   MainSection + ".Icon", "the icon " + Quoted(FMenu.IconPath()) + " " + Fault);
  }

  // The button against the window and against the buttons before it.
  void CheckPlace(std::int32_t Index) {
    const std::string Section = EntrySection(Index + 1);
    if (FContext.LineOf(Section) == 0) return;
    const TProgInfo& Entry = *FMenu.ProgInfo(Index);
    if (Entry.Width <= 0 || Entry.Height <= 0) {
      // A value already reported as unreadable says why; a missing one does not.
      if (FContext.Unreadable(Section, "Width") || FContext.Unreadable(Section, "Height")) return;
      Add(Index, Entry.Width <= 0 ? "Width" : "Height", TSeverity::svError,
          "the button is " + Size(Entry.Width, Entry.Height) +
              " pixels, so it cannot be seen or clicked");
      return;
    }
    // In 64 bits: a position and a size near the 32-bit limits must not wrap round.
    const TPlace Button{Entry.X, Entry.Y, std::int64_t{Entry.X} + Entry.Width,
                        std::int64_t{Entry.Y} + Entry.Height};
    const TPlace Window{0, 0, FWidth, FHeight};
    const std::string Where = "the button at " + std::to_string(Entry.X) + "," +
                              std::to_string(Entry.Y) + " of " + Size(Entry.Width, Entry.Height);
    if (!Button.Meets(Window)) {
      Add(Index, "X", TSeverity::svError,
          Where + " lies wholly outside the " + Size(FWidth, FHeight) + " window");
      return;
    }
    if (!Window.Holds(Button))
      Add(Index, "X", TSeverity::svWarning,
          Where + " lies partly outside the " + Size(FWidth, FHeight) + " window");
    for (const auto& [Other, Place] : FPlaced) {
      if (Button.Meets(Place)) {
        Add(Index, "", TSeverity::svWarning,
            "the button of [" + Section + "] overlaps the button of [" + EntrySection(Other + 1) +
                "]");
        break;
      }
    }
    FPlaced.emplace_back(Index, Button);
  }

  // Captions are measured on the menu window itself, with each button's font and relief, on a
  // display without a screen. That window reads the menu.ini of its folder only.
  void CheckCaptions() {
    const std::string Folder = NormalDir(ExtractFilePath(FMenu.FileName()));
    if (Folder + "menu.ini" != FMenu.FileName()) return;
    THeadlessDriver System;
    // A screen the menu always fits on, so that it is measured as designed, not shrunk.
    System.ScreenWidth = System.ScreenHeight = 65535;
    TApplication App(System);
    App.SetExeName(Folder + "ostrel");
    TForm1* Form = nullptr;
    try {
      Form = App.CreateForm<TForm1>(MenuFolder());
    } catch (const std::exception&) {
      return;
    }
    for (int I = 0; I < Form->RunPanel->ControlCount(); ++I) {
      auto* Button = dynamic_cast<TKitSpeedButton*>(Form->RunPanel->Controls(I));
      if (Button == nullptr || Button->Caption().empty() || Button->Width() <= 0 ||
          Button->Height() <= 0)
        continue;
      TRect Needed = Rect(0, 0, Button->Width(), 0);
      KitDrawTextCalc(Button->Caption(), &Button->FontFX(), Needed, Button->Font, {}, 0);
      if (Needed.Width() <= Button->Width() && Needed.Height() <= Button->Height()) continue;
      Add(Button->Tag, "ButtonText", TSeverity::svWarning,
          "the caption needs " + Size(Needed.Width(), Needed.Height()) +
              " pixels in its font, and the button is " + Size(Button->Width(), Button->Height()) +
              ": it is cut off");
    }
  }

  TCheckContext& FContext;
  const TOstrelInfo& FMenu;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::pair<std::int32_t, TPlace>> FPlaced;
};

}  // namespace

void CheckWindow(TCheckContext& Context, const TOstrelInfo& Menu) {
  TWindowCheck(Context, Menu).Run();
}
