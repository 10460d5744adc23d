#include "desk/Ticklers.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

namespace vm {

namespace {

// TDayOfWeek's names, Sunday first: the stored form, not a display format.
const char* const DayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The column holds at most this many characters on either engine.
constexpr int MessageLength = 255;

TicklerNote fromRow(const Row& r) {
    TicklerNote n;
    n.id = r.number("TicklerID");
    const QString type = r.trimmedText("FromType");
    n.fromType = type.isEmpty() ? TicklerFrom::Category : type.at(0).toLatin1();
    n.fromId = r.number("FromID");
    n.startingDate = r.trimmedText("StartingDate");
    n.throughDate = r.trimmedText("ThroughDate");
    n.daysOfWeek = r.trimmedText("TDayOfWeek");
    n.message = r.trimmedText("TMessage");
    return n;
}

} // namespace

QString TicklerDayName(const QDate& d) {
    return d.isValid() ? QString::fromLatin1(DayNames[d.dayOfWeek() % 7]) : QString();
}

QString DaysFromMask(const QString& mask) {
    QString days;
    for (int i = 0; i < 7 && i < mask.size(); ++i)
        if (mask.at(i) == '1') days += QString::fromLatin1(DayNames[i]);
    return days;
}

QString MaskFromDays(const QString& days) {
    QString mask;
    for (const char* name : DayNames)
        mask += days.contains(QString::fromLatin1(name), Qt::CaseInsensitive) ? '1' : '0';
    return mask;
}

QString CheckTickler(const TypedTickler& typed) {
    const QDate start = Formats::ParseShortDate(typed.startingDate);
    if (!start.isValid()) return MsgTicklerStart;
    if (DaysFromMask(typed.dayMask).isEmpty()) return MsgTicklerDays;
    if (typed.message.trimmed().isEmpty()) return MsgTicklerMessage;
    // The start is known to be valid here, so a through date never stands
    // without one.
    if (typed.throughDate.trimmed().isEmpty()) return {};
    const QDate through = Formats::ParseShortDate(typed.throughDate);
    if (!through.isValid()) return MsgTicklerThrough;
    if (through < start) return MsgTicklerOrder;
    return {};
}

TicklerNote StoredTickler(const TypedTickler& typed) {
    TicklerNote n;
    n.startingDate = Formats::StoredDate(Formats::ParseShortDate(typed.startingDate));
    n.throughDate = typed.throughDate.trimmed().isEmpty()
                        ? OpenThroughDate
                        : Formats::StoredDate(Formats::ParseShortDate(typed.throughDate));
    n.daysOfWeek = DaysFromMask(typed.dayMask);
    n.message = typed.message;
    return n;
}

std::vector<TicklerNote> GetTicklers(Database& db, char fromType, qint64 fromId) {
    std::vector<TicklerNote> notes;
    for (const Row& r : db.query("SELECT * FROM [TicklerNotes] WHERE [FromType] = ? AND "
                                 "[FromID] = ? ORDER BY [StartingDate], [TicklerID]",
                                 {QString(QChar(fromType)), fromId}))
        notes.push_back(fromRow(r));
    return notes;
}

std::optional<TicklerNote> GetTickler(Database& db, qint64 ticklerId) {
    const auto r = db.queryOne("SELECT * FROM [TicklerNotes] WHERE [TicklerID] = ?", {ticklerId});
    if (!r) return std::nullopt;
    return fromRow(*r);
}

QStringList TicklersOn(Database& db, char fromType, qint64 fromId, const QDate& day) {
    QStringList texts;
    if (!day.isValid()) return texts;
    const QString stored = Formats::StoredDate(day);
    for (const Row& r : db.query(
             "SELECT [TMessage] FROM [TicklerNotes] WHERE [FromType] = ? AND [FromID] = ? AND "
             "[TDayOfWeek] LIKE ? AND [ThroughDate] >= ? AND [StartingDate] <= ? "
             "ORDER BY [StartingDate], [TicklerID]",
             {QString(QChar(fromType)), fromId, "%" + TicklerDayName(day) + "%", stored, stored}))
        texts << r.trimmedText("TMessage");
    return texts;
}

QStringList GetCategoryTicklers(Database& db, qint64 logTypeId, const QString& storedDay) {
    return TicklersOn(db, TicklerFrom::Category, logTypeId, Formats::ParseStoredDate(storedDay));
}

QStringList GetContactTicklers(Database& db, qint64 contactId, const QString& storedDay) {
    return TicklersOn(db, TicklerFrom::Contact, contactId, Formats::ParseStoredDate(storedDay));
}

qint64 SaveTickler(Database& db, TicklerNote& note) {
    // Longer text would be refused by one engine and kept whole by the other.
    const QString message = CleanSqlTextKeepAmp(note.message).left(MessageLength);
    if (note.id == 0) {
        note.id = db.insert("INSERT INTO [TicklerNotes] ([FromID], [FromType], [StartingDate], "
                            "[ThroughDate], [TDayOfWeek], [TMessage]) VALUES (?, ?, ?, ?, ?, ?)",
                            {note.fromId, QString(QChar(note.fromType)), note.startingDate,
                             note.throughDate, note.daysOfWeek, message},
                            "TicklerID");
    } else if (db.exec("UPDATE [TicklerNotes] SET [StartingDate] = ?, [ThroughDate] = ?, "
                       "[TDayOfWeek] = ?, [TMessage] = ? WHERE [TicklerID] = ?",
                       {note.startingDate, note.throughDate, note.daysOfWeek, message, note.id}) ==
               0) {
        return 0;
    }
    note.message = StoredText(message);
    return note.id;
}

bool DeleteTickler(Database& db, qint64 ticklerId) {
    return db.exec("DELETE FROM [TicklerNotes] WHERE [TicklerID] = ?", {ticklerId}) > 0;
}

} // namespace vm
