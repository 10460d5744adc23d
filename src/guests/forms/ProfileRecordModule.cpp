#include "guests/forms/ProfileRecordModule.h"

#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "guests/Profiles.h"
#include "guests/forms/ProfileWindows.h"
#include "logbook/forms/LogbookModule.h"
#include "security/CardStore.h"

namespace vm {

void FillProfileHooks(AppContext& ctx, LogbookScreenHooks& hooks) {
    hooks.showProfile = [&ctx](qint64 profileId, bool mayEdit, QWidget* parent) {
        if (profileId <= 0) return;
        ProfileWindowOptions options;
        options.fromLogbook = true;
        options.readOnly = !mayEdit;
        OpenProfileWindow(ctx, profileId, options, parent);
    };
    hooks.selectProfile = [&ctx](const PickedProfile& seed, QWidget* parent) {
        return PickProfile(ctx, seed, parent);
    };
    hooks.profileDetails = [&ctx](qint64 profileId) {
        std::vector<std::pair<QString, QString>> details;
        try {
            for (const ProfileIndicator& i : GetProfilePI(ctx, profileId, ctx.session.manager))
                details.emplace_back(i.type.trimmed(), i.value.trimmed());
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "GetProfilePI", "modDatabase");
        }
        return details;
    };
    hooks.profileCards = [&ctx](qint64 profileId) {
        std::vector<std::pair<qint64, QString>> cards;
        try {
            for (const Row& r : GetProfileCC(ctx, profileId))
                cards.emplace_back(r.number("ProfileCCID"), r.trimmedText("CardNumber"));
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "GetProfileCC", "modDatabase");
        }
        return cards;
    };
}

void InstallProfileRecord(AppContext& ctx, frmSearch& window) {
    if (auto* logbook = window.findChild<LogbookModule*>("LogbookModule"))
        FillProfileHooks(ctx, logbook->hooks);
}

} // namespace vm
