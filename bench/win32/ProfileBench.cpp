// Under Wine or Windows: the time to read every value of a 1000-entry menu through our reader
// (TIniFile over the private-profile service) against the system's GetPrivateProfileStringA
// asked for the same keys, with the ratio of the two.
// Before the system's header, whose macros would rename the driver's methods.
#include "platform/Driver.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "settings/PrivateProfile.h"

namespace {

constexpr int EntryCount = 1000;
// The system's reader goes to the file (or at least to its time stamp) for every value, and
// takes seconds per load where ours takes milliseconds; it gets fewer repetitions.
constexpr int OurRepetitions = 10;
constexpr int SystemRepetitions = 3;
constexpr DWORD BufferSize = 2048;

// The keys the menu reads for each entry, in its order.
const char* const EntryKeys[] = {"X",
                                 "Y",
                                 "Width",
                                 "Height",
                                 "ButtonText",
                                 "FontInfo",
                                 "HighlightColor",
                                 "TopContourColor",
                                 "BottomContourColor",
                                 "ExePath",
                                 "ExeCommandLine",
                                 "PreRunMessage",
                                 "AfterRunMessage",
                                 "TerminateAfterStart"};

std::string MenuText() {
  std::string Text =
      "[Main]\r\nBackground=menu.bmp\r\nAppName=Bench\r\nProgCount=" + std::to_string(EntryCount) +
      "\r\n";
  for (int I = 1; I <= EntryCount; ++I) {
    const std::string N = std::to_string(I);
    Text += "\r\n[Prog_" + N + "]\r\nX=40\r\nY=" + std::to_string(20 + I) +
            "\r\nWidth=260\r\nHeight=32\r\nButtonText=Entry &" + N +
            "\r\nFontInfo=Times New Roman,14,B,0,clYellow,204\r\nHighlightColor=clLime\r\n"
            "TopContourColor=clBlack\r\nBottomContourColor=clBlack\r\nExePath=tools\\prog" +
            N + ".exe\r\nExeCommandLine=/s /n " + N + "\r\nTerminateAfterStart=0\r\n";
  }
  return Text;
}

std::vector<std::string> SectionNames() {
  std::vector<std::string> Names;
  for (int I = 1; I <= EntryCount; ++I) Names.push_back("Prog_" + std::to_string(I));
  return Names;
}

// Milliseconds of the fastest of the repetitions: the one least disturbed by the rest of the
// machine.
template <typename TLoad>
double FastestMs(int Repetitions, TLoad&& Load) {
  double Best = 0;
  for (int Run = 0; Run < Repetitions; ++Run) {
    const auto Start = std::chrono::steady_clock::now();
    Load();
    const std::chrono::duration<double, std::milli> Took = std::chrono::steady_clock::now() - Start;
    Best = Run == 0 ? Took.count() : std::min(Best, Took.count());
  }
  return Best;
}

}  // namespace

int main() {
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  char TempFolder[MAX_PATH] = {};
  if (GetTempPathA(MAX_PATH, TempFolder) == 0) return 1;
  const std::string FileName = std::string(TempFolder) + "ostrel-profile-bench.ini";
  if (!Platform->Files().WriteFileAtomically(FileName, MenuText())) {
    std::fprintf(stderr, "cannot write %s\n", FileName.c_str());
    return 1;
  }
  const std::vector<std::string> Sections = SectionNames();
  std::size_t Checksum = 0;

  auto OursWarm = [&] {
    TIniFile Ini(FileName);
    for (const std::string& Section : Sections)
      for (const char* Key : EntryKeys) Checksum += Ini.ReadString(Section, Key, "").size();
  };
  auto OursCold = [&] {
    TPrivateProfile::ForgetAll();
    OursWarm();
  };
  auto System = [&] {
    char Value[BufferSize];
    for (const std::string& Section : Sections)
      for (const char* Key : EntryKeys)
        Checksum +=
            GetPrivateProfileStringA(Section.c_str(), Key, "", Value, BufferSize, FileName.c_str());
  };

  const double Cold = FastestMs(OurRepetitions, OursCold);
  const double Warm = FastestMs(OurRepetitions, OursWarm);
  const double Theirs = FastestMs(SystemRepetitions, System);
  DeleteFileA(FileName.c_str());
  const int Reads = EntryCount * static_cast<int>(std::size(EntryKeys));
  std::printf("%d entries, %d values; fastest of %d loads (ours), %d (system); checksum %zu\n",
              EntryCount, Reads, OurRepetitions, SystemRepetitions, Checksum);
  std::printf("our reader, parsing the file first: %9.2f ms\n", Cold);
  std::printf("our reader, file already parsed:    %9.2f ms\n", Warm);
  std::printf("GetPrivateProfileStringA:           %9.2f ms\n", Theirs);
  std::printf("system / ours (with the parse): %.1fx\n", Theirs / Cold);
  std::printf("system / ours (parsed):         %.1fx\n", Theirs / Warm);
  return 0;
}
