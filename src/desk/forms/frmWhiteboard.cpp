#include "desk/forms/frmWhiteboard.h"

#include "app/forms/WindowCommands.h"
#include "core/DataAccess.h"
#include "desk/MessagePages.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vm {

void OpenPageInBrowser(AppContext& ctx, const QString& path) {
    if (!ctx.desktop().openFile(path))
        ctx.prompt().message(MsgCannotOpen(QDir::toNativeSeparators(path)), {}, Icon::Exclamation);
}

void ShowPageIn(QTextBrowser* view, const QString& path) {
    view->clearHistory();
    view->setSearchPaths({QFileInfo(path).absolutePath()});
    view->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    view->reload();
}

frmWhiteboard::frmWhiteboard(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName("frmWhiteboard");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(WhiteboardTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view = named(new QTextBrowser, "txtWhiteboard"), 1);
    m_view->setOpenLinks(true);
    auto* buttons = new QHBoxLayout;
    auto* refresh = named(new QPushButton("&Refresh"), "cmdRefresh");
    auto* browser = named(new QPushButton("Open in &Browser"), "cmdOpenInBrowser");
    auto* close = named(new QPushButton("&Close"), "cmdClose");
    buttons->addWidget(refresh);
    buttons->addWidget(browser);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(760, 560);

    connect(refresh, &QPushButton::clicked, this, &frmWhiteboard::reload);
    connect(browser, &QPushButton::clicked, this,
            [this] { OpenPageInBrowser(m_ctx, WhiteboardFile(m_ctx)); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    reload();
}

void frmWhiteboard::reload() {
    const QString board = WhiteboardFile(m_ctx);
    if (!QFileInfo::exists(board)) PreparePersonalPage(m_ctx);
    ShowPageIn(m_view, board);
}

void ShowWhiteboard(AppContext& ctx, QWidget* owner) {
    auto* window = owner ? owner->findChild<frmWhiteboard*>("frmWhiteboard") : nullptr;
    if (window) {
        window->reload();
    } else {
        window = new frmWhiteboard(ctx, owner);
        if (ctx.sessionWindows) ctx.sessionWindows->track(window);
    }
    window->show();
    window->raise();
    try {
        RecordWhiteboardView(ctx);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "RecordWhiteboardView", "frmWhiteboard");
    }
}

} // namespace vm
