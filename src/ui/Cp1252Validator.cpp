#include "Cp1252Validator.h"

#include "io/Cp1252.h"

#include <QToolTip>
#include <QWidget>

namespace brellic {

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
    if (IsCp1252Text(input.toStdString()))
        return Acceptable;
    // The field refuses the keystroke; say why at the field, naming the
    // character, or it would seem to vanish.
    auto* field = qobject_cast<QWidget*>(parent());
    if (field != nullptr && field->isVisible()) {
        for (const char32_t c : input.toUcs4()) {
            const QString character = QString::fromUcs4(&c, 1);
            if (!IsCp1252Text(character.toStdString())) {
                QToolTip::showText(
                    field->mapToGlobal(QPoint(0, field->height())),
                    QStringLiteral("\"%1\" cannot be stored in a site file.").arg(character),
                    field);
                break;
            }
        }
    }
    return Invalid;
}

QString Cp1252Hint() {
    return QStringLiteral("Only Western European (Windows-1252) characters can be stored in a "
                          "site file; others cannot be typed here.");
}

} // namespace brellic
