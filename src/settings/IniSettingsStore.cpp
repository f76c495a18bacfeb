#include "settings/IniSettingsStore.h"

#include "io/AtomicFile.h"

#include <limits>
#include <optional>
#include <utility>

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace brellic {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The INI format keeps every value as text; only values written by this
// process or stored as "@Variant(...)" come back typed.
std::optional<qlonglong> WholeNumber(const QVariant& stored) {
    bool ok = false;
    qlonglong number = 0;
    switch (stored.typeId()) {
    case QMetaType::QString:
        number = stored.toString().toLongLong(&ok);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        number = stored.toLongLong(&ok);
        break;
    default:
        break;
    }
    if (!ok)
        return std::nullopt;
    return number;
}

// QSettings shares one parsed copy of a file between all its objects in the
// process and reports a malformed file only to the first of them, and only
// once the faulty part is used. So the file is checked here on every open: each
// line must be blank, a comment, a [section] or a key=value pair.
bool IsReadableIniFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    for (const QByteArrayView line : data.split('\n')) {
        const QByteArrayView text = line.trimmed();
        if (text.isEmpty() || text.startsWith(';') || text.startsWith('#'))
            continue;
        if (text.startsWith('[') ? !text.contains(']') : !text.contains('='))
            return false;
    }
    return true;
}

} // namespace

IniSettingsStore::IniSettingsStore() : IniSettingsStore(DefaultFileName()) {}

IniSettingsStore::IniSettingsStore(QString filePath, Access access)
    : filePath_(std::move(filePath)), access_(access) {}

IniSettingsStore::~IniSettingsStore() = default;

// Where QSettings keeps the user's INI file for this organisation and
// application, worked out without a QSettings object: constructing one reads
// the file at once, and a named pipe in its place would block there for ever.
QString IniSettingsStore::DefaultFileName() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Quorvex/Brellic.ini"));
}

bool IniSettingsStore::Open() {
    Close();
    failure_.clear();
    // Something that is not a file (a named pipe would block every start for
    // ever) is refused before QSettings or QFile opens it, and said so.
    if (!CheckFileOrMissing(filePath_.toStdString())) {
        failure_ = "The settings file " + QDir::toNativeSeparators(filePath_).toStdString() +
                   " is not a regular file; the default settings are used.";
        return false;
    }
    if (!IsReadableIniFile(filePath_))
        return false;
    auto settings = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return false;
    // isWritable() creates the missing folders and tries the file itself.
    if (access_ == Access::ReadWrite && !settings->isWritable())
        return false;
    // QSettings' groups use "/"; a backslash would be folded into the key.
    settings->beginGroup(ToQString(kSettingsKey).replace(QLatin1Char('\\'), QLatin1Char('/')));
    settings_ = std::move(settings);
    return true;
}

SettingsStore::ReadResult IniSettingsStore::Read(std::string_view name, std::int32_t& value) {
    if (!settings_)
        return ReadResult::Error;
    const QString key = ToQString(name);
    if (!settings_->contains(key))
        return ReadResult::Missing;
    const std::optional<qlonglong> number = WholeNumber(settings_->value(key));
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max())
        return ReadResult::Error;
    value = static_cast<std::int32_t>(*number);
    return ReadResult::Ok;
}

bool IniSettingsStore::Write(std::string_view name, std::int32_t value) {
    if (!settings_ || access_ == Access::ReadOnly)
        return false;
    settings_->setValue(ToQString(name), value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

void IniSettingsStore::Close() {
    settings_.reset();
}

} // namespace brellic
