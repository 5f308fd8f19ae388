// TComponent: ownership and removal notices.
#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* Owner) {
  if (Owner) Owner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  // Everyone holding a reference hears of the removal while this object is still whole.
  std::vector<TComponent*> Listeners = FFreeNotifies;
  FFreeNotifies.clear();
  for (TComponent* Listener : Listeners) {
    auto& Theirs = Listener->FFreeNotifies;
    Theirs.erase(std::remove(Theirs.begin(), Theirs.end(), this), Theirs.end());
    Listener->Notification(this, TOperation::opRemove);
  }
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* Component) {
  Component->FOwner = this;
  FComponents.push_back(Component);
  for (TComponent* Sibling : std::vector<TComponent*>(FComponents))
    if (Sibling != Component) Sibling->Notification(Component, TOperation::opInsert);
  Notification(Component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* Component) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), Component),
                    FComponents.end());
  Component->FOwner = nullptr;
  if (FDestroying) return;
  Notification(Component, TOperation::opRemove);
  for (TComponent* Sibling : std::vector<TComponent*>(FComponents))
    Sibling->Notification(Component, TOperation::opRemove);
}

void TComponent::FreeNotification(TComponent* Other) {
  if (!Other || Other == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), Other) == FFreeNotifies.end())
    FFreeNotifies.push_back(Other);
  if (std::find(Other->FFreeNotifies.begin(), Other->FFreeNotifies.end(), this) ==
      Other->FFreeNotifies.end())
    Other->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* Other) {
  if (!Other) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), Other),
                      FFreeNotifies.end());
  Other->FFreeNotifies.erase(
      std::remove(Other->FFreeNotifies.begin(), Other->FFreeNotifies.end(), this),
      Other->FFreeNotifies.end());
}

void TComponent::EndLoading() {
  FLoading = false;
  Loaded();
}

void TComponent::Notification(TComponent*, TOperation) {}
