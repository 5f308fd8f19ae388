// Loading menus of 10 to 10000 entries, against reading the same keys with the file parsed anew
// for every value, as the classic profile call does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "menu/MenuInfo.h"
#include "platform/Driver.h"
#include "settings/CustomIniFile.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileText.h"

namespace {

std::string MenuText(int Entries) {
  std::string Text =
      "[Main]\r\nBackground=menu.bmp\r\nAppName=Benchmark\r\nAppTaskName=Bench\r\n"
      "ProgCount=" +
      std::to_string(Entries) + "\r\n";
  for (int N = 1; N <= Entries; ++N) {
    std::string Row = std::to_string(N);
    Text += "\r\n[Prog_" + Row + "]\r\nX=10\r\nY=" + Row + "\r\nWidth=200\r\nHeight=24\r\n" +
            "ButtonText=Entry " + Row + "\r\nFontInfo=Times New Roman,14,B,0,clYellow,204\r\n" +
            "HighlightColor=clLime\r\nTopContourColor=clBlack\r\nBottomContourColor=$00404040\r\n" +
            "ExePath=programs\\tool" + Row + ".exe\r\nExeCommandLine=/quiet\r\n" +
            "PreRunMessage=\r\nAfterRunMessage=\r\nTerminateAfterStart=0\r\n";
  }
  return Text;
}

// One generated menu file per size, kept for the whole run.
const std::string& MenuFile(int Entries) {
  static std::map<int, std::string> Files;
  auto Found = Files.find(Entries);
  if (Found != Files.end()) return Found->second;
  auto Folder =
      std::filesystem::temp_directory_path() / ("ostrel-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(Folder);
  std::string Name = (Folder / ("menu" + std::to_string(Entries) + ".ini")).string();
  std::ofstream(Name, std::ios::binary) << MenuText(Entries);
  return Files[Entries] = Name;
}

// The reference: every read opens, reads and parses the whole file again.
class TRereadingIniFile : public TCustomIniFile {
 public:
  using TCustomIniFile::TCustomIniFile;
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) override {
    std::string Bytes;
    Driver().Files().ReadFileBytes(FileName(), TPrivateProfile::MaxFileSize, Bytes);
    TProfileText Text(std::move(Bytes));
    std::optional<std::string_view> Value = Text.Value(Section, Ident);
    return Value ? std::string(Value->substr(0, TPrivateProfile::DefaultBufferSize - 1)) : Default;
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
  void ReadSection(const std::string&, TStrings&) override {}
  void ReadSections(TStrings&) override {}
  void ReadSectionValues(const std::string&, TStrings&) override {}
  void EraseSection(const std::string&) override {}
  void DeleteKey(const std::string&, const std::string&) override {}
  void CommitFile() override {}
};

const char* const EntryIntegerKeys[] = {"X", "Y", "Width", "Height", "TerminateAfterStart"};
const char* const EntryTextKeys[] = {"ButtonText",      "FontInfo",           "HighlightColor",
                                     "TopContourColor", "BottomContourColor", "ExePath",
                                     "ExeCommandLine",  "PreRunMessage",      "AfterRunMessage"};

void BM_LoadMenu(benchmark::State& State) {
  const std::string& Name = MenuFile(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    TPrivateProfile::ForgetAll();  // every load starts from the file, as at program start
    TOstrelInfo Info(Name);
    benchmark::DoNotOptimize(Info.EntryCount());
  }
  State.counters["per_entry"] = benchmark::Counter(
      static_cast<double>(State.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadMenu)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_RereadEveryValue(benchmark::State& State) {
  int Entries = static_cast<int>(State.range(0));
  TRereadingIniFile Ini(MenuFile(Entries));
  for (auto _ : State) {
    std::size_t Total = 0;
    for (const char* Key : {"Background", "Icon", "AppName", "AppTaskName", "ProgCount"})
      Total += Ini.ReadString("Main", Key, "").size();
    for (int N = 1; N <= Entries; ++N) {
      std::string Section = "Prog_" + std::to_string(N);
      for (const char* Key : EntryIntegerKeys)
        Total += static_cast<std::size_t>(Ini.ReadInteger(Section, Key, 0));
      for (const char* Key : EntryTextKeys) Total += Ini.ReadString(Section, Key, "").size();
    }
    benchmark::DoNotOptimize(Total);
  }
  State.counters["per_entry"] = benchmark::Counter(
      static_cast<double>(Entries),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// Quadratic by nature: 1000 entries already take seconds per iteration.
BENCHMARK(BM_RereadEveryValue)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1);

}  // namespace
