#pragma once
// One connection to one database (SQLite file or PostgreSQL database/schema).
// Statements are always parameterised ("?" placeholders); identifiers may be
// written in brackets ([Authorization]) and are quoted for the engine here.
// Engine failures raise DbError.

#include "platform/DbError.h"
#include "platform/Row.h"

#include <QDateTime>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vm {

enum class Engine { SQLite, PostgreSQL };

struct DbLocation {
    Engine engine = Engine::SQLite;
    QString file;     // SQLite: the database file
    QString connInfo; // PostgreSQL: libpq keywords (host=, port=, user=, service=, ...)
    QString database; // PostgreSQL: database name
    QString schema;   // PostgreSQL: schema; empty = public
    bool readOnly = false;

    QString describe() const;
};

class SqliteStatements;
class PgStatements;

struct ColumnInfo {
    QString name;
    QString type;     // engine's declared type, lower case ("varchar(50)", "integer", ...)
    int textSize = 0; // declared size of a text column, 0 otherwise
    bool isText = false;
};

class Database {
public:
    // Opens (and for SQLite creates when `create` is true) the database.
    static std::unique_ptr<Database> open(const DbLocation& where, bool create = true);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Engine engine() const { return m_where.engine; }
    const DbLocation& location() const { return m_where; }
    bool isReadOnly() const { return m_where.readOnly; }

    // Runs a statement; answers the number of rows it changed.
    int exec(const QString& sql, const QVariantList& params = {});
    std::vector<Row> query(const QString& sql, const QVariantList& params = {});
    std::optional<Row> queryOne(const QString& sql, const QVariantList& params = {});
    // First column of the first row; an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT and answers the new key the engine gave `keyColumn`.
    qint64 insert(const QString& sql, const QVariantList& params, const QString& keyColumn);
    // Streams rows to `fn` without keeping them; `fn` returns false to stop.
    // On a server `fn` runs no statement of its own on this connection (the
    // stream occupies it): collect what it needs with query() instead.
    void forEach(const QString& sql, const QVariantList& params,
                 const std::function<bool(const Row&)>& fn);
    // Runs `work`, which only reads, on one view of the data.  On SQLite its
    // statements share one read transaction: the file is locked once instead
    // of once per statement (the lock costs more than a small statement).
    // Never around a question to the user: the lock holds off other desks' saves.
    void snapshot(const std::function<void()>& work);

    // Runs `work` in one transaction (nested calls join the outer one).  When
    // `work` throws or the COMMIT fails, the transaction is rolled back and its
    // locks released before the DbError reaches the caller.
    void transaction(const std::function<void()>& work);
    bool inTransaction() const { return m_depth > 0; }

    bool tableExists(const QString& table);
    QStringList tables();
    std::optional<ColumnInfo> column(const QString& table, const QString& column);
    QStringList columnNames(const QString& table);
    bool columnExists(const QString& table, const QString& col) {
        return column(table, col).has_value();
    }

    // Engine spelling of an identifier and of a whole statement.
    QString quoteName(const QString& identifier) const;
    QString translate(const QString& sql) const;

    QSqlDatabase& handle() { return m_db; }
    // Schema building on a server: statements without parameters are gathered
    // and sent together by flushDeferred() (one round trip instead of hundreds).
    void deferStatements();
    void flushDeferred();

    // Names of PostgreSQL domains known to exist (the schema builder's cache).
    QSet<QString>& knownDomains() { return m_domains; }
    void close();

private:
    Database(const DbLocation& where, const QString& connectionName);
    QSqlQuery run(const QString& sql, const QVariantList& params, bool forwardOnly = true);
    void ensureOpen(const QString& sql) const;
    // True when `sql` runs on the kept server statements (after the checks
    // run() makes for a statement through Qt SQL).
    bool onServer(const QString& sql);
    DbError errorFrom(const class QSqlError& e, const QString& sql) const;
    void abandonTransaction();

    DbLocation m_where;
    QString m_name;
    QSqlDatabase m_db;
    // SQLite statements on the engine's C API (null: through Qt SQL).
    std::unique_ptr<SqliteStatements> m_lite;
    // Server statements on libpq, kept prepared (null: through Qt SQL).
    std::unique_ptr<PgStatements> m_pg;
    int m_depth = 0;
    int m_streaming = 0;    // server streams being read (forEach through Qt SQL)
    bool m_reading = false; // in a snapshot's read transaction
    QSet<QString> m_domains;
    bool m_deferring = false;
    QStringList m_deferred;
};

// Parses "key=value key2=value2" (libpq style, values may be single-quoted).
QList<QPair<QString, QString>> parseConnInfo(const QString& connInfo);

} // namespace vm
