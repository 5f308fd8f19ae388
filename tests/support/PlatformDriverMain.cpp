// The main function of the suites that run on the platform's own driver.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Current for the whole run, so that the fonts each test asks for are realised once.
  const std::unique_ptr<TDriver> Platform = CreateDriver();
  return RUN_ALL_TESTS();
}
