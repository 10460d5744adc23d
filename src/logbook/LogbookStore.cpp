#include "logbook/LogbookStore.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/LogText.h"
#include "platform/VersionedUpdate.h"

#include <QSet>
#include <QSqlField>
#include <algorithm>

namespace vm {

namespace {

const QString InsertEntrySql = QStringLiteral(
    "INSERT INTO [LogBook] ([GuestID], [FirstName], [LastName], [ProfileID], [GroupID], "
    "[ContactID], [EntryType], [Notified], [ReferDate], [ReferTime], [ArrivalDate], "
    "[DepartureDate], [RoomNumber], [EnteredBy], [Initials], [UpdatedDate], [EntryDate], "
    "[EntryTime], [Restricted], [Complete], [Cancelled], [OnHold], [Pending], [NoteField], "
    "[MsgNotes], [OpenTableID], [EncCC], [WebResID], [WebDNP]) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?)");

const QString InsertHistorySql = QStringLiteral(
    "INSERT INTO [LogbookHistory] ([LogbookID], [Initials], [LogDateTime], [Reason]) "
    "VALUES (?, ?, ?, ?)");

const QString InsertPieceSql =
    QStringLiteral("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)");

const QString SelectPiecesSql =
    QStringLiteral("SELECT [NoteField] FROM [LogText] WHERE [LogID] = ? ORDER BY [Sequence]");

// The stored form of an entry's text keeps the line end of its last line.
QString storedText(const QString& typed) {
    const QString s = StoredValue(typed);
    return s != " " && TrimLogText(typed).endsWith(QStringLiteral("\r\n")) ? s + "\r\n" : s;
}

QString storedDate(const QString& s) {
    return s.trimmed().isEmpty() ? QString(" ") : s.trimmed();
}

} // namespace

QString StoredValue(const QString& typed) {
    return CleanSqlTextKeepAmp(typed);
}

Database& LogbookStore::db(LogSource source) const {
    if (source == LogSource::Archive) {
        if (!m_ctx.archive)
            throw DbError(DbErrorNumber::General, "The archive database is not open.");
        return *m_ctx.archive;
    }
    return m_ctx.db();
}

QString LogbookStore::nowStamp() const {
    return Formats::StoredDateTime(m_ctx.clock().now());
}

void LogbookStore::writeText(Database& db, qint64 logId, const QString& overflow) {
    db.exec("DELETE FROM [LogText] WHERE [LogID] = ?", {logId});
    int sequence = 0;
    for (const QString& piece : LogTextPieces(overflow))
        db.exec(InsertPieceSql, {logId, ++sequence, piece});
}

bool LogbookStore::storeCard(LogEntry& e, const QString& typedCard) {
    if (typedCard.trimmed().isEmpty() || GetBooleanSetting(m_ctx.db(), "NoCreditCards"))
        return false;
    if (!m_hooks || !m_hooks->encryptCard)
        throw DbError(DbErrorNumber::General,
                      "Card numbers cannot be stored: card protection is not installed.");
    // Only a number typed in this session is encrypted; the stored cipher is
    // never taken for a number, so it is never encrypted twice.
    const QString cipher = m_hooks->encryptCard(typedCard.trimmed(), e.logId);
    if (cipher.isEmpty()) // the whole save is undone rather than store no card
        throw DbError(DbErrorNumber::General, "Encryption Failed");
    const QDateTime now = m_ctx.clock().now();
    m_ctx.db().exec("UPDATE [LogBook] SET [EncCC] = ?, [CC_CreatedDate] = ?, [RowVersion] = "
                    "[RowVersion] + 1 WHERE [LogID] = ?",
                    {cipher, now, e.logId});
    // The entry holds the cipher from now on: its next save writes it back.
    e.encCC = cipher;
    e.ccCreated = now;
    return true;
}

qint64 LogbookStore::InsertLogBook(LogEntry& e, const QString& typedCard) {
    Database& db = m_ctx.db();
    const QDateTime now = m_ctx.clock().now();
    e.entryDate = Formats::StoredDate(now.date());
    e.entryTime = Formats::Time24(now.time());
    e.updatedDate = e.entryDate;
    e.enteredBy = m_ctx.session.name;
    e.initials = m_ctx.session.initials;
    e.restricted = GetLogTypeRestricted(db, e.entryType);
    const SplitText split = SplitLogText(storedText(e.text));

    db.transaction([&] {
        e.logId = db.insert(InsertEntrySql,
                            {StoredValue(e.guestId),
                             StoredValue(e.firstName),
                             StoredValue(e.lastName),
                             e.profileId,
                             e.groupId,
                             e.contactId,
                             e.entryType,
                             StoredValue(e.notified),
                             storedDate(e.referDate),
                             storedDate(e.referTime),
                             storedDate(e.arrivalDate),
                             storedDate(e.departureDate),
                             StoredValue(e.roomNumber),
                             e.enteredBy,
                             e.initials,
                             e.updatedDate,
                             e.entryDate,
                             e.entryTime,
                             e.restricted,
                             e.complete,
                             e.cancelled,
                             e.onHold,
                             e.pending,
                             split.noteField.isEmpty() ? QString(" ") : split.noteField,
                             StoredValue(e.msgNotes),
                             e.openTableId,
                             StoredValue(e.encCC),
                             StoredValue(e.webResId),
                             e.webDnp},
                            "LogID");
        writeText(db, e.logId, split.overflow);
        e.rowVersion = storeCard(e, typedCard) ? 1 : 0; // a new row starts at 0
    });
    if (!typedCard.trimmed().isEmpty() && m_hooks && m_hooks->recordCardEvent)
        m_hooks->recordCardEvent(e.logId);
    return e.logId;
}

SaveOutcome LogbookStore::UpdateLogBook(LogEntry& e, bool cancelledAsLoaded,
                                        const QString& typedCard) {
    Database& db = m_ctx.db();
    const SplitText split = SplitLogText(storedText(e.text));
    const QString today = Formats::StoredDate(m_ctx.clock().today());
    SaveOutcome outcome = SaveOutcome::Saved;
    LogEntry saved = e; // `e` changes only when the save went through

    db.transaction([&] {
        // The first member to save an entry of the web interface takes it over;
        // otherwise the creator is recorded once, by the first save that finds none.
        if ((IsWebEntryText(saved.text) && CountLogbookHistory(saved.logId) == 0) ||
            saved.enteredBy.trimmed().isEmpty()) {
            saved.enteredBy = m_ctx.session.name;
            saved.initials = m_ctx.session.initials;
        }
        saved.updatedDate = today;
        saved.restricted = GetLogTypeRestricted(db, saved.entryType);
        VersionedUpdate update("LogBook", "LogID", saved.logId, saved.rowVersion);
        update.set("GuestID", StoredValue(saved.guestId))
            .set("FirstName", StoredValue(saved.firstName))
            .set("LastName", StoredValue(saved.lastName))
            .set("EncCC", StoredValue(saved.encCC))
            .set("RoomNumber", StoredValue(saved.roomNumber))
            .set("EnteredBy", StoredValue(saved.enteredBy))
            .set("Initials", StoredValue(saved.initials))
            .set("EntryType", saved.entryType)
            .set("Notified", StoredValue(saved.notified))
            .set("ReferDate", storedDate(saved.referDate))
            .set("ReferTime", storedDate(saved.referTime))
            .set("ArrivalDate", storedDate(saved.arrivalDate))
            .set("DepartureDate", storedDate(saved.departureDate))
            .set("UpdatedDate", today)
            .set("Complete", saved.complete)
            .set("Cancelled", saved.cancelled)
            .set("OnHold", saved.onHold)
            .set("ProfileID", saved.profileId)
            .set("Pending", saved.pending)
            .set("GroupID", saved.groupId)
            .set("ContactID", saved.contactId)
            .set("NoteField", split.noteField.isEmpty() ? QString(" ") : split.noteField)
            .set("MsgNotes", StoredValue(saved.msgNotes))
            .set("OpenTableID", saved.openTableId)
            .set("Restricted", saved.restricted);
        switch (update.run(db)) {
        case VersionedResult::Changed:
            outcome = SaveOutcome::Changed;
            return;
        case VersionedResult::Gone:
            outcome = SaveOutcome::Gone;
            return;
        case VersionedResult::Updated:
            break;
        }
        saved.rowVersion = update.newVersion();
        const QString when = nowStamp();
        const QString who = m_ctx.session.initials;
        db.exec(InsertHistorySql, {saved.logId, who, when, ReasonUpdated});
        if (saved.cancelled && !cancelledAsLoaded)
            db.exec(InsertHistorySql, {saved.logId, who, when, ReasonCancelled});
        else if (!saved.cancelled && cancelledAsLoaded)
            db.exec(InsertHistorySql, {saved.logId, who, when, ReasonReinstated});
        writeText(db, saved.logId, split.overflow);
        if (storeCard(saved, typedCard)) saved.rowVersion += 1;
    });
    if (outcome != SaveOutcome::Saved) return outcome;
    e = saved;
    if (!typedCard.trimmed().isEmpty() && m_hooks && m_hooks->recordCardEvent)
        m_hooks->recordCardEvent(e.logId);
    return outcome;
}

bool LogbookStore::DeleteLogbookEntry(qint64 logId) {
    if (logId < 1) return false;
    Database& db = m_ctx.db();
    bool deleted = false;
    db.transaction([&] {
        // The texts first: once the timers are gone nothing leads to them.
        db.exec("DELETE FROM [MsgText] WHERE [TimerID] IN (SELECT [TimerID] FROM [MsgTimer] "
                "WHERE [LogbookID] = ?)",
                {logId});
        db.exec("DELETE FROM [MsgTimer] WHERE [LogbookID] = ?", {logId});
        db.exec("DELETE FROM [LogText] WHERE [LogID] = ?", {logId});
        db.exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = 'L'", {logId});
        // Spa activities exist only where the spa interface is set up; an empty
        // property id counts as none.
        const QString spa = GetVmSetting(db, "SpaSoftPropertyID").trimmed();
        if (!spa.isEmpty() && spa != "0" && db.tableExists("Activities"))
            db.exec("DELETE FROM [Activities] WHERE [LogbookID] = ?", {logId});
        deleted = db.exec("DELETE FROM [LogBook] WHERE [LogID] = ?", {logId}) > 0;
    });
    return deleted;
}

LogRowReader::LogRowReader() = default;

LogEntry LogEntryFromRow(const Row& r) {
    return LogRowReader().read(r);
}

namespace {
// The columns an entry is read from, in the order of `Col`.
const char* const EntryColumns[] = {
    "LogID",         "GuestID",     "FirstName", "LastName",       "ProfileID",   "GroupID",
    "ContactID",     "EntryType",   "Notified",  "ReferDate",      "ReferTime",   "ArrivalDate",
    "DepartureDate", "RoomNumber",  "EnteredBy", "Initials",       "UpdatedDate", "EntryDate",
    "EntryTime",     "Restricted",  "Complete",  "Cancelled",      "OnHold",      "Pending",
    "MsgNotes",      "OpenTableID", "EncCC",     "CC_CreatedDate", "WebResID",    "WebDNP",
    "RowVersion"};
enum Col {
    cLogID,
    cGuestID,
    cFirstName,
    cLastName,
    cProfileID,
    cGroupID,
    cContactID,
    cEntryType,
    cNotified,
    cReferDate,
    cReferTime,
    cArrivalDate,
    cDepartureDate,
    cRoomNumber,
    cEnteredBy,
    cInitials,
    cUpdatedDate,
    cEntryDate,
    cEntryTime,
    cRestricted,
    cComplete,
    cCancelled,
    cOnHold,
    cPending,
    cMsgNotes,
    cOpenTableID,
    cEncCC,
    cCCCreated,
    cWebResID,
    cWebDNP,
    cRowVersion
};
static_assert(std::size(EntryColumns) == cRowVersion + 1);
} // namespace

LogEntry LogRowReader::read(const Row& r) {
    if (m_positions.empty())
        for (const char* name : EntryColumns)
            m_positions.push_back(r.indexOf(QString::fromLatin1(name)));
    auto value = [&](Col c) {
        const int i = m_positions[size_t(c)];
        return i < 0 ? QVariant() : r.value(i);
    };
    auto t = [&](Col c) {
        const int i = m_positions[size_t(c)];
        return i < 0 ? QString() : r.trimmedText(i);
    };
    auto whole = [&](Col c, qint64& into) {
        const int i = m_positions[size_t(c)];
        return i >= 0 && r.integer(i, into);
    };
    auto n = [&](Col c) {
        qint64 v = 0;
        return whole(c, v) ? v : value(c).toLongLong();
    };
    auto f = [&](Col c) {
        qint64 number = 0;
        if (whole(c, number)) return number != 0;
        const QVariant v = value(c);
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            return s == "1" || s == "true" || s == "t" || s == "-1";
        }
        return v.toLongLong() != 0 || v.toBool();
    };
    LogEntry e;
    e.logId = n(cLogID);
    e.guestId = t(cGuestID);
    e.firstName = t(cFirstName);
    e.lastName = t(cLastName);
    e.profileId = n(cProfileID);
    e.groupId = n(cGroupID);
    e.contactId = n(cContactID);
    e.entryType = t(cEntryType);
    e.notified = t(cNotified);
    e.referDate = t(cReferDate);
    e.referTime = t(cReferTime);
    e.arrivalDate = t(cArrivalDate);
    e.departureDate = t(cDepartureDate);
    e.roomNumber = t(cRoomNumber);
    e.enteredBy = t(cEnteredBy);
    e.initials = t(cInitials);
    e.updatedDate = t(cUpdatedDate);
    e.entryDate = t(cEntryDate);
    e.entryTime = t(cEntryTime);
    e.restricted = f(cRestricted);
    e.complete = f(cComplete);
    e.cancelled = f(cCancelled);
    e.onHold = f(cOnHold);
    e.pending = f(cPending);
    e.msgNotes = t(cMsgNotes);
    e.openTableId = n(cOpenTableID);
    e.encCC = t(cEncCC);
    if (!value(cCCCreated).isNull()) e.ccCreated = r.dateTime("CC_CreatedDate");
    e.webResId = t(cWebResID);
    e.webDnp = f(cWebDNP);
    e.rowVersion = n(cRowVersion);
    return e;
}

