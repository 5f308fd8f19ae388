// Reads Wine's text registry files (system.reg, user.reg): one indexing pass, keys parsed on
// demand.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

// The values of one key, found by name without regard to ASCII letter case. Copies share the
// values until one of them is changed, so that a key read many times is held once.
class TRegValues {
 public:
  // The value of that name; the empty name is the key's default value.
  std::optional<TRegData> Find(std::string_view Name) const;
  // Stores a value, replacing one of the same name, as a later line of a hive does.
  void Set(std::string_view Name, TRegData Data);

 private:
  std::shared_ptr<std::unordered_map<std::string, TRegData>> FValues;
};

// One registry file of a Wine prefix. The text is kept and indexed by key name once; a key's
// value lines are parsed when that key is first read and kept, so a large hive costs one scan
// and each key one parse however many lookups follow. The index holds each header's name once,
// its parents as parts of it, so its memory grows with the file's size, not with the square of
// a name's depth. Malformed or truncated text is never fatal: bad lines are skipped.
class TRegistryHive {
 public:
  // Larger files are refused rather than held in memory.
  static constexpr std::size_t MaxSize = std::size_t{128} << 20;

  // A hive without keys, which opens nothing, not even its root.
  TRegistryHive() = default;
  // The hive held in Text; text that is not a registry file, or larger than MaxSize, gives
  // the empty hive.
  explicit TRegistryHive(std::string Text);
  // The index refers to the hive's own names: a hive moves, it is never copied.
  TRegistryHive(TRegistryHive&&) = default;
  TRegistryHive& operator=(TRegistryHive&&) = default;
  TRegistryHive(const TRegistryHive&) = delete;
  TRegistryHive& operator=(const TRegistryHive&) = delete;

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

  struct TKey {
    std::vector<TSpan> Spans;
    // The values, once the key has been read.
    mutable std::optional<TRegValues> Values;
  };

  void BuildIndex();
  void AddKey(std::string_view Name, TSpan Span);

  std::string FText;
  // The lower-case names of the headers, each once; a deque, so that they never move.
  std::deque<std::string> FNames;
  // Lower-case key name (a view of FNames) -> its headers; keys that exist only as the parents
  // of others have none.
  std::unordered_map<std::string_view, TKey> FIndex;
};
