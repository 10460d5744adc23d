#include "desk/forms/frmPresentMsg.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Staff.h"
#include "core/WebPages.h"
#include "desk/MessagePages.h"
#include "desk/MessageRules.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmPresentMsg");

QLineEdit* readOnlyBox(QWidget* parent, const QString& name) {
    auto* e = makeLineEdit(parent, name, false, 200);
    e->setReadOnly(true);
    return e;
}

QPlainTextEdit* textBox(const QString& name, bool readOnly) {
    auto* e = named(new QPlainTextEdit, name);
    e->setReadOnly(readOnly);
    return e;
}

// The stored due time as the desk reads it.
QString shownDue(const QString& stored) {
    const QDateTime due = Formats::ParseStoredDateTime(stored);
    return due.isValid() ? Formats::ShortDate(due.date()) + " " + Formats::Time12(due.time())
                         : stored;
}

bool anEntryScreenIsOpen() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmLogbook*>(w) && w->isVisible()) return true;
    return false;
}
} // namespace

frmPresentMsg::frmPresentMsg(AppContext& ctx, const StaffMsg& message, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_msg(message) {
    setObjectName(FormName);
    setWindowTitle("Message from " + message.senderName());
    buildLayout();
    fill();
    connect(cmdRemind, &QPushButton::clicked, this, &frmPresentMsg::cmdRemind_Click);
    connect(cmdRead, &QPushButton::clicked, this, &frmPresentMsg::cmdRead_Click);
    connect(cmdReply, &QPushButton::clicked, this, &frmPresentMsg::cmdReply_Click);
    connect(cmdForward, &QPushButton::clicked, this, &frmPresentMsg::cmdForward_Click);
    connect(cmdCompleteAll, &QPushButton::clicked, this, &frmPresentMsg::cmdCompleteAll_Click);
    connect(cmdOpenEntry, &QPushButton::clicked, this, &frmPresentMsg::cmdOpenEntry_Click);
    imgKeep->installEventFilter(this);
    resize(640, 620);
}

void frmPresentMsg::buildLayout() {
    auto* top = new QVBoxLayout(this);
    auto* head = new QGridLayout;
    head->addWidget(named(new QLabel("Due:"), "lblDue"), 0, 0);
    head->addWidget(txtDue = readOnlyBox(this, "txtDue"), 0, 1);
    head->addWidget(named(new QLabel("From:"), "lblSentFrom"), 1, 0);
    head->addWidget(txtSentFrom = readOnlyBox(this, "txtSentFrom"), 1, 1);
    head->addWidget(named(new QLabel("To:"), "lblRecipient"), 2, 0);
    head->addWidget(txtRecipient = readOnlyBox(this, "txtRecipient"), 2, 1);
    imgKeep = named(new QLabel("Message\nCenter"), "imgKeep");
    imgKeep->setFrameShape(QFrame::Box);
    imgKeep->setAlignment(Qt::AlignCenter);
    imgKeep->setToolTip("Double-click to keep this message in your Personal Message Center");
    head->addWidget(imgKeep, 0, 2, 3, 1, Qt::AlignTop | Qt::AlignRight);
    head->setColumnStretch(1, 1);
    top->addLayout(head);
    top->addWidget(lblKept = named(new QLabel, "lblKept"));
    top->addWidget(txtMessageText = textBox("txtMessageText", true), 2);

    auto* entry = named(new QGroupBox("Logbook Entry"), "fraEntry");
    auto* entryLayout = new QVBoxLayout(entry);
    entryLayout->addWidget(txtEntry = textBox("txtEntry", true));
    entryLayout->addWidget(cmdOpenEntry =
                               named(new QPushButton("Open the Logbook Entry"), "cmdOpenEntry"));
    top->addWidget(entry, 2);

    auto* actions = new QGridLayout;
    actions->addWidget(named(new QLabel("Remind on:"), "lblRemind"), 0, 0);
    actions->addWidget(txtRemindDate = makeLineEdit(this, "txtRemindDate", false, 10), 0, 1);
    actions->addWidget(txtRemindTime = makeLineEdit(this, "txtRemindTime", false, 8), 0, 2);
    actions->addWidget(cmdRemind = named(new QPushButton("Remind Me Again"), "cmdRemind"), 0, 3);
    actions->addWidget(cmdRead = named(new QPushButton("Read and Acknowledged"), "cmdRead"), 1, 3);
    actions->addWidget(named(new QLabel("Reply:"), "lblReply"), 2, 0);
    actions->addWidget(txtReply = textBox("txtReply", false), 2, 1, 1, 2);
    txtReply->setMaximumHeight(80);
    actions->addWidget(cmdReply = named(new QPushButton("Reply and Send Reply"), "cmdReply"), 2, 3);
    actions->addWidget(named(new QLabel("Forward to:"), "lblForwardTo"), 3, 0);
    actions->addWidget(cboForwardTo = named(new QComboBox, "cboForwardTo"), 3, 1);
    actions->addWidget(txtForwardNote = makeLineEdit(this, "txtForwardNote", false, 255), 3, 2);
    txtForwardNote->setPlaceholderText("Covering note");
    actions->addWidget(cmdForward = named(new QPushButton("Forward"), "cmdForward"), 3, 3);
    cmdCompleteAll =
        named(new QPushButton("Tell All Other Concierges that I have Completed this request"),
              "cmdCompleteAll");
    actions->addWidget(cmdCompleteAll, 4, 0, 1, 4);
    actions->setColumnStretch(1, 1);
    actions->setColumnStretch(2, 1);
    top->addLayout(actions);
}

void frmPresentMsg::fill() {
    txtDue->setText(shownDue(m_msg.due));
    txtSentFrom->setText(m_msg.sentFrom.trimmed());
    txtRecipient->setText(m_msg.recipient);
    txtMessageText->setPlainText(m_msg.hasText ? ToDisplayText(m_msg.text)
                                               : QStringLiteral("No Message Recorded."));
    cmdCompleteAll->setVisible(m_msg.toMany());
    const QDateTime remind = ProposedReminder(m_ctx);
    txtRemindDate->setText(Formats::ShortDate(remind.date()));
    txtRemindTime->setText(Formats::Time12(remind.time()));
    try {
        if (m_msg.aboutEntry()) {
            QString summary = GetLogbookMessage(m_ctx, m_msg.logId, false);
            if (summary.isEmpty() && m_ctx.hasArchive()) {
                summary = GetLogbookMessage(m_ctx, m_msg.logId, true);
                m_entrySource = LogSource::Archive;
            }
            m_entryFound = !summary.isEmpty();
            txtEntry->setPlainText(m_entryFound ? ToDisplayText(summary)
                                                : QStringLiteral("Was a Logbook Message."));
        }
        cboForwardTo->addItem(QString());
        for (const StaffEntry& s : GetAllConcierges(m_ctx.db(), false)) {
            const QString name = s.text.section(" (", 0, 0);
            if (name.compare(m_ctx.session.name, Qt::CaseInsensitive) != 0)
                cboForwardTo->addItem(name);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookMessage", FormName, true);
    }
    findChild<QGroupBox*>("fraEntry")->setVisible(m_msg.aboutEntry());
    cmdOpenEntry->setEnabled(m_entryFound);
}

void frmPresentMsg::dispose(const QString& procedure, const std::function<bool()>& action) {
    try {
        if (!action()) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, procedure, FormName, true);
        return;
    }
    m_disposed = true;
    accept();
}

void frmPresentMsg::cmdRemind_Click() {
    const TypedDue typed = ParseReminder(txtRemindDate->text(), txtRemindTime->text());
    if (!typed.refusal.isEmpty()) {
        m_ctx.prompt().message(typed.refusal);
        return;
    }
    // An urgent message stays urgent when it comes back.
    dispose("UpdateTheMessage", [&] {
        UpdateTheMessage(m_ctx, m_msg.timerId, typed.due, m_msg.type);
        return true;
    });
}

void frmPresentMsg::cmdRead_Click() {
    dispose("MarkMessageDone", [&] {
        MarkMessageDone(m_ctx, m_msg.timerId);
        return true;
    });
}

void frmPresentMsg::cmdReply_Click() {
    const QString reply = ToStoredText(txtReply->toPlainText());
    if (reply.trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgEnterReply);
        return;
    }
    dispose("ReplyMessage", [&] {
        if (CanReplyTo(m_ctx, m_msg) && ReplyMessage(m_ctx, m_msg, m_ctx.session.name, reply))
            return true;
        m_ctx.prompt().message(MsgCannotReplyTo(m_msg.senderName()));
        return false;
    });
}

