// TComponent: an object with an owner that destroys it, and removal notices for components
// that hold references to others.
#pragma once

#include <string>
#include <vector>

#include "framework/Persistent.h"

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  // Owner, when given, destroys this component with itself.
  explicit TComponent(TComponent* Owner);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  // Destroys the owned components, last created first, after telling everyone who asked.
  ~TComponent() override;
  const char* ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents[static_cast<std::size_t>(Index)]; }

  std::string Name;
  int Tag = 0;

  // Asks for Notification(this other, opRemove) when Other is destroyed; both directions are
  // kept, so either may go first.
  void FreeNotification(TComponent* Other);
  void RemoveFreeNotification(TComponent* Other);

  // While true, settings are being applied in bulk and changes neither paint nor notify.
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }
  // Ends the bulk load and calls Loaded.
  void EndLoading();

 protected:
  // Told of components being added to or removed from the owner, and of components this one
  // asked to hear about being destroyed.
  virtual void Notification(TComponent* Component, TOperation Operation);
  virtual void Loaded() {}

 private:
  void InsertComponent(TComponent* Component);
  void RemoveComponent(TComponent* Component);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FLoading = false;
  bool FDestroying = false;
};
