#include "SheetVerdicts.h"

#include "calc/OutcomeWords.h"

#include <string_view>

namespace brellic {

namespace {

QString Latin1(std::string_view word) {
    return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

} // namespace

QString VerdictWord(Outcome verdict) {
    return Latin1(TextWord(verdict));
}

QString ColourOf(Outcome verdict) {
    const Rgb colour = VerdictColour(verdict);
    return QStringLiteral("#%1%2%3")
        .arg(colour.Red, 2, 16, QLatin1Char('0'))
        .arg(colour.Green, 2, 16, QLatin1Char('0'))
        .arg(colour.Blue, 2, 16, QLatin1Char('0'));
}

QString OutcomeText(Outcome outcome) {
    return Latin1(OutcomeWord(outcome));
}

} // namespace brellic
