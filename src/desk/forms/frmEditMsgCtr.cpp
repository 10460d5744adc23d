#include "desk/forms/frmEditMsgCtr.h"

#include "app/forms/WindowCommands.h"
#include "core/DataAccess.h"
#include "core/WebPages.h"
#include "desk/forms/frmWhiteboard.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

QString MsgDeleteKeptQuestion() {
    return "Press <Yes> to DELETE this Message." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

QString MsgSaveMsgCtrQuestion() {
    return QStringLiteral("Do you wish to save the changes to your Personal Message Center?");
}

frmEditMsgCtr::frmEditMsgCtr(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName("frmEditMsgCtr");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Personal Message Center for " + ctx.session.name);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Double-click a message to delete it."));
    m_grid = named(new DataGrid, "grdMessages");
    m_grid->setHeaders({"Date and Time", "Sender Name", "Text of Message"});
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    auto* del = named(new QPushButton("&Delete"), "cmdDelete");
    m_save = named(new QPushButton("&Save"), "cmdSave");
    auto* browser = named(new QPushButton("Open in &Browser"), "cmdOpenInBrowser");
    auto* close = named(new QPushButton("&Close"), "cmdClose");
    buttons->addWidget(del);
    buttons->addWidget(m_save);
    buttons->addWidget(browser);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(760, 480);

    connect(m_grid, &DataGrid::rowActivated, this, &frmEditMsgCtr::deleteRow);
    connect(del, &QPushButton::clicked, this,
            [this] { m_ctx.prompt().message(MsgDoubleClickToDelete); });
    connect(m_save, &QPushButton::clicked, this, &frmEditMsgCtr::cmdSave_Click);
    connect(browser, &QPushButton::clicked, this,
            [this] { OpenPageInBrowser(m_ctx, PersonalMessagePage(m_ctx)); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

bool frmEditMsgCtr::load() {
    m_rows = ReadPersonalPages(m_ctx);
    m_dirty = false;
    fill();
    return !m_rows.isEmpty();
}

void frmEditMsgCtr::fill() {
    m_grid->clearRows();
    // The key is the row's place in m_rows (from 1), whatever the grid's sort.
    for (int i = 0; i < m_rows.size(); ++i)
        m_grid->setRow(i + 1, {m_rows[i].when, m_rows[i].sender, m_rows[i].text}, {}, {}, false);
    m_save->setEnabled(m_dirty);
}

void frmEditMsgCtr::deleteRow(qint64 key) {
    if (key <= 0 || key > m_rows.size()) return;
    if (m_ctx.prompt().ask(MsgDeleteKeptQuestion()) != Answer::Yes) return;
    m_rows.removeAt(int(key - 1));
    m_dirty = true;
    fill();
}

bool frmEditMsgCtr::cmdSave_Click() {
    if (!WritePersonalPages(m_ctx, m_rows)) return false;
    m_dirty = false;
    m_save->setEnabled(false);
    return true;
}

void frmEditMsgCtr::closeEvent(QCloseEvent* e) {
    if (m_dirty) {
        switch (m_ctx.prompt().ask(MsgSaveMsgCtrQuestion(), {}, Buttons::YesNoCancel)) {
        case Answer::Yes:
            if (!cmdSave_Click()) {
                e->ignore();
                return;
            }
            break;
        case Answer::No:
            break;
        default:
            e->ignore();
            return;
        }
    }
    e->accept();
}

void EditPersonalMessageCenter(AppContext& ctx, QWidget* owner) {
    if (!QFileInfo(PersonalMessagePage(ctx)).isFile()) {
        ctx.prompt().message(MsgNoPersonalPage());
        return;
    }
    if (auto* open = owner ? owner->findChild<frmEditMsgCtr*>("frmEditMsgCtr") : nullptr) {
        open->show();
        open->raise();
        return;
    }
    auto* editor = new frmEditMsgCtr(ctx, owner);
    if (!editor->load()) {
        delete editor;
        ctx.prompt().message(MsgNoMessagesToEdit);
        return;
    }
    if (ctx.sessionWindows) ctx.sessionWindows->track(editor);
    editor->show();
}

} // namespace vm
