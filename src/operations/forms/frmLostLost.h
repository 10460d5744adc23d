#pragma once
// A lost report: what was lost, where and when, whose it is; the search for
// found items that may be it, and closing the report with one of them.

#include "operations/LostFound.h"
#include "operations/forms/frmLostParts.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vm {

class frmLostLost : public QDialog {
    Q_OBJECT
public:
    // `id` 0: a new report.
    frmLostLost(AppContext& ctx, qint64 id, QWidget* parent = nullptr);
    qint64 itemId() const { return m_item.id; }

Q_SIGNALS:
    // Saved, deleted or closed: the lists showing it are out of date.
    void changed();

private:
    void build();
    void showItem();
    LfItem typed() const;
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void findMatches(bool afterSave);
    void match(qint64 foundId);

    AppContext& m_ctx;
    LfItem m_item;
    QLineEdit *txtItemText, *txtLostDate, *txtRoomNumber, *txtEstValueLost;
    QComboBox *cboCategory, *cboLostLocation;
    OwnerBoxes owner{};
    QLabel* lblEnteredBy;
    LostMatchPanel* pnlMatch;
    QPushButton *cmdSave, *cmdDelete, *cmdPrint, *cmdClose;
};

} // namespace vm
