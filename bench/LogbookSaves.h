#pragma once
// The statements and values of logbook reads and saves as the store runs
// them, for the engine floors of the benches.

#include "BenchData.h"

#include "core/Formats.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookStore.h"

#include <QString>
#include <QVariantList>
#include <algorithm>
#include <functional>
#include <vector>

namespace vm::bench {

// The text-pieces statements of a list's long entries, made once per chunk of
// keys and kept: a floor does not build SQL while it is timed.
class ListPiecesStatements {
public:
    using Translate = std::function<QString(const QString&)>;
    explicit ListPiecesStatements(Translate translate) : m_translate(std::move(translate)) {}
    // Runs `run(sql, params)` for each chunk of `longOnes`, as the list reads them.
    template <typename Run> void forEachChunk(const QList<qint64>& longOnes, Run run) {
        for (qsizetype at = 0; at < longOnes.size(); at += ListTextPiecesChunk) {
            const QList<qint64> ids = longOnes.mid(at, ListTextPiecesChunk);
            auto made = std::find_if(m_made.begin(), m_made.end(),
                                     [&](const Made& m) { return m.logIds == ids; });
            if (made == m_made.end()) {
                const ListStatement chunk = ListTextPiecesQuery(ids);
                made = m_made.insert(m_made.end(), {ids, m_translate(chunk.sql), chunk.params});
            }
            run(made->sql, made->params);
        }
    }

private:
    struct Made {
        QList<qint64> logIds;
        QString sql;
        QVariantList params;
    };
    Translate m_translate;
    std::vector<Made> m_made;
};

inline QString Long(int length) {
    return QString("Table for four at the corner, guest celebrates; car at seven. ")
        .repeated(length / 60 + 1)
        .left(length);
}

inline const QString SelectEntrySql = QStringLiteral("SELECT * FROM [LogBook] WHERE [LogID] = ?");
inline const QString SelectPiecesSql =
    QStringLiteral("SELECT [NoteField] FROM [LogText] WHERE [LogID] = ? ORDER BY [Sequence]");
inline const QString SelectHistorySql =
    QStringLiteral("SELECT [LogDateTime], [Initials], [Reason] FROM [LogbookHistory] WHERE "
                   "[LogbookID] = ? ORDER BY [LogDateTime] DESC");
inline const QString SelectCategorySql = QStringLiteral("SELECT * FROM [LogType] WHERE [LogType] = ?");
inline const QString DeletePiecesSql = QStringLiteral("DELETE FROM [LogText] WHERE [LogID] = ?");
inline const QString InsertPieceSql =
    QStringLiteral("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)");
inline const QString UpdateEntrySql = QStringLiteral(
    "UPDATE [LogBook] SET [GuestID] = ?, [FirstName] = ?, [LastName] = ?, [EncCC] = ?, "
    "[RoomNumber] = ?, [EnteredBy] = ?, [Initials] = ?, [EntryType] = ?, [Notified] = ?, "
    "[ReferDate] = ?, [ReferTime] = ?, [ArrivalDate] = ?, [DepartureDate] = ?, "
    "[UpdatedDate] = ?, [Complete] = ?, [Cancelled] = ?, [OnHold] = ?, [ProfileID] = ?, "
    "[Pending] = ?, [GroupID] = ?, [ContactID] = ?, [NoteField] = ?, [MsgNotes] = ?, "
    "[OpenTableID] = ?, [Restricted] = ?, [RowVersion] = ? WHERE [LogID] = ? AND "
    "[RowVersion] = ?");
inline const QString InsertEntrySql = QStringLiteral(
    "INSERT INTO [LogBook] ([GuestID], [FirstName], [LastName], [ProfileID], [GroupID], "
    "[ContactID], [EntryType], [Notified], [ReferDate], [ReferTime], [ArrivalDate], "
    "[DepartureDate], [RoomNumber], [EnteredBy], [Initials], [UpdatedDate], [EntryDate], "
    "[EntryTime], [Restricted], [Complete], [Cancelled], [OnHold], [Pending], [NoteField], "
    "[MsgNotes], [OpenTableID], [EncCC], [WebResID], [WebDNP]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING [LogID]");
inline const QString InsertHistorySql =
    QStringLiteral("INSERT INTO [LogbookHistory] ([LogbookID], [Initials], [LogDateTime], "
                   "[Reason]) VALUES (?, ?, ?, ?)");

// The columns of a save in the order the store binds them.
inline QVariantList savedValues(const LogEntry& e, const QString& noteField, const QString& today) {
    return {StoredValue(e.guestId),
            StoredValue(e.firstName),
            StoredValue(e.lastName),
            StoredValue(e.encCC),
            StoredValue(e.roomNumber),
            StoredValue(e.enteredBy),
            StoredValue(e.initials),
            e.entryType,
            StoredValue(e.notified),
            e.referDate,
            e.referTime,
            e.arrivalDate,
            e.departureDate,
            today,
            e.complete,
            e.cancelled,
            e.onHold,
            e.profileId,
            e.pending,
            e.groupId,
            e.contactId,
            noteField,
            StoredValue(e.msgNotes),
            e.openTableId,
            e.restricted,
            e.rowVersion + 1,
            e.logId,
            e.rowVersion};
}

// An entry no list of the bench shows: its name is nobody's, its dates are next year's.
inline LogEntry newEntry() {
    LogEntry e;
    e.lastName = "Benchwriter";
    e.firstName = "Giulia";
    e.roomNumber = "512";
    e.entryType = "Restaurant Reservation";
    e.notified = "Phone";
    e.referDate = Formats::StoredDate(Today.addDays(400));
    e.referTime = "19:30";
    e.arrivalDate = Formats::StoredDate(Today.addDays(399));
    e.departureDate = Formats::StoredDate(Today.addDays(404));
    e.text = Long(600);
    return e;
}

} // namespace vm::bench
