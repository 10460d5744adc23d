#pragma once
// The key-control screen: check-out and check-in at the desk, and for members
// with the key-control right the key and employee lists, the due and overdue
// loans, the activity search, the key reports, the import and the purge.

#include "core/AppContext.h"

#include <QSet>
#include <QWidget>

class QTabWidget;

namespace vm {

class KeyLendTab;
class KeyListTab;
class KeyEmployeeTab;
class KeyDueTab;
class KeyActivityTab;
class KeyReportTab;
class KeyImportTab;
class KeyPurgeTab;

class frmKeyControl : public QWidget {
    Q_OBJECT
public:
    explicit frmKeyControl(AppContext& ctx, QWidget* parent = nullptr);

    // "Key Control - " + the long date of the day.
    static QString Caption(const QDate& day);

private:
    void tabChanged(int index);
    // Every page reads its lists again (after one of them changed data).
    void reloadAll();

    AppContext& m_ctx;
    int m_lastTab = 0;
    QSet<QWidget*> m_stale; // pages to read again when next shown
    QTabWidget* tabKeyControl = nullptr;
    KeyLendTab* m_checkOut = nullptr;
    KeyLendTab* m_checkIn = nullptr;
    KeyListTab* m_keys = nullptr;
    KeyEmployeeTab* m_employees = nullptr;
    KeyDueTab* m_due = nullptr;
    KeyActivityTab* m_activity = nullptr;
    KeyReportTab* m_reports = nullptr;
    KeyImportTab* m_import = nullptr;
    KeyPurgeTab* m_purge = nullptr;
};

} // namespace vm
