// The driver of Linux desktops: X11 for the display, fontconfig and FreeType for glyphs, and
// POSIX for the files, the processes and the Wine prefix's registry.
#pragma once

#include <memory>

#include "platform/Driver.h"
#include "platform/freetype/FreeTypeTextEngine.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/x11/X11WindowSystem.h"

class TX11Driver : public TDriver {
 public:
  TWindowSystem* OpenWindowSystem(std::string& Error) override;
  const TFileSystem& Files() const override { return FFiles; }
  // The hives of $WINEPREFIX, else ~/.wine.
  std::unique_ptr<TRegistryService> OpenRegistry() override;
  // From the language of the locale, as the classic system chooses from its own setting.
  int AnsiCodePage() const override;
  std::u32string DecodeCodePage(std::string_view Text, int CodePage) const override;
  TTextEngine& TextEngine() override { return FText; }
  // The standard Windows scheme.
  std::uint32_t SystemColorRGB(int Index) const override;
  // The desktop's sans face at 9 points.
  TMessageFontSpec MessageFont() const override;
  // Programs are started directly, documents and addresses through xdg-open, Windows programs
  // through wine (posix/PosixShell.h).
  std::string ShellOpen(const std::string& FileName, const std::string& Parameters,
                        const std::string& Directory) override;
  std::string ExecutableFileName() const override;
  void ReleaseFreedMemory() override;

 private:
  TPosixFileSystem FFiles;
  TFreeTypeTextEngine FText;
  std::unique_ptr<TX11WindowSystem> FWindows;
};
