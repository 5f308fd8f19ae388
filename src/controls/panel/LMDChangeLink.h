// TLMDChangeLink: a listener that a container calls after each change of its item collection.
#pragma once

#include "framework/Object.h"

class TLMDBaseContainer;

class TLMDChangeLink : public TObject {
 public:
  TLMDChangeLink() = default;
  TLMDChangeLink(const TLMDChangeLink&) = delete;
  TLMDChangeLink& operator=(const TLMDChangeLink&) = delete;
  // Leaves the container it is registered with, so that link and container may go in any order.
  ~TLMDChangeLink() override;
  const char* ClassName() const override { return "TLMDChangeLink"; }

  // The container this link is registered with, or none.
  TLMDBaseContainer* Sender() const { return FSender; }

  // Called with the container as sender.
  TNotifyEvent OnChange;
  virtual void Change();

 private:
  friend class TLMDBaseContainer;
  TLMDBaseContainer* FSender = nullptr;
};
