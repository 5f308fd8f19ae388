// TPersistent: an object whose settings another object of a compatible class can take over.
#pragma once

#include "core/Object.h"

class TPersistent : public TObject {
 public:
  const char* ClassName() const override { return "TPersistent"; }
  // Takes over Source's settings. Classes that know how replace it; this one raises
  // EConvertError "Cannot assign a <source class> to a <target class>".
  virtual void Assign(const TPersistent& Source);
};
