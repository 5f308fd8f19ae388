// The ANSI code page on POSIX, chosen from the language of the locale as the classic system
// chooses it from its own locale setting.
#include "platform/posix/PosixLocale.h"

#include <cstdlib>
#include <string>

namespace {

struct TLanguageCodePage {
  const char* Language;
  int CodePage;
};

// Languages are matched by their ISO 639 code, the first letters of the locale name.
constexpr TLanguageCodePage LanguageCodePages[] = {
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"sr", 1251},
    {"kk", 1251}, {"ky", 1251}, {"mn", 1251}, {"tt", 1251}, {"pl", 1250}, {"cs", 1250},
    {"sk", 1250}, {"hu", 1250}, {"hr", 1250}, {"sl", 1250}, {"ro", 1250}, {"sq", 1250},
    {"bs", 1250}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"uz", 1254}, {"he", 1255},
    {"iw", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"lt", 1257}, {"lv", 1257},
    {"et", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},  {"ko", 949},
};

std::string LocaleName() {
  for (const char* Variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* Value = std::getenv(Variable);
    if (Value != nullptr && *Value != '\0') return Value;
  }
  return "";
}

}  // namespace

int PosixAnsiCodePage() {
  std::string Name = LocaleName();
  if (Name.rfind("zh", 0) == 0)
    return Name.find("_TW") != std::string::npos || Name.find("_HK") != std::string::npos ? 950
                                                                                          : 936;
  for (const TLanguageCodePage& Entry : LanguageCodePages) {
    std::string Language = Entry.Language;
    if (Name.compare(0, Language.size(), Language) == 0 &&
        (Name.size() == Language.size() || Name[Language.size()] == '_' ||
         Name[Language.size()] == '.' || Name[Language.size()] == '@'))
      return Entry.CodePage;
  }
  return 1252;
}
