#pragma once
// Closing a record: a lost report with the found item that answers it, or a
// found item handed over without a report.  Dates, return method, charge and
// card, the owner; the closed record's sheet can be printed afterwards.

#include "operations/LostFound.h"
#include "operations/forms/frmLostParts.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class frmLostMatched : public QDialog {
    Q_OBJECT
public:
    // `lostId` 0: the found item goes back without a lost report.
    frmLostMatched(AppContext& ctx, qint64 lostId, qint64 foundId, QWidget* parent = nullptr);
    qint64 closedId() const { return m_closedId; }

Q_SIGNALS:
    void closedItem(qint64 closedId);

private:
    void build();
    void cmdSave_Click();
    void cmdPrint_Click();

    AppContext& m_ctx;
    LfItem m_lost, m_found;
    qint64 m_closedId = 0;
    QLabel *lblFoundItem, *lblLostItem;
    QLineEdit *txtDisposedDate, *txtReturnDate, *txtPaymentMethod, *txtReturnCharge, *txtCardNumber;
    QComboBox *cboDisposition, *cboReturnMethod;
    OwnerBoxes owner{};
    QPushButton *cmdSave, *cmdPrint, *cmdClose;
};

} // namespace vm
