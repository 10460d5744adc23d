#include "guests/forms/ProfileWindows.h"

#include "core/DataAccess.h"
#include "guests/forms/ProfileEditUi.h"
#include "guests/forms/frmProfileEdit.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

QDialog* OpenProfileWindow(AppContext& ctx, qint64 profileId, const ProfileWindowOptions& options,
                           QWidget* parent) {
    if (profileId > 0) {
        try {
            const std::optional<Profile> p = GetProfile(ctx, profileId);
            if (!p) {
                ctx.prompt().message(GoneElsewhereMessage("Profile"), {}, Icon::Exclamation);
                return nullptr;
            }
            if (p->isPrivate && !ctx.session.manager) {
                ctx.prompt().message(MsgPrivateProfile, {}, Icon::Exclamation);
                return nullptr;
            }
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "GetProfileEditInformation", ProfileFormName, true);
            return nullptr;
        }
    }
    auto* f = new frmProfileEdit(ctx, profileId, options, parent);
    f->setWindowFlag(Qt::Window);
    f->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(ctx, f); // log-off closes it
    f->show();
    return f;
}

} // namespace vm
