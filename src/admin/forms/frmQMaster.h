#pragma once
// "Query Master": the database maintenance queries on the current or the
// archive database.  The procedures live in admin/QueryMaster; this window
// reads the choices, calls them and lists what they answer.

#include "admin/QueryMaster.h"

#include <QWidget>

class QPushButton;
class QListWidget;
class QLineEdit;
class QComboBox;
class QRadioButton;

namespace vm {

class frmQMaster : public QWidget {
    Q_OBJECT
public:
    explicit frmQMaster(AppContext& ctx, QWidget* parent = nullptr);

private:
    void cmdSelectDB_Click();
    void cmdRunQuery_Click();
    void cmdDelete_Click();
    void cmdDeleteQueryKeys_Click();
    void cmdTestArchive_Click();
    void cmdListSchema_Click();
    void cmdRefreshDates_Click();
    void cmdShowTest_Click();
    void loadTables();
    void loadFields();
    void loadParentFields();
    void kindChanged();
    QueryKind chosenKind() const;
    void showLines(const QStringList& lines);

    AppContext& m_ctx;
    QueryMaster m_master;
    QPushButton* cmdSelectDB;
    QListWidget* lstTables;
    QListWidget* lstFields;
    QComboBox* cboParentTable;
    QComboBox* cboParentField;
    QList<QRadioButton*> optQueryType;
    QLineEdit* txtValue;
    QPushButton* cmdRunQuery;
    QListWidget* lstResults;
    QPushButton* cmdDelete;
    QPushButton* cmdDeleteQueryKeys;
    QPushButton* cmdTestArchive;
    QPushButton* cmdListSchema;
    QPushButton* cmdRefreshDates;
    QPushButton* cmdShowTest;
    QPushButton* cmdClose;
};

} // namespace vm
