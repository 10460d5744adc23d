// The key and employee lists of the key-control screen: the grids, the edit
// boxes, saving and deleting, and the assignments of an employee.

#include "operations/forms/frmKeyAssign.h"
#include "operations/forms/frmKeyControlTabs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

// Calls `chosen` when the grid's current row changes (click, arrows, sorting aside).
void onRowChosen(DataGrid* grid, QObject* receiver, const std::function<void()>& chosen) {
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, receiver,
                     [chosen](const QModelIndex& now, const QModelIndex&) {
                         if (now.isValid()) chosen();
                     });
}

// Runs a save or a delete of the page and shows its refusal; true when it went through.
bool applied(AppContext& ctx, const char* procedure, const std::function<QString()>& work) {
    QString refusal;
    if (!KeyGuarded(ctx, procedure, [&] { refusal = work(); })) return false;
    if (refusal.isEmpty()) return true;
    ctx.prompt().message(refusal, {}, Icon::Exclamation);
    return false;
}

bool deleteConfirmed(AppContext& ctx, const QString& what) {
    return ctx.prompt().ask("Do you wish to delete the " + what + "?", {}, Buttons::YesNo,
                            Icon::Question, Answer::No) == Answer::Yes;
}

} // namespace

// ---- Keys --------------------------------------------------------------------------

KeyListTab::KeyListTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabKeys");
    auto* top = new QVBoxLayout(this);
    top->addWidget(grdKeys = named(new DataGrid, "grdKeys"), 1);
    grdKeys->setHeaders({"Key Group", "Key Number", "Description", "Loan Period", "Hours/Days",
                         "Status", "Checked Out By"});

    auto* form = new QGridLayout;
    form->addWidget(new QLabel("Key Group:"), 0, 0);
    form->addWidget(cboKeyGroup = named(new QComboBox, "cboKeyGroup"), 0, 1);
    form->addWidget(new QLabel("Key Number:"), 0, 2);
    form->addWidget(txtKeyNumber = makeLineEdit(this, "txtKeyNumber", false, 50), 0, 3);
    form->addWidget(new QLabel("Description:"), 1, 0);
    form->addWidget(txtDescription = makeLineEdit(this, "txtDescription", false, 100), 1, 1, 1, 3);
    form->addWidget(new QLabel("Due back after:"), 2, 0);
    form->addWidget(txtOutDuration = makeLineEdit(this, "txtOutDuration", false, 5), 2, 1);
    txtOutDuration->setValidator(new QIntValidator(0, 99999, txtOutDuration));
    form->addWidget(cboOutHoursDays = named(new QComboBox, "cboOutHoursDays"), 2, 2);
    cboOutHoursDays->addItems({"Hours", "Days"});
    form->addWidget(chkRemoveZeros = named(new QCheckBox("Remove leading zeros from typed or "
                                                         "scanned Key and Employee Numbers"),
                                           "chkRemoveZeros"),
                    3, 0, 1, 4);
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    // The buttons are named by page, as on the screen's other pages: cmdSave_2
    // on the keys page, cmdSave_3 on the employees page.
    buttons->addWidget(cmdNew = KeyButton("New Key", "cmdNew_2"));
    buttons->addWidget(cmdSave = KeyButton("Save", "cmdSave_2"));
    buttons->addWidget(cmdDelete = KeyButton("Delete", "cmdDelete_2"));
    buttons->addStretch();
    top->addLayout(buttons);
    for (QLineEdit* box : {txtKeyNumber, txtDescription, txtOutDuration})
        EnterMovesOn(box);

    onRowChosen(grdKeys, this, [this] { rowChosen(); });
    // Enter or a double-click opens the key for editing.
    connect(grdKeys, &DataGrid::rowActivated, this, [this] { txtDescription->setFocus(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] {
        grdKeys->clearSelection();
        showKey(std::nullopt);
        cboKeyGroup->setFocus();
    });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(chkRemoveZeros, &QCheckBox::toggled, this, [this](bool on) {
        KeyGuarded(m_ctx, "chkRemoveZeros_Click", [&] { SetKeyRemoveZeros(m_ctx, on); });
    });

    reload();
}

