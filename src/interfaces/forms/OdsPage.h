#pragma once
// The "ODS" page of the interface options: the limousine dispatch system's
// billing codes (add, change, delete) and the mapping of the dispatch
// system's fields to the lines of the limousine category's data-entry
// design.  When the interface is switched off the page only says so.

#include "core/AppContext.h"
#include "interfaces/LimoDispatch.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vm {

class DataGrid;

class OdsPage : public QWidget {
    Q_OBJECT
public:
    OdsPage(AppContext& ctx, QWidget* parent = nullptr);

    // Reads the billing codes and the mapping again.
    void refresh();

private:
    void buildEnabled();
    void loadBillingCodes();
    void loadMapping();
    // Fills each field's pick list with the design lines of the chosen category.
    void fillDesignLines();
    // The chosen billing code's id; 0 after saying that none is chosen.
    qint64 selectedBillingId(bool editing);
    void cmdAddBilling_Click();
    void cmdEditBilling_Click();
    void cmdDeleteBilling_Click();
    void btnSaveODS_Click();

    AppContext& m_ctx;
    bool m_enabled = false;
    DataGrid* grdOdsBilling = nullptr;
    QComboBox* cboOdsCategory = nullptr;
    QTableWidget* grdOdsMapping = nullptr;
    QPushButton *cmdAddBilling = nullptr, *cmdEditBilling = nullptr,
                *cmdDeleteBilling = nullptr, *btnSaveODS = nullptr;
    std::vector<OdsMapping> m_mapping; // one per grid row
};

} // namespace vm
