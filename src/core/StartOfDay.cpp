#include "core/StartOfDay.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

#include <QFileInfo>

namespace vm {

bool RunStartOfDay(AppContext& ctx) {
    Database& db = ctx.db();
    const QDate today = ctx.clock().today();
    const QString todayText = Formats::StoredDate(today);
    const QString stored =
        db.scalar("SELECT [DailyDate] FROM [Authorization]").toString().trimmed();
    if (stored == todayText) return false;

    // 1. Today's tasks.  The builder claims the day in its own transaction, so
    // exactly one desk builds them; it runs before the date is written so that
    // a build that failed (and rolled back) is tried again at the next start.
    if (ctx.daily.buildTodaysTasks) {
        try {
            ctx.daily.buildTodaysTasks(ctx);
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "BuildTodaysTasks", "modDatabaseQV");
            return false;
        }
    }

    // 2. The day itself: only the desk whose update changed the date does the
    // rest (another desk starting now has taken it).
    if (db.exec("UPDATE [Authorization] SET [DailyDate] = ? WHERE [DailyDate] IS NULL OR "
                "[DailyDate] <> ?",
                {todayText, todayText}) == 0)
        return false;

    // 3. Tickler notes that ended more than 15 days ago.
    if (db.tableExists("TicklerNotes"))
        db.exec("DELETE FROM [TicklerNotes] WHERE [ThroughDate] < ?",
                {Formats::StoredDate(today.addDays(-15))});
    // 4. Reservation row limits of past days.
    if (db.tableExists("ResRowLimits"))
        db.exec("DELETE FROM [ResRowLimits] WHERE [ReservationDate] < ?", {todayText});
    // 5. Expired documents with their read marks: a document is shown through
    // its expiry day and goes the day after.
    if (db.tableExists("Documents")) {
        db.transaction([&] {
            if (db.tableExists("DocsRead"))
                db.exec("DELETE FROM [DocsRead] WHERE [DocumentID] IN (SELECT [DocumentID] FROM "
                        "[Documents] WHERE [ExpirationDate] < ? AND [ExpirationDate] <> ' ' AND "
                        "[ExpirationDate] <> '')",
                        {todayText});
            db.exec("DELETE FROM [Documents] WHERE [ExpirationDate] < ? AND [ExpirationDate] <> "
                    "' ' AND [ExpirationDate] <> ''",
                    {todayText});
        });
    }
    // 6. Staff who have not logged on for too long.
    if (ctx.globals.security1 && ctx.daily.inactivateInactiveStaff)
        ctx.daily.inactivateInactiveStaff(ctx);
    // 7. Masked mode: the departed-staff check program.
    if (ctx.start.masked) {
        const QString program = ctx.start.databaseFolder + "Departed";
        if (QFileInfo::exists(program))
            ctx.desktop().startDetached(program);
        else
            ctx.prompt().message("The following required file is missing:\r\n" + program +
                                     "\r\n\r\nPlease call Orvanta Technical Support",
                                 "Missing Required File", Icon::Exclamation);
    }
    // 8. The day's task-check marker.
    if (ctx.daily.markTaskCheck) ctx.daily.markTaskCheck(ctx);
    return true;
}

} // namespace vm
