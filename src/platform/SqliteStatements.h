#pragma once
// Statements on a SQLite database run straight through the engine's C API, on
// the Qt driver's own connection: each statement text is prepared once and
// kept, values are bound as the Qt driver binds them, and a column is
// converted only when it is read.  Through Qt SQL every call prepared the
// statement anew, every row built a field record and every column of every
// row went through UTF-16 — several times the engine's own cost for a list.

#include "platform/DbError.h"
#include "platform/Row.h"

#include <QSqlError>
#include <functional>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;

namespace vm {

class SqliteStatements {
public:
    using ErrorOf = std::function<DbError(const QSqlError& e, const QString& sql)>;
    using EngineSql = std::function<QString(const QString& sql)>;

    // The engine connection under an open Qt SQLite connection, when the Qt
    // driver runs on the very SQLite library this program calls; null when it
    // does not (a driver with its own copy of SQLite): Qt SQL is used then.
    static sqlite3* connectionOf(const QSqlDatabase& db);

    SqliteStatements(sqlite3* db, EngineSql engineSql, ErrorOf errorOf);
    ~SqliteStatements();
    SqliteStatements(const SqliteStatements&) = delete;
    SqliteStatements& operator=(const SqliteStatements&) = delete;

    // Rows the last INSERT, UPDATE or DELETE changed.
    int changes() const;
    // A transaction is open on the connection (whoever began it).
    bool inTransaction() const;

private:
    struct Statement {
        sqlite3_stmt* handle = nullptr;
        std::shared_ptr<const RowShape> shape;
        int columns = -1;
        const char* firstName = nullptr; // moves when the engine prepares the statement again
        bool busy = false;
    };
    friend class SqliteCursor;

    sqlite3_stmt* prepare(const QString& sql, bool keep);
    void trim();

    sqlite3* m_db;
    EngineSql m_engineSql;
    ErrorOf m_errorOf;
    std::unordered_map<QString, Statement> m_kept; // by the caller's statement text
};

// One run of a statement.  The statement is reset when the cursor ends, so no
// read lock outlives the call.
class SqliteCursor : public RowSource {
public:
    SqliteCursor(SqliteStatements& statements, const QString& sql, const QVariantList& params);
    ~SqliteCursor() override;
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    // Steps to the next row; false after the last.  Engine failures raise DbError.
    bool next();
    // The current row's value, typed as the Qt driver types it.
    QVariant value(int i) const override;
    QString text(int i) const override;
    QString trimmedText(int i) const override;
    void appendUtf8(int i, QByteArray& into) const override;
    bool integer(int i, qint64& into) const override;
    const std::shared_ptr<const RowShape>& shape();
    // The current row with values of its own.
    Row copy();

private:
    void bind(const QVariantList& params);
    void release();

    SqliteStatements& m_owner;
    QString m_sql;
    SqliteStatements::Statement m_private; // when the kept one is already running
    SqliteStatements::Statement* m_statement;
    std::vector<QByteArray> m_texts; // bound text, alive while the statement runs
    bool m_done = false;
    bool m_shapeChecked = false;
};

} // namespace vm
