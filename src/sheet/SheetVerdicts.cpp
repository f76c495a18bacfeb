#include "SheetVerdicts.h"

#include <algorithm>
#include <string_view>

namespace brellic {

QString VerdictWord(Verdict verdict) {
    return verdict == Verdict::Meets ? QStringLiteral("meets") : QStringLiteral("fails");
}

QString ColourOf(Verdict verdict) {
    switch (verdict) {
    case Verdict::Meets:
        return QStringLiteral("#008000");
    case Verdict::Fails:
        return QStringLiteral("#ff0000");
    case Verdict::None:
        break;
    }
    return QStringLiteral("#000000");
}

QString OutcomeText(Outcome outcome) {
    const std::string_view word = OutcomeWord(outcome);
    return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

Verdict VerdictOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return Verdict::Meets;
    case Outcome::Fails:
    case Outcome::Undefined:
        return Verdict::Fails;
    case Outcome::NotJudged:
        break;
    }
    return Verdict::None;
}

std::size_t RunsMeeting(const std::vector<SheetRun>& runs) {
    return static_cast<std::size_t>(std::count_if(
        runs.begin(), runs.end(), [](const SheetRun& run) { return run.State == Outcome::Meets; }));
}

} // namespace brellic
