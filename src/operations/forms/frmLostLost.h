#pragma once
// A lost report: what was lost, where and when, whose it is; the search for
// found items that may be it, and closing the report with one of them.

#include "operations/LostFound.h"
#include "operations/forms/frmLostParts.h"


class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class frmLostLost : public LostItemForm {
    Q_OBJECT
public:
    // `id` 0: a new report.
    frmLostLost(AppContext& ctx, qint64 id, QWidget* parent = nullptr);

private:
    void build();
    void showItem();
    LfItem typed() const;
    void cmdSave_Click();

    QLineEdit *txtItemText, *txtLostDate, *txtRoomNumber, *txtEstValueLost;
    QComboBox *cboCategory, *cboLostLocation;
    LfItem m_opened; // as read: a save over another desk's is refused
    OwnerBoxes owner{};
    QLabel* lblEnteredBy;
    QPushButton *cmdSave, *cmdDelete, *cmdPrint, *cmdClose;
};

} // namespace vm
