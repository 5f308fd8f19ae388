// The text engine of Windows: fonts realised and drawn by GDI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "platform/TextEngine.h"

// One memory device context measures and draws every face; faces select themselves into it
// for each call, so the context must outlive them: the engine lives as long as the program.
class TGdiTextEngine : public TTextEngine {
 public:
  TGdiTextEngine();
  ~TGdiTextEngine() override;
  TGdiTextEngine(const TGdiTextEngine&) = delete;
  TGdiTextEngine& operator=(const TGdiTextEngine&) = delete;

  std::shared_ptr<TTextFace> Face(const TFontRequest& Request) override;

 private:
  struct TRequestHash {
    std::size_t operator()(const TFontRequest& Request) const;
  };

  HDC FDC;
  std::unordered_map<TFontRequest, std::shared_ptr<TTextFace>, TRequestHash> FFaces;
};
