#include "logbook/DateShift.h"

#include "core/Formats.h"
#include "core/schema/Schema.h"

namespace vm {

namespace {

struct DatedTable {
    const char* table;
    QStringList columns;
};

// Text dates "yyyy/MM/dd" of the tables the date shift moves.
const DatedTable CurrentTables[] = {
    {"LogBook", {"ReferDate", "ArrivalDate", "EntryDate", "DepartureDate"}},
    {"Event", {"StartingDate", "ThroughDate"}},
    {"Group", {"ArrivalDate", "DepartureDate"}},
    {"GroupSchedule", {"MeetingDate"}},
    {"GroupLog", {"ReferDate"}},
    {"ProfileGL", {"CreationDate"}},
    {"ProfileCH", {"ContactDate"}},
    {"Stuff", {"ReturnDate"}},
    {"Reservation", {"ReservationDate"}},
    {"DayNotes", {"NoteDate"}},
    {"Documents", {"Effective"}},
    {"DocsRead", {"DateRead"}},
};

// Columns declared as dates hold the engine's date-time, the others the stored text form.
bool isDateColumn(const QString& table, const QString& column) {
    if (const schema::Table* t = schema::Registry::all().find(table)) {
        for (const schema::Column& c : t->columns)
            if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                return c.type == schema::Type::Date;
    }
    return false;
}

QString keyOf(const QString& table) {
    if (const schema::Table* t = schema::Registry::all().find(table)) {
        for (const schema::Column& c : t->columns)
            if (c.type == schema::Type::AutoId) return c.name;
    }
    return {};
}

void shiftTable(Database& db, const QString& table, const QStringList& wanted, int days) {
    const QString key = keyOf(table);
    if (key.isEmpty() || !db.tableExists(table)) return;
    QStringList columns;
    for (const QString& c : wanted)
        if (db.columnExists(table, c)) columns << c;
    if (columns.isEmpty()) return;
    QStringList quoted;
    for (const QString& c : columns)
        quoted << "[" + c + "]";
    const auto rows =
        db.query("SELECT [" + key + "], " + quoted.join(", ") + " FROM [" + table + "]");
    for (const Row& r : rows) {
        QStringList sets;
        QVariantList params;
        for (const QString& c : columns) {
            // Empty and unreadable dates stay as they are.
            const bool isDate = isDateColumn(table, c);
            QDate d = isDate ? r.dateTime(c).date() : QDate();
            if (!d.isValid()) d = Formats::ParseStoredDate(r.text(c));
            if (!d.isValid()) continue;
            sets << "[" + c + "] = ?";
            params << (isDate ? QVariant(d.addDays(days))
                              : QVariant(Formats::StoredDate(d.addDays(days))));
        }
        if (sets.isEmpty()) continue;
        params << r.value(key);
        db.exec("UPDATE [" + table + "] SET " + sets.join(", ") + " WHERE [" + key + "] = ?",
                params);
    }
}

} // namespace

QString UpdateAllDates(AppContext& ctx, int days) {
    Database& db = ctx.db();
    db.transaction([&] {
        for (const DatedTable& t : CurrentTables)
            shiftTable(db, t.table, t.columns, days);
    });
    if (ctx.archive)
        ctx.archive->transaction(
            [&] { shiftTable(*ctx.archive, "LogBook", CurrentTables[0].columns, days); });
    return "All Logbook, Event, Group, Rental, Reservation and Daily Diary Dates have been "
           "incremented by " +
           QString::number(days);
}

} // namespace vm
