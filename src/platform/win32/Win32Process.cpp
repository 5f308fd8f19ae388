// Facts about the running process on Windows.
#include <malloc.h>
#include <windows.h>

#include <string>

#include "platform/win32/Win32Process.h"

namespace {

// Long-path names reach 32767 characters; larger buffers would never be filled.
constexpr DWORD MaxModuleName = 32768;

}  // namespace

std::string ModuleFileName() {
  // The call cuts the name to the buffer without saying so, but for filling the buffer whole.
  for (DWORD Size = MAX_PATH; Size <= MaxModuleName; Size *= 2) {
    std::string Name(Size, '\0');
    const DWORD Length = GetModuleFileNameA(nullptr, Name.data(), Size);
    if (Length == 0) return "";
    if (Length < Size) {
      Name.resize(Length);
      return Name;
    }
  }
  return "";
}

void MinimizeHeap() {
  _heapmin();
}
