// The loan pages of the key-control screen: due and overdue keys, the
// activity search, the key reports, the import of the lists and the purge of
// old history.

#include "core/Formats.h"
#include "operations/forms/frmKeyControlTabs.h"
#include "operations/reports/KeyControlReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QColor OverdueFore(160, 0, 0);
const QColor OverdueBack(255, 224, 224);

// Writes what the grid shows to `fileName` in the output folder and says how it went.
void exportGrid(AppContext& ctx, const DataGrid& grid, const QString& fileName,
                const QString& emptyMessage) {
    QString message;
    if (!KeyGuarded(ctx, "cmdExport_Click", [&] {
            WaitCursor wait;
            message = KeyExportCsv(ctx, fileName, GridHeadings(grid), GridRows(grid),
                                   emptyMessage);
        }))
        return;
    ctx.prompt().message(message);
}

QLineEdit* dateBox(QWidget* page, const char* objectName) {
    QLineEdit* box = makeLineEdit(page, objectName, false, 10);
    box->setPlaceholderText(Formats::ShortDateHint);
    box->setMaximumWidth(110);
    EnterMovesOn(box);
    return box;
}

} // namespace

// ---- Due and overdue ---------------------------------------------------------------

KeyDueTab::KeyDueTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabDue");
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel("Keys checked out and not back by their due time:"));
    top->addWidget(grdDueOverDue = named(new DataGrid, "grdDueOverDue"), 1);
    grdDueOverDue->setHeaders(KeyOverdueHeadings());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRefresh = KeyButton("Refresh", "cmdRefresh"));
    buttons->addWidget(cmdPrintOverdue = KeyButton("Print", "cmdPrintOverdue"));
    buttons->addWidget(cmdExportOverdue = KeyButton("Export", "cmdExportOverdue"));
    buttons->addStretch();
    top->addLayout(buttons);

    connect(cmdRefresh, &QPushButton::clicked, this, [this] { reload(); });
    connect(cmdPrintOverdue, &QPushButton::clicked, this, [this] {
        reload();
        OpenReport(m_ctx, {RptOverdueKeys, "Overdue Keys", {}}, this);
    });
    connect(cmdExportOverdue, &QPushButton::clicked, this, [this] {
        reload();
        exportGrid(m_ctx, *grdDueOverDue, kKeyOverdueFileName, kKeyNoOverdueToExport);
    });
}

void KeyDueTab::reload() {
    const QDateTime now = m_ctx.clock().now();
    std::vector<KeyLoanRow> rows;
    if (!KeyGuarded(m_ctx, "FillDueOverDue", [&] { rows = KeyGetDueOverDue(m_ctx, now); }))
        return;
    grdDueOverDue->clearRows();
    // Stored times compare as text: "yyyy/MM/dd HH:mm".
    const QString nowText = Formats::StoredDateTime(now);
    for (const KeyLoanRow& row : rows) {
        const bool overdue = row.dateTimeDue < nowText;
        grdDueOverDue->setRow(row.historyId, KeyOverdueCells(row), overdue ? OverdueFore : QColor(),
                              overdue ? OverdueBack : QColor());
    }
}

// ---- Activity search -------------------------------------------------------------------

