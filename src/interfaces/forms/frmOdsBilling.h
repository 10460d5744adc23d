#pragma once
// The billing-code dialog of the limousine interface: a new code
// ("Add New ODS Billing Code") or a change to one ("Modify ODS Billing
// Code").  OK saves and closes; Escape or Cancel closes without saving.
// Also the read-only list of the codes the entry screen shows on F10.

#include "core/AppContext.h"
#include "interfaces/LimoDispatch.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class frmOdsBilling : public QDialog {
    Q_OBJECT
public:
    // `code.id` 0 adds a new code under the next free id.
    frmOdsBilling(AppContext& ctx, const OdsBillingCode& code, QWidget* parent = nullptr);

    // The code as saved (valid once the dialog was accepted).
    const OdsBillingCode& code() const { return m_code; }

private:
    void cmdOK_Click();

    AppContext& m_ctx;
    OdsBillingCode m_code;
    bool m_isNew;
    QLabel* lblOdsID;
    QLineEdit *txtOdsCode, *txtOdsDescription;
    QPushButton *cmdOK, *cmdCancel;
};

inline const QString MsgOdsCodeEmpty = QStringLiteral("Please enter the ODS Billing Code.");

// The billing codes for the desk to look up while writing an entry.
void ShowOdsBillingCodes(AppContext& ctx, QWidget* parent);

} // namespace vm
