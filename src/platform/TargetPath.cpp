// The one path a menu target is checked at and started from.
#include "platform/TargetPath.h"

#include <cstddef>
#include <string_view>

#include "core/Strings.h"
#include "platform/Driver.h"
#include "platform/Shell.h"

namespace {

// The number of code points when Text is well-formed UTF-8, else 0.
std::size_t Utf8Length(const std::string& Text) {
  std::size_t Count = 0;
  for (std::size_t I = 0; I < Text.size(); ++Count) {
    const auto Lead = static_cast<unsigned char>(Text[I]);
    const std::size_t Length = Lead < 0x80    ? 1
                               : Lead >= 0xF0 ? 4
                               : Lead >= 0xE0 ? 3
                               : Lead >= 0xC2 ? 2
                                              : 0;
    if (Length == 0 || Lead > 0xF4 || Text.size() - I < Length) return 0;
    for (std::size_t K = 1; K < Length; ++K)
      if ((static_cast<unsigned char>(Text[I + K]) & 0xC0) != 0x80) return 0;
    I += Length;
  }
  return Count;
}

}  // namespace

bool FitsMaxPath(const std::string& FullPath) {
  const std::size_t Characters = Utf8Length(FullPath);
  return (Characters != 0 ? Characters : FullPath.size()) < MaxPath;
}

std::string TargetPath(const std::string& FileName) {
  if (FileName.empty()) return {};
  const TFileSystem& Files = Driver().Files();
  const std::string Full = Files.ExpandFileName(FileName);
  if (!FitsMaxPath(Full)) return {};
  return Files.ResolveFileName(Full);
}

bool IsUrlTarget(const std::string& Target) {
  static constexpr std::string_view Schemes[] = {"http:", "https:", "mailto:", "ftp:", "file:"};
  for (std::string_view Scheme : Schemes)
    if (StartsWithAsciiCaseless(Target, Scheme)) return true;
  return false;
}

bool TargetFileExists(const std::string& FullPath) {
  return !FullPath.empty() && Driver().Files().FileStamp(FullPath).has_value();
}
