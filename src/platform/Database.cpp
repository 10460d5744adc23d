#include "platform/Database.h"

#include "platform/MappedReads.h"
#include "platform/PgStatements.h"
#include "platform/SqliteStatements.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <atomic>

namespace vm {

namespace {

std::atomic<int> g_connectionCounter{0};

// SQLite result codes that the desk maps onto its own numbers.
constexpr int SqlitePerm = 3, SqliteBusy = 5, SqliteLocked = 6, SqliteReadOnly = 8,
              SqliteCorrupt = 11, SqliteCantOpen = 14, SqliteNotADb = 26;

QVariant bindable(const QVariant& v, Engine engine) {
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().isValid() ? QVariant(v.toDateTime().toString(EngineDateTime))
                                        : QVariant();
    case QMetaType::QDate:
        return v.toDate().isValid() ? QVariant(v.toDate().toString(EngineDate)) : QVariant();
    case QMetaType::Bool:
        return engine == Engine::SQLite ? QVariant(v.toBool() ? 1 : 0) : v;
    default:
        return v;
    }
}

int sqliteCode(const QSqlError& e) {
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1; // extended codes carry the primary code in the low byte
}

} // namespace

QString DbLocation::describe() const {
    if (engine == Engine::SQLite) return file;
    QString s = "PostgreSQL database " + database;
    if (!connInfo.isEmpty()) s += " (" + connInfo + ")";
    return s;
}

QList<QPair<QString, QString>> parseConnInfo(const QString& connInfo) {
    QList<QPair<QString, QString>> out;
    static const QRegularExpression re(R"((\w+)\s*=\s*('(?:[^'\\]|\\.)*'|\S+))");
    auto it = re.globalMatch(connInfo);
    while (it.hasNext()) {
        auto m = it.next();
        QString value = m.captured(2);
        if (value.startsWith('\'') && value.endsWith('\'') && value.size() >= 2)
            value = value.mid(1, value.size() - 2).replace("\\'", "'").replace("\\\\", "\\");
        out.append({m.captured(1), value});
    }
    return out;
}

// ---------------------------------------------------------------- Database

Database::Database(const DbLocation& where, const QString& connectionName)
    : m_where(where), m_name(connectionName) {}

Database::~Database() {
    close();
}

