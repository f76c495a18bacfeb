#pragma once

#include "model/Extended.h"
#include "model/SiteState.h"

#include <functional>
#include <string>
#include <vector>

namespace brellic {

// What a device line may hold: its quantity, and a custom device's currents in amps.
inline constexpr int kMinQuantity = 1;
inline constexpr int kMaxQuantity = 999;
inline constexpr double kMaxCustomAmps = 9.999;

// The state of one run of the device dialog and its rules, without widgets.
// The window's dialog shows this state and reports the user's changes
// through the setters; tests and the command-line tool drive it directly.
class DeviceDialog {
public:
    // Shows the dialog modally; true when it closed with OK.
    using ShowModal = std::function<bool(DeviceDialog&)>;

    // Choice rows: the catalogue devices for the panel family and grade, then "Custom".
    const std::vector<std::string>& Rows() const { return rows_; }
    int CustomIndex() const { return customIndex_; }
    int Selected() const { return selected_; }
    // The quantity to show: the stored one held within the spin range.
    int ShownQuantity() const;
    int Quantity() const { return quantity_; }
    const std::string& CustomDescription() const { return description_; }
    Extended CustomQuiescent() const { return quiescent_; }
    Extended CustomAlarm() const { return alarm_; }
    bool CustomEnabled() const { return customEnabled_; }

    // The user's changes.
    void SelectRow(int row);
    void SetQuantity(int quantity);
    // Descriptions longer than 50 characters are cut; false (and nothing
    // changed) for a character a site file cannot hold.
    bool SetCustomDescription(const std::string& text);
    // Currents per unit, held within 0.000 to 9.999 A.
    void SetCustomQuiescent(double amps);
    void SetCustomAlarm(double amps);

    // Enables the custom-device fields exactly while "Custom" is selected.
    void UpdateCustomGroup();

    bool ExecuteAdd(unsigned family, int systemGrade, TDeviceData& entry, const ShowModal& show,
                    char separator);
    bool ExecuteEdit(unsigned family, int systemGrade, TDeviceData& entry, const ShowModal& show,
                     char separator);

    // The text of a catalogue choice row.
    static std::string ChoiceText(int catalogueRow, char separator);

private:
    void BuildChoiceRows(unsigned family, int grade, char separator);
    bool ReadChoice(TDeviceData& entry, int systemGrade) const;

    std::vector<std::string> rows_;
    int customIndex_ = 0;
    int selected_ = -1;
    int quantity_ = 1;
    std::string description_;
    Extended quiescent_ = 0; // amperes per unit
    Extended alarm_ = 0;     // amperes per unit
    bool customEnabled_ = false;
};

} // namespace brellic
