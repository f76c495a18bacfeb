#include "settings/DecimalSeparator.h"

#include <QLocale>

namespace brellic {

char DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() > 0x20 && point.at(0).unicode() < 0x7F)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

} // namespace brellic