KeyActivityTab::KeyActivityTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabActivity");
    auto* top = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    form->addWidget(optByKey = named(new QRadioButton("By Key:"), "optByKey"), 0, 0);
    form->addWidget(cboActivityKey = named(new QComboBox, "cboActivityKey"), 0, 1, 1, 3);
    form->addWidget(optByEmployee = named(new QRadioButton("By Employee:"), "optByEmployee"), 1, 0);
    form->addWidget(cboActivityEmployee = named(new QComboBox, "cboActivityEmployee"), 1, 1, 1, 3);
    form->addWidget(new QLabel("Starting Date:"), 2, 0);
    form->addWidget(txtFromDate = dateBox(this, "txtFromDate"), 2, 1);
    form->addWidget(new QLabel("Through Date:"), 2, 2);
    form->addWidget(txtThroughDate = dateBox(this, "txtThroughDate"), 2, 3);
    form->setColumnStretch(4, 1);
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSearch = KeyButton("Search", "cmdSearch"));
    buttons->addWidget(cmdPrintActivity = KeyButton("Print", "cmdPrintActivity"));
    buttons->addWidget(cmdExportActivity = KeyButton("Export", "cmdExportActivity"));
    buttons->addStretch();
    top->addLayout(buttons);
    top->addWidget(grdActivity = named(new DataGrid, "grdActivity"), 1);
    grdActivity->setHeaders(KeyActivityHeadings(true));
    optByKey->setChecked(true);
    setTabOrder(txtThroughDate, cmdSearch);

    connect(optByKey, &QRadioButton::toggled, this, [this] { subjectChanged(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdPrintActivity, &QPushButton::clicked, this, [this] { print(); });
    connect(cmdExportActivity, &QPushButton::clicked, this, [this] {
        exportGrid(m_ctx, *grdActivity, kKeyActivityFileName, kKeyNoActivityToExport);
    });
    reloadLists();
    subjectChanged();
}

void KeyActivityTab::reloadLists() {
    std::vector<KeyRecord> keys;
    std::vector<KeyEmployeeRecord> employees;
    if (!KeyGuarded(m_ctx, "FillActivityLists", [&] {
            keys = KeyGetAllKeys(m_ctx);
            employees = KeyGetAllEmployees(m_ctx);
        }))
        return;
    const auto fill = [](QComboBox* box, const auto& items, const auto& text) {
        const qint64 keep = box->currentData().toLongLong();
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(QString(), 0);
        for (const auto& item : items)
            box->addItem(text(item), item.id);
        box->setCurrentIndex(std::max(0, box->findData(keep)));
    };
    fill(cboActivityKey, keys,
         [](const KeyRecord& k) { return k.keyNumber + "  -  " + k.caption(); });
    fill(cboActivityEmployee, employees, [](const KeyEmployeeRecord& e) {
        return e.name + "  (" + e.number + ")";
    });
}

void KeyActivityTab::subjectChanged() {
    cboActivityKey->setEnabled(optByKey->isChecked());
    cboActivityEmployee->setEnabled(!optByKey->isChecked());
}

void KeyActivityTab::cmdSearch_Click() {
    const bool byKey = optByKey->isChecked();
    const qint64 id = (byKey ? cboActivityKey : cboActivityEmployee)->currentData().toLongLong();
    const QString fromText = txtFromDate->text().trimmed();
    const QString throughText = txtThroughDate->text().trimmed();
    if (const QString refusal = KeyCheckActivitySearch(id != 0, fromText, throughText);
        !refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    const QDate from = Formats::ParseShortDate(fromText);
    const QDate through = Formats::ParseShortDate(throughText);
    std::vector<KeyLoanRow> rows;
    if (!KeyGuarded(m_ctx, "cmdSearch_Click", [&] {
            WaitCursor wait;
            rows = byKey ? KeyActivityReport2(m_ctx, id, from, through)
                         : KeyActivityReport1(m_ctx, id, from, through);
        }))
        return;
    grdActivity->clearRows();
    grdActivity->setHeaders(KeyActivityHeadings(byKey));
    for (const KeyLoanRow& row : rows)
        grdActivity->setRow(row.historyId, KeyActivityCells(byKey, row));
    m_searched = {{byKey ? "keyId" : "employeeId", id},
                  {"from", from.isValid() ? Formats::StoredDate(from) : QString()},
                  {"through", through.isValid() ? Formats::StoredDate(through) : QString()}};
}

void KeyActivityTab::print() {
    if (m_searched.isEmpty()) {
        m_ctx.prompt().message(kKeySelectKeyOrEmployee);
        return;
    }
    const bool byKey = m_searched.contains("keyId");
    OpenReport(m_ctx, {byKey ? RptKeyActivityByKey : RptKeyActivityByEmployee, "Key Activity",
                       m_searched},
               this);
}

// ---- Key reports ---------------------------------------------------------------------------

KeyReportTab::KeyReportTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabReports");
    auto* top = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(optKeysOut = named(new QRadioButton("Keys Checked Out"), "optKeysOut"));
    choice->addWidget(optKeysIn = named(new QRadioButton("Keys Checked In"), "optKeysIn"));
    choice->addWidget(optAllKeys = named(new QRadioButton("All Keys"), "optAllKeys"));
    choice->addStretch();
    top->addLayout(choice);
    top->addWidget(grdKeyReport = named(new DataGrid, "grdKeyReport"), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrintKeys = KeyButton("Print", "cmdPrintKeys"));
    buttons->addWidget(cmdExportKeys = KeyButton("Export", "cmdExportKeys"));
    buttons->addStretch();
    top->addLayout(buttons);
    optKeysOut->setChecked(true);

    for (QRadioButton* o : {optKeysOut, optKeysIn, optAllKeys})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on) reload();
        });
    connect(cmdPrintKeys, &QPushButton::clicked, this, [this] {
        const QString title = optKeysOut->isChecked()  ? QStringLiteral("Keys Checked Out")
                              : optKeysIn->isChecked() ? QStringLiteral("Keys Checked In")
                                                       : QStringLiteral("All Keys");
        OpenReport(m_ctx, {routine(), title, {}}, this);
    });
    connect(cmdExportKeys, &QPushButton::clicked, this, [this] {
        reload();
        exportGrid(m_ctx, *grdKeyReport, kKeyReportFileName, kKeyNoKeysToExport);
    });
}

