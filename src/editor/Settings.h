#pragma once

#include "model/SiteState.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace brellic {

// Where the two settings live: below HKEY_LOCAL_MACHINE on Windows, in an INI
// file's group of the same path elsewhere.
inline constexpr std::string_view kSettingsKey = "Software\\Quorvex\\Brellic";
inline constexpr std::string_view kSystemStandardValue = "System Standard";
inline constexpr std::string_view kAlarmPeriodValue = "Alarm Period";
inline constexpr std::int32_t kDefaultSystemStandard = 1; // PD6662
inline constexpr std::int32_t kDefaultAlarmPeriod = 15;   // minutes
// The alarm periods the Options dialog offers. A stored value outside them
// (a hand-edited file, another program's key) is never used: the default
// takes its place, since a period such as -2147483648 turns the alarm load
// into a charge and lets any site pass.
inline constexpr std::int32_t kMinAlarmPeriod = 1;
inline constexpr std::int32_t kMaxAlarmPeriod = 120;

// The store the two settings are kept in between runs. The load and save
// algorithms are written once against this interface.
class SettingsStore {
public:
    enum class ReadResult {
        Ok,      // value holds the stored 32-bit whole number
        Missing, // no value of that name
        Error,   // a value of another type or size: the load stops there
    };

    virtual ~SettingsStore() = default;
    // Opens the key, creating it when it does not exist; false when neither works.
    virtual bool Open() = 0;
    virtual ReadResult Read(std::string_view name, std::int32_t& value) = 0;
    virtual bool Write(std::string_view name, std::int32_t value) = 0;
    virtual void Close() = 0;
    // Why the last Open failed, naming the file, when the user must be told:
    // the store's file is something that is not a file at all. Empty
    // otherwise, for the failures that the load and the save pass over.
    virtual std::string FailureMessage() const { return {}; }
};

// Reads both settings into the site. A missing value takes its default; a
// value that cannot be read stops the load and leaves that setting and the
// ones after it as they were. A store that cannot be opened changes nothing.
// An alarm period outside kMinAlarmPeriod to kMaxAlarmPeriod reads as the
// default. Returns what the user must be told.
struct SettingsNotices {
    std::string StoreFailure; // the store's FailureMessage: the defaults are used
    std::string AlarmPeriod;  // the stored period was replaced by the default
};
SettingsNotices LoadSettings(SettingsStore& store, SiteState& site);

// "The stored alarm period (VALUE minutes) is outside 1 to 120; 15 minutes is used."
std::string AlarmPeriodOutOfRangeMessage(std::int32_t period);

// Writes both settings; a store that cannot be opened is left alone.
void SaveSettings(SettingsStore& store, const SiteState& site);

// An in-memory store for tests and for programs that must not touch the
// user's settings. A value held as text reads as an error, as a registry
// value of the wrong type does.
class MemorySettingsStore final : public SettingsStore {
public:
    using Value = std::variant<std::int32_t, std::string>;

    bool Open() override;
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override { open_ = false; }
    std::string FailureMessage() const override { return failOpen ? failureMessage : ""; }

    std::map<std::string, Value, std::less<>> values;
    bool failOpen = false;      // behave as a key that can be neither opened nor created
    std::string failureMessage; // what FailureMessage gives while failOpen is set
    bool created = false;       // the key exists (set by the first successful Open)
    int writeCount = 0;

private:
    bool open_ = false;
};

} // namespace brellic