std::optional<LogEntry> LogbookStore::GetTheLogEntry(qint64 logId, LogSource source) {
    // The entry, its text and what it looked like are read on one view of the data.
    std::optional<LogEntry> entry;
    db(source).snapshot([&] { entry = readLogEntry(logId, source); });
    return entry;
}

std::optional<LogEntry> LogbookStore::readLogEntry(qint64 logId, LogSource source) {
    Database& d = db(source);
    auto r = d.queryOne("SELECT * FROM [LogBook] WHERE [LogID] = ?", {logId});
    if (!r) return std::nullopt;
    LogEntry e = LogEntryFromRow(*r);
    QStringList pieces;
    for (const Row& p : d.query(SelectPiecesSql, {logId}))
        pieces << p.text("NoteField");
    e.text = JoinLogText(r->text("NoteField"), pieces);
    return e;
}

QString LogbookStore::GetTheLogText(qint64 logId, LogSource source) {
    QString text;
    for (const Row& p : db(source).query(SelectPiecesSql, {logId}))
        text += p.text("NoteField");
    return text;
}

std::optional<qint64> LogbookStore::StoredVersion(qint64 logId) {
    return StoredRowVersion(m_ctx.db(), "LogBook", "LogID", logId);
}

QString LogbookStore::ProfileTypeOf(qint64 profileId) {
    if (profileId <= 0) return {};
    return StoredText(
        m_ctx.db()
            .scalar("SELECT [ProfileType] FROM [Profile] WHERE [ProfileID] = ?", {profileId})
            .toString());
}

