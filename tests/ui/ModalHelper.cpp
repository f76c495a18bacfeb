#include "ModalHelper.h"

#include <utility>

#include <QMessageLogger>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace brellic::testing {

namespace {

// Polls made inside some event loop before the awaited window appears. The
// count only stops a test whose window never comes (a wrong type, another
// window in the way) from spinning forever; nothing here measures time.
constexpr int kMaxPolls = 100000;

struct Pending {
    std::weak_ptr<ModalHandled> handled;
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> action;
    int polls = 0;
};

void CloseIfStillOpen(QPointer<QWidget> window) {
    if (window.isNull() || !window->isVisible())
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window.data()))
        dialog->reject();
    else
        window->close();
}

void Poll(std::shared_ptr<Pending> pending) {
    const std::shared_ptr<ModalHandled> handled = pending->handled.lock();
    if (!handled)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || !pending->matches(modal)) {
        if (++pending->polls > kMaxPolls) {
            const QString seen = modal == nullptr
                                     ? QStringLiteral("no modal window")
                                     : QStringLiteral("\"%1\" (%2)")
                                           .arg(modal->windowTitle(),
                                                QLatin1String(modal->metaObject()->className()));
            QTest::qFail(qPrintable(QStringLiteral("the awaited modal window never appeared; "
                                                   "%1 is up instead")
                                        .arg(seen)),
                         __FILE__, __LINE__);
            CloseIfStillOpen(modal);
            return;
        }
        QTimer::singleShot(0, [pending] { Poll(pending); });
        return;
    }
    handled->ran = true;
    handled->windowTitle = modal->windowTitle();
    const QPointer<QWidget> window(modal);
    pending->action(modal);
    CloseIfStillOpen(window);
}

} // namespace

std::shared_ptr<ModalHandled> WhenModalShownImpl(std::function<bool(QWidget*)> matches,
                                                 std::function<void(QWidget*)> action) {
    auto handled = std::make_shared<ModalHandled>();
    auto pending = std::make_shared<Pending>();
    pending->handled = handled;
    pending->matches = std::move(matches);
    pending->action = std::move(action);
    QTimer::singleShot(0, [pending] { Poll(pending); });
    return handled;
}

void WarnMissingChild(const QObject* parent, const char* className, const char* name) {
    qWarning("no %s named \"%s\" under %s \"%s\"", className, name,
             parent != nullptr ? parent->metaObject()->className() : "(null)",
             parent != nullptr ? qPrintable(parent->objectName()) : "");
}

} // namespace brellic::testing
