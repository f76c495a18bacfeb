#include "ui/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace brellic {

std::string FullPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

} // namespace brellic
