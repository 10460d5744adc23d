#pragma once
// One item tab of the rental screen: the items of one StuffType in a grid
// (items that are out in red), the item's boxes, and lending (check-out,
// check-in, change of the due-back moment, the loans) or, for stock items,
// issue and restock by quantity.

#include "operations/Rentals.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

class frmRental1Items : public QWidget {
    Q_OBJECT
public:
    frmRental1Items(AppContext& ctx, int type, QWidget* parent = nullptr);

    int type() const { return m_type; }
    DataGrid* grid() const { return grdItems; }
    // Reads the list again, keeping the item shown.
    void refresh();
    void refreshCategories();
    // Shows the item (its row chosen); false when it is not in this list.
    bool showItem(qint64 stuffId);
    qint64 currentId() const { return m_id; }

    // The form's Save and Delete buttons act on the tab shown.
    void save();
    void deleteItem();

Q_SIGNALS:
    // Something the other lists show changed (stock, loans, the catalogue).
    void changed();

private:
    void build();
    void clearItem();
    void itemChosen(qint64 stuffId);
    void showLoan();
    bool refuse(const RentalRefusal& refusal);
    bool needItem();
    TypedLoan typedLoan() const;
    void checkOut();
    void checkIn();
    void changeDate();
    void restock();
    void printCharges(qint64 loanId);

    AppContext& m_ctx;
    int m_type;
    qint64 m_id = 0;
    std::optional<int> m_onHandLoaded;

    DataGrid* grdItems = nullptr;
    QComboBox* cboCategory = nullptr;
    QLineEdit *txtItemName = nullptr, *txtItemNumber = nullptr, *txtRentalDays = nullptr,
              *txtRentalCharge = nullptr, *txtPar = nullptr, *txtOnHand = nullptr;
    QLineEdit *txtRenterName = nullptr, *txtRoomNumber = nullptr, *txtReturnDate = nullptr,
              *txtReturnTime = nullptr, *txtQuantity = nullptr;
    QLabel* lblCheckOut = nullptr;
    DataGrid* grdHistory = nullptr;
    QPushButton *cmdNew = nullptr, *cmdCheckOut = nullptr, *cmdCheckIn = nullptr,
                *cmdChangeDate = nullptr, *cmdRestock = nullptr, *cmdPrintCharges = nullptr;
};

} // namespace vm
