#pragma once
// Who may maintain what in the quick viewer.  Each maintenance screen needs a
// position of the member's Globals rights; restricted members and the guest
// viewer are refused them all whatever their rights say.

#include "core/AppContext.h"
#include "core/Rights.h"

namespace vm {

inline const QString MsgQvNotAuthorizedGraphs =
    QStringLiteral("You are not authorized to work with Logbook Activity Graphs.");
inline const QString MsgQvNotAuthorizedCategories =
    QStringLiteral("You are not authorized to maintain the Quick Viewer Categories.");
inline const QString MsgQvNotAuthorizedMasterTasks =
    QStringLiteral("You are not authorized to maintain the Master Task List.");
inline const QString MsgQvNotAuthorizedDocuments =
    QStringLiteral("You are not authorized to maintain the Document Links.");
inline const QString MsgQvRestrictedOrGuest = QStringLiteral(
    "As a Restricted User or Guest Viewer you are not\r\nauthorized to use these features.");

enum class QvFeature { Graphs, Categories, MasterTasks, DocumentLinks };

Right QvFeatureRight(QvFeature f);
QString QvFeatureRefusal(QvFeature f);
// The refusal for this session, or "" when it may use the feature.
QString QvRefusal(AppContext& ctx, QvFeature f);
// QvRefusal, saying the refusal when there is one.
bool QvMayOrSay(AppContext& ctx, QvFeature f);

} // namespace vm
