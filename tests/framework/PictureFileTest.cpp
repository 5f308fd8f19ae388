// PNG and JPEG pictures loaded into bitmaps: every PNG colour type and depth, transparency over
// the face colour, JPEG kinds and orientations, damaged files, the size limits, and icons made
// of pictures.
#include "framework/PictureFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Exception.h"
#include "framework/Bitmap.h"
#include "framework/ColorToRGB.h"
#include "framework/Icon.h"
#include "support/PictureWriters.h"
#include "support/TempDir.h"

namespace {

TPixel FacePixel() {
  const TColor Face = ColorToRGB(clBtnFace);
  return PixelOf(static_cast<std::uint8_t>(Face & 0xFF), static_cast<std::uint8_t>(Face >> 8),
                 static_cast<std::uint8_t>(Face >> 16));
}

// Over composed on under with Alpha of 255, rounded, channel by channel.
TPixel Over(TPixel Top, unsigned Alpha, TPixel Under) {
  TPixel Result = 0;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    const unsigned T = (Top >> Shift) & 0xFF, U = (Under >> Shift) & 0xFF;
    Result |= ((T * Alpha + U * (255 - Alpha) + 127) / 255) << Shift;
  }
  return Result;
}

std::string Failure(std::string_view Bytes, const std::string& Name = "/menu/picture") {
  TBitmap Bitmap(2, 2);
  Bitmap.SetPixel(0, 0, 0x123456);
  try {
    DecodePictureFile(Bytes, Name, Bitmap);
  } catch (const EInvalidGraphic& Error) {
    EXPECT_EQ(Bitmap.Width(), 2);
    EXPECT_EQ(Bitmap.Pixel(0, 0), 0x123456u) << "a refused picture leaves the bitmap";
    return std::string("EInvalidGraphic: ") + Error.what();
  } catch (const EOutOfResources& Error) {
    EXPECT_EQ(Bitmap.Pixel(0, 0), 0x123456u);
    return std::string("EOutOfResources: ") + Error.what();
  }
  return "loaded";
}

// A decoded picture's pixels, copied out of the bitmap, which cannot be returned itself.
class TPicture {
 public:
  explicit TPicture(const TBitmap& Bitmap) : FWidth(Bitmap.Width()), FHeight(Bitmap.Height()) {
    for (int Y = 0; Y < FHeight; ++Y)
      FPixels.insert(FPixels.end(), Bitmap.ScanLine(Y), Bitmap.ScanLine(Y) + FWidth);
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TPixel Pixel(int X, int Y) const { return FPixels[static_cast<std::size_t>(Y) * FWidth + X]; }

 private:
  int FWidth, FHeight;
  std::vector<TPixel> FPixels;
};

TPicture Decode(std::string_view Bytes) {
  TBitmap Bitmap;
  DecodePictureFile(Bytes, "/menu/picture", Bitmap);
  return TPicture(Bitmap);
}

const std::string DamagedPng =
    "EInvalidGraphic: Bitmap image is not valid.\n/menu/picture: a damaged or cut-short PNG "
    "picture";
const std::string DamagedJpeg =
    "EInvalidGraphic: Bitmap image is not valid.\n/menu/picture: a damaged or cut-short JPEG "
    "picture";
const std::string TooLarge = "EOutOfResources: Bitmap is too large";

// ---------------------------------------------------------------------------------------------
// PNG

// One row of each sample value a depth has (up to 16 of them, spread over its range), as grey.
TEST(PngPictureTest, GreyOfEveryDepthScalesToEightBits) {
  for (int Depth : {1, 2, 4, 8, 16}) {
    for (bool Interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << Depth << " bits, interlaced " << Interlaced);
      const unsigned Max = (1u << Depth) - 1;
      TPngPicture Picture{9, 3, 0, Depth, Interlaced, {}, {}, {}};
      for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 9; ++X) Picture.Samples.push_back(Max * ((X + Y * 9) % 5) / 4);
      const TPicture Bitmap = Decode(WritePng(Picture));
      ASSERT_EQ(Bitmap.Width(), 9);
      ASSERT_EQ(Bitmap.Height(), 3);
      for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 9; ++X) {
          const unsigned Sample = Max * ((X + Y * 9) % 5) / 4;
          // 16-bit samples keep their high byte; lower depths repeat their bits.
          const unsigned Grey = Depth == 16 ? Sample >> 8 : Sample * 255 / Max;
          ASSERT_EQ(Bitmap.Pixel(X, Y), PixelOf(Grey, Grey, Grey)) << X << "," << Y;
        }
    }
  }
}

