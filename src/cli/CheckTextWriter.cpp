#include "calc/OutcomeWords.h"
#include "calc/ResultTexts.h"
#include "cli/CheckWriter.h"
#include "cli/JsonValues.h"

#include <ostream>

namespace brellic {

namespace {

class TextWriter : public CheckWriter {
public:
    TextWriter(std::ostream& out, char separator) : out_(out), separator_(separator) {}

    // Nothing on standard output: the message is on standard error.
    void Unusable(const std::string&, const std::string&) override {}

    void Site(const std::string& path, const JudgedSite& site) override {
        out_ << path << ": ";
        WriteVerdicts(*site.Result);
        out_ << std::flush;
    }

    void Supply(const std::string& label, const InstallationSupply& supply, const JudgedSite* site,
                std::span<const RunResult> runs) override {
        out_ << label << ' ' << String{supply.Name} << ": ";
        if (site)
            WriteVerdicts(*site->Result);
        else
            out_ << "not judged (no panel or battery chosen)\n";
        // One line per cable run, after its supply's line.
        for (std::size_t i = 0; i < supply.Runs.size(); ++i)
            out_ << label << ' ' << String{supply.Name} << " run " << String{supply.Runs[i].Name}
                 << ": " << RunCheckText(supply.Runs[i], runs[i], separator_) << '\n';
    }

    void System(const std::string& path, const Installation&,
                const SystemVerdict& verdict) override {
        out_ << path << ": installation " << TextWord(verdict.State) << " (" << verdict.Meeting
             << " of " << verdict.Supplies << " supplies meet)\n"
             << std::flush;
    }

    void Finish(const VerdictCounts&) override {}

private:
    // "standby meets (26.4 Hours), alarm current fails (1.70 Amps)", a line.
    void WriteVerdicts(const SiteResult& result) {
        const TotalsResult& totals = result.Totals;
        // The figures reuse their storage from one site to the next.
        AssignActualStandby(standby_, totals, separator_);
        AssignActualPeak(peak_, totals, separator_);
        out_ << "standby " << TextWord(totals.Standby.State) << " (" << standby_
             << "), alarm current " << TextWord(totals.AlarmCurrent.State) << " (" << peak_
             << ")\n";
    }

    std::ostream& out_;
    char separator_;
    std::string standby_;
    std::string peak_;
};

} // namespace

std::unique_ptr<CheckWriter> MakeTextCheckWriter(std::ostream& out, char separator) {
    return std::make_unique<TextWriter>(out, separator);
}

} // namespace brellic
