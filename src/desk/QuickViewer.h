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
// (`row.masterId` then holds the id).  Monthly days are 1..28 or 99 (the last
// day of every month); a yearly day is at most the month's length, February
// counting 28.  The fields a recurrence does not use are stored as 0.
QString SaveTaskMaster(AppContext& ctx, TaskMasterRow& row);
// TaskDoW of a recurrence and a Sunday-first mask ("0100100" → "MonThu").
QString TaskDoWFor(const QString& recurrence, const QString& weekdayMask);
// The stored description cut: at most 100 characters for the column, the rest
// for the long-text rows (cleaned before it is cut, so the column never overflows).
QPair<QString, QString> SplitTaskDescription(const QString& cleaned);

inline const QString MsgTaskWeekdays =
    QStringLiteral("Please select the Day(s) of the Week for this task.");
inline const QString MsgTaskMonthDay =
    QStringLiteral("Please enter the day of the month this event occurs.");
inline const QString MsgTaskMonthDayRange =
    QStringLiteral("The day of the month must be a number \r\nbetween 1 and 28.");
inline const QString MsgTaskMonth = QStringLiteral("Please select the month for this task.");
// "The day of the month must be a number between 1 and <length>."
QString MsgTaskYearDayRange(int monthLength);
inline const QString MsgTaskDescription = QStringLiteral("Please describe this task.");
inline const QString MsgTaskCategory = QStringLiteral("Please select a category for this task.");
inline const QString MsgTaskMessageTime =
    QStringLiteral("Please enter a valid Time for message to be delivered.  Thank you.");
inline const QString MsgTaskNoteRequired =
    QStringLiteral("If the Task is not marked as complete\r\nyou must enter a note to explain.");
inline const QString MsgTaskUndoQuestion = QStringLiteral(
    "Do you wish to Set this task as Incomplete and to Remove your Initials and Notes?");
inline const QString MsgTaskNoteTooLong =
    QStringLiteral("The note may be at most 255 characters long.");
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
// Whether the tasks of `day` may be looked at: today and the 31 days before
// (older rows are purged at the start of a day).
bool TasksDayAvailable(const QDate& day, const QDate& today);
qint64 InsertOneTimeTask(AppContext& ctx, const QDate& day, const QString& category,
                         const QString& description, const QString& initials);
// Ticks a task done or not done by the member logged on, stamped now; not
// done needs a note (answers the refusal).
QString UpdateTaskStatus(AppContext& ctx, qint64 statusId, bool completed, const QString& notes);
// Back to "No" with no initials, time or note (the caller asked MsgTaskUndoQuestion).
void UndoTaskStatus(AppContext& ctx, qint64 statusId);

// The start of the day: claims the day for this desk atomically and builds
// today's tasks and their messages exactly once across all desks.  Answers
// the number of tasks built (0 when another desk had built them).
int BuildTodaysTasks(AppContext& ctx);
// The first line of every task message; the description follows after CRLF.
inline const QString TaskMessageLead =
    QStringLiteral("Quick Viewer Message - Please handle the following task: ");
inline const QString TaskListReminder = QStringLiteral(
    "Please check the Task List in Your Quick Viewer.  You have tasks assigned to you for today.");
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
// The day's notes ordered by text; with a group, that group's notes and the
// notes for everyone (no group).
QList<DiaryNote> GetNotes(AppContext& ctx, const QDate& day, const QString& group = {});
// The occurrence dates of a request (never after `through`).  A weekly or
// biweekly request starts on the first chosen weekday on or after `from`, a
// monthly one on the first chosen day of the month on or after it (a day
// beyond a month's length falls on its last day).
QList<QDate> DiaryOccurrences(const DiaryRequest& request);
// Answers the refusal, or empty when saved (one row per occurrence, the
// member logged on as author, in one transaction).
QString InsertDatedNotes(AppContext& ctx, const DiaryRequest& request);
// Only the author may change or delete a note.
QString UpdateNote(AppContext& ctx, const DiaryNote& note);
QString DeleteNote(AppContext& ctx, qint64 noteId);
// The day's group meetings as display lines: each group's heading
// ("Name   (n Attendees)") followed by its meetings ("hh:mm am - Function at
// Venue").  Not named GetGroupDiary: guests/Groups.h has that one (same
// arguments, per-group result) and this list is made from it.
QStringList GroupDiaryLines(AppContext& ctx, const QDate& day);
int CountDayNotes(AppContext& ctx, const QDate& day);

inline const QString MsgDiaryThroughDate =
    QStringLiteral("The Through date must be the same as or greater than Starting date.");
inline const QString MsgDiaryWeekday =
    QStringLiteral("Please select the Day of the Week for this Daily Diary Note.");
