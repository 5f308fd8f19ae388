// Picture files a menu may name, recognised by their first bytes: bitmap, PNG and JPEG files.
#pragma once

#include <string>
#include <string_view>

#include "framework/Bitmap.h"
#include "platform/PictureDecoder.h"

enum class TPictureFormat { pfUnknown, pfBitmap, pfPng, pfJpeg };

TPictureFormat PictureFormatOf(std::string_view Bytes);

// The sides and pixel memory of a picture a TBitmap is loaded with, whatever its format.
inline constexpr TPictureLimits BitmapPictureLimits{65535, TBitmap::MaxBytes};

// Decodes a PNG or JPEG file into Bitmap as Request asks, a JPEG turned upright as its EXIF
// orientation says; Bitmap is unchanged unless the result is dsDecoded.
TDecodeStatus DecodeCompressedPicture(TPictureFormat Format, std::string_view Bytes,
                                      const TPictureRequest& Request, TBitmap& Bitmap);

// Replaces Bitmap's contents with the picture in Bytes, the file Name: a bitmap file as
// DecodeBitmapFile reads it, a PNG with its transparency composed over clBtnFace, an upright
// JPEG. Raises EInvalidGraphic "Bitmap image is not valid" followed by a line that names the
// file and says what is wrong, for bytes that are no picture of those formats or a damaged PNG
// or JPEG; EOutOfResources for a picture past BitmapPictureLimits. Bitmap is unchanged then.
void DecodePictureFile(std::string_view Bytes, const std::string& Name, TBitmap& Bitmap);
