#include "desk/forms/StatisticsTab.h"

#include "platform/CsvWriter.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/Categories.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmQuickViewer");
const QString MsgNoGraphs =
    QStringLiteral("You are not authorized to work with Logbook Activity Graphs.");
const QString MsgRestricted = QStringLiteral(
    "As a Restricted User or Guest Viewer you are not\r\nauthorized to use these features.");
const QString MsgNothingToExport = QStringLiteral("Please run the statistics first.");
// A table of many rows (categories or staff by month) draws its first rows
// only: beyond that the bars are too thin to read.
constexpr int MaxChartSets = 12;
} // namespace

StatisticsTab::StatisticsTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("StatisticsTab");
    build();
    loadCategories();
    cboStatView_Change();
}

void StatisticsTab::build() {
    cboStatView = named(new QComboBox(this), "cboStatView");
    for (int v = 0; v < StatViewCount; ++v)
        cboStatView->addItem(StatViewCaption(StatView(v)), v);

    const QDate today = m_ctx.clock().now().date();
    txtStatYear = makeLineEdit(this, "txtStatYear", false, 4);
    txtStatYear->setText(QString::number(today.year()));
    txtStatFrom = makeLineEdit(this, "txtStatFrom", false, 10);
    txtStatFrom->setPlaceholderText(Formats::ShortDateHint);
    txtStatFrom->setText(Formats::ShortDate(QDate(today.year(), 1, 1)));
    txtStatThrough = makeLineEdit(this, "txtStatThrough", false, 10);
    txtStatThrough->setPlaceholderText(Formats::ShortDateHint);
    txtStatThrough->setText(Formats::ShortDate(today));
    cboStatCategory = named(new QComboBox(this), "cboStatCategory");

    optReferDate = named(new QRadioButton("Refer Date", this), "optReferDate");
    optEntryDate = named(new QRadioButton("Entry Date", this), "optEntryDate");
    optReferDate->setChecked(true);
    auto* dates = new QButtonGroup(this);
    dates->addButton(optReferDate);
    dates->addButton(optEntryDate);
    chkStatArchive = named(new QCheckBox("Archive", this), "chkStatArchive");
    chkStatArchive->setToolTip("Count the entries of the archive database");

    cmdStatRun = named(new QPushButton("Run", this), "cmdStatRun");
    cmdStatExport = named(new QPushButton("Export", this), "cmdStatExport");
    cmdStatExport->setEnabled(false);

    grdStats = named(new DataGrid(this), "grdStats");
    chartStats = named(new QChartView(new QChart(), this), "chartStats");
    chartStats->setRenderHint(QPainter::Antialiasing);
    chartStats->setMinimumHeight(220);

    auto* form = new QFormLayout;
    form->addRow("View", cboStatView);
    form->addRow("Year", txtStatYear);
    form->addRow("From", txtStatFrom);
    form->addRow("Through", txtStatThrough);
    form->addRow("Category", cboStatCategory);
    auto* field = new QHBoxLayout;
    field->addWidget(optReferDate);
    field->addWidget(optEntryDate);
    field->addWidget(chkStatArchive);
    form->addRow("Count on", field);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdStatRun);
    buttons->addWidget(cmdStatExport);
    buttons->addStretch();
    form->addRow(buttons);

    auto* results = new QSplitter(Qt::Vertical, this);
    results->addWidget(grdStats);
    results->addWidget(chartStats);

    auto* top = new QHBoxLayout(this);
    top->addLayout(form);
    top->addWidget(results, 1);

    connect(cboStatView, &QComboBox::currentIndexChanged, this, &StatisticsTab::cboStatView_Change);
    connect(cmdStatRun, &QPushButton::clicked, this, &StatisticsTab::cmdStatRun_Click);
    connect(cmdStatExport, &QPushButton::clicked, this, &StatisticsTab::cmdStatExport_Click);
}

