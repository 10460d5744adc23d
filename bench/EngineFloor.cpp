#include "EngineFloor.h"

#include "platform/MappedReads.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <sqlite3.h>
#include <stdexcept>

namespace vm::bench {

namespace {

[[noreturn]] void fail(sqlite3* db, const QString& what) {
    throw std::runtime_error((what + ": " + QString::fromUtf8(sqlite3_errmsg(db))).toStdString());
}

// Values are bound in the types the program's data layer binds them in.
void bind(sqlite3* db, sqlite3_stmt* s, int at, const QVariant& v) {
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(s, at);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(s, at, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(s, at, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(s, at, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate:
            rc = sqlite3_bind_text(s, at, v.toDate().toString("yyyy-MM-dd").toUtf8().constData(),
                                   -1, SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(s, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK) fail(db, "bind");
}

} // namespace

int Utf8Length(const unsigned char* text, int bytes) {
    int n = 0;
    for (int i = 0; i < bytes; ++i)
        n += (text[i] & 0xC0) != 0x80;
    return n;
}

EngineFloor::EngineFloor(const QString& file) {
    // Opened as the Qt driver opens the program's connection: without the
    // engine's per-call mutex.
    if (sqlite3_open_v2(file.toUtf8().constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        fail(m_db, "open " + file);
    // As the program's connection is set up: same busy wait, same foreign keys.
    sqlite3_busy_timeout(m_db, 15000);
    run("PRAGMA foreign_keys = ON");
    if (MappedReadsSafe(file)) run("PRAGMA mmap_size = " + QString::number(MappedBytes));
}

EngineFloor::~EngineFloor() {
    for (auto& [sql, s] : m_statements)
        sqlite3_finalize(s);
    sqlite3_close(m_db);
}

sqlite3_stmt* EngineFloor::statement(const QString& sql) {
    const std::string key = sql.toStdString();
    auto it = m_statements.find(key);
    if (it != m_statements.end()) return it->second;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v3(m_db, key.c_str(), int(key.size()), SQLITE_PREPARE_PERSISTENT, &s,
                           nullptr) != SQLITE_OK)
        fail(m_db, "prepare " + sql);
    m_statements.emplace(key, s);
    return s;
}

int EngineFloor::run(const QString& sql, const QVariantList& params,
                     const std::function<void(sqlite3_stmt*)>& onRow) {
    sqlite3_stmt* s = statement(sql);
    for (int i = 0; i < params.size(); ++i)
        bind(m_db, s, i + 1, params[i]);
    int rows = 0;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        ++rows;
        const int columns = sqlite3_column_count(s);
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                m_sink += quint64(sqlite3_column_int64(s, c));
                break;
            case SQLITE_FLOAT:
                m_sink += quint64(sqlite3_column_double(s, c));
                break;
            case SQLITE_TEXT: {
                const unsigned char* t = sqlite3_column_text(s, c);
                m_sink += quint64(sqlite3_column_bytes(s, c)) + (t ? t[0] : 0);
                break;
            }
            case SQLITE_BLOB:
                m_sink += quint64(sqlite3_column_bytes(s, c));
                break;
            default:
                break;
            }
        }
        if (onRow) onRow(s);
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE) fail(m_db, "step " + sql);
    return rows;
}

} // namespace vm::bench
