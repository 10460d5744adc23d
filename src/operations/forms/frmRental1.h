#pragma once
// The rental and inventory screen: items out and the shopping list, one tab
// per item type, the search of loans by date and the rental texts; printing,
// the CSV extract, and the Save and Delete of the item tab shown.

#include "operations/Rentals.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vm {

class DataGrid;
class frmRental1Items;

class frmRental1 : public QDialog {
    Q_OBJECT
public:
    explicit frmRental1(AppContext& ctx, QWidget* parent = nullptr);

private:
    void buildItemsOut(QWidget* page);
    void buildSearch(QWidget* page);
    void buildTexts(QWidget* page);
    void tabChanged();
    frmRental1Items* itemsTab() const; // the item tab shown, else nullptr

    void refreshLists();
    void refreshCategories();
    void showItemsOut(bool dueOnly);
    void openItem(qint64 stuffId);
    void cmdSearch_Click();
    void textCategoryChanged();
    void cmdSaveText_Click();
    void cmdSaveDefaults_Click();
    void cmdExtract_Click();
    void print(const QString& routine, const QString& title, const QVariantMap& args = {});

    AppContext& m_ctx;
    QTabWidget* tabs = nullptr;
    std::array<frmRental1Items*, 3> m_items{};
    // Items out
    QLineEdit* txtDueBy = nullptr;
    QPushButton *cmdShowDue = nullptr, *cmdShowAll = nullptr;
    DataGrid *grdItemsOut = nullptr, *grdRestock = nullptr;
    QDate m_dueBy; // the due-back day shown (invalid: every item out)
    // Search
    QRadioButton *optByReturn = nullptr, *optByCheckout = nullptr;
    QLineEdit *txtFromDate = nullptr, *txtThroughDate = nullptr;
    QComboBox* cboSearchCategory = nullptr;
    QPushButton* cmdSearch = nullptr;
    DataGrid* grdSearch = nullptr;
    QVariantMap m_searchArgs;
    // Texts
    QPlainTextEdit *txtRentConf1 = nullptr, *txtRentConf2 = nullptr;
    QCheckBox *chkPrintCheckOut = nullptr, *chkPrintCheckIn = nullptr;
    QComboBox* cboTextCategory = nullptr;
    QPlainTextEdit *txtCatRentConf1 = nullptr, *txtCatRentConf2 = nullptr;
    QPushButton *cmdSaveDefaults = nullptr, *cmdSaveText = nullptr;
    // The window's buttons
    QPushButton *cmdPrintDueBack = nullptr, *cmdPrintInventory = nullptr,
                *cmdPrintShopping = nullptr, *cmdPrintResults = nullptr, *cmdExtract = nullptr,
                *cmdDelete = nullptr, *cmdSave = nullptr;
};

} // namespace vm
