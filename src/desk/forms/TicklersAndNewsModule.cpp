#include "desk/forms/TicklersAndNewsModule.h"

#include "app/forms/frmSearch.h"
#include "desk/Ticklers.h"
#include "desk/forms/NewsBoardView.h"
#include "desk/forms/frmTickler.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/SessionWindows.h"

#include <QDockWidget>
#include <QPointer>
#include <QTimer>

namespace vm {

namespace {

// Other desks rewrite the board too: it is read again this often (seconds).
constexpr int NewsRefreshSeconds = 60;

void installTicklers(AppContext& ctx, frmSearch& window) {
    auto* logbook = window.findChild<LogbookModule*>("LogbookModule");
    if (!logbook) return;
    logbook->hooks.categoryTicklers = [&ctx](qint64 logTypeId, const QString& date) {
        return GetCategoryTicklers(ctx.db(), logTypeId, date);
    };
    logbook->hooks.contactTicklers = [&ctx](qint64 contactId, const QString& date) {
        return GetContactTicklers(ctx.db(), contactId, date);
    };
    logbook->hooks.editContactTicklers = [&ctx](qint64 contactId, const QString& name,
                                                QWidget* parent) {
        OpenTicklers(ctx, TicklerFrom::Contact, contactId, name, parent);
    };
    if (logbook->categories)
        logbook->categories->openTicklers = [&ctx](qint64 logTypeId, const QString& name,
                                                   QWidget* parent) {
            OpenTicklers(ctx, TicklerFrom::Category, logTypeId, name, parent);
        };
}

void installNews(AppContext& ctx, frmSearch& window) {
    auto* dock = new QDockWidget("News Board", &window);
    dock->setObjectName("dockNews");
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* board = new NewsBoardView(ctx, dock);
    board->setMinimumWidth(220);
    dock->setWidget(board);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);

    QObject::connect(&window, &frmSearch::loggedOn, board, &NewsBoardView::refresh);
    QObject::connect(&window, &frmSearch::loggedOff, board, &NewsBoardView::clear);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(window.timer(), &QTimer::timeout, board, [board, ticks] {
        if (++*ticks < NewsRefreshSeconds) return;
        *ticks = 0;
        board->refresh();
    });

    auto own = std::make_shared<QPointer<frmNewsNote>>();
    window.addCommand("News Board", "cmdNews", [&ctx, &window, board, own] {
        if (*own) {
            (*own)->raise();
            (*own)->activateWindow();
            return;
        }
        auto* note = new frmNewsNote(ctx, &window);
        note->setAttribute(Qt::WA_DeleteOnClose);
        *own = note;
        // Either board shows what the other saved.
        QObject::connect(note->board(), &NewsBoardView::newsChanged, board,
                         &NewsBoardView::refresh);
        QObject::connect(board, &NewsBoardView::newsChanged, note->board(),
                         &NewsBoardView::refresh);
        TrackSessionWindow(ctx, note);
        note->show();
    });
}

} // namespace

void InstallTicklersAndNews(AppContext& ctx, frmSearch& window) {
    installTicklers(ctx, window);
    installNews(ctx, window);
}

} // namespace vm