TEST(PngPictureTest, ColourOfBothDepthsKeepsEveryChannel) {
  for (int Depth : {8, 16}) {
    for (bool Interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << Depth << " bits, interlaced " << Interlaced);
      const unsigned Scale = Depth == 16 ? 257 : 1;
      TPngPicture Picture{11, 7, 2, Depth, Interlaced, {}, {}, {}};
      for (int Y = 0; Y < 7; ++Y)
        for (int X = 0; X < 11; ++X)
          for (unsigned Channel : {X * 20u, Y * 30u, 200u + X + Y})
            Picture.Samples.push_back(Channel * Scale);
      const TPicture Bitmap = Decode(WritePng(Picture));
      for (int Y = 0; Y < 7; ++Y)
        for (int X = 0; X < 11; ++X)
          ASSERT_EQ(Bitmap.Pixel(X, Y), PixelOf(X * 20, Y * 30, 200 + X + Y)) << X << "," << Y;
    }
  }
}

TEST(PngPictureTest, PaletteOfEveryDepthIndexesItsColours) {
  for (int Depth : {1, 2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << Depth << " bits");
    const unsigned Entries = 1u << std::min(Depth, 4);
    TPngPicture Picture{13, 2, 3, Depth, Depth == 4, {}, {}, {}};
    for (unsigned I = 0; I < Entries; ++I)
      Picture.Palette.insert(Picture.Palette.end(),
                             {static_cast<std::uint8_t>(I * 16), static_cast<std::uint8_t>(255 - I),
                              static_cast<std::uint8_t>(I * 7)});
    for (int I = 0; I < 26; ++I) Picture.Samples.push_back(static_cast<unsigned>(I * 5) % Entries);
    const TPicture Bitmap = Decode(WritePng(Picture));
    for (int I = 0; I < 26; ++I) {
      const unsigned Index = static_cast<unsigned>(I * 5) % Entries;
      ASSERT_EQ(Bitmap.Pixel(I % 13, I / 13), PixelOf(Index * 16, 255 - Index, Index * 7)) << I;
    }
  }
}

TEST(PngPictureTest, AlphaChannelsOfBothDepthsAreComposedOverTheFaceColour) {
  const TPixel Face = FacePixel();
  const unsigned Alphas[] = {0, 1, 64, 128, 254, 255};
  for (int Depth : {8, 16}) {
    for (bool Interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << Depth << " bits, interlaced " << Interlaced);
      const unsigned Scale = Depth == 16 ? 257 : 1;
      TPngPicture Colour{6, 1, 6, Depth, Interlaced, {}, {}, {}};
      TPngPicture Grey{6, 1, 4, Depth, Interlaced, {}, {}, {}};
      for (unsigned Alpha : Alphas) {
        for (unsigned Channel : {250u, 10u, 100u, Alpha}) Colour.Samples.push_back(Channel * Scale);
        for (unsigned Channel : {30u, Alpha}) Grey.Samples.push_back(Channel * Scale);
      }
      const TPicture ColourBitmap = Decode(WritePng(Colour));
      const TPicture GreyBitmap = Decode(WritePng(Grey));
      for (int X = 0; X < 6; ++X) {
        EXPECT_EQ(ColourBitmap.Pixel(X, 0), Over(PixelOf(250, 10, 100), Alphas[X], Face)) << X;
        EXPECT_EQ(GreyBitmap.Pixel(X, 0), Over(PixelOf(30, 30, 30), Alphas[X], Face)) << X;
      }
    }
  }
}

