// The "Group Logs" tab: the groups whose logbook templates were applied to
// the guest, and when.

#include "core/Formats.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/ProfileTabsUi.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vm {

using namespace profiletabs;

ProfileGroupLogsTab::ProfileGroupLogsTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("ProfileGroupLogsTab");
    grdGroupLogs = named(new DataGrid(this), "grdGroupLogs");
    grdGroupLogs->setHeaders({"Creation Date", "Group Name"});
    optSortGroupName = named(new QRadioButton("Group Name", this), "optSortGroupName");
    optSortCreationDate = named(new QRadioButton("Creation Date", this), "optSortCreationDate");
    optSortCreationDate->setChecked(true);
    auto* sort = new QHBoxLayout;
    sort->addWidget(optSortGroupName);
    sort->addWidget(optSortCreationDate);
    sort->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdGroupLogs, 1);
    layout->addLayout(sort);
    for (QRadioButton* o : {optSortGroupName, optSortCreationDate})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on) fill();
        });
    setEnabled(false);
}

void ProfileGroupLogsTab::setProfile(const Profile& p) {
    m_profileId = p.id;
    setEnabled(m_profileId > 0);
    refresh();
}

void ProfileGroupLogsTab::refresh() {
    m_rows.clear();
    if (m_profileId > 0)
        Guarded(m_ctx, "GetProfileGL", [&] { m_rows = GetProfileGL(m_ctx, m_profileId); });
    fill();
}

void ProfileGroupLogsTab::fill() {
    std::vector<ProfileGroupLog> rows = m_rows; // newest first, as read
    if (optSortGroupName->isChecked())
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return a.groupName.compare(b.groupName, Qt::CaseInsensitive) < 0;
        });
    grdGroupLogs->clearRows();
    for (const ProfileGroupLog& g : rows)
        grdGroupLogs->setRow(g.id, {Formats::ShortDateOfStored(g.created), g.groupName});
}

} // namespace vm
