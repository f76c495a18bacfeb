#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace brellic {

// "Installation Details": the installation's name and address, and the
// standard and alarm period it is judged under, which travel with its file.
class TfrmDetails : public QDialog {
    Q_OBJECT

public:
    explicit TfrmDetails(QWidget* parent = nullptr);

    // Shows the values and, only when the dialog closes with OK, writes back
    // what was entered. The editor judges what comes back.
    bool Execute(std::string& name, std::string& address, std::int32_t& standard,
                 std::int32_t& alarmPeriod);

private:
    QLineEdit* edName;
    QLineEdit* edAddress;
    QComboBox* cbStandard;
    QSpinBox* seAlmTime;
};

} // namespace brellic
