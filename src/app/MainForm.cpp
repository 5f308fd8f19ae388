// TForm1: the menu window, built from menu.ini.
#include "app/MainForm.h"

#include <utility>

#include "app/Launcher.h"
#include "app/MenuScale.h"
#include "controls/panel/KitBitmapListItem.h"
#include "core/Exception.h"
#include "framework/Application.h"
#include "framework/BitmapResample.h"
#include "framework/FileName.h"
#include "framework/MessageDialog.h"
#include "menu/EntryAction.h"
#include "platform/Driver.h"

// A medium whose files cannot be run starts a copy of the program from elsewhere, naming the
// medium's folder.
std::string MenuFolder() {
  if (!Application) return "";
  if (!Application->Params().empty())
    return Driver().Files().ExpandFileName(Application->Params().front());
  return ExtractFilePath(Application->ExeName());
}

TForm1::TForm1(TComponent* Owner, const std::string& MenuFolder)
    : TForm(Owner), FMenuDir(NormalDir(MenuFolder)) {
  CreateDesign();
  FMenuInfo = std::make_unique<TOstrelInfo>(FMenuDir + "menu.ini");
  // Built in one go: the panel lays its background out once, at the window's final size, rather
  // than tiling the picture over the designed size first.
  RunPanel->BeginLoading();
  BuildFromMenu();
  RunPanel->EndLoading();
}

TForm1::~TForm1() = default;

// The window's design: what every menu starts from before its description is applied.
void TForm1::CreateDesign() {
  BorderStyle = TFormBorderStyle::bsSingle;
  Position = TPosition::poScreenCenter;
  SetBounds(409, 141, 320, 240);
  SetColor(clBtnFace);
  Font.SetName("MS Sans Serif");
  Font.SetHeight(-11);
  Font.SetCharset(DEFAULT_CHARSET);
  Font.SetColor(clWindowText);

  ImgList = new TKitBitmapList(this);
  ImgList->SetDefaultCompressed(true);

  RunPanel = new TKitBackPanel(this);
  RunPanel->SetParent(this);
  RunPanel->SetBounds(0, 0, 320, 240);
  RunPanel->SetAlign(TAlign::alClient);
  RunPanel->Bevel().SetMode(TKitBevelMode::bmCustom);
  RunPanel->Bevel().SetStandardStyle(TKitBorderStyle::lsSingleLowered);
  RunPanel->SetImageList(ImgList);

  btnTemplate = new TKitSpeedButton(this);
  btnTemplate->SetParent(RunPanel);
  btnTemplate->SetBounds(7, 6, 233, 24);
  btnTemplate->SetStyle(TKitUserButtonStyle::ubsExplorer);
  btnTemplate->SetEnterColor(clLime);
  btnTemplate->SetEnterColorChange(true);
  btnTemplate->Font.SetName("Times New Roman");
  btnTemplate->Font.SetHeight(-19);
  btnTemplate->Font.SetCharset(RUSSIAN_CHARSET);
  btnTemplate->Font.SetColor(clYellow);
  btnTemplate->Font.SetStyle({fsBold});
  btnTemplate->SetParentFont(false);
  btnTemplate->FontFX().SetStyle(TKitThreeDStyle::tdSunkenShadow);
  btnTemplate->FontFX().SetLightColor(clBlack);
  btnTemplate->FontFX().SetShadowColor(clBlack);
  btnTemplate->OnClick = [this](TObject* Sender) { btnTemplateClick(Sender); };
}

