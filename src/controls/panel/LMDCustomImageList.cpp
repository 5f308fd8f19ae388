// TLMDCustomImageList: the defaults an image list stores besides the container's.
#include "controls/panel/LMDCustomImageList.h"

void TLMDCustomImageList::AssignDefaults(const TLMDCustomContainer& Source) {
  TLMDCustomContainer::AssignDefaults(Source);
  if (const auto* Other = dynamic_cast<const TLMDCustomImageList*>(&Source))
    FDefaultPixelFormat = Other->FDefaultPixelFormat;
}
