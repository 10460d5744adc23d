#pragma once
// The engine floor of a statement: the same SQL on the sqlite3 C API, prepared
// once and kept, every row stepped and every column read as the engine hands it
// out (UTF-8 text, no conversion).  What the program adds on top of this is its
// own cost.

#include <QString>
#include <QVariantList>
#include <functional>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace vm::bench {

class EngineFloor {
public:
    explicit EngineFloor(const QString& file);
    ~EngineFloor();
    EngineFloor(const EngineFloor&) = delete;
    EngineFloor& operator=(const EngineFloor&) = delete;

    // Runs `sql` (the engine's spelling) with `params` bound as the program binds
    // them; `onRow` sees each row after its columns were read.  Answers the rows.
    int run(const QString& sql, const QVariantList& params = {},
            const std::function<void(sqlite3_stmt*)>& onRow = {});
    sqlite3* handle() const { return m_db; }
    // A checksum of what was read, so no read can be optimised away.
    quint64 sink() const { return m_sink; }

private:
    sqlite3_stmt* statement(const QString& sql);

    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
    quint64 m_sink = 0;
};

// The characters of a UTF-8 column value (what QString::size() would say for
// text of the Basic Multilingual Plane).
int Utf8Length(const unsigned char* text, int bytes);

} // namespace vm::bench
