#pragma once

#include "editor/Settings.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brellic {

// Exit statuses of brellic-cli.
inline constexpr int kCliOk = 0;    // done; every checked site meets both requirements
inline constexpr int kCliFails = 1; // a checked site fails a requirement
inline constexpr int kCliError = 2; // a file could not be used, or the command line is wrong

// What the tool takes from its surroundings, so that tests can set it.
struct CliEnvironment {
    char DecimalSeparator = '.';
    // Opens the stored settings for reading. Asked only when --standard or
    // --alarm-period is left out; when empty, the defaults apply.
    std::function<std::unique_ptr<SettingsStore>()> StoredSettings;
    // The date a calculation sheet shows; when empty, the day of
    // SourceDateEpoch if that is usable, and today's otherwise.
    std::optional<std::chrono::year_month_day> SheetDate;
    // SOURCE_DATE_EPOCH as the environment gives it, when set: the usual way
    // to ask a tool for reproducible output.
    std::optional<std::string> SourceDateEpoch;
};

// Runs one command line (the arguments after the program name): results go
// to out, messages to err. Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

} // namespace brellic
