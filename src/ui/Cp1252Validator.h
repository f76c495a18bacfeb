#pragma once

#include <QValidator>

namespace brellic {

// Refuses characters that a site file cannot hold: it stores one
// Windows-1252 byte per character.
class Cp1252Validator final : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The tooltip that explains why a character cannot be typed.
QString Cp1252Hint();

} // namespace brellic
