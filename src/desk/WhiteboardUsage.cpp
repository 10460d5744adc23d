// The whiteboard's viewing log and the reminders that follow from it.  Kept
// apart from the page writer: the reminders send through the messages store.

#include "core/Formats.h"
#include "core/Staff.h"
#include "desk/MessagePages.h"
#include "desk/Messages.h"

#include <algorithm>

namespace vm {

namespace {

const QString SqlRecordView = QStringLiteral(
    "UPDATE [Concierge] SET [LastViewedWB] = ?, [TimeViewed] = ? WHERE [ConciergeID] = ?");
const QString SqlUsage =
    QStringLiteral("SELECT [Concierge], [LastViewedWB], [TimeViewed] FROM [Concierge] "
                   "WHERE [Status] = 'A' AND [Restricted] = ?");

} // namespace

void RecordWhiteboardView(AppContext& ctx) {
    if (!ctx.session.loggedOn() || ctx.session.conciergeId <= 0) return;
    const QDateTime now = ctx.clock().now();
    ctx.db().exec(SqlRecordView, {Formats::StoredDate(now.date()), Formats::Time24(now.time()),
                                  ctx.session.conciergeId});
}

QList<WhiteboardViewer> GetWhiteboardUsage(AppContext& ctx) {
    QList<WhiteboardViewer> out;
    for (const Row& r : ctx.db().query(SqlUsage, {false})) {
        if (IsReservedAccount(r.text("Concierge"))) continue;
        out.append({r.text("Concierge"), r.trimmedText("LastViewedWB"),
                    r.trimmedText("TimeViewed")});
    }
    // Sorted here rather than by the engine: one puts a missing date first,
    // the other last, and "never viewed" must head the list on both.  The
    // stored forms sort as text.
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        if (a.lastViewed != b.lastViewed) return a.lastViewed < b.lastViewed;
        if (a.timeViewed != b.timeViewed) return a.timeViewed < b.timeViewed;
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return out;
}

QString WhiteboardReminderText(const QString& lastViewed) {
    const QString date = Formats::ShortDateOfStored(lastViewed);
    if (date.isEmpty())
        return QStringLiteral("You have not checked the Whiteboard yet.  Please do so at your "
                              "earliest convenience.  Thank you.");
    return "You have not checked the Whiteboard since " + date +
           ".  Please do so at your earliest convenience.  Thank you.";
}

QStringList SendWhiteboardReminders(AppContext& ctx) {
    const QDateTime now = ctx.clock().now();
    const QString threshold = Formats::StoredDate(now.date().addDays(-2));
    QStringList reached;
    for (const WhiteboardViewer& v : GetWhiteboardUsage(ctx)) {
        if (!v.lastViewed.isEmpty() && v.lastViewed >= threshold) continue;
        OutgoingMessage m;
        m.sender = ctx.session.name;
        m.recipient = v.name;
        m.due = now;
        m.created = now;
        m.text = WhiteboardReminderText(v.lastViewed);
        if (!InsertTheMessage(ctx, m).isEmpty()) reached << v.name;
    }
    return reached;
}

} // namespace vm