void Database::close() {
    m_lite.reset(); // its statements go before the connection
    m_pg.reset();
    if (m_name.isEmpty()) return;
    if (m_db.isOpen()) m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

std::unique_ptr<Database> Database::open(const DbLocation& where, bool create) {
    const QString name = QString("velmora-%1").arg(++g_connectionCounter);
    std::unique_ptr<Database> db(new Database(where, name));

    if (where.engine == Engine::SQLite) {
        const QFileInfo file(where.file);
        const QFileInfo folder(file.absolutePath());
        if (!folder.exists() || !folder.isDir())
            throw DbError(3044, "'" + QDir::toNativeSeparators(file.absolutePath()) +
                                    "' is not a valid path.");
        if (!file.exists() && !create)
            throw DbError(3024, "Could not find file '" + where.file + "'.");
        if (!where.readOnly && !file.exists() && !folder.isWritable())
            throw DbError(DbErrorNumber::NoAccess,
                          "The folder '" + file.absolutePath() + "' cannot be written.");
        if (!where.readOnly && file.exists() && !file.isWritable())
            throw DbError(DbErrorNumber::NoAccess, "The file '" + where.file + "' is read-only.");

        db->m_db = QSqlDatabase::addDatabase("QSQLITE", name);
        db->m_db.setDatabaseName(where.file);
        QString options = "QSQLITE_BUSY_TIMEOUT=15000";
        if (where.readOnly) options += ";QSQLITE_OPEN_READONLY";
        db->m_db.setConnectOptions(options);
        if (!db->m_db.open()) throw db->errorFrom(db->m_db.lastError(), {});
        if (sqlite3* engine = SqliteStatements::connectionOf(db->m_db)) {
            Database* self = db.get();
            db->m_lite = std::make_unique<SqliteStatements>(
                engine, [self](const QString& sql) { return self->translate(sql); },
                [self](const QSqlError& e, const QString& sql) { return self->errorFrom(e, sql); });
        }
        // Opening is lazy in SQLite: the first read tells a damaged file.
        db->scalar("PRAGMA schema_version");
        if (!where.readOnly) db->exec("PRAGMA foreign_keys = ON");
        // Pages read through a memory map where the file is on a local disk.
        if (MappedReadsSafe(where.file))
            db->exec("PRAGMA mmap_size = " + QString::number(MappedBytes));
        return db;
    }

    auto connect = [&](const QString& database) {
        QSqlDatabase pg = QSqlDatabase::addDatabase("QPSQL", name);
        QStringList options;
        bool hasTimeout = false;
        for (const auto& [key, value] : parseConnInfo(where.connInfo)) {
            if (key == "host" || key == "hostaddr")
                pg.setHostName(value);
            else if (key == "port")
                pg.setPort(value.toInt());
            else if (key == "user")
                pg.setUserName(value);
            else if (key == "password")
                pg.setPassword(value);
            else if (key == "dbname")
                continue;
            else {
                hasTimeout |= (key == "connect_timeout");
                options << key + "=" + value;
            }
        }
        if (!hasTimeout) options << "connect_timeout=5";
        pg.setConnectOptions(options.join(';'));
        pg.setDatabaseName(database);
        return pg;
    };

    db->m_db = connect(where.database);
    if (!db->m_db.open()) {
        const QString text = db->m_db.lastError().text();
        if (create && text.contains("does not exist") && text.contains(where.database)) {
            db->m_db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            {
                QSqlDatabase admin = connect("postgres");
                if (!admin.open()) throw db->errorFrom(admin.lastError(), {});
                QSqlQuery q(admin);
                if (!q.exec("CREATE DATABASE " + db->quoteName(where.database)))
                    throw db->errorFrom(q.lastError(), "CREATE DATABASE");
                admin.close();
            }
            QSqlDatabase::removeDatabase(name);
            db->m_db = connect(where.database);
            if (!db->m_db.open()) throw db->errorFrom(db->m_db.lastError(), {});
        } else {
            throw db->errorFrom(db->m_db.lastError(), {});
        }
    }
    db->exec("SET client_min_messages TO warning");
    // A desk lists tens to thousands of rows at a time: a parallel plan costs
    // more in starting its workers (each begins with empty caches) than it
    // saves, and the server's cores serve the other desks meanwhile.
    db->exec("SET max_parallel_workers_per_gather TO 0");
    try {
        db->exec("CREATE EXTENSION IF NOT EXISTS citext WITH SCHEMA public");
    } catch (const DbError&) {
        // Another workstation created it at the same moment; it is there now.
        if (!db->scalar("SELECT 1 FROM pg_extension WHERE extname = 'citext'").isValid()) throw;
    }
    if (!where.schema.isEmpty()) {
        try {
            db->exec("CREATE SCHEMA IF NOT EXISTS " + db->quoteName(where.schema));
        } catch (const DbError&) {
            if (!db->scalar("SELECT 1 FROM pg_namespace WHERE nspname = ?",
                            {where.schema.toLower()})
                     .isValid())
                throw;
        }
        db->exec("SET search_path TO " + db->quoteName(where.schema) + ", public");
    }
    if (where.readOnly) db->exec("SET default_transaction_read_only = on");
    if (pg_conn* server = PgStatements::connectionOf(db->m_db)) {
        Database* self = db.get();
        db->m_pg = std::make_unique<PgStatements>(
            server, [self](const QString& sql) { return self->translate(sql); },
            [self](const QSqlError& e, const QString& sql) { return self->errorFrom(e, sql); });
    }
    return db;
}

DbError Database::errorFrom(const QSqlError& e, const QString& sql) const {
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    if (m_where.engine == Engine::SQLite) {
        switch (sqliteCode(e)) {
        case SqliteNotADb:
        case SqliteCorrupt:
            return DbError(DbErrorNumber::DamagedFile,
                           "Unrecognized database format '" + m_where.file + "'.", sql);
        case SqlitePerm:
        case SqliteReadOnly:
        case SqliteCantOpen:
        case SqliteBusy:
        case SqliteLocked:
            return DbError(DbErrorNumber::NoAccess, text, sql);
        default:
            break;
        }
        bool ok = false;
        const int native = e.nativeErrorCode().toInt(&ok);
        return DbError(ok && native > 0 ? native : DbErrorNumber::General, text, sql);
    }
    const QString state = e.nativeErrorCode();
    if (state.startsWith("28") || state == "42501" || state == "25006")
        return DbError(DbErrorNumber::NoAccess, text, sql);
    // A refused connection carries no state code, only libpq's words.
    static const QRegularExpression refused(
        R"(password authentication failed|no pg_hba\.conf entry|permission denied|role ".*" does not exist)");
    if (state.isEmpty() && refused.match(text).hasMatch())
        return DbError(DbErrorNumber::NoAccess, text, sql);
    return DbError(DbErrorNumber::General, text.isEmpty() ? e.text() : text, sql);
}

QString Database::quoteName(const QString& identifier) const {
    if (m_where.engine == Engine::PostgreSQL)
        return '"' + identifier.toLower().replace('"', "\"\"") + '"';
    return '"' + QString(identifier).replace('"', "\"\"") + '"';
}

QString Database::translate(const QString& sql) const {
    // [Name] → the engine's quoted identifier; literals in single quotes are left alone.
    QString out;
    out.reserve(sql.size() + 16);
    bool inLiteral = false;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == '\'') {
            inLiteral = !inLiteral;
            out += c;
        } else if (c == '[' && !inLiteral) {
            const int end = sql.indexOf(']', i + 1);
            if (end < 0) {
                out += c;
                continue;
            }
            out += quoteName(sql.mid(i + 1, end - i - 1));
            i = end;
        } else {
            out += c;
        }
    }
    return out;
}

