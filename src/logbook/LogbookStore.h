#pragma once
// Data procedures of logbook entries: insert, update, read, delete, history,
// messages, counts and archive notes.  Engine failures raise DbError; the
// caller that the user started reports them.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookServices.h"

#include <optional>
#include <vector>

namespace vm {

inline const QString ReasonUpdated = QStringLiteral("Logbook Entry was updated.");
inline const QString ReasonCancelled = QStringLiteral("Logbook Entry was Cancelled.");
inline const QString ReasonReinstated = QStringLiteral("Logbook Entry was Reinstated.");

struct HistoryRow {
    QString logDateTime, initials, reason;
};

struct MessageRow {
    QString msgDateTime, conciergeName, sentFrom;
};

enum class SaveOutcome {
    Saved,
    Changed, // another desk saved the entry after it was read: nothing written
    Gone     // the entry no longer exists: nothing written
};

class LogbookStore {
public:
    explicit LogbookStore(AppContext& ctx, const LogbookServices* hooks = nullptr)
        : m_ctx(ctx), m_hooks(hooks) {}

    Database& db(LogSource source) const;

    // Writes a new entry, its text pieces and a typed card in one transaction;
    // fills logId, creator, entry date/time, Restricted and the row version.
    qint64 InsertLogBook(LogEntry& e, const QString& typedCard = {});
    // Rewrites an existing entry unless it changed since `e` was read (its row
    // version), in one transaction with its history, text and card; `e` then
    // holds what was written.  An entry of the web interface that has no
    // history yet passes to the member who saves it (creator and initials).
    // `cancelledAsLoaded` is the Cancelled state the screen loaded; it drives
    // the "Cancelled"/"Reinstated" history rows.
    SaveOutcome UpdateLogBook(LogEntry& e, bool cancelledAsLoaded, const QString& typedCard = {});
    // Deletes the entry and what hangs on it; answers false when nothing was
    // deleted (an unsaved entry, id 0, touches nothing).
    bool DeleteLogbookEntry(qint64 logId);

    std::optional<LogEntry> GetTheLogEntry(qint64 logId, LogSource source = LogSource::Current);
    QString GetTheLogText(qint64 logId, LogSource source = LogSource::Current);
    std::vector<HistoryRow> GetTheLogbookHistory(qint64 logId,
                                                 LogSource source = LogSource::Current);
    std::vector<MessageRow> GetTheLogbookMessages(qint64 logId);
    int CountLogbookHistory(qint64 logId);
    // Of `logIds`, in their order, the entries that are complete or pending
    // (the ones a guest confirmation is printed for); cancelled ones are left out.
    std::vector<qint64> ConfirmableEntries(const std::vector<qint64>& logIds,
                                           LogSource source = LogSource::Current);
    void UpdateLogbookHistory(qint64 logId, const QString& initials, const QString& logDateTime,
                              const QString& reason);
    QString GetEntryEnteredBy(qint64 logId);
    // Writes a new full text to an archived entry.
    void UpdateArchiveText(qint64 logId, const QString& text);
    int CountTypeEntriesOnDate(const QString& referDate, const QString& category);
    // The "Notified" pick list (Other rows of that type).
    QStringList NotifiedValues();

    // The entry's row version now; empty when it does not exist.
    std::optional<qint64> StoredVersion(qint64 logId);
    // The profile type shown beside a linked entry's name in the list.
    QString ProfileTypeOf(qint64 profileId);

private:
    std::optional<LogEntry> readLogEntry(qint64 logId, LogSource source);
    void writeText(Database& db, qint64 logId, const QString& overflow);
    // Encrypts a typed number into the entry's row and into `e`; answers
    // whether a card was written (it raises the row version).
    bool storeCard(LogEntry& e, const QString& typedCard);
    QString nowStamp() const;

    AppContext& m_ctx;
    const LogbookServices* m_hooks;
};

// The entry's columns of a LogBook row (the text is left to the caller).
LogEntry LogEntryFromRow(const Row& r);

// The same for the many rows of one statement: column positions are found once.
class LogRowReader {
public:
    LogRowReader();
    LogEntry read(const Row& r);

private:
    std::vector<int> m_positions; // per read column, its place in the row (-1: absent)
};

// Stored form of a typed text value: quotes made safe, empty = " ".
QString StoredValue(const QString& typed);

} // namespace vm
