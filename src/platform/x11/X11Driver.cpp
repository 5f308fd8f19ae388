// The driver of Linux desktops, and the one place that makes it.
#include "platform/x11/X11Driver.h"

#include "platform/posix/ClassicSystemColors.h"
#include "platform/posix/DesktopMessageFont.h"
#include "platform/posix/IconvCodePage.h"
#include "platform/posix/PosixLocale.h"
#include "platform/posix/PosixProcess.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/WineRegistry.h"

std::unique_ptr<TDriver> CreateDriver() {
  return std::make_unique<TX11Driver>();
}

TWindowSystem* TX11Driver::OpenWindowSystem(std::string& Error) {
  if (!FWindows) FWindows = TX11WindowSystem::Open(Error);
  return FWindows.get();
}

std::unique_ptr<TRegistryService> TX11Driver::OpenRegistry() {
  return TWineRegistry::FromEnvironment();
}

int TX11Driver::AnsiCodePage() const {
  return PosixAnsiCodePage();
}

std::u32string TX11Driver::DecodeCodePage(std::string_view Text, int CodePage) const {
  return IconvDecodeCodePage(Text, CodePage);
}

std::uint32_t TX11Driver::SystemColorRGB(int Index) const {
  return ClassicSystemColorRGB(Index);
}

TMessageFontSpec TX11Driver::MessageFont() const {
  return DesktopMessageFont();
}

std::string TX11Driver::ShellOpen(const std::string& FileName, const std::string& Parameters,
                                  const std::string& Directory) {
  return PosixShellOpen(FileName, Parameters, Directory);
}

std::string TX11Driver::ExecutableFileName() const {
  return ProcExecutableFileName();
}

void TX11Driver::ReleaseFreedMemory() {
  TrimFreedMemory();
}
