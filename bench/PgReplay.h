#pragma once
// The floor of an action on a server: the statements the program sent, read
// off its connection (libpq's protocol trace) in one untimed run, and run
// again through PgFloor with the same values, each prepared once and kept.
// The program's driver prepares a statement with numbered parameters
// ("PREPARE name AS ...") and runs it with its values written as literals
// ("EXECUTE name (...)"); the replay pairs the two again into one statement
// with its values.

#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

namespace vm {
class Database;
}

namespace vm::bench {

class PgFloor;

struct SentStatement {
    QString sql; // "$n" parameters, or none
    QVariantList params;
};

// The statements `work` sends on `db`'s connection, in order (the driver's
// DEALLOCATEs left out); `rowsSent` gets how many rows the server sent back.
std::vector<SentStatement> RecordSent(Database& db, const std::function<void()>& work,
                                      qint64* rowsSent = nullptr);

// The values of an EXECUTE's list as the program wrote them: 'text' (with ''
// for a quote) as text, TRUE/FALSE as booleans, NULL as null, numbers as text
// for the server to type.  Empty with `ok` false for what it cannot read.
QVariantList ExecuteValues(const QString& list, bool* ok);

// Runs `statements` on `floor`; answers the rows they read.
size_t RunSent(PgFloor& floor, const std::vector<SentStatement>& statements);

} // namespace vm::bench
