// TKitChangeLink: a listener that a container calls after each change of its item collection.
#pragma once

#include "core/Object.h"

class TKitBaseContainer;

class TKitChangeLink : public TObject {
 public:
  TKitChangeLink() = default;
  TKitChangeLink(const TKitChangeLink&) = delete;
  TKitChangeLink& operator=(const TKitChangeLink&) = delete;
  // Leaves the container it is registered with, so that link and container may go in any order.
  ~TKitChangeLink() override;
  const char* ClassName() const override { return "TKitChangeLink"; }

  // The container this link is registered with, or none.
  TKitBaseContainer* Sender() const { return FSender; }

  // Called with the container as sender.
  TNotifyEvent OnChange;
  virtual void Change();

 private:
  friend class TKitBaseContainer;
  TKitBaseContainer* FSender = nullptr;
};
