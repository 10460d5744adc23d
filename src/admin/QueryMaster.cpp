#include "admin/QueryMaster.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "core/schema/Schema.h"
#include "logbook/DateShift.h"
#include "platform/CsvWriter.h"

#include <QDir>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace vm {

namespace {

const QString Module = QStringLiteral("frmQMaster");

// A request the procedures refuse, with the reason shown to the user.
struct Refusal {
    QString text;
};

// Ends a read-only transaction on a server: nothing in it is kept.
struct EndOfReading {};

// The fixed orphan queries.  A child row is an orphan when the parent's KEY is
// missing (a parent whose data columns are empty still owns its children).
struct FixedOrphan {
    QueryKind kind;
    const char* child;
    const char* childKey;  // listed and removed by
    const char* childJoin; // the child's column pointing at the parent
    const char* parent;
    const char* parentKey;
    const char* where;   // on the child (alias-free), or ""
    const char* noun;    // in the question
    const char* deleted; // result line, %1 = key
};

const FixedOrphan FixedOrphans[] = {
    {QueryKind::OrphanLogText, "LogText", "LogID", "LogID", "LogBook", "LogID", "", "Log Text",
     "Log Text for Key: %1 deleted."},
    {QueryKind::OrphanMsgText, "MsgText", "TimerID", "TimerID", "MsgTimer", "TimerID", "",
     "Message Text", "Message Text Entry for Key: %1 deleted."},
    {QueryKind::OrphanLogMsgs, "MsgTimer", "TimerID", "LogbookID", "LogBook", "LogID",
     "[MsgTimer].[LogbookID] > 0", "Message", "Message Entry for Key: %1 deleted."},
    {QueryKind::OrphanDEDesign, "DEDesign", "LogTypeID", "LogTypeID", "LogType", "LogTypeID", "",
     "DE Design", "DE Design Entries for Key: %1 deleted."},
    {QueryKind::OrphanMessages, "MsgTimer", "TimerID", "TimerID", "MsgText", "TimerID",
     "[MsgTimer].[LogbookID] = 0", "Message", "Message Entry for Key: %1 deleted."},
};

const FixedOrphan* fixedOrphan(QueryKind kind) {
    for (const FixedOrphan& f : FixedOrphans)
        if (f.kind == kind) return &f;
    return nullptr;
}

const schema::Column* declaredColumn(const QString& table, const QString& field) {
    const schema::Table* t = schema::Registry::all().find(table);
    return t ? t->column(field) : nullptr;
}

QString keyText(const QVariant& v) {
    return v.toString();
}

// The update query's typed value as the column stores it.
QVariant typedValue(const schema::Column& c, const QString& typed) {
    const QString t = typed.trimmed();
    bool ok = false;
    auto invalid = [&](const QString& what) {
        return Refusal{"\"" + typed + "\" is not " + what + ": " + c.name + " holds " + what +
                       " only."};
    };
    switch (c.type) {
    case schema::Type::AutoId:
        throw Refusal{c.name + " is the table's key and cannot be changed."};
    case schema::Type::Long:
    case schema::Type::Integer:
    case schema::Type::Byte: {
        const qint64 n = t.toLongLong(&ok);
        if (!ok) throw invalid("a whole number");
        return n;
    }
    case schema::Type::Double:
    case schema::Type::Currency: {
        const double d = QLocale::c().toDouble(t, &ok);
        if (!ok) throw invalid("a number");
        return d;
    }
    case schema::Type::Boolean: {
        const QString l = t.toLower();
        if (l == "true" || l == "yes" || l == "1" || l == "-1") return true;
        if (l == "false" || l == "no" || l == "0") return false;
        throw invalid("True or False");
    }
    case schema::Type::Date: {
        QDateTime dt = Formats::ParseStoredDateTime(t);
        if (!dt.isValid()) dt = QDateTime(Formats::ParseStoredDate(t), QTime(0, 0));
        if (!dt.isValid()) throw invalid("a date (yyyy/mm/dd)");
        return dt;
    }
    case schema::Type::Text:
    case schema::Type::Memo:
        break;
    }
    const QString stored = CleanSqlText(typed);
    if (c.type == schema::Type::Text && c.size > 0 && stored.size() > c.size)
        throw Refusal{"The value is longer than the " + QString::number(c.size) + " characters " +
                      c.name + " holds."};
    return stored;
}

} // namespace

