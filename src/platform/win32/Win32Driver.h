// The driver of Windows: user32 for the display, GDI for glyphs, and the system's own files,
// registry and shell.
#pragma once

#include <memory>

#include "platform/Driver.h"
// Before the system's headers, whose macros are the names of its roots.
#include "platform/Registry.h"
#include "platform/win32/GdiTextEngine.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32WindowSystem.h"

class TWin32Driver : public TDriver {
 public:
  TWindowSystem* OpenWindowSystem(std::string& Error) override;
  const TFileSystem& Files() const override { return FFiles; }
  std::unique_ptr<TRegistryService> OpenRegistry() override;
  int AnsiCodePage() const override;
  std::u32string DecodeCodePage(std::string_view Text, int CodePage) const override;
  TTextEngine& TextEngine() override { return FText; }
  // What the user's colour scheme says now.
  std::uint32_t SystemColorRGB(int Index) const override;
  // The message font of the non-client metrics.
  TMessageFontSpec MessageFont() const override;
  // ShellExecuteEx with the "open" verb.
  std::string ShellOpen(const std::string& FileName, const std::string& Parameters,
                        const std::string& Directory) override;
  std::string ExecutableFileName() const override;
  void ReleaseFreedMemory() override;

 private:
  TWin32FileSystem FFiles;
  TGdiTextEngine FText;
  std::unique_ptr<TWin32WindowSystem> FWindows;
};
