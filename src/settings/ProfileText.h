// The parsed form of one INI-style file's bytes: an index of its sections and keys, and edits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Holds a file's text and, built in one pass over it, an index of its sections and keys that
// points into that text. Section and key names match without regard to ASCII letter case; only
// the first section of a name counts, and within it the first key of a name. The edits return
// the bytes of the whole file with one change made and every other line exactly as it was, in
// the file's own encoding and line ending.
//
// A file that starts with the UTF-16LE byte-order mark is converted to UTF-8 for the index and
// written back as UTF-16LE; a UTF-8 byte-order mark is skipped and kept; anything else is taken
// byte for byte. Names and values given to and returned by this class are in the same form as
// the index: UTF-8 for a UTF-16LE file, the file's own bytes otherwise.
class TProfileText {
 public:
  // One section header or key line as written, for tools that point authors at lines.
  struct TLine {
    int Number = 0;  // from 1
    bool Header = false;
    std::string Section;  // the header's name, or the section the key stands in
    std::string Key;      // empty for a header
    std::string Value;    // as a lookup returns it: blanks and one pair of quotes removed
  };

  // Text past this size, after conversion, is not seen (and an edit would not keep it). The
  // files read through the profile service are far smaller.
  static constexpr std::size_t MaxTextSize = std::size_t{1} << 30;

  explicit TProfileText(std::string Bytes);

  // The value of Key in Section, or nothing when either is missing. Points into this object.
  std::optional<std::string_view> Value(std::string_view Section, std::string_view Key) const;
  // Every header and key line of Bytes in file order, later duplicates included, read as the
  // constructor reads them. Lines before the first header and lines without "=" are no keys.
  static std::vector<TLine> Lines(std::string Bytes);

  // Names of the sections in file order, each once, as first spelt.
  std::vector<std::string_view> SectionNames() const;
  // Names of the keys of Section in file order, each once, as first spelt.
  std::vector<std::string_view> KeyNames(std::string_view Section) const;
  // True for a UTF-16LE file, whose lone surrogates the text keeps in their three-byte form.
  bool FromUtf16() const { return FEncoding == TEncoding::enUtf16; }

  // True when Key=NewValue can be written to Section so that it reads back under the same names
  // and leaves the other lines alone: no line break or NUL anywhere, no empty name, no blanks
  // around a name, no "]" in the section name, no "=" in the key and no key starting with "["
  // or ";".
  static bool Writable(std::string_view Section, std::string_view Key, std::string_view NewValue);

  // The file with Key of Section set to Value: the key's line replaced, or a new line after the
  // last non-blank line of the section, or the section and key added at the end. The names and
  // the value go in as given: check them with Writable first.
  std::string WithValue(std::string_view Section, std::string_view Key,
                        std::string_view NewValue) const;
  // The file without the key's line, or nothing when there is no such key.
  std::optional<std::string> WithoutKey(std::string_view Section, std::string_view Key) const;
  // The file without the section's header and every line up to the next header, or nothing
  // when there is no such section.
  std::optional<std::string> WithoutSection(std::string_view Section) const;

 private:
  // Offsets into FText; MaxTextSize keeps them in range, and they keep the index small.
  using TOffset = std::uint32_t;

  enum class TEncoding { enBytes, enUtf8Mark, enUtf16 };

  struct TSpan {
    TOffset Begin = 0;
    TOffset Length = 0;
  };

  // One key line: where its name and value are, and where its line starts, where its text
  // ends before the line break, and where the next line starts.
  struct TKey {
    TSpan Name;
    TSpan Value;
    TOffset LineBegin = 0;
    TOffset TextEnd = 0;
    TOffset LineNext = 0;
  };

  // One header and the lines up to the next header. The keys are FKeys[FirstKey, KeyEnd); after
  // indexing, sorted by name with the later duplicates removed.
  struct TSection {
    TSpan Name;
    TOffset HeaderBegin = 0;
    TOffset End = 0;
    TOffset LastTextEnd = 0;
    TOffset LastNext = 0;
    TOffset FirstKey = 0;
    TOffset KeyEnd = 0;
    bool First = false;
  };

  struct TUnindexed {};
  TProfileText(std::string Bytes, TUnindexed);

  void Decode(std::string Bytes);
  void Parse();
  void Index();
  std::string_view Text(TSpan Span) const {
    return std::string_view(FText).substr(Span.Begin, Span.Length);
  }
  const TSection* FindSection(std::string_view Name) const;
  const TKey* FindKey(const TSection& Section, std::string_view Name) const;
  std::string_view LineBreak() const;
  std::string Spliced(std::size_t Begin, std::size_t End, std::string_view Insert) const;

  std::string FText;
  TEncoding FEncoding = TEncoding::enBytes;
  // Every header in file order, duplicates included (they end the section before them).
  std::vector<TSection> FSections;
  std::vector<TKey> FKeys;
  // Indices into FSections of the first section of each name, sorted by name.
  std::vector<TOffset> FSectionOrder;
};
