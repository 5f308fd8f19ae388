// Windows that belong to objects: the object is the window's creation parameter, kept in the
// window's user data, and every message goes to the object's HandleMessage.
#pragma once

#include <windows.h>

// The window procedure of a class whose windows belong to objects of T; T makes it a friend,
// for FHandle and HandleMessage.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND Handle, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_NCCREATE) {
    const auto* Create = reinterpret_cast<const CREATESTRUCTW*>(LParam);
    auto* Object = static_cast<T*>(Create->lpCreateParams);
    Object->FHandle = Handle;
    SetWindowLongPtrW(Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Object));
  }
  auto* Object = reinterpret_cast<T*>(GetWindowLongPtrW(Handle, GWLP_USERDATA));
  if (Object == nullptr) return DefWindowProcW(Handle, Message, WParam, LParam);
  return Object->HandleMessage(Message, WParam, LParam);
}

// Destroys an object's window without telling the object, which is going.
inline void DestroyObjectWindow(HWND Handle) {
  if (Handle == nullptr) return;
  SetWindowLongPtrW(Handle, GWLP_USERDATA, 0);
  DestroyWindow(Handle);
}
