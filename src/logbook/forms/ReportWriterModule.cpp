#include "logbook/forms/ReportWriterModule.h"

#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/frmVenCom.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

frmVenCom* OpenReportWriter(AppContext& ctx, frmSearch& window) {
    if (!ctx.session.loggedOn()) return nullptr;
    if (!MayDoOrSay(ctx, Rights::OthersReportWriter, MsgReportWriterRefused)) return nullptr;
    auto* form = window.findChild<frmVenCom*>("frmVenCom", Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new frmVenCom(ctx, &window);
        TrackSessionWindow(ctx, form);
    }
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void InstallReportWriter(AppContext& ctx, frmSearch& window) {
    window.addOthersIcon("Work with the Logbook Report Writer", "imgReportWriter",
                         [&ctx, &window] { OpenReportWriter(ctx, window); });
    window.addCommand("Query Master", "cmdQueryMaster",
                      [&ctx, &window] { OpenReportWriter(ctx, window); });
}

} // namespace vm
