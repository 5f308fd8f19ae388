// The integer text rule: decimal and hexadecimal forms, exact 32-bit limits, the error message.
#include "settings/IntegerText.h"

#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

struct TCase {
  const char* Text;
  std::optional<std::int32_t> Value;
};

class IntegerTextTest : public testing::TestWithParam<TCase> {};

TEST_P(IntegerTextTest, ParsesOrRefuses) {
  const TCase& Case = GetParam();
  EXPECT_EQ(ParseInteger(Case.Text), Case.Value) << "text: '" << Case.Text << "'";
  EXPECT_EQ(TextToIntDef(Case.Text, 77), Case.Value.value_or(77));
}

constexpr std::optional<std::int32_t> Invalid = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Decimal, IntegerTextTest,
    testing::Values(TCase{"0", 0}, TCase{"012", 12}, TCase{"+5", 5}, TCase{"-5", -5},
                    TCase{"   42", 42}, TCase{"2147483647", 2147483647},
                    TCase{"-2147483648", -2147483647 - 1}, TCase{"2147483648", Invalid},
                    TCase{"-2147483649", Invalid}, TCase{"99999999999", Invalid},
                    TCase{"0000000000002147483647", 2147483647}, TCase{"", Invalid},
                    TCase{" ", Invalid}, TCase{"-", Invalid}, TCase{"+", Invalid},
                    TCase{"12a", Invalid}, TCase{"1 2", Invalid}, TCase{"12 ", Invalid},
                    TCase{"\t12", Invalid}, TCase{"--1", Invalid}, TCase{"1.5", Invalid}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IntegerTextTest,
    testing::Values(TCase{"$10", 16}, TCase{"x10", 16}, TCase{"X10", 16}, TCase{"0x10", 16},
                    TCase{"0X10", 16}, TCase{"$ff", 255}, TCase{"0x1", 1}, TCase{"$FFFFFFFF", -1},
                    TCase{"$80000000", -2147483647 - 1}, TCase{"$7FFFFFFF", 2147483647},
                    TCase{"$000000001", 1}, TCase{"$0000000000FFFFFFFF", -1},
                    TCase{"$100000000", Invalid}, TCase{"$", Invalid}, TCase{"0x", Invalid},
                    TCase{"x", Invalid}, TCase{"+$10", Invalid}, TCase{"-0x10", Invalid},
                    TCase{"-$10", Invalid}, TCase{"$1G", Invalid}, TCase{"0x 1", Invalid},
                    TCase{"  $A", 10}));

TEST(TextToIntTest, RaisesWithTheTextInTheMessage) {
  EXPECT_EQ(TextToInt("$10"), 16);
  try {
    TextToInt("12a");
    FAIL() << "no exception";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "'12a' is not a valid integer value");
  }
  EXPECT_THROW(TextToInt(""), EConvertError);
}

}  // namespace
