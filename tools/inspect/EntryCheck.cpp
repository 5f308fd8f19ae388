// The author's check of what each entry names.
#include "EntryCheck.h"

#include <map>

#include "MenuKeys.h"
#include "core/Utf8.h"
#include "framework/Accelerator.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/TextCodec.h"
#include "menu/EntryAction.h"
#include "menu/RegistryReference.h"
#include "platform/Driver.h"
#include "platform/Shell.h"
#include "platform/freetype/ClassicFaces.h"
#include "platform/posix/PosixShell.h"

namespace {

class TEntryCheck {
 public:
  TEntryCheck(TCheckContext& Context, const TOstrelInfo& Menu, TRegistryService& Registry)
      : FContext(Context), FMenu(Menu), FRegistry(Registry) {}

  void Run() {
    for (std::int32_t I = 0; I < FMenu.EntryCount(); ++I) {
      const std::string Section = EntrySection(I + 1);
      if (FContext.LineOf(Section) == 0) continue;
      const TProgInfo& Entry = *FMenu.ProgInfo(I);
      CheckTarget(Section, Entry);
      CheckFont(Section, Entry);
      CheckAccelerator(Section, Entry);
    }
  }

 private:
  void Add(const std::string& Section, const std::string& Key, TSeverity Severity,
           const std::string& Message) {
    FContext.Add(FContext.NearestLineOf(Section, Key), Severity, Section + "." + Key, Message);
  }

  // The target a click opens on this system: LinuxExePath when it is written, else ExePath.
  void CheckTarget(const std::string& Section, const TProgInfo& Entry) {
    const std::string Linux = FContext.Value(Section, "LinuxExePath").value_or("");
    const std::string Key = Linux.empty() ? "ExePath" : "LinuxExePath";
    const std::string Written = Linux.empty() ? FContext.Value(Section, Key).value_or("") : Linux;
    if (Written.empty()) {
      Add(Section, Key, TSeverity::svWarning,
          "[" + Section + "] has no ExePath; its button is disabled");
      return;
    }
    if (IsRegistryReference(Written) && !CheckReference(Section, Key, Written)) return;
    const std::string& Target = Entry.RunPath();
    const TEntryAction Action = TargetAction(Target);
    if (Action == TEntryAction::eaNone || Action == TEntryAction::eaExit) return;
    std::string Obstacle;
    if (Action == TEntryAction::eaUrl) {
      if (!PlanLaunch(Target, "", "", &Obstacle))
        Add(Section, Key, TSeverity::svWarning,
            "address " + Quoted(Target) + " cannot be opened here: " + Obstacle);
      return;
    }
    const std::string Full = Driver().Files().ExpandFileName(Target);
    if (Full.size() >= MaxPath) {
      Add(Section, Key, TSeverity::svError,
          "the target's full path has " + std::to_string(Full.size()) + " characters; " +
              "paths of " + std::to_string(MaxPath) + " or more are never opened");
      return;
    }
    if (!TargetAvailable(Target)) {
      Add(Section, Key, TSeverity::svWarning,
          "target " + Quoted(Target) + " " +
              (Driver().Files().FileExists(Target) ? "is a device or a pipe, not a file"
                                                   : "does not exist (looked for " + Full + ")") +
              "; its button is disabled");
    } else if (!PlanLaunch(Target, "", "", &Obstacle)) {
      Add(Section, Key, TSeverity::svWarning,
          "target " + Quoted(Target) + " cannot be opened here: " + Obstacle);
    }
  }

  // False when the reference is malformed; then nothing more is said of the entry's target.
  bool CheckReference(const std::string& Section, const std::string& TargetKey,
                      const std::string& Written) {
    const std::string Form = " (the form is $REG$HKLMSOFTWARE\\Vendor$KEY$Value$DEF$default.exe)";
    const TRegistryReference Reference = ParseRegistryReference(Written);
    std::string Fault;
    if (Written.rfind("$REG$", 0) != 0)
      Fault = "does not start with $REG$";
    else if (Written.find("$KEY$") == std::string::npos)
      Fault = "has no $KEY$";
    else if (Written.find("$DEF$") == std::string::npos)
      Fault = "has no $DEF$, so nothing is opened when the value is not set";
    else if (Reference.RootName.size() != 4 || Reference.RootName.find('$') != std::string::npos)
      Fault = "has no four-letter root (HKLM for the machine, HKCU for the user) after $REG$";
    if (!Fault.empty()) {
      Add(Section, TargetKey, TSeverity::svWarning,
          "registry reference " + Quoted(Written) + " " + Fault + Form);
      return Written.find("$DEF$") != std::string::npos;
    }
    std::string KeyPath = Reference.KeyPath;
    if (!KeyPath.empty() && KeyPath[0] == '\\') KeyPath.erase(0, 1);
    const std::string Where =
        Reference.RootName + "\\" + KeyPath + " " + Quoted(Reference.ValueName);
    std::unique_ptr<TRegistryKey> Key =
        FRegistry.OpenKeyReadOnly(RegistryRoot(Reference.RootName), KeyPath);
    std::optional<TRegData> Value = Key ? Key->QueryValue(Reference.ValueName) : std::nullopt;
    if (!Value || Value->DataType == TRegDataType::rdOther)
      Add(Section, TargetKey, TSeverity::svWarning,
          "registry value " + Where + " is not set on this system; the default " +
              Quoted(Reference.Default) + " is used");
    else if (!TargetAvailable(Value->Data))
      Add(Section, TargetKey, TSeverity::svWarning,
          "registry value " + Where + " is " + Quoted(Value->Data) +
              ", which is no existing file here; the default " + Quoted(Reference.Default) +
              " is used");
    return true;
  }

  // A face name the system neither has nor stands in for with a face of the same metrics.
  void CheckFont(const std::string& Section, const TProgInfo& Entry) {
    const std::string Name = Entry.FontInfo.Name();
    if (Name.empty() || IsClassicFaceName(Name) || !FCheckedFonts.emplace(Folded(Name)).second)
      return;
    TBitmap Scratch(1, 1);
    Scratch.Canvas().Font.Assign(Entry.FontInfo);
    const std::string Used = Scratch.Canvas().Face().FamilyName();
    if (Folded(Used) == Folded(Name)) return;
    Add(Section, "FontInfo", TSeverity::svWarning,
        "font " + Quoted(Name) + " is not installed here; " + Quoted(Used) +
            " is used instead, which may be wider or narrower");
  }

  void CheckAccelerator(const std::string& Section, const TProgInfo& Entry) {
    std::optional<char32_t> Key = CaptionAccelerator(Entry.ButtonText, Entry.FontInfo.Charset());
    if (!Key) return;
    auto [First, New] = FAccelerators.emplace(*Key, Section);
    if (New) return;
    std::string Letter;
    AppendUtf8(Letter, *Key);
    Add(Section, "ButtonText", TSeverity::svWarning,
        "the accelerator " + Quoted(Letter) + " is also the one of [" + First->second +
            "]; Alt with that key presses only one of them");
  }

  TCheckContext& FContext;
  const TOstrelInfo& FMenu;
  TRegistryService& FRegistry;
  std::set<std::string> FCheckedFonts;
  std::map<char32_t, std::string> FAccelerators;
};

}  // namespace

void CheckEntries(TCheckContext& Context, const TOstrelInfo& Menu, TRegistryService& Registry) {
  TEntryCheck(Context, Menu, Registry).Run();
}
