// A window's client area on the display side, put through shared memory or the connection.
#include "platform/x11/X11Image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>
#include <cstring>

namespace {

// Set by the error handler that stands in while a shared segment is attached: the server
// refuses segments of another machine or another user without the connection being at fault.
bool AttachRefused = false;

int CatchAttachError(Display*, XErrorEvent*) {
  AttachRefused = true;
  return 0;
}

int HostByteOrder() {
  return std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
}

// The bits per pixel of the display's images of a depth.
int BitsPerPixel(Display* Dpy, int Depth) {
  int Count = 0;
  XPixmapFormatValues* Formats = XListPixmapFormats(Dpy, &Count);
  int Bits = 0;
  for (int I = 0; I < Count; ++I)
    if (Formats[I].depth == Depth) Bits = Formats[I].bits_per_pixel;
  if (Formats) XFree(Formats);
  return Bits;
}

}  // namespace

TX11PixelFormat::TX11PixelFormat(const Visual& TrueColorVisual) {
  const auto ChannelOf = [](unsigned long ChannelMask) {
    TChannel Channel;
    if (ChannelMask != 0) {
      Channel.Shift = std::countr_zero(ChannelMask);
      Channel.Bits = std::popcount(ChannelMask);
    }
    return Channel;
  };
  FRed = ChannelOf(TrueColorVisual.red_mask);
  FGreen = ChannelOf(TrueColorVisual.green_mask);
  FBlue = ChannelOf(TrueColorVisual.blue_mask);
  FDirect = TrueColorVisual.red_mask == 0xFF0000 && TrueColorVisual.green_mask == 0xFF00 &&
            TrueColorVisual.blue_mask == 0xFF;
}

unsigned long TX11PixelFormat::TChannel::Value(std::uint32_t Byte) const {
  // Wider channels repeat the top bits so that full intensity stays full.
  unsigned long Scaled = 0;
  if (Bits <= 8)
    Scaled = Byte >> (8 - Bits);
  else
    Scaled = (static_cast<unsigned long>(Byte) << (Bits - 8)) | (Byte >> (16 - Bits));
  return Scaled << Shift;
}

unsigned long TX11PixelFormat::Convert(std::uint32_t Pixel) const {
  return FRed.Value((Pixel >> 16) & 0xFF) | FGreen.Value((Pixel >> 8) & 0xFF) |
         FBlue.Value(Pixel & 0xFF);
}

TX11Image::TX11Image(Display* Dpy, Visual* ImageVisual, int ImageDepth, int Width, int Height,
                     const std::function<bool()>& TryShared)
    : FDisplay(Dpy), FFormat(*ImageVisual), FVisual(ImageVisual), FDepth(ImageDepth) {
  if (FFormat.Direct() && ImageDepth == 24 && BitsPerPixel(Dpy, ImageDepth) == 32 &&
      ImageByteOrder(Dpy) == HostByteOrder()) {
    FBorrows = true;
    return;
  }
  FTriedShared = TryShared();
  if (!FTriedShared || !CreateShared(ImageVisual, ImageDepth, Width, Height))
    CreatePlain(ImageVisual, ImageDepth, Width, Height);
}

TX11Image::~TX11Image() {
  if (!FImage) return;
  if (FShared) {
    XShmDetach(FDisplay, &FSegment);
    FImage->data = nullptr;
    XDestroyImage(FImage);
    shmdt(FSegment.shmaddr);
  } else {
    XDestroyImage(FImage);
  }
}