void KeyListTab::reload(qint64 select) {
    std::vector<KeyRecord> keys;
    bool removeZeros = false;
    if (!KeyGuarded(m_ctx, "FillKeys", [&] {
            keys = KeyGetAllKeys(m_ctx);
            removeZeros = KeyRemoveZeros(m_ctx);
            FillKeyGroups(m_ctx, cboKeyGroup);
        }))
        return;
    {
        const QSignalBlocker quiet(chkRemoveZeros);
        chkRemoveZeros->setChecked(removeZeros);
    }
    const QSignalBlocker quiet(grdKeys->selectionModel());
    grdKeys->clearRows();
    for (const KeyRecord& k : keys)
        grdKeys->setRow(k.id, {k.groupName, k.keyNumber, k.description,
                               QString::number(k.outDuration), k.outHoursDays,
                               k.isOut() ? "Out" : "In", k.isOut() ? k.employeeName : QString()});
    const qint64 show = select ? select : m_keyId;
    std::optional<KeyRecord> shown;
    for (const KeyRecord& k : keys)
        if (k.id == show) shown = k;
    if (shown) grdKeys->selectKey(shown->id);
    showKey(shown);
}

void KeyListTab::rowChosen() {
    const qint64 id = grdKeys->currentKey();
    std::optional<KeyRecord> k;
    if (id && !KeyGuarded(m_ctx, "grdKeys_Click", [&] { k = KeyGetKey(m_ctx, id); })) return;
    showKey(k);
}

void KeyListTab::showKey(const std::optional<KeyRecord>& k) {
    m_keyId = k ? k->id : 0;
    if (k && cboKeyGroup->findText(k->groupName) < 0) cboKeyGroup->addItem(k->groupName);
    cboKeyGroup->setCurrentIndex(k ? cboKeyGroup->findText(k->groupName) : 0);
    txtKeyNumber->setText(k ? k->keyNumber : QString());
    // A saved key keeps its number: its loans are kept under it.
    txtKeyNumber->setReadOnly(k.has_value());
    txtDescription->setText(k ? k->description : QString());
    txtOutDuration->setText(k ? QString::number(k->outDuration) : QString());
    cboOutHoursDays->setCurrentIndex(k && k->outHoursDays == "Days" ? 1 : 0);
    cmdDelete->setEnabled(k.has_value());
}

void KeyListTab::cmdSave_Click() {
    KeyRecord k;
    k.id = m_keyId;
    k.groupName = cboKeyGroup->currentText().trimmed();
    k.keyNumber = txtKeyNumber->text().trimmed();
    k.description = txtDescription->text().trimmed();
    k.outDuration = txtOutDuration->text().trimmed().toInt();
    k.outHoursDays = cboOutHoursDays->currentText();
    if (!applied(m_ctx, "cmdSave_Click",
                 [&] { return k.id ? KeyUpdateKey(m_ctx, k) : KeyInsertKey(m_ctx, k); }))
        return;
    reload(k.id);
    emit changed();
}

void KeyListTab::cmdDelete_Click() {
    if (!m_keyId || !deleteConfirmed(m_ctx, "Key " + txtKeyNumber->text())) return;
    if (!applied(m_ctx, "cmdDelete_Click", [&] { return KeyDeleteKey(m_ctx, m_keyId); })) return;
    m_keyId = 0;
    reload();
    emit changed();
}

// ---- Employees -----------------------------------------------------------------------

