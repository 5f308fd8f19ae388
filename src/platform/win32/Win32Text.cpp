// Conversions between the program's UTF-8 texts and the UTF-16 texts of the system's wide calls.
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <climits>

std::wstring WideOf(const std::string& Utf8) {
  if (Utf8.empty() || Utf8.size() > INT_MAX) return {};
  const int Length = static_cast<int>(Utf8.size());
  const int Needed = MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), Length, nullptr, 0);
  if (Needed <= 0) return {};
  std::wstring Wide(static_cast<std::size_t>(Needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), Length, Wide.data(), Needed);
  return Wide;
}

std::string Utf8Of(const std::wstring& Wide) {
  if (Wide.empty() || Wide.size() > INT_MAX) return {};
  const int Length = static_cast<int>(Wide.size());
  const int Needed =
      WideCharToMultiByte(CP_UTF8, 0, Wide.data(), Length, nullptr, 0, nullptr, nullptr);
  if (Needed <= 0) return {};
  std::string Utf8(static_cast<std::size_t>(Needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Wide.data(), Length, Utf8.data(), Needed, nullptr, nullptr);
  return Utf8;
}
