#include "SiteState.h"

#include "Format.h"

#include <stdexcept>

namespace brellic {

std::string CurrentColumns(double quiescent, double alarm, char separator) {
    std::string text = FormatFixed(quiescent, 3, separator);
    text += " Amps\t";
    text += FormatFixed(alarm, 3, separator);
    text += " Amps";
    return text;
}

std::string DeviceText(const TDeviceData& device, char separator) {
    std::string text = FormatInt(device.Qty);
    text += '\t';
    text += device.Description;
    text += '\t';
    text += FormatInt(device.Grade);
    text += '\t';
    text += CurrentColumns(device.Quiescent, device.Alarm, separator);
    return text;
}

bool DeviceList::Append(const TDeviceData& data, char separator) {
    if (Full())
        return false;
    entries_.push_back(Entry{DeviceText(data, separator), data});
    return true;
}

void DeviceList::Update(std::size_t position, const TDeviceData& data, char separator) {
    Entry& entry = entries_.at(position);
    entry.Data = data;
    entry.Text = DeviceText(data, separator);
}

void DeviceList::Remove(std::size_t position) {
    if (position >= entries_.size())
        throw std::out_of_range("DeviceList::Remove");
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
}

void DeviceList::RebuildTexts(char separator) {
    for (Entry& entry : entries_)
        entry.Text = DeviceText(entry.Data, separator);
}

} // namespace brellic
