#include "maint/Check.h"

#include "core/Upgrade.h"

namespace vm::maint {

int ProgramLevel() {
    return LadderLevels().isEmpty() ? schema::BaseLevel : LadderLevels().last();
}

QStringList EngineProblems(Database& db, const QString& base) {
    QStringList out;
    if (db.engine() == Engine::SQLite) {
        for (const Row& r : db.query("PRAGMA integrity_check"))
            if (r.text(0) != "ok") out << base + ": " + r.text(0);
        for (const Row& r : db.query("PRAGMA foreign_key_check"))
            out << base + ": row " + r.text(1) + " of " + r.text(0) + " names a missing row of " +
                       r.text(2);
        return out;
    }
    // The server keeps its files itself; what it offers cheaply is whether
    // every index is usable.
    for (const Row& r :
         db.query("SELECT c.relname FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid "
                  "JOIN pg_namespace n ON n.oid = c.relnamespace "
                  "WHERE n.nspname = current_schema() AND NOT (i.indisvalid AND i.indisready)"))
        out << base + ": index " + r.text(0) + " is not valid";
    return out;
}

QStringList SchemaProblems(Database& db, const QString& base, schema::Store store, int level) {
    QStringList out;
    QSet<QString> indexes;
    const QString sql =
        db.engine() == Engine::SQLite
            ? "SELECT name FROM sqlite_master WHERE type = 'index'"
            : "SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()";
    for (const Row& r : db.query(sql))
        indexes.insert(r.text(0).toLower());
    for (const schema::Table& t : schema::Registry::all().tables()) {
        if (!(t.stores & store)) continue;
        // The archive and common databases get every table at once; the
        // current one climbs the ladder.
        const int upTo = store == schema::Current ? level : schema::CurrentLevel;
        if (t.createdAt > upTo) continue;
        if (!db.tableExists(t.name)) {
            out << base + ": table " + t.name + " is missing";
            continue;
        }
        QSet<QString> columns;
        for (const QString& c : db.columnNames(t.name))
            columns.insert(c.toLower());
        for (const schema::Column& c : t.columns)
            if (c.addedAt <= upTo && !columns.contains(c.name.toLower()))
                out << base + ": column " + t.name + "." + c.name + " is missing";
        for (const schema::Index& ix : t.indexes) {
            bool due = ix.addedAt <= upTo;
            for (const QString& col : ix.columns) {
                const schema::Column* c = t.column(col);
                due = due && c && c->addedAt <= upTo;
            }
            if (due && !indexes.contains(ix.name.toLower()))
                out << base + ": index " + ix.name + " of " + t.name + " is missing";
        }
    }
    return out;
}

namespace {

qint64 count(Database& db, const QString& sql) {
    return db.scalar(sql).toLongLong();
}

bool has(Database& db, const QStringList& tables) {
    for (const QString& t : tables)
        if (!db.tableExists(t)) return false;
    return true;
}

} // namespace

QList<QPair<QString, qint64>> OrphanCounts(Property& p) {
    QList<QPair<QString, qint64>> out;
    auto add = [&](const QString& what, qint64 n) {
        if (n > 0) out.append({what, n});
    };
    for (const StoreDb& s : p.stores()) {
        Database& db = *s.db;
        if (s.store == schema::Common) continue;
        if (has(db, {"LogText", "LogBook"}))
            add(s.base + ": logbook text pieces whose entry is gone",
                count(db, "SELECT COUNT(*) FROM [LogText] WHERE NOT EXISTS (SELECT 1 FROM "
                          "[LogBook] WHERE [LogBook].[LogID] = [LogText].[LogID])"));
        if (has(db, {"LogbookHistory", "LogBook"}))
            add(s.base + ": logbook history rows whose entry is gone",
                count(db, "SELECT COUNT(*) FROM [LogbookHistory] WHERE NOT EXISTS (SELECT 1 FROM "
                          "[LogBook] WHERE [LogBook].[LogID] = [LogbookHistory].[LogbookID])"));
    }
    Database& db = p.ctx().db();
    if (has(db, {"MsgText", "MsgTimer"}))
        add("message text pieces whose message is gone",
            count(db, "SELECT COUNT(*) FROM [MsgText] WHERE NOT EXISTS (SELECT 1 FROM [MsgTimer] "
                      "WHERE [MsgTimer].[TimerID] = [MsgText].[TimerID])"));
    if (has(db, {"MsgTimer", "Concierge"}))
        add("messages to staff members who are gone",
            count(db, "SELECT COUNT(*) FROM [MsgTimer] WHERE NOT EXISTS (SELECT 1 FROM "
                      "[Concierge] WHERE [Concierge].[Concierge] = [MsgTimer].[ConciergeName])"));
    if (has(db, {"ProfileCC", "Profile"}))
        add("stored cards whose profile is gone",
            count(db, "SELECT COUNT(*) FROM [ProfileCC] WHERE NOT EXISTS (SELECT 1 FROM "
                      "[Profile] WHERE [Profile].[ProfileID] = [ProfileCC].[ProfileID])"));
    if (has(db, {"TimedService", "LogBook"})) {
        // A booking's entry may have moved to the archive.
        qint64 gone = 0;
        for (const Row& r :
             db.query("SELECT [LogbookID] FROM [TimedService] WHERE [LogbookID] > 0 AND NOT EXISTS "
                      "(SELECT 1 FROM [LogBook] WHERE [LogBook].[LogID] = "
                      "[TimedService].[LogbookID])")) {
            Database* archive = p.ctx().archive.get();
            const bool archived =
                archive && archive->tableExists("LogBook") &&
                archive
                    ->scalar("SELECT 1 FROM [LogBook] WHERE [LogID] = ?", {r.number("LogbookID")})
                    .isValid();
            if (!archived) ++gone;
        }
        add("timed service bookings whose logbook entry is gone", gone);
    }
    return out;
}

CheckReport CheckProperty(Property& p) {
    CheckReport report;
    Database& current = p.ctx().db();
    const int stored = StoredLevel(current);
    const int program = ProgramLevel();
    report.notes << QString("schema level: stored %1, this program %2").arg(stored).arg(program);
    if (stored < program)
        report.problems << QString("schema level %1 is below this program's %2: start the "
                                   "program once to upgrade the property")
                               .arg(stored)
                               .arg(program);
    else if (stored > program)
        report.problems << QString("schema level %1 is above this program's %2: this program is "
                                   "older than the property")
                               .arg(stored)
                               .arg(program);

    if (!p.ctx().archive) report.notes << "no archive database";
    if (p.usesCommon() && !p.ctx().common)
        report.problems << "the settings share contacts or events, but the common database "
                           "cannot be found";
    for (const StoreDb& s : p.stores()) {
        report.notes << s.base + ": " + Place(s.db->location());
        report.problems << EngineProblems(*s.db, s.base);
        report.problems << SchemaProblems(*s.db, s.base, s.store, qMin(stored, program));
    }
    for (const auto& [what, n] : OrphanCounts(p))
        report.problems << QString("%1: %2").arg(what).arg(n);
    return report;
}

} // namespace vm::maint
