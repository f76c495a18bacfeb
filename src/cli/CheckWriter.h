#pragma once

#include "calc/CableRuns.h"
#include "calc/Result.h"
#include "calc/SystemVerdict.h"
#include "model/Installation.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace brellic {

// What check writes of a site that was judged: a site file, or a supply of
// an installation.
struct JudgedSite {
    std::string_view SiteRef;
    std::int32_t Grade = 0;
    std::int32_t Panel = 0;   // PanelTable row
    std::int32_t Battery = 0; // position in the panel's battery list
    std::size_t DeviceLines = 0;
    const SiteResult* Result = nullptr;
};

// check's output, one form or the other. Each entry is written as it comes,
// so that a verdict is out before the next file is read; the writers only
// present what the judgement gave.
class CheckWriter {
public:
    virtual ~CheckWriter() = default;
    // A file that cannot be used; its message is already on standard error.
    virtual void Unusable(const std::string& path, const std::string& error) = 0;
    virtual void Site(const std::string& path, const JudgedSite& site) = 0;
    // A supply, labelled "FILE#N"; site is null while the supply is not judged.
    virtual void Supply(const std::string& label, const InstallationSupply& supply,
                        const JudgedSite* site, std::span<const RunResult> runs) = 0;
    virtual void System(const std::string& path, const Installation& installation,
                        const SystemVerdict& verdict) = 0;
    virtual void Finish(const VerdictCounts& counts) = 0;
};

// One line per site, supply, cable run and installation.
std::unique_ptr<CheckWriter> MakeTextCheckWriter(std::ostream& out, char separator);

// One JSON document; its head, with the standard and alarm period the site
// files are judged under, is written at once.
std::unique_ptr<CheckWriter> MakeJsonCheckWriter(std::ostream& out, std::int32_t standard,
                                                 std::int32_t alarmPeriod);

} // namespace brellic