QString KeyReportTab::routine() const {
    return optKeysOut->isChecked() ? RptKeysOut : optKeysIn->isChecked() ? RptKeysIn : RptAllKeys;
}

void KeyReportTab::reload() {
    const KeyListKind kind = optKeysOut->isChecked()  ? KeyListKind::KeysOut
                             : optKeysIn->isChecked() ? KeyListKind::KeysIn
                                                      : KeyListKind::AllKeys;
    std::vector<KeyRecord> keys;
    if (!KeyGuarded(m_ctx, "FillKeyReport", [&] { keys = KeyListRows(m_ctx, kind); })) return;
    grdKeyReport->clearRows();
    grdKeyReport->setHeaders(KeyListHeadings(kind));
    for (const KeyRecord& k : keys)
        grdKeyReport->setRow(k.id, KeyListCells(kind, k));
}

// ---- Import ------------------------------------------------------------------------------------

KeyImportTab::KeyImportTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabImport");
    auto* top = new QVBoxLayout(this);
    auto* box = new QGroupBox("Import from the output folder");
    auto* g = new QVBoxLayout(box);
    g->addWidget(optImportEmployees = named(
                     new QRadioButton("Employees  (" + kKeyEmployeeFileName +
                                      ": Employee Name, Employee Number, Job Title)"),
                     "optImportEmployees"));
    g->addWidget(optImportKeys = named(
                     new QRadioButton("Keys  (" + kKeyListFileName +
                                      ": Key Number, Key Group, Description, Duration, H or D)"),
                     "optImportKeys"));
    g->addWidget(named(new QLabel(QDir::toNativeSeparators(ctx.workstation.outputFolder())),
                       "lblImportFolder"));
    g->addWidget(cmdImport = KeyButton("Import", "cmdImport"), 0, Qt::AlignLeft);
    top->addWidget(box);
    top->addStretch();
    optImportEmployees->setChecked(true);
    connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
}

void KeyImportTab::cmdImport_Click() {
    const bool employees = optImportEmployees->isChecked();
    KeyImportResult result;
    if (!KeyGuarded(m_ctx, "cmdImport_Click", [&] {
            WaitCursor wait;
            result = employees ? KeyImportEmployees(m_ctx) : KeyImportKeys(m_ctx);
        }))
        return;
    if (!result.done) {
        m_ctx.prompt().message(result.message, {}, Icon::Exclamation);
        return;
    }
    const QString path = QDir::toNativeSeparators(
        m_ctx.workstation.outputFolder() + (employees ? kKeyEmployeeFileName : kKeyListFileName));
    m_ctx.prompt().message("The file " + path + " has been imported: " +
                           QString::number(result.imported) +
                           (employees ? " Employees" : " Keys") + " added.");
    emit changed();
}

// ---- Purge ---------------------------------------------------------------------------------------

KeyPurgeTab::KeyPurgeTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabPurge");
    auto* top = new QVBoxLayout(this);
    auto* box = new QGroupBox("Delete Key History");
    auto* g = new QGridLayout(box);
    g->addWidget(new QLabel("Delete the returned loans due before:"), 0, 0);
    g->addWidget(txtPurgeDate = dateBox(this, "txtPurgeDate"), 0, 1);
    g->addWidget(cmdDeleteTS = KeyButton("Delete History", "cmdDeleteTS"), 0, 2);
    g->addWidget(new QLabel("The deleted loans are first written to " + kKeyPurgeFileName +
                            " in the output folder.  Keys still checked out keep their history."),
                 1, 0, 1, 3);
    top->addWidget(box);
    top->addStretch();
    connect(cmdDeleteTS, &QPushButton::clicked, this, [this] { cmdDeleteTS_Click(); });
}

void KeyPurgeTab::cmdDeleteTS_Click() {
    Prompt& prompt = m_ctx.prompt();
    const QString typed = txtPurgeDate->text().trimmed();
    if (const QString refusal = KeyCheckPurgeDate(typed, m_ctx.clock().today());
        !refusal.isEmpty()) {
        prompt.message(refusal, {}, Icon::Exclamation);
        txtPurgeDate->setFocus();
        return;
    }
    const QDate before = Formats::ParseShortDate(typed);
    if (prompt.ask(KeyPurgeQuestion(before), {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    KeyPurgeResult result;
    if (!KeyGuarded(m_ctx, "cmdDeleteTS_Click", [&] {
            WaitCursor wait;
            result = PurgeKeyHistory(m_ctx, before);
        }))
        return;
    prompt.message(result.message);
    if (result.done) emit changed();
}

} // namespace vm
