// The root of the framework's classes and the change-notification callback they share.
#pragma once

#include <functional>

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
  // The class's name, as messages about it show it.
  virtual const char* ClassName() const { return "TObject"; }
};

// Called with the object that changed or that raised the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;