QSqlQuery Database::run(const QString& sql, const QVariantList& params, bool forwardOnly) {
    if (!m_db.isOpen()) throw DbError(DbErrorNumber::General, "The database is not open.", sql);
    // A server hands the rows of a stream over one by one on the connection;
    // another statement there would silently cut the stream short.
    if (m_streaming > 0)
        throw DbError(DbErrorNumber::General,
                      "A statement cannot run while the rows of another are being read.", sql);
    QSqlQuery q(m_db);
    q.setForwardOnly(forwardOnly);
    const QString text = translate(sql);
    if (params.isEmpty()) {
        if (!q.exec(text)) throw errorFrom(q.lastError(), sql);
        return q;
    }
    if (!q.prepare(text)) throw errorFrom(q.lastError(), sql);
    for (const QVariant& p : params)
        q.addBindValue(bindable(p, m_where.engine));
    if (!q.exec()) throw errorFrom(q.lastError(), sql);
    return q;
}

void Database::deferStatements() {
    m_deferring = m_where.engine == Engine::PostgreSQL;
}

void Database::flushDeferred() {
    m_deferring = false;
    if (m_deferred.isEmpty()) return;
    const QString script = m_deferred.join(";\n");
    m_deferred.clear();
    run(script, {});
}

namespace {

// Rows read through Qt SQL (a server, or SQLite when its library is not ours).
std::shared_ptr<const RowShape> shapeOf(const QSqlQuery& q) {
    const QSqlRecord fields = q.record();
    QStringList names;
    names.reserve(fields.count());
    for (int i = 0; i < fields.count(); ++i)
        names << fields.fieldName(i);
    return std::make_shared<const RowShape>(std::move(names));
}

Row copyOf(const QSqlQuery& q, const std::shared_ptr<const RowShape>& shape) {
    QVariantList values;
    values.reserve(shape->count());
    for (int i = 0; i < shape->count(); ++i)
        values << q.value(i);
    return Row(shape, std::move(values));
}

class QueryRow : public RowSource {
public:
    explicit QueryRow(const QSqlQuery& q) : m_q(q) {}
    QVariant value(int i) const override { return m_q.value(i); }

private:
    const QSqlQuery& m_q;
};

} // namespace

void Database::ensureOpen(const QString& sql) const {
    if (!m_db.isOpen()) throw DbError(DbErrorNumber::General, "The database is not open.", sql);
}

bool Database::onServer(const QString& sql) {
    if (!m_pg || !m_pg->runs(sql)) return false;
    ensureOpen(sql);
    if (m_streaming > 0)
        throw DbError(DbErrorNumber::General,
                      "A statement cannot run while the rows of another are being read.", sql);
    return true;
}

