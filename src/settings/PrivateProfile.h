// The private-profile service: reads and edits INI-style files the way the classic system call
// does, keeping one parsed index per file for as long as the file stays unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What a reader asks for is "the value of this key in this section, or the default". The
// service parses a file once and answers from that index while the file's stamp (size,
// modification time, identity) is unchanged, so that reading thousands of keys costs one
// parse; a file changed on disk is read anew on the next call.
class TPrivateProfile {
 public:
  // The largest file read; bytes after it are not seen. Menus are a few kilobytes, one of the
  // most entries about 3 MB; the index of a file of short lines takes some fifteen times its
  // size, so this also keeps a damaged file to about a second and 130 MB.
  static constexpr std::size_t MaxFileSize = 8u << 20;
  // The buffer size of the classic call as the menu uses it: values come back cut to one
  // character less.
  static constexpr std::size_t DefaultBufferSize = 2048;

  // While it lives, every read of the file answers from the one parse taken when it was made,
  // whatever happens to the file meanwhile: a reader that asks for many values sees them all
  // from one version of the file, and looks at the file once. Holds of one file may nest.
  class THold {
   public:
    explicit THold(std::string FileName);
    ~THold();
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;

   private:
    std::string FFileName;
  };

  // The value of Key in Section, else Default without its trailing spaces; at most
  // BufferSize - 1 bytes either way (nothing when BufferSize is 0), cut at the end of a whole
  // character when the text is UTF-8. Lone surrogates of a UTF-16 file come back as U+FFFD.
  static std::string ReadString(const std::string& FileName, const std::string& Section,
                                const std::string& Key, const std::string& Default,
                                std::size_t BufferSize = DefaultBufferSize);

  // Names of the sections, in file order, each once (the first spelling).
  static std::vector<std::string> ReadSectionNames(const std::string& FileName);
  // Names of the keys of the first section of that name, in file order, each once.
  static std::vector<std::string> ReadKeyNames(const std::string& FileName,
                                               const std::string& Section);

  // Sets Key in Section to Value, adding the key or the section where missing. False when the
  // file cannot be written, or when a name or the value would break the file's lines.
  static bool WriteString(const std::string& FileName, const std::string& Section,
                          const std::string& Key, const std::string& Value);
  // Removes the key's line. True also when there was no such key.
  static bool DeleteKey(const std::string& FileName, const std::string& Section,
                        const std::string& Key);
  // Removes the section's header and every line up to the next section. True also when there
  // was no such section.
  static bool EraseSection(const std::string& FileName, const std::string& Section);

  // Drops every parsed index (tests and benchmarks use it to measure a first read).
  static void ForgetAll();
  // How many times file contents have been parsed since the program started; tests and
  // benchmarks use it to tell an answer from the cache from a fresh parse.
  static std::size_t ParseCount();
};
