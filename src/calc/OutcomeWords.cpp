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
    switch (outcome) {
    case Outcome::Meets:
        return "meets";
    case Outcome::Fails:
        return "fails";
    case Outcome::Undefined:
    case Outcome::NotJudged:
        break;
    }
    return "undefined";
}

std::string_view TextWord(Outcome outcome) {
    return outcome == Outcome::Meets ? "meets" : "fails";
}

std::string RunVerdictText(Outcome outcome) {
    // A run that cannot be judged reads as its figures do.
    switch (outcome) {
    case Outcome::Meets:
    case Outcome::Fails:
        return std::string(OutcomeWord(outcome));
    case Outcome::Undefined:
    case Outcome::NotJudged:
        break;
    }
    return std::string(kUndefinedFigure);
}

std::string_view OverviewWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return "meets";
    case Outcome::NotJudged:
        return "not judged";
    case Outcome::Fails:
    case Outcome::Undefined:
        break;
    }
    return "fails";
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
