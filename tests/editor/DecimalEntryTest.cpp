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
    {"1.000", '.', EntryState::Acceptable, 1.0},
    {"1,000", ',', EntryState::Acceptable, 1.0},
    // A comma typed under a point locale is the decimal separator too, never
    // dropped: "0,03" was once taken as 3 A.
    {"0,03", '.', EntryState::Acceptable, 0.03},
    {"1,50", '.', EntryState::Acceptable, 1.5},
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

// "1,500" in a point locale was taken as 1.5 m and turned a run that fails
// into one that meets.
TEST(DecimalEntry, TheOtherLocalesThousandsAreRefusedWithAReason) {
    EXPECT_EQ(ReadDecimalEntry("1,500", '.', 1, 2000).Message,
              "1,500 could be 1.5 or 1500: type it with a point.");
    EXPECT_EQ(ReadDecimalEntry(" 12.345 ", ',', 3, 99).Message,
              "12.345 could be 12,345 or 12345: type it with a comma.");
    EXPECT_EQ(ReadDecimalEntry("1,000", '.', 3, 9).Message,
              "1,000 could be 1 or 1000: type it with a point.");
    // Ambiguous whatever the field's decimals and maximum.
    for (const char* text : {"1,500", "999,999", "2,000"})
        EXPECT_EQ(ReadDecimalEntry(text, '.', 6, 1).State, EntryState::Ambiguous) << text;
    // The locale's own separator, a leading 0, other digit counts, a sign.
    const struct {
        const char* text;
        EntryState state;
    } plain[] = {{"1.500", EntryState::Acceptable},    {"0,045", EntryState::Acceptable},
                 {"1,50", EntryState::Acceptable},     {"1,5000", EntryState::Acceptable},
                 {"1234,567", EntryState::Acceptable}, {"-1,500", EntryState::Invalid},
                 {"1,50001", EntryState::Invalid}};
    for (const auto& p : plain)
        EXPECT_EQ(ReadDecimalEntry(p.text, '.', 4, 9999).State, p.state) << p.text;
    // Still on its way to the refusal in a field of one decimal; not in one
    // without decimals, which takes no separator.
    EXPECT_EQ(ReadDecimalEntry("1,50", '.', 1, 2000).State, EntryState::Intermediate);
    EXPECT_EQ(ReadDecimalEntry("1.50", '.', 1, 2000).State, EntryState::Invalid);
    EXPECT_EQ(ReadDecimalEntry("1,500", '.', 0, 9999).State, EntryState::Invalid);
}

TEST(DecimalEntry, AFieldWithoutDecimalsTakesNoSeparator) {
    EXPECT_EQ(ReadDecimalEntry("12", ',', 0, 999).State, EntryState::Acceptable);
    EXPECT_EQ(ReadDecimalEntry("1,2", ',', 0, 999).State, EntryState::Invalid);
    EXPECT_EQ(ReadDecimalEntry("1.", ',', 0, 999).State, EntryState::Invalid);
}

} // namespace
