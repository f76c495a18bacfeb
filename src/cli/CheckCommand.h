#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace brellic {

struct CheckRun {
    std::int32_t SystemStandard = 0; // as the window would load it
    std::int32_t AlarmPeriod = 0;
    char DecimalSeparator = '.';
    bool Json = false;
    // Prints a message about an unusable file to standard error.
    std::function<void(std::string)> PrintError;
};

// `check`: each site's verdicts, as one line per site or as one JSON
// document, each site written out as soon as it is judged. Returns the exit
// status: 2 when a file cannot be used, else 1 when a site fails (an
// undefined figure fails), else 0.
int CheckSites(const std::vector<std::string>& files, const CheckRun& run, std::ostream& out);

} // namespace brellic
