#pragma once
// The lost-and-found window: the three lists searched by one criterion and a
// category, new lost reports and found items, the dated mass disposition and
// deletion, the default dispositions and locks, and the property's own lists.

#include "operations/LostFound.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vm {

class DataGrid;

class frmLostAndFound : public QDialog {
    Q_OBJECT
public:
    explicit frmLostAndFound(AppContext& ctx, QWidget* parent = nullptr);

private:
    void buildSearch(QWidget* page);
    void buildMaintenance(QWidget* page);
    void buildOptions(QWidget* page);
    void buildLists(QWidget* page);

    // Search page
    QString listStatus() const;
    LfSearch typedSearch() const;
    void cmdSearch_Click();
    void runSearch(const LfSearch& s);
    void openItem(qint64 id);
    void openForm(QDialog* form);
    void cmdAdd_Click(bool lost);
    void cmdPrint_Click();

    // Maintenance page
    void cmdDispose_Click();
    void cmdDeleteLF_Click();
    void runMass(LfMassKind kind, const QDate& prior);

    // Options page
    void showOptions();
    void cmdSave_Click();

    // Lists page
    void refreshLists(qint64 selectCat = 0);
    void refreshListItems(qint64 selectItem = 0);
    void cmdNewList_Click();
    void cmdRenameList_Click();
    void cmdNewListItem_Click();
    void cmdRenameListItem_Click();
    void cmdDeleteListItem_Click();
    qint64 currentList() const;
    qint64 currentListItem() const;
    bool shown(const LfListResult& r);

    AppContext& m_ctx;
    std::optional<LfSearch> m_searched;
    QTabWidget* tabs;
    // search
    QRadioButton *optLost, *optFound, *optClosed;
    QRadioButton *optAll, *optWord, *optDateRange, *optDisposition, *optLocation, *optRoom,
        *optStorage, *optTag, *optLastName, *optFinder;
    QLineEdit *txtSearchWord, *txtFromDate, *txtThroughDate, *txtRoomNumber, *txtTagNumber,
        *txtLastName, *txtFinderName;
    QComboBox *cboSearchDisposition, *cboSearchLocation, *cboSearchStorage, *cboCategoryFilter;
    QPushButton *cmdSearch, *cmdAddLost, *cmdAddFound, *cmdPrint;
    DataGrid* grdLostFound;
    QLabel* lblCount;
    // maintenance
    QLineEdit *txtDisposeDate, *txtDeleteDate;
    QRadioButton *optDeleteLost, *optDeleteClosed;
    QPushButton *cmdDispose, *cmdDeleteLF;
    // options
    QComboBox *cboFoundDisposition, *cboMatchedDisposition;
    QCheckBox *chkLockCategoryItems, *chkLockEditing;
    QPushButton* cmdSave;
    // lists
    QListWidget *lstUdCats, *lstUdItems;
    QPushButton *cmdNewUdCat, *cmdRenameUdCat, *cmdNewUdItem, *cmdRenameUdItem, *cmdDeleteUdItem;
};

} // namespace vm
