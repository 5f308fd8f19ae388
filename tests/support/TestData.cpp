// Input files that the tests read as they are, from the folder the build names.
#include "support/TestData.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::string TestDataPath(std::string_view Name) {
  return std::string(OSTREL_TEST_DATA_DIR) + "/" + std::string(Name);
}

std::string TestData(std::string_view Name) {
  const std::string Path = TestDataPath(Name);
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error("cannot read test data " + Path);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}
