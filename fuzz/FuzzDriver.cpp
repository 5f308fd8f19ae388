// The platform's driver, made once before the first input, for the readers that reach it.
#include <memory>

#include "platform/Driver.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static const std::unique_ptr<TDriver> Platform = CreateDriver();
  return 0;
}
