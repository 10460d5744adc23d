#include "admin/forms/frmQMaster.h"

#include "core/DataAccess.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vm {

frmQMaster::frmQMaster(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_master(ctx) {
    setObjectName("frmQMaster");
    setWindowFlag(Qt::Window);
    setWindowTitle("Query Master");

    cmdSelectDB = named(new QPushButton("Current"), "cmdSelectDB");
    cmdSelectDB->setToolTip("Click to switch between the current and the archive database");
    lstTables = named(new QListWidget, "lstTables");
    lstFields = named(new QListWidget, "lstFields");
    lstFields->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cboParentTable = named(new QComboBox, "cboParentTable");
    cboParentField = named(new QComboBox, "cboParentField");

    auto* kinds = named(new QGroupBox("Query Type"), "optQueryType");
    auto* kindsLayout = new QVBoxLayout(kinds);
    for (int i = 0; i < QueryKinds().size(); ++i) {
        auto* option =
            named(new QRadioButton(QueryKinds()[i].second), "optQueryType" + QString::number(i));
        kindsLayout->addWidget(option);
        optQueryType << option;
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) kindChanged();
        });
    }
    txtValue = makeLineEdit(this, "txtValue", false, 255);
    txtValue->setText(ValuePlaceholder);

    cmdRunQuery = named(new QPushButton("Run Query"), "cmdRunQuery");
    lstResults = named(new QListWidget, "lstResults");
    cmdDelete = named(new QPushButton("Delete Orphans"), "cmdDelete");
    cmdDeleteQueryKeys = named(new QPushButton("Delete Listed Keys"), "cmdDeleteQueryKeys");
    cmdTestArchive = named(new QPushButton("Compare Archive"), "cmdTestArchive");
    cmdListSchema = named(new QPushButton("List Schema"), "cmdListSchema");
    cmdRefreshDates = named(new QPushButton("Refresh Dates"), "cmdRefreshDates");
    cmdShowTest = named(new QPushButton("Show Settings"), "cmdShowTest");
    cmdClose = named(new QPushButton("Close"), "cmdClose");

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel("Database:"), 0, 0);
    choices->addWidget(cmdSelectDB, 0, 1);
    choices->addWidget(new QLabel("Tables:"), 1, 0);
    choices->addWidget(new QLabel("Fields:"), 1, 1);
    choices->addWidget(lstTables, 2, 0);
    choices->addWidget(lstFields, 2, 1);
    choices->addWidget(kinds, 2, 2);
    choices->addWidget(new QLabel("Parent table and key (OrphanX):"), 3, 0);
    choices->addWidget(cboParentTable, 4, 0);
    choices->addWidget(cboParentField, 4, 1);
    choices->addWidget(new QLabel("New value (Update Query):"), 3, 2);
    choices->addWidget(txtValue, 4, 2);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdRunQuery, cmdDelete, cmdDeleteQueryKeys, cmdTestArchive,
                           cmdListSchema, cmdRefreshDates, cmdShowTest})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* top = new QVBoxLayout(this);
    top->addLayout(choices);
    top->addWidget(lstResults, 1);
    top->addLayout(buttons);
    resize(900, 640);

    connect(cmdSelectDB, &QPushButton::clicked, this, &frmQMaster::cmdSelectDB_Click);
    connect(lstTables, &QListWidget::currentRowChanged, this, &frmQMaster::loadFields);
    connect(cboParentTable, &QComboBox::currentIndexChanged, this, &frmQMaster::loadParentFields);
    connect(cmdRunQuery, &QPushButton::clicked, this, &frmQMaster::cmdRunQuery_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmQMaster::cmdDelete_Click);
    connect(cmdDeleteQueryKeys, &QPushButton::clicked, this, &frmQMaster::cmdDeleteQueryKeys_Click);
    connect(cmdTestArchive, &QPushButton::clicked, this, &frmQMaster::cmdTestArchive_Click);
    connect(cmdListSchema, &QPushButton::clicked, this, &frmQMaster::cmdListSchema_Click);
    connect(cmdRefreshDates, &QPushButton::clicked, this, &frmQMaster::cmdRefreshDates_Click);
    connect(cmdShowTest, &QPushButton::clicked, this, &frmQMaster::cmdShowTest_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setTabOrder(cmdSelectDB, lstTables);
    setTabOrder(lstTables, lstFields);
    setTabOrder(lstFields, optQueryType.first());
    setTabOrder(optQueryType.first(), txtValue);
    setTabOrder(txtValue, cmdRunQuery);

    optQueryType[int(QueryKind::Select)]->setChecked(true);
    loadTables();
}

