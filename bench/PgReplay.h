#pragma once
// The floor of an action on a server: the statements the program sent, read
// off its connection (libpq's protocol trace) in one untimed run, and run
// again through PgFloor with the same values, each prepared once and kept.
// The program keeps its statements prepared: a statement goes once as a Parse
// message (its text with numbered parameters) and at each run as a Bind
// message with its values; a statement prepared before the trace began is
// found by name among the server's prepared statements.  Statements through
// Qt SQL go as text ("PREPARE name AS ..." and "EXECUTE name (...)" when they
// have values); the replay pairs those two again into one statement.

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
