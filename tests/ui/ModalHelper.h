#pragma once

// Driving real modal windows from Qt Test. The program's exec() blocks, so the
// test arms a handler first; it runs inside that window's own event loop.
//
//     auto shown = WhenModalShown<QDialog>([](QDialog* dialog) {
//         QVERIFY(dialog->isVisible());
//         FindChild<QPushButton>(dialog, "btnOK")->click();
//     });
//     QVERIFY(form.ExecuteOptions(standard, period));
//     QVERIFY(shown->ran);
//
// QVERIFY and QCOMPARE may be used inside the action: a failing check returns
// from it, and the window, still open, is then rejected so that exec()
// returns and the test reports the failure instead of hanging.

#include <functional>
#include <memory>
#include <type_traits>

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QString>
#include <QWidget>

namespace brellic::testing {

struct ModalHandled {
    bool ran = false;
    QString windowTitle; // of the window the action ran on
};

// Arms action for the next modal window that is a Window (a QMessageBox, a
// TfrmOptions...). Keep the returned guard until exec() has returned; when the
// last copy goes, a handler that has not run yet is disarmed.
std::shared_ptr<ModalHandled> WhenModalShownImpl(std::function<bool(QWidget*)> matches,
                                                 std::function<void(QWidget*)> action);

template <typename Window = QWidget>
[[nodiscard]] std::shared_ptr<ModalHandled>
WhenModalShown(std::type_identity_t<std::function<void(Window*)>> action) {
    return WhenModalShownImpl(
        [](QWidget* widget) { return qobject_cast<Window*>(widget) != nullptr; },
        [action = std::move(action)](QWidget* widget) { action(qobject_cast<Window*>(widget)); });
}

void WarnMissingChild(const QObject* parent, const char* className, const char* name);

// The child named name, or nullptr with a warning that names what is missing.
template <typename Child> Child* FindChild(const QObject* parent, const char* name) {
    Child* child =
        parent != nullptr ? parent->findChild<Child*>(QString::fromLatin1(name)) : nullptr;
    if (child == nullptr)
        WarnMissingChild(parent, Child::staticMetaObject.className(), name);
    return child;
}

} // namespace brellic::testing
