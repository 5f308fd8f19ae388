// The text engine of Windows: fonts realised and drawn by GDI.
#include "platform/win32/GdiTextEngine.h"

#include <functional>
#include <string>

#include "platform/win32/GdiFace.h"

std::size_t TGdiTextEngine::TRequestHash::operator()(const TFontRequest& Request) const {
  std::size_t Hash = std::hash<std::string>()(Request.Name);
  for (int Field : {Request.Height, Request.Weight, static_cast<int>(Request.Italic), Request.Pitch,
                    Request.Charset, Request.Escapement})
    Hash = Hash * 31 + std::hash<int>()(Field);
  return Hash;
}

TGdiTextEngine::TGdiTextEngine() : FDC(CreateCompatibleDC(nullptr)) {}

TGdiTextEngine::~TGdiTextEngine() {
  FFaces.clear();
  if (FDC != nullptr) DeleteDC(FDC);
}

std::shared_ptr<TTextFace> TGdiTextEngine::Face(const TFontRequest& Request) {
  auto Found = FFaces.find(Request);
  if (Found != FFaces.end()) return Found->second;
  auto Face = std::make_shared<TGdiFace>(FDC, Request);
  FFaces.emplace(Request, Face);
  return Face;
}
