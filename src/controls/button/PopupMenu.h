// TPopupMenu: a menu that a control pops up at a point of the screen.
#pragma once

#include "framework/Component.h"

// What the drop-down button needs of a menu. The application supplies the menu itself: its
// items, its window and its loop.
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* Owner) : TComponent(Owner) {}
  const char* ClassName() const override { return "TPopupMenu"; }

  // Shows the menu with its top-left corner at the screen point (X, Y) and returns once it has
  // closed.
  virtual void Popup(int X, int Y) = 0;
};