std::vector<HistoryRow> LogbookStore::GetTheLogbookHistory(qint64 logId, LogSource source) {
    std::vector<HistoryRow> rows;
    // Several rows of one save share the minute; within it the engine decides the order
    // (the table keeps no sequence of its own to sort by).
    const QString sql = "SELECT [LogDateTime], [Initials], [Reason] FROM [LogbookHistory] "
                        "WHERE [LogbookID] = ? ORDER BY [LogDateTime] DESC";
    for (const Row& r : db(source).query(sql, {logId}))
        rows.push_back({r.text("LogDateTime"), r.text("Initials"), r.text("Reason")});
    return rows;
}

std::vector<MessageRow> LogbookStore::GetTheLogbookMessages(qint64 logId) {
    std::vector<MessageRow> rows;
    const QString sql = "SELECT [MsgDateTime], [ConciergeName], [SentFrom] FROM [MsgTimer] "
                        "WHERE [LogbookID] = ? ORDER BY [MsgDateTime], [ConciergeName]";
    for (const Row& r : m_ctx.db().query(sql, {logId}))
        rows.push_back({r.text("MsgDateTime"), r.text("ConciergeName"), r.text("SentFrom")});
    return rows;
}

int LogbookStore::CountLogbookHistory(qint64 logId) {
    return m_ctx.db()
        .scalar("SELECT COUNT([Initials]) AS CountType FROM [LogbookHistory] WHERE [LogbookID] = ?",
                {logId})
        .toInt();
}

