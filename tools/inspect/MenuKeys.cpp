// The sections and keys a menu.ini is read for.
#include "MenuKeys.h"

#include <cctype>

const std::string MainSection = "Main";

const std::vector<TMenuKey> MainKeys = {
    {"Background", TValueKind::vkText, "menu.bmp"},
    {"Icon", TValueKind::vkText, ""},
    {"AppName", TValueKind::vkText, ""},
    {"AppTaskName", TValueKind::vkText, ""},
    {"ProgCount", TValueKind::vkInteger, "1"},
};

const std::vector<TMenuKey> EntryKeys = {
    {"X", TValueKind::vkInteger, "0"},
    {"Y", TValueKind::vkInteger, "0"},
    {"Width", TValueKind::vkInteger, "0"},
    {"Height", TValueKind::vkInteger, "0"},
    {"ButtonText", TValueKind::vkText, ""},
    {"FontInfo", TValueKind::vkFont, "MS Sans Serif,8,,0,clWindowText,1"},
    {"HighlightColor", TValueKind::vkColor, "clBlack"},
    {"TopContourColor", TValueKind::vkColor, "clBlack"},
    {"BottomContourColor", TValueKind::vkColor, "clBlack"},
    {"ExePath", TValueKind::vkText, ""},
    {"ExeCommandLine", TValueKind::vkText, ""},
    {"LinuxExePath", TValueKind::vkText, ""},
    {"LinuxCommandLine", TValueKind::vkText, ""},
    {"PreRunMessage", TValueKind::vkText, ""},
    {"PreRunConfirm", TValueKind::vkBoolean, "0"},
    {"AfterRunMessage", TValueKind::vkText, ""},
    {"TerminateAfterStart", TValueKind::vkBoolean, "1"},
    {"Hint", TValueKind::vkText, ""},
};

std::optional<std::int32_t> EntryNumber(const std::string& Section) {
  constexpr std::size_t Prefix = 5;
  if (Section.size() <= Prefix || Section.size() > Prefix + 9) return std::nullopt;
  for (std::size_t I = 0; I < Prefix; ++I)
    if (std::tolower(static_cast<unsigned char>(Section[I])) != "prog_"[I]) return std::nullopt;
  if (Section[Prefix] == '0') return std::nullopt;
  std::int32_t Number = 0;
  for (std::size_t I = Prefix; I < Section.size(); ++I) {
    if (Section[I] < '0' || Section[I] > '9') return std::nullopt;
    Number = Number * 10 + (Section[I] - '0');
  }
  return Number;
}

std::string EntrySection(std::int32_t Number) {
  return "Prog_" + std::to_string(Number);
}

std::string Folded(std::string Name) {
  for (char& C : Name)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + ('a' - 'A'));
  return Name;
}

std::string Quoted(const std::string& Text) {
  return "`" + Text + "`";
}
