// TPersistent: the assignment of settings between objects.
#include "framework/Persistent.h"

#include <string>

#include "core/Exception.h"

void TPersistent::Assign(const TPersistent& Source) {
  throw EConvertError(std::string("Cannot assign a ") + Source.ClassName() + " to a " +
                      ClassName());
}
