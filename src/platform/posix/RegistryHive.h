// Reads Wine's text registry files (system.reg, user.reg): one indexing pass, keys parsed on
// demand.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

// The values of one key, found by name without regard to ASCII letter case.
class TRegValues {
 public:
  // The value of that name; the empty name is the key's default value.
  std::optional<TRegData> Find(std::string_view Name) const;
  // Stores a value, replacing one of the same name, as a later line of a hive does.
  void Set(std::string_view Name, TRegData Data);

 private:
  std::unordered_map<std::string, TRegData> FValues;
};

// One registry file of a Wine prefix. The text is kept and indexed by key name once; a key's
// value lines are parsed only when that key is read, so a large hive costs one scan however
// many lookups follow. Malformed or truncated text is never fatal: bad lines are skipped.
class TRegistryHive {
 public:
  // Larger files are refused rather than held in memory.
  static constexpr std::size_t MaxSize = std::size_t{128} << 20;

  // A hive without keys, which opens nothing, not even its root.
  TRegistryHive() = default;
  // The hive held in Text; text that is not a registry file, or larger than MaxSize, gives
  // the empty hive.
  explicit TRegistryHive(std::string Text);

  // The hive stored in a file; the empty hive when it is missing, unreadable or too large.
  static TRegistryHive Load(const std::string& FileName);

  // The values of the key at KeyPath ("\"-separated, any letter case, without a leading "\";
  // the empty path is the root), or nothing when the hive has no such key.
  std::optional<TRegValues> ReadKey(std::string_view KeyPath) const;

 private:
  // Byte range of the value lines that follow one key header.
  struct TSpan {
    std::size_t Begin = 0;
    std::size_t End = 0;
  };

  void BuildIndex();
  void AddKey(std::string_view Name, TSpan Span);

  std::string FText;
  // Lower-case key name -> the spans of its headers; keys that exist only as the parents of
  // others have no span.
  std::unordered_map<std::string, std::vector<TSpan>> FIndex;
};
