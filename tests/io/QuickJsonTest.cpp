// The quick JSON reader against the library's parser: whatever it takes, the
// library takes as the same value and type; whatever the library refuses, it
// refuses; and what it leaves alone, the library still reads.
#include "io/QuickJson.h"
#include "io/SiteJsonValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace brellic::test {
namespace {

using Json = nlohmann::json;
using site_json::QuickParse;

const std::filesystem::path kInstallations = BRELLIC_IO_INSTALLATIONS_DIR;

// Equal values of equal types all the way down: the library's own == takes
// the unsigned 1, the signed 1 and the double 1.0 for one another, and the
// readers tell them apart ("grade": 1.0 is not a whole number).
bool Same(const Json& a, const Json& b) {
    if (a.type() != b.type())
        return false;
    switch (a.type()) {
    case Json::value_t::object: {
        if (a.size() != b.size())
            return false;
        for (auto it = a.begin(); it != a.end(); ++it) {
            const auto other = b.find(it.key());
            if (other == b.end() || !Same(*it, *other))
                return false;
        }
        return true;
    }
    case Json::value_t::array:
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!Same(a[i], b[i]))
                return false;
        }
        return true;
    case Json::value_t::number_float: // the bits: -0.0 is not 0.0
        return std::signbit(a.get<double>()) == std::signbit(b.get<double>()) && a == b;
    default:
        return a == b;
    }
}

std::string Nested(int depth) {
    return std::string(static_cast<std::size_t>(depth), '[') + "1" +
           std::string(static_cast<std::size_t>(depth), ']');
}

TEST(QuickJsonTest, TakesTheCommonCaseAsTheLibraryReadsIt) {
    std::vector<std::string> documents = {
        "{}",
        "[]",
        " \t\r\n{ \"a\" : [ 1 , 2 ] , \"b\" : { } }\r\n",
        "[true, false, null]",
        // A repeated member: the last one counts.
        R"({"a": 1, "b": 2, "a": [3]})",
        R"({"a": {"x": 1}, "a": {"y": 2}})",
        R"(["\" \\ \/ \b \f \n \r \t"])",
        // Two-, three- and four-byte UTF-8, and DEL, which JSON leaves as it is.
        "[\"\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E \x7F\"]",
        // Whole numbers: unsigned without a sign, signed with one, -0 too.
        "[0, 7, -7, -0, 999999999999999999, -999999999999999999, 2147483648]",
        // Doubles: anything with a fraction or an exponent.
        "[0.0, -0.0, 0.1, 1.5, 1e2, 1E+2, 1e-2, -2.5E-3, 1.0, 0.15881676122267385]",
        "[1.7976931348623157e308, 2.2250738585072014e-308, 123456789012345678901234567890.0]",
        "\"just a string\"",
        "42",
        Nested(64),
    };
    for (const auto& entry : std::filesystem::directory_iterator(kInstallations)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        documents.push_back(text.str());
    }
    for (const std::string& document : documents) {
        SCOPED_TRACE(document.substr(0, 80));
        const std::optional<Json> quick = QuickParse(document);
        ASSERT_TRUE(quick.has_value());
        EXPECT_TRUE(Same(*quick, Json::parse(document)));
    }
}

TEST(QuickJsonTest, RefusesWhatTheLibraryRefuses) {
    const std::vector<std::string> documents = {
        "",
        " ",
        "{",
        "[1,]",
        R"({"a": 1,})",
        "[1 2]",
        "[] []",
        "{1: 2}",
        R"({"a" 1})",
        "{'a': 1}",
        "/* note */ 1",
        "[01]",
        "[-]",
        "[1.]",
        "[.5]",
        "[1e]",
        "[1e+]",
        "[+1]",
        "[-01]",
        "[NaN]",
        "[1e999]",
        "[-1e999]",
        "[truex]",
        "[tru]",
        "[nul]",
        "[\"open",
        "[\"a\x01\"]",
        "[\"\\x\"]",
        "[\"\\\"]",
        "[\"\xC0\x80\"]",         // overlong
        "[\"\xED\xA0\x80\"]",     // a surrogate
        "[\"\xF4\x90\x80\x80\"]", // above U+10FFFF
        "[\"\xE2\x82\"]",         // cut short
        "[\"\x80\"]",             // a continuation byte alone
        "[\"\xFF\"]",
    };
    for (const std::string& document : documents) {
        SCOPED_TRACE(document);
        EXPECT_FALSE(QuickParse(document).has_value());
        EXPECT_FALSE(Json::accept(document));
    }
}

// Left to the library, which the readers then use: their values, and so the
// readers' verdicts, are the library's.
TEST(QuickJsonTest, LeavesTheRestToTheLibrary) {
    const std::vector<std::string> documents = {
        "\xEF\xBB\xBF{}", // a byte order mark
        R"(["\u0041\u00e9"])",
        R"(["\ud834\udd1e"])",
        "[1234567890123456789]",
        "[-1234567890123456789]",
        "[18446744073709551616]", // a double for the library
        "[1e-400]",
        Nested(65),
    };
    for (const std::string& document : documents) {
        SCOPED_TRACE(document);
        EXPECT_FALSE(QuickParse(document).has_value());
        std::string error;
        const std::optional<Json> read = site_json::Parse(document, error);
        ASSERT_TRUE(read.has_value()) << error;
        EXPECT_TRUE(Same(*read, Json::parse(document)));
    }
}

} // namespace
} // namespace brellic::test
