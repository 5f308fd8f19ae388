// TKitBaseContainer: a component that tells its registered change links of every change.
#pragma once

#include <vector>

#include "controls/core/KitChangeLink.h"
#include "controls/core/KitCustomComponent.h"

class TKitBaseContainer : public TKitCustomComponent {
 public:
  explicit TKitBaseContainer(TComponent* Owner) : TKitCustomComponent(Owner) {}
  // Clears the sender of every link still registered; the links themselves are not owned.
  // This happens before the component's removal notices go out, so a holder answering the
  // notice finds its link's Sender() already none and must unregister through Sender(), not
  // through its own reference to the dying container.
  ~TKitBaseContainer() override;
  const char* ClassName() const override { return "TKitBaseContainer"; }

  // Makes this container Link's sender and appends Link. A link is in one registry at most:
  // one registered elsewhere, or here already, is unregistered first.
  void RegisterChanges(TKitChangeLink* Link);
  // Clears Link's sender and removes it; nothing happens when it is not registered here.
  void UnRegisterChanges(TKitChangeLink* Link);

  // Tells every link, in registration order and whatever the update flag, then calls OnChange
  // unless the update flag is set.
  void Change() override;

 private:
  // Exactly the links whose sender is this container, each once.
  std::vector<TKitChangeLink*> FLinks;
};
