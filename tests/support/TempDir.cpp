// A fresh folder for one test, removed with everything in it when the test ends.
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <cstdlib>

TTempDir::TTempDir() {
  std::string Pattern = (std::filesystem::temp_directory_path() / "ostrel-test-XXXXXX").string();
  std::vector<char> Buffer(Pattern.begin(), Pattern.end());
  Buffer.push_back('\0');
  if (::mkdtemp(Buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  FPath = Buffer.data();
}

TTempDir::~TTempDir() {
  std::error_code Ignored;
  // A test may have taken read or search permission away from something inside.
  for (auto It = std::filesystem::recursive_directory_iterator(FPath, Ignored);
       It != std::filesystem::recursive_directory_iterator(); It.increment(Ignored))
    std::filesystem::permissions(It->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Ignored);
  std::filesystem::remove_all(FPath, Ignored);
}

std::string TTempDir::File(std::string_view Name) const {
  return FPath + "/" + std::string(Name);
}

std::string TTempDir::Write(std::string_view Name, std::string_view Bytes) const {
  std::filesystem::path Target = File(Name);
  std::filesystem::create_directories(Target.parent_path());
  std::ofstream Out(Target, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  if (!Out) throw std::runtime_error("cannot write " + Target.string());
  return Target.string();
}

std::string TTempDir::MakeDir(std::string_view Name) const {
  std::filesystem::create_directories(File(Name));
  return File(Name);
}

std::string ReadAll(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}
