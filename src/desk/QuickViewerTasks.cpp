// The master task list, the tasks of a day and their ticking.
#include "desk/QuickViewer.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "desk/QuickViewerRows.h"

namespace vm {

namespace {

const QStringList& weekdayAbbreviations() {
    static const QStringList names = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return names;
}

QString maskFromDoW(const QString& taskDoW) {
    QString mask;
    for (const QString& day : weekdayAbbreviations())
        mask += taskDoW.contains(day, Qt::CaseInsensitive) ? '1' : '0';
    return mask;
}

int monthLength(int month) {
    // February counts 28: a yearly task on the 29th would wait years for its
    // day; the last-day choice (99) covers it.
    return month == 2 ? 28 : QDate(2001, month, 1).daysInMonth();
}

QString checkMaster(const TaskMasterRow& row, QTime& messageTime) {
    const QString& rec = row.recurrence;
    if (rec == "Weekly" && !row.weekdayMask.contains('1')) return MsgTaskWeekdays;
    if (rec == "Monthly") {
        if (row.day == 0) return MsgTaskMonthDay;
        if ((row.day < 1 || row.day > 28) && row.day != LastDayOfMonth) return MsgTaskMonthDayRange;
    }
    if (rec == "Yearly") {
        if (row.month < 1 || row.month > 12) return MsgTaskMonth;
        const int length = monthLength(row.month);
        if (row.day < 1 || row.day > length) return MsgTaskYearDayRange(length);
    }
    if (row.description.trimmed().isEmpty()) return MsgTaskDescription;
    if (row.category.trimmed().isEmpty()) return MsgTaskCategory;
    if (!row.messageTime.trimmed().isEmpty()) {
        messageTime = Formats::ParseTime(row.messageTime.trimmed());
        if (!messageTime.isValid()) return MsgTaskMessageTime;
    }
    return {};
}

} // namespace

QString MsgTaskYearDayRange(int monthLength) {
    return "The day of the month must be a number between 1 and " + QString::number(monthLength) +
           ".";
}

QString TaskDoWFor(const QString& recurrence, const QString& weekdayMask) {
    if (recurrence == "Daily") return weekdayAbbreviations().join(QString());
    if (recurrence != "Weekly") return {};
    QString dow;
    for (int i = 0; i < 7 && i < weekdayMask.size(); ++i)
        if (weekdayMask.at(i) == '1') dow += weekdayAbbreviations().at(i);
    return dow;
}

QPair<QString, QString> SplitTaskDescription(const QString& cleaned) {
    if (cleaned.size() <= TaskDescriptionSize) return {cleaned, {}};
    // The long-text rows are stored trimmed: the rest starts on a character
    // that is kept, and blanks at the cut stay at the end of the column.
    qsizetype cut = TaskDescriptionSize;
    while (cut > 0 && (cleaned.at(cut).isSpace() || cleaned.at(cut).isLowSurrogate()))
        --cut;
    return {cleaned.left(cut), cleaned.mid(cut)};
}

QList<TaskMasterRow> GetTaskMasters(AppContext& ctx) {
    QList<TaskMasterRow> out;
    QHash<qint64, QString> rests = TaskTextRests(ctx, "SELECT [MasterID] FROM [TaskMaster]", {});
    for (const Row& r : ctx.db().query("SELECT * FROM [TaskMaster] ORDER BY [Recurrence], "
                                       "[Category], [Sequence], [Description], [TaskMonth], "
                                       "[TaskDay], [MasterID]")) {
        TaskMasterRow m;
        m.masterId = r.number("MasterID");
        m.recurrence = r.trimmedText("Recurrence");
        m.category = r.trimmedText("Category");
        m.description = r.text("Description") + rests.value(m.masterId);
        m.description = m.description.trimmed();
        m.initials = r.trimmedText("Initials");
        m.taskDoW = r.trimmedText("TaskDoW");
        m.weekdayMask = maskFromDoW(m.taskDoW);
        m.month = int(r.number("TaskMonth"));
        m.day = int(r.number("TaskDay"));
        m.sequence = int(r.number("Sequence"));
        m.messageGroup = r.trimmedText("MessageGroup");
        m.messageTime = r.trimmedText("MessageTime");
        out << m;
    }
    return out;
}

QString SaveTaskMaster(AppContext& ctx, TaskMasterRow& row) {
    row.recurrence = row.recurrence.trimmed();
    QTime messageTime;
    const QString refusal = checkMaster(row, messageTime);
    if (!refusal.isEmpty()) return refusal;
    const bool yearly = row.recurrence == "Yearly";
    const bool monthly = row.recurrence == "Monthly";
    // Fields the recurrence does not use are zero: the due-today selection
    // tests them without looking at the recurrence.
    const int month = yearly ? row.month : 0;
    const int day = (yearly || monthly) ? row.day : 0;
    row.taskDoW = TaskDoWFor(row.recurrence, row.weekdayMask);
    row.messageTime = messageTime.isValid() ? Formats::Time24(messageTime) : QString();
    row.month = month;
    row.day = day;
    const auto [head, rest] = SplitTaskDescription(CleanSqlText(row.description));
    const QVariantList values = {row.recurrence,
                                 CleanSqlTextKeepAmp(row.category),
                                 head,
                                 row.initials.trimmed(),
                                 row.taskDoW,
                                 month,
                                 day,
                                 row.sequence,
                                 row.messageGroup.trimmed(),
                                 row.messageTime};
    Database& db = ctx.db();
    db.transaction([&] {
        if (row.masterId == 0) {
            row.masterId = db.insert(
                "INSERT INTO [TaskMaster] ([Recurrence], [Category], [Description], [Initials], "
                "[TaskDoW], [TaskMonth], [TaskDay], [Sequence], [MessageGroup], [MessageTime]) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                values, "MasterID");
        } else {
            QVariantList params = values;
            params << row.masterId;
            db.exec("UPDATE [TaskMaster] SET [Recurrence] = ?, [Category] = ?, [Description] = ?, "
                    "[Initials] = ?, [TaskDoW] = ?, [TaskMonth] = ?, [TaskDay] = ?, [Sequence] = "
                    "?, [MessageGroup] = ?, [MessageTime] = ? WHERE [MasterID] = ?",
                    params);
        }
        StoreTaskDescription(ctx, row.masterId, rest);
    });
    row.description = head + rest;
    return {};
}

void DeleteTask(AppContext& ctx, qint64 masterId) {
    Database& db = ctx.db();
    db.transaction([&] {
        db.exec("DELETE FROM [TaskStatus] WHERE [TaskID] = ?", {masterId});
        DeleteECT(ctx, masterId, {TextKind::TaskDescription});
        db.exec("DELETE FROM [TaskMaster] WHERE [MasterID] = ?", {masterId});
    });
}

void ResequenceTasks(AppContext& ctx) {
    Database& db = ctx.db();
    db.transaction([&] {
        QString category, recurrence;
        int sequence = 0;
        bool first = true;
        for (const Row& r : db.query("SELECT [MasterID], [Category], [Recurrence] FROM "
                                     "[TaskMaster] ORDER BY [Category], [Recurrence], "
                                     "[Sequence], [MasterID]")) {
            const QString c = r.trimmedText("Category");
            const QString rec = r.trimmedText("Recurrence");
            if (first || c != category || rec != recurrence) sequence = 0;
            first = false;
            category = c;
            recurrence = rec;
            sequence += 10;
            db.exec("UPDATE [TaskMaster] SET [Sequence] = ? WHERE [MasterID] = ?",
                    {sequence, r.number("MasterID")});
        }
    });
}

bool TasksDayAvailable(const QDate& day, const QDate& today) {
    return day.isValid() && day >= today.addDays(-TaskStatusKeepDays) && day <= today;
}

QList<TaskStatusRow> GetTheTasks(AppContext& ctx, const QDate& day, const QString& category) {
    const QString stored = Formats::StoredDate(day);
    const bool all = category.trimmed().isEmpty() || category.trimmed() == "All";
    QString where = "WHERE [TaskDate] = ?";
    QVariantList params = {stored};
    if (!all) {
        where += " AND [Category] = ?";
        params << category.trimmed();
    }
    const QHash<qint64, QString> rests =
        TaskTextRests(ctx, "SELECT [TaskID] FROM [TaskStatus] " + where, params);
    QList<TaskStatusRow> out;
    for (const Row& r : ctx.db().query("SELECT * FROM [TaskStatus] " + where +
                                           " ORDER BY [Completed], [Category], [Sequence], "
                                           "[Description], [StatusID]",
                                       params)) {
        TaskStatusRow t;
        t.statusId = r.number("StatusID");
        t.taskId = r.number("TaskID");
        t.sequence = int(r.number("Sequence"));
        t.category = r.trimmedText("Category");
        t.description = (r.text("Description") + rests.value(t.taskId)).trimmed();
        t.initials = r.trimmedText("Initials");
        t.taskDate = r.trimmedText("TaskDate");
        t.completed = r.trimmedText("Completed");
        t.completedBy = r.trimmedText("CompletedBy");
        t.completionDateTime = r.trimmedText("CompletionDateTime");
        t.notes = r.trimmedText("TaskNotes");
        out << t;
    }
    return out;
}

qint64 InsertOneTimeTask(AppContext& ctx, const QDate& day, const QString& category,
                         const QString& description, const QString& initials) {
    Database& db = ctx.db();
    const auto [head, rest] = SplitTaskDescription(CleanSqlText(description));
    qint64 id = 0;
    db.transaction([&] {
        // Two desks adding at once must not take the same id (they would share
        // the long-text rows); SQLite's writer lock already serialises them.
        if (db.engine() == Engine::PostgreSQL)
            db.exec("LOCK TABLE " + db.quoteName("TaskStatus") + " IN SHARE ROW EXCLUSIVE MODE");
        const QVariant least = db.scalar("SELECT MIN([TaskID]) AS [NewMasterID] FROM [TaskStatus]");
        id = (!least.isNull() && least.toLongLong() < 1) ? least.toLongLong() - 1 : -1;
        db.exec("INSERT INTO [TaskStatus] ([TaskID], [Sequence], [Category], [Description], "
                "[TaskDate], [Initials], [Completed]) VALUES (?, 0, ?, ?, ?, ?, 'No')",
                {id, CleanSqlTextKeepAmp(category), head, Formats::StoredDate(day),
                 initials.trimmed()});
        // Always rewritten: an id used before may still have an old task's text.
        StoreTaskDescription(ctx, id, rest);
    });
    return id;
}

QString UpdateTaskStatus(AppContext& ctx, qint64 statusId, bool completed, const QString& notes) {
    if (!completed && notes.trimmed().isEmpty()) return MsgTaskNoteRequired;
    const QString stored = CleanSqlTextKeepAmp(notes);
    if (stored.size() > 255) return MsgTaskNoteTooLong;
    ctx.db().exec("UPDATE [TaskStatus] SET [Completed] = ?, [CompletedBy] = ?, "
                  "[CompletionDateTime] = ?, [TaskNotes] = ? WHERE [StatusID] = ?",
                  {completed ? "Yes" : "No", ctx.session.initials,
                   Formats::StoredDateTime(ctx.clock().now()), stored, statusId});
    return {};
}

void UndoTaskStatus(AppContext& ctx, qint64 statusId) {
    ctx.db().exec("UPDATE [TaskStatus] SET [Completed] = 'No', [CompletedBy] = '', "
                  "[CompletionDateTime] = '', [TaskNotes] = '' WHERE [StatusID] = ?",
                  {statusId});
}

int CountOpenTasks(AppContext& ctx, const QDate& day) {
    return ctx.db()
        .scalar("SELECT COUNT([StatusID]) AS [CountEm] FROM [TaskStatus] WHERE [TaskDate] = ? "
                "AND [Completed] = 'No'",
                {Formats::StoredDate(day)})
        .toInt();
}

} // namespace vm
