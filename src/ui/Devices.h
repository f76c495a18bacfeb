#pragma once

#include "editor/DeviceDialog.h"

#include <QDialog>

class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace brellic {

// The device dialog: a view over one run of DeviceDialog. It shows the
// model's state when it opens and hands every change the user makes to the
// model's setters; the model alone decides what the choice means.
class TfrmDevices : public QDialog {
    Q_OBJECT

public:
    TfrmDevices(DeviceDialog& model, QWidget* parent = nullptr);

    // Fills the controls from the model and runs the dialog modally; true
    // when it closed with OK.
    bool ShowModal();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildList();
    void BuildCustomGroup();
    void Connect();
    void FillFromModel();
    void FormCreate();
    void lbDeviceClick();
    void ShowCustomEnabling();
    void BitBtn1Click();

    DeviceDialog& model_;

    QTreeWidget* lbDevice = nullptr;
    QGroupBox* gbCustom = nullptr;
    QLabel* lbDesc = nullptr;
    QLineEdit* edDesc = nullptr;
    QLabel* lbNorm = nullptr;
    QDoubleSpinBox* ceNorm = nullptr;
    QLabel* lbAmps1 = nullptr;
    QLabel* lbAlarm = nullptr;
    QDoubleSpinBox* ceAlarm = nullptr;
    QLabel* lbAmps2 = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* seQty = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace brellic
