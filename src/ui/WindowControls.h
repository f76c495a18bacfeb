#pragma once

#include "model/DisplayTexts.h"

#include <QKeySequence>
#include <QString>
#include <Qt>

#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace brellic {

// Small builders and setters for the controls of the main window: its own
// layout stays in MainWindow.cpp, and its rules in the editor.

// A caption label, bold when asked.
QLabel* MakeLabel(const QString& text, QWidget* parent, bool bold = false);

// A value label: blue text that the editor's display texts fill in.
QLabel* MakeValue(const char* name, const QString& text, QWidget* parent,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Sets a label's text only when it differs.
void SetText(QLabel* label, const std::string& text);

// Sets a label's text colour.
void SetColour(QLabel* label, const Rgb& rgb);

// Refills a drop-down list only when its items differ, so an open list is
// not rebuilt under the user for nothing.
void ShowItems(QComboBox* combo, const std::vector<std::string>& items, int selected);

// The platform's keys for a standard command, or the usual key where the
// platform has none (Windows has none for Save As or Quit).
void SetShortcut(QAction* action, QKeySequence::StandardKey key, const QKeySequence& fallback);

// A group box with an object name.
QGroupBox* MakeGroup(const char* name, const QString& title, QWidget* parent);

} // namespace brellic