KeyEmployeeTab::KeyEmployeeTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabEmployees");
    auto* top = new QVBoxLayout(this);
    top->addWidget(grdEmployees = named(new DataGrid, "grdEmployees"), 1);
    grdEmployees->setHeaders({"Employee Name", "Employee Number", "Job Title"});

    auto* form = new QGridLayout;
    form->addWidget(new QLabel("Employee Name:"), 0, 0);
    form->addWidget(txtEmployeeName = makeLineEdit(this, "txtEmployeeName", false, 50), 0, 1);
    form->addWidget(new QLabel("Employee Number:"), 1, 0);
    form->addWidget(txtEmployeeNumber = makeLineEdit(this, "txtEmployeeNumber", false, 50), 1, 1);
    form->addWidget(new QLabel("Job Title:"), 2, 0);
    form->addWidget(txtJobTitle = makeLineEdit(this, "txtJobTitle", false, 50), 2, 1);
    top->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNew = KeyButton("New Employee", "cmdNew_3"));
    buttons->addWidget(cmdSave = KeyButton("Save", "cmdSave_3"));
    buttons->addWidget(cmdDelete = KeyButton("Delete", "cmdDelete_3"));
    buttons->addWidget(cmdAssign = KeyButton("Key Assignments", "cmdAssign"));
    buttons->addStretch();
    top->addLayout(buttons);
    for (QLineEdit* box : {txtEmployeeName, txtEmployeeNumber, txtJobTitle})
        EnterMovesOn(box);

    onRowChosen(grdEmployees, this, [this] { rowChosen(); });
    connect(grdEmployees, &DataGrid::rowActivated, this, [this] { cmdAssign_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] {
        grdEmployees->clearSelection();
        showEmployee(std::nullopt);
        txtEmployeeName->setFocus();
    });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdAssign, &QPushButton::clicked, this, [this] { cmdAssign_Click(); });

    reload();
}

void KeyEmployeeTab::reload(qint64 select) {
    std::vector<KeyEmployeeRecord> employees;
    if (!KeyGuarded(m_ctx, "FillEmployees", [&] { employees = KeyGetAllEmployees(m_ctx); }))
        return;
    const QSignalBlocker quiet(grdEmployees->selectionModel());
    grdEmployees->clearRows();
    for (const KeyEmployeeRecord& e : employees)
        grdEmployees->setRow(e.id, {e.name, e.number, e.jobTitle});
    const qint64 show = select ? select : m_employeeId;
    std::optional<KeyEmployeeRecord> shown;
    for (const KeyEmployeeRecord& e : employees)
        if (e.id == show) shown = e;
    if (shown) grdEmployees->selectKey(shown->id);
    showEmployee(shown);
}

void KeyEmployeeTab::rowChosen() {
    const qint64 id = grdEmployees->currentKey();
    std::optional<KeyEmployeeRecord> e;
    if (id && !KeyGuarded(m_ctx, "grdEmployees_Click", [&] { e = KeyGetEmployee(m_ctx, id); }))
        return;
    showEmployee(e);
}

void KeyEmployeeTab::showEmployee(const std::optional<KeyEmployeeRecord>& e) {
    m_employeeId = e ? e->id : 0;
    txtEmployeeName->setText(e ? e->name : QString());
    txtEmployeeNumber->setText(e ? e->number : QString());
    txtJobTitle->setText(e ? e->jobTitle : QString());
    cmdDelete->setEnabled(e.has_value());
}

void KeyEmployeeTab::cmdSave_Click() {
    KeyEmployeeRecord e;
    e.id = m_employeeId;
    e.name = txtEmployeeName->text().trimmed();
    e.number = txtEmployeeNumber->text().trimmed();
    e.jobTitle = txtJobTitle->text().trimmed();
    if (!applied(m_ctx, "cmdSave_Click",
                 [&] { return e.id ? KeyUpdateEmployee(m_ctx, e) : KeyInsertEmployee(m_ctx, e); }))
        return;
    reload(e.id);
    emit changed();
}

void KeyEmployeeTab::cmdDelete_Click() {
    if (!m_employeeId || !deleteConfirmed(m_ctx, "Employee " + txtEmployeeName->text())) return;
    if (!applied(m_ctx, "cmdDelete_Click", [&] { return KeyDeleteEmployee(m_ctx, m_employeeId); }))
        return;
    m_employeeId = 0;
    reload();
    emit changed();
}

void KeyEmployeeTab::cmdAssign_Click() {
    std::optional<KeyEmployeeRecord> e;
    if (m_employeeId &&
        !KeyGuarded(m_ctx, "cmdAssign_Click", [&] { e = KeyGetEmployee(m_ctx, m_employeeId); }))
        return;
    if (!e) {
        m_ctx.prompt().message(kKeySelectEmployee);
        return;
    }
    auto* assign = new frmKeyAssign(m_ctx, *e, this);
    assign->setAttribute(Qt::WA_DeleteOnClose);
    assign->setWindowModality(Qt::WindowModal);
    connect(assign, &frmKeyAssign::saved, this, &KeyEmployeeTab::changed);
    assign->show();
}

} // namespace vm
