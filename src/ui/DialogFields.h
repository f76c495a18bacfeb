#pragma once

#include <QString>

#include <string>

class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The fields the cable-run dialogs build their forms from.
namespace brellic {

inline QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// A number field of so many decimals up to maximum. The point, the comma and
// the locale's separator all mean the decimal separator, as in the device
// dialog; text no further typing can mend is not taken.
QLineEdit* NumberEdit(const char* name, int decimals, double maximum, char separator,
                      QWidget* parent);

// A row of the form whose label's shortcut takes the user to field, which
// may sit in a box with its unit.
void AddRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* shown = nullptr);

// A field with its unit after it.
QWidget* WithUnit(QWidget* field, const QString& unit, QWidget* parent);

// OK, the default, and Cancel, closing the dialog with accept and reject.
QDialogButtonBox* OkCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace brellic