std::vector<qint64> LogbookStore::ConfirmableEntries(const std::vector<qint64>& logIds,
                                                     LogSource source) {
    Database& db = source == LogSource::Archive && m_ctx.archive ? *m_ctx.archive : m_ctx.db();
    QSet<qint64> confirmable;
    // In slices, so a long selection never outgrows the engine's parameter limit.
    constexpr size_t Slice = 500;
    for (size_t from = 0; from < logIds.size(); from += Slice) {
        QStringList marks;
        QVariantList params;
        for (size_t i = from; i < std::min(logIds.size(), from + Slice); ++i) {
            marks << "?";
            params << logIds[i];
        }
        for (const Row& r : db.query("SELECT [LogID], [Complete], [Pending], [Cancelled] FROM "
                                     "[LogBook] WHERE [LogID] IN (" +
                                         marks.join(",") + ")",
                                     params))
            if ((r.flag("Complete") || r.flag("Pending")) && !r.flag("Cancelled"))
                confirmable.insert(r.number("LogID"));
    }
    std::vector<qint64> out;
    for (qint64 id : logIds)
        if (confirmable.contains(id)) out.push_back(id);
    return out;
}

void LogbookStore::UpdateLogbookHistory(qint64 logId, const QString& initials,
                                        const QString& logDateTime, const QString& reason) {
    m_ctx.db().exec(InsertHistorySql, {logId, initials, logDateTime, reason});
}

