#include "SheetFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace brellic {

QString SheetFamily() {
    static const QString family = [] {
        QString name;
        for (const char* face :
             {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/brellic/fonts/") +
                                                             QLatin1String(face));
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (id < 0 || families.isEmpty())
                return QString();
            name = families.constFirst();
        }
        return name;
    }();
    return family;
}

QFont SheetFont(qreal pointSize) {
    QFont font(SheetFamily());
    font.setStyleHint(QFont::SansSerif, QFont::NoFontMerging);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace brellic
