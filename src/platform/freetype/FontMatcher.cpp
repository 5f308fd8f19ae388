// Font matching through fontconfig: classic names, styles, pitch and character sets.
#include "platform/freetype/FontMatcher.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/freetype/ClassicFaces.h"
#include "platform/freetype/FaceMetrics.h"
#include "platform/freetype/FontconfigLibrary.h"

namespace {

// Called only once a request has missed the kept answers and the library has loaded.
const TFontconfig& Lib() {
  return *Fontconfig();
}

constexpr int FixedPitch = 2;
constexpr int BoldWeight = 600;

// Classic face names, the free face with the same metrics (or the closest look), a second
// choice for systems without it, and the generic family of the kind.
struct TClassicFace {
  std::string_view Name;
  const char* Family;
  const char* Alternative;
  const char* Generic;
};

constexpr TClassicFace ClassicFaces[] = {
    {"MS Sans Serif", "Liberation Sans", "DejaVu Sans", "sans-serif"},
    {"Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans", "sans-serif"},
    {"MS Shell Dlg", "Liberation Sans", "DejaVu Sans", "sans-serif"},
    {"MS Shell Dlg 2", "DejaVu Sans", "Liberation Sans", "sans-serif"},
    {"Arial", "Liberation Sans", "DejaVu Sans", "sans-serif"},
    {"Arial Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed", "sans-serif"},
    {"Tahoma", "DejaVu Sans", "Liberation Sans", "sans-serif"},
    {"Verdana", "DejaVu Sans", "Liberation Sans", "sans-serif"},
    {"System", "DejaVu Sans", "Liberation Sans", "sans-serif"},
    {"Times New Roman", "Liberation Serif", "DejaVu Serif", "serif"},
    {"MS Serif", "Liberation Serif", "DejaVu Serif", "serif"},
    {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "monospace"},
    {"Courier", "Liberation Mono", "DejaVu Sans Mono", "monospace"},
    {"Lucida Console", "DejaVu Sans Mono", "Liberation Mono", "monospace"},
    {"Fixedsys", "DejaVu Sans Mono", "Liberation Mono", "monospace"},
    {"Terminal", "DejaVu Sans Mono", "Liberation Mono", "monospace"},
};

// The language whose coverage stands for a character set's script.
struct TCharsetLanguage {
  int Charset;
  const char* Language;
};

constexpr TCharsetLanguage CharsetLanguages[] = {
    {128, "ja"}, {129, "ko"}, {130, "ko"}, {134, "zh-cn"}, {136, "zh-tw"}, {161, "el"}, {162, "tr"},
    {163, "vi"}, {177, "he"}, {178, "ar"}, {186, "lt"},    {204, "ru"},    {222, "th"}, {238, "pl"},
};

struct TPatternDeleter {
  void operator()(FcPattern* Pattern) const { Lib().PatternDestroy(Pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

// Which families a pattern names: those of the request, or only the generic one of its kind
// when looking for any face that covers a script.
enum class TFamilies { fmRequested, fmGeneric };

bool SameName(std::string_view Left, std::string_view Right) {
  return std::equal(Left.begin(), Left.end(), Right.begin(), Right.end(), [](char A, char B) {
    return std::tolower(static_cast<unsigned char>(A)) ==
           std::tolower(static_cast<unsigned char>(B));
  });
}

std::string_view Trimmed(std::string_view Name) {
  while (!Name.empty() && Name.front() == ' ') Name.remove_prefix(1);
  while (!Name.empty() && Name.back() == ' ') Name.remove_suffix(1);
  return Name;
}

const TClassicFace* FindClassicFace(std::string_view Name) {
  for (const TClassicFace& Face : ClassicFaces)
    if (SameName(Face.Name, Name)) return &Face;
  return nullptr;
}

const char* LanguageOf(int Charset) {
  for (const TCharsetLanguage& Entry : CharsetLanguages)
    if (Entry.Charset == Charset) return Entry.Language;
  return nullptr;
}

void AddString(FcPattern* Pattern, const char* Object, std::string_view Value) {
  std::string Text(Value);
  Lib().PatternAddString(Pattern, Object, reinterpret_cast<const FcChar8*>(Text.c_str()));
}

int RequestedWeight(const TFontRequest& Request) {
  return Request.Weight > 0 ? std::min(Request.Weight, 1000) : 400;
}

TPattern RequestPattern(const TFontRequest& Request, TFamilies Families) {
  TPattern Pattern(Lib().PatternCreate());
  std::string_view Name = Trimmed(Request.Name);
  const TClassicFace* Classic = FindClassicFace(Name);
  if (Families == TFamilies::fmRequested && !Name.empty()) {
    // The classic name comes first so that a system which has the original face uses it.
    AddString(Pattern.get(), FC_FAMILY, Name);
    if (Classic != nullptr) {
      AddString(Pattern.get(), FC_FAMILY, Classic->Family);
      AddString(Pattern.get(), FC_FAMILY, Classic->Alternative);
    }
  }
  if (Request.Pitch == FixedPitch)
    AddString(Pattern.get(), FC_FAMILY, "monospace");
  else if (Classic != nullptr)
    AddString(Pattern.get(), FC_FAMILY, Classic->Generic);
  else if (Families == TFamilies::fmGeneric)
    AddString(Pattern.get(), FC_FAMILY, "sans-serif");
  Lib().PatternAddInteger(Pattern.get(), FC_WEIGHT,
                          Lib().WeightFromOpenType(RequestedWeight(Request)));
  Lib().PatternAddInteger(Pattern.get(), FC_SLANT,
                          Request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  Lib().PatternAddDouble(Pattern.get(), FC_PIXEL_SIZE,
                         Request.Height != 0 ? std::abs(static_cast<double>(Request.Height))
                                             : TFaceSize::DefaultEmPixels);
  return Pattern;
}

// Rendering needs outlines (rotation, paths), so scalable faces are preferred.
TPattern StylePattern(const TFontRequest& Request, TFamilies Families) {
  TPattern Pattern = RequestPattern(Request, Families);
  Lib().PatternAddBool(Pattern.get(), FC_SCALABLE, FcTrue);
  if (Request.Pitch == FixedPitch) Lib().PatternAddInteger(Pattern.get(), FC_SPACING, FC_MONO);
  if (const char* Language = LanguageOf(Request.Charset))
    AddString(Pattern.get(), FC_LANG, Language);
  return Pattern;
}

TPattern BestFont(FcConfig* Config, TPattern Pattern) {
  Lib().ConfigSubstitute(Config, Pattern.get(), FcMatchPattern);
  Lib().DefaultSubstitute(Pattern.get());
  FcResult Result = FcResultNoMatch;
  return TPattern(Lib().FontMatch(Config, Pattern.get(), &Result));
}

bool Covers(const FcPattern* Font, const char* Language) {
  FcLangSet* Languages = nullptr;
  return Lib().PatternGetLangSet(Font, FC_LANG, 0, &Languages) == FcResultMatch &&
         Lib().LangSetHasLang(Languages, reinterpret_cast<const FcChar8*>(Language)) == FcLangEqual;
}

bool HasCharacter(const FcPattern* Font, char32_t Character) {
  FcCharSet* Characters = nullptr;
  return Lib().PatternGetCharSet(Font, FC_CHARSET, 0, &Characters) == FcResultMatch &&
         Lib().CharSetHasChar(Characters, Character);
}

TFontMatch Describe(const FcPattern* Font, const TFontRequest& Request) {
  TFontMatch Match;
  FcChar8* File = nullptr;
  if (Lib().PatternGetString(Font, FC_FILE, 0, &File) != FcResultMatch) return Match;
  Match.File = reinterpret_cast<const char*>(File);
  Lib().PatternGetInteger(Font, FC_INDEX, 0, &Match.Index);
  // A face listed under several families is named by the one asked for, if it is among them.
  FcChar8* Family = nullptr;
  for (int Index = 0; Lib().PatternGetString(Font, FC_FAMILY, Index, &Family) == FcResultMatch;
       ++Index) {
    std::string_view Name = reinterpret_cast<const char*>(Family);
    if (Index == 0 || SameName(Name, Trimmed(Request.Name))) Match.Family = Name;
  }
  int Weight = FC_WEIGHT_REGULAR;
  Lib().PatternGetInteger(Font, FC_WEIGHT, 0, &Weight);
  int Slant = FC_SLANT_ROMAN;
  Lib().PatternGetInteger(Font, FC_SLANT, 0, &Slant);
  // The usual configuration already marks faces to be emboldened or slanted and then reports
  // them as bold or oblique; without it the face's own weight and slant tell.
  FcBool Embolden = FcFalse;
  Lib().PatternGetBool(Font, FC_EMBOLDEN, 0, &Embolden);
  FcMatrix* Matrix = nullptr;
  const bool Sheared =
      Lib().PatternGetMatrix(Font, FC_MATRIX, 0, &Matrix) == FcResultMatch && Matrix->xy != 0;
  Match.SyntheticBold =
      RequestedWeight(Request) >= BoldWeight && (Embolden == FcTrue || Weight < FC_WEIGHT_DEMIBOLD);
  Match.SyntheticItalic = Request.Italic && (Sheared || Slant == FC_SLANT_ROMAN);
  return Match;
}

bool IsCodePoint(char32_t Character) {
  return Character <= 0x10FFFF && (Character < 0xD800 || Character > 0xDFFF);
}

void AddList(FcStrList* List, std::vector<std::string>& Paths) {
  if (List == nullptr) return;
  while (FcChar8* Path = Lib().StrListNext(List)) Paths.emplace_back(reinterpret_cast<char*>(Path));
  Lib().StrListDone(List);
}

// The system's font configuration, or nullptr without fontconfig.
FcConfig* SetUp() {
  return Fontconfig() != nullptr ? Lib().InitLoadConfigAndFonts() : nullptr;
}

std::string FromEnvironment(const char* Name, const char* Home, const char* Fallback) {
  const char* Value = std::getenv(Name);
  if (Value != nullptr && Value[0] == '/') return Value;
  return Home != nullptr ? std::string(Home) + Fallback : std::string();
}

}  // namespace

TFontMatcher::TFontMatcher(const std::string& CacheFile) : FCache(CacheFile) {
  if (FCache.Empty()) FSetUp = std::async(std::launch::async, SetUp);
}

FcConfig* TFontMatcher::Config() const {
  if (FConfig == nullptr) FConfig = FSetUp.valid() ? FSetUp.get() : SetUp();
  return FConfig;
}

std::vector<std::string> TFontMatcher::Watched() const {
  std::vector<std::string> Paths;
  AddList(Lib().ConfigGetConfigFiles(Config()), Paths);
  for (std::size_t I = 0, Files = Paths.size(); I < Files; ++I)
    Paths.push_back(Paths[I].substr(0, Paths[I].find_last_of('/')));
  AddList(Lib().ConfigGetConfigDirs(Config()), Paths);
  AddList(Lib().ConfigGetFontDirs(Config()), Paths);
  // Places a user may create later, which the configuration reads when they exist.
  const char* Home = std::getenv("HOME");
  const std::string ConfigHome = FromEnvironment("XDG_CONFIG_HOME", Home, "/.config");
  const std::string DataHome = FromEnvironment("XDG_DATA_HOME", Home, "/.local/share");
  for (const std::string& Path :
       {ConfigHome, ConfigHome + "/fontconfig", ConfigHome + "/fontconfig/conf.d",
        ConfigHome + "/fontconfig/fonts.conf", DataHome, DataHome + "/fonts"})
    if (Path.front() == '/') Paths.push_back(Path);
  if (Home != nullptr && Home[0] == '/')
    for (const char* Name : {"/.fonts", "/.fonts.conf", "/.fonts.conf.d"})
      Paths.push_back(std::string(Home) + Name);
  return Paths;
}

TFontMatcher::~TFontMatcher() {
  if (FSetUp.valid()) FConfig = FSetUp.get();
  if (FConfig != nullptr) Lib().ConfigDestroy(FConfig);
}

TFontMatch TFontMatcher::Match(const TFontRequest& Request) const {
  if (auto Kept = FCache.Find(Request, 0)) return Kept->value_or(TFontMatch{});
  FcConfig* Fonts = Config();
  if (Fonts == nullptr) return TFontMatch{};
  TPattern Font = BestFont(Fonts, StylePattern(Request, TFamilies::fmRequested));
  // The classic mapper puts the character set before the name; a face that cannot show the
  // script gives way to one of the same kind that can.
  const char* Language = LanguageOf(Request.Charset);
  if (Font != nullptr && Language != nullptr && !Covers(Font.get(), Language)) {
    TPattern ForScript = BestFont(Fonts, StylePattern(Request, TFamilies::fmGeneric));
    if (ForScript != nullptr && Covers(ForScript.get(), Language)) Font = std::move(ForScript);
  }
  TFontMatch Found = Font != nullptr ? Describe(Font.get(), Request) : TFontMatch{};
  FCache.Add(Request, 0, Found, Watched());
  return Found;
}

std::optional<TFontMatch> TFontMatcher::MatchCharacter(const TFontRequest& Request,
                                                       char32_t Character) const {
  if (!IsCodePoint(Character) || Character == 0) return std::nullopt;
  if (auto Kept = FCache.Find(Request, Character)) return *Kept;
  if (Config() == nullptr) return std::nullopt;
  TPattern Pattern = RequestPattern(Request, TFamilies::fmRequested);
  FcCharSet* Characters = Lib().CharSetCreate();
  Lib().CharSetAddChar(Characters, Character);
  Lib().PatternAddCharSet(Pattern.get(), FC_CHARSET, Characters);
  Lib().CharSetDestroy(Characters);
  TPattern Font = BestFont(Config(), std::move(Pattern));
  std::optional<TFontMatch> Found;
  if (Font != nullptr && HasCharacter(Font.get(), Character)) Found = Describe(Font.get(), Request);
  FCache.Add(Request, Character, Found, Watched());
  return Found;
}

bool IsClassicFaceName(std::string_view Name) {
  return std::any_of(
      std::begin(ClassicFaces), std::end(ClassicFaces),
      [Name](const TClassicFace& Face) { return SameName(Face.Name, Trimmed(Name)); });
}
