#include "guests/forms/GroupsModule.h"

#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "guests/Groups.h"
#include "guests/forms/frmGroups.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

void InstallGroups(AppContext& ctx, frmSearch& window) {
    window.addOthersIcon("Work with Groups and Conventions", "imgGroups", [&ctx, &window] {
        if (!ctx.session.loggedOn()) return;
        if (!MayDoOrSay(ctx, Rights::OthersGroups, MsgNotAuthorizedGroups)) return;
        auto* groups = new frmGroups(ctx, &window);
        groups->setAttribute(Qt::WA_DeleteOnClose);
        TrackSessionWindow(ctx, groups);
        groups->show();
    });
    if (auto* logbook = window.findChild<LogbookModule*>("LogbookModule"))
        logbook->hooks.groups = [&ctx] { return GetGroupNames(ctx); };
}

} // namespace vm