void TForm1::BuildFromMenu() {
  auto* Item = new TKitBitmapListItem(ImgList);
  Item->GetBitmap().LoadFromFile(FMenuInfo->BackgroundPath());
  FScale = MenuScale(Item->GetBitmap());
  if (FScale != 1) {
    // Resampled once here, so that painting and hit tests need no scale.
    TBitmap Scaled;
    const TBitmap& Picture = Item->GetBitmap();
    ResampleBitmap(Picture, Scaled, ScaledLength(Picture.Width(), FScale),
                   ScaledLength(Picture.Height(), FScale));
    Item->GetBitmap().Assign(std::move(Scaled));
  }
  ImgList->Add(Item);
  const TBitmap& Background = Item->GetBitmap();
  SetClientWidth(Background.Width());
  SetClientHeight(Background.Height());
  RunPanel->Realign();

  if (Application) Application->SetTitle(FMenuInfo->AppTaskName());
  SetCaption(FMenuInfo->AppName());
  if (!FMenuInfo->IconPath().empty() && Application) LoadMenuIcon();

  // The captions' relief grows with the frames; the other buttons copy it from the first.
  TKitFxCaption& Relief = btnTemplate->FontFX();
  const int Depth = FaceFrameWidth(FScale);
  Relief.SetLightDepth(static_cast<std::uint8_t>(Relief.LightDepth() * Depth));
  Relief.SetShadowDepth(static_cast<std::uint8_t>(Relief.ShadowDepth() * Depth));
  for (int I = 0; I < FMenuInfo->EntryCount(); ++I) {
    TKitSpeedButton* Button = btnTemplate;
    if (I > 0) {
      Button = new TKitSpeedButton(btnTemplate);
      Button->SetParent(btnTemplate->Parent());
      Button->SetEnterColorChange(btnTemplate->EnterColorChange());
      Button->FontFX().Assign(btnTemplate->FontFX());
      Button->SetStyle(btnTemplate->Style());
      Button->OnClick = btnTemplate->OnClick;
    }
    const TProgInfo& Entry = *FMenuInfo->ProgInfo(I);
    const TRect Place = ScaledPlace(Entry.X, Entry.Y, Entry.Width, Entry.Height, FScale);
    Button->SetBounds(Place.Left, Place.Top, Place.Width(), Place.Height());
    Button->SetCaption(Entry.ButtonText);
    Button->Hint = Entry.Hint;
    Button->Font.Assign(Entry.FontInfo);
    // The text engine draws the caption at the scaled height, as crisp as any text of that size.
    Button->Font.SetHeight(ScaledFontHeight(Entry.FontInfo.Height(), FScale));
    Button->SetFrameWidth(FaceFrameWidth(FScale));
    Button->SetEnterColor(Entry.HighlightColor);
    Button->FontFX().SetColor(0, Entry.TopContourColor);
    Button->FontFX().SetColor(1, Entry.BottomContourColor);
    Button->Tag = I;
    Button->SetEnabled(Availability(I));
  }
}

double TForm1::MenuScale(const TBitmap& Picture) const {
  if (!Application) return 1;
  TWindowSystem& System = Application->WindowSystem();
  return FittedScale(System.DesktopScale(), Picture.Width(), Picture.Height(),
                     System.PointerWorkArea(), System.FrameExtents(false));
}

// The icon is optional: one that cannot be read leaves the program's own (the author's check
// reports it).
void TForm1::LoadMenuIcon() {
  TIcon MenuIcon;
  try {
    MenuIcon.LoadFromFile(FMenuInfo->IconPath());
  } catch (const EFOpenError&) {
    return;
  } catch (const EInvalidGraphic&) {
    return;
  }
  Application->Icon.Assign(MenuIcon);
  Icon.Assign(MenuIcon);
  UpdateTitleAndIcon();
}

bool TForm1::Availability(int Index) const {
  const TProgInfo* Entry = FMenuInfo->ProgInfo(Index);
  return Entry && TargetAvailable(Entry->RunPath());
}

std::string TForm1::Launch(const TProgInfo& Entry) {
  if (!Application) return "";
  return LaunchTarget(Driver(), Entry.RunPath(), Entry.RunParameters());
}

void TForm1::btnTemplateClick(TObject* Sender) {
  auto* Button = dynamic_cast<TControl*>(Sender);
  // A menu without entries still has its designed button; clicking it has nothing to run.
  const TProgInfo* Entry = Button ? FMenuInfo->ProgInfo(Button->Tag) : nullptr;
  if (!Entry) return;
  if (!Entry->PreRunMessage.empty()) {
    if (!Entry->PreRunConfirm)
      ShowMessage(Entry->PreRunMessage);
    else if (!AskYesNo(Entry->PreRunMessage))
      return;
  }
  if (TargetAction(Entry->RunPath()) == TEntryAction::eaExit) {
    if (Application) Application->Terminate();
    return;
  }
  if (const std::string Failure = Launch(*Entry); !Failure.empty()) {
    ShowErrorBox(Failure);
    if (!TargetAvailable(Entry->RunPath())) Button->SetEnabled(false);
    return;
  }
  if (!Entry->AfterRunMessage.empty()) ShowMessage(Entry->AfterRunMessage);
  if (Entry->TerminateAfterStart && Application) Application->Terminate();
}