TEST(PngPictureTest, TransparencyChunksShowTheFaceColour) {
  const TPixel Face = FacePixel();
  TPngPicture Palette{3, 1, 3, 2, false, {0, 1, 2}, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {0, 128}};
  TPicture Bitmap = Decode(WritePng(Palette));
  EXPECT_EQ(Bitmap.Pixel(0, 0), Face);
  EXPECT_EQ(Bitmap.Pixel(1, 0), Over(PixelOf(40, 50, 60), 128, Face));
  EXPECT_EQ(Bitmap.Pixel(2, 0), PixelOf(70, 80, 90)) << "entries past the chunk are opaque";

  TPngPicture Grey{2, 1, 0, 4, false, {7, 8}, {}, {7}};
  Bitmap = Decode(WritePng(Grey));
  EXPECT_EQ(Bitmap.Pixel(0, 0), Face);
  EXPECT_EQ(Bitmap.Pixel(1, 0), PixelOf(136, 136, 136));

  TPngPicture Colour{2, 1, 2, 16, true, {1, 2, 3, 0xFFFF, 0, 0}, {}, {1, 2, 3}};
  Bitmap = Decode(WritePng(Colour));
  EXPECT_EQ(Bitmap.Pixel(0, 0), Face);
  EXPECT_EQ(Bitmap.Pixel(1, 0), PixelOf(255, 0, 0));
}

TEST(PngPictureTest, OpaquePixelsHaveNoAlphaAsEveryBitmapPixel) {
  TPngPicture Picture{1, 1, 2, 8, false, {1, 2, 3}, {}, {}};
  EXPECT_EQ(Decode(WritePng(Picture)).Pixel(0, 0) >> 24, 0u);
}

// Every cut of a small file, and files whose header promises more than their data hold.
TEST(PngPictureTest, CutShortAndLyingFilesAreRefusedAsDamaged) {
  TPngPicture Picture{8, 8, 6, 8, true, std::vector<unsigned>(8 * 8 * 4, 200), {}, {}};
  const std::string File = WritePng(Picture);
  for (std::size_t Size = 8; Size + 12 < File.size(); ++Size)
    ASSERT_EQ(Failure(File.substr(0, Size)), DamagedPng) << Size;

  std::string Lying = File;
  Lying[19] = 9;  // the height's low byte: 9 rows stated, 8 stored
  EXPECT_EQ(Failure(Lying), DamagedPng);
  std::string BadChecksum = File;
  BadChecksum[29] ^= 1;
  EXPECT_EQ(Failure(BadChecksum), DamagedPng);
  EXPECT_EQ(Failure(File.substr(0, 8) + "IHDR"), DamagedPng);
}

TEST(PngPictureTest, SidesUpToTheBitmapLimitLoadAndLargerAreRefusedBeforeAllocating) {
  const int Side = BitmapPictureLimits.MaxSide;
  TPngPicture Wide{Side, 1, 0, 1, false, std::vector<unsigned>(Side, 1), {}, {}};
  TPicture Bitmap = Decode(WritePng(Wide));
  EXPECT_EQ(Bitmap.Width(), Side);
  EXPECT_EQ(Bitmap.Pixel(Side - 1, 0), 0xFFFFFFu);
  TPngPicture Tall{1, Side, 0, 1, false, std::vector<unsigned>(Side, 1), {}, {}};
  EXPECT_EQ(Decode(WritePng(Tall)).Height(), Side);

  // The header alone decides: the data of these pictures is never reached.
  Wide.Width = Side + 1;
  Wide.Samples.push_back(1);
  EXPECT_EQ(Failure(WritePng(Wide)), TooLarge);
  Tall.Height = Side + 1;
  Tall.Samples.push_back(1);
  EXPECT_EQ(Failure(WritePng(Tall)), TooLarge);
}

