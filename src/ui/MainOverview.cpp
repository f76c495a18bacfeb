#include "MainWindow.h"

#include "CutTextTips.h"
#include "WindowControls.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

// The main window's supply tabs and its Overview page: the table of the
// supplies and the installation, and the row that picks the commands' target.

namespace brellic {

namespace {

QColor ColourOf(const Rgb& rgb) {
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

// A supply tab's mark: a dot in the verdict's colour, grey while not judged.
QIcon MarkIcon(Outcome mark) {
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColourOf(MarkColour(mark)));
    painter.drawEllipse(1, 1, 8, 8);
    return QIcon(pixmap);
}

} // namespace

QWidget* TfrmMain::BuildOverview() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    tvOverview = new QTableWidget(page);
    tvOverview->setObjectName(QStringLiteral("tvOverview"));
    // Two-line captions, so that a wider font than ours (Wine's, say) still
    // fits them in the columns.
    const QStringList headers = {QStringLiteral("Supply"),
                                 QStringLiteral("Panel or PSU"),
                                 QStringLiteral("Battery"),
                                 QStringLiteral("Grade"),
                                 QStringLiteral("Required\nStandby"),
                                 QStringLiteral("Actual\nStandby"),
                                 QStringLiteral("Alarm\nCurrent"),
                                 QStringLiteral("Peak\nAvailable"),
                                 QStringLiteral("Cable\nRuns"),
                                 QStringLiteral("Verdict")};
    tvOverview->setColumnCount(static_cast<int>(headers.size()));
    tvOverview->setHorizontalHeaderLabels(headers);
    tvOverview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvOverview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvOverview->setSelectionMode(QAbstractItemView::SingleSelection);
    tvOverview->verticalHeader()->hide();
    tvOverview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tvOverview->verticalHeader()->setDefaultSectionSize(tvOverview->fontMetrics().height() + 6);
    tvOverview->setWordWrap(false);
    tvOverview->setTextElideMode(Qt::ElideRight);
    ShowCutTextsAsToolTips(tvOverview);
    constexpr int kWidths[] = {118, 104, 58, 44, 76, 90, 82, 80, 76, 60};
    for (int column = 0; column < tvOverview->columnCount(); ++column)
        tvOverview->setColumnWidth(column, kWidths[column]);
    tvOverview->horizontalHeader()->setStretchLastSection(true);
    // Enter opens the supply of the row, as a double click does.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open =
            new QShortcut(QKeySequence(key), tvOverview, nullptr, nullptr, Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this,
                [this] { OpenOverviewRow(tvOverview->currentRow()); });
    }
    tvOverview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(tvOverview, 1);
    lbSystemVerdict = MakeLabel(QString(), page, true);
    lbSystemVerdict->setObjectName(QStringLiteral("lbSystemVerdict"));
    lbSystemVerdict->setWordWrap(true);
    layout->addWidget(lbSystemVerdict);
    return page;
}

void TfrmMain::ConnectOverview() {
    connect(tbSupplies, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || !installation_->IsOpen())
            return;
        const auto supply = static_cast<std::size_t>(index);
        showingOverview_ = supply >= installation_->SupplyCount();
        if (!showingOverview_)
            installation_->ChooseSupply(supply);
        Refresh();
    });
    connect(tvOverview, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { OpenOverviewRow(row); });
    connect(tvOverview, &QTableWidget::itemSelectionChanged, this,
            &TfrmMain::OverviewSelectionChanged);
    // Between the supply tabs from anywhere in the window.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepTab(step); });
    }
}

void TfrmMain::StepTab(int step) {
    const int count = tbSupplies->count();
    if (!installation_->IsOpen() || count == 0)
        return;
    tbSupplies->setCurrentIndex((tbSupplies->currentIndex() + step + count) % count);
}

void TfrmMain::OverviewSelectionChanged() {
    if (!showingOverview_)
        return;
    const QList<QTableWidgetItem*> picked = tvOverview->selectedItems();
    std::optional<std::size_t> target;
    if (!picked.isEmpty() && picked.constFirst()->row() >= 0)
        target = static_cast<std::size_t>(picked.constFirst()->row());
    // The installation's own row is no supply: SetTarget leaves none.
    installation_->SetTarget(target);
    ShowCommands();
    RefreshInstallation();
}

void TfrmMain::OpenOverviewRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= installation_->SupplyCount())
        return;
    installation_->ChooseSupply(static_cast<std::size_t>(row));
    showingOverview_ = false;
    Refresh();
}

