// TKitBackgroundClient: a control that shows a piece of its parent panel's background and must
// hear when that background changes.
#pragma once

// The background-changed notice. A panel of the family tells each child control that implements
// this, after its background copy was rebuilt for a new picture or it was resized while
// painting from a copy; the child repaints what it took from the old background.
class TKitBackgroundClient {
 public:
  virtual ~TKitBackgroundClient() = default;
  virtual void BackgroundChanged() = 0;
};