void RunReadOnly(Database& db, const std::function<void()>& work) {
    if (db.engine() == Engine::PostgreSQL) {
        try {
            db.transaction([&] {
                db.exec("SET TRANSACTION READ ONLY");
                work();
                throw EndOfReading{};
            });
        } catch (const EndOfReading&) {
        }
        return;
    }
    db.exec("PRAGMA query_only = 1");
    try {
        db.snapshot(work);
    } catch (...) {
        db.exec("PRAGMA query_only = 0");
        throw;
    }
    db.exec("PRAGMA query_only = 0");
}

const QList<QPair<QueryKind, QString>>& QueryKinds() {
    static const QList<QPair<QueryKind, QString>> kinds = {
        {QueryKind::OrphanLogText, "Orphan LogText"},
        {QueryKind::OrphanMsgText, "Orphan MsgText"},
        {QueryKind::OrphanLogMsgs, "Orphan LogMsgs"},
        {QueryKind::OrphanDEDesign, "Orphan DEDesign"},
        {QueryKind::OrphanMessages, "Orphan Messages (Non Log/No Text)"},
        {QueryKind::OrphanX, "OrphanX (Coded)"},
        {QueryKind::Select, "Select Query"},
        {QueryKind::Update, "Update Query"},
        {QueryKind::Duplicates, "Duplicates Query"},
    };
    return kinds;
}

bool IsFixedOrphanKind(QueryKind kind) {
    return fixedOrphan(kind) != nullptr;
}

QueryMaster::QueryMaster(AppContext& ctx) : m_ctx(ctx) {}

Database& QueryMaster::db() const {
    return m_archive ? *m_ctx.archive : m_ctx.db();
}

bool QueryMaster::chooseArchive(bool archive) {
    if (archive && !m_ctx.hasArchive()) {
        m_ctx.prompt().message("There is no archive database to work on.");
        return false;
    }
    if (archive != m_archive) m_last = {};
    m_archive = archive;
    return true;
}

QString QueryMaster::Footer(int rows) {
    return "End of Query Results - " + QString::number(rows) + " Records Processed";
}

QString QueryMaster::TypeName(int declaredType) {
    switch (schema::Type(declaredType)) {
    case schema::Type::Boolean:
        return "Boolean";
    case schema::Type::AutoId:
    case schema::Type::Long:
    case schema::Type::Integer:
    case schema::Type::Byte:
        return "Long";
    case schema::Type::Double:
    case schema::Type::Currency:
        return "Double";
    case schema::Type::Date:
        return "Date";
    case schema::Type::Text:
    case schema::Type::Memo:
        break;
    }
    return "Text";
}

QStringList QueryMaster::tables() {
    QSet<QString> present;
    for (const QString& t : db().tables())
        present.insert(t.toLower());
    QStringList out;
    for (const schema::Table& t : schema::Registry::all().tables())
        if (present.contains(t.name.toLower())) out << t.name;
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

QStringList QueryMaster::fields(const QString& table) {
    const schema::Table* t = schema::Registry::all().find(table);
    if (!t || !db().tableExists(t->name)) return {};
    QSet<QString> present;
    for (const QString& c : db().columnNames(t->name))
        present.insert(c.toLower());
    QStringList out;
    for (const schema::Column& c : t->columns)
        if (present.contains(c.name.toLower())) out << c.name;
    return out;
}

QString QueryMaster::checkedTable(const QString& table) {
    if (table.isEmpty()) throw Refusal{"Please select a table."};
    for (const QString& t : tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0) return t;
    throw Refusal{"There is no table " + table + " in this database."};
}

QString QueryMaster::checkedField(const QString& table, const QString& field) {
    if (field.isEmpty()) throw Refusal{"Please select a field of " + table + "."};
    for (const QString& f : fields(table))
        if (f.compare(field, Qt::CaseInsensitive) == 0) return f;
    throw Refusal{"There is no field " + field + " in the table " + table + "."};
}

bool QueryMaster::guarded(const QString& procedure, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const Refusal& r) {
        m_ctx.prompt().message(r.text);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, procedure, Module, true);
    }
    return false;
}

