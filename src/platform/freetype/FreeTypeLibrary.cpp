// The FreeType library instance and the font files opened with it.
#include "platform/freetype/FreeTypeLibrary.h"

namespace {

std::shared_ptr<FT_LibraryRec_> InitLibrary() {
  FT_Library Library = nullptr;
  if (FT_Init_FreeType(&Library) != 0) return nullptr;
  return std::shared_ptr<FT_LibraryRec_>(Library, FT_Done_FreeType);
}

// Releases a face, holding the library until then.
struct TFaceRelease {
  std::shared_ptr<FT_LibraryRec_> Library;
  void operator()(FT_Face Face) const { FT_Done_Face(Face); }
};

}  // namespace

TFreeTypeLibrary::TFreeTypeLibrary() : FLibrary(InitLibrary()) {}

TFreeTypeFaceHandle TFreeTypeLibrary::Open(const std::string& File, int Index) {
  auto Key = std::make_pair(File, Index);
  auto Found = FFaces.find(Key);
  if (Found != FFaces.end()) return Found->second;
  FT_Face Face = nullptr;
  TFreeTypeFaceHandle Handle;
  if (FLibrary != nullptr && !File.empty() &&
      FT_New_Face(FLibrary.get(), File.c_str(), Index, &Face) == 0) {
    Handle = TFreeTypeFaceHandle(Face, TFaceRelease{FLibrary});
    if (!FT_IS_SCALABLE(Face)) Handle.reset();
  }
  FFaces.emplace(std::move(Key), Handle);
  return Handle;
}
