#include "ui/DialogFields.h"

#include "editor/DecimalEntry.h"
#include "ui/Named.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace brellic {

namespace {

// A number field. The point, the comma and the locale's separator all mean
// the decimal separator, as in the device dialog; text no further typing can
// mend is not taken.
class DecimalValidator final : public QValidator {
public:
    DecimalValidator(int decimals, double maximum, char separator, QObject* parent)
        : QValidator(parent), decimals_(decimals), maximum_(maximum), separator_(separator) {}

    State validate(QString& text, int&) const override {
        switch (ReadDecimalEntry(text.toStdString(), separator_, decimals_, maximum_).State) {
        case EntryState::Acceptable:
            return Acceptable;
        // Ambiguous text stays as typed: OK refuses it, saying why.
        case EntryState::Intermediate:
        case EntryState::Ambiguous:
            return Intermediate;
        case EntryState::Invalid:
            break;
        }
        return Invalid;
    }

private:
    int decimals_;
    double maximum_;
    char separator_;
};

} // namespace

QLineEdit* NumberEdit(const char* name, int decimals, double maximum, char separator,
                      QWidget* parent) {
    auto* edit = Named<QLineEdit>(name, parent);
    edit->setValidator(new DecimalValidator(decimals, maximum, separator, edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMaximumWidth(90);
    return edit;
}

// A row of the form whose label's shortcut takes the user to field, which
// may sit in a box with its unit.
void AddRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* shown) {
    auto* caption = new QLabel(label, form->parentWidget());
    caption->setBuddy(field);
    form->addRow(caption, shown != nullptr ? shown : field);
}

// A field with its unit after it.
QWidget* WithUnit(QWidget* field, const QString& unit, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(unit, box));
    layout->addStretch(1);
    return box;
}

// OK, the default, and Cancel, closing the dialog with accept and reject.
QDialogButtonBox* OkCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = Named<QPushButton>("btnOK", QStringLiteral("OK"), dialog);
    cancel = Named<QPushButton>("btnCancel", QStringLiteral("Cancel"), dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace brellic