QueryKind frmQMaster::chosenKind() const {
    for (int i = 0; i < optQueryType.size(); ++i)
        if (optQueryType[i]->isChecked()) return QueryKinds()[i].first;
    return QueryKind::Select;
}

void frmQMaster::kindChanged() {
    const QueryKind kind = chosenKind();
    const bool fixed = IsFixedOrphanKind(kind);
    lstTables->setEnabled(!fixed);
    lstFields->setEnabled(!fixed);
    cboParentTable->setEnabled(kind == QueryKind::OrphanX);
    cboParentField->setEnabled(kind == QueryKind::OrphanX);
    txtValue->setEnabled(kind == QueryKind::Update);
    if (kind == QueryKind::Select) {
        lstFields->setSelectionMode(QAbstractItemView::ExtendedSelection);
        return;
    }
    // The other kinds take one field: the current one stays chosen.
    lstFields->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFields->clearSelection();
    if (auto* item = lstFields->currentItem()) item->setSelected(true);
}

void frmQMaster::loadTables() {
    QStringList names;
    try {
        names = m_master.tables();
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", "frmQMaster", true);
    }
    {
        const QSignalBlocker quiet(lstTables);
        lstTables->clear();
        lstTables->addItems(names);
    }
    {
        const QSignalBlocker quiet(cboParentTable);
        cboParentTable->clear();
        cboParentTable->addItems(names);
        cboParentTable->setCurrentIndex(-1);
    }
    lstFields->clear();
    cboParentField->clear();
    kindChanged();
}

void frmQMaster::loadFields() {
    lstFields->clear();
    if (auto* item = lstTables->currentItem()) lstFields->addItems(m_master.fields(item->text()));
}

void frmQMaster::loadParentFields() {
    cboParentField->clear();
    if (cboParentTable->currentIndex() >= 0)
        cboParentField->addItems(m_master.fields(cboParentTable->currentText()));
}

void frmQMaster::showLines(const QStringList& lines) {
    lstResults->addItems(lines);
    lstResults->scrollToBottom();
}

void frmQMaster::cmdSelectDB_Click() {
    const bool archive = !m_master.usingArchive();
    if (!m_master.chooseArchive(archive)) return;
    cmdSelectDB->setText(archive ? "Archive" : "Current");
    lstResults->clear();
    loadTables();
}

void frmQMaster::cmdRunQuery_Click() {
    QueryRequest r;
    r.kind = chosenKind();
    if (auto* item = lstTables->currentItem()) r.table = item->text();
    for (int i = 0; i < lstFields->count(); ++i)
        if (lstFields->item(i)->isSelected()) r.fields << lstFields->item(i)->text();
    r.parentTable = cboParentTable->currentText();
    r.parentKey = cboParentField->currentText();
    r.value = txtValue->text();
    lstResults->clear();
    QStringList lines;
    {
        WaitCursor wait;
        m_master.run(r, lines);
    }
    showLines(lines);
}

void frmQMaster::cmdDelete_Click() {
    QStringList lines;
    m_master.deleteOrphans(lines);
    showLines(lines);
}

void frmQMaster::cmdDeleteQueryKeys_Click() {
    QStringList lines;
    m_master.deleteListedKeys(lines);
    showLines(lines);
}

void frmQMaster::cmdTestArchive_Click() {
    lstResults->clear();
    QStringList lines;
    // The lines of the first pass are shown even when the second one fails.
    QList<qint64> both;
    const bool found = m_master.findInBothLogbooks(both, lines);
    // The entries in both are listed before the question about their archive copies.
    showLines(lines);
    if (!found || both.isEmpty()) return;
    lines.clear();
    m_master.deleteArchiveCopies(both, lines);
    showLines(lines);
}

void frmQMaster::cmdListSchema_Click() {
    WaitCursor wait;
    m_master.writeSchemaListing();
}

void frmQMaster::cmdRefreshDates_Click() {
    m_master.refreshDates();
}

void frmQMaster::cmdShowTest_Click() {
    showLines(m_master.settingsText());
}

} // namespace vm
