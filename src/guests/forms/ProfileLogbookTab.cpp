// The "Logbook Entries" tab: the guest's entries of the current logbook or of
// the archive; an entry opens on the logbook's own screen.

#include "core/Formats.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/RecordList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

using namespace profiletabs;

namespace {

// The main window's logbook: the entry screen with every subsystem's hooks.
LogbookModule* MainLogbook() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmSearch")
            if (auto* m = w->findChild<LogbookModule*>("LogbookModule")) return m;
    return nullptr;
}

} // namespace

ProfileLogbookTab::ProfileLogbookTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileLogbookTab");
    grdLogbook = named(new DataGrid(this), "grdLogbook");
    grdLogbook->setHeaders({"Refer Date", "Logbook Type", "Group Name"});
    cmdWhich = named(new QPushButton("Current", this), "cmdWhich");
    cmdWhich->setToolTip("Shows the entries of the current logbook or of the archive");
    cmdRefresh = named(new QPushButton("Refresh", this), "cmdRefresh");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdWhich);
    buttons->addWidget(cmdRefresh);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdLogbook, 1);
    layout->addLayout(buttons);
    connect(cmdWhich, &QPushButton::clicked, this, [this] { cmdWhich_Click(); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { refresh(); });
    connect(grdLogbook, &DataGrid::rowActivated, this, [this](qint64 key) { openEntry(key); });
    setEnabled(false);
}

void ProfileLogbookTab::setProfile(const Profile& p) {
    m_profileId = p.id;
    m_source = LogSource::Current;
    cmdWhich->setText("Current");
    cmdWhich->setEnabled(m_ctx.hasArchive());
    setEnabled(m_profileId > 0);
    refresh();
}

void ProfileLogbookTab::refresh() {
    grdLogbook->clearRows();
    if (m_profileId <= 0) return;
    if (m_source == LogSource::Archive && !m_ctx.hasArchive()) m_source = LogSource::Current;
    std::vector<ProfileLogbookRow> rows;
    Guarded(m_ctx, "GetProfileLB", [&] { rows = GetProfileLB(m_ctx, m_profileId, m_source); });
    for (const ProfileLogbookRow& r : rows)
        grdLogbook->setRow(r.logId,
                           {Formats::ShortDateOfStored(r.referDate), r.category, r.groupName});
}

void ProfileLogbookTab::cmdWhich_Click() {
    if (!m_ctx.hasArchive()) return;
    m_source = m_source == LogSource::Current ? LogSource::Archive : LogSource::Current;
    cmdWhich->setText(m_source == LogSource::Archive ? "Archive" : "Current");
    refresh();
}

void ProfileLogbookTab::openEntry(qint64 logId) {
    if (logId <= 0 || !Allowed(m_ctx, Rights::ProfilesLogbook, MsgMaintainProfileLogbook)) return;
    LogbookModule* logbook = MainLogbook();
    if (!logbook) {
        m_ctx.prompt().message("The logbook is not available: open the entry from the main "
                               "window's Logbook page.");
        return;
    }
    frmLogbook* f = logbook->openEntry(logId, m_source);
    if (!f) return;
    // Its next entry is the next of this list, not of the Logbook page's.
    disconnect(f, &frmLogbook::movedTo, nullptr, nullptr);
    QPointer<DataGrid> grid = grdLogbook;
    f->setNextEntry([grid](qint64 current) { return grid ? NeighbourKey(*grid, current, +1) : 0; },
                    m_source);
    connect(f, &frmLogbook::movedTo, grdLogbook, &DataGrid::selectKey);
    // A saved or deleted entry changes this list too.
    connect(f, &frmLogbook::entrySaved, this, [this] { refresh(); });
    connect(f, &frmLogbook::entryDeleted, this, [this] { refresh(); });
    f->show();
}

} // namespace vm
