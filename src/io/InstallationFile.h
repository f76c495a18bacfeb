#pragma once

#include "io/IoResult.h"
#include "model/Installation.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace brellic {

// The installation file (*.brellic): UTF-8 JSON, two-space indents, members
// in a fixed order and a final newline, so that a change shows as a small
// diff:
//   {"format": "brellic-installation", "version": 1, "name": str,
//    "address": str, "standard": "EN50131-1" or "PD6662",
//    "alarmPeriodMinutes": 1-120,
//    "supplies": [{"name": str, "site": the site object of SiteJson.h,
//                  "lowestOutputVolts": number, "runs": [run]}]}
// with each run
//   {"name": str, "cable": the cable table's name or null for a custom
//    figure, "ohmsPerMetrePerCore": number, "coresPositive": 1-4,
//    "coresNegative": 1-4, "lengthM": number, "minVolts": number,
//    "lines": [{"line": device line from 1, "distanceM": number or null
//    for the far end}]}
// A supply's "panel" and "battery" may be null while they are not chosen.
// A file made before cable runs has no "lowestOutputVolts" and no "runs":
// it reads as 10.5 V and no runs. The writer always writes both.
inline constexpr std::string_view kInstallationFormat = "brellic-installation";
inline constexpr int kInstallationVersion = 1;
inline constexpr std::string_view kInstallationExtension = ".brellic";

// 32 supplies of 100 lines each take about 1.5 MiB as the writer lays them
// out; the cap leaves room for a file laid out by hand, and stops a huge
// file from being read into memory before it is refused.
inline constexpr std::size_t kMaxInstallationFileBytes = std::size_t{8} << 20;

struct InstallationResult {
    Installation Data;
    std::string Error; // empty when Data holds the installation

    explicit operator bool() const { return Error.empty(); }
};

// Why the installation could not be written or read back, or empty: 1 to 32
// supplies, each site as import takes it (a panel and a battery may be
// missing), an alarm period of 1 to 120 minutes, a name and address of at
// most 100 characters, supply names of 1 to 50 characters, unique. Every
// text is one line of Windows-1252 characters. A supply's lowest output
// voltage is 5 to 30 V; it has at most 32 runs, each named (at most 50
// characters) with a table cable and its figure or a positive custom one,
// 1 to 4 cores on each leg, a length over 0 and at most 2000 m, a minimum
// voltage over 0 and below the supply's, and lines of the supply at 0 to
// the run's length, each on one run at most. Members are named by their
// path, e.g. "member "supplies[2].site.devices[4].alarm" is negative: ...".
std::string CheckInstallation(const Installation& installation);

// The file's text. The installation must pass CheckInstallation.
std::string InstallationToJson(const Installation& installation);

// Reads the text strictly, all or nothing: any fault gives an Error naming
// the member by its path, or the line and column of a syntax error, and no
// data. A later version of the format is refused with a message saying so.
InstallationResult InstallationFromJson(std::string_view text);

// True when path ends in ".brellic", in any case.
bool IsInstallationFileName(std::string_view path);

// Reads and checks a file; every message names it.
InstallationResult ReadInstallationFile(const std::string& path);

// Writes the installation so that the file is either replaced whole or left
// as it was; refuses one that fails CheckInstallation.
IoResult WriteInstallationFile(const std::string& path, const Installation& installation);

} // namespace brellic
