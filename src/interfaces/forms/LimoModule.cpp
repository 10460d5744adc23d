#include "interfaces/forms/LimoModule.h"

#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "interfaces/LimoDispatch.h"
#include "interfaces/forms/frmOdsBilling.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/LogbookScreenHooks.h"

namespace vm {

void FillLimoHooks(AppContext& ctx, LogbookScreenHooks& hooks) {
    hooks.limoBillingCodes = [&ctx](qint64, QWidget* parent) { ShowOdsBillingCodes(ctx, parent); };
    // The store behind the entry screen reads with these services; the send
    // saves through the same ones (card data, profiles).
    const LogbookServices* services = &hooks;
    hooks.limoDispatch = [&ctx, services](qint64 logId, bool cancelling, QWidget*) {
        try {
            // The bridge runs with the windows painting; no wait cursor, as
            // the outcome is told in message boxes.
            return DispatchLimoEntry(ctx, logId, cancelling, services);
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "TransmitToODS", "frmLogbook", true);
            return false;
        }
    };
}

void InstallLimoDispatch(AppContext& ctx, frmSearch& window) {
    if (auto* logbook = window.findChild<LogbookModule*>("LogbookModule"))
        FillLimoHooks(ctx, logbook->hooks);
}

} // namespace vm
