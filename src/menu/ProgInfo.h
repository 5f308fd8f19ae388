// TProgInfo: one menu entry, the button it becomes and the target it opens.
#pragma once

#include <cstdint>
#include <string>

#include "core/Colors.h"
#include "core/Font.h"
#include "core/Object.h"

// Each field holds the key of its name in the entry's section. The values before loading are
// the defaults the colour and font reads fall back to.
class TProgInfo : public TObject {
 public:
  TProgInfo() = default;
  TProgInfo(const TProgInfo&) = delete;
  TProgInfo& operator=(const TProgInfo&) = delete;

  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::string ButtonText;
  TFont FontInfo;
  TColor HighlightColor = clBlack;
  TColor TopContourColor = clBlack;
  TColor BottomContourColor = clBlack;
  std::string ExePath;
  std::string ExeCommandLine;
  // The Linux program's target and parameters; the Windows program never reads them.
  std::string LinuxExePath;
  std::string LinuxCommandLine;
  std::string PreRunMessage;
  std::string AfterRunMessage;
  // PreRunMessage becomes a question: only Yes starts the target.
  bool PreRunConfirm = false;
  bool TerminateAfterStart = false;
  // The tip shown while the pointer rests on the button or the keyboard focus is on it.
  std::string Hint;

  // The target and its parameters on this system. On Linux a LinuxExePath replaces ExePath and
  // brings its own parameters (LinuxCommandLine, perhaps none: the Windows program's switches
  // mean nothing to it); a LinuxCommandLine alone replaces ExeCommandLine.
  const std::string& RunPath() const;
  const std::string& RunParameters() const;
};
