// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // The folder's path, without a trailing "/".
  const std::string& Path() const { return FPath; }
  // Path of Name inside the folder.
  std::string File(std::string_view Name) const;
  // Writes Bytes to Name inside the folder (creating the folders on the way) and returns its path.
  std::string Write(std::string_view Name, std::string_view Bytes) const;
  // Creates the folder Name inside the folder and returns its path.
  std::string MakeDir(std::string_view Name) const;

 private:
  std::string FPath;
};

// Makes a folder the current directory for one test and returns to the old one afterwards.
class TScopedCurrentDir {
 public:
  explicit TScopedCurrentDir(const std::string& Path) : FOld(std::filesystem::current_path()) {
    std::filesystem::current_path(Path);
  }
  ~TScopedCurrentDir() { std::filesystem::current_path(FOld); }
  TScopedCurrentDir(const TScopedCurrentDir&) = delete;
  TScopedCurrentDir& operator=(const TScopedCurrentDir&) = delete;

 private:
  std::filesystem::path FOld;
};

// The whole contents of a file, or "" when it cannot be read.
std::string ReadAll(const std::string& FileName);
