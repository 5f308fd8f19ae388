// A file of the font matcher's answers, so that a start whose fonts and font configuration have
// not changed needs no font configuration at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/TextEngine.h"
#include "platform/freetype/FontMatch.h"

// The answers are kept with the state of every file and folder they were derived from: the
// configuration files, the font folders, the matched font files, and the environment that steers
// the matching. A change of any of them drops the whole file, as the answers may differ now.
class TFaceCache {
 public:
  // Larger files are taken as damaged; beyond MaxAnswers nothing more is written to the file,
  // and beyond MaxRunAnswers nothing more is kept for the run.
  static constexpr std::size_t MaxFileBytes = 1u << 20;
  static constexpr std::size_t MaxAnswers = 256;
  static constexpr std::size_t MaxRunAnswers = 65536;

  // An empty FileName keeps answers only for the life of the object.
  explicit TFaceCache(std::string FileName);

  // The kept answer for Request, and for Character when it asks which face draws a character
  // (0 for the face of the request itself): nothing when none is kept, or the kept "no face".
  std::optional<std::optional<TFontMatch>> Find(const TFontRequest& Request,
                                                char32_t Character) const;
  // No answer is kept: the first request will miss.
  bool Empty() const { return FRunAnswers.empty(); }
  // Keeps an answer, with Watched as the files and folders whose state the answers depend on.
  void Add(const TFontRequest& Request, char32_t Character, const std::optional<TFontMatch>& Match,
           const std::vector<std::string>& Watched);
  // Writes the file when the answers for it changed since it was read or last written.
  void Save();

  // The environment variables that change what the matcher answers, as one text.
  static std::string Environment();

 private:
  struct TWatch {
    std::string Path;
    std::int64_t ModifiedNs = 0;
    std::int64_t Size = -1;  // -1: the path did not exist
  };
  struct TAnswer {
    TFontRequest Request;
    char32_t Character = 0;
    std::optional<TFontMatch> Match;
  };

  void Load();
  bool Parse(const std::string& Text);
  std::string Format() const;
  static TWatch WatchOf(const std::string& Path);

  static std::string KeyOf(const TFontRequest& Request, char32_t Character);

  std::string FFileName;
  std::vector<TWatch> FWatches;
  // What the answers depend on since one was added, taken into FWatches when they are written.
  std::vector<std::string> FWatchPaths;
  // The answers the file holds, at most MaxAnswers.
  std::vector<TAnswer> FAnswers;
  // Every answer of the run, by KeyOf: the file's and those past its limit.
  std::unordered_map<std::string, std::optional<TFontMatch>> FRunAnswers;
  bool FChanged = false;
};

// Where the menu program keeps the answers: $XDG_CACHE_HOME/ostrel/faces, or ~/.cache/ostrel/faces;
// empty when neither is known.
std::string DefaultFaceCacheFile();