int Database::exec(const QString& sql, const QVariantList& params) {
    if (m_deferring && params.isEmpty()) {
        m_deferred << sql;
        return 0;
    }
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, sql, params);
        c.next();
        return m_lite->changes();
    }
    if (onServer(sql)) return PgCursor(*m_pg, sql, params).changes();
    QSqlQuery q = run(sql, params);
    return q.numRowsAffected();
}

std::vector<Row> Database::query(const QString& sql, const QVariantList& params) {
    std::vector<Row> rows;
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, sql, params);
        while (c.next())
            rows.push_back(c.copy());
        return rows;
    }
    if (onServer(sql)) {
        PgCursor c(*m_pg, sql, params);
        while (c.next())
            rows.push_back(c.copy());
        return rows;
    }
    QSqlQuery q = run(sql, params);
    std::shared_ptr<const RowShape> shape;
    while (q.next()) {
        if (!shape) shape = shapeOf(q);
        rows.push_back(copyOf(q, shape));
    }
    return rows;
}

std::optional<Row> Database::queryOne(const QString& sql, const QVariantList& params) {
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, sql, params);
        if (c.next()) return c.copy();
        return std::nullopt;
    }
    if (onServer(sql)) {
        PgCursor c(*m_pg, sql, params);
        if (c.next()) return c.copy();
        return std::nullopt;
    }
    QSqlQuery q = run(sql, params);
    if (q.next()) return copyOf(q, shapeOf(q));
    return std::nullopt;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    auto first = [](const QVariant& v) {
        return v.isNull() ? QVariant(QMetaType(QMetaType::UnknownType)) : v;
    };
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, sql, params);
        if (c.next()) return first(c.value(0));
        return {};
    }
    if (onServer(sql)) {
        PgCursor c(*m_pg, sql, params);
        if (c.next()) return first(c.value(0));
        return {};
    }
    QSqlQuery q = run(sql, params);
    if (q.next()) return first(q.value(0));
    return {};
}

qint64 Database::insert(const QString& sql, const QVariantList& params, const QString& keyColumn) {
    const QString returning = sql + " RETURNING " + quoteName(keyColumn);
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, returning, params);
        if (!c.next()) throw DbError(DbErrorNumber::General, "The new key was not returned.", sql);
        return c.value(0).toLongLong();
    }
    if (onServer(returning)) {
        PgCursor c(*m_pg, returning, params);
        if (!c.next()) throw DbError(DbErrorNumber::General, "The new key was not returned.", sql);
        return c.value(0).toLongLong();
    }
    QSqlQuery q = run(returning, params);
    if (!q.next()) throw DbError(DbErrorNumber::General, "The new key was not returned.", sql);
    return q.value(0).toLongLong();
}

void Database::forEach(const QString& sql, const QVariantList& params,
                       const std::function<bool(const Row&)>& fn) {
    // The callback reads the row where the statement stands: nothing is copied.
    if (m_lite) {
        ensureOpen(sql);
        SqliteCursor c(*m_lite, sql, params);
        std::optional<Row> row;
        while (c.next()) {
            if (!row) row.emplace(c.shape(), c);
            if (!fn(*row)) break;
        }
        return;
    }
    if (onServer(sql)) {
        // The rows come one by one, as the server sends them: a long list
        // never sits in memory whole, and the connection is busy until the end.
        PgCursor c(*m_pg, sql, params, PgCursor::Rows::Streamed);
        std::optional<Row> row;
        ++m_streaming;
        try {
            while (c.next()) {
                if (!row) row.emplace(c.shape(), c);
                if (!fn(*row)) break;
            }
        } catch (...) {
            --m_streaming;
            throw;
        }
        --m_streaming;
        return;
    }
    QSqlQuery q = run(sql, params);
    const QueryRow source(q);
    std::optional<Row> row;
    const int streams = m_where.engine == Engine::PostgreSQL ? 1 : 0;
    m_streaming += streams;
    try {
        while (q.next()) {
            if (!row) row.emplace(shapeOf(q), source);
            if (!fn(*row)) break;
        }
    } catch (...) {
        m_streaming -= streams;
        throw;
    }
    m_streaming -= streams;
}

