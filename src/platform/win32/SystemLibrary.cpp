// Loading from the system folder by full path.
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

#include <string>

void* SystemLibraryFunction(const wchar_t* File, const char* Name) {
  wchar_t Folder[MAX_PATH] = {};
  const UINT Length = GetSystemDirectoryW(Folder, MAX_PATH);
  if (Length == 0 || Length >= MAX_PATH) return nullptr;
  const std::wstring Path = std::wstring(Folder, Length) + L"\\" + File;
  // Kept loaded for the rest of the run, as an import would be.
  HMODULE Library = LoadLibraryW(Path.c_str());
  if (Library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(Library, Name));
}
