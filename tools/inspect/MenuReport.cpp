// The menu description as JSON or as a readable listing, from one list of fields.
#include "MenuReport.h"

#include <variant>
#include <vector>

#include "JsonWriter.h"
#include "core/Exception.h"
#include "framework/FileName.h"
#include "framework/Icon.h"
#include "framework/TextCodec.h"
#include "menu/EntryAction.h"
#include "platform/Driver.h"
#include "settings/ColorEncoding.h"
#include "settings/FontEncoding.h"

namespace {

struct TField {
  const char* Name;
  std::variant<std::string, std::int64_t, bool> Value;
};

// Why the menu's icon cannot be used, empty when it can or when there is none: the program then
// shows its own icon.
std::string IconError(const TOstrelInfo& Menu) {
  if (Menu.IconPath().empty()) return "";
  try {
    TIcon Icon;
    Icon.LoadFromFile(Menu.IconPath());
  } catch (const Exception& Error) {
    return Error.what();
  }
  return "";
}

std::vector<TField> MainFields(const TOstrelInfo& Menu) {
  return {
      {"FileName", DisplayText(Menu.FileName())},
      {"MenuDirectory", DisplayText(Menu.MenuDir())},
      {"Background", DisplayText(Menu.BackgroundPath())},
      {"Icon", DisplayText(Menu.IconPath())},
      {"IconError", DisplayText(IconError(Menu))},
      {"AppName", DisplayText(Menu.AppName())},
      {"AppTaskName", DisplayText(Menu.AppTaskName())},
      {"ProgCount", std::int64_t{Menu.ProgCount()}},
  };
}

std::vector<TField> EntryFields(const TProgInfo& Entry) {
  return {
      {"X", std::int64_t{Entry.X}},
      {"Y", std::int64_t{Entry.Y}},
      {"Width", std::int64_t{Entry.Width}},
      {"Height", std::int64_t{Entry.Height}},
      {"ButtonText", DisplayText(Entry.ButtonText)},
      {"FontInfo", DisplayText(FontToString(Entry.FontInfo))},
      {"HighlightColor", ColorToText(Entry.HighlightColor)},
      {"TopContourColor", ColorToText(Entry.TopContourColor)},
      {"BottomContourColor", ColorToText(Entry.BottomContourColor)},
      {"ExePath", DisplayText(Entry.ExePath)},
      {"ExeCommandLine", DisplayText(Entry.ExeCommandLine)},
      {"LinuxExePath", DisplayText(Entry.LinuxExePath)},
      {"LinuxCommandLine", DisplayText(Entry.LinuxCommandLine)},
      {"PreRunMessage", DisplayText(Entry.PreRunMessage)},
      {"PreRunConfirm", Entry.PreRunConfirm},
      {"AfterRunMessage", DisplayText(Entry.AfterRunMessage)},
      {"TerminateAfterStart", Entry.TerminateAfterStart},
      {"Hint", DisplayText(Entry.Hint)},
      // What a click opens on this system, and whether its button is enabled.
      {"Target", DisplayText(Entry.RunPath())},
      {"TargetParameters", DisplayText(Entry.RunParameters())},
      {"Action", std::string(EntryActionName(TargetAction(Entry.RunPath())))},
      {"Available", TargetAvailable(Entry.RunPath())},
  };
}

void WriteFields(TJsonWriter& Json, const std::vector<TField>& Fields) {
  for (const TField& Field : Fields) {
    Json.Key(Field.Name);
    if (auto* Text = std::get_if<std::string>(&Field.Value))
      Json.String(*Text);
    else if (auto* Number = std::get_if<std::int64_t>(&Field.Value))
      Json.Number(*Number);
    else
      Json.Boolean(std::get<bool>(Field.Value));
  }
}

// Texts are quoted in the listing so that blanks at their ends and empty texts show; control
// characters are escaped so that a hostile menu cannot drive the terminal.
std::string ListedValue(const TField& Field) {
  if (auto* Text = std::get_if<std::string>(&Field.Value)) return JsonQuote(*Text);
  if (auto* Number = std::get_if<std::int64_t>(&Field.Value)) return std::to_string(*Number);
  return std::get<bool>(Field.Value) ? "true" : "false";
}

void ListFields(std::string& Out, const std::vector<TField>& Fields, const std::string& Indent) {
  for (const TField& Field : Fields) {
    std::string Name = Field.Name;
    Name.resize(std::max<std::size_t>(Name.size() + 1, 20), ' ');
    Out += Indent + Name + ListedValue(Field) + "\n";
  }
}

}  // namespace

std::optional<std::string> MenuFileOf(const std::string& Path) {
  if (Driver().Files().DirectoryExists(Path))
    return Driver().Files().ExpandFileName(NormalDir(Path) + "menu.ini");
  if (Driver().Files().FileExists(Path)) return Driver().Files().ExpandFileName(Path);
  return std::nullopt;
}

std::string MenuReportJson(const TOstrelInfo& Menu) {
  TJsonWriter Json;
  Json.BeginObject();
  WriteFields(Json, MainFields(Menu));
  Json.Key("Entries");
  Json.BeginArray();
  for (std::int32_t I = 0; I < Menu.EntryCount(); ++I) {
    Json.BeginObject();
    WriteFields(Json, EntryFields(*Menu.ProgInfo(I)));
    Json.EndObject();
  }
  Json.EndArray();
  Json.EndObject();
  return Json.Text();
}

std::string MenuReportText(const TOstrelInfo& Menu) {
  std::string Out;
  ListFields(Out, MainFields(Menu), "");
  if (Menu.EntryCount() < Menu.ProgCount())
    Out += "(only the first " + std::to_string(Menu.EntryCount()) + " entries are loaded)\n";
  for (std::int32_t I = 0; I < Menu.EntryCount(); ++I) {
    Out += "\nEntry " + std::to_string(I) + " [Prog_" + std::to_string(I + 1) + "]\n";
    ListFields(Out, EntryFields(*Menu.ProgInfo(I)), "  ");
  }
  return Out;
}
