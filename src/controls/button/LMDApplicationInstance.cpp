// The controls' one application object, made on first use.
#include "controls/button/LMDApplicationInstance.h"

TLMDApplication& LMDApplication() {
  static TLMDApplication Instance;
  return Instance;
}