TEST(PngPictureTest, PixelMemoryUpToTheBitmapLimitLoadsAndOneRowMoreIsRefused) {
  const int Width = 16384;
  const int Rows = static_cast<int>(BitmapPictureLimits.MaxBytes / sizeof(TPixel) / Width);
  TPngPicture Picture{Width, Rows, 0, 1, false, std::vector<unsigned>(std::size_t{Width} * Rows, 0),
                      {},    {}};
  Picture.Samples.back() = 1;
  TBitmap Bitmap;
  DecodePictureFile(WritePng(Picture), "/menu/picture", Bitmap);
  ASSERT_EQ(Bitmap.Height(), Rows);
  EXPECT_EQ(Bitmap.Pixel(Width - 1, Rows - 1), 0xFFFFFFu);
  EXPECT_EQ(Bitmap.Pixel(0, 0), 0u);
  Bitmap.SetSize(0, 0);
  Picture.Height = Rows + 1;
  EXPECT_EQ(Failure(WritePng(Picture)), TooLarge);
}

// ---------------------------------------------------------------------------------------------
// JPEG

constexpr int Cell = 16;

// Colours far apart, each filling whole cells, so that the lossy coding keeps them within a few
// steps.
const TPixel CellColours[] = {0xE01010, 0x10E010, 0x1010E0, 0xF0F0F0, 0x101010, 0xE0E010};

bool Near(TPixel Actual, TPixel Expected, int Tolerance = 6) {
  for (int Shift = 0; Shift < 32; Shift += 8) {
    const int A = static_cast<int>((Actual >> Shift) & 0xFF);
    const int E = static_cast<int>((Expected >> Shift) & 0xFF);
    if (std::abs(A - E) > Tolerance) return false;
  }
  return true;
}

// A picture of Columns x Rows cells, cell I (left to right, top to bottom) in CellColours[I].
TJpegPicture CellPicture(int Columns, int Rows) {
  TJpegPicture Picture{Columns * Cell, Rows * Cell, TJpegInks::jiColour, false, true, {}};
  for (int Y = 0; Y < Picture.Height; ++Y)
    for (int X = 0; X < Picture.Width; ++X) {
      const TPixel Colour = CellColours[(Y / Cell) * Columns + X / Cell];
      for (int Shift : {16, 8, 0})
        Picture.Samples.push_back(static_cast<std::uint8_t>(Colour >> Shift));
    }
  return Picture;
}

// The colour at the middle of each cell, as letters: A for CellColours[0] and so on, "?" for
// none of them; rows separated by "/".
std::string CellLetters(const TPicture& Bitmap) {
  std::string Letters;
  for (int Y = Cell / 2; Y < Bitmap.Height(); Y += Cell) {
    if (!Letters.empty()) Letters += '/';
    for (int X = Cell / 2; X < Bitmap.Width(); X += Cell) {
      char Letter = '?';
      for (std::size_t I = 0; I < std::size(CellColours); ++I)
        if (Near(Bitmap.Pixel(X, Y), CellColours[I])) Letter = static_cast<char>('A' + I);
      Letters += Letter;
    }
  }
  return Letters;
}

TEST(JpegPictureTest, BaselineAndProgressiveColourPicturesLoad) {
  for (bool Progressive : {false, true}) {
    TJpegPicture Picture = CellPicture(3, 2);
    Picture.Progressive = Progressive;
    const TPicture Bitmap = Decode(WriteJpeg(Picture));
    ASSERT_EQ(Bitmap.Width(), 48);
    ASSERT_EQ(Bitmap.Height(), 32);
    EXPECT_EQ(CellLetters(Bitmap), "ABC/DEF") << "progressive " << Progressive;
    EXPECT_EQ(Bitmap.Pixel(0, 0) >> 24, 0u);
  }
}

TEST(JpegPictureTest, ColourStoredAsRedGreenAndBlueLoadsExactly) {
  TJpegPicture Picture{8, 8, TJpegInks::jiStoredRgb, false, true, {}};
  for (int I = 0; I < 64; ++I) Picture.Samples.insert(Picture.Samples.end(), {0x20, 0x40, 0x80});
  const TPicture Bitmap = Decode(WriteJpeg(Picture));
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) ASSERT_EQ(Bitmap.Pixel(X, Y), 0x204080u) << X << "," << Y;
}

