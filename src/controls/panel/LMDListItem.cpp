// TLMDListItem: setters that notify, the owner's collection, and leaving it on destruction.
#include "controls/panel/LMDListItem.h"

#include "controls/panel/LMDCustomContainer.h"

TLMDListItem::~TLMDListItem() {
  if (FContainer) FContainer->Forget(this);
}

void TLMDListItem::SetDescription(const std::string& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Change();
}

void TLMDListItem::SetIdent(std::uint16_t Value) {
  if (Value == FIdent) return;
  FIdent = Value;
  Change();
}

void TLMDListItem::SetCompressed(bool Value) {
  if (Value == FCompressed) return;
  FCompressed = Value;
  Change();
}

int TLMDListItem::GetIndex() const {
  const auto* Container = dynamic_cast<const TLMDCustomContainer*>(Owner());
  return Container ? Container->IndexOf(this) : -1;
}

void TLMDListItem::Change() {
  TLMDCustomComponent::Change();
  auto* Container = dynamic_cast<TLMDCustomContainer*>(Owner());
  if (Container && Container->OnChange) Container->OnChange(this);
}

void TLMDListItem::Loaded() {
  TLMDCustomComponent::Loaded();
  auto* Container = dynamic_cast<TLMDCustomContainer*>(Owner());
  if (Container && !FContainer) Container->Add(this);
}
