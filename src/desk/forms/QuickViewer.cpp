#include "desk/forms/QuickViewer.h"

#include "app/forms/frmSearch.h"
#include "desk/QuickViewer.h"
#include "desk/QuickViewerRights.h"
#include "desk/forms/QuickViewerTabs.h"
#include "desk/forms/StatisticsTab.h"
#include "platform/forms/SessionWindows.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>

namespace vm {

namespace {

// The tabs a member needs a right for merely to look at.
std::optional<QvFeature> GuardOf(const QWidget* page) {
    if (page->objectName() == "tabMasters") return QvFeature::MasterTasks;
    return std::nullopt;
}

} // namespace

frmQuickViewer::frmQuickViewer(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx) {
    setObjectName("frmQuickViewer");
    setWindowTitle("Velmora Quick Viewer");
    resize(980, 640);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("tabsQuickViewer");
    layout->addWidget(m_tabs);

    auto* dashboard = new DashboardTab(ctx, m_tabs);
    auto* tasks = new TasksTab(ctx, m_tabs);
    auto* diary = new DiaryTab(ctx, m_tabs);
    m_documents = new DocumentsTab(ctx, m_tabs);
    m_tabs->addTab(dashboard, "Today");
    m_tabs->addTab(tasks, "Tasks");
    m_tabs->addTab(new MastersTab(ctx, m_tabs), "Master Tasks");
    m_tabs->addTab(diary, "Daily Diary");
    m_tabs->addTab(m_documents, "Documents");
    m_tabs->addTab(new ListsTab(ctx, m_tabs), "Lists");
    m_tabs->addTab(new StatisticsTab(ctx, m_tabs), "Statistics");
    m_tabs->addTab(new CalculatorTab(m_tabs), "Calculator");

    connect(tasks, &TasksTab::changed, this, &frmQuickViewer::summaryChanged);
    connect(diary, &DiaryTab::changed, this, &frmQuickViewer::summaryChanged);
    connect(m_documents, &DocumentsTab::changed, this, &frmQuickViewer::summaryChanged);
    connect(this, &frmQuickViewer::summaryChanged, dashboard, &DashboardTab::refresh);
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmQuickViewer::tabChanged);
    dashboard->refresh();
}

bool frmQuickViewer::showTab(const QString& objectName) {
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->objectName() == objectName) {
            m_tabs->setCurrentIndex(i);
            return m_tabs->currentIndex() == i;
        }
    return false;
}

void frmQuickViewer::tabChanged(int index) {
    if (m_restoring) return;
    QWidget* page = m_tabs->widget(index);
    if (!page) return;
    if (const auto guard = GuardOf(page); guard && !QvMayOrSay(m_ctx, *guard)) {
        m_restoring = true;
        m_tabs->setCurrentIndex(m_shown);
        m_restoring = false;
        return;
    }
    if (m_tabs->widget(m_shown) == m_documents && page != m_documents)
        m_documents->leaveOpenedDocument();
    m_shown = index;
    // Each page shows what the others (or another desk) changed meanwhile.
    if (auto* stats = qobject_cast<StatisticsTab*>(page))
        stats->loadCategories();
    else if (page->metaObject()->indexOfMethod("refresh()") >= 0)
        QMetaObject::invokeMethod(page, "refresh");
}

void frmQuickViewer::closeEvent(QCloseEvent* e) {
    m_documents->leaveOpenedDocument();
    e->accept();
}

QString DashboardLine(AppContext& ctx) {
    return DashboardLines(ctx, ctx.clock().today()).join("     ");
}

void InstallQuickViewer(AppContext& ctx, frmSearch& window) {
    auto* line = new QLabel(&window);
    line->setObjectName("lblDashboard");
    window.statusBar()->addWidget(line, 1);
    const auto refreshLine = [&ctx, line] {
        line->setText(ctx.session.loggedOn() ? DashboardLine(ctx) : QString());
    };
    QObject::connect(&window, &frmSearch::loggedOn, line, refreshLine);
    QObject::connect(&window, &frmSearch::loggedOff, line, [line] { line->clear(); });

    auto viewer = std::make_shared<QPointer<frmQuickViewer>>();
    window.setCommandAction("cmdQuickViewer", [&ctx, &window, viewer, line, refreshLine] {
        if (!ctx.session.loggedOn()) return;
        if (!*viewer) {
            auto* w = new frmQuickViewer(ctx, &window);
            w->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(w, &frmQuickViewer::summaryChanged, line, refreshLine);
            TrackSessionWindow(ctx, w);
            *viewer = w;
        }
        (*viewer)->show();
        (*viewer)->raise();
        (*viewer)->activateWindow();
    });
}

} // namespace vm
