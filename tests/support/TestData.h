// Input files that the tests read as they are, kept in tests/data/ of the source tree.
#pragma once

#include <string>
#include <string_view>

// The path of Name, such as "menu/every-key.ini", under the test data folder.
std::string TestDataPath(std::string_view Name);
// The bytes of that file; raises std::runtime_error when it cannot be read, so that a missing
// file fails the test instead of passing as an empty input.
std::string TestData(std::string_view Name);
