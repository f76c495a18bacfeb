#include "CalculationSheet.h"

#include "SheetFonts.h"
#include "SheetHeadings.h"
#include "SheetHtml.h"
#include "SheetPages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QHashSeed>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace brellic {

namespace {

constexpr int kPdfResolution = 600;

} // namespace

QString SheetDate(const QDate& date) {
    return QLocale(QLocale::English, QLocale::UnitedKingdom)
        .toString(date, QStringLiteral("d MMMM yyyy"));
}

CalculationSheet::CalculationSheet(const SiteSheetTexts& figures, const QDate& date)
    : document_(std::make_unique<QTextDocument>()) {
    Name(figures.SiteRef, date);
    Build(SiteHtml(figures, title_, SheetDate(date)));
}

CalculationSheet::CalculationSheet(const InstallationSheetTexts& figures, const QDate& date)
    : document_(std::make_unique<QTextDocument>()) {
    Name(figures.Name, date);
    Build(InstallationHtml(figures, title_, SheetDate(date)));
}

void CalculationSheet::Name(const std::string& name, const QDate& date) {
    title_ = QStringLiteral("Calculation Sheet");
    if (!name.empty())
        title_ += QStringLiteral(" - ") + QString::fromStdString(name);
    footer_ = QString::fromStdString(name);
    footer_ += (footer_.isEmpty() ? QString() : QStringLiteral("   ")) + SheetDate(date);
}

void CalculationSheet::Build(SheetMarkup markup) {
    html_ = std::move(markup.Html);
    document_->setDefaultFont(SheetFont());
    document_->setHtml(html_);
    MarkHeadings(*document_, markup.Headings);
    document_->setMetaInformation(QTextDocument::DocumentTitle, title_);
}

CalculationSheet::~CalculationSheet() = default;

bool CalculationSheet::Usable() {
    return !SheetFamily().isEmpty();
}

int CalculationSheet::Paint(QPagedPaintDevice& device) const {
    return Paint(device, nullptr);
}

int CalculationSheet::Paint(QPagedPaintDevice& device, LayoutThreads* threads) const {
    if (!Usable())
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const std::vector<LaidOut> runs = LayOutPages(*document_, device, threads);
    int count = 0;
    for (const LaidOut& run : runs)
        count += run.Pages;

    const QSizeF page(device.width(), device.height());
    const qreal deviceMm = device.logicalDpiY() / 25.4;
    const QFont footerFont = SheetFont(kSheetPointSize - 1);
    const QFontMetricsF metrics(footerFont, &device);
    const QRectF footer(kMarginMm * deviceMm,
                        page.height() - kBottomMarginMm * deviceMm + 5 * deviceMm,
                        page.width() - 2 * kMarginMm * deviceMm, metrics.height());

    int number = 0;
    for (const LaidOut& run : runs) {
        for (int index = 0; index < run.Pages; ++index) {
            if (number++ > 0)
                device.newPage();
            painter.save();
            const qreal top = (run.FirstPage + index) * page.height();
            QRectF view(0, top, page.width(), page.height());
            // Above the heading that goes onto the next page; what is clipped
            // would still be written into a PDF.
            if (index == run.Pages - 1)
                view.setBottom(std::min(view.bottom(), run.End - 1));
            painter.translate(0, -top);
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            // Black text on paper, whatever the desktop's colour scheme.
            context.palette.setColor(QPalette::Text, Qt::black);
            run.Document->documentLayout()->draw(&painter, context);
            painter.restore();

            painter.setFont(footerFont);
            painter.setPen(Qt::black);
            painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, footer_);
            painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("Page %1 of %2").arg(number).arg(count));
        }
    }
    painter.end();
    return count;
}

QByteArray CalculationSheet::Pdf(const QDateTime& fixedTime) const {
    // The PDF writer keeps its fonts in a hash and writes them in its order,
    // which the process's random hash seed decides.
    if (fixedTime.isValid())
        QHashSeed::setDeterministicGlobalSeed();
    QByteArray bytes;
    {
        // Outlives the writer, which keeps the fonts the threads laid out with.
        LayoutThreads threads;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(title_);
        writer.setCreator(QStringLiteral("Brellic"));
        if (Paint(writer, &threads) == 0)
            return {};
    }
    if (fixedTime.isValid() && !RedatePdf(bytes, fixedTime))
        return {};
    return bytes;
}

} // namespace brellic
