// The main function of the suites of the layers without a display: a headless driver without a
// host gives them the files, the registry and the locale, and nothing that draws.
#include <gtest/gtest.h>

#include "platform/headless/HeadlessDriver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  THeadlessDriver Platform;
  return RUN_ALL_TESTS();
}
