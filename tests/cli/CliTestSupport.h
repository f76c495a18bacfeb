#pragma once

#include "../io/TempFolder.h"

#include "cli/Cli.h"
#include "io/SiteFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace brellic::test {

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline CliRun RunTool(const std::vector<std::string>& args,
                      const CliEnvironment& environment = {}) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Status = RunCli(args, out, err, environment);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

inline std::size_t LineCount(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text)
        lines += c == '\n';
    return lines;
}

inline TDeviceData Device(std::int32_t qty, std::string description, std::int32_t grade,
                          double quiescent, double alarm) {
    return {qty, grade, std::move(description), quiescent, alarm};
}

// Grade 3 on a panel with a 1.25 A peak current and a 17.0 Ah battery: with
// the alarm period of 15 minutes it meets both requirements under either
// standard.
inline SiteFileData MeetingSite() {
    SiteFileData site;
    site.SiteRef = "Caf\xC3\xA9 \xE2\x82\xAC 7";
    site.Grade = 3;
    site.Panel = 10;
    site.Battery = 1;
    site.AcFail = true;
    site.Devices = {Device(2, "Door contact", 3, 0.026, 0.026), Device(1, "Sounder", 3, 0.02, 0.4)};
    return site;
}

// The same site with an alarm load beyond what the panel can deliver and a
// quiescent load that empties the battery early.
inline SiteFileData FailingSite() {
    SiteFileData site = MeetingSite();
    site.Devices.push_back(Device(4, "Strobe", 3, 1.0, 2.0));
    return site;
}

// The byte form of a site file with one 32-bit field overwritten.
inline std::string Patched(const SiteFileData& site, std::size_t offset, std::int32_t value) {
    const std::vector<unsigned char> bytes = EncodeSiteFile(site);
    std::string text(bytes.begin(), bytes.end());
    for (std::size_t i = 0; i < 4; ++i)
        text[offset + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return text;
}

inline void WriteSite(const std::string& path, const SiteFileData& site) {
    ASSERT_TRUE(WriteSiteFile(path, site));
}

} // namespace brellic::test