void StatisticsTab::loadCategories() {
    const QString chosen = cboStatCategory->currentText();
    cboStatCategory->clear();
    cboStatCategory->addItem(AllCategories);
    try {
        cboStatCategory->addItems(GetLogbookTypesArray(m_ctx.db()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "loadCategories", FormName, true);
    }
    const int at = cboStatCategory->findText(chosen);
    cboStatCategory->setCurrentIndex(at < 0 ? 0 : at);
}

void StatisticsTab::cboStatView_Change() {
    const auto view = StatView(cboStatView->currentData().toInt());
    txtStatYear->setEnabled(UsesYear(view));
    txtStatFrom->setEnabled(!UsesYear(view));
    txtStatThrough->setEnabled(!UsesYear(view));
    cboStatCategory->setEnabled(UsesCategory(view));
    optReferDate->setEnabled(UsesDateField(view));
    optEntryDate->setEnabled(UsesDateField(view));
    chkStatArchive->setEnabled(UsesArchive(view) && m_ctx.hasArchive());
}

bool StatisticsTab::mayUse() {
    if (m_ctx.session.restricted || IsGuestViewer(m_ctx.session)) {
        m_ctx.prompt().message(MsgRestricted);
        return false;
    }
    return MayDoOrSay(m_ctx, Rights::GlobalsActivityGraphs, MsgNoGraphs);
}

std::optional<StatRequest> StatisticsTab::readRequest() {
    StatRequest r;
    r.view = StatView(cboStatView->currentData().toInt());
    bool yearOk = false;
    r.year = txtStatYear->text().trimmed().toInt(&yearOk);
    if (!yearOk) r.year = 0;
    r.from = Formats::ParseShortDate(txtStatFrom->text().trimmed());
    r.through = Formats::ParseShortDate(txtStatThrough->text().trimmed());
    r.category = UsesCategory(r.view) ? cboStatCategory->currentText() : AllCategories;
    r.field = optEntryDate->isChecked() ? DateField::EntryDate : DateField::ReferDate;
    r.archive = UsesArchive(r.view) && chkStatArchive->isChecked() && m_ctx.hasArchive();
    const QString refusal = CheckStatRequest(r);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return std::nullopt;
    }
    return r;
}

void StatisticsTab::cmdStatRun_Click() {
    try {
        if (!mayUse()) return;
        const std::optional<StatRequest> request = readRequest();
        if (!request) return;
        // Shown only when the work outlasts its minimum duration; each step
        // lets the window repaint and the Cancel button be pressed.
        QProgressDialog progress("Counting the entries...", "Cancel", 0, 1, this);
        progress.setObjectName("dlgStatProgress");
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        WaitCursor wait;
        // The progress dialog lets events through: no second run meanwhile.
        cmdStatRun->setEnabled(false);
        const auto enableAgain = qScopeGuard([this] { cmdStatRun->setEnabled(true); });
        const std::optional<StatTable> result =
            RunStatistics(m_ctx, *request, [&progress](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                return !progress.wasCanceled();
            });
        if (!result) return; // cancelled: the last table stays
        show(*result);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdStatRun_Click", FormName, true);
    }
}

void StatisticsTab::cmdStatExport_Click() {
    try {
        if (!mayUse()) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdStatExport_Click", FormName, true);
        return;
    }
    if (!m_table) {
        m_ctx.prompt().message(MsgNothingToExport);
        return;
    }
    const QString path = StatisticsCsvPath(m_ctx, m_table->view);
    WaitCursor wait;
    m_ctx.prompt().message(FileWrittenMessage(path, WriteStatisticsCsv(*m_table, path)));
}

void StatisticsTab::show(const StatTable& table) {
    m_table = table;
    grdStats->clearRows();
    grdStats->setHeaders(QStringList{table.labelHeader} + table.countHeaders);
    const QList<QStringList> lines = table.lines();
    // Line 0 holds the headers; keys follow the rows, the total comes last.
    for (int i = 1; i < lines.size(); ++i)
        grdStats->setRow(i, lines[i], {}, {}, false);
    grdStats->setPinnedLast(lines.size() - 1);
    cmdStatExport->setEnabled(true);
    drawChart(table);
}

void StatisticsTab::drawChart(const StatTable& table) {
    auto* chart = new QChart();
    chart->setTitle(StatViewCaption(table.view));
    auto* series = new QBarSeries(chart);
    QStringList axisLabels;
    qint64 highest = 0;
    if (table.countHeaders.size() == 1) {
        // One count per row: a bar per row, in the table's order.
        auto* set = new QBarSet(table.countHeaders.first());
        for (const StatRow& row : table.rows) {
            *set << double(row.counts.first());
            axisLabels << row.label;
            highest = std::max(highest, row.counts.first());
        }
        series->append(set);
    } else {
        // Months as columns: a bar set per row over the months (the total
        // column would dwarf them and is left out).
        axisLabels = table.countHeaders.mid(0, table.countHeaders.size() - 1);
        for (int i = 0; i < table.rows.size() && i < MaxChartSets; ++i) {
            const StatRow& row = table.rows[i];
            auto* set = new QBarSet(row.label);
            for (int c = 0; c < axisLabels.size(); ++c) {
                *set << double(row.counts[c]);
                highest = std::max(highest, row.counts[c]);
            }
            series->append(set);
        }
    }
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis(chart);
    x->append(axisLabels);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis(chart);
    y->setRange(0, double(std::max<qint64>(highest, 1)));
    y->setLabelFormat("%d");
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setVisible(series->count() > 1);
    QChart* old = chartStats->chart();
    chartStats->setChart(chart);
    delete old;
}

} // namespace vm
