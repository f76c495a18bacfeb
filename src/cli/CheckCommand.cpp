#include "cli/CheckCommand.h"

#include "calc/SystemVerdict.h"
#include "cli/CheckWriter.h"
#include "cli/Cli.h"
#include "editor/SiteOpening.h"
#include "io/InstallationFile.h"

#include <memory>
#include <string>

namespace brellic {

namespace {

// check's entries judged one at a time and handed to the writer at once.
class Checker {
public:
    Checker(const CheckRun& run, std::ostream& out)
        : run_(run),
          writer_(run.Json ? MakeJsonCheckWriter(out, run.SystemStandard, run.AlarmPeriod)
                           : MakeTextCheckWriter(out, run.DecimalSeparator)) {}

    void Installation(const std::string& path) {
        // Always judged under its own standard and alarm period.
        const InstallationResult read = ReadInstallationFile(path);
        if (!read) {
            Unusable(path, read.Error);
            return;
        }
        const brellic::Installation& installation = read.Data;
        SystemTally tally;
        for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
            const InstallationSupply& supply = installation.Supplies[i];
            const SupplyVerdict verdict =
                JudgeSupply(supply, installation.Standard, installation.AlarmPeriodMinutes);
            tally.Add(supply.Site.Grade, verdict);
            counts_.Add(verdict.State);
            const std::string label = path + "#" + std::to_string(i + 1);
            if (!verdict.Judged) {
                writer_->Supply(label, supply, nullptr, verdict.Runs);
                continue;
            }
            const SupplySite& site = supply.Site;
            const JudgedSite judged{site.SiteRef,  site.Grade,          *site.Panel,
                                    *site.Battery, site.Devices.size(), &verdict.Result};
            writer_->Supply(label, supply, &judged, verdict.Runs);
        }
        writer_->System(path, installation, tally.Close());
    }

    void SiteFile(const std::string& path) {
        // The JSON form names the site; neither form prints a device's description.
        const SiteTexts texts = run_.Json ? SiteTexts::SiteRefOnly : SiteTexts::Skip;
        // One site at a time: nothing of a site outlives its entry.
        const CheckedSite site = CheckSiteFile(path, run_.SystemStandard, run_.AlarmPeriod, texts);
        if (!site.Error.empty()) {
            Unusable(path, site.Error);
            return;
        }
        counts_.Add(SiteOutcome(site.Result.Totals));
        const SiteFileData& file = site.File;
        writer_->Site(path, {file.SiteRef, file.Grade, file.Panel, file.Battery,
                             file.Devices.size(), &site.Result});
    }

    // 2 when a file cannot be used, else 1 when an entry fails, else 0.
    int Finish() {
        writer_->Finish(counts_);
        if (counts_.Unusable > 0)
            return kCliError;
        return counts_.Fail > 0 ? kCliFails : kCliOk;
    }

private:
    void Unusable(const std::string& path, const std::string& error) {
        run_.PrintError(error);
        counts_.AddUnusable();
        writer_->Unusable(path, error);
    }

    const CheckRun& run_;
    std::unique_ptr<CheckWriter> writer_;
    VerdictCounts counts_;
};

} // namespace

int CheckSites(const std::vector<std::string>& files, const CheckRun& run, std::ostream& out) {
    Checker checker(run, out);
    for (const std::string& path : files) {
        if (IsInstallationFileName(path))
            checker.Installation(path);
        else
            checker.SiteFile(path);
    }
    return checker.Finish();
}

} // namespace brellic
