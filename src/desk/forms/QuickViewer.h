#pragma once
// The quick viewer window: the day's summary, the tasks of a day, the master
// task list, the daily diary, the documents to read, the quick-reference
// lists, the logbook statistics and a calculator, one tab each (objectNames
// tabDashboard, tabTasks, tabMasters, tabDiary, tabDocuments, tabLists,
// StatisticsTab, tabCalculator).  The main window opens one per session.

#include "core/AppContext.h"

#include <QWidget>

class QLabel;
class QTabWidget;

namespace vm {

class frmSearch;
class DocumentsTab;

class frmQuickViewer : public QWidget {
    Q_OBJECT
public:
    explicit frmQuickViewer(AppContext& ctx, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    // Shows the tab of this objectName; false when there is none or the
    // member may not use it (told why).
    bool showTab(const QString& objectName);

Q_SIGNALS:
    // Something the day's summary counts was changed here.
    void summaryChanged();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void tabChanged(int index);

    AppContext& m_ctx;
    QTabWidget* m_tabs = nullptr;
    DocumentsTab* m_documents = nullptr;
    int m_shown = 0;
    bool m_restoring = false;
};

// The summary sentences of today, one line, for the main window.
QString DashboardLine(AppContext& ctx);

// Attaches the quick viewer to the main window's command bar and puts the
// summary line (lblDashboard) into its status bar.
void InstallQuickViewer(AppContext& ctx, frmSearch& window);

} // namespace vm
