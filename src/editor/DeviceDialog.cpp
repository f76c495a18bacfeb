#include "DeviceDialog.h"

#include "io/Cp1252.h"
#include "io/SiteFile.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <cmath>

namespace brellic {

namespace {

// The key of a choice row is its text before the first TAB.
std::string_view Key(std::string_view row) {
    return row.substr(0, row.find('\t'));
}

// The units a line's currents are divided among. A quantity of 0 (possible
// only from a site file) counts as one unit, so its line currents are shown
// and kept as they are.
Extended Units(int quantity) {
    return quantity > 0 ? static_cast<Extended>(quantity) : 1;
}

} // namespace

std::string DeviceDialog::ChoiceText(int catalogueRow, char separator) {
    const CatalogueDevice& device = DeviceCatalogue[static_cast<std::size_t>(catalogueRow)];
    std::string text(device.Name);
    text += '\t';
    text += FormatInt(device.Grade);
    text += '\t';
    text += CurrentColumns(device.Quiescent, device.Alarm, separator);
    return text;
}

int DeviceDialog::ShownQuantity() const {
    return std::clamp(quantity_, kMinQuantity, kMaxQuantity);
}

void DeviceDialog::SelectRow(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    UpdateCustomGroup();
}

void DeviceDialog::SetQuantity(int quantity) {
    quantity_ = std::clamp(quantity, kMinQuantity, kMaxQuantity);
}

bool DeviceDialog::SetCustomDescription(const std::string& text) {
    if (!IsCp1252Text(text))
        return false;
    description_ = std::string(Utf8Prefix(text, kSiteTextCapacity));
    return true;
}

// A negative current has no meaning for a device, and negative lines are the
// only way the quiescent total could reach zero.
void DeviceDialog::SetCustomQuiescent(double amps) {
    quiescent_ = std::isnan(amps) ? 0.0 : std::clamp(amps, 0.0, kMaxCustomAmps);
}

void DeviceDialog::SetCustomAlarm(double amps) {
    alarm_ = std::isnan(amps) ? 0.0 : std::clamp(amps, 0.0, kMaxCustomAmps);
}

void DeviceDialog::UpdateCustomGroup() {
    customEnabled_ = selected_ >= 0 && selected_ == customIndex_;
}

void DeviceDialog::BuildChoiceRows(unsigned family, int grade, char separator) {
    rows_.clear();
    for (int row : CatalogueForFamily(family, grade))
        rows_.push_back(ChoiceText(row, separator));
    rows_.emplace_back("Custom");
    customIndex_ = static_cast<int>(rows_.size()) - 1;
}

bool DeviceDialog::ExecuteAdd(unsigned family, int systemGrade, TDeviceData& entry,
                              const ShowModal& show, char separator) {
    BuildChoiceRows(family, systemGrade, separator);
    selected_ = 0;
    if (!show(*this))
        return false;
    return ReadChoice(entry, systemGrade);
}

bool DeviceDialog::ExecuteEdit(unsigned family, int systemGrade, TDeviceData& entry,
                               const ShowModal& show, char separator) {
    BuildChoiceRows(family, systemGrade, separator);
    // A quantity of 0 (only possible from a site file) is kept until the user
    // changes it; the spin box shows it as 1.
    quantity_ = std::min(std::max(entry.Qty, 0), kMaxQuantity);

    // Only catalogue rows take part in the search: "Custom" is a choice, not a
    // device, so an entry without a description still opens with its
    // currents filled in below.
    int found = -1;
    for (int row = 0; row < customIndex_ && found < 0; ++row) {
        if (Key(rows_[static_cast<std::size_t>(row)]) == entry.Description)
            found = row;
    }
    if (found >= 0) {
        selected_ = found;
    } else {
        selected_ = customIndex_;
        description_ = entry.Description;
        // Per-unit currents, kept in extended precision so that OK multiplies
        // back to the very same line totals.
        const ExtendedPrecisionScope precision;
        quiescent_ = static_cast<Extended>(entry.Quiescent) / Units(entry.Qty);
        alarm_ = static_cast<Extended>(entry.Alarm) / Units(entry.Qty);
    }
    UpdateCustomGroup();
    if (!show(*this))
        return false;
    return ReadChoice(entry, systemGrade);
}

bool DeviceDialog::ReadChoice(TDeviceData& entry, int systemGrade) const {
    const ExtendedPrecisionScope precision;
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size()))
        return false;
    if (selected_ == customIndex_) {
        entry.Description = description_;
        entry.Grade = systemGrade;
        entry.Qty = quantity_;
        entry.Quiescent = static_cast<double>(quiescent_ * Units(quantity_));
        entry.Alarm = static_cast<double>(alarm_ * Units(quantity_));
        return true;
    }
    const std::string_view key = Key(rows_[static_cast<std::size_t>(selected_)]);
    entry.Description = std::string(key);
    entry.Qty = quantity_;
    for (const CatalogueDevice& device : DeviceCatalogue) {
        if (device.Name == key) {
            entry.Grade = device.Grade;
            entry.Quiescent =
                static_cast<double>(static_cast<Extended>(entry.Qty) * device.Quiescent);
            entry.Alarm = static_cast<double>(static_cast<Extended>(entry.Qty) * device.Alarm);
        }
    }
    return true;
}

} // namespace brellic
