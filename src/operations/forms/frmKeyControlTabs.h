#pragma once
// The pages of the key-control screen.  Each page reads its controls, calls
// the key-control store and shows the results; a page that changes the keys,
// the employees or the loans says so (changed) so the others reload.

#include "operations/KeyControl.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

// ---- Helpers shared by the pages -----------------------------------------

// Runs `work`; an engine failure is reported as the screen's error under
// `procedure` and answers false.
bool KeyGuarded(AppContext& ctx, const char* procedure, const std::function<void()>& work);

// Enter in the box moves on to the next control, as Tab does.
void EnterMovesOn(QLineEdit* box);
// A button of the pages: Enter belongs to the boxes and grids, not to it.
QPushButton* KeyButton(const QString& text, const char* objectName);
// The grid's headings and rows as shown (the exports write what the member sees).
QStringList GridHeadings(const DataGrid& grid);
std::vector<QStringList> GridRows(const DataGrid& grid);
// Fills the combo with the "KeyGroup" list behind an empty first entry,
// keeping the chosen group when it is still there.
void FillKeyGroups(AppContext& ctx, QComboBox* box);

// ---- Check-out and check-in --------------------------------------------------

class KeyLendTab : public QWidget {
    Q_OBJECT
public:
    KeyLendTab(AppContext& ctx, KeyLendMode mode, QWidget* parent = nullptr);
    // The employee and key again (after another page changed keys or loans).
    void reload();

Q_SIGNALS:
    void changed();

private:
    void checkEmployee();
    void checkKey();
    void showKeys();
    void lend();
    void clearKey();
    QString suffix() const;

    AppContext& m_ctx;
    KeyLendMode m_mode;
    std::optional<KeyEmployeeRecord> m_employee;
    std::optional<KeyRecord> m_key; // the key found in the wanted status

    QLineEdit* txtEmployeeNumber = nullptr;
    QLabel* lblEmployeeName = nullptr;
    QLabel* lblJobTitle = nullptr;
    QLineEdit* txtKeyNumber = nullptr;
    QLabel* lblKeyLine1 = nullptr;
    QLabel* lblKeyLine2 = nullptr;
    QLabel* lblTimeOut = nullptr; // check-in: when the key went out
    QLabel* lblLastAction = nullptr;
    QPushButton* cmdLend = nullptr;
    DataGrid* grdKeys = nullptr; // grdKeysOut (check-in) / grdKeysAvailable (check-out)
};

// ---- Keys and employees ------------------------------------------------------

class KeyListTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyListTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload(qint64 select = 0);

Q_SIGNALS:
    void changed();

private:
    void rowChosen();
    void showKey(const std::optional<KeyRecord>& k);
    void cmdSave_Click();
    void cmdDelete_Click();

    AppContext& m_ctx;
    qint64 m_keyId = 0;
    DataGrid* grdKeys = nullptr;
    QComboBox* cboKeyGroup = nullptr;
    QLineEdit* txtKeyNumber = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtOutDuration = nullptr;
    QComboBox* cboOutHoursDays = nullptr;
    QCheckBox* chkRemoveZeros = nullptr;
    QPushButton *cmdNew = nullptr, *cmdSave = nullptr, *cmdDelete = nullptr;
};

class KeyEmployeeTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyEmployeeTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload(qint64 select = 0);

Q_SIGNALS:
    void changed();

private:
    void rowChosen();
    void showEmployee(const std::optional<KeyEmployeeRecord>& e);
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdAssign_Click();

    AppContext& m_ctx;
    qint64 m_employeeId = 0;
    DataGrid* grdEmployees = nullptr;
    QLineEdit* txtEmployeeName = nullptr;
    QLineEdit* txtEmployeeNumber = nullptr;
    QLineEdit* txtJobTitle = nullptr;
    QPushButton *cmdNew = nullptr, *cmdSave = nullptr, *cmdDelete = nullptr,
                *cmdAssign = nullptr;
};

// ---- Due and overdue, activity, key reports ---------------------------------

class KeyDueTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyDueTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload();

private:
    AppContext& m_ctx;
    DataGrid* grdDueOverDue = nullptr;
    QPushButton *cmdRefresh = nullptr, *cmdPrintOverdue = nullptr, *cmdExportOverdue = nullptr;
};

class KeyActivityTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyActivityTab(AppContext& ctx, QWidget* parent = nullptr);
    // The key and employee lists again.
    void reloadLists();

private:
    void cmdSearch_Click();
    void print();
    void subjectChanged();

    AppContext& m_ctx;
    QVariantMap m_searched; // what the grid shows: the print repeats it
    QRadioButton *optByKey = nullptr, *optByEmployee = nullptr;
    QComboBox *cboActivityKey = nullptr, *cboActivityEmployee = nullptr;
    QLineEdit *txtFromDate = nullptr, *txtThroughDate = nullptr;
    DataGrid* grdActivity = nullptr;
    QPushButton *cmdSearch = nullptr, *cmdPrintActivity = nullptr, *cmdExportActivity = nullptr;
};

class KeyReportTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyReportTab(AppContext& ctx, QWidget* parent = nullptr);
    void reload();

private:
    QString routine() const;

    AppContext& m_ctx;
    QRadioButton *optKeysOut = nullptr, *optKeysIn = nullptr, *optAllKeys = nullptr;
    DataGrid* grdKeyReport = nullptr;
    QPushButton *cmdPrintKeys = nullptr, *cmdExportKeys = nullptr;
};

// ---- Import and purge ----------------------------------------------------------

class KeyImportTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyImportTab(AppContext& ctx, QWidget* parent = nullptr);

Q_SIGNALS:
    void changed();

private:
    void cmdImport_Click();

    AppContext& m_ctx;
    QRadioButton *optImportEmployees = nullptr, *optImportKeys = nullptr;
    QPushButton* cmdImport = nullptr;
};

class KeyPurgeTab : public QWidget {
    Q_OBJECT
public:
    explicit KeyPurgeTab(AppContext& ctx, QWidget* parent = nullptr);

Q_SIGNALS:
    void changed();

private:
    void cmdDeleteTS_Click();

    AppContext& m_ctx;
    QLineEdit* txtPurgeDate = nullptr;
    QPushButton* cmdDeleteTS = nullptr;
};

} // namespace vm
