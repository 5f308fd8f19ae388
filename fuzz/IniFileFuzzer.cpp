// Fuzz target: a settings file read through the private-profile service by TIniFile and
// TTypedIniFile, every section and key with every typed read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "core/Font.h"
#include "settings/PrivateProfile.h"
#include "settings/TypedIniFile.h"

namespace {

constexpr std::size_t MaxNamesTried = 16;

void ReadEveryForm(TTypedIniFile& Ini, const std::string& Section, const std::string& Key) {
  Ini.ReadString(Section, Key, "default");
  Ini.ReadInteger(Section, Key, 7);
  Ini.ReadBool(Section, Key, true);
  Ini.ReadFloat(Section, Key, 1.5);
  Ini.ReadDate(Section, Key, 0.0);
  Ini.ReadTime(Section, Key, 0.0);
  Ini.ReadDateTime(Section, Key, 0.0);
  Ini.ReadColor(Section, Key, clBlack);
  TFont Font;
  Ini.ReadFont(Section, Key, Font);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TFuzzScratch Scratch;
  const std::string FileName =
      Scratch.Write("settings.ini", std::string(reinterpret_cast<const char*>(Data), Size));
  // A file rewritten within one tick of the clock may keep its stamp; parse it anew.
  TPrivateProfile::ForgetAll();
  TTypedIniFile Ini(FileName);
  TStrings Sections;
  Ini.ReadSections(Sections);
  for (std::size_t S = 0; S < Sections.size() && S < MaxNamesTried; ++S) {
    TStrings Values;
    Ini.ReadSectionValues(Sections[S], Values);
    TStrings Keys;
    Ini.ReadSection(Sections[S], Keys);
    for (std::size_t K = 0; K < Keys.size() && K < MaxNamesTried; ++K)
      ReadEveryForm(Ini, Sections[S], Keys[K]);
  }
  ReadEveryForm(Ini, "Main", "ProgCount");
  return 0;
}
