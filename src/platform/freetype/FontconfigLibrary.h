// fontconfig's functions, loaded from the system's library when a font request first misses the
// face cache: a start whose answers are all kept maps neither fontconfig nor the XML parser it
// brings, which costs start-up time and resident memory.
#pragma once

#include <fontconfig/fontconfig.h>

struct TFontconfig {
  decltype(&::FcInitLoadConfigAndFonts) InitLoadConfigAndFonts = nullptr;
  decltype(&::FcConfigDestroy) ConfigDestroy = nullptr;
  decltype(&::FcConfigGetConfigFiles) ConfigGetConfigFiles = nullptr;
  decltype(&::FcConfigGetConfigDirs) ConfigGetConfigDirs = nullptr;
  decltype(&::FcConfigGetFontDirs) ConfigGetFontDirs = nullptr;
  decltype(&::FcStrListNext) StrListNext = nullptr;
  decltype(&::FcStrListDone) StrListDone = nullptr;
  decltype(&::FcConfigSubstitute) ConfigSubstitute = nullptr;
  decltype(&::FcDefaultSubstitute) DefaultSubstitute = nullptr;
  decltype(&::FcFontMatch) FontMatch = nullptr;
  decltype(&::FcPatternCreate) PatternCreate = nullptr;
  decltype(&::FcPatternDestroy) PatternDestroy = nullptr;
  decltype(&::FcPatternAddString) PatternAddString = nullptr;
  decltype(&::FcPatternAddInteger) PatternAddInteger = nullptr;
  decltype(&::FcPatternAddDouble) PatternAddDouble = nullptr;
  decltype(&::FcPatternAddBool) PatternAddBool = nullptr;
  decltype(&::FcPatternAddCharSet) PatternAddCharSet = nullptr;
  decltype(&::FcPatternGetString) PatternGetString = nullptr;
  decltype(&::FcPatternGetInteger) PatternGetInteger = nullptr;
  decltype(&::FcPatternGetBool) PatternGetBool = nullptr;
  decltype(&::FcPatternGetMatrix) PatternGetMatrix = nullptr;
  decltype(&::FcPatternGetLangSet) PatternGetLangSet = nullptr;
  decltype(&::FcPatternGetCharSet) PatternGetCharSet = nullptr;
  decltype(&::FcLangSetHasLang) LangSetHasLang = nullptr;
  decltype(&::FcCharSetCreate) CharSetCreate = nullptr;
  decltype(&::FcCharSetDestroy) CharSetDestroy = nullptr;
  decltype(&::FcCharSetAddChar) CharSetAddChar = nullptr;
  decltype(&::FcCharSetHasChar) CharSetHasChar = nullptr;
  decltype(&::FcWeightFromOpenType) WeightFromOpenType = nullptr;
};

// The functions, loaded on the first call from any thread; nullptr when the library or one of
// them is missing.
const TFontconfig* Fontconfig();
