#include "WindowControls.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QStringList>

namespace brellic {

namespace {

const QColor kValueBlue(0, 0, 255);

} // namespace

QLabel* MakeLabel(const QString& text, QWidget* parent, bool bold) {
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLabel* MakeValue(const char* name, const QString& text, QWidget* parent, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kValueBlue);
    label->setPalette(palette);
    return label;
}

void SetText(QLabel* label, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (label->text() != value)
        label->setText(value);
}

void SetColour(QLabel* label, const Rgb& rgb) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(rgb.Red, rgb.Green, rgb.Blue));
    label->setPalette(palette);
}

void ShowItems(QComboBox* combo, const std::vector<std::string>& items, int selected) {
    QStringList wanted;
    for (const std::string& item : items)
        wanted << QString::fromStdString(item);
    QStringList current;
    for (int i = 0; i < combo->count(); ++i)
        current << combo->itemText(i);
    if (current != wanted) {
        combo->clear();
        combo->addItems(wanted);
    }
    combo->setCurrentIndex(selected);
}

void SetShortcut(QAction* action, QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys << fallback;
    action->setShortcuts(keys);
}

QGroupBox* MakeGroup(const char* name, const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

} // namespace brellic
