#include "cli/SourceDate.h"

#include "io/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace brellic {

namespace {

// 9999-12-31 23:59:59 UTC: a four-digit year is as far as a sheet's date
// goes; past it the year would no longer read as one.
constexpr std::int64_t kLastSecond = 253402300799;

} // namespace

std::optional<std::chrono::sys_seconds> ParseSourceTime(std::string_view text,
                                                        std::string& warning) {
    warning.clear();
    std::int64_t seconds = -1;
    const bool digitsOnly = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (digitsOnly) {
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
        if (error != std::errc() || stop != text.data() + text.size())
            seconds = -1;
    }
    if (seconds < 0 || seconds > kLastSecond) {
        warning = "SOURCE_DATE_EPOCH " + Quoted(text) +
                  " is not a whole number of seconds from 0 to " + std::to_string(kLastSecond) +
                  " (the end of year 9999); the current time is used.";
        return std::nullopt;
    }
    return std::chrono::sys_seconds(std::chrono::seconds(seconds));
}

std::optional<std::chrono::year_month_day> ParseSourceDateEpoch(std::string_view text,
                                                                std::string& warning) {
    const std::optional<std::chrono::sys_seconds> time = ParseSourceTime(text, warning);
    if (!time)
        return std::nullopt;
    return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(*time));
}

} // namespace brellic
