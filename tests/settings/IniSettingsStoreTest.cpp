// What only the INI store has: its file's layout, text that is not a 32-bit
// whole number, files and folders that cannot be used, and its default place.

#include "../io/SpecialFiles.h"
#include "settings/IniSettingsStore.h"
#include "settings/PlatformSettings.h"

#include <cstdint>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace brellic {
namespace {

using ReadResult = SettingsStore::ReadResult;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

class IniSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Brellic.ini"));
};

TEST_F(IniSettingsStoreTest, SaveWritesBothValuesBelowTheGroup) {
    IniSettingsStore store(path);
    SiteState site;
    site.SystemStandard = 0;
    site.AlarmPeriod = 30;
    SaveSettings(store, site);

    const QSettings file(path, QSettings::IniFormat);
    EXPECT_EQ(file.allKeys(),
              (QStringList{QStringLiteral("Software/Quorvex/Brellic/Alarm Period"),
                           QStringLiteral("Software/Quorvex/Brellic/System Standard")}));
    EXPECT_EQ(file.value(QStringLiteral("Software/Quorvex/Brellic/System Standard")).toString(),
              QStringLiteral("0"));
    EXPECT_EQ(file.value(QStringLiteral("Software/Quorvex/Brellic/Alarm Period")).toString(),
              QStringLiteral("30"));
    // The numbers are plain text a user can read and edit.
    EXPECT_TRUE(ReadAll(path).contains("Quorvex\\Brellic\\Alarm%20Period=30"));
}

TEST_F(IniSettingsStoreTest, OnlyWholeNumbersInTheSigned32BitRangeRead) {
    struct Case {
        const char* text;
        ReadResult result;
        std::int32_t value;
    };
    const Case cases[] = {
        {"42", ReadResult::Ok, 42},
        {" -7 ", ReadResult::Ok, -7},
        {"2147483647", ReadResult::Ok, 2147483647},
        {"-2147483648", ReadResult::Ok, -2147483647 - 1},
        {"2147483648", ReadResult::Error, 0},
        {"-2147483649", ReadResult::Error, 0},
        {"99999999999", ReadResult::Error, 0},
        {"1.5", ReadResult::Error, 0},
        {"15 minutes", ReadResult::Error, 0},
        {"0x10", ReadResult::Error, 0},
        {"", ReadResult::Error, 0},
        {"1, 2", ReadResult::Error, 0}, // QSettings reads this as a list
        {"true", ReadResult::Error, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString file = dir.filePath(QStringLiteral("case%1.ini").arg(&c - cases));
        ASSERT_TRUE(WriteAll(file, QByteArray("[Software]\nQuorvex\\Brellic\\Alarm%20Period=") +
                                       c.text + "\n"));
        IniSettingsStore store(file);
        ASSERT_TRUE(store.Open());
        std::int32_t value = 0;
        EXPECT_EQ(store.Read(kAlarmPeriodValue, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(store.Read(kSystemStandardValue, value), ReadResult::Missing);
    }
}

// Opened twice on purpose: QSettings reports a bad file only once per process.
TEST_F(IniSettingsStoreTest, FileThatIsNotValidIniIsNotOpenedNorOverwritten) {
    const QByteArray brokenFiles[] = {
        "[Software\nQuorvex\\Brellic\\Alarm%20Period=30\n",
        "[Software]\nQuorvex\\Brellic\\Alarm%20Period=30\nSystem Standard 0\n",
    };
    for (const QByteArray& broken : brokenFiles) {
        SCOPED_TRACE(broken.constData());
        const QString file =
            dir.filePath(QStringLiteral("broken%1.ini").arg(&broken - brokenFiles));
        ASSERT_TRUE(WriteAll(file, broken));
        IniSettingsStore store(file);
        EXPECT_FALSE(store.Open());
        IniSettingsStore readOnly(file, IniSettingsStore::Access::ReadOnly);
        EXPECT_FALSE(readOnly.Open());

        SiteState site;
        site.AlarmPeriod = 9;
        LoadSettings(store, site);
        SaveSettings(store, site);
        EXPECT_EQ(site.AlarmPeriod, 9);
        EXPECT_EQ(ReadAll(file), broken);
    }
}

// A named pipe in the file's place would make every start wait for ever; a
// folder there must not end the program either. Neither is opened or replaced.
TEST_F(IniSettingsStoreTest, WhatIsNotAFileIsLeftAloneAndTheDefaultsAreUsed) {
    const test::FailIfStuck guard;
    const QString folder = dir.filePath(QStringLiteral("Folder.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    test::MakeFifo(path.toStdString());
    for (const QString& what : {path, folder}) {
        for (const auto access :
             {IniSettingsStore::Access::ReadWrite, IniSettingsStore::Access::ReadOnly}) {
            IniSettingsStore store(what, access);
            SiteState site;
            site.AlarmPeriod = 9;
            EXPECT_EQ(LoadSettings(store, site).StoreFailure,
                      "The settings file " + what.toStdString() +
                          " is not a regular file; the default settings are used.");
            SaveSettings(store, site);
            EXPECT_EQ(site.AlarmPeriod, 9);
        }
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo(path).isFile());
    IniSettingsStore healthy(dir.filePath(QStringLiteral("other.ini")));
    EXPECT_TRUE(healthy.Open());
    EXPECT_EQ(healthy.FailureMessage(), "");
}

TEST_F(IniSettingsStoreTest, FolderThatCannotBeCreatedFailsTheOpen) {
    const QString blocker = dir.filePath(QStringLiteral("plain-file"));
    ASSERT_TRUE(WriteAll(blocker, "x"));
    IniSettingsStore store(blocker + QStringLiteral("/Quorvex/Brellic.ini"));
    EXPECT_FALSE(store.Open());
}

TEST_F(IniSettingsStoreTest, OpenCreatesMissingFoldersButNotTheFile) {
    const QString nested = dir.filePath(QStringLiteral("a/b/Brellic.ini"));
    IniSettingsStore store(nested);
    ASSERT_TRUE(store.Open());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("a/b"))).exists());
    store.Close();
    EXPECT_FALSE(QFile::exists(nested));
}

TEST_F(IniSettingsStoreTest, WriteReportsAFileThatCanNoLongerBeWritten) {
    const QString folder = dir.filePath(QStringLiteral("cfg"));
    IniSettingsStore store(folder + QStringLiteral("/Brellic.ini"));
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Write(kSystemStandardValue, 1));
    // The folder goes away under the open store and a file takes its name.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(WriteAll(folder, "x"));
    EXPECT_FALSE(store.Write(kAlarmPeriodValue, 15));
}

TEST_F(IniSettingsStoreTest, ReadOnlyAccessReadsButNeverWrites) {
    IniSettingsStore missing(dir.filePath(QStringLiteral("none/Brellic.ini")),
                             IniSettingsStore::Access::ReadOnly);
    ASSERT_TRUE(missing.Open());
    std::int32_t value = 0;
    EXPECT_EQ(missing.Read(kSystemStandardValue, value), ReadResult::Missing);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("none"))).exists());

    const QByteArray content("[Software]\nQuorvex\\Brellic\\System%20Standard=0\n");
    ASSERT_TRUE(WriteAll(path, content));
    IniSettingsStore store(path, IniSettingsStore::Access::ReadOnly);
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(store.Read(kSystemStandardValue, value), ReadResult::Ok);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(store.Write(kSystemStandardValue, 1));
    store.Close();
    EXPECT_EQ(ReadAll(path), content);
}

