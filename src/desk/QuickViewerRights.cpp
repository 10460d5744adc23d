#include "desk/QuickViewerRights.h"

#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"

namespace vm {

Right QvFeatureRight(QvFeature f) {
    switch (f) {
    case QvFeature::Graphs:
        return Rights::GlobalsActivityGraphs;
    case QvFeature::Categories:
        return Rights::GlobalsQuickViewerCategories;
    case QvFeature::MasterTasks:
        return Rights::GlobalsMasterTasks;
    case QvFeature::DocumentLinks:
        return Rights::GlobalsDocumentLinks;
    }
    return Rights::GlobalsMasterTasks;
}

QString QvFeatureRefusal(QvFeature f) {
    switch (f) {
    case QvFeature::Graphs:
        return MsgQvNotAuthorizedGraphs;
    case QvFeature::Categories:
        return MsgQvNotAuthorizedCategories;
    case QvFeature::MasterTasks:
        return MsgQvNotAuthorizedMasterTasks;
    case QvFeature::DocumentLinks:
        return MsgQvNotAuthorizedDocuments;
    }
    return MsgQvNotAuthorizedMasterTasks;
}

QString QvRefusal(AppContext& ctx, QvFeature f) {
    // Checked before the rights: a restricted manager is still restricted.
    if (ctx.session.restricted || IsGuestViewer(ctx.session)) return MsgQvRestrictedOrGuest;
    return MayDo(ctx, QvFeatureRight(f)) ? QString() : QvFeatureRefusal(f);
}

bool QvMayOrSay(AppContext& ctx, QvFeature f) {
    const QString refusal = QvRefusal(ctx, f);
    if (refusal.isEmpty()) return true;
    ctx.prompt().message(refusal, {}, Icon::Exclamation);
    return false;
}

} // namespace vm