void QueryMaster::listOrphans(QueryKind kind, const QString& sql, const QString& childTable,
                              const QString& keyField, QStringList& out, int& rows,
                              const std::function<bool(const QVariant&)>& keep) {
    m_last = {kind, childTable, keyField, {}};
    std::vector<Row> read;
    RunReadOnly(db(), [&] { read = db().query(sql); });
    QSet<QString> listed; // a child key repeats (one text row per piece): listed once
    for (const Row& r : read) {
        ++rows;
        if (!r.value(1).isNull() || r.value(0).isNull()) continue;
        if (keep && r.count() > 2 && !keep(r.value(2))) continue;
        const QString key = keyText(r.value(0));
        if (listed.contains(key)) continue;
        listed.insert(key);
        m_last.keys << r.value(0);
        out << key;
    }
}

bool QueryMaster::run(const QueryRequest& r, QStringList& out) {
    if (r.kind == QueryKind::Update) return runUpdate(r, out);
    int rows = 0;
    const bool ok = guarded("cmdRunQuery_Click", [&] {
        Database& d = db();
        if (const FixedOrphan* f = fixedOrphan(r.kind)) {
            const QString child = checkedTable(f->child);
            const QString parent = checkedTable(f->parent);
            QString sql = QString("SELECT [%1].[%2], p.[%3]").arg(child, f->childKey, f->parentKey);
            std::function<bool(const QVariant&)> keep;
            if (r.kind == QueryKind::OrphanLogMsgs) {
                sql += ", [MsgTimer].[LogbookID]";
                // An entry moved to the archive still has its messages.
                if (!m_archive && m_ctx.hasArchive() && m_ctx.archive->tableExists("LogBook")) {
                    keep = [this](const QVariant& logId) {
                        return !m_ctx.archive
                                    ->scalar("SELECT 1 FROM [LogBook] WHERE [LogID] = ?", {logId})
                                    .isValid();
                    };
                }
            }
            sql += QString(" FROM [%1] LEFT JOIN [%2] p ON [%1].[%3] = p.[%4]")
                       .arg(child, parent, f->childJoin, f->parentKey);
            if (*f->where) sql += QString(" WHERE ") + f->where;
            listOrphans(r.kind, sql, child, f->childKey, out, rows, keep);
            return;
        }
        const QString table = checkedTable(r.table);
        if (r.kind == QueryKind::OrphanX) {
            if (r.fields.size() != 1)
                throw Refusal{"Please select the one key field of " + table + "."};
            const QString key = checkedField(table, r.fields.first());
            const QString parent = checkedTable(r.parentTable);
            const QString parentKey = checkedField(parent, r.parentKey);
            const QString sql = "SELECT c." + d.quoteName(key) + ", p." + d.quoteName(parentKey) +
                                " FROM " + d.quoteName(table) + " c LEFT JOIN " +
                                d.quoteName(parent) + " p ON c." + d.quoteName(key) + " = p." +
                                d.quoteName(parentKey);
            listOrphans(r.kind, sql, table, key, out, rows);
            return;
        }
        if (r.fields.isEmpty()) throw Refusal{"Please select a field of " + table + "."};
        QStringList quoted;
        for (const QString& f : r.fields)
            quoted << d.quoteName(checkedField(table, f));
        if (r.kind == QueryKind::Duplicates && quoted.size() != 1)
            throw Refusal{"Please select the one field to look for duplicates in."};
        const QString sql = r.kind == QueryKind::Duplicates
                                ? "SELECT " + quoted[0] + ", COUNT(" + quoted[0] +
                                      ") AS NumberOfDups FROM " + d.quoteName(table) +
                                      " GROUP BY " + quoted[0] + " HAVING COUNT(" + quoted[0] +
                                      ") > 1"
                                : "SELECT " + quoted.join(", ") + " FROM " + d.quoteName(table);
        m_last = {r.kind, table, checkedField(table, r.fields.first()), {}};
        RunReadOnly(d, [&] {
            d.forEach(sql, {}, [&](const Row& row) {
                QStringList cells;
                for (int i = 0; i < row.count(); ++i)
                    cells << row.text(i);
                out << cells.join(", ");
                if (!row.value(0).isNull()) m_last.keys << row.value(0);
                ++rows;
                return true;
            });
        });
    });
    if (ok) out << Footer(rows);
    return ok;
}

