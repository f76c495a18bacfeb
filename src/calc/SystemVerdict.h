#pragma once

#include "calc/CableRuns.h"
#include "calc/Result.h"
#include "model/Installation.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brellic {

// The one judgement of a system: a site as opening it would leave it, a
// supply with its cable runs, and an installation of supplies. Every
// verdict, count and exit status the window, the report, the sheet and
// check give is read from here.

// What keeps a site from being judged as opening it would leave it. Panel:
// none chosen, or one the grade does not offer (opening then selects none).
// Battery: none chosen, or a position beyond the panel's battery list.
enum class SiteFault { None, Panel, Battery };

SiteFault FaultOf(std::int32_t grade, std::optional<std::int32_t> panel,
                  std::optional<std::int32_t> battery);

// A site without a fault calculated as the window's open sequence leaves
// it: its grade, panel and battery, the standard and alarm period given,
// and the AC-fail box as stored.
SiteResult CalculateSite(std::int32_t grade, std::int32_t panel, std::int32_t battery, bool acFail,
                         std::span<const TDeviceData> devices, std::int32_t standard,
                         std::int32_t alarmPeriod);

// A supply's site judged the same way; nothing when it has a fault.
std::optional<SiteResult> JudgeSite(const SupplySite& site, std::int32_t standard,
                                    std::int32_t alarmPeriod);

// A site on its own meets when both its requirements meet.
Outcome SiteOutcome(const TotalsResult& totals);

// Cable runs taken together: NotJudged when there are none, Meets when
// every run meets, else Fails.
Outcome RunsOutcome(std::span<const RunResult> runs);

// A supply: NotJudged while it has no panel or no battery (or opening it
// would leave none selected), which never meets; otherwise it meets when
// both requirements and every one of its cable runs meet.
struct SupplyVerdict {
    bool Judged = false;
    SiteResult Result;           // meaningful only when Judged
    std::vector<RunResult> Runs; // one per cable run, judged whether or not the supply is
    Outcome State = Outcome::NotJudged;

    bool Meets() const { return State == Outcome::Meets; }
};

SupplyVerdict JudgeSupply(const InstallationSupply& supply, std::int32_t standard,
                          std::int32_t alarmPeriod);

// The whole system: it meets only when every supply meets; its grade is the
// lowest of the supplies' grades.
struct SystemVerdict {
    std::size_t Supplies = 0;
    std::size_t Meeting = 0;
    std::int32_t Grade = 0;
    bool GradesDiffer = false;
    Outcome State = Outcome::Fails;

    bool Meets() const { return State == Outcome::Meets; }
};

// Counts one more supply into the system's verdict; Close gives the verdict
// once the last is in. check counts a supply as soon as it is written out.
class SystemTally {
public:
    void Add(std::int32_t grade, const SupplyVerdict& supply);
    SystemVerdict Close() const;

private:
    SystemVerdict verdict_;
};

struct InstallationVerdict {
    std::vector<SupplyVerdict> Supplies; // in the installation's order
    SystemVerdict System;
};

// Each supply under the installation's own standard and alarm period.
InstallationVerdict JudgeInstallation(const Installation& installation);

// check's tally over its entries, each a site file or a supply: what meets,
// what does not (a supply not judged among them), and the files that cannot
// be used at all.
struct VerdictCounts {
    std::size_t Entries = 0;
    std::size_t Meet = 0;
    std::size_t Fail = 0;
    std::size_t Unusable = 0;

    void Add(Outcome outcome);
    void AddUnusable();
};

} // namespace brellic
