#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brellic {

enum class CliCommand { Help, Version, Report, Check, Export, Import, Sheet, Combine, Split };

// A command line as the tool understood it.
struct CliOptions {
    CliCommand Command = CliCommand::Help;
    std::optional<std::int32_t> Standard;    // as a stored "System Standard" value
    std::optional<std::int32_t> AlarmPeriod; // minutes
    std::optional<std::string> Output;       // -o FILE
    std::optional<std::string> Name;         // --name TEXT, for combine
    bool Json = false;                       // check --json
    bool Force = false;                      // split --force
    std::vector<std::string> Files;
};

struct CliParseResult {
    CliOptions Options;
    std::string Error; // empty when the command line is usable

    explicit operator bool() const { return Error.empty(); }
};

// Parses the arguments after the program name. Options may come before,
// between or after the files; "--" ends them.
CliParseResult ParseCliArguments(const std::vector<std::string>& args);

// Whether running the command reads the stored settings: it takes --standard
// and --alarm-period, at least one of them is left out, and a file it names
// is a site file (combine: whatever its files are).
bool ReadsStoredSettings(const CliOptions& options);

// "EN50131-1", "PD6662" or a whole number in the signed 32-bit range.
std::optional<std::int32_t> ParseStandard(std::string_view text);
// A whole number in the signed 32-bit range, with an optional sign.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// What `sheet -o FILE` writes, from FILE's extension (.pdf, .html or .htm, in
// any case); nothing for any other name.
enum class SheetFormat { Pdf, Html };
std::optional<SheetFormat> SheetFormatFor(std::string_view path);

// The text --help prints.
std::string CliUsage();

// The line --version prints: "brellic-cli VERSION".
std::string CliVersion();

} // namespace brellic
