#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QString>

namespace brellic {

QFont BrellicFont() {
    static const QString kTahoma = QStringLiteral("Tahoma");
    // QFont would quietly substitute another family for a missing one; asking
    // the database keeps the fallback the system's UI font instead.
    if (QFontDatabase::hasFamily(kTahoma))
        return QFont(kTahoma, 8);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}

} // namespace brellic
