// File-name routines. Menu paths: "\" and ":" separate folders on every platform, and "/" also
// on POSIX. Names the system gives (the program's own, a folder argument) follow the system's
// rules.
#pragma once

#include <string>

// Everything up to and including the last folder separator or ":"; empty when there is none.
// The second byte of a double-byte character of CodePage is never taken for a separator.
std::string ExtractFilePath(const std::string& FileName, int CodePage);
// The same for a name the system gave: in the system's code page on Windows; on POSIX up to the
// last "/", the only separator of its names.
std::string ExtractFilePath(const std::string& FileName);

// The folder with exactly the separator it needs at the end: empty stays empty, a text ending in
// a separator or ":" stays as it is, a single drive letter gains ":" and the separator, any other
// text gains the separator.
std::string NormalDir(const std::string& DirName, int CodePage);
// The same for a folder the system named; on POSIX only "/" is added, when missing.
std::string NormalDir(const std::string& DirName);
