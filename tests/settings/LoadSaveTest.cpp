// LoadSettings and SaveSettings over every store this build has: the same
// stories must hold for the in-memory store and for the store on disk.

#include "editor/Settings.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#ifdef BRELLIC_HAVE_INI_STORE
#include "settings/IniSettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#endif

namespace brellic {
namespace {

const std::string kStandard(kSystemStandardValue);
const std::string kPeriod(kAlarmPeriodValue);

struct MemoryHarness {
    MemorySettingsStore store;

    void SetNumber(const std::string& name, std::int32_t value) { store.values[name] = value; }
    void SetText(const std::string& name, const std::string& text) { store.values[name] = text; }
    void BreakOpen() { store.failOpen = true; }
    std::optional<std::int32_t> Stored(const std::string& name) const {
        const auto it = store.values.find(name);
        if (it == store.values.end())
            return std::nullopt;
        if (const auto* number = std::get_if<std::int32_t>(&it->second))
            return *number;
        return std::nullopt;
    }
};

#ifdef BRELLIC_HAVE_INI_STORE
struct IniHarness {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Brellic.ini"));
    IniSettingsStore store{path};

    // Written by another QSettings, as a user editing the file would.
    void SetRaw(const std::string& name, const QVariant& value) {
        QSettings file(path, QSettings::IniFormat);
        file.setValue(QStringLiteral("Software/Quorvex/Brellic/") + QString::fromStdString(name),
                      value);
    }
    void SetNumber(const std::string& name, std::int32_t value) { SetRaw(name, value); }
    void SetText(const std::string& name, const std::string& text) {
        SetRaw(name, QString::fromStdString(text));
    }
    // A folder where the file should be: it can be neither read nor written.
    void BreakOpen() { ASSERT_TRUE(QDir().mkpath(path)); }
    std::optional<std::int32_t> Stored(const std::string& name) const {
        const QSettings file(path, QSettings::IniFormat);
        bool ok = false;
        const int value =
            file.value(QStringLiteral("Software/Quorvex/Brellic/") + QString::fromStdString(name))
                .toInt(&ok);
        return ok ? std::optional<std::int32_t>(value) : std::nullopt;
    }
};
#endif

template <typename Harness> class LoadSaveTest : public ::testing::Test {
protected:
    Harness harness;
    SettingsStore& Store() { return harness.store; }
};

#ifdef BRELLIC_HAVE_INI_STORE
using Harnesses = ::testing::Types<MemoryHarness, IniHarness>;
#else
using Harnesses = ::testing::Types<MemoryHarness>;
#endif
TYPED_TEST_SUITE(LoadSaveTest, Harnesses);

TYPED_TEST(LoadSaveTest, FirstRunLoadsDefaultsWithoutWritingAndSaveWritesBoth) {
    SiteState site;
    LoadSettings(this->Store(), site);
    EXPECT_EQ(site.SystemStandard, 1);
    EXPECT_EQ(site.AlarmPeriod, 15);
    EXPECT_EQ(this->harness.Stored(kStandard), std::nullopt);
    EXPECT_EQ(this->harness.Stored(kPeriod), std::nullopt);

    SaveSettings(this->Store(), site);
    EXPECT_EQ(this->harness.Stored(kStandard), 1);
    EXPECT_EQ(this->harness.Stored(kPeriod), 15);
}

// Any stored standard counts (every value but 0 is PD6662); an alarm period
// the Options dialog cannot set is replaced by the default, and said so:
// -2147483648 minutes once turned the alarm load into a charge.
TYPED_TEST(LoadSaveTest, ThePeriodIsUsedOnlyWithinTheOptionsRange) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t standard, period, loaded;
    };
    for (const Case c : {Case{5, 1, 1}, Case{kMin, 120, 120}, Case{0, 0, 15}, Case{kMax, 121, 15},
                         Case{-1, -30, 15}, Case{0, kMin, 15}, Case{0, kMax, 15}}) {
        this->harness.SetNumber(kStandard, c.standard);
        this->harness.SetNumber(kPeriod, c.period);
        SiteState site;
        const SettingsNotices notices = LoadSettings(this->Store(), site);
        EXPECT_EQ(site.SystemStandard, c.standard);
        EXPECT_EQ(site.AlarmPeriod, c.loaded) << c.period;
        EXPECT_EQ(notices.AlarmPeriod,
                  c.loaded == c.period ? ""
                                       : "The stored alarm period (" + std::to_string(c.period) +
                                             " minutes) is outside 1 to 120; 15 minutes is used.");
        EXPECT_EQ(notices.StoreFailure, "");
    }
}

TYPED_TEST(LoadSaveTest, SaveThenLoadRoundTrips) {
    SiteState saved;
    saved.SystemStandard = 0;
    saved.AlarmPeriod = 120;
    SaveSettings(this->Store(), saved);
    saved.SystemStandard = 7; // a second save replaces the first
    SaveSettings(this->Store(), saved);

    SiteState loaded;
    LoadSettings(this->Store(), loaded);
    EXPECT_EQ(loaded.SystemStandard, 7);
    EXPECT_EQ(loaded.AlarmPeriod, 120);
}

TYPED_TEST(LoadSaveTest, StandardHeldAsTextStopsTheLoadBeforeEitherValue) {
    this->harness.SetText(kStandard, "PD6662");
    this->harness.SetNumber(kPeriod, 30);
    SiteState site;
    site.SystemStandard = 4;
    site.AlarmPeriod = 9;
    LoadSettings(this->Store(), site);
    EXPECT_EQ(site.SystemStandard, 4);
    EXPECT_EQ(site.AlarmPeriod, 9);
}

TYPED_TEST(LoadSaveTest, PeriodHeldAsTextKeepsThePeriodOnly) {
    this->harness.SetNumber(kStandard, 0);
    this->harness.SetText(kPeriod, "ten");
    SiteState site;
    site.SystemStandard = 4;
    site.AlarmPeriod = 9;
    LoadSettings(this->Store(), site);
    EXPECT_EQ(site.SystemStandard, 0);
    EXPECT_EQ(site.AlarmPeriod, 9);
}

TYPED_TEST(LoadSaveTest, StoreThatCannotBeOpenedChangesNothing) {
    this->harness.BreakOpen();
    SiteState site;
    site.SystemStandard = 4;
    site.AlarmPeriod = 9;
    LoadSettings(this->Store(), site);
    EXPECT_EQ(site.SystemStandard, 4);
    EXPECT_EQ(site.AlarmPeriod, 9);

    SaveSettings(this->Store(), site);
    EXPECT_EQ(this->harness.Stored(kStandard), std::nullopt);
    EXPECT_EQ(this->harness.Stored(kPeriod), std::nullopt);
}

} // namespace
} // namespace brellic
