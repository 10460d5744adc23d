#pragma once
// A closed record, read-only: both sides, how it went back (or was disposed
// of), the return notes that may still be added, and the stored card.

#include "operations/LostFound.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class frmLostDisposed : public QDialog {
    Q_OBJECT
public:
    frmLostDisposed(AppContext& ctx, qint64 id, QWidget* parent = nullptr);

private:
    void showItem();
    void cmdSaveNotes_Click();
    void cmdShowCard_Click();

    AppContext& m_ctx;
    LfItem m_item;
    QLabel* lblDetails;
    QPlainTextEdit *txtReturnNotes, *txtNewNotes;
    QPushButton *cmdSaveNotes, *cmdShowCard, *cmdPrint, *cmdClose;
};

} // namespace vm
