// The text engine of systems that have fontconfig and FreeType.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "platform/TextEngine.h"

class TFontMatcher;
class TFreeTypeLibrary;

// Finds faces through fontconfig and draws them with FreeType. Faces keep the matcher and the
// library alive, so they stay usable after the engine is gone.
class TFreeTypeTextEngine : public TTextEngine {
 public:
  TFreeTypeTextEngine();
  ~TFreeTypeTextEngine() override;

  std::shared_ptr<TTextFace> Face(const TFontRequest& Request) override;
  void SaveAnswers() override;

 private:
  struct TRequestHash {
    std::size_t operator()(const TFontRequest& Request) const;
  };

  std::shared_ptr<const TFontMatcher> FMatcher;
  std::shared_ptr<TFreeTypeLibrary> FLibrary;
  std::unordered_map<TFontRequest, std::shared_ptr<TTextFace>, TRequestHash> FFaces;
};