bool QueryMaster::runUpdate(const QueryRequest& r, QStringList& out) {
    m_last = {QueryKind::Update, {}, {}, {}};
    return guarded("cmdRunQuery_Click", [&] {
        if (!m_ctx.session.manager || !HasRight(m_ctx.db(), m_ctx.session.conciergeId,
                                                Rights::AdministrationMaintenanceQueries))
            throw Refusal{"Only managers with the right to use the Database Maintenance Queries "
                          "may run an update query."};
        Database& d = db();
        const QString table = checkedTable(r.table);
        if (r.fields.size() != 1) throw Refusal{"Please select the one field to update."};
        const QString field = checkedField(table, r.fields.first());
        if (r.value == ValuePlaceholder)
            throw Refusal{"Please type the new value of " + field + " in place of " +
                          ValuePlaceholder + "."};
        const schema::Column* c = declaredColumn(table, field);
        if (!c) throw Refusal{"There is no field " + field + " in the table " + table + "."};
        const QVariant value = typedValue(*c, r.value);
        const qint64 rows = d.scalar("SELECT COUNT(*) FROM " + d.quoteName(table)).toLongLong();
        if (rows == 0) throw Refusal{"The table " + table + " has no rows to update."};
        const QString shown = value.typeId() == QMetaType::QDateTime
                                  ? Formats::StoredDateTime(value.toDateTime())
                                  : value.toString();
        if (m_ctx.prompt().ask(
                "The update query sets " + field + " to \"" + shown + "\" in every row of " +
                    table + ": " + QString::number(rows) + " rows will change.  Continue?",
                "Update Query", Buttons::YesNo, Icon::Exclamation, Answer::No) != Answer::Yes)
            return;
        int changed = 0;
        d.transaction([&] {
            changed = d.exec("UPDATE " + d.quoteName(table) + " SET " + d.quoteName(field) + " = ?",
                             {value});
        });
        out << "Update Query Completed Successfully" << Footer(changed);
        LogMessage(m_ctx.start.databaseFolder,
                   "Query Master: " + m_ctx.session.initials + " updated " + table + "." + field +
                       " in the " + (m_archive ? "archive" : "current") + " database, " +
                       QString::number(changed) + " rows changed",
                   m_ctx.clock());
    });
}

