#pragma once

#include "editor/Settings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <QString>

class QSettings;

namespace brellic {

// The settings in an INI file, below the group "Software/Quorvex/Brellic", as
// whole numbers. Without a registry this file stands in for the key.
class IniSettingsStore final : public SettingsStore {
public:
    enum class Access {
        ReadWrite, // Open creates the folder and needs the file to be writable
        ReadOnly,  // Open needs only a readable (or missing) file; Write fails
    };

    // "Quorvex/Brellic.ini" in the user's configuration folder
    // ($XDG_CONFIG_HOME, ~/.config, or the platform's equivalent).
    IniSettingsStore();
    explicit IniSettingsStore(QString filePath, Access access = Access::ReadWrite);
    ~IniSettingsStore() override;

    IniSettingsStore(const IniSettingsStore&) = delete;
    IniSettingsStore& operator=(const IniSettingsStore&) = delete;

    // Fails when the file exists but cannot be read or is not a valid INI
    // file, and, for read-write access, when the folder cannot be created or
    // the file cannot be written. A missing file is fine: it is the first run.
    // Something other than a file there (a named pipe, a device, a folder) is
    // neither opened nor replaced, and FailureMessage says that the defaults
    // are used in its place.
    bool Open() override;
    // A value that is not a whole number in the signed 32-bit range (text, a
    // fraction, a list, a number too large) reads as an error.
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    // Writes the value and flushes it to disk; false when that fails.
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override;
    std::string FailureMessage() const override { return failure_; }

    const QString& FileName() const { return filePath_; }

    static QString DefaultFileName();

private:
    QString filePath_;
    Access access_;
    std::unique_ptr<QSettings> settings_;
    std::string failure_;
};

} // namespace brellic
