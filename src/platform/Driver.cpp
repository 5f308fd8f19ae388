// The current platform driver.
#include "platform/Driver.h"

#include <stdexcept>

namespace {

TDriver* Current = nullptr;

}  // namespace

TDriver::TDriver() : FPrevious(Current) {
  Current = this;
}

TDriver::~TDriver() {
  Current = FPrevious;
}

TDriver& Driver() {
  if (!Current) throw std::logic_error("no platform driver has been made");
  return *Current;
}
