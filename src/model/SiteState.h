#pragma once

#include "Extended.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brellic {

// The standard's name as every output spells it.
inline const char* StandardName(std::int32_t standard) {
    return standard == 0 ? "EN50131-1" : "PD6662";
}

// Everything that describes the site being edited, apart from the texts held
// by the window's controls. Text fields hold UTF-8; site files and reports
// convert them to single-byte text at their boundary.
struct SiteState {
    std::int32_t SystemStandard = 0; // 0 = EN50131-1, any other value = PD6662
    std::int32_t AlarmPeriod = 0;    // minutes
    std::int32_t SystemGrade = 0;    // 1 to 3; -1 after a reset
    std::int32_t PanelIndex = 0;     // PanelTable row; -1 when none
    std::int32_t StandbyHours = 0;   // required standby time
    Extended BatteryCapacity = 0;    // ampere-hours; 0 while no battery is chosen
    double PeakCurrent = 0;          // amperes the panel can deliver to the load
    bool Modified = false;
    std::string SiteFileName; // full path; empty while untitled
};

// One device line of the site. The currents are line totals (per unit x Qty).
struct TDeviceData {
    std::int32_t Qty = 0;
    std::int32_t Grade = 0;
    std::string Description;
    double Quiescent = 0;
    double Alarm = 0;

    friend bool operator==(const TDeviceData&, const TDeviceData&) = default;
};

// "%.3f Amps\t%.3f Amps": the quiescent and alarm columns of a device row.
std::string CurrentColumns(double quiescent, double alarm, char separator);

// "%d\t%s\t%d\t%.3f Amps\t%.3f Amps": the five list columns of a device line.
std::string DeviceText(const TDeviceData& device, char separator);

// The ordered device list. It owns its entries by value; each entry keeps the
// display text of its data, rebuilt whenever the data changes.
class DeviceList {
public:
    static constexpr std::size_t kCapacity = 100;

    struct Entry {
        std::string Text;
        TDeviceData Data;
    };

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    bool Full() const { return entries_.size() >= kCapacity; }
    const Entry& At(std::size_t position) const { return entries_.at(position); }

    // Appends an entry for data; false (and nothing appended) when full.
    bool Append(const TDeviceData& data, char separator);
    // Copies data into the entry's own object and rewrites its text.
    void Update(std::size_t position, const TDeviceData& data, char separator);
    void Remove(std::size_t position);
    // Rewrites every text, for a change of decimal separator.
    void RebuildTexts(char separator);
    void ClearDevices() { entries_.clear(); }

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
};

} // namespace brellic
