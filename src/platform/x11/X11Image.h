// A window's client area on the display side: the back buffer's pixels converted to the visual's
// format and put to the window, through shared memory where the display allows it.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <functional>

// How a 0xAARRGGBB pixel becomes a pixel value of a TrueColor visual.
class TX11PixelFormat {
 public:
  explicit TX11PixelFormat(const Visual& TrueColorVisual);

  unsigned long Convert(std::uint32_t Pixel) const;
  // The visual's pixels are 0x00RRGGBB, so back-buffer rows need no conversion.
  bool Direct() const { return FDirect; }

 private:
  struct TChannel {
    int Shift = 0;
    int Bits = 0;
    unsigned long Value(std::uint32_t Byte) const;
  };
  TChannel FRed, FGreen, FBlue;
  bool FDirect = false;
};

// One image the size of a window's client area. Where the visual takes the back buffer's pixels
// as they are, rectangles are put straight from the back buffer and the image holds no pixels of
// its own: a menu puts its whole face once and button-sized rectangles after that, so a shared
// segment would cost as much memory as the face for little gain. Other visuals need the pixels
// converted into an image of their own, shared with the server where the extension allows.
class TX11Image {
 public:
  // Shared memory is tried only when the pixels need converting and TryShared then says yes
  // (asking may cost the display a round trip); Shared() tells whether it worked.
  TX11Image(Display* Dpy, Visual* ImageVisual, int ImageDepth, int Width, int Height,
            const std::function<bool()>& TryShared);
  ~TX11Image();
  TX11Image(const TX11Image&) = delete;
  TX11Image& operator=(const TX11Image&) = delete;

  // False when not even a plain image could be made (out of memory).
  bool Valid() const { return FImage != nullptr || FBorrows; }
  bool Shared() const { return FShared; }
  // Shared memory was tried and the display refused it.
  bool SharedRefused() const { return FTriedShared && !FShared; }
  // Copies a rectangle of a buffer of 0xAARRGGBB rows, Stride pixels apart, to the
  // same place in the image and puts it to Target. Pixels points at the buffer's top-left, and the
  // rectangle lies inside the image.
  void Put(Drawable Target, GC Gc, const std::uint32_t* Pixels, int Stride, int X, int Y, int Width,
           int Height);

 private:
  bool CreateShared(Visual* ImageVisual, int ImageDepth, int Width, int Height);
  void CreatePlain(Visual* ImageVisual, int ImageDepth, int Width, int Height);
  void Fill(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width, int Height);
  void PutBorrowed(Drawable Target, GC Gc, const std::uint32_t* Pixels, int Stride, int X, int Y,
                   int Width, int Height);

  Display* FDisplay;
  TX11PixelFormat FFormat;
  Visual* FVisual;
  int FDepth;
  XImage* FImage = nullptr;
  XShmSegmentInfo FSegment{};
  bool FShared = false;
  bool FTriedShared = false;
  bool FBorrows = false;  // rectangles are put from the caller's buffer
};
