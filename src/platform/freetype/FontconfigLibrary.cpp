// Loading fontconfig's functions from the system's library.
#include "platform/freetype/FontconfigLibrary.h"

#include <dlfcn.h>

#include <memory>
#include <type_traits>

namespace {

std::unique_ptr<TFontconfig> Load() {
  void* Library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
  if (Library == nullptr) return nullptr;
  auto Functions = std::make_unique<TFontconfig>();
  bool Complete = true;
  const auto Bind = [&](auto& Slot, const char* Name) {
    Slot = reinterpret_cast<std::remove_reference_t<decltype(Slot)>>(dlsym(Library, Name));
    Complete = Complete && Slot != nullptr;
  };
  Bind(Functions->InitLoadConfigAndFonts, "FcInitLoadConfigAndFonts");
  Bind(Functions->ConfigDestroy, "FcConfigDestroy");
  Bind(Functions->ConfigGetConfigFiles, "FcConfigGetConfigFiles");
  Bind(Functions->ConfigGetConfigDirs, "FcConfigGetConfigDirs");
  Bind(Functions->ConfigGetFontDirs, "FcConfigGetFontDirs");
  Bind(Functions->StrListNext, "FcStrListNext");
  Bind(Functions->StrListDone, "FcStrListDone");
  Bind(Functions->ConfigSubstitute, "FcConfigSubstitute");
  Bind(Functions->DefaultSubstitute, "FcDefaultSubstitute");
  Bind(Functions->FontMatch, "FcFontMatch");
  Bind(Functions->PatternCreate, "FcPatternCreate");
  Bind(Functions->PatternDestroy, "FcPatternDestroy");
  Bind(Functions->PatternAddString, "FcPatternAddString");
  Bind(Functions->PatternAddInteger, "FcPatternAddInteger");
  Bind(Functions->PatternAddDouble, "FcPatternAddDouble");
  Bind(Functions->PatternAddBool, "FcPatternAddBool");
  Bind(Functions->PatternAddCharSet, "FcPatternAddCharSet");
  Bind(Functions->PatternGetString, "FcPatternGetString");
  Bind(Functions->PatternGetInteger, "FcPatternGetInteger");
  Bind(Functions->PatternGetBool, "FcPatternGetBool");
  Bind(Functions->PatternGetMatrix, "FcPatternGetMatrix");
  Bind(Functions->PatternGetLangSet, "FcPatternGetLangSet");
  Bind(Functions->PatternGetCharSet, "FcPatternGetCharSet");
  Bind(Functions->LangSetHasLang, "FcLangSetHasLang");
  Bind(Functions->CharSetCreate, "FcCharSetCreate");
  Bind(Functions->CharSetDestroy, "FcCharSetDestroy");
  Bind(Functions->CharSetAddChar, "FcCharSetAddChar");
  Bind(Functions->CharSetHasChar, "FcCharSetHasChar");
  Bind(Functions->WeightFromOpenType, "FcWeightFromOpenType");
  if (Complete) return Functions;
  dlclose(Library);
  return nullptr;
}

}  // namespace

const TFontconfig* Fontconfig() {
  // Kept loaded, and its table of functions kept, to the very end of the run: the configuration
  // and patterns point into the library, and the text engine that holds them may be destroyed
  // at exit after anything destroyed here.
  static const TFontconfig* const Loaded = Load().release();
  return Loaded;
}
