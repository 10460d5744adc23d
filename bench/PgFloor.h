#pragma once
// The engine floor of a statement on a PostgreSQL server: the same SQL through
// libpq, prepared once (PQprepare) and kept, run with PQexecPrepared with the
// values typed as the program's data layer hands them over (bool as boolean,
// integers as integers, text untyped so the server gives it the column's
// type), every row and every column read (PQgetvalue/PQgetlength into a
// checksum).  Statements run one by one in autocommit, as the program reads on
// a server; BEGIN/COMMIT are sent where the program sends them.

#include <QString>
#include <QVariantList>
#include <functional>
#include <string>
#include <unordered_map>

struct pg_conn;
struct pg_result;

namespace vm::bench {

class PgFloor {
public:
    // `connInfo`: libpq keywords without dbname; `schema`: first on the search path.
    PgFloor(const QString& connInfo, const QString& database, const QString& schema);
    ~PgFloor();
    PgFloor(const PgFloor&) = delete;
    PgFloor& operator=(const PgFloor&) = delete;

    // Runs `sql` (the engine's spelling, "?" marks) with `params`; `onRow`
    // sees each row after its columns were read.  Answers the rows.
    int run(const QString& sql, const QVariantList& params = {},
            const std::function<void(const pg_result*, int row)>& onRow = {});
    // Rows the last statement changed.
    int changed() const { return m_changed; }
    // A checksum of what was read, so no read can be optimised away.
    quint64 sink() const { return m_sink; }

private:
    struct Prepared {
        std::string name;
        int params = 0;
    };
    const Prepared& statement(const QString& sql, const QVariantList& params);

    pg_conn* m_conn = nullptr;
    std::unordered_map<std::string, Prepared> m_statements;
    quint64 m_sink = 0;
    int m_changed = 0;
};

// "?" marks as the server's numbered parameters ($1, $2 ...), outside quotes.
QString NumberedParameters(const QString& sql);

} // namespace vm::bench
