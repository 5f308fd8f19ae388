// The shortest decimal texts of doubles and their reading: the texts settings files hold.
#include "settings/DecimalText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

struct TWritten {
  double Value;
  const char* Text;
};

class ShortestDecimalTextTest : public testing::TestWithParam<TWritten> {};

TEST_P(ShortestDecimalTextTest, WritesTheShortestTextThatReadsBack) {
  EXPECT_EQ(ShortestDecimalText(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    PlainAndScientific, ShortestDecimalTextTest,
    testing::Values(TWritten{0.0, "0"}, TWritten{-0.0, "-0"}, TWritten{1.0, "1"},
                    TWritten{-1.5, "-1.5"}, TWritten{0.1, "0.1"}, TWritten{0.3, "0.3"},
                    TWritten{1.0 / 3, "0.3333333333333333"},
                    TWritten{2.0 / 3 * 1e-5, "6.666666666666667e-06"}, TWritten{0.001, "0.001"},
                    TWritten{1e-4, "1e-04"}, TWritten{1e-5, "1e-05"}, TWritten{1500.0, "1500"},
                    TWritten{45000.5, "45000.5"}, TWritten{123456.0, "123456"},
                    TWritten{1e15, "1e+15"}, TWritten{1e21, "1e+21"}, TWritten{1e23, "1e+23"},
                    TWritten{-2958465.9999884259, "-2958465.999988426"},
                    TWritten{44927.000011574074, "44927.00001157408"}));

// Plain whole numbers show their exact digits, which are as many as the shortest ones padded.
INSTANTIATE_TEST_SUITE_P(WholeNumbers, ShortestDecimalTextTest,
                         testing::Values(TWritten{123456789012345680000.0, "123456789012345683968"},
                                         TWritten{9007199254740993.0, "9007199254740992"},
                                         TWritten{9223372036854775808.0, "9223372036854775808"}));

INSTANTIATE_TEST_SUITE_P(
    Limits, ShortestDecimalTextTest,
    testing::Values(TWritten{std::numeric_limits<double>::denorm_min(), "5e-324"},
                    TWritten{std::numeric_limits<double>::min(), "2.2250738585072014e-308"},
                    TWritten{std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
                    TWritten{std::numeric_limits<double>::infinity(), "inf"},
                    TWritten{-std::numeric_limits<double>::infinity(), "-inf"},
                    TWritten{std::numeric_limits<double>::quiet_NaN(), "nan"},
                    TWritten{-std::numeric_limits<double>::quiet_NaN(), "-nan"}));

// Powers of two whose correctly rounded shortest digits read back as a neighbour: the digit
// string above them does not.
INSTANTIATE_TEST_SUITE_P(PowersOfTwo, ShortestDecimalTextTest,
                         testing::Values(TWritten{std::ldexp(1.0, -1017), "7.120236347223045e-307"},
                                         TWritten{std::ldexp(1.0, -1007), "7.291122019556398e-304"},
                                         TWritten{std::ldexp(1.0, 63), "9223372036854775808"}));

struct TRead {
  const char* Text;
  std::optional<double> Value;
};

class DecimalTextToDoubleTest : public testing::TestWithParam<TRead> {};

TEST_P(DecimalTextToDoubleTest, ReadsTheWholeTextOrNothing) {
  std::optional<double> Value = DecimalTextToDouble(GetParam().Text);
  ASSERT_EQ(Value.has_value(), GetParam().Value.has_value()) << "text: '" << GetParam().Text << "'";
  if (Value) {
    EXPECT_EQ(*Value, *GetParam().Value) << "text: '" << GetParam().Text << "'";
    EXPECT_EQ(std::signbit(*Value), std::signbit(*GetParam().Value));
  }
}

constexpr std::optional<double> Refused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Forms, DecimalTextToDoubleTest,
    testing::Values(TRead{"0", 0.0}, TRead{"-0", -0.0}, TRead{"1.", 1.0}, TRead{".5", 0.5},
                    TRead{"-.5", -0.5}, TRead{"00012.5000", 12.5}, TRead{"1E5", 1e5},
                    TRead{"1e+05", 1e5}, TRead{"1.e5", 1e5}, TRead{"-0.0e-0", -0.0},
                    TRead{"0.1", 0.1}, TRead{"0e999999999999", 0.0},
                    TRead{"0.0000000000000000000000000000000000000000000000000001e300", 1e248}));

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, DecimalTextToDoubleTest,
    testing::Values(TRead{"", Refused}, TRead{"-", Refused}, TRead{".", Refused},
                    TRead{"+1", Refused}, TRead{"--1", Refused}, TRead{"1e", Refused},
                    TRead{"1e+", Refused}, TRead{"1e-", Refused}, TRead{"1e--5", Refused},
                    TRead{"1..2", Refused}, TRead{"1,5", Refused}, TRead{" 1", Refused},
                    TRead{"1 ", Refused}, TRead{"1e5x", Refused}, TRead{"0x10", Refused},
                    TRead{"inf", Refused}, TRead{"-inf", Refused}, TRead{"nan", Refused},
                    TRead{"infinity", Refused}));

// Beyond the largest double, or so small that only zero would be left, is refused; the
// smallest subnormal and everything rounding to it is read.
INSTANTIATE_TEST_SUITE_P(
    Range, DecimalTextToDoubleTest,
    testing::Values(TRead{"1e400", Refused}, TRead{"-1e400", Refused},
                    TRead{"1.7976931348623159e308", Refused},
                    TRead{"1.7976931348623158e308", std::numeric_limits<double>::max()},
                    TRead{"1e-400", Refused}, TRead{"-1e-400", Refused},
                    TRead{"2.4703282292062327e-324", Refused},
                    TRead{"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
                    TRead{"1e-320", 1e-320}, TRead{"1e99999999999999999999", Refused},
                    TRead{"1e-99999999999999999999", Refused}));

// Doubles at the edges of the range, of subnormals, of exact integers and of the scientific
// notation, and fractions with no short binary form; the fuzz target tries any bit pattern.
std::vector<double> SampleDoubles() {
  const std::vector<double> Positive = {std::numeric_limits<double>::denorm_min(),
                                        2.2250738585072009e-308,
                                        std::numeric_limits<double>::min(),
                                        1.5e-200,
                                        5e-5,
                                        0.1,
                                        1.0 / 3,
                                        2.0 / 3,
                                        1.0,
                                        123456.789,
                                        9007199254740992.0,
                                        9007199254740994.0,
                                        1e21,
                                        1e22,
                                        1e23,
                                        std::numeric_limits<double>::max()};
  std::vector<double> Values;
  for (double Value : Positive) {
    Values.push_back(Value);
    Values.push_back(-Value);
  }
  return Values;
}

bool SameBits(double Left, double Right) {
  return std::memcmp(&Left, &Right, sizeof Left) == 0;
}

TEST(DecimalTextRoundTrip, EveryWrittenTextReadsBackToTheSameDouble) {
  for (double Value : SampleDoubles()) {
    std::string Text = ShortestDecimalText(Value);
    std::optional<double> Read = DecimalTextToDouble(Text);
    ASSERT_TRUE(Read && SameBits(*Read, Value)) << Text;
  }
}

#if defined(__cpp_lib_to_chars)
// Where the C++ library converts doubles itself, its texts are the reference.
TEST(DecimalTextRoundTrip, WritesWhatTheLibraryWrites) {
  for (double Value : SampleDoubles()) {
    char Buffer[400];
    std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
    ASSERT_EQ(ShortestDecimalText(Value), std::string(Buffer, Result.ptr));
  }
}
#endif

}  // namespace
