// The driver of Windows, and the one place that makes it.
#include "platform/win32/Win32Driver.h"

#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32MessageFont.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemColors.h"

std::unique_ptr<TDriver> CreateDriver() {
  return std::make_unique<TWin32Driver>();
}

TWindowSystem* TWin32Driver::OpenWindowSystem(std::string& Error) {
  if (!FWindows) FWindows = TWin32WindowSystem::Open(Error);
  return FWindows.get();
}

std::unique_ptr<TRegistryService> TWin32Driver::OpenRegistry() {
  return std::make_unique<TWin32Registry>();
}

int TWin32Driver::AnsiCodePage() const {
  return Win32AnsiCodePage();
}

std::u32string TWin32Driver::DecodeCodePage(std::string_view Text, int CodePage) const {
  return Win32DecodeCodePage(Text, CodePage);
}

std::uint32_t TWin32Driver::SystemColorRGB(int Index) const {
  return Win32SystemColorRGB(Index);
}

TMessageFontSpec TWin32Driver::MessageFont() const {
  return NonClientMessageFont();
}

std::string TWin32Driver::ShellOpen(const std::string& FileName, const std::string& Parameters,
                                    const std::string& Directory) {
  return Win32ShellOpen(FileName, Parameters, Directory);
}

std::string TWin32Driver::ExecutableFileName() const {
  return ModuleFileName();
}

void TWin32Driver::ReleaseFreedMemory() {
  MinimizeHeap();
}
