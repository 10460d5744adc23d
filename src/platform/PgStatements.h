#pragma once
// Statements on a PostgreSQL server run straight through libpq, on the Qt
// driver's own connection: each statement text is prepared once on the
// server and kept, so a statement costs one round trip and no new plan.
// Through Qt SQL every statement with values was sent as PREPARE, EXECUTE
// and DEALLOCATE: three round trips and a plan made afresh each time, which
// was most of the cost of any action of a few short statements.
//
// Values are sent and read as the Qt driver sends and reads them (the same
// texts for the same values, the same QVariant types for the same columns),
// so callers cannot tell the two paths apart.  Statements that cannot be
// prepared (several statements in one text, schema and session commands)
// stay with Qt SQL.

#include "platform/DbError.h"
#include "platform/Row.h"

#include <QSqlError>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

struct pg_conn;
struct pg_result;
class QSqlDatabase;

namespace vm {

class PgStatements {
public:
    using ErrorOf = std::function<DbError(const QSqlError& e, const QString& sql)>;
    using EngineSql = std::function<QString(const QString& sql)>;

    // The libpq connection under an open Qt PostgreSQL connection, when the Qt
    // driver runs on the libpq this program calls; null otherwise.
    static pg_conn* connectionOf(const QSqlDatabase& db);
    // True when `engineSql` (the engine's spelling) is one statement that can
    // be prepared: a SELECT, WITH, VALUES, INSERT, UPDATE or DELETE.
    static bool preparable(const QString& engineSql);
    // "?" placeholders outside quotes become $1, $2, ...; answers their number.
    static QString numberedPlaceholders(const QString& engineSql, int* count = nullptr);

    PgStatements(pg_conn* connection, EngineSql engineSql, ErrorOf errorOf);
    PgStatements(const PgStatements&) = delete;
    PgStatements& operator=(const PgStatements&) = delete;

    // True when `sql` (the caller's text) runs here rather than through Qt SQL.
    bool runs(const QString& sql);

private:
    struct Statement {
        QByteArray name;
        int params = 0;
        std::shared_ptr<const RowShape> shape;
        std::vector<unsigned> types; // each column's type, by its server oid
        bool busy = false;           // a cursor reads its rows
    };
    friend class PgCursor;

    Statement& statement(const QString& sql);
    void forget(const QString& sql);
    void trim();
    DbError failure(pg_result* result, const QString& sql) const;

    pg_conn* m_conn;
    EngineSql m_engineSql;
    ErrorOf m_errorOf;
    std::unordered_map<QString, Statement> m_kept; // by the caller's statement text
    std::unordered_map<QString, bool> m_preparable;
    quint64 m_named = 0;
};

// One run of a kept statement.  `Whole` fetches every row at once (a list, a
// look-up); `Streamed` hands the rows over one by one as the server sends
// them, so a result of a million rows never sits in memory whole — the
// connection can run nothing else until the cursor ends.
class PgCursor : public RowSource {
public:
    enum class Rows { Whole, Streamed };
    PgCursor(PgStatements& statements, const QString& sql, const QVariantList& params,
             Rows rows = Rows::Whole);
    ~PgCursor() override;
    PgCursor(const PgCursor&) = delete;
    PgCursor& operator=(const PgCursor&) = delete;

    // Steps to the next row; false after the last.  Failures raise DbError.
    bool next();
    // Rows the statement changed (INSERT, UPDATE, DELETE).
    int changes() const { return m_changes; }

    QVariant value(int i) const override;
    QString text(int i) const override;
    QString trimmedText(int i) const override;
    void appendUtf8(int i, QByteArray& into) const override;
    bool integer(int i, qint64& into) const override;
    const std::shared_ptr<const RowShape>& shape() const { return m_statement->shape; }
    // The current row with values of its own.
    Row copy() const;

private:
    void start(const QVariantList& params);
    pg_result* send(const QVariantList& params);
    void takeShape(pg_result* result);
    void drain();
    bool isText(int i) const;

    PgStatements& m_owner;
    QString m_sql;
    PgStatements::Statement* m_statement = nullptr;
    Rows m_mode;
    pg_result* m_result = nullptr;
    int m_row = -1;
    int m_rows = 0;
    int m_changes = 0;
    bool m_streaming = false; // rows still to come from the server
};

} // namespace vm
