#include "Settings.h"

#include "model/Format.h"

namespace brellic {

std::string AlarmPeriodOutOfRangeMessage(std::int32_t period) {
    return "The stored alarm period (" + FormatInt(period) + " minutes) is outside " +
           FormatInt(kMinAlarmPeriod) + " to " + FormatInt(kMaxAlarmPeriod) + "; " +
           FormatInt(kDefaultAlarmPeriod) + " minutes is used.";
}

SettingsNotices LoadSettings(SettingsStore& store, SiteState& site) {
    SettingsNotices notices;
    if (!store.Open()) {
        notices.StoreFailure = store.FailureMessage();
        return notices;
    }
    std::int32_t value = 0;
    switch (store.Read(kSystemStandardValue, value)) {
    case SettingsStore::ReadResult::Ok:
        site.SystemStandard = value;
        break;
    case SettingsStore::ReadResult::Missing:
        site.SystemStandard = kDefaultSystemStandard;
        break;
    case SettingsStore::ReadResult::Error:
        store.Close();
        return notices;
    }
    switch (store.Read(kAlarmPeriodValue, value)) {
    case SettingsStore::ReadResult::Ok:
        if (value < kMinAlarmPeriod || value > kMaxAlarmPeriod) {
            site.AlarmPeriod = kDefaultAlarmPeriod;
            notices.AlarmPeriod = AlarmPeriodOutOfRangeMessage(value);
        } else {
            site.AlarmPeriod = value;
        }
        break;
    case SettingsStore::ReadResult::Missing:
        site.AlarmPeriod = kDefaultAlarmPeriod;
        break;
    case SettingsStore::ReadResult::Error:
        break;
    }
    store.Close();
    return notices;
}

void SaveSettings(SettingsStore& store, const SiteState& site) {
    if (!store.Open())
        return;
    store.Write(kSystemStandardValue, site.SystemStandard);
    store.Write(kAlarmPeriodValue, site.AlarmPeriod);
    store.Close();
}

bool MemorySettingsStore::Open() {
    if (failOpen)
        return false;
    created = true;
    open_ = true;
    return true;
}

SettingsStore::ReadResult MemorySettingsStore::Read(std::string_view name, std::int32_t& value) {
    const auto it = values.find(name);
    if (!open_ || it == values.end())
        return ReadResult::Missing;
    if (const auto* number = std::get_if<std::int32_t>(&it->second)) {
        value = *number;
        return ReadResult::Ok;
    }
    return ReadResult::Error;
}

bool MemorySettingsStore::Write(std::string_view name, std::int32_t value) {
    if (!open_)
        return false;
    values[std::string(name)] = value;
    ++writeCount;
    return true;
}

} // namespace brellic
