// TBitmap's PNG output, apart from the rest of the class: only the tools write PNG files, and
// the programs that do not call it must not need a PNG encoder to link.
#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "platform/Driver.h"
#include "platform/PngEncoder.h"

void TBitmap::SaveToPngFile(const std::string& FileName) const {
  if (Empty() || !EncodePngFile(FileName, FWidth, FHeight, FPixels))
    throw EFCreateError(
        FormatMessage("Cannot create file %s", Driver().Files().ExpandFileName(FileName)));
}
