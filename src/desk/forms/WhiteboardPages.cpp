#include "desk/forms/WhiteboardPages.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "desk/MessagePages.h"
#include "desk/forms/frmWhiteboard.h"
#include "logbook/EntryRules.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSearch");
const QString Refusal =
    QStringLiteral("You are not authorized to view the Whiteboard/Message Center.");
} // namespace

QString MsgRemindersSent(const QStringList& names) {
    return "Sent reminders to:" + CRLF + names.join(CRLF);
}

QString MsgDeleteBoardRowQuestion() {
    return "Press <Yes> to DELETE this Whiteboard Message." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

WhiteboardPage::WhiteboardPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("WhiteboardPage");
    auto* top = new QHBoxLayout(this);
    top->addWidget(m_view = named(new QTextBrowser, "txtBoard"), 3);
    auto* right = new QVBoxLayout;
    m_rows = named(new DataGrid, "grdBoard");
    m_rows->setHeaders({"Date and Time", "Sender Name", "Text of Message"});
    right->addWidget(m_rows, 2);
    right->addWidget(new QLabel("New message for the Whiteboard:"));
    right->addWidget(m_text = named(new QPlainTextEdit, "txtNewMessage"), 1);
    auto* buttons = new QHBoxLayout;
    auto* add = named(new QPushButton("&Add to Whiteboard"), "cmdAddToBoard");
    auto* del = named(new QPushButton("&Delete Selected"), "cmdDeleteFromBoard");
    auto* reload = named(new QPushButton("&Refresh"), "cmdRefreshBoard");
    auto* browser = named(new QPushButton("Open in &Browser"), "cmdOpenInBrowser");
    for (QPushButton* b : {add, del, reload, browser})
        buttons->addWidget(b);
    right->addLayout(buttons);
    top->addLayout(right, 2);

    connect(add, &QPushButton::clicked, this, &WhiteboardPage::cmdAddToBoard_Click);
    connect(del, &QPushButton::clicked, this, &WhiteboardPage::cmdDeleteFromBoard_Click);
    connect(reload, &QPushButton::clicked, this, &WhiteboardPage::refresh);
    connect(browser, &QPushButton::clicked, this, [this] {
        if (MayDoOrSay(m_ctx, Rights::GlobalsWhiteboard, Refusal))
            OpenPageInBrowser(m_ctx, WhiteboardFile(m_ctx));
    });
}

void WhiteboardPage::refresh() {
    m_rows->clearRows();
    m_shown.clear();
    m_view->clear();
    if (!m_ctx.session.loggedOn()) return;
    const QString board = WhiteboardFile(m_ctx);
    m_shown = ReadPageRows(ReadPageFile(board));
    for (int i = 0; i < m_shown.size(); ++i)
        m_rows->setRow(i + 1, {m_shown[i].when, m_shown[i].sender, m_shown[i].text});
    ShowPageIn(m_view, board);
}

void WhiteboardPage::cmdAddToBoard_Click() {
    if (!MayDoOrSay(m_ctx, Rights::GlobalsWhiteboard, Refusal)) return;
    const QString text = m_text->toPlainText().trimmed();
    if (text.isEmpty()) {
        m_ctx.prompt().message(MsgEnterBoardText);
        return;
    }
    // Line breaks as the desk keeps them in every stored text.
    QString stored = text;
    stored.replace("\r\n", "\n").replace('\n', CRLF);
    const PageRow row{Formats::StoredDateTime(m_ctx.clock().now()), m_ctx.session.name, stored};
    if (!AddWhiteboardRow(m_ctx, row)) return;
    m_text->clear();
    refresh();
}

void WhiteboardPage::cmdDeleteFromBoard_Click() {
    if (!MayDoOrSay(m_ctx, Rights::GlobalsWhiteboard, Refusal)) return;
    const qint64 key = m_rows->currentKey();
    if (key <= 0 || key > m_shown.size()) {
        m_ctx.prompt().message(MsgSelectBoardRow);
        return;
    }
    if (m_ctx.prompt().ask(MsgDeleteBoardRowQuestion()) != Answer::Yes) return;
    const BoardEdit done = RemoveWhiteboardRow(m_ctx, m_shown[int(key - 1)]);
    if (done == BoardEdit::NotFound) m_ctx.prompt().message(MsgBoardRowGone);
    refresh();
}

WhiteboardUsagePage::WhiteboardUsagePage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("WhiteboardUsagePage");
    auto* layout = new QVBoxLayout(this);
    m_grid = named(new DataGrid, "grdUsage");
    m_grid->setHeaders({"Concierge", "Date Last Viewed", "Time Viewed"});
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    auto* refresh = named(new QPushButton("&Refresh"), "cmdRefreshUsage");
    auto* send = named(new QPushButton("&Send Reminders"), "cmdSendReminders");
    send->setToolTip("Remind every member who has not checked the Whiteboard since the day "
                     "before yesterday");
    buttons->addWidget(refresh);
    buttons->addStretch();
    buttons->addWidget(send);
    layout->addLayout(buttons);
    connect(refresh, &QPushButton::clicked, this, &WhiteboardUsagePage::refresh);
    connect(send, &QPushButton::clicked, this, &WhiteboardUsagePage::cmdSendReminders_Click);
}

void WhiteboardUsagePage::refresh() {
    m_grid->clearRows();
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        qint64 key = 0;
        for (const WhiteboardViewer& v : GetWhiteboardUsage(m_ctx)) {
            const QString date = Formats::ShortDateOfStored(v.lastViewed);
            m_grid->setRow(++key, {v.name, date.isEmpty() ? QString("Never") : date,
                                   date.isEmpty() ? QString() : v.timeViewed});
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetWhiteboardUsage", FormName);
    }
}

void WhiteboardUsagePage::cmdSendReminders_Click() {
    QStringList reached;
    try {
        reached = SendWhiteboardReminders(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SendWhiteboardReminders", FormName);
        return;
    }
    m_ctx.prompt().message(reached.isEmpty() ? MsgNoRemindersNeeded : MsgRemindersSent(reached));
}

} // namespace vm