void Database::transaction(const std::function<void()>& work) {
    if (m_depth > 0) {
        ++m_depth;
        try {
            work();
        } catch (...) {
            --m_depth;
            throw;
        }
        --m_depth;
        return;
    }
    // IMMEDIATE takes the write lock up front, so two desks saving at once wait
    // for each other (busy timeout) instead of failing half-way.
    run(m_where.engine == Engine::SQLite ? "BEGIN IMMEDIATE" : "BEGIN", {});
    m_depth = 1;
    try {
        work();
    } catch (...) {
        m_depth = 0;
        abandonTransaction();
        throw;
    }
    m_depth = 0;
    QSqlQuery commit(m_db);
    if (commit.exec("COMMIT")) return;
    // A COMMIT that fails (SQLite busy, a deferred constraint, the server gone)
    // can leave the transaction open and its write lock held: end it here, so
    // that the other desks can write again, and report the failure itself.
    const DbError failure = errorFrom(commit.lastError(), "COMMIT");
    commit.finish();
    abandonTransaction();
    throw failure;
}

void Database::abandonTransaction() {
    m_deferring = false;
    m_deferred.clear();
    // Its own failure (no transaction left, the connection lost) changes nothing.
    QSqlQuery rollback(m_db);
    rollback.exec("ROLLBACK");
}

bool Database::tableExists(const QString& table) {
    if (m_where.engine == Engine::SQLite)
        return scalar(
                   "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                   {table})
            .isValid();
    return scalar("SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                  "AND table_name = ?",
                  {table.toLower()})
        .isValid();
}

QStringList Database::tables() {
    QStringList out;
    const QString sql =
        m_where.engine == Engine::SQLite
            ? "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
              "ORDER BY name"
            : "SELECT table_name FROM information_schema.tables WHERE table_schema = "
              "current_schema() ORDER BY table_name";
    for (const Row& r : query(sql))
        out << r.value(0).toString();
    return out;
}

QStringList Database::columnNames(const QString& table) {
    QStringList out;
    if (m_where.engine == Engine::SQLite) {
        for (const Row& r : query("PRAGMA table_info(" + quoteName(table) + ")"))
            out << r.text("name");
        return out;
    }
    for (const Row& r : query("SELECT column_name FROM information_schema.columns WHERE "
                              "table_schema = current_schema() AND table_name = ?",
                              {table.toLower()}))
        out << r.text("column_name");
    return out;
}

std::optional<ColumnInfo> Database::column(const QString& table, const QString& col) {
    static const QRegularExpression sizeRe(R"(^(?:varchar|vmtext_?)\(?(\d+)\)?)");
    if (m_where.engine == Engine::SQLite) {
        for (const Row& r : query("PRAGMA table_info(" + quoteName(table) + ")")) {
            if (r.text("name").compare(col, Qt::CaseInsensitive) != 0) continue;
            ColumnInfo info;
            info.name = r.text("name");
            info.type = r.text("type").toLower();
            const auto m = sizeRe.match(info.type);
            info.isText = info.type.startsWith("varchar") || info.type.startsWith("text");
            info.textSize = m.hasMatch() ? m.captured(1).toInt() : 0;
            return info;
        }
        return std::nullopt;
    }
    auto r = queryOne("SELECT column_name, data_type, domain_name, udt_name FROM "
                      "information_schema.columns WHERE table_schema = current_schema() AND "
                      "table_name = ? AND column_name = ?",
                      {table.toLower(), col.toLower()});
    if (!r) return std::nullopt;
    ColumnInfo info;
    info.name = r->text("column_name");
    const QString domain = r->text("domain_name").toLower();
    info.type = domain.isEmpty() ? r->text("udt_name").toLower() : domain;
    info.isText = info.type.startsWith("vmtext") || info.type == "citext" ||
                  info.type.startsWith("varchar") || info.type == "text";
    const auto m = sizeRe.match(info.type);
    info.textSize = m.hasMatch() ? m.captured(1).toInt() : 0;
    return info;
}

void Database::snapshot(const std::function<void()>& work) {
    if (!m_lite || m_reading || m_depth > 0 || m_lite->inTransaction()) {
        work();
        return;
    }
    exec("BEGIN"); // deferred: the first read takes the lock, the end lets it go
    m_reading = true;
    try {
        work();
    } catch (...) {
        m_reading = false;
        try {
            exec("ROLLBACK");
        } catch (const DbError&) {
            // the engine ended it already
        }
        throw;
    }
    m_reading = false;
    exec("COMMIT");
}

} // namespace vm