void TfrmMain::RefreshInstallation() {
    if (!installation_)
        return;
    if (!installation_->IsOpen()) {
        showingOverview_ = false;
        tbSupplies->hide();
        pgMain->setCurrentIndex(0);
        setFixedSize(kFormWidth, kFormHeight);
        return;
    }

    const std::size_t chosen = installation_->Chosen();

    const Overview overview = installation_->CurrentOverview();
    const OverviewTexts texts = MakeOverviewTexts(overview, editor_->DecimalSeparator());
    const std::size_t supplies = overview.Supplies.size();
    {
        const QSignalBlocker block(tbSupplies);
        while (static_cast<std::size_t>(tbSupplies->count()) > supplies + 1)
            tbSupplies->removeTab(tbSupplies->count() - 1);
        while (static_cast<std::size_t>(tbSupplies->count()) < supplies + 1)
            tbSupplies->addTab(QString());
        for (std::size_t i = 0; i < supplies; ++i) {
            const int tab = static_cast<int>(i);
            const Outcome mark = MarkOf(overview.Supplies[i]);
            tbSupplies->setTabText(tab, QString::fromStdString(overview.Supplies[i].Name));
            tbSupplies->setTabIcon(tab, MarkIcon(mark));
            // The tab may cut the name; its tip never does.
            tbSupplies->setTabToolTip(tab, QString::fromStdString(overview.Supplies[i].Name) +
                                               u'\n' + QString::fromUtf8(MarkTip(mark)));
            tbSupplies->setTabData(tab, static_cast<int>(mark));
        }
        const int last = static_cast<int>(supplies);
        tbSupplies->setTabText(last, QStringLiteral("Overview"));
        tbSupplies->setTabIcon(last, QIcon());
        tbSupplies->setTabToolTip(last, QString::fromStdString(texts.Summary));
        tbSupplies->setCurrentIndex(showingOverview_ ? last : static_cast<int>(chosen));
    }
    tbSupplies->show();
    pgMain->setCurrentIndex(showingOverview_ ? 1 : 0);
    // The window grows by the bar's height only.
    setFixedSize(kFormWidth, kFormHeight + tbSupplies->sizeHint().height());

    tvOverview->setRowCount(static_cast<int>(texts.Lines.size()));
    for (std::size_t i = 0; i < texts.Lines.size(); ++i) {
        const OverviewLine& line = texts.Lines[i];
        const std::pair<const std::string*, Rgb> cells[] = {
            {&line.Name, kVerdictNone},
            {&line.Panel, kVerdictNone},
            {&line.Battery, kVerdictNone},
            {&line.Grade, kVerdictNone},
            {&line.RequiredStandby, kVerdictNone},
            {&line.ActualStandby, line.StandbyColour},
            {&line.AlarmCurrent, line.AlarmColour},
            {&line.PeakAvailable, kVerdictNone},
            {&line.CableRuns, line.CableRunsColour},
            {&line.Verdict, line.VerdictColour},
        };
        const bool system = i + 1 == texts.Lines.size();
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
            const QString text = QString::fromStdString(*cells[column].first);
            QTableWidgetItem* item = tvOverview->item(static_cast<int>(i), column);
            if (!item) {
                item = new QTableWidgetItem;
                tvOverview->setItem(static_cast<int>(i), column, item);
            }
            item->setText(text);
            item->setForeground(ColourOf(cells[column].second));
            item->setTextAlignment(column <= 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignCenter);
            QFont font = item->font();
            font.setBold(system);
            item->setFont(font);
        }
    }
    // The installation's count of supplies that meet runs on into the battery column.
    const int systemRow = static_cast<int>(texts.Lines.size()) - 1;
    if (tvOverview->columnSpan(systemRow, 1) != 2) {
        tvOverview->clearSpans();
        tvOverview->setSpan(systemRow, 1, 1, 2);
    }
    {
        // On the overview the picked row is the commands' target.
        const QSignalBlocker block(tvOverview);
        const std::optional<std::size_t> target = installation_->Target();
        if (showingOverview_ && target)
            tvOverview->selectRow(static_cast<int>(*target));
        else if (tvOverview->currentRow() != systemRow)
            tvOverview->clearSelection();
    }
    lbSystemVerdict->setText(QString::fromStdString(texts.Summary));
    SetColour(lbSystemVerdict, texts.SummaryColour);
}

} // namespace brellic
