// File-name routines that work on menu paths: "\" and ":" separate folders on every platform,
// and "/" also on POSIX.
#pragma once

#include <string>

// The separator the platform writes between folders. Paths from menu files may use "\"
// on every platform; the file services accept both.
#ifdef _WIN32
inline constexpr char PathDelim = '\\';
#else
inline constexpr char PathDelim = '/';
#endif

// Everything up to and including the last folder separator or ":"; empty when there is none.
// The second byte of a double-byte character of CodePage is never taken for a separator.
std::string ExtractFilePath(const std::string& FileName, int CodePage);

// The folder with exactly the separator it needs at the end: empty stays empty, a text ending in
// a separator or ":" stays as it is, a single drive letter gains ":" and the separator, any other
// text gains the separator.
std::string NormalDir(const std::string& DirName, int CodePage);