bool QueryMaster::deleteOrphans(QStringList& out) {
    return guarded("cmdDelete_Click", [&] {
        const FixedOrphan* f = fixedOrphan(m_last.kind);
        if (!f) throw Refusal{"Please run one of the orphan queries first."};
        if (m_last.keys.isEmpty()) throw Refusal{"There are no orphan entries to delete."};
        Database& d = db();
        const QString n = QString::number(m_last.keys.size());
        if (m_ctx.prompt().ask("Delete the " + n + " orphan " + f->noun +
                                   " entries listed?  This cannot be undone.",
                               "Delete Orphans", Buttons::YesNo, Icon::Exclamation,
                               Answer::No) != Answer::Yes)
            return;
        // The parent is looked for again as each row goes: one that came back
        // since the list was read keeps its children.
        QString sql = QString("DELETE FROM [%1] WHERE [%2] = ? AND NOT EXISTS (SELECT 1 FROM [%3] "
                              "p WHERE p.[%4] = [%1].[%5])")
                          .arg(f->child, f->childKey, f->parent, f->parentKey, f->childJoin);
        if (*f->where) sql += QString(" AND ") + f->where;
        const bool messages = QString(f->child) == "MsgTimer";
        QStringList lines;
        d.transaction([&] {
            for (const QVariant& key : m_last.keys) {
                if (d.exec(sql, {key}) == 0) continue;
                // A removed message takes its text along.
                if (messages) d.exec("DELETE FROM [MsgText] WHERE [TimerID] = ?", {key});
                lines << QString(f->deleted).arg(keyText(key));
            }
        });
        out << lines;
        m_last.keys.clear();
    });
}

bool QueryMaster::deleteListedKeys(QStringList& out) {
    return guarded("cmdDeleteQueryKeys_Click", [&] {
        if (m_last.keyTable.isEmpty() || m_last.keys.isEmpty())
            throw Refusal{"There are no listed keys to delete."};
        Database& d = db();
        const QString table = checkedTable(m_last.keyTable);
        const QString field = checkedField(table, m_last.keyField);
        const QString where =
            " FROM " + d.quoteName(table) + " WHERE " + d.quoteName(field) + " = ?";
        qint64 rows = 0;
        RunReadOnly(d, [&] {
            for (const QVariant& key : m_last.keys)
                rows += d.scalar("SELECT COUNT(*)" + where, {key}).toLongLong();
        });
        if (m_ctx.prompt().ask(
                "Delete the " + QString::number(rows) + " rows of " + table + " whose " + field +
                    " is one of the " + QString::number(m_last.keys.size()) +
                    " listed values?  This cannot be undone.",
                "Delete Listed Keys", Buttons::YesNo, Icon::Exclamation, Answer::No) != Answer::Yes)
            return;
        QStringList lines;
        d.transaction([&] {
            for (const QVariant& key : m_last.keys)
                if (d.exec("DELETE" + where, {key}) > 0)
                    lines << table + " Entries for Key: " + keyText(key) + " were deleted.";
        });
        out << lines;
        m_last.keys.clear();
    });
}

bool QueryMaster::findInBothLogbooks(QList<qint64>& both, QStringList& out) {
    both.clear();
    return guarded("cmdTestArchive_Click", [&] {
        if (!m_ctx.hasArchive()) throw Refusal{"There is no archive database to compare with."};
        Database& current = m_ctx.db();
        Database& archive = *m_ctx.archive;
        QSet<qint64> archived;
        RunReadOnly(archive, [&] {
            archive.forEach("SELECT [LogID] FROM [LogBook]", {}, [&](const Row& r) {
                archived.insert(r.value(0).toLongLong());
                return true;
            });
        });
        RunReadOnly(current, [&] {
            current.forEach("SELECT [LogID] FROM [LogBook] ORDER BY [LogID]", {},
                            [&](const Row& r) {
                                const qint64 id = r.value(0).toLongLong();
                                if (archived.contains(id)) {
                                    both << id;
                                    out << QString::number(id);
                                }
                                return true;
                            });
        });
        out << QString::number(both.size()) + " Found";
    });
}

