#pragma once

#include <cstdint>

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace brellic {

// The modal dialog for the two settings that apply to every site: the
// standard the installation must meet and the alarm (bell) period.
class TfrmOptions : public QDialog {
    Q_OBJECT

public:
    explicit TfrmOptions(QWidget* parent = nullptr);

    // Shows standard and period, runs the dialog modally and, only when it
    // closes with OK, writes back the chosen radio index (0 or 1) and minutes
    // (1 to 120). Any non-zero standard shows as PD6662; a period outside
    // 1 to 120 shows as the nearer bound.
    // With own, the values are an open installation's: shown disabled, with
    // a note of where they are changed, and never written back.
    bool ExecuteOptions(std::int32_t& standard, std::int32_t& period, bool own = false);

private:
    QGroupBox* rgStandard;
    QButtonGroup* standardItems_;
    QRadioButton* rbEN50131;
    QRadioButton* rbPD6662;
    QGroupBox* gbAlarmPeriod;
    QLabel* Label1;
    QSpinBox* seAlmTime;
    QLabel* Label2;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QLabel* lbOwnValues;
};

} // namespace brellic
