// TForm1: the menu window. It loads the menu description beside the executable, shows the
// background picture as its face and one button per entry, and runs an entry when its button is
// clicked.
#pragma once

#include <memory>
#include <string>

#include "controls/button/KitSpeedButton.h"
#include "controls/panel/KitBackPanel.h"
#include "controls/panel/KitBitmapList.h"
#include "framework/Form.h"
#include "menu/MenuInfo.h"

// The folder whose menu.ini the program shows: the first argument, else the executable's folder.
std::string MenuFolder();

class TForm1 : public TForm {
 public:
  // Builds the whole window from MenuFolder's menu.ini; raises what loading the background or
  // the icon raises.
  TForm1(TComponent* Owner, const std::string& MenuFolder);
  ~TForm1() override;
  const char* ClassName() const override { return "TForm1"; }

  TKitBackPanel* RunPanel = nullptr;
  TKitSpeedButton* btnTemplate = nullptr;
  TKitBitmapList* ImgList = nullptr;

  // The click handler of every menu button: messages, launch, and the end of the menu. A
  // target that cannot be opened is reported in the error box and the menu stays; a target
  // gone since start-up disables its button.
  void btnTemplateClick(TObject* Sender);

  const std::string& MenuDir() const { return FMenuDir; }
  const TOstrelInfo& MenuInfo() const { return *FMenuInfo; }
  // The scale the menu is drawn at: the desktop's, or smaller so that the window fits on the
  // pointer's monitor. Positions and sizes in menu.ini are multiplied by it.
  double Scale() const { return FScale; }

 private:
  void CreateDesign();
  void BuildFromMenu();
  void LoadMenuIcon();
  // What the user is told when the entry's target cannot be opened; "" when it was opened.
  std::string Launch(const TProgInfo& Entry);
  bool Availability(int Index) const;
  double MenuScale(const TBitmap& Picture) const;

  std::string FMenuDir;
  std::unique_ptr<TOstrelInfo> FMenuInfo;
  double FScale = 1;
};