TEST(JpegPictureTest, GreyPicturesLoadGrey) {
  TJpegPicture Picture{8, 8, TJpegInks::jiGrey, false, true, std::vector<std::uint8_t>(64, 90)};
  const TPicture Bitmap = Decode(WriteJpeg(Picture));
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X)
      ASSERT_TRUE(Near(Bitmap.Pixel(X, Y), 0x5A5A5A, 2)) << Bitmap.Pixel(X, Y);
}

// Inks of red: no cyan, full magenta and yellow, a little black.
TEST(JpegPictureTest, CmykPicturesLoadPlainAndAsAdobeStoresThemInverted) {
  const std::uint8_t Inks[] = {0, 255, 255, 51};
  const TPixel Expected = PixelOf(204, 0, 0);
  for (bool Adobe : {false, true}) {
    TJpegPicture Picture{8, 8, TJpegInks::jiCmyk, Adobe, Adobe, {}};
    for (int I = 0; I < 64; ++I)
      for (std::uint8_t Ink : Inks) Picture.Samples.push_back(Adobe ? 255 - Ink : Ink);
    const TPicture Bitmap = Decode(WriteJpeg(Picture));
    EXPECT_TRUE(Near(Bitmap.Pixel(3, 3), Expected, 3))
        << std::hex << Bitmap.Pixel(3, 3) << " Adobe " << Adobe;
  }
}

TEST(JpegPictureTest, EveryExifOrientationIsTurnedUpright) {
  // Stored as 2 columns and 3 rows: AB / CD / EF.
  const std::string Stored = WriteJpeg(CellPicture(2, 3));
  const char* Shown[] = {"AB/CD/EF", "BA/DC/FE", "FE/DC/BA", "EF/CD/AB",
                         "ACE/BDF",  "ECA/FDB",  "FDB/ECA",  "BDF/ACE"};
  for (int Orientation = 1; Orientation <= 8; ++Orientation) {
    for (bool BigEndian : {false, true}) {
      const TPicture Bitmap = Decode(WithExifOrientation(Stored, Orientation, BigEndian));
      EXPECT_EQ(CellLetters(Bitmap), Shown[Orientation - 1])
          << "orientation " << Orientation << ", big-endian " << BigEndian;
      EXPECT_EQ(Bitmap.Width(), Orientation >= 5 ? 48 : 32);
    }
  }
  EXPECT_EQ(CellLetters(Decode(WithExifOrientation(Stored, 9, false))), "AB/CD/EF")
      << "an unknown orientation leaves the picture as stored";
}

TEST(JpegPictureTest, CutShortAndLyingFilesAreRefusedAsDamaged) {
  for (bool Progressive : {false, true}) {
    TJpegPicture Picture = CellPicture(2, 2);
    Picture.Progressive = Progressive;
    const std::string File = WriteJpeg(Picture);
    for (std::size_t Size = 3; Size + 2 < File.size(); Size += 7)
      ASSERT_EQ(Failure(File.substr(0, Size)), DamagedJpeg)
          << Size << " progressive " << Progressive;
  }
  // The frame header states 64 rows where the data hold 32.
  std::string Lying = WriteJpeg(CellPicture(2, 2));
  const std::size_t Frame = Lying.find("\xFF\xC0");
  ASSERT_NE(Frame, std::string::npos);
  Lying[Frame + 6] = 64;
  EXPECT_EQ(Failure(Lying), DamagedJpeg);
  EXPECT_EQ(Failure(std::string("\xFF\xD8\xFF\xD9", 4)), DamagedJpeg);
}

TEST(JpegPictureTest, StrayBytesBeforeAMarkerArePassedOver) {
  std::string File = WriteJpeg(CellPicture(2, 1));
  const std::size_t Tables = File.find("\xFF\xC4");
  ASSERT_NE(Tables, std::string::npos);
  File.insert(Tables, "\x12\x34");
  EXPECT_EQ(CellLetters(Decode(File)), "AB");
  const std::size_t Frame = File.find("\xFF\xC0");
  File.insert(Frame, "\x56");
  EXPECT_EQ(CellLetters(Decode(File)), "AB") << "before the frame header too";
}

