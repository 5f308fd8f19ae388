// A registry held in memory, for tests and for running without a system registry.
#include "platform/headless/MemoryRegistry.h"

#include <optional>

namespace {

std::string LowerAscii(const std::string& Text) {
  std::string Result = Text;
  for (char& C : Result)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Result;
}

std::string KeyId(const std::string& KeyPath) {
  return LowerAscii(!KeyPath.empty() && KeyPath[0] == '\\' ? KeyPath.substr(1) : KeyPath);
}

class TMemoryKey : public TRegistryKey {
 public:
  explicit TMemoryKey(std::map<std::string, TRegData> Values) : FValues(std::move(Values)) {}

  std::optional<TRegData> QueryValue(const std::string& Name) const override {
    auto It = FValues.find(LowerAscii(Name));
    if (It == FValues.end()) return std::nullopt;
    return It->second;
  }

 private:
  std::map<std::string, TRegData> FValues;
};

}  // namespace

void TMemoryRegistry::SetValue(TRegRoot Root, const std::string& KeyPath, const std::string& Name,
                               TRegData Data) {
  Key(Root, KeyPath).Values.insert_or_assign(LowerAscii(Name), std::move(Data));
}

void TMemoryRegistry::AddKey(TRegRoot Root, const std::string& KeyPath) {
  Key(Root, KeyPath);
}

void TMemoryRegistry::DenyAccess(TRegRoot Root, const std::string& KeyPath) {
  Key(Root, KeyPath).Denied = true;
}

std::unique_ptr<TRegistryKey> TMemoryRegistry::OpenKeyReadOnly(TRegRoot Root,
                                                               const std::string& KeyPath) {
  std::string Id = KeyId(KeyPath);
  auto It = FKeys.find({Root, Id});
  if (It == FKeys.end()) {
    if (!Id.empty()) return nullptr;
    return std::make_unique<TMemoryKey>(std::map<std::string, TRegData>());
  }
  if (It->second.Denied) return nullptr;
  // The key keeps what was stored when it was opened, as a snapshot.
  return std::make_unique<TMemoryKey>(It->second.Values);
}

TMemoryRegistry::TKey& TMemoryRegistry::Key(TRegRoot Root, const std::string& KeyPath) {
  std::string Id = KeyId(KeyPath);
  for (std::size_t End = Id.find('\\'); End != std::string::npos; End = Id.find('\\', End + 1))
    FKeys.try_emplace({Root, Id.substr(0, End)});
  return FKeys[{Root, Id}];
}
