// TKitObject: the settings objects of the controls, with a change notification and an update
// bracket that holds it back.
#pragma once

#include <initializer_list>

#include "framework/Persistent.h"

class TKitObject : public TPersistent {
 public:
  const char* ClassName() const override { return "TKitObject"; }

  // Called with this object as sender after every effective change, unless an update bracket
  // is open.
  TNotifyEvent OnChange;

  void BeginUpdate() { FUpdating = true; }
  // Closes the bracket; reports one change when Notify is true.
  void EndUpdate(bool Notify);
  bool Updating() const { return FUpdating; }

  virtual void Change();
  // Has the shape of a change handler, so that an owned object can pass its changes on.
  virtual void GetChange(TObject* Sender);

 protected:
  // The shared setter of like properties: stores Value in the Index-th of Fields when it differs
  // and reports the change; an index past the fields stores nothing but still reports one.
  template <typename T>
  void SetIndexed(std::initializer_list<T*> Fields, int Index, T Value) {
    if (Index >= 0 && Index < static_cast<int>(Fields.size())) {
      T* Field = Fields.begin()[Index];
      if (*Field == Value) return;
      *Field = Value;
    }
    Change();
  }

 private:
  bool FUpdating = false;
};
