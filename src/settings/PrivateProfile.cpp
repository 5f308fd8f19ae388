// The private-profile service: reads and edits INI-style files, one cached parse per file.
#include "settings/PrivateProfile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/Driver.h"
#include "settings/ProfileText.h"
#include "settings/ValueText.h"

namespace {

// Enough for the menu file and the few others a session reads; the least recently used parse
// makes room for a new one.
constexpr std::size_t CacheCapacity = 8;

struct TCacheEntry {
  std::string FileName;
  TFileStamp Stamp;
  std::shared_ptr<const TProfileText> Text;
  std::uint64_t LastUse = 0;
};

// A file held by a TPrivateProfile::THold: its parse answers without the file being looked at.
struct THeldEntry {
  std::string FileName;
  std::shared_ptr<const TProfileText> Text;
  std::size_t Holds = 0;
};

struct TCache {
  std::mutex Lock;
  std::vector<TCacheEntry> Entries;
  std::vector<THeldEntry> Held;
  std::uint64_t Clock = 0;
  std::size_t ParseCount = 0;
};

TCache& Cache() {
  static TCache Instance;
  return Instance;
}

const std::shared_ptr<const TProfileText>& EmptyProfile() {
  static const auto Empty = std::make_shared<const TProfileText>(std::string());
  return Empty;
}

std::vector<TCacheEntry>::iterator Find(TCache& State, const std::string& FileName) {
  return std::find_if(State.Entries.begin(), State.Entries.end(),
                      [&FileName](const TCacheEntry& Entry) { return Entry.FileName == FileName; });
}

void Forget(TCache& State, const std::string& FileName) {
  const auto It = Find(State, FileName);
  if (It != State.Entries.end()) State.Entries.erase(It);
}

// The parsed file, from the cache while its stamp is unchanged. The stamp is taken before the
// bytes are read: a change made in between gives a newer stamp on the next call, never a stale
// parse under a current stamp. Called with the lock held.
std::shared_ptr<const TProfileText> Profile(TCache& State, const std::string& FileName) {
  for (const THeldEntry& Held : State.Held)
    if (Held.FileName == FileName) return Held.Text;
  const TFileSystem& Files = Driver().Files();
  const std::optional<TFileStamp> Stamp = Files.FileStamp(FileName);
  auto It = Find(State, FileName);
  if (It != State.Entries.end() && Stamp && It->Stamp == *Stamp) {
    It->LastUse = ++State.Clock;
    return It->Text;
  }
  std::string Bytes;
  if (!Stamp ||
      Files.ReadFileBytes(FileName, TPrivateProfile::MaxFileSize, Bytes) != TReadStatus::rsRead) {
    if (It != State.Entries.end()) State.Entries.erase(It);
    return EmptyProfile();
  }
  ++State.ParseCount;
  auto Text = std::make_shared<const TProfileText>(std::move(Bytes));
  if (It == State.Entries.end()) {
    if (State.Entries.size() < CacheCapacity) {
      It = State.Entries.insert(State.Entries.end(), TCacheEntry{});
    } else {
      It = std::min_element(
          State.Entries.begin(), State.Entries.end(),
          [](const TCacheEntry& A, const TCacheEntry& B) { return A.LastUse < B.LastUse; });
    }
  }
  *It = TCacheEntry{FileName, *Stamp, Text, ++State.Clock};
  return Text;
}

std::shared_ptr<const TProfileText> Profile(const std::string& FileName) {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  return Profile(State, FileName);
}

// Applies Change to the file as it is on disk now (a missing file is empty) and writes the
// result when there is one. A file that cannot be read, or is larger than the reader sees, is
// left alone: writing it back would lose what was not read.
template <typename TChange>
bool Edit(const std::string& FileName, TChange Change) {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  std::string Bytes;
  const TReadStatus Status =
      Driver().Files().ReadFileBytes(FileName, TPrivateProfile::MaxFileSize + 1, Bytes);
  if (Status == TReadStatus::rsFailed || Bytes.size() > TPrivateProfile::MaxFileSize) return false;
  ++State.ParseCount;
  const TProfileText Text(std::move(Bytes));
  const std::optional<std::string> Changed = Change(Text);
  if (!Changed) return true;
  Forget(State, FileName);
  return Driver().Files().WriteFileAtomically(FileName, *Changed);
}

std::vector<std::string> Strings(const std::vector<std::string_view>& Views) {
  return std::vector<std::string>(Views.begin(), Views.end());
}

}  // namespace

std::string TPrivateProfile::ReadString(const std::string& FileName, const std::string& Section,
                                        const std::string& Key, const std::string& Default,
                                        std::size_t BufferSize) {
  if (BufferSize == 0) return {};
  const std::shared_ptr<const TProfileText> Text = Profile(FileName);
  std::string_view Result;
  std::string Replaced;
  if (const std::optional<std::string_view> Value = Text->Value(Section, Key)) {
    Result = *Value;
    if (Text->FromUtf16()) Result = Replaced = WithoutSurrogates(Result);
  } else {
    Result = Default;
    Result = Result.substr(0, Result.find('\0'));
    while (!Result.empty() && Result.back() == ' ') Result.remove_suffix(1);
  }
  return std::string(CutValue(Result, BufferSize - 1));
}

std::vector<std::string> TPrivateProfile::ReadSectionNames(const std::string& FileName) {
  return Strings(Profile(FileName)->SectionNames());
}

std::vector<std::string> TPrivateProfile::ReadKeyNames(const std::string& FileName,
                                                       const std::string& Section) {
  return Strings(Profile(FileName)->KeyNames(Section));
}

bool TPrivateProfile::WriteString(const std::string& FileName, const std::string& Section,
                                  const std::string& Key, const std::string& Value) {
  if (!TProfileText::Writable(Section, Key, Value)) return false;
  return Edit(FileName, [&](const TProfileText& Text) -> std::optional<std::string> {
    return Text.WithValue(Section, Key, Value);
  });
}

bool TPrivateProfile::DeleteKey(const std::string& FileName, const std::string& Section,
                                const std::string& Key) {
  return Edit(FileName, [&](const TProfileText& Text) { return Text.WithoutKey(Section, Key); });
}

bool TPrivateProfile::EraseSection(const std::string& FileName, const std::string& Section) {
  return Edit(FileName, [&](const TProfileText& Text) { return Text.WithoutSection(Section); });
}

TPrivateProfile::THold::THold(std::string FileName) : FFileName(std::move(FileName)) {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  for (THeldEntry& Held : State.Held)
    if (Held.FileName == FFileName) {
      ++Held.Holds;
      return;
    }
  State.Held.push_back({FFileName, Profile(State, FFileName), 1});
}

TPrivateProfile::THold::~THold() {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  for (auto It = State.Held.begin(); It != State.Held.end(); ++It)
    if (It->FileName == FFileName) {
      if (--It->Holds == 0) State.Held.erase(It);
      return;
    }
}

void TPrivateProfile::ForgetAll() {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  State.Entries.clear();
}

std::size_t TPrivateProfile::ParseCount() {
  TCache& State = Cache();
  const std::lock_guard<std::mutex> Guard(State.Lock);
  return State.ParseCount;
}
