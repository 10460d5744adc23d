#include "operations/forms/frmKeyAssign.h"

#include "operations/forms/frmKeyControlTabs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QStringList KeyColumns{"Key Group", "Key Number", "Description"};
QStringList keyCells(const KeyRecord& k) { return {k.groupName, k.keyNumber, k.description}; }
} // namespace

frmKeyAssign::frmKeyAssign(AppContext& ctx, const KeyEmployeeRecord& employee, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_employee(employee) {
    setObjectName("frmKeyAssign");
    setWindowTitle("Key Assignments - " + employee.name);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblEmployee = named(new QLabel(employee.name + "  (" + employee.number + ")  " +
                                                  employee.jobTitle),
                                       "lblEmployee"));
    auto* grids = new QGridLayout;
    grids->addWidget(new QLabel("All Keys:"), 0, 0);
    grids->addWidget(new QLabel("Keys this employee may check out:"), 0, 2);
    grids->addWidget(grdAllKeys = named(new DataGrid, "grdAllKeys"), 1, 0);
    grids->addWidget(grdAssigned = named(new DataGrid, "grdAssigned"), 1, 2);
    for (DataGrid* g : {grdAllKeys, grdAssigned}) {
        g->setHeaders(KeyColumns);
        g->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmdAddKey = KeyButton("Add Key >", "cmdAddKey"));
    middle->addWidget(cmdRemove = KeyButton("< Remove", "cmdRemove"));
    middle->addStretch();
    grids->addLayout(middle, 1, 1);
    top->addLayout(grids, 1);

    auto* group = new QHBoxLayout;
    group->addWidget(new QLabel("Key Group:"));
    group->addWidget(cboKeyGroup = named(new QComboBox, "cboKeyGroup"), 1);
    group->addWidget(cmdAdd = KeyButton("Add", "cmdAdd"));
    group->addStretch();
    group->addWidget(cmdSave = KeyButton("Save", "cmdSave"));
    group->addWidget(cmdClose = KeyButton("Close", "cmdClose"));
    top->addLayout(group);
    resize(820, 520);

    // Enter or a double-click on a key of the left list adds it.
    connect(grdAllKeys, &DataGrid::rowActivated, this, [this] { addChosenKeys(); });
    connect(cmdAddKey, &QPushButton::clicked, this, [this] { addChosenKeys(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void frmKeyAssign::load() {
    std::vector<KeyRecord> assigned;
    KeyGuarded(m_ctx, "Form_Load", [&] {
        m_keys = KeyGetAllKeys(m_ctx);
        assigned = KeyGetAssignedKeys(m_ctx, m_employee.id);
        FillKeyGroups(m_ctx, cboKeyGroup);
    });
    grdAllKeys->clearRows();
    for (const KeyRecord& k : m_keys)
        grdAllKeys->setRow(k.id, keyCells(k));
    grdAssigned->clearRows();
    for (const KeyRecord& k : assigned)
        addKey(k);
}

void frmKeyAssign::addKey(const KeyRecord& k) {
    // One row per key: adding a key already listed changes nothing.
    grdAssigned->setRow(k.id, keyCells(k));
}

void frmKeyAssign::addChosenKeys() {
    for (qint64 id : grdAllKeys->selectedKeys())
        for (const KeyRecord& k : m_keys)
            if (k.id == id) addKey(k);
}

void frmKeyAssign::cmdAdd_Click() {
    const QString group = cboKeyGroup->currentText().trimmed();
    if (group.isEmpty()) {
        m_ctx.prompt().message(kKeySelectGroupToAdd);
        return;
    }
    std::vector<KeyRecord> keys;
    if (!KeyGuarded(m_ctx, "cmdAdd_Click", [&] { keys = KeyGetKeysInGroup(m_ctx, group); }))
        return;
    for (const KeyRecord& k : keys)
        addKey(k);
}

void frmKeyAssign::cmdRemove_Click() {
    for (qint64 id : grdAssigned->selectedKeys())
        grdAssigned->removeKey(id);
}

void frmKeyAssign::cmdSave_Click() {
    const QList<qint64> listed = grdAssigned->keys();
    const std::vector<qint64> ids(listed.begin(), listed.end());
    if (!KeyGuarded(m_ctx, "cmdSave_Click",
                    [&] { KeySaveAssignments(m_ctx, m_employee.id, ids); }))
        return;
    emit saved();
    accept();
}

} // namespace vm
