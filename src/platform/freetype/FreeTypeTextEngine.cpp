// The text engine of systems that have fontconfig and FreeType.
#include "platform/freetype/FreeTypeTextEngine.h"

#include <functional>
#include <string>

#include "platform/freetype/FontMatcher.h"
#include "platform/freetype/FreeTypeFace.h"
#include "platform/freetype/FreeTypeLibrary.h"

std::size_t TFreeTypeTextEngine::TRequestHash::operator()(const TFontRequest& Request) const {
  std::size_t Hash = std::hash<std::string>()(Request.Name);
  for (int Field : {Request.Height, Request.Weight, static_cast<int>(Request.Italic), Request.Pitch,
                    Request.Charset, Request.Escapement})
    Hash = Hash * 31 + std::hash<int>()(Field);
  return Hash;
}

TFreeTypeTextEngine::TFreeTypeTextEngine()
    : FMatcher(std::make_shared<const TFontMatcher>(DefaultFaceCacheFile())),
      FLibrary(std::make_shared<TFreeTypeLibrary>()) {}

TFreeTypeTextEngine::~TFreeTypeTextEngine() = default;

std::shared_ptr<TTextFace> TFreeTypeTextEngine::Face(const TFontRequest& Request) {
  auto Found = FFaces.find(Request);
  if (Found != FFaces.end()) return Found->second;
  auto Face = std::make_shared<TFreeTypeFace>(FMatcher, FLibrary, Request);
  FFaces.emplace(Request, Face);
  return Face;
}

void TFreeTypeTextEngine::SaveAnswers() {
  FMatcher->SaveAnswers();
}
