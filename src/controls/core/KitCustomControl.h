// TKitCustomControl: the family's windowed control, linked to an image list, able to show its
// parent's background, lending its background to the controls on it, and raising mouse-enter
// and mouse-exit events.
#pragma once

#include <cstdint>

#include "controls/core/KitBackgroundClient.h"
#include "controls/core/KitChangeLink.h"
#include "core/Types.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/WinControl.h"

class TKitCustomImageList;

// How a control places itself in its parent: alClient fills the parent's client area, inside
// the bevel when the parent is a panel of the family.
enum class TAlign : std::uint8_t { alNone, alClient };

// The base of the family's windowed controls. Its background-sharing operations answer for a
// transparent control, which lends its parent's background; a panel with a background copy of
// its own overrides them.
class TKitCustomControl : public TWinControl, public TKitBackgroundClient {
 public:
  explicit TKitCustomControl(TComponent* Owner);
  ~TKitCustomControl() override;
  const char* ClassName() const override { return "TKitCustomControl"; }

  // The list that holds the picture, not owned. The control follows the list's changes through
  // its change link, and forgets the list when it is destroyed.
  TKitCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TKitCustomImageList* Value);
  // Which image of the list item; never negative.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { SetIndex(0, Value); }
  // Which item of the list; never negative.
  int ListIndex() const { return FListIndex; }
  void SetListIndex(int Value) { SetIndex(1, Value); }
  // The indices' shared setter: 0 ImageIndex, 1 ListIndex. A negative value, or the current
  // one, is ignored.
  void SetIndex(int Index, int Value);

  // A transparent control keeps no face of its own and shows its parent's background.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  // Fits an alClient control into its parent's client area. A family panel calls it for its
  // children whenever their room changes; another parent calls it after it was resized.
  void Realign();

  // True while the pointer is over the control and not over one of its children.
  bool MouseAbove() const { return FMouseAbove; }
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

  // True when a background is available to the controls on this one.
  virtual bool BackBitmapCheck() const;
  // The bitmap the background is copied from, or nullptr.
  virtual TBitmap* BackBitmap() const;
  // Paints into Rect of Canvas the background whose top-left lies at Rect's top-left moved by
  // Point, in this control's client coordinates. False when it painted nothing. Flags are for
  // palette-based displays; a plain copy on a true-colour surface reads none.
  virtual bool BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point, std::uint16_t Flags);
  // A point of the client area in the coordinates of the bitmap BackBitmap returns.
  virtual TPoint BackMapPoint(TPoint Point) const;

  // The parent's background changed: repaint from it and tell the children.
  void BackgroundChanged() override;

  void SetParent(TWinControl* Parent) override;
  // A size change rebuilds what depends on the size, realigns the children and repaints; a
  // control that paints from a background repaints at once and tells its children.
  void SetBounds(int Left, int Top, int Width, int Height) override;
  void MouseEntered() override;
  void MouseLeft() override;

 protected:
  // True when the list has a picture at (ListIndex, ImageIndex).
  bool ValidItem() const;
  // True when the control paints from a background rather than its colour.
  bool CheckOptimized() const { return BackBitmapCheck(); }
  // Sends the background-changed notice to every child control that takes it.
  void NotifyBackgroundChanged();
  // Realigns the family's children with alClient.
  void AlignControls();

  // The list changed, or another picture of it was chosen.
  virtual void GetIMLChange();
  // An owned settings object changed.
  virtual void GetChange();
  // True when the control has nothing to show but its colour.
  virtual bool GetEmpty() const;
  // Covers the client area with the background, or with Color when there is none.
  virtual void FillControl();
  // Told after a size change, before the control repaints for it.
  virtual void SizeChanged();
  // The part of Rect that aligned children may take.
  virtual TRect AdjustClientRect(const TRect& Rect) const { return Rect; }

  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  TKitCustomControl* FamilyParent() const;
  void AfterResize();

  TKitCustomImageList* FImageList = nullptr;
  TKitChangeLink FChangeLink;
  int FImageIndex = 0;
  int FListIndex = 0;
  bool FTransparent = false;
  TAlign FAlign = TAlign::alNone;
  bool FMouseAbove = false;
};