TEST(JpegPictureTest, TheSizeLimitIsCheckedOnTheFrameHeader) {
  // The widest picture libjpeg writes and reads; the frame header could state 65535.
  const int Side = 65500;
  TJpegPicture Wide{Side, 1, TJpegInks::jiGrey, false, true, std::vector<std::uint8_t>(Side, 200)};
  EXPECT_EQ(Decode(WriteJpeg(Wide)).Width(), Side);
  // 65500 x 1024 pixels fit the pixel memory limit, one row more does not, whatever the data.
  std::string Large = WriteJpeg(
      TJpegPicture{8, 8, TJpegInks::jiGrey, false, true, std::vector<std::uint8_t>(64, 0)});
  const std::size_t Frame = Large.find("\xFF\xC0");
  ASSERT_NE(Frame, std::string::npos);
  Large.replace(Frame + 5, 4, std::string("\x04\x01\xFF\xDC", 4));
  EXPECT_EQ(Failure(Large), TooLarge);
  Large.replace(Frame + 5, 4, std::string("\x04\x00\xFF\xDC", 4));
  EXPECT_EQ(Failure(Large), DamagedJpeg) << "allowed, and its data are missing";
}

// ---------------------------------------------------------------------------------------------
// The decoders' limits

// Decodes with small limits, recording the sizes the sink is asked for.
TDecodeStatus DecodeWithin(TPictureFormat Format, const std::string& File,
                           std::vector<std::string>& Asked) {
  const TPictureRequest Request{{100, 100 * 50 * sizeof(TPixel)}, TAlphaUse::auStraight, 0};
  std::vector<std::uint32_t> Pixels;
  const TPixelSink Sink = [&](int Width, int Height) -> std::uint32_t* {
    Asked.push_back(std::to_string(Width) + "x" + std::to_string(Height));
    Pixels.resize(static_cast<std::size_t>(Width) * Height);
    return Pixels.data();
  };
  return Format == TPictureFormat::pfPng ? DecodePngPicture(File, Request, Sink)
                                         : DecodeJpegPicture(File, Request, Sink);
}

TEST(PictureDecoderTest, PicturesPastTheLimitsNeverAskForPixels) {
  struct TCase {
    int Width, Height;
    TDecodeStatus Expected;
  };
  const TCase Cases[] = {{100, 50, TDecodeStatus::dsDecoded},
                         {101, 1, TDecodeStatus::dsTooLarge},
                         {1, 101, TDecodeStatus::dsTooLarge},
                         {100, 51, TDecodeStatus::dsTooLarge},
                         {50, 100, TDecodeStatus::dsDecoded}};
  for (const TCase& Case : Cases) {
    const std::size_t Count = static_cast<std::size_t>(Case.Width) * Case.Height;
    const std::string Png =
        WritePng({Case.Width, Case.Height, 0, 8, false, std::vector<unsigned>(Count, 9), {}, {}});
    const std::string Jpeg = WriteJpeg({Case.Width, Case.Height, TJpegInks::jiGrey, false, true,
                                        std::vector<std::uint8_t>(Count, 9)});
    for (const auto& [Format, File] :
         {std::pair(TPictureFormat::pfPng, Png), std::pair(TPictureFormat::pfJpeg, Jpeg)}) {
      std::vector<std::string> Asked;
      EXPECT_EQ(DecodeWithin(Format, File, Asked), Case.Expected)
          << Case.Width << "x" << Case.Height;
      const std::vector<std::string> Expected =
          Case.Expected == TDecodeStatus::dsDecoded
              ? std::vector<std::string>{std::to_string(Case.Width) + "x" +
                                         std::to_string(Case.Height)}
              : std::vector<std::string>{};
      EXPECT_EQ(Asked, Expected) << Case.Width << "x" << Case.Height;
    }
  }
}

