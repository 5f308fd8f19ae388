// TKitBaseContainer: the registry of change links.
#include "controls/core/KitBaseContainer.h"

#include <algorithm>

TKitBaseContainer::~TKitBaseContainer() {
  for (TKitChangeLink* Link : FLinks) Link->FSender = nullptr;
}

void TKitBaseContainer::RegisterChanges(TKitChangeLink* Link) {
  if (!Link) return;
  if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
  Link->FSender = this;
  FLinks.push_back(Link);
}

void TKitBaseContainer::UnRegisterChanges(TKitChangeLink* Link) {
  if (!Link || Link->FSender != this) return;
  FLinks.erase(std::find(FLinks.begin(), FLinks.end(), Link));
  Link->FSender = nullptr;
}

void TKitBaseContainer::Change() {
  // A link's handler may unregister or destroy links: only those still registered are called.
  const std::vector<TKitChangeLink*> Links = FLinks;
  for (TKitChangeLink* Link : Links)
    if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
  if (!Updating() && OnChange) OnChange(this);
}
