// Folder listings kept while their folders stay unchanged.
#include "platform/posix/FolderListings.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

#include "platform/posix/AsciiCase.h"

namespace {

std::int64_t Nanoseconds(const struct timespec& Time) {
  return static_cast<std::int64_t>(Time.tv_sec) * 1000000000 + Time.tv_nsec;
}

}  // namespace

TFolderListings& TFolderListings::Instance() {
  static TFolderListings Listings;
  return Listings;
}

std::optional<std::string> TFolderListings::Find(const std::string& Folder,
                                                 const std::string& LowerName) {
  struct stat Info {};
  if (::stat(Folder.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode)) return std::nullopt;
  const TVersion Version{static_cast<std::uint64_t>(Info.st_dev),
                         static_cast<std::uint64_t>(Info.st_ino), Nanoseconds(Info.st_mtim),
                         Nanoseconds(Info.st_ctim)};

  std::lock_guard<std::mutex> Guard(FLock);
  auto It = FListings.find(Folder);
  if (It == FListings.end() || !(It->second.Version == Version)) {
    std::unique_ptr<DIR, int (*)(DIR*)> Dir(::opendir(Folder.c_str()), ::closedir);
    if (!Dir) return std::nullopt;
    TListing Listing;
    Listing.Version = Version;
    while (const dirent* Entry = ::readdir(Dir.get())) {
      const std::string_view Name = Entry->d_name;
      auto [Kept, Added] = Listing.Names.try_emplace(LowerAscii(Name), Name);
      if (!Added && Name < Kept->second) Kept->second = std::string(Name);
    }
    if (It != FListings.end()) {
      FNameCount -= It->second.Names.size();
      FListings.erase(It);
    }
    if (FNameCount + Listing.Names.size() > MaxNames) {
      FListings.clear();
      FNameCount = 0;
    }
    FNameCount += Listing.Names.size();
    It = FListings.emplace(Folder, std::move(Listing)).first;
  }
  auto Found = It->second.Names.find(LowerName);
  if (Found == It->second.Names.end()) return std::nullopt;
  return Found->second;
}
