// TKitCustomParentPanel: a bevel panel that keeps its picture as a background copy, paints
// from it and lends pieces of it to the controls on it.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/panel/KitCustomBevelPanel.h"
#include "framework/Bitmap.h"

class TKitCustomParentPanel : public TKitCustomBevelPanel {
 public:
  using TKitCustomBevelPanel::TKitCustomBevelPanel;
  const char* ClassName() const override { return "TKitCustomParentPanel"; }

  // Copies from the background skip palette selection. Surfaces here are true colour, where
  // there is no palette to select; the setting is kept with the panel's others.
  bool QuickDraw() const { return FQuickDraw; }
  void SetQuickDraw(bool Value) { FQuickDraw = Value; }

  // With a background copy of its own the panel lends that, in its own client coordinates;
  // without one it answers as a transparent control does.
  bool BackBitmapCheck() const override;
  TBitmap* BackBitmap() const override;
  // A Rect equal to the client rectangle means the panel paints itself: only the canvas's clip
  // rectangle is copied, from the same place in the copy, whatever Point says.
  bool BackDrawArea(TCanvas& Canvas, const TRect& Rect, TPoint Point, std::uint16_t Flags) override;
  TPoint BackMapPoint(TPoint Point) const override;

 protected:
  // Builds the background copy from the list's picture, tiled over the panel's size, or frees
  // it when there is no picture or the panel is transparent. Unless Force, a copy larger than
  // the panel in both directions stays as it is. A bitmap list's picture of the panel's size
  // lends its pixels to the copy instead of their being copied.
  virtual void CreateBack(bool Force);

  // While loading, the copy waits for the panel's final size and picture: Loaded builds it once.
  void GetIMLChange() override;
  void SizeChanged() override;
  void Loaded() override;

 private:
  // The bitmap list's picture when it has exactly this size, else nullptr.
  const TBitmap* PictureOfPanelSize(int Width, int Height) const;

  std::unique_ptr<TBitmap> FBack;
  bool FQuickDraw = false;
};