TEST(PictureDecoderTest, ASinkWithoutMemoryEndsTheDecoding) {
  const std::string Png = WritePng({2, 2, 0, 8, false, {1}, {}, {}});
  const std::string Jpeg =
      WriteJpeg({8, 8, TJpegInks::jiGrey, false, true, std::vector<std::uint8_t>(64, 1)});
  const TPictureRequest Request{BitmapPictureLimits, TAlphaUse::auComposed, 0};
  const TPixelSink None = [](int, int) -> std::uint32_t* { return nullptr; };
  EXPECT_EQ(DecodePngPicture(Png, Request, None), TDecodeStatus::dsNoMemory);
  EXPECT_EQ(DecodeJpegPicture(Jpeg, Request, None), TDecodeStatus::dsNoMemory);
}

// ---------------------------------------------------------------------------------------------
// Files

TEST(PictureFileTest, FormatsAreToldByTheirContentNotTheirName) {
  TTempDir Dir;
  TBitmap Bitmap;
  Bitmap.LoadFromFile(Dir.Write("looks-like.bmp", WriteJpeg(CellPicture(1, 1))));
  EXPECT_TRUE(Near(Bitmap.Pixel(8, 8), CellColours[0])) << std::hex << Bitmap.Pixel(8, 8);
  Bitmap.LoadFromFile(
      Dir.Write("looks-like.jpg", WritePng({1, 1, 2, 8, false, {1, 2, 3}, {}, {}})));
  EXPECT_EQ(Bitmap.Pixel(0, 0), PixelOf(1, 2, 3));
}

TEST(PictureFileTest, BytesOfNoPictureNameTheFileAndTheFormatsRead) {
  TTempDir Dir;
  TBitmap Bitmap;
  const std::string Path = Dir.Write("menu.bmp", "GIF89a not read here");
  try {
    Bitmap.LoadFromFile(Path);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& Error) {
    EXPECT_EQ(std::string(Error.what()),
              "Bitmap image is not valid.\n" + Path + ": not a BMP, PNG or JPEG picture");
  }
  EXPECT_EQ(Failure(""),
            "EInvalidGraphic: Bitmap image is not valid.\n/menu/picture: not a BMP, "
            "PNG or JPEG picture");
  EXPECT_EQ(Failure("BM"), "EInvalidGraphic: Bitmap image is not valid")
      << "a damaged bitmap file keeps the classic message alone";
}

TEST(PictureFileTest, PicturesServeAsIconsWithTheirAlpha) {
  TTempDir Dir;
  TIcon Icon;
  TPngPicture Png{2, 1, 6, 8, false, {10, 20, 30, 0, 40, 50, 60, 200}, {}, {}};
  Icon.LoadFromFile(Dir.Write("icon.png", WritePng(Png)));
  ASSERT_EQ(Icon.ImageCount(), 1);
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), 0x000A141Eu);
  EXPECT_EQ(Icon.Image(0).Pixel(1, 0), 0xC828323Cu);

  Icon.LoadFromFile(Dir.Write("icon.jpg", WriteJpeg(CellPicture(1, 1))));
  EXPECT_EQ(Icon.Image(0).Pixel(8, 8) >> 24, 0xFFu);
  EXPECT_TRUE(Near(Icon.Image(0).Pixel(8, 8) & 0xFFFFFF, CellColours[0]));

  TBitmap Bitmap(300, 150);
  Bitmap.SaveToFile(Dir.File("icon.bmp"));
  Icon.LoadFromFile(Dir.File("icon.bmp"));
  EXPECT_EQ(Icon.Image(0).Width, TIcon::MaxUsedSide) << "reduced as any large image";
  EXPECT_EQ(Icon.Image(0).Height, TIcon::MaxUsedSide / 2);
  EXPECT_EQ(Icon.Image(0).Pixel(0, 0), 0xFF000000u);

  const std::string Path = Dir.Write("icon.txt", "no icon");
  try {
    Icon.LoadFromFile(Path);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& Error) {
    EXPECT_EQ(std::string(Error.what()),
              "Icon image is not valid.\n" + Path + ": not an ICO, BMP, PNG or JPEG picture");
  }
  EXPECT_THROW(Icon.LoadFromFile(Dir.Write("cut.png", WritePng(Png).substr(0, 40))),
               EInvalidGraphic);
  EXPECT_EQ(Icon.Image(0).Width, TIcon::MaxUsedSide) << "a refused file leaves the icon";
}

}  // namespace
