#include "model/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace brellic;

TEST(Format, Integers) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatIntMin(5, 2), "05");
    EXPECT_EQ(FormatIntMin(12, 2), "12");
    EXPECT_EQ(FormatIntMin(123, 2), "123");
    EXPECT_EQ(FormatIntMin(0, 2), "00");
    EXPECT_EQ(FormatIntMin(-5, 2), "-05");
    EXPECT_EQ(FormatInt(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

struct FixedCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatFixedTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, PointAndComma) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals, '.'), c.expected);
    std::string comma = c.expected;
    for (char& ch : comma)
        if (ch == '.')
            ch = ',';
    EXPECT_EQ(FormatFixed(c.value, c.decimals, ','), comma);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFixedTest,
    testing::Values(
        // Ties round away from zero: 41.125 is exact in binary.
        FixedCase{41.125, 2, "41.13"}, FixedCase{-41.125, 2, "-41.13"}, FixedCase{0.125, 2, "0.13"},
        FixedCase{2.5, 0, "3"}, FixedCase{0.0005, 3, "0.001"},
        // 0.0195 is 0.01949999999999999998...: its first 18 digits reach the
        // tie, so it rounds up where the exact binary value would round down.
        FixedCase{0.0195, 3, "0.020"}, FixedCase{0.1245, 3, "0.125"},
        // 1.005 is 1.00499999999999989...: still below the tie at 18 digits.
        FixedCase{1.005, 2, "1.00"}, FixedCase{0.045, 2, "0.04"},
        // ...but a value whose first 18 digits are below the tie rounds down.
        FixedCase{0.17499999999999999, 2, "0.17"}, FixedCase{0.0, 2, "0.00"},
        FixedCase{-0.0, 3, "0.000"}, FixedCase{-0.0001, 3, "0.000"}, FixedCase{0.05, 3, "0.050"},
        FixedCase{1.25, 2, "1.25"}, FixedCase{0.88, 2, "0.88"}, FixedCase{9.9999, 3, "10.000"},
        FixedCase{99.995, 2, "100.00"}, FixedCase{1234567.891, 2, "1234567.89"},
        FixedCase{-3.5, 2, "-3.50"}, FixedCase{1e20, 2, "100000000000000000000.00"},
        FixedCase{5e-324, 3, "0.000"}, FixedCase{0.0004999, 3, "0.000"}));

TEST(Format, SpecialValuesAndLargeNumbers) {
    // A figure that cannot be computed is never shown as a number.
    for (const double special : {std::nan(""), -std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_EQ(FormatFixed(special, 2, '.'), "Undefined") << special;
    const std::string max = FormatFixed(std::numeric_limits<double>::max(), 3, '.');
    EXPECT_EQ(max.substr(0, 18), "179769313486231571");
    EXPECT_EQ(max.size(), 309u + 4u);
}

TEST(Format, PadRightNeverCuts) {
    EXPECT_EQ(PadRight("Door contact", 25), "Door contact             ");
    EXPECT_EQ(PadRight("", 3), "   ");
    EXPECT_EQ(PadRight("a description that is longer", 25), "a description that is longer");
}

// The sign is decided on the number; it must agree with the digits shown,
// also for the doubles on either side of each rounding threshold.
TEST(Format, ShowsMinusAgreesWithTheDigits) {
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const double half = 0.5 / std::pow(10.0, decimals);
        for (const double start : {half, half * 3, half / 7, 1.0 / 3, 1e-300, 1e300}) {
            double value = start;
            for (int i = 0; i < 4; ++i)
                value = std::nextafter(value, 0.0);
            for (int i = 0; i < 9; ++i, value = std::nextafter(value, 2 * start + 1)) {
                for (const double signed_ : {value, -value}) {
                    EXPECT_EQ(ShowsMinus(signed_, decimals),
                              FormatFixed(signed_, decimals, '.').starts_with('-'))
                        << signed_ << " at " << decimals;
                }
            }
        }
    }
    EXPECT_FALSE(ShowsMinus(-0.0, 3));
    EXPECT_FALSE(ShowsMinus(-std::numeric_limits<double>::infinity(), 3));
    EXPECT_FALSE(ShowsMinus(std::nan(""), 3));
    EXPECT_TRUE(ShowsMinus(-0.0005, 3));
    EXPECT_FALSE(ShowsMinus(-0.0004999, 3));
}
