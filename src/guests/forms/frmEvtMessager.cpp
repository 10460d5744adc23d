#include "guests/forms/frmEvtMessager.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/Staff.h"
#include "core/TextLog.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"
#include "security/CardData.h"
#include "security/forms/frmCCQuery.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmEvtMessager");
constexpr int IdRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;
} // namespace

frmEvtMessager::frmEvtMessager(AppContext& ctx, RecordKind kind, qint64 id, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_kind(kind) {
    setObjectName(FormName);
    setWindowTitle("Send a Message - " + RecordMessageKind(kind));

    auto* top = new QVBoxLayout(this);
    top->addWidget(named(new QLabel("Recipient(s):"), "lblRecipients"));
    top->addWidget(lstRecipients = named(new QListWidget, "lstRecipients"), 1);
    lstRecipients->setSelectionMode(QAbstractItemView::MultiSelection);
    top->addWidget(named(new QLabel("Message Text:"), "lblMessage"));
    top->addWidget(txtMessage = named(new QPlainTextEdit, "txtMessage"), 2);
    auto* when = new QFormLayout;
    txtDeliverDate = makeLineEdit(this, "txtDeliverDate", false, 10);
    txtDeliverDate->setPlaceholderText(Formats::ShortDateHint);
    txtDeliverTime = makeLineEdit(this, "txtDeliverTime", false, 8);
    when->addRow(named(new QLabel("Deliver Date:"), "lblDeliverDate"), txtDeliverDate);
    when->addRow(named(new QLabel("Deliver Time:"), "lblDeliverTime"), txtDeliverTime);
    top->addLayout(when);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSend = named(new QPushButton("&Send"), "cmdSend"));
    buttons->addWidget(cmdCancel = named(new QPushButton("&Cancel"), "cmdCancel"));
    top->addLayout(buttons);

    connect(cmdSend, &QPushButton::clicked, this, &frmEvtMessager::cmdSend_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    const QDateTime now = ctx.clock().now();
    txtDeliverDate->setText(Formats::ShortDate(now.date()));
    txtDeliverTime->setText(Formats::Time12(now.time()));
    loadRecipients();
    try {
        txtMessage->setPlainText(ToDisplayText(BuildRecordMessageText(ctx, kind, id)));
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "BuildRecordMessageText", FormName, true);
    }
}

void frmEvtMessager::loadRecipients() {
    try {
        for (const StaffEntry& s : GetAllConcierges(m_ctx.db(), false)) {
            auto* item = new QListWidgetItem(s.text, lstRecipients);
            item->setData(IdRole, s.id);
            // The name alone (the list shows "Name (XX)").
            item->setData(NameRole, s.text.section(" (", 0, 0));
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetAllConcierges", FormName, true);
    }
}

QString ScreenMessageCardNumber(AppContext& ctx, const QString& text, const QStringList& names,
                                QPlainTextEdit* box, QWidget* parent) {
    // Parcel tracking numbers look like card numbers and are kept.
    if (text.contains("Tracking Number") || !CheckForCCNumber(text.trimmed())) return text;
    const bool remove = AskCCQuery("Message", box->objectName(), parent);
    LogMessage(ctx.start.databaseFolder, CardInMessageLogLine(ctx, remove, names), ctx.clock());
    if (!remove) return text;
    const QString kept = CreditCardISM(text, true);
    box->setPlainText(ToDisplayText(kept));
    return kept;
}

void frmEvtMessager::cmdSend_Click() {
    StaffMessage m;
    for (const QListWidgetItem* item : lstRecipients->selectedItems()) {
        m.recipients << item->data(IdRole).toLongLong();
        m.recipientNames << item->data(NameRole).toString();
    }
    if (m.recipients.isEmpty()) {
        m_ctx.prompt().message(MsgSelectRecipients);
        return;
    }
    m.text = ToStoredText(txtMessage->toPlainText());
    if (m.text.trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgEnterMessageText);
        return;
    }
    const QDate day = Formats::ParseShortDate(txtDeliverDate->text().trimmed());
    if (!day.isValid()) {
        m_ctx.prompt().message(MsgDeliverDate);
        return;
    }
    const QTime time = Formats::ParseTime(txtDeliverTime->text().trimmed());
    if (!time.isValid()) {
        m_ctx.prompt().message(MsgDeliverTime);
        return;
    }
    // Nothing typed is lost: the dialog stays open with the text.
    if (!m_ctx.sendMessage) {
        m_ctx.prompt().message(MsgMessagingNotInstalled);
        return;
    }
    m.text = ScreenMessageCardNumber(m_ctx, m.text, m.recipientNames, txtMessage, this);
    m.deliverAt = QDateTime(day, time);
    m.kind = RecordMessageKind(m_kind);
    if (!m_ctx.sendMessage(m_ctx, m)) return;
    m_sent = true;
    accept();
}

void SendRecordMessage(AppContext& ctx, RecordKind kind, qint64 id, QWidget* parent) {
    if (IsGuestViewer(ctx.session) || ctx.session.restricted ||
        GetBooleanSetting(ctx.db(), "NoMessaging", &ctx.prompt())) {
        ctx.prompt().message(MsgNoMessaging);
        return;
    }
    frmEvtMessager dialog(ctx, kind, id, parent);
    dialog.exec();
}

} // namespace vm
