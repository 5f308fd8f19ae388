// TKitCustomImageList: the defaults an image list stores besides the container's.
#include "controls/panel/KitCustomImageList.h"

void TKitCustomImageList::AssignDefaults(const TKitCustomContainer& Source) {
  TKitCustomContainer::AssignDefaults(Source);
  if (const auto* Other = dynamic_cast<const TKitCustomImageList*>(&Source))
    FDefaultPixelFormat = Other->FDefaultPixelFormat;
}
