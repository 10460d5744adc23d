#include "desk/forms/ManageMessagesPage.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSearch");

QRadioButton* radio(const QString& text, const char* name, QButtonGroup* group) {
    auto* r = named(new QRadioButton(text), name);
    group->addButton(r);
    return r;
}

QString CountLine(int n) {
    return n == 0 ? QStringLiteral(" 0 Messages were selected.")
                  : Formats::FormatNumber(n, "###,##0") + " Messages were selected.";
}

} // namespace

QString MsgDeleteMessagesQuestion(int count, const QString& which) {
    return "Press <Yes> to DELETE " +
           (count == 1 ? QStringLiteral("the 1 message ")
                       : "all " + QString::number(count) + " messages ") +
           which + "." + CRLF + "Press <No> if you DO NOT wish to delete.";
}

ManageMessagesPage::ManageMessagesPage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ManageMessagesPage");
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;

    auto* select = new QGroupBox("Select Messages");
    auto* filter = new QButtonGroup(this);
    auto* sg = new QGridLayout(select);
    sg->addWidget(m_all = radio("All Messages", "optAllMessages", filter), 0, 0);
    sg->addWidget(m_byRecipient = radio("By Recipient", "optByRecipient", filter), 1, 0);
    sg->addWidget(m_bySender = radio("By Sender", "optBySender", filter), 2, 0);
    sg->addWidget(m_beforeDate = radio("Due Before", "optBeforeDate", filter), 3, 0);
    sg->addWidget(m_names = named(new QComboBox, "cboNames"), 1, 1, 2, 1);
    sg->addWidget(m_before = makeLineEdit(this, "txtBeforeDate", false, 10), 3, 1);
    m_before->setPlaceholderText(Formats::ShortDateHint);
    m_all->setChecked(true);
    choices->addWidget(select);

    auto* state = new QGroupBox("Status");
    auto* stateGroup = new QButtonGroup(this);
    auto* st = new QVBoxLayout(state);
    st->addWidget(m_active = radio("Active Messages", "optActive", stateGroup));
    st->addWidget(m_disposed = radio("Disposed Messages", "optDisposed", stateGroup));
    m_active->setChecked(true);
    choices->addWidget(state);

    auto* order = new QGroupBox("Order");
    auto* orderGroup = new QButtonGroup(this);
    auto* og = new QVBoxLayout(order);
    og->addWidget(m_byDate = radio("Date, then Recipient", "optOrderByDate", orderGroup));
    og->addWidget(m_byName = radio("Recipient, then Date", "optOrderByName", orderGroup));
    m_byDate->setChecked(true);
    choices->addWidget(order);

    auto* actions = new QVBoxLayout;
    auto* list = named(new QPushButton("&List Messages"), "cmdListMessages");
    actions->addWidget(list);
    actions->addWidget(m_delete = named(new QPushButton("&Delete Messages"), "cmdDeleteMessages"));
    actions->addWidget(m_restore = named(new QPushButton("&Restore Message"), "cmdRestoreMessage"));
    actions->addStretch();
    choices->addLayout(actions);
    layout->addLayout(choices);

    m_grid = named(new DataGrid, "grdMessages");
    m_grid->setHeaders({"Due", "To", "From", "Sent", "Message"});
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_count = named(new QLabel(CountLine(0)), "lblMessageCount"));

    const auto choiceChanged = [this] {
        refreshNames();
        updateButtons();
    };
    connect(filter, &QButtonGroup::buttonToggled, this, choiceChanged);
    connect(stateGroup, &QButtonGroup::buttonToggled, this, choiceChanged);
    connect(list, &QPushButton::clicked, this, &ManageMessagesPage::cmdList_Click);
    connect(m_delete, &QPushButton::clicked, this, &ManageMessagesPage::cmdDelete_Click);
    connect(m_restore, &QPushButton::clicked, this, &ManageMessagesPage::cmdRestore_Click);
    updateButtons();
}

void ManageMessagesPage::updateButtons() {
    m_names->setEnabled(m_byRecipient->isChecked() || m_bySender->isChecked());
    m_before->setEnabled(m_beforeDate->isChecked());
    m_restore->setEnabled(m_disposed->isChecked());
}

