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
  std::string PreRunMessage;
  std::string AfterRunMessage;
  bool TerminateAfterStart = false;
};

// True when the target names an existing regular file (not a folder, FIFO or device) at the
// path a click would start (TargetPath), relative names being taken from the current directory.
// An entry without a target is never available.
bool TargetAvailable(const std::string& ExePath);
