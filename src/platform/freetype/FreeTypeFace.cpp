// A logical font realised with FreeType: metrics, advances, masks and outlines.
#include "platform/freetype/FreeTypeFace.h"

#include <optional>
#include <utility>

TFreeTypeFace::TFreeTypeFace(std::shared_ptr<const TFontMatcher> Matcher,
                             std::shared_ptr<TFreeTypeLibrary> Library, const TFontRequest& Request)
    : FMatcher(std::move(Matcher)), FLibrary(std::move(Library)), FRequest(Request) {
  const TFontMatch Match = FMatcher->Match(Request);
  FFamily = Match.Family;
  TFreeTypeFaceHandle Handle = FLibrary->Open(Match.File, Match.Index);
  const TFaceSize Size = FaceSizeFor(Handle.get(), Request.Height);
  FEmPixels = Size.EmPixels;
  if (Handle == nullptr) {
    FMetrics = MeasureFace(nullptr, Size);
    return;
  }
  FFaces.push_back(
      std::make_unique<TSizedFace>(std::move(Handle), Match, FEmPixels, Request.Escapement));
  FMetrics = FFaces.front()->Measure(Size);
}

int TFreeTypeFace::Advance(char32_t Character) {
  auto Found = FAdvances.find(Character);
  if (Found != FAdvances.end()) return Found->second;
  const TGlyphSource Source = SourceFor(Character);
  const int Pixels = Source.Face != nullptr ? Source.Face->Advance(Source.Glyph) : 0;
  FAdvances.emplace(Character, Pixels);
  return Pixels;
}

const TGlyphMask& TFreeTypeFace::Glyph(char32_t Character) {
  auto Found = FMasks.find(Character);
  if (Found != FMasks.end()) return Found->second;
  const TGlyphSource Source = SourceFor(Character);
  TGlyphMask Mask = Source.Face != nullptr ? Source.Face->Mask(Source.Glyph) : TGlyphMask{};
  return FMasks.emplace(Character, std::move(Mask)).first->second;
}

std::vector<TContour> TFreeTypeFace::Outline(char32_t Character) {
  const TGlyphSource Source = SourceFor(Character);
  return Source.Face != nullptr ? Source.Face->Outline(Source.Glyph) : std::vector<TContour>{};
}

TFreeTypeFace::TGlyphSource TFreeTypeFace::SourceFor(char32_t Character) {
  if (FFaces.empty()) return {nullptr, 0};
  auto Found = FFaceOf.find(Character);
  if (Found == FFaceOf.end()) Found = FFaceOf.emplace(Character, FaceFor(Character)).first;
  TSizedFace* Face = FFaces[Found->second].get();
  return {Face, Face->GlyphIndex(Character)};
}

std::size_t TFreeTypeFace::FaceFor(char32_t Character) {
  if (FFaces.front()->GlyphIndex(Character) != 0) return 0;
  const std::optional<TFontMatch> Match = FMatcher->MatchCharacter(FRequest, Character);
  if (!Match) return 0;
  TFreeTypeFaceHandle Handle = FLibrary->Open(Match->File, Match->Index);
  if (Handle == nullptr) return 0;
  std::size_t Index = 0;
  while (Index < FFaces.size() && FFaces[Index]->Face() != Handle.get()) ++Index;
  if (Index == FFaces.size())
    FFaces.push_back(
        std::make_unique<TSizedFace>(std::move(Handle), *Match, FEmPixels, FRequest.Escapement));
  return FFaces[Index]->GlyphIndex(Character) != 0 ? Index : 0;
}
