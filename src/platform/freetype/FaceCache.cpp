// The font matcher's answers kept in a small text file, checked against the files they came from.
#include "platform/freetype/FaceCache.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "platform/posix/PosixFileSystem.h"

namespace {

constexpr std::string_view Header = "ostrel-faces\t1";

// Fontconfig reads these; the locale's language also steers its choice of face.
constexpr const char* SteeringVariables[] = {
    "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "LC_ALL", "LC_CTYPE", "LANG"};

bool Storable(std::string_view Text) {
  return Text.find_first_of("\t\n\r") == std::string::npos;
}

std::vector<std::string_view> Fields(std::string_view Line) {
  std::vector<std::string_view> Result;
  for (;;) {
    const std::size_t Tab = Line.find('\t');
    Result.push_back(Line.substr(0, Tab));
    if (Tab == std::string_view::npos) return Result;
    Line.remove_prefix(Tab + 1);
  }
}

template <typename T>
bool Number(std::string_view Text, T& Value) {
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  return Error == std::errc() && End == Text.data() + Text.size() && !Text.empty();
}

bool Flag(std::string_view Text, bool& Value) {
  if (Text != "0" && Text != "1") return false;
  Value = Text == "1";
  return true;
}

// Which face has a character does not depend on the size: only outline faces are drawn, and
// they have every size. The face of a request itself does (fonts may be made for some sizes).
int HeightKey(const TFontRequest& Request, char32_t Character) {
  return Character == 0 ? Request.Height : 0;
}

bool SameKey(const TFontRequest& Left, const TFontRequest& Right, char32_t Character) {
  return Left.Name == Right.Name && HeightKey(Left, Character) == HeightKey(Right, Character) &&
         Left.Weight == Right.Weight && Left.Italic == Right.Italic && Left.Pitch == Right.Pitch &&
         Left.Charset == Right.Charset;
}

void MakeFolder(const std::string& Path) {
  const std::size_t Slash = Path.find_last_of('/');
  if (Slash == std::string::npos || Slash == 0) return;
  const std::string Parent = Path.substr(0, Slash);
  struct stat Info {};
  if (::stat(Parent.c_str(), &Info) == 0) return;
  MakeFolder(Parent);
  ::mkdir(Parent.c_str(), 0700);
}

}  // namespace

TFaceCache::TFaceCache(std::string FileName) : FFileName(std::move(FileName)) {
  Load();
}

std::string TFaceCache::Environment() {
  std::string Text;
  for (const char* Name : SteeringVariables) {
    const char* Value = std::getenv(Name);
    Text += Name;
    Text += '=';
    Text += Value != nullptr ? Value : "";
    Text += ';';
  }
  std::replace_if(
      Text.begin(), Text.end(), [](char C) { return C == '\t' || C == '\n' || C == '\r'; }, '?');
  return Text;
}

TFaceCache::TWatch TFaceCache::WatchOf(const std::string& Path) {
  TWatch Watch{Path, 0, -1};
  struct stat Info {};
  if (::stat(Path.c_str(), &Info) == 0) {
    Watch.ModifiedNs =
        static_cast<std::int64_t>(Info.st_mtim.tv_sec) * 1000000000 + Info.st_mtim.tv_nsec;
    Watch.Size = static_cast<std::int64_t>(Info.st_size);
  }
  return Watch;
}

void TFaceCache::Load() {
  std::string Text;
  if (FFileName.empty() ||
      TPosixFileSystem().ReadFileBytes(FFileName, MaxFileBytes + 1, Text) != TReadStatus::rsRead ||
      Text.size() > MaxFileBytes || !Parse(Text)) {
    FWatches.clear();
    FAnswers.clear();
    FRunAnswers.clear();
    return;
  }
  const bool Current = std::all_of(FWatches.begin(), FWatches.end(), [](const TWatch& Watch) {
    const TWatch Now = WatchOf(Watch.Path);
    return Now.Size == Watch.Size && Now.ModifiedNs == Watch.ModifiedNs;
  });
  if (!Current) {
    FWatches.clear();
    FAnswers.clear();
    FRunAnswers.clear();
  }
}

bool TFaceCache::Parse(const std::string& Text) {
  std::string_view Rest = Text;
  bool First = true, EnvironmentSeen = false;
  while (!Rest.empty()) {
    const std::size_t End = Rest.find('\n');
    if (End == std::string_view::npos) return false;  // a file cut short
    const std::string_view Line = Rest.substr(0, End);
    Rest.remove_prefix(End + 1);
    if (First) {
      if (Line != Header) return false;
      First = false;
      continue;
    }
    const std::vector<std::string_view> Field = Fields(Line);
    if (Field[0] == "env" && Field.size() == 2) {
      if (Field[1] != Environment()) return false;
      EnvironmentSeen = true;
    } else if (Field[0] == "watch" && Field.size() == 4) {
      TWatch Watch{std::string(Field[3])};
      if (!Number(Field[1], Watch.ModifiedNs) || !Number(Field[2], Watch.Size)) return false;
      FWatches.push_back(std::move(Watch));
    } else if (Field[0] == "answer" && Field.size() == 14) {
      TAnswer Answer;
      TFontRequest& Request = Answer.Request;
      Request.Name = Field[1];
      std::uint32_t Character = 0;
      bool Found = false;
      TFontMatch Match{std::string(Field[9]), 0, std::string(Field[11])};
      if (!Number(Field[2], Request.Height) || !Number(Field[3], Request.Weight) ||
          !Flag(Field[4], Request.Italic) || !Number(Field[5], Request.Pitch) ||
          !Number(Field[6], Request.Charset) || !Number(Field[7], Character) ||
          !Flag(Field[8], Found) || !Number(Field[10], Match.Index) ||
          !Flag(Field[12], Match.SyntheticBold) || !Flag(Field[13], Match.SyntheticItalic))
        return false;
      Answer.Character = Character;
      if (Found) Answer.Match = std::move(Match);
      if (FAnswers.size() < MaxAnswers) {
        FRunAnswers.insert_or_assign(KeyOf(Answer.Request, Answer.Character), Answer.Match);
        FAnswers.push_back(std::move(Answer));
      }
    } else {
      return false;
    }
  }
  return !First && EnvironmentSeen;
}

std::optional<std::optional<TFontMatch>> TFaceCache::Find(const TFontRequest& Request,
                                                          char32_t Character) const {
  auto Found = FRunAnswers.find(KeyOf(Request, Character));
  if (Found == FRunAnswers.end()) return std::nullopt;
  return Found->second;
}

// The fields of a request that select its face, and the character.
std::string TFaceCache::KeyOf(const TFontRequest& Request, char32_t Character) {
  std::string Key = Request.Name;
  for (long Field :
       {static_cast<long>(HeightKey(Request, Character)), static_cast<long>(Request.Weight),
        static_cast<long>(Request.Italic), static_cast<long>(Request.Pitch),
        static_cast<long>(Request.Charset), static_cast<long>(Character)})
    Key += '\t' + std::to_string(Field);
  return Key;
}

void TFaceCache::Add(const TFontRequest& Request, char32_t Character,
                     const std::optional<TFontMatch>& Match,
                     const std::vector<std::string>& Watched) {
  if (!Storable(Request.Name) || (Match && (!Storable(Match->File) || !Storable(Match->Family))))
    return;
  // Fallback faces of a script no font has are asked for again by every run: past the file's
  // limit the answers are still kept for this one.
  const std::string Key = KeyOf(Request, Character);
  const bool Known = FRunAnswers.count(Key) != 0;
  if (Known || FRunAnswers.size() < MaxRunAnswers) FRunAnswers.insert_or_assign(Key, Match);
  auto Same = std::find_if(FAnswers.begin(), FAnswers.end(), [&](const TAnswer& Answer) {
    return Answer.Character == Character && SameKey(Answer.Request, Request, Character);
  });
  if (Same != FAnswers.end()) {
    if (Same->Match == Match) return;
    Same->Match = Match;
  } else if (FAnswers.size() < MaxAnswers) {
    FAnswers.push_back({Request, Character, Match});
  } else {
    return;
  }
  FChanged = true;

  std::vector<std::string> Paths;
  for (const std::string& Path : Watched)
    if (Storable(Path)) Paths.push_back(Path);
  for (const TAnswer& Answer : FAnswers)
    if (Answer.Match && !Answer.Match->File.empty()) Paths.push_back(Answer.Match->File);
  std::sort(Paths.begin(), Paths.end());
  Paths.erase(std::unique(Paths.begin(), Paths.end()), Paths.end());
  FWatchPaths = std::move(Paths);
}

void TFaceCache::Save() {
  if (!FChanged || FFileName.empty()) return;
  FChanged = false;
  // The state of every watched path is taken here, once the first frame is on the screen, and
  // not as each answer comes while the frame waits for it.
  FWatches.clear();
  for (const std::string& Path : FWatchPaths) FWatches.push_back(WatchOf(Path));
  MakeFolder(FFileName);
  TPosixFileSystem().WriteFileAtomically(FFileName, Format());
}

std::string TFaceCache::Format() const {
  std::string Text(Header);
  Text += "\nenv\t" + Environment() + "\n";
  for (const TWatch& Watch : FWatches)
    Text += "watch\t" + std::to_string(Watch.ModifiedNs) + "\t" + std::to_string(Watch.Size) +
            "\t" + Watch.Path + "\n";
  for (const TAnswer& Answer : FAnswers) {
    const TFontRequest& Request = Answer.Request;
    const TFontMatch Match = Answer.Match.value_or(TFontMatch{});
    Text += "answer\t" + Request.Name + "\t" + std::to_string(Request.Height) + "\t" +
            std::to_string(Request.Weight) + "\t" + (Request.Italic ? "1" : "0") + "\t" +
            std::to_string(Request.Pitch) + "\t" + std::to_string(Request.Charset) + "\t" +
            std::to_string(static_cast<std::uint32_t>(Answer.Character)) + "\t" +
            (Answer.Match ? "1" : "0") + "\t" + Match.File + "\t" + std::to_string(Match.Index) +
            "\t" + Match.Family + "\t" + (Match.SyntheticBold ? "1" : "0") + "\t" +
            (Match.SyntheticItalic ? "1" : "0") + "\n";
  }
  return Text;
}

std::string DefaultFaceCacheFile() {
  const char* CacheHome = std::getenv("XDG_CACHE_HOME");
  if (CacheHome != nullptr && CacheHome[0] == '/') return std::string(CacheHome) + "/ostrel/faces";
  const char* Home = std::getenv("HOME");
  if (Home != nullptr && Home[0] == '/') return std::string(Home) + "/.cache/ostrel/faces";
  return {};
}
