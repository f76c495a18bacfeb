#pragma once

#include "cli/CliArgs.h"
#include "cli/SheetCommand.h"
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

// Makes a calculation sheet: the bytes of its PDF or HTML file, dated date
// (today when empty), or empty when it cannot be made; problem then says
// why, when it is not the sheet's own doing.
using SheetRenderer = std::function<std::string(const SheetContent& content, SheetFormat format,
                                                std::optional<std::chrono::year_month_day> date,
                                                std::string& problem)>;

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
    // Makes the sheet command's calculation sheet; when empty, sheet writes
    // nothing and says so.
    SheetRenderer RenderSheet;
};

// Runs one command line (the arguments after the program name): results go
// to out, messages to err. Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

} // namespace brellic
