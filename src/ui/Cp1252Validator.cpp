#include "Cp1252Validator.h"

#include "io/Cp1252.h"

namespace brellic {

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
    return IsCp1252Text(input.toStdString()) ? Acceptable : Invalid;
}

QString Cp1252Hint() {
    return QStringLiteral("Only Western European (Windows-1252) characters can be stored in a "
                          "site file; others cannot be typed here.");
}

} // namespace brellic
