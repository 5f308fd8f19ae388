// The platform driver: the one object through which the portable layers reach the system they
// run on. Each platform folder makes its driver in one factory file: x11/X11Driver.cpp (with
// the parts in posix/ and freetype/), win32/Win32Driver.cpp, and the headless driver of the
// tests in headless/HeadlessDriver.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageFont.h"
#include "platform/TextEngine.h"
#include "platform/WindowSystem.h"

// Declared by platform/Registry.h, which must come before the Windows headers where both are read.
class TRegistryService;

// A driver made becomes the current one (Driver()) until it is destroyed, when the one that
// was current before it is current again; drivers are destroyed in the reverse order of their
// making.
class TDriver {
 public:
  TDriver();
  virtual ~TDriver();
  TDriver(const TDriver&) = delete;
  TDriver& operator=(const TDriver&) = delete;

  // The display, opened on the first call and kept by the driver; nullptr with a message in
  // Error when there is none.
  virtual TWindowSystem* OpenWindowSystem(std::string& Error) = 0;

  virtual const TFileSystem& Files() const = 0;

  // The system registry as it is now: a later call sees what changed in between.
  virtual std::unique_ptr<TRegistryService> OpenRegistry() = 0;

  // The ANSI code page of the user (1252 for Western European languages, 1251 for Cyrillic,
  // 932 for Japanese, ...). 8-bit texts without a character set of their own are in it.
  virtual int AnsiCodePage() const = 0;

  // Text in CodePage (1250 to 1258, 874, 437, 932, 936, 949, 950, ...) as code points. A byte
  // the code page does not define becomes U+FFFD; an unknown code page is read as 1252.
  virtual std::u32string DecodeCodePage(std::string_view Text, int CodePage) const = 0;

  // Fonts as the platform realises them; made with the driver, so that a font configuration
  // that takes a while to set up is set up meanwhile.
  virtual TTextEngine& TextEngine() = 0;

  // The colour of system colour Index as 0x00BBGGRR (red in the low byte); black for an index
  // the platform does not know.
  virtual std::uint32_t SystemColorRGB(int Index) const = 0;

  // The face and size the desktop shows message texts in.
  virtual TMessageFontSpec MessageFont() const = 0;

  // Opens FileName as the shell's "open" verb does, shown normally: a program is started with
  // Parameters, a document or folder in the program the desktop associates with it, a web
  // address (IsUrlTarget) in the desktop's handler. Directory is the working directory to
  // start in. Returns without waiting for what it started: empty when the start succeeded,
  // else why not, in words for the menu's user ("it does not exist", "the system refused to
  // start it: Permission denied").
  virtual std::string ShellOpen(const std::string& FileName, const std::string& Parameters,
                                const std::string& Directory) = 0;

  // The full path of the running executable; empty when the platform cannot tell.
  virtual std::string ExecutableFileName() const = 0;

  // Gives the pages of freed memory back to the system: what the window's building used only
  // for a while (file bytes, copies at the designed size) stays resident otherwise.
  virtual void ReleaseFreedMemory() = 0;

 protected:
  // The driver that was current when this one was made; nullptr for the first.
  TDriver* PreviousDriver() const { return FPrevious; }

 private:
  TDriver* FPrevious;
};

// The current driver; raises std::logic_error when no driver exists.
TDriver& Driver();

// The driver of the system the program runs on, made current. Defined once per platform, in
// its factory file.
std::unique_ptr<TDriver> CreateDriver();
