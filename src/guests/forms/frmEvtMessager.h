#pragma once
// The message about a record (frmEvtMessager): recipients, the text started
// from the record, and the delivery date and time.

#include "guests/RecordMessage.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class frmEvtMessager : public QDialog {
    Q_OBJECT
public:
    frmEvtMessager(AppContext& ctx, RecordKind kind, qint64 id, QWidget* parent = nullptr);
    bool sent() const { return m_sent; }

private:
    void loadRecipients();
    void cmdSend_Click();

    AppContext& m_ctx;
    RecordKind m_kind;
    bool m_sent = false;
    QListWidget* lstRecipients;
    QPlainTextEdit* txtMessage;
    QLineEdit* txtDeliverDate;
    QLineEdit* txtDeliverTime;
    QPushButton *cmdSend, *cmdCancel;
};

// The card screen of a message before it is sent: a number found in `text`
// is asked about (parcel tracking numbers are kept), the finding is logged
// naming the recipients, and a removed number leaves `box` too.  Answers the
// text to send.
QString ScreenMessageCardNumber(AppContext& ctx, const QString& text, const QStringList& names,
                                QPlainTextEdit* box, QWidget* parent);

// Opens the message dialog about the record and waits for it, after the
// guest-session, restricted-member and NoMessaging refusals.  The caller
// checks its own screen's right to send messages first.
void SendRecordMessage(AppContext& ctx, RecordKind kind, qint64 id, QWidget* parent);

} // namespace vm