bool QueryMaster::deleteArchiveCopies(const QList<qint64>& both, QStringList& out) {
    return guarded("cmdTestArchive_Click", [&] {
        if (!m_ctx.hasArchive() || both.isEmpty()) return;
        Database& current = m_ctx.db();
        Database& archive = *m_ctx.archive;
        if (m_ctx.prompt().ask(QString::number(both.size()) +
                                   " logbook entries are in both the current and the archive "
                                   "database.  Delete their copies from the archive database?",
                               "Archive Comparison", Buttons::YesNo, Icon::Exclamation,
                               Answer::No) != Answer::Yes)
            return;
        QStringList lines;
        archive.transaction([&] {
            for (const qint64 id : both) {
                // The current copy is looked for again: an entry deleted there
                // meanwhile keeps its only remaining copy.
                if (!current.scalar("SELECT 1 FROM [LogBook] WHERE [LogID] = ?", {id}).isValid())
                    continue;
                archive.exec("DELETE FROM [LogText] WHERE [LogID] = ?", {id});
                archive.exec("DELETE FROM [LogBook] WHERE [LogID] = ?", {id});
                lines << "Logbook Entries for Key: " + QString::number(id) + " were deleted.";
            }
        });
        out << lines;
    });
}

QString QueryMaster::writeSchemaListing() {
    QString path;
    guarded("cmdSchema_Click", [&] {
        const QString file = QDir(m_ctx.workstation.outputFolder()).filePath("Tables.csv");
        CsvWriter csv(file);
        bool ok = csv.open();
        for (const QString& name : tables()) {
            const schema::Table* t = schema::Registry::all().find(name);
            ok = ok && csv.writeRow({"TableDef: " + t->name}) &&
                 csv.writeRow({"    Field.Name - Field.Type - Field.Size"});
            for (const QString& field : fields(name)) {
                const schema::Column* c = t->column(field);
                const int size = c->type == schema::Type::Text ? c->size : 0;
                ok = ok && csv.writeRow({"    " + c->name + " - " + TypeName(int(c->type)) + " - " +
                                         QString::number(size)});
            }
        }
        if (!ok || !csv.commit()) throw Refusal{FileWrittenMessage(file, false)};
        path = file;
        // The file is Tables.csv; the message keeps the name users know.
        m_ctx.prompt().message("Table.csv has been created");
    });
    return path;
}

bool QueryMaster::refreshDates() {
    return guarded("cmdUpdateDates_Click", [&] {
        Database& d = m_ctx.db();
        // Empty reference dates are stored as " " and sort first: the oldest
        // is the first text that reads as a date.
        QDate oldest;
        d.forEach("SELECT DISTINCT [ReferDate] FROM [LogBook] ORDER BY [ReferDate]", {},
                  [&](const Row& r) {
                      oldest = Formats::ParseStoredDate(r.trimmedText(0));
                      return !oldest.isValid();
                  });
        const QDate today = m_ctx.clock().today();
        if (!oldest.isValid() || oldest >= today) {
            m_ctx.prompt().message("All Dates are current and will not be changed.");
            return;
        }
        const qint64 days = oldest.daysTo(today);
        if (m_ctx.prompt().ask(
                "WARNING: every date of the logbook, events, groups, rentals, reservations and "
                "the daily diary will move forward by " +
                    QString::number(days) +
                    " days, in the current and the archive database.  This is meant for "
                    "demonstration data only and cannot be undone: never run it on the "
                    "database of a working desk.  Move every date now?",
                "Refresh Dates", Buttons::YesNo, Icon::Exclamation, Answer::No) != Answer::Yes)
            return;
        UpdateAllDates(m_ctx, int(days));
        m_ctx.prompt().message("All Logbook, Event, Group, Rental, Reservation and Daily Diary "
                               "Dates have been incremented by " +
                               QString::number(days) + " days.");
    });
}

QStringList QueryMaster::settingsText() {
    QStringList out;
    for (const char* name : {"ImportFileName", "CommonContacts", "ImportResortClubName"})
        out << QString(name) + ": " + GetTextSetting(m_ctx.db(), name, &m_ctx.prompt());
    return out;
}

} // namespace vm
