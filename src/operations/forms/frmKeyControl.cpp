#include "operations/forms/frmKeyControl.h"

#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmKeyControlTabs.h"
#include "platform/forms/FormHelpers.h"

#include <QSet>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {
// Check-out and check-in are open to every member; the pages after them need
// the key-control right.
constexpr int FirstGuardedTab = 2;
} // namespace

frmKeyControl::frmKeyControl(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("frmKeyControl");
    setWindowFlag(Qt::Window);
    setWindowTitle(Caption(ctx.clock().today()));
    auto* top = new QVBoxLayout(this);
    top->addWidget(tabKeyControl = named(new QTabWidget, "tabKeyControl"));

    m_checkOut = new KeyLendTab(ctx, KeyLendMode::CheckOut);
    m_checkIn = new KeyLendTab(ctx, KeyLendMode::CheckIn);
    m_keys = new KeyListTab(ctx);
    m_employees = new KeyEmployeeTab(ctx);
    m_due = new KeyDueTab(ctx);
    m_activity = new KeyActivityTab(ctx);
    m_reports = new KeyReportTab(ctx);
    m_import = new KeyImportTab(ctx);
    m_purge = new KeyPurgeTab(ctx);
    tabKeyControl->addTab(m_checkOut, "Check Out");
    tabKeyControl->addTab(m_checkIn, "Check In");
    tabKeyControl->addTab(m_keys, "Keys");
    tabKeyControl->addTab(m_employees, "Employees");
    tabKeyControl->addTab(m_due, "Due and Overdue");
    tabKeyControl->addTab(m_activity, "Activity Search");
    tabKeyControl->addTab(m_reports, "Reports");
    tabKeyControl->addTab(m_import, "Import");
    tabKeyControl->addTab(m_purge, "Delete History");
    resize(900, 620);

    connect(tabKeyControl, &QTabWidget::currentChanged, this, &frmKeyControl::tabChanged);
    for (auto* lend : {m_checkOut, m_checkIn})
        connect(lend, &KeyLendTab::changed, this, &frmKeyControl::reloadAll);
    connect(m_keys, &KeyListTab::changed, this, &frmKeyControl::reloadAll);
    connect(m_employees, &KeyEmployeeTab::changed, this, &frmKeyControl::reloadAll);
    connect(m_import, &KeyImportTab::changed, this, &frmKeyControl::reloadAll);
    connect(m_purge, &KeyPurgeTab::changed, this, &frmKeyControl::reloadAll);
}

QString frmKeyControl::Caption(const QDate& day) {
    return "Key Control - " + Formats::LongDate(day);
}

void frmKeyControl::tabChanged(int index) {
    if (index >= FirstGuardedTab) {
        bool may = false;
        KeyGuarded(m_ctx, "tabKeyControl_Click",
                   [&] { may = MayDo(m_ctx, Rights::AddOnsKeyControl); });
        if (!may) {
            {
                const QSignalBlocker quiet(tabKeyControl);
                tabKeyControl->setCurrentIndex(m_lastTab);
            }
            // Told after switching back, so the refused page is never shown behind the message.
            m_ctx.prompt().message(kKeyNotAuthorizedTab);
            return;
        }
    }
    m_lastTab = index;
    QWidget* page = tabKeyControl->widget(index);
    // The loan lists are read whenever they are shown: time passes while the
    // screen is open and other desks lend keys too.
    if (page == m_due) m_due->reload();
    else if (page == m_reports) m_reports->reload();
    else if (m_stale.remove(page)) {
        if (page == m_keys) m_keys->reload();
        else if (page == m_employees) m_employees->reload();
        else if (page == m_activity) m_activity->reloadLists();
        else if (page == m_checkOut || page == m_checkIn) static_cast<KeyLendTab*>(page)->reload();
    }
}

void frmKeyControl::reloadAll() {
    // The page that changed shows its own result; the others read again when shown.
    QWidget* from = qobject_cast<QWidget*>(sender());
    for (QWidget* page : {static_cast<QWidget*>(m_checkOut), static_cast<QWidget*>(m_checkIn),
                          static_cast<QWidget*>(m_keys), static_cast<QWidget*>(m_employees),
                          static_cast<QWidget*>(m_activity)})
        if (page != from) m_stale.insert(page);
}

} // namespace vm
