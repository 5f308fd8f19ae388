// The controls' application object: one made by its owner, or the program's own made on first use.
#include "controls/core/KitApplicationInstance.h"

TKitApplication& KitApplication() {
  if (TKitApplication* Latest = TKitApplication::Latest()) return *Latest;
  static TKitApplication Instance;
  return Instance;
}
