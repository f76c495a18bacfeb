#include "editor/DecimalEntry.h"

#include <gtest/gtest.h>

using namespace brellic;

namespace {

constexpr int kDecimals = 3;
constexpr double kMaximum = 9.999;

struct Typed {
    const char* text;
    char separator;
    EntryState state;
    double value; // when Acceptable
};

// The rows a user of a comma locale and of a point locale may type.
const Typed kCases[] = {
    {"0.03", ',', EntryState::Acceptable, 0.03},
    {"0,03", ',', EntryState::Acceptable, 0.03},
    {"0.03", '.', EntryState::Acceptable, 0.03},
    {" 2,5 ", ',', EntryState::Acceptable, 2.5},
    {",025", ',', EntryState::Acceptable, 0.025},
    {"7.", ',', EntryState::Acceptable, 7.0},
    {"9,999", ',', EntryState::Acceptable, 9.999},
    {"0009.999", '.', EntryState::Acceptable, 9.999},
    // Never a group separator: "1.000" is one ampere in every locale.
    {"1.000", ',', EntryState::Acceptable, 1.0},
    {"1,000", ',', EntryState::Acceptable, 1.0},
    // A comma typed under a point locale is the decimal separator too, never
    // dropped: "0,03" was once taken as 3 A.
    {"1,000", '.', EntryState::Acceptable, 1.0},
    {"0,03", '.', EntryState::Acceptable, 0.03},
    {"1.000,5", '.', EntryState::Invalid, 0},
    {"1.000,5", ',', EntryState::Invalid, 0},
    {"0,0,3", ',', EntryState::Invalid, 0},
    {"0.0255", ',', EntryState::Invalid, 0}, // more decimals than the field shows
    {"10", ',', EntryState::Invalid, 0},
    {"9.9991", '.', EntryState::Invalid, 0},
    {"-0.1", '.', EntryState::Invalid, 0},
    {"+1", '.', EntryState::Invalid, 0},
    {"1e-3", '.', EntryState::Invalid, 0},
    {"0x1", '.', EntryState::Invalid, 0},
    {"1 000", '.', EntryState::Invalid, 0},
    {"", ',', EntryState::Intermediate, 0},
    {"  ", ',', EntryState::Intermediate, 0},
    {",", ',', EntryState::Intermediate, 0},
    {".", ',', EntryState::Intermediate, 0},
};

TEST(DecimalEntry, PointAndCommaBothMeanTheDecimalSeparatorInEveryLocale) {
    for (const Typed& c : kCases) {
        const DecimalEntry read = ReadDecimalEntry(c.text, c.separator, kDecimals, kMaximum);
        const std::string where = std::string("\"") + c.text + "\" with '" + c.separator + "'";
        EXPECT_EQ(read.State, c.state) << where;
        // The value is the double nearest to what was typed, bit for bit the
        // one the same digits give anywhere else in the program.
        if (c.state == EntryState::Acceptable) {
            EXPECT_EQ(read.Value, c.value) << where;
        }
    }
}

TEST(DecimalEntry, AFieldWithoutDecimalsTakesNoSeparator) {
    EXPECT_EQ(ReadDecimalEntry("12", ',', 0, 999).State, EntryState::Acceptable);
    EXPECT_EQ(ReadDecimalEntry("1,2", ',', 0, 999).State, EntryState::Invalid);
    EXPECT_EQ(ReadDecimalEntry("1.", ',', 0, 999).State, EntryState::Invalid);
}

} // namespace
