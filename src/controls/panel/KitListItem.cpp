// TKitListItem: setters that notify, the owner's collection, and leaving it on destruction.
#include "controls/panel/KitListItem.h"

#include "controls/panel/KitCustomContainer.h"

TKitListItem::~TKitListItem() {
  if (FContainer) FContainer->Forget(this);
}

void TKitListItem::SetDescription(const std::string& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Change();
}

void TKitListItem::SetIdent(std::uint16_t Value) {
  if (Value == FIdent) return;
  FIdent = Value;
  Change();
}

void TKitListItem::SetCompressed(bool Value) {
  if (Value == FCompressed) return;
  FCompressed = Value;
  Change();
}

int TKitListItem::GetIndex() const {
  const auto* Container = dynamic_cast<const TKitCustomContainer*>(Owner());
  return Container ? Container->IndexOf(this) : -1;
}

void TKitListItem::Change() {
  TKitCustomComponent::Change();
  auto* Container = dynamic_cast<TKitCustomContainer*>(Owner());
  if (Container && Container->OnChange) Container->OnChange(this);
}

void TKitListItem::Loaded() {
  TKitCustomComponent::Loaded();
  auto* Container = dynamic_cast<TKitCustomContainer*>(Owner());
  if (Container && !FContainer) Container->Add(this);
}
