// The sections and keys a menu.ini is read for, with the type and default of each value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TValueKind { vkText, vkInteger, vkBoolean, vkColor, vkFont };

struct TMenuKey {
  const char* Name;
  TValueKind Kind;
  // The default as the author would write it; empty for texts.
  const char* Default;
};

extern const std::string MainSection;
extern const std::vector<TMenuKey> MainKeys;
extern const std::vector<TMenuKey> EntryKeys;

// The number N of an entry section "Prog_N" as the menu names them (N from 1, no sign, no
// leading zero), compared without regard to letter case; nothing for any other name.
std::optional<std::int32_t> EntryNumber(const std::string& Section);
std::string EntrySection(std::int32_t Number);

// Names as the reader compares them: ASCII letters in lower case.
std::string Folded(std::string Name);
// A name or value set off in a finding's text.
std::string Quoted(const std::string& Text);
