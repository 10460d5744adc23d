// The start of a day: today's tasks from the master list and their messages,
// built by exactly one desk.
#include "desk/QuickViewer.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "desk/Messages.h"
#include "desk/QuickViewerRows.h"

namespace vm {

namespace {

// Takes today's run for this desk: CheckTask holds the day and the computer
// that took it.  The conditional update decides in the engine (a second desk
// waits for the first one's row lock, then finds the day taken), so no pause
// and no re-count are needed.
bool claimDay(AppContext& ctx, const QString& today) {
    const QString claim = (today + ' ' + ctx.workstation.computerName).left(100);
    return ctx.db().exec("UPDATE [Authorization] SET [CheckTask] = ? WHERE [CheckTask] IS NULL "
                         "OR [CheckTask] NOT LIKE ?",
                         {claim, today + '%'}) > 0;
}

// Master tasks only: a one-time task entered ahead for today is no sign that
// today's tasks were built.
qint64 builtTasks(Database& db, const QString& today) {
    return db
        .scalar("SELECT COUNT([StatusID]) AS [CountEm] FROM [TaskStatus] WHERE [TaskDate] = ? "
                "AND [TaskID] > 0",
                {today})
        .toLongLong();
}

void purgeOldTasks(AppContext& ctx, const QDate& today) {
    Database& db = ctx.db();
    db.exec("DELETE FROM [TaskStatus] WHERE [TaskDate] < ?",
            {Formats::StoredDate(today.addDays(-TaskStatusKeepDays))});
    // One-time tasks' continuations go with them; their ids are used again.
    for (const Row& r : db.query("SELECT DISTINCT [EvConKey] FROM [EvConText] WHERE [EvConType] "
                                 "= ? AND [EvConKey] < 0 AND [EvConKey] NOT IN (SELECT "
                                 "[TaskID] FROM [TaskStatus])",
                                 {TextKind::TaskDescription}))
        DeleteECT(ctx, r.number("EvConKey"), {TextKind::TaskDescription});
}

struct DueTask {
    qint64 masterId = 0;
    int sequence = 0;
    QString category, description, initials, messageGroup, messageTime;
};

std::vector<DueTask> dueTasks(AppContext& ctx, const QDate& today) {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QString sql = "SELECT * FROM [TaskMaster] WHERE [TaskDoW] LIKE ? OR ([Recurrence] = "
                  "'Monthly' AND [TaskDay] = ?) OR ([TaskMonth] = ? AND [TaskDay] = ?)";
    QVariantList params = {QString('%') + days[today.dayOfWeek() % 7] + '%', today.day(),
                           today.month(), today.day()};
    if (today.day() == today.daysInMonth()) {
        sql += " OR [TaskDay] = ?";
        params << LastDayOfMonth;
    }
    sql += " ORDER BY [Category], [Sequence], [MasterID]";
    std::vector<DueTask> out;
    for (const Row& r : ctx.db().query(sql, params))
        out.push_back({r.number("MasterID"), int(r.number("Sequence")), r.text("Category"),
                       r.text("Description"), r.trimmedText("Initials"),
                       r.trimmedText("MessageGroup"), r.trimmedText("MessageTime")});
    return out;
}

void sendTaskMessage(AppContext& ctx, const DueTask& task, const QString& fullText, int k) {
    const QDateTime now = ctx.clock().now();
    const QTime at =
        task.messageTime.isEmpty() ? QTime(0, 0) : Formats::ParseTime(task.messageTime);
    OutgoingMessage m;
    m.sender = QuickViewerSender;
    m.recipient = task.messageGroup;
    m.due = QDateTime(now.date(), at.isValid() ? at : QTime(0, 0));
    // Each message its own creation minute: copies of one group message are
    // recognised by their shared creation time.
    m.created = now.addSecs(60 * k);
    m.text = TaskMessageLead + CRLF + fullText;
    InsertTheMessage(ctx, m);
}

void remindAssignees(AppContext& ctx, const QString& today) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    for (const Row& r : db.query("SELECT DISTINCT [Initials] FROM [TaskStatus] WHERE [TaskDate] "
                                 "= ? ORDER BY [Initials]",
                                 {today})) {
        const QString initials = r.trimmedText("Initials");
        if (initials.isEmpty()) continue;
        // The active member first when initials were used again.
        const QString name = db.scalar("SELECT [Concierge] FROM [Concierge] WHERE [Initials] = ? "
                                       "ORDER BY CASE WHEN [Status] = 'A' THEN 0 ELSE 1 END, "
                                       "[ConciergeID]",
                                       {initials})
                                 .toString()
                                 .trimmed();
        if (name.isEmpty()) continue;
        OutgoingMessage m;
        m.sender = QuickViewerSender;
        m.recipient = name;
        m.due = now;
        m.created = now;
        m.text = TaskListReminder;
        InsertTheMessage(ctx, m);
    }
}

} // namespace

int BuildTodaysTasks(AppContext& ctx) {
    Database& db = ctx.db();
    const QDate today = ctx.clock().today();
    const QString todayText = Formats::StoredDate(today);
    int built = 0;
    // One transaction: the claim, the rows and the messages stand or fall
    // together, so a desk that fails half-way leaves the day to the next one.
    db.transaction([&] {
        if (!claimDay(ctx, todayText)) return;
        if (builtTasks(db, todayText) > 0) return;
        purgeOldTasks(ctx, today);
        const std::vector<DueTask> tasks = dueTasks(ctx, today);
        const QHash<qint64, QString> rests =
            TaskTextRests(ctx, "SELECT [MasterID] FROM [TaskMaster]", {});
        int k = 0;
        for (const DueTask& t : tasks) {
            db.exec("INSERT INTO [TaskStatus] ([TaskID], [Sequence], [Category], [Description], "
                    "[TaskDate], [Initials], [Completed]) VALUES (?, ?, ?, ?, ?, ?, 'No')",
                    {t.masterId, t.sequence, t.category, t.description, todayText, t.initials});
            ++built;
            if (!t.messageGroup.isEmpty())
                sendTaskMessage(ctx, t, (t.description + rests.value(t.masterId)).trimmed(), ++k);
        }
        remindAssignees(ctx, todayText);
    });
    return built;
}

void InstallQuickViewerHooks(AppContext& ctx) {
    // Failures reach the start of the day, which reports them and leaves the
    // day to be started again.
    ctx.daily.buildTodaysTasks = [](AppContext& c) { BuildTodaysTasks(c); };
}

} // namespace vm