inline const QString MsgDiaryMonthDay =
    QStringLiteral("Please enter the day of the month this Daily Diary Note occurs.");
inline const QString MsgDiaryDates = QStringLiteral("Please enter a valid Starting date.");
inline const QString MsgDiaryText = QStringLiteral("Please enter the text of this note.");
inline const QString MsgDiaryTextTooLong =
    QStringLiteral("A Daily Diary Note may be at most 255 characters long.");
inline const QString MsgDiaryNoOccurrence =
    QStringLiteral("The chosen day does not occur between the Starting and Through dates.");
inline constexpr int MaxDiaryOccurrences = 1000;
inline const QString MsgDiaryTooMany = QStringLiteral(
    "One request may create at most 1000 Daily Diary Notes.  Please choose a shorter date "
    "range.");
inline const QString MsgDiaryNotYoursChange =
    QStringLiteral("You may not change another person's note.");
inline const QString MsgDiaryNotYoursDelete =
    QStringLiteral("You may not delete another person's note.");

// ---------------------------------------------------------------- documents
// Dates travel in their stored form ("yyyy/MM/dd"); a document without expiry
// has an empty `expiration` here and "9999/12/31" in the table.  A document
// is shown through its expiry day and purged the day after.
struct QvDocument {
    qint64 documentId = 0;
    QString description, effective, expiration, fileName;
    QString readOn; // the member's DateRead, empty when unread
};
inline const QString NoExpiry = QStringLiteral("9999/12/31");
// Newest first.
QList<QvDocument> GetDocumentsAll(AppContext& ctx);
// Oldest first, with the logged-on member's read date (one statement).
QList<QvDocument> GetDocumentsMe(AppContext& ctx);
// Active staff with the date each read the document (empty when not).
QList<QPair<QString, QString>> GetDocumentsRead(AppContext& ctx, qint64 documentId);
// Validates and inserts; `link.effective`/`expiration` may be stored or short
// dates ("MM/dd/yyyy") and come back stored.  Answers the refusal or "".
QString InsertDocument(AppContext& ctx, QvDocument& link);
// The member logged on has read it today (once: a second confirmation keeps the first date).
void InsertConfirmation(AppContext& ctx, qint64 documentId);
void DeleteDocument(AppContext& ctx, qint64 documentId);
// Documents in force on `day` (effective, not expired) the member logged on has not read.
int CountUnreadDocuments(AppContext& ctx, const QDate& day);

inline const QString MsgDocumentFile =
    QStringLiteral("Please select the source document for this link.");
inline const QString MsgDocumentDescription =
    QStringLiteral("Please enter a description for this link.");
inline const QString MsgDocumentEffective = QStringLiteral("Please enter a valid Effective Date.");
inline const QString MsgDocumentExpiry = QStringLiteral("Please enter a valid Expiration Date.");
inline const QString MsgDocumentExpiryOrder =
    QStringLiteral("The Expiration Date must be Later than\r\n the Effective Date.  Thank you.");
inline const QString MsgDocumentTooLong =
    QStringLiteral("The description and the file's path may be at most 255 characters long each.");
inline const QString MsgDocumentDeleteNote =
    QStringLiteral("Note:  This only deletes the LINK, not the source file.");
inline const QString MsgDocumentReadQuestion =
    QStringLiteral("Please indicate whether or not you have read \r\nthe document.  Thank you.");

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
inline const QString MsgQVCategoryName =
    QStringLiteral("The Category is a required field.  Thank you.");
inline const QString MsgQVCategoryLabel =
    QStringLiteral("You must define at least one data element label.  Thank you.");
// "There are n data elements in this category." + CRLF + "Do you wish to delete all of them…"
QString MsgQVDeleteWithRows(int rows);

QList<QPair<qint64, QString>> GetQVCategories(AppContext& ctx);
std::optional<QVCategory> GetQVCategory(AppContext& ctx, qint64 id);
QString SaveQVCategory(AppContext& ctx, QVCategory& category);
void DeleteQVCategory(AppContext& ctx, qint64 id);
int CountQVData(AppContext& ctx, qint64 categoryId);
QList<QVRow> GetQVDataByCategory(AppContext& ctx, qint64 categoryId);
void SaveQVData(AppContext& ctx, QVRow& row);
void DeleteQVData(AppContext& ctx, qint64 id);

// ---------------------------------------------------------------- dashboard
// The three summary sentences of a day: the diary, the open tasks and the
// member's unread documents.
QStringList DashboardLines(AppContext& ctx, const QDate& day);
int CountOpenTasks(AppContext& ctx, const QDate& day);

} // namespace vm
