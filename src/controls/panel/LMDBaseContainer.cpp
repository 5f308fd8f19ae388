// TLMDBaseContainer: the registry of change links.
#include "controls/panel/LMDBaseContainer.h"

#include <algorithm>

TLMDBaseContainer::~TLMDBaseContainer() {
  for (TLMDChangeLink* Link : FLinks) Link->FSender = nullptr;
}

void TLMDBaseContainer::RegisterChanges(TLMDChangeLink* Link) {
  if (!Link) return;
  if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
  Link->FSender = this;
  FLinks.push_back(Link);
}

void TLMDBaseContainer::UnRegisterChanges(TLMDChangeLink* Link) {
  if (!Link || Link->FSender != this) return;
  FLinks.erase(std::find(FLinks.begin(), FLinks.end(), Link));
  Link->FSender = nullptr;
}

void TLMDBaseContainer::Change() {
  // A link's handler may unregister or destroy links: only those still registered are called.
  const std::vector<TLMDChangeLink*> Links = FLinks;
  for (TLMDChangeLink* Link : Links)
    if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
  if (!Updating() && OnChange) OnChange(this);
}
