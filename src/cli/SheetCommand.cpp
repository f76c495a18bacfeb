#include "cli/SheetCommand.h"

#include "cli/SourceDate.h"
#include "sheet/CalculationSheet.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace brellic {

namespace {

// A QGuiApplication for the length of one command, on a platform that needs
// no display whatever QT_QPA_PLATFORM says: offscreen, or on Windows the
// windows platform itself, which never needs one and, unlike offscreen
// there, finds the system's fonts. Qt's own notes (a missing
// XDG_RUNTIME_DIR and the like) are kept off the tool's error output
// meanwhile; its fatal errors still show.
class HeadlessGui {
public:
    HeadlessGui() {
        previous_ = qInstallMessageHandler(&HeadlessGui::Quiet);
        if (QCoreApplication::instance() == nullptr)
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~HeadlessGui() {
        app_.reset();
        qInstallMessageHandler(previous_);
    }
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

    // False when a non-GUI Qt application is already running in the process.
    bool Usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

private:
    static void Quiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if ((type == QtCriticalMsg || type == QtFatalMsg) && previous_ != nullptr)
            previous_(type, context, text);
    }

    static inline QtMessageHandler previous_ = nullptr;
    // QGuiApplication keeps argc and argv for its lifetime.
    char name_[12] = "brellic-cli";
    char platformOption_[10] = "-platform";
#ifdef _WIN32
    char platform_[10] = "windows";
#else
    char platform_[10] = "offscreen";
#endif
    char* argv_[4] = {name_, platformOption_, platform_, nullptr};
    int argc_ = 3;
    std::unique_ptr<QGuiApplication> app_;
};

QDate DateOf(std::optional<std::chrono::year_month_day> date) {
    if (!date || !date->ok())
        return QDate::currentDate();
    return QDate(static_cast<int>(date->year()),
                 static_cast<int>(static_cast<unsigned>(date->month())),
                 static_cast<int>(static_cast<unsigned>(date->day())));
}

// The time SOURCE_DATE_EPOCH gives, for a PDF that is the same bytes for the
// same sheet; none without it. brellic-cli has warned of a value it cannot use.
QDateTime FixedTime() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    std::string warning;
    const std::optional<std::chrono::sys_seconds> time =
        epoch == nullptr ? std::nullopt : ParseSourceTime(epoch, warning);
    if (!time)
        return {};
    return QDateTime::fromSecsSinceEpoch(time->time_since_epoch().count(), Qt::UTC);
}

template <typename Figures>
std::string Render(const Figures& figures, SheetFormat format,
                   std::optional<std::chrono::year_month_day> date) {
    HeadlessGui gui;
    if (!gui.Usable())
        return {};
    const CalculationSheet sheet(figures, DateOf(date));
    const QByteArray bytes =
        format == SheetFormat::Pdf ? sheet.Pdf(FixedTime()) : sheet.Html().toUtf8();
    return bytes.toStdString();
}

} // namespace

std::string RenderSheet(const SheetContent& content, SheetFormat format,
                        std::optional<std::chrono::year_month_day> date) {
    return std::visit([&](const auto* figures) { return Render(*figures, format, date); }, content);
}

} // namespace brellic
