#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace brellic {

// The day of a SOURCE_DATE_EPOCH value: a whole number of seconds since
// 1970-01-01 UTC, from 0 to the last second of year 9999. Anything else gives
// nothing, and warning says why, so that the caller can use the current time.
std::optional<std::chrono::year_month_day> ParseSourceDateEpoch(std::string_view text,
                                                                std::string& warning);
// The same value to the second.
std::optional<std::chrono::sys_seconds> ParseSourceTime(std::string_view text,
                                                        std::string& warning);

} // namespace brellic
