#pragma once
// The keys one employee may borrow: every key on the left, the employee's
// list on the right; keys are added one by one or a whole group at a time,
// and saving replaces the employee's list.

#include "operations/KeyControl.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vm {

class DataGrid;

class frmKeyAssign : public QDialog {
    Q_OBJECT
public:
    frmKeyAssign(AppContext& ctx, const KeyEmployeeRecord& employee, QWidget* parent = nullptr);

Q_SIGNALS:
    // The employee's list was saved.
    void saved();

private:
    void load();
    void addKey(const KeyRecord& k);
    void addChosenKeys();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdSave_Click();

    AppContext& m_ctx;
    KeyEmployeeRecord m_employee;
    std::vector<KeyRecord> m_keys; // every key, for the grids' texts
    QLabel* lblEmployee = nullptr;
    DataGrid* grdAllKeys = nullptr;
    DataGrid* grdAssigned = nullptr;
    QComboBox* cboKeyGroup = nullptr;
    QPushButton *cmdAdd = nullptr, *cmdAddKey = nullptr, *cmdRemove = nullptr,
                *cmdSave = nullptr, *cmdClose = nullptr;
};

} // namespace vm
