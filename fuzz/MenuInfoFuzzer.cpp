// Fuzz target: a whole menu description loaded from a fuzzed menu.ini, with registry references
// resolved against a memory registry and every entry's availability evaluated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "menu/EntryAction.h"
#include "menu/MenuInfo.h"
#include "menu/ProgInfo.h"
#include "platform/headless/MemoryRegistry.h"
#include "settings/PrivateProfile.h"
#include "settings/TypedIniFile.h"

namespace {

constexpr std::int32_t MaxEntriesTried = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TFuzzScratch Scratch;
  static const std::string Target = Scratch.Write("setup.exe", "");
  const std::string FileName =
      Scratch.Write("menu.ini", std::string(reinterpret_cast<const char*>(Data), Size));
  // A file rewritten within one tick of the clock may keep its stamp; parse it anew.
  TPrivateProfile::ForgetAll();
  // Thousands of entries are thousands of times the same reads, and cost seconds each under
  // the sanitizers; the unit tests cover the cap. Such inputs are kept out of the corpus.
  if (TTypedIniFile(FileName).ReadInteger("Main", "ProgCount", 1) > MaxEntriesTried) return -1;
  TMemoryRegistry Registry;
  Registry.SetValue(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Path",
                    {TRegDataType::rdString, Target});
  Registry.SetValue(HKEY_CURRENT_USER, "Software\\Vendor", "Nested",
                    {TRegDataType::rdString, "$REG$HKLMSoftware\\Vendor$KEY$Path"});

  const TOstrelInfo Info(FileName, Registry);
  if (Info.EntryCount() < 0 || Info.EntryCount() > TOstrelInfo::MaxEntries) std::abort();
  if (Info.ProgInfo(Info.EntryCount()) != nullptr) std::abort();
  for (std::int32_t Index = 0; Index < Info.EntryCount(); ++Index) {
    const TProgInfo* Entry = Info.ProgInfo(Index);
    if (!Entry) std::abort();
    TargetAvailable(Entry->ExePath);
  }
  return 0;
}