TEST_F(IniSettingsStoreTest, ReadAndWriteNeedAnOpenStore) {
    IniSettingsStore store(path);
    std::int32_t value = 3;
    EXPECT_EQ(store.Read(kSystemStandardValue, value), ReadResult::Error);
    EXPECT_FALSE(store.Write(kSystemStandardValue, 1));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(QFile::exists(path));
}

// Finding the default file once read a pipe in its place, before anything
// had looked at what was there, and hung the window and brellic-cli alike.
TEST(PlatformSettingsStoreTest, APipeInTheDefaultPlaceDoesNotHang) {
    const test::FailIfStuck guard;
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Quorvex")));
    const QString pipe = home.filePath(QStringLiteral("Quorvex/Brellic.ini"));
    test::MakeFifo(pipe.toStdString());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    SiteState site;
    EXPECT_EQ(LoadSettings(*CreatePlatformSettingsStore(), site).StoreFailure,
              "The settings file " + pipe.toStdString() +
                  " is not a regular file; the default settings are used.");
    qputenv("XDG_CONFIG_HOME", previous);
}

TEST(PlatformSettingsStoreTest, LivesInTheUsersConfigurationFolder) {
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        GTEST_SKIP() << "XDG_CONFIG_HOME is set by the test registration";
    const QString expected = QDir(configHome).filePath(QStringLiteral("Quorvex/Brellic.ini"));
    EXPECT_EQ(IniSettingsStore::DefaultFileName(), expected);
    QFile::remove(expected);

    SiteState site;
    site.SystemStandard = 0;
    site.AlarmPeriod = 45;
    SaveSettings(*CreatePlatformSettingsStore(), site);
    ASSERT_TRUE(QFile::exists(expected));

    SiteState loaded;
    LoadSettings(*CreatePlatformSettingsStore(), loaded);
    EXPECT_EQ(loaded.SystemStandard, 0);
    EXPECT_EQ(loaded.AlarmPeriod, 45);
    QFile::remove(expected);
}

} // namespace
} // namespace brellic