QString LogbookStore::GetEntryEnteredBy(qint64 logId) {
    return StoredText(m_ctx.db()
                          .scalar("SELECT [EnteredBy] FROM [LogBook] WHERE [LogID] = ?", {logId})
                          .toString());
}

void LogbookStore::UpdateArchiveText(qint64 logId, const QString& text) {
    Database& d = db(LogSource::Archive);
    const SplitText split = SplitLogText(storedText(text));
    d.transaction([&] {
        d.exec("UPDATE [LogBook] SET [NoteField] = ? WHERE [LogID] = ?",
               {split.noteField.isEmpty() ? QString(" ") : split.noteField, logId});
        writeText(d, logId, split.overflow);
    });
}

int LogbookStore::CountTypeEntriesOnDate(const QString& referDate, const QString& category) {
    return m_ctx.db()
        .scalar("SELECT COUNT([EntryType]) AS CountType FROM [LogBook] WHERE [ReferDate] = ? AND "
                "[EntryType] = ?",
                {referDate, category})
        .toInt();
}

QStringList LogbookStore::NotifiedValues() {
    QStringList out;
    for (const Row& r : m_ctx.db().query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = "
                                         "'Notified' ORDER BY [OtherValue]"))
        out << r.trimmedText("OtherValue");
    return out;
}

} // namespace vm
