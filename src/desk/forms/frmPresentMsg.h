#pragma once
// One due message on screen (frmPresentMsg).  It closes only through a
// disposition: remind me again, read, reply, forward, completed for
// everybody.  Keeping it in the personal message centre is not one.

#include "desk/Messages.h"
#include "logbook/LogEntry.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class frmPresentMsg : public QDialog {
    Q_OBJECT
public:
    frmPresentMsg(AppContext& ctx, const StaffMsg& message, QWidget* parent = nullptr);

    // Opens the entry the message is about on the main window's logbook.
    std::function<void(qint64 logId, LogSource source)> openEntry;

    bool disposed() const { return m_disposed; }
    const StaffMsg& message() const { return m_msg; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildLayout();
    void fill();
    void cmdRemind_Click();
    void cmdRead_Click();
    void cmdReply_Click();
    void cmdForward_Click();
    void cmdCompleteAll_Click();
    void cmdOpenEntry_Click();
    void imgKeep_DblClick();
    // Runs a disposition; the form closes when it went through.
    void dispose(const QString& procedure, const std::function<bool()>& action);

    AppContext& m_ctx;
    StaffMsg m_msg;
    LogSource m_entrySource = LogSource::Current;
    bool m_entryFound = false;
    bool m_disposed = false;

    QLineEdit *txtDue, *txtSentFrom, *txtRecipient;
    QLabel *imgKeep, *lblKept;
    QPlainTextEdit *txtMessageText, *txtEntry;
    QPushButton* cmdOpenEntry;
    QLineEdit *txtRemindDate, *txtRemindTime;
    QPushButton *cmdRemind, *cmdRead;
    QPlainTextEdit* txtReply;
    QPushButton* cmdReply;
    QComboBox* cboForwardTo;
    QLineEdit* txtForwardNote;
    QPushButton *cmdForward, *cmdCompleteAll;
};

} // namespace vm
