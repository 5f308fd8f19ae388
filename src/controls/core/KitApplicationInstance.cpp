// The controls' one application object, made on first use.
#include "controls/core/KitApplicationInstance.h"

TKitApplication& KitApplication() {
  static TKitApplication Instance;
  return Instance;
}
