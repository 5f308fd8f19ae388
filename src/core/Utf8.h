// The one UTF-8 encoder and decoder, shared by every layer down to the platform's own readers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Appends the UTF-8 form of a code point (at most U+10FFFF) to Out. Surrogate values get their
// three-byte form, which readers that must give back the bytes they were given rely on.
inline void AppendUtf8(std::string& Out, char32_t CodePoint) {
  if (CodePoint < 0x80) {
    Out += static_cast<char>(CodePoint);
  } else if (CodePoint < 0x800) {
    Out += static_cast<char>(0xC0 | (CodePoint >> 6));
    Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
  } else if (CodePoint < 0x10000) {
    Out += static_cast<char>(0xE0 | (CodePoint >> 12));
    Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (CodePoint >> 18));
    Out += static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
  }
}

// Whether a decoder takes the three-byte form of a surrogate value as a character. Texts that
// are rewritten byte for byte take them, so that a lone surrogate survives the round trip.
enum class TUtf8Surrogates { usReject, usAccept };

// One character read from UTF-8 text: its code point and the bytes it took.
struct TUtf8Char {
  char32_t Code;
  std::size_t Length;
  bool Valid;
};

// The character that starts at Text[At] (At < Text.size()). A malformed sequence (bad lead or
// continuation byte, cut short, overlong, past U+10FFFF, or a surrogate unless accepted) is
// U+FFFD for its first byte alone, so that the bytes after it may start a valid character.
TUtf8Char ReadUtf8(std::string_view Text, std::size_t At,
                   TUtf8Surrogates Surrogates = TUtf8Surrogates::usReject);

// True when Text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view Text);

// Code points of UTF-8 text; each malformed byte gives U+FFFD.
std::u32string Utf8ToUtf32(std::string_view Text);
