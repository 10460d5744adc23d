#pragma once
// The quick viewer's data: the master task list and the tasks of each day,
// the daily diary, document links with read confirmations and the
// quick-reference lists.  No widgets.

#include "core/AppContext.h"

#include <optional>

namespace vm {

// ---------------------------------------------------------------- tasks
struct TaskMasterRow {
    qint64 masterId = 0; // 0 = new
    QString recurrence;  // "Daily", "Weekly", "Monthly", "Yearly"
    QString category;
    QString description; // whole text (the long-text rows joined)
    QString initials;
    QString weekdayMask = "0000000"; // Sunday first, Weekly only
    int month = 0;                   // Yearly
    int day = 0;                     // Monthly/Yearly; 99 = last day of the month
    int sequence = 0;
    QString messageGroup; // "", a member's name, "*group", "*All Vm Users"
    QString messageTime;  // "HH:mm" or ""
    QString taskDoW;      // as stored
};
QList<TaskMasterRow> GetTaskMasters(AppContext& ctx);
// Validates in the documented order; answers the refusal, or empty when saved
// (`row.masterId` then holds the id).
QString SaveTaskMaster(AppContext& ctx, TaskMasterRow& row);
void DeleteTask(AppContext& ctx, qint64 masterId);
void ResequenceTasks(AppContext& ctx);

struct TaskStatusRow {
    qint64 statusId = 0;
    qint64 taskId = 0;
    int sequence = 0;
    QString category, description, initials, taskDate, completed, completedBy, completionDateTime,
        notes;
    bool done() const { return completed == "Yes"; }
};
// The tasks of a day, optionally of one category ("All" or empty = every one),
// ordered Completed, Category, Sequence, Description.
QList<TaskStatusRow> GetTheTasks(AppContext& ctx, const QDate& day, const QString& category = {});
// Dates older than 31 days are refused with this text.
inline const QString MsgTasksOnlyLast31 =
    QStringLiteral("Tasks are only Available for the last 31 days.");
qint64 InsertOneTimeTask(AppContext& ctx, const QDate& day, const QString& category,
                         const QString& description, const QString& initials);
// Ticks a task done or not done; not done needs a note (answers the refusal).
QString UpdateTaskStatus(AppContext& ctx, qint64 statusId, bool completed, const QString& notes);
void UndoTaskStatus(AppContext& ctx, qint64 statusId);

// The start of the day: claims the day for this desk atomically and builds
// today's tasks and their messages exactly once across all desks.  Answers
// the number of tasks built (0 when another desk had built them).
int BuildTodaysTasks(AppContext& ctx);
// Installs the start-of-day hook.
void InstallQuickViewerHooks(AppContext& ctx);

// ---------------------------------------------------------------- diary
struct DiaryNote {
    qint64 noteId = 0;
    QString author; // Concierge
    QString group;  // DiaryGroup, empty = everyone
    qint64 color = 0;
    QString date; // stored
    QString text;
};
enum class DiaryRepeat { None, Daily, Weekly, BiWeekly, Monthly };
struct DiaryRequest {
    QDate from, through;
    DiaryRepeat repeat = DiaryRepeat::None;
    int weekday = 0;    // Qt day of week 1..7 for Weekly/BiWeekly
    int dayOfMonth = 0; // Monthly
    QString group, text;
    qint64 color = 0;
};
QList<DiaryNote> GetNotes(AppContext& ctx, const QDate& day, const QString& group = {});
// The occurrence dates of a request (never after `through`).
QList<QDate> DiaryOccurrences(const DiaryRequest& request);
// Answers the refusal, or empty when saved.
QString InsertDatedNotes(AppContext& ctx, const DiaryRequest& request);
QString UpdateNote(AppContext& ctx, const DiaryNote& note);
QString DeleteNote(AppContext& ctx, qint64 noteId);
// The day's group meetings as display lines.
QStringList GetGroupDiary(AppContext& ctx, const QDate& day);

// ---------------------------------------------------------------- documents
struct DocumentLink {
    qint64 documentId = 0;
    QString description, effective, expiration, fileName;
    QString readOn; // the member's DateRead, empty when unread
};
QList<DocumentLink> GetDocumentsAll(AppContext& ctx);
QList<DocumentLink> GetDocumentsMe(AppContext& ctx);
// Active staff with the date each read the document (empty when not).
QList<QPair<QString, QString>> GetDocumentsRead(AppContext& ctx, qint64 documentId);
QString InsertDocument(AppContext& ctx, DocumentLink& link);
void InsertConfirmation(AppContext& ctx, qint64 documentId);
void DeleteDocument(AppContext& ctx, qint64 documentId);

// ---------------------------------------------------------------- quick-reference lists
struct QVCategory {
    qint64 id = 0;
    QString category;
    QString labels[5];
    QString notes, notes2;
};
struct QVRow {
    qint64 id = 0;
    qint64 categoryId = 0;
    QString data[5];
};
QList<QPair<qint64, QString>> GetQVCategories(AppContext& ctx);
std::optional<QVCategory> GetQVCategory(AppContext& ctx, qint64 id);
QString SaveQVCategory(AppContext& ctx, QVCategory& category);
void DeleteQVCategory(AppContext& ctx, qint64 id);
int CountQVData(AppContext& ctx, qint64 categoryId);
QList<QVRow> GetQVDataByCategory(AppContext& ctx, qint64 categoryId);
void SaveQVData(AppContext& ctx, QVRow& row);
void DeleteQVData(AppContext& ctx, qint64 id);

// ---------------------------------------------------------------- dashboard
// The three summary sentences of a day.
QStringList DashboardLines(AppContext& ctx, const QDate& day);

} // namespace vm
