#include "io/QuickJson.h"

#include "io/Cp1252.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

namespace brellic::site_json {

namespace {

using Json = nlohmann::json;

// Deep enough for every document Brellic writes (an installation is five
// levels deep), shallow enough that recursion is never a risk.
constexpr int kMaxDepth = 64;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A byte that stands for itself in a string: printable ASCII other than the
// quote and the backslash.
bool IsPlain(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
}

class QuickParser {
public:
    explicit QuickParser(std::string_view text)
        : at_(text.data()), end_(text.data() + text.size()) {}

    bool Document(Json& value) {
        SkipSpace();
        if (!Value(value, 0))
            return false;
        SkipSpace();
        return at_ == end_;
    }

private:
    bool Value(Json& value, int depth) {
        if (at_ == end_)
            return false;
        switch (*at_) {
        case '{':
            return Object(value, depth + 1);
        case '[':
            return Array(value, depth + 1);
        case '"': {
            std::string text;
            if (!String(text))
                return false;
            value = std::move(text);
            return true;
        }
        case 't':
            return Word("true", value, true);
        case 'f':
            return Word("false", value, false);
        case 'n':
            return Word("null", value, nullptr);
        default:
            return Number(value);
        }
    }

    bool Object(Json& value, int depth) {
        if (depth > kMaxDepth)
            return false;
        ++at_;
        value = Json::object();
        Json::object_t& members = *value.get_ptr<Json::object_t*>();
        SkipSpace();
        if (Take('}'))
            return true;
        std::string name;
        for (;;) {
            if (at_ == end_ || *at_ != '"' || !String(name))
                return false;
            SkipSpace();
            if (!Take(':'))
                return false;
            SkipSpace();
            // A repeated member replaces the one before, as in the library.
            if (!Value(members[name], depth))
                return false;
            SkipSpace();
            if (!Take(','))
                return Take('}');
            SkipSpace();
        }
    }

    bool Array(Json& value, int depth) {
        if (depth > kMaxDepth)
            return false;
        ++at_;
        value = Json::array();
        Json::array_t& items = *value.get_ptr<Json::array_t*>();
        SkipSpace();
        if (Take(']'))
            return true;
        for (;;) {
            if (!Value(items.emplace_back(), depth))
                return false;
            SkipSpace();
            if (!Take(','))
                return Take(']');
            SkipSpace();
        }
    }

    // The string whose opening quote is at at_.
    bool String(std::string& text) {
        ++at_;
        text.clear();
        for (;;) {
            const char* run = at_;
            while (at_ != end_ && IsPlain(*at_))
                ++at_;
            text.append(run, at_);
            if (at_ == end_)
                return false;
            const auto byte = static_cast<unsigned char>(*at_);
            if (byte == '"') {
                ++at_;
                return true;
            }
            if (byte == '\\') {
                if (!Escape(text))
                    return false;
                continue;
            }
            if (byte < 0x20)
                return false;
            const std::size_t length =
                Utf8SequenceLength(std::string_view(at_, static_cast<std::size_t>(end_ - at_)));
            if (length == 0)
                return false;
            text.append(at_, length);
            at_ += length;
        }
    }

    // The short escapes; \u is left to the library, which pairs surrogates.
    bool Escape(std::string& text) {
        if (end_ - at_ < 2)
            return false;
        char c = 0;
        switch (at_[1]) {
        case '"':
        case '\\':
        case '/':
            c = at_[1];
            break;
        case 'b':
            c = '\b';
            break;
        case 'f':
            c = '\f';
            break;
        case 'n':
            c = '\n';
            break;
        case 'r':
            c = '\r';
            break;
        case 't':
            c = '\t';
            break;
        default:
            return false;
        }
        text.push_back(c);
        at_ += 2;
        return true;
    }

    template <typename Literal> bool Word(std::string_view word, Json& value, Literal literal) {
        if (static_cast<std::size_t>(end_ - at_) < word.size() ||
            std::memcmp(at_, word.data(), word.size()) != 0)
            return false;
        at_ += word.size();
        value = literal;
        return true;
    }

    // A number of the type the library gives it: a whole number without a
    // sign is unsigned, one with a minus sign (-0 too) signed, anything with
    // a fraction or an exponent a double.
    bool Number(Json& value) {
        const char* start = at_;
        const bool negative = Take('-');
        const char* digits = at_;
        if (at_ == end_ || !IsDigit(*at_))
            return false;
        if (*at_ == '0')
            ++at_;
        else
            SkipDigits();
        const auto count = static_cast<std::size_t>(at_ - digits);
        bool whole = true;
        if (Take('.')) {
            if (!Digits())
                return false;
            whole = false;
        }
        if (Take('e') || Take('E')) {
            if (!Take('+'))
                Take('-');
            if (!Digits())
                return false;
            whole = false;
        }
        if (whole) {
            // 18 digits fit either type; longer ones may become doubles.
            if (count > 18)
                return false;
            std::uint64_t magnitude = 0;
            for (const char* p = digits; p != at_; ++p)
                magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p - '0');
            if (negative)
                value = -static_cast<std::int64_t>(magnitude);
            else
                value = magnitude;
            return true;
        }
        // Correctly rounded, as the C library's strtod that the library uses.
        double number = 0;
        const auto [stop, error] = std::from_chars(start, at_, number);
        if (error != std::errc() || stop != at_ || !std::isfinite(number))
            return false;
        value = number;
        return true;
    }

    // One or more digits.
    bool Digits() {
        if (at_ == end_ || !IsDigit(*at_))
            return false;
        SkipDigits();
        return true;
    }

    void SkipDigits() {
        while (at_ != end_ && IsDigit(*at_))
            ++at_;
    }

    void SkipSpace() {
        while (at_ != end_ && (*at_ == ' ' || *at_ == '\n' || *at_ == '\r' || *at_ == '\t'))
            ++at_;
    }

    bool Take(char c) {
        if (at_ == end_ || *at_ != c)
            return false;
        ++at_;
        return true;
    }

    const char* at_;
    const char* end_;
};

} // namespace

std::optional<nlohmann::json> QuickParse(std::string_view text) {
    Json value;
    if (!QuickParser(text).Document(value))
        return std::nullopt;
    return value;
}

} // namespace brellic::site_json
