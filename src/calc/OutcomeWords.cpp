#include "calc/OutcomeWords.h"

#include "model/Format.h"

namespace brellic {

std::string_view OutcomeWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return "meets";
    case Outcome::Fails:
        return "fails";
    case Outcome::Undefined:
        return "undefined";
    case Outcome::NotJudged:
        break;
    }
    return "not judged";
}

std::string_view JsonWord(Outcome outcome) {
    // A verdict JSON cannot give as met or failed reads as its figures do there.
    return outcome == Outcome::NotJudged ? "undefined" : OutcomeWord(outcome);
}

std::string_view TextWord(Outcome outcome) {
    return outcome == Outcome::Meets ? "meets" : "fails";
}

std::string RunVerdictText(Outcome outcome) {
    // A run that cannot be judged reads as its figures do.
    if (outcome == Outcome::Meets || outcome == Outcome::Fails)
        return std::string(OutcomeWord(outcome));
    return std::string(kUndefinedFigure);
}

std::string_view OverviewWord(Outcome outcome) {
    return outcome == Outcome::NotJudged ? OutcomeWord(outcome) : TextWord(outcome);
}

std::string_view RunsWord(Outcome outcome) {
    return outcome == Outcome::Meets ? "meet" : "fail";
}

Rgb VerdictColour(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return kVerdictMeets;
    case Outcome::Fails:
    case Outcome::Undefined:
        return kVerdictFails;
    case Outcome::NotJudged:
        break;
    }
    return kVerdictNone;
}

Rgb MarkColour(Outcome outcome) {
    return outcome == Outcome::NotJudged ? Rgb{160, 160, 160} : VerdictColour(outcome);
}

std::string_view MarkTip(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return "Meets every requirement";
    case Outcome::Fails:
    case Outcome::Undefined:
        return "Fails a requirement";
    case Outcome::NotJudged:
        break;
    }
    return "Not judged yet: no panel or battery chosen";
}

} // namespace brellic
