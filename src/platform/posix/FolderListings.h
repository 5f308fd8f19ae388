// Folder listings kept while their folders stay unchanged, so that names matched without regard
// to letter case cost one listing of each folder, not one per name looked up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

class TFolderListings {
 public:
  // Past this many names in all, the kept listings are dropped and listing starts afresh.
  static constexpr std::size_t MaxNames = std::size_t{1} << 20;

  static TFolderListings& Instance();

  // The entry of Folder whose name is LowerName but for ASCII letter case, the smallest such
  // name when several are; nothing when there is none or the folder cannot be read.
  std::optional<std::string> Find(const std::string& Folder, const std::string& LowerName);

 private:
  // What tells a changed folder: a new entry or a removed one changes its times.
  struct TVersion {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;

    friend bool operator==(const TVersion&, const TVersion&) = default;
  };
  struct TListing {
    TVersion Version;
    // Lower-case name -> the smallest entry name of that spelling.
    std::unordered_map<std::string, std::string> Names;
  };

  std::mutex FLock;
  std::unordered_map<std::string, TListing> FListings;
  std::size_t FNameCount = 0;
};