bool TX11Image::CreateShared(Visual* ImageVisual, int ImageDepth, int Width, int Height) {
  XImage* Image =
      XShmCreateImage(FDisplay, ImageVisual, static_cast<unsigned>(ImageDepth), ZPixmap, nullptr,
                      &FSegment, static_cast<unsigned>(Width), static_cast<unsigned>(Height));
  if (!Image) return false;
  const std::size_t Bytes = static_cast<std::size_t>(Image->bytes_per_line) * Height;
  FSegment.shmid = shmget(IPC_PRIVATE, Bytes, IPC_CREAT | 0600);
  if (FSegment.shmid < 0) {
    XDestroyImage(Image);
    return false;
  }
  void* Address = shmat(FSegment.shmid, nullptr, 0);
  if (Address == reinterpret_cast<void*>(-1)) {
    shmctl(FSegment.shmid, IPC_RMID, nullptr);
    XDestroyImage(Image);
    return false;
  }
  FSegment.shmaddr = static_cast<char*>(Address);
  FSegment.readOnly = False;
  Image->data = FSegment.shmaddr;

  // Errors of earlier requests belong to the usual handler, not to this attach.
  XSync(FDisplay, False);
  AttachRefused = false;
  const XErrorHandler Previous = XSetErrorHandler(CatchAttachError);
  const bool Attached = XShmAttach(FDisplay, &FSegment) != 0;
  XSync(FDisplay, False);
  XSetErrorHandler(Previous);
  // Marked for removal now, the segment goes away by itself once both sides have let go,
  // even when this process dies.
  shmctl(FSegment.shmid, IPC_RMID, nullptr);
  if (!Attached || AttachRefused) {
    Image->data = nullptr;
    XDestroyImage(Image);
    shmdt(FSegment.shmaddr);
    return false;
  }
  FImage = Image;
  FShared = true;
  return true;
}

void TX11Image::CreatePlain(Visual* ImageVisual, int ImageDepth, int Width, int Height) {
  XImage* Image =
      XCreateImage(FDisplay, ImageVisual, static_cast<unsigned>(ImageDepth), ZPixmap, 0, nullptr,
                   static_cast<unsigned>(Width), static_cast<unsigned>(Height), 32, 0);
  if (!Image) return;
  Image->data =
      static_cast<char*>(std::calloc(static_cast<std::size_t>(Image->bytes_per_line), Height));
  if (!Image->data) {
    XDestroyImage(Image);
    return;
  }
  FImage = Image;
}

void TX11Image::Fill(const std::uint32_t* Pixels, int Stride, int X, int Y, int Width, int Height) {
  const bool CopyRows =
      FFormat.Direct() && FImage->bits_per_pixel == 32 && FImage->byte_order == HostByteOrder();
  for (int Row = Y; Row < Y + Height; ++Row) {
    const std::uint32_t* Source = Pixels + static_cast<std::ptrdiff_t>(Row) * Stride + X;
    if (CopyRows) {
      char* Target = FImage->data + static_cast<std::ptrdiff_t>(Row) * FImage->bytes_per_line +
                     static_cast<std::ptrdiff_t>(X) * 4;
      std::memcpy(Target, Source, static_cast<std::size_t>(Width) * 4);
    } else {
      for (int Col = 0; Col < Width; ++Col)
        XPutPixel(FImage, X + Col, Row, FFormat.Convert(Source[Col]));
    }
  }
}

void TX11Image::PutBorrowed(Drawable Target, GC Gc, const std::uint32_t* Pixels, int Stride, int X,
                            int Y, int Width, int Height) {
  XImage* Image = XCreateImage(FDisplay, FVisual, static_cast<unsigned>(FDepth), ZPixmap, 0,
                               nullptr, static_cast<unsigned>(Stride),
                               static_cast<unsigned>(Y + Height), 32, Stride * 4);
  if (!Image) return;
  // Xlib only reads the rows while the request is written out, before XPutImage returns.
  Image->data = const_cast<char*>(reinterpret_cast<const char*>(Pixels));
  XPutImage(FDisplay, Target, Gc, Image, X, Y, X, Y, static_cast<unsigned>(Width),
            static_cast<unsigned>(Height));
  Image->data = nullptr;
  XDestroyImage(Image);
  XFlush(FDisplay);
}

void TX11Image::Put(Drawable Target, GC Gc, const std::uint32_t* Pixels, int Stride, int X, int Y,
                    int Width, int Height) {
  if (FBorrows) {
    PutBorrowed(Target, Gc, Pixels, Stride, X, Y, Width, Height);
    return;
  }
  Fill(Pixels, Stride, X, Y, Width, Height);
  const auto W = static_cast<unsigned>(Width), H = static_cast<unsigned>(Height);
  if (FShared) {
    XShmPutImage(FDisplay, Target, Gc, FImage, X, Y, X, Y, W, H, False);
    // The server reads the segment after this returns; the next fill must not overwrite the
    // rows before it has.
    XSync(FDisplay, False);
  } else {
    XPutImage(FDisplay, Target, Gc, FImage, X, Y, X, Y, W, H);
    XFlush(FDisplay);
  }
}
