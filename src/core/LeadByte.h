// Lead bytes of the double-byte code pages.
#pragma once

// True when Byte starts a two-byte character in the double-byte code page CodePage (932, 936,
// 949, 950); never in a single-byte code page.
constexpr bool IsLeadByte(unsigned char Byte, int CodePage) {
  switch (CodePage) {
    case 932:
      return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return Byte >= 0x81 && Byte <= 0xFE;
    default:
      return false;
  }
}