void ManageMessagesPage::refreshNames() {
    const QString keep = m_names->currentText();
    m_names->clear();
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    if (!m_byRecipient->isChecked() && !m_bySender->isChecked()) return;
    try {
        m_names->addItems(
            GetMessagesNames(m_ctx, m_bySender->isChecked(), m_disposed->isChecked()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMessagesNames", FormName);
    }
    m_names->setCurrentIndex(m_names->findText(keep));
}

void ManageMessagesPage::refresh() {
    // The list itself waits for "List Messages": a property keeps many
    // thousands of messages, and a logon should not read them all.
    refreshNames();
    m_grid->clearRows();
    m_count->setText(CountLine(0));
}

void ManageMessagesPage::relist() {
    refresh();
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    // A selection left incomplete (its name's messages all deleted, say) shows
    // an empty list rather than asking again.
    const bool byName = m_byRecipient->isChecked() || m_bySender->isChecked();
    if (byName && m_names->currentText().trimmed().isEmpty()) return;
    if (m_beforeDate->isChecked() && !Formats::ParseShortDate(m_before->text().trimmed()).isValid())
        return;
    cmdList_Click();
}

bool ManageMessagesPage::currentQuery(MsgListQuery& q) {
    q = {};
    q.disposed = m_disposed->isChecked();
    q.orderByName = m_byName->isChecked();
    if (m_byRecipient->isChecked() || m_bySender->isChecked()) {
        q.filter = m_byRecipient->isChecked() ? MsgFilter::ByRecipient : MsgFilter::BySender;
        q.name = m_names->currentText().trimmed();
        if (q.name.isEmpty()) {
            m_ctx.prompt().message(MsgSelectMsgName);
            return false;
        }
    } else if (m_beforeDate->isChecked()) {
        q.filter = MsgFilter::BeforeDate;
        q.before = Formats::ParseShortDate(m_before->text().trimmed());
        if (!q.before.isValid()) {
            m_ctx.prompt().message(MsgEnterBeforeDate);
            return false;
        }
    }
    return true;
}

void ManageMessagesPage::cmdList_Click() {
    MsgListQuery q;
    if (!currentQuery(q)) return;
    m_grid->clearRows();
    try {
        WaitCursor wait;
        const QList<StaffMsg> messages = GetMessages(m_ctx, q);
        for (const StaffMsg& m : messages)
            m_grid->setRow(m.timerId,
                           {m.due, m.recipient, m.sentFrom, m.created, MessageListText(m_ctx, m)},
                           {}, {}, false);
        m_count->setText(CountLine(int(messages.size())));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMessages", FormName);
    }
}

void ManageMessagesPage::cmdDelete_Click() {
    MsgListQuery q;
    if (!currentQuery(q)) return;
    // What goes: a whole listing of one status, or every message (active and
    // disposed of) of a name or before a date; the question counts exactly that.
    MsgDelete mode = q.disposed ? MsgDelete::AllDisposed : MsgDelete::AllActive;
    QString argument, which = q.disposed ? "that were disposed of" : "that are still active";
    bool bothStates = true;
    switch (q.filter) {
    case MsgFilter::All:
        bothStates = false;
        break;
    case MsgFilter::ByRecipient:
        mode = MsgDelete::Recipient;
        argument = q.name;
        which = "addressed to " + q.name + ", active and disposed of";
        break;
    case MsgFilter::BySender:
        mode = MsgDelete::Sender;
        argument = q.name;
        which = "sent by " + q.name + ", active and disposed of";
        break;
    case MsgFilter::BeforeDate:
        mode = MsgDelete::BeforeDate;
        argument = Formats::StoredDate(q.before);
        which = "due before " + Formats::ShortDate(q.before) + ", active and disposed of";
        break;
    }
    try {
        int count = int(GetMessages(m_ctx, q).size());
        if (bothStates) {
            MsgListQuery other = q;
            other.disposed = !q.disposed;
            count += int(GetMessages(m_ctx, other).size());
        }
        if (count == 0) {
            m_ctx.prompt().message(MsgNoMessagesToDelete);
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteMessagesQuestion(count, which)) != Answer::Yes) return;
        WaitCursor wait;
        DeleteMessages(m_ctx, mode, argument);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteMessages", FormName);
        return;
    }
    relist();
}

void ManageMessagesPage::cmdRestore_Click() {
    const qint64 id = m_grid->currentKey();
    if (!m_disposed->isChecked() || id <= 0) {
        m_ctx.prompt().message(MsgSelectMessageToRestore);
        return;
    }
    try {
        RestoreMessage(m_ctx, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "RestoreMessage", FormName);
        return;
    }
    m_grid->removeKey(id);
    m_count->setText(CountLine(m_grid->rowCount()));
}

} // namespace vm
