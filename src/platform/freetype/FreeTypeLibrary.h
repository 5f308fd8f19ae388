// The FreeType library instance and the font files opened with it.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <memory>
#include <string>
#include <utility>

// Faces share the library through their handles, so faces handed out may outlive this object
// and the library is released only after the last face.
using TFreeTypeFaceHandle = std::shared_ptr<FT_FaceRec_>;

// Opens each font file (and face index within it) once. Only scalable faces are taken:
// rotated text and outline paths need outlines.
class TFreeTypeLibrary {
 public:
  TFreeTypeLibrary();

  // The face at Index in File; null when FreeType cannot read it or it has no outlines.
  TFreeTypeFaceHandle Open(const std::string& File, int Index);

 private:
  std::shared_ptr<FT_LibraryRec_> FLibrary;
  std::map<std::pair<std::string, int>, TFreeTypeFaceHandle> FFaces;
};
