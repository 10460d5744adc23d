#include "logbook/forms/frmVenCom.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/LogbookExport.h"
#include "logbook/ReportWriterOutput.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {
QGroupBox* choiceBox(QWidget* parent, const QString& title,
                     std::initializer_list<QRadioButton*> options) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    for (QRadioButton* o : options)
        layout->addWidget(o);
    return box;
}
} // namespace

frmVenCom::frmVenCom(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName("frmVenCom");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("The Logbook Report Writer - " + Formats::LongDate(ctx.clock().today()));
    build();
    fillLists();
    resize(1100, 680);
}

void frmVenCom::build() {
    auto* root = new QVBoxLayout(this);
    auto* criteriaGrid = new QGridLayout;
    int row = 0;

    criteriaGrid->addWidget(new QLabel("Category:", this), row, 0);
    criteriaGrid->addWidget(cboCategory = named(new QComboBox(this), "cboCategory"), row, 1);
    criteriaGrid->addWidget(new QLabel("From:", this), row, 2);
    const QString today = Formats::ShortDate(m_ctx.clock().today());
    criteriaGrid->addWidget(txtFromDate = makeLineEdit(this, "txtFromDate", false, 10), row, 3);
    criteriaGrid->addWidget(new QLabel("Through:", this), row, 4);
    criteriaGrid->addWidget(txtThroughDate = makeLineEdit(this, "txtThroughDate", false, 10), row,
                            5);
    txtFromDate->setText(today);
    txtThroughDate->setText(today);
    txtFromDate->setPlaceholderText(Formats::ShortDateHint);
    txtThroughDate->setPlaceholderText(Formats::ShortDateHint);
    ++row;

    for (int i = 0; i < ReportLabelCount; ++i) {
        criteriaGrid->addWidget(new QLabel(QString("Field %1:").arg(i + 1), this), row, 2 * i);
        cboLabels[size_t(i)] = named(new QComboBox(this), QString("cboLabel%1").arg(i + 1));
        criteriaGrid->addWidget(cboLabels[size_t(i)], row, 2 * i + 1);
    }
    ++row;

    criteriaGrid->addWidget(new QLabel("Group:", this), row, 0);
    criteriaGrid->addWidget(cboGroup = named(new QComboBox(this), "cboGroup"), row, 1);
    criteriaGrid->addWidget(new QLabel("Concierge:", this), row, 2);
    criteriaGrid->addWidget(cboConcierge = named(new QComboBox(this), "cboConcierge"), row, 3);
    criteriaGrid->addWidget(new QLabel("Concierge Group:", this), row, 4);
    criteriaGrid->addWidget(cboConciergeGroup = named(new QComboBox(this), "cboConciergeGroup"),
                            row, 5);
    ++row;
    root->addLayout(criteriaGrid);

    auto* choices = new QHBoxLayout;
    choices->addWidget(
        choiceBox(this, "Select by",
                  {optReferDate = named(new QRadioButton("Reference Date", this), "optReferDate"),
                   optEntryDate = named(new QRadioButton("Entry Date", this), "optEntryDate")}));
    choices->addWidget(choiceBox(this, "Status",
                                 {optOpen = named(new QRadioButton("Open", this), "optOpen"),
                                  optClosed = named(new QRadioButton("Closed", this), "optClosed"),
                                  optAll = named(new QRadioButton("All", this), "optAll")}));
    choices->addWidget(
        choiceBox(this, "Source",
                  {optCurrent = named(new QRadioButton("Current", this), "optCurrent"),
                   optArchive = named(new QRadioButton("Archive", this), "optArchive")}));
    choices->addWidget(chkNoCancels =
                           named(new QCheckBox("No Cancelled Entries", this), "chkNoCancels"));
    optReferDate->setChecked(true);
    optAll->setChecked(true);
    optCurrent->setChecked(true);
    optArchive->setEnabled(m_ctx.hasArchive());
    choices->addStretch();
    root->addLayout(choices);

    root->addWidget(lblDescription = named(new QLabel(this), "lblDescription"));
    lblDescription->setWordWrap(true);
    root->addWidget(grdVenCom = named(new DataGrid(this), "grdVenCom"), 1);
    grdVenCom->setHeaders(ReportHeaders(criteria()));
    grdVenCom->setPinnedLast(TotalRowKey);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCount = named(new QLabel(this), "lblCount"));
    buttons->addStretch();
    buttons->addWidget(cmdGetData = named(new QPushButton("Get Data", this), "cmdGetData"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print", this), "cmdPrint"));
    buttons->addWidget(cmdExport = named(new QPushButton("Extract", this), "cmdExport"));
    buttons->addWidget(cmdEraseExtracts =
                           named(new QPushButton("Erase Extracts", this), "cmdEraseExtracts"));
    buttons->addWidget(cmdClose = named(new QPushButton("Close", this), "cmdClose"));
    root->addLayout(buttons);

    connect(cboCategory, &QComboBox::currentIndexChanged, this, [this] { categoryChosen(); });
    // A concierge and a concierge group exclude each other.
    connect(cboConcierge, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i > 0) cboConciergeGroup->setCurrentIndex(0);
    });
    connect(cboConciergeGroup, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i > 0) cboConcierge->setCurrentIndex(0);
    });
    connect(cmdGetData, &QPushButton::clicked, this, [this] { getData(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { print(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { exportGrid(); });
    connect(cmdEraseExtracts, &QPushButton::clicked, this, [this] { eraseExtracts(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(grdVenCom->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (!m_description.isEmpty())
            showDescription(grdVenCom->model()->headerData(column, Qt::Horizontal).toString());
    });
}

void frmVenCom::fillLists() {
    Database& db = m_ctx.db();
    try {
        cboCategory->addItem(QString());
        for (const Category& c : GetLogbookTypes(db, LoadViewer(db, m_ctx.session)))
            cboCategory->addItem(c.name);
        cboGroup->addItem(QString(), qint64(0));
        for (const auto& [id, name] : ExportGroups(db))
            cboGroup->addItem(name, id);
        cboConcierge->addItem(QString());
        cboConcierge->addItems(ExportStaffNames(db));
        cboConciergeGroup->addItem(QString());
        cboConciergeGroup->addItems(ConciergeGroups(db));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", "frmVenCom", true);
    }
    categoryChosen();
}

void frmVenCom::categoryChosen() {
    QStringList labels;
    try {
        if (!cboCategory->currentText().isEmpty())
            labels = GetLogbookCustomItems(m_ctx.db(), cboCategory->currentText());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookCustomItems", "frmVenCom", true);
    }
    for (QComboBox* box : cboLabels) {
        box->clear();
        box->addItem(LabelPlaceholder);
        box->addItems(labels);
        box->setEnabled(!labels.isEmpty());
    }
}

ReportCriteria frmVenCom::criteria() const {
    ReportCriteria c;
    c.category = cboCategory->currentText();
    c.fromText = txtFromDate->text();
    c.throughText = txtThroughDate->text();
    c.byEntryDate = optEntryDate->isChecked();
    c.groupId = cboGroup->currentData().toLongLong();
    c.groupName = cboGroup->currentText();
    c.concierge = cboConcierge->currentText();
    c.conciergeGroup = cboConciergeGroup->currentText();
    c.status = optOpen->isChecked()     ? ReportStatus::Open
               : optClosed->isChecked() ? ReportStatus::Closed
                                        : ReportStatus::All;
    c.noCancels = chkNoCancels->isChecked();
    c.source = optArchive->isChecked() ? LogSource::Archive : LogSource::Current;
    for (QComboBox* box : cboLabels)
        c.labels << box->currentText();
    return c;
}

void frmVenCom::getData() {
    const ReportCriteria c = criteria();
    const bool hasDesign = cboLabels[0]->count() > 1;
    const QString refusal = CheckReportCriteria(c, hasDesign);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, TitleOops, Icon::Exclamation);
        return;
    }
    const ReportSelection selection = BuildReportSelection(c, m_ctx.session.restricted);
    try {
        WaitCursor wait;
        const ReportResult result = GetTheVCLogEntries(m_ctx, c, selection);
        m_description = selection.description;
        m_byLabel = LabelChosen(c, 0) ? c.labels[0].trimmed() : QString();
        showResult(result);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTheVCLogEntries", "frmVenCom", true);
    }
}

void frmVenCom::showResult(const ReportResult& result) {
    Database& db = m_ctx.db();
    QHash<QString, QColor> colours; // by status
    for (const QString status : {"Cancelled", "OnHold", "Pending", "Complete", "Incomplete"})
        colours.insert(status,
                       DataGrid::colorFromSetting(GetTextSetting(db, StatusColorSetting(status))));
    grdVenCom->setUpdatesEnabled(false);
    grdVenCom->clearRows();
    grdVenCom->setHeaders(result.headers);
    for (const ReportRow& r : result.rows)
        grdVenCom->setRow(r.logId, r.cells, colours.value(r.status), {}, false);
    grdVenCom->setUpdatesEnabled(true);
    lblCount->setText(result.countText);
    showDescription(result.headers.value(RcLastName));
}

void frmVenCom::showDescription(const QString& sortColumn) {
    lblDescription->setText(SortedDescription(m_description, sortColumn));
}

QList<QStringList> frmVenCom::shownRows() const {
    QList<QStringList> rows;
    const int columns = grdVenCom->model()->columnCount();
    for (int r = 0; r < grdVenCom->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << grdVenCom->cell(r, c);
        rows << cells;
    }
    return rows;
}

void frmVenCom::print() {
    if (grdVenCom->rowCount() == 0) {
        m_ctx.prompt().message(MsgReportNothingToPrint);
        return;
    }
    ReportPrintout p;
    for (int c = 0; c < grdVenCom->model()->columnCount(); ++c)
        p.headers << grdVenCom->model()->headerData(c, Qt::Horizontal).toString();
    p.rows = shownRows();
    p.description = lblDescription->text();
    p.countText = lblCount->text();
    p.byLabel = m_byLabel;
    OpenReport(m_ctx, ReportPrintRequest(p), this);
}

void frmVenCom::exportGrid() {
    if (grdVenCom->rowCount() == 0) {
        m_ctx.prompt().message(MsgExtractEmpty);
        return;
    }
    QStringList headers;
    for (int c = 0; c < grdVenCom->model()->columnCount(); ++c)
        headers << grdVenCom->model()->headerData(c, Qt::Horizontal).toString();
    const QString file = NextExtractFile(m_ctx.workstation.outputFolder());
    if (WriteReportExtract(file, headers, shownRows()))
        m_ctx.prompt().message(ExtractCreatedMessage(file));
    else
        m_ctx.prompt().message(ExtractFailedMessage(file), {}, Icon::Exclamation);
}

void frmVenCom::eraseExtracts() {
    if (m_ctx.prompt().ask(MsgEraseExtracts, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    const QStringList kept = EraseReportExtracts(m_ctx.workstation.outputFolder());
    if (!kept.isEmpty())
        m_ctx.prompt().message(ExtractsNotErasedMessage(kept), {}, Icon::Exclamation);
}

} // namespace vm