void frmPresentMsg::cmdForward_Click() {
    const QString to = cboForwardTo->currentText().trimmed();
    if (to.isEmpty()) {
        m_ctx.prompt().message(MsgChooseForwardTo);
        return;
    }
    const QString note = ToStoredText(txtForwardNote->text());
    dispose("ForwardMessage", [&] {
        ForwardMessage(m_ctx, m_msg, m_ctx.session.name, to, note);
        // Passed on: it would otherwise come back at every poll.
        MarkMessageDone(m_ctx, m_msg.timerId);
        return true;
    });
}

void frmPresentMsg::cmdCompleteAll_Click() {
    dispose("UpdateMessage2ALL", [&] {
        UpdateMessage2ALL(m_ctx, m_msg, m_ctx.session.name);
        return true;
    });
}

void frmPresentMsg::cmdOpenEntry_Click() {
    if (!m_entryFound || !openEntry) return;
    if (anEntryScreenIsOpen()) {
        m_ctx.prompt().message(MsgEntryAlreadyOpen);
        return;
    }
    openEntry(m_msg.logId, m_entrySource);
}

void frmPresentMsg::imgKeep_DblClick() {
    const PageRow row{m_msg.due, m_msg.sentFrom.trimmed(), m_msg.text};
    try {
        const bool tooLong = KeepInPersonalCenter(m_ctx, row);
        // A page that could not be written was reported by the store itself.
        QFile page(PersonalMessagePage(m_ctx));
        const QList<PageRow> rows = page.open(QIODevice::ReadOnly)
                                        ? ReadPageRows(QString::fromUtf8(page.readAll()))
                                        : QList<PageRow>();
        if (!rows.isEmpty() && rows.last().when == row.when && rows.last().text == row.text)
            lblKept->setText("Kept in your Personal Message Center.");
        if (tooLong) m_ctx.prompt().message(MsgPersonalPageTooLong);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "KeepInPersonalCenter", FormName, true);
    }
}

bool frmPresentMsg::eventFilter(QObject* watched, QEvent* e) {
    if (watched == imgKeep && e->type() == QEvent::MouseButtonDblClick) {
        imgKeep_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void frmPresentMsg::reject() {
    if (m_disposed) {
        QDialog::reject();
        return;
    }
    m_ctx.prompt().message(DispositionHelpText());
}

void frmPresentMsg::closeEvent(QCloseEvent* e) {
    if (m_disposed) {
        QDialog::closeEvent(e);
        return;
    }
    e->ignore();
    m_ctx.prompt().message(DispositionHelpText());
}

} // namespace vm
