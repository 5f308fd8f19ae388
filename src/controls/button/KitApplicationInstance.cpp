// The controls' one application object, made on first use.
#include "controls/button/KitApplicationInstance.h"

TKitApplication& KitApplication() {
  static TKitApplication Instance;
  return Instance;
}
