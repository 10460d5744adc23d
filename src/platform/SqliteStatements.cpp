#include "platform/SqliteStatements.h"

#include "platform/BoundNull.h"
#include "platform/DriverPlugin.h"
#include "platform/Utf8Text.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <sqlite3.h>


namespace vm {

namespace {

// Statements kept per connection; a program runs a few dozen distinct ones,
// lists with many values in an IN (...) make more.
constexpr size_t MostKept = 200;

// True when the library behind the Qt driver object is the one linked here.
bool driverUsesOurEngine(const QSqlDriver* driver) {
    using Version = const char* (*)();
    auto theirs = reinterpret_cast<Version>(DriverPluginSymbol(driver, "sqlite3_libversion"));
    // The same library answers with the same string, not an equal copy of it.
    return theirs && theirs() == sqlite3_libversion();
}

} // namespace

sqlite3* SqliteStatements::connectionOf(const QSqlDatabase& db) {
    const QSqlDriver* driver = db.driver();
    if (!driver || !db.isOpen()) return nullptr;
    const QVariant handle = driver->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    return connection && driverUsesOurEngine(driver) ? connection : nullptr;
}

SqliteStatements::SqliteStatements(sqlite3* db, EngineSql engineSql, ErrorOf errorOf)
    : m_db(db), m_engineSql(std::move(engineSql)), m_errorOf(std::move(errorOf)) {}

SqliteStatements::~SqliteStatements() {
    for (auto& [sql, s] : m_kept)
        sqlite3_finalize(s.handle);
}

int SqliteStatements::changes() const {
    return sqlite3_changes(m_db);
}

bool SqliteStatements::inTransaction() const {
    return !sqlite3_get_autocommit(m_db);
}

sqlite3_stmt* SqliteStatements::prepare(const QString& sql, bool keep) {
    const QByteArray text = m_engineSql(sql).toUtf8();
    sqlite3_stmt* handle = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, text.constData(), int(text.size()),
                                      keep ? SQLITE_PREPARE_PERSISTENT : 0, &handle, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(handle);
        throw m_errorOf(QSqlError("Unable to execute statement",
                                  QString::fromUtf8(sqlite3_errmsg(m_db)),
                                  QSqlError::StatementError, QString::number(rc)),
                        sql);
    }
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(handle);
        throw m_errorOf(QSqlError("Unable to execute multiple statements at a time",
                                  QString::fromUtf8(sqlite3_errmsg(m_db)),
                                  QSqlError::StatementError, QString::number(SQLITE_MISUSE)),
                        sql);
    }
    if (!handle) // only blanks or a comment: the engine has nothing to run
        throw m_errorOf(QSqlError("Unable to execute statement", "not an error",
                                  QSqlError::StatementError, QString::number(SQLITE_MISUSE)),
                        sql);
    return handle;
}

void SqliteStatements::trim() {
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it->second.busy) {
            ++it;
            continue;
        }
        sqlite3_finalize(it->second.handle);
        it = m_kept.erase(it);
    }
}

// ---------------------------------------------------------------- SqliteCursor

SqliteCursor::SqliteCursor(SqliteStatements& statements, const QString& sql,
                           const QVariantList& params)
    : m_owner(statements), m_sql(sql), m_statement(&m_private) {
    auto kept = statements.m_kept.find(sql);
    if (kept == statements.m_kept.end()) {
        if (statements.m_kept.size() >= MostKept) statements.trim();
        SqliteStatements::Statement fresh;
        fresh.handle = statements.prepare(sql, true);
        kept = statements.m_kept.emplace(sql, std::move(fresh)).first;
    }
    if (!kept->second.busy) {
        m_statement = &kept->second;
    } else {
        // The same statement is being stepped further up (a callback runs it again).
        m_private.handle = statements.prepare(sql, false);
    }
    m_statement->busy = true;
    try {
        bind(params);
    } catch (...) {
        release();
        throw;
    }
}

SqliteCursor::~SqliteCursor() {
    release();
}

void SqliteCursor::release() {
    if (!m_statement) return;
    sqlite3_reset(m_statement->handle);
    sqlite3_clear_bindings(m_statement->handle);
    m_statement->busy = false;
    if (m_statement == &m_private) sqlite3_finalize(m_private.handle);
    m_statement = nullptr;
}

void SqliteCursor::bind(const QVariantList& params) {
    sqlite3_stmt* s = m_statement->handle;
    if (sqlite3_bind_parameter_count(s) != params.size())
        throw m_owner.m_errorOf(
            QSqlError("Parameter count mismatch", {}, QSqlError::StatementError), m_sql);
    m_texts.reserve(size_t(params.size()));
    auto text = [&](int at, QByteArray utf8) {
        m_texts.push_back(std::move(utf8));
        return sqlite3_bind_text(s, at, m_texts.back().constData(), int(m_texts.back().size()),
                                 SQLITE_STATIC);
    };
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        const int at = i + 1;
        int rc = SQLITE_OK;
        if (isNullValue(v)) {
            rc = sqlite3_bind_null(s, at);
        } else {
            switch (v.typeId()) {
            case QMetaType::QByteArray: {
                const auto* bytes = static_cast<const QByteArray*>(v.constData());
                rc =
                    sqlite3_bind_blob(s, at, bytes->constData(), int(bytes->size()), SQLITE_STATIC);
                break;
            }
            case QMetaType::Int:
            case QMetaType::Bool:
                rc = sqlite3_bind_int(s, at, v.toInt());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(s, at, v.toDouble());
                break;
            case QMetaType::UInt:
            case QMetaType::LongLong:
                rc = sqlite3_bind_int64(s, at, v.toLongLong());
                break;
            // Dates travel as the Qt SQL path writes them, so that both paths
            // store one form and text comparisons of dates hold.
            case QMetaType::QDateTime:
                rc = v.toDateTime().isValid()
                         ? text(at, v.toDateTime().toString(EngineDateTime).toUtf8())
                         : sqlite3_bind_null(s, at);
                break;
            case QMetaType::QDate:
                rc = v.toDate().isValid() ? text(at, v.toDate().toString(EngineDate).toUtf8())
                                          : sqlite3_bind_null(s, at);
                break;
            case QMetaType::QTime:
                rc = text(at, v.toTime().toString(u"hh:mm:ss.zzz").toUtf8());
                break;
            case QMetaType::QString:
                rc = text(at, static_cast<const QString*>(v.constData())->toUtf8());
                break;
            default:
                rc = text(at, v.toString().toUtf8());
                break;
            }
        }
        if (rc != SQLITE_OK)
            throw m_owner.m_errorOf(QSqlError("Unable to bind parameters",
                                              QString::fromUtf8(sqlite3_errmsg(m_owner.m_db)),
                                              QSqlError::StatementError, QString::number(rc)),
                                    m_sql);
    }
}

bool SqliteCursor::next() {
    if (m_done) return false;
    const int rc = sqlite3_step(m_statement->handle);
    if (rc == SQLITE_ROW) return true;
    m_done = true;
    if (rc == SQLITE_DONE) return false;
    throw m_owner.m_errorOf(QSqlError("Unable to fetch row",
                                      QString::fromUtf8(sqlite3_errmsg(m_owner.m_db)),
                                      QSqlError::ConnectionError, QString::number(rc)),
                            m_sql);
}

QVariant SqliteCursor::value(int i) const {
    sqlite3_stmt* s = m_statement->handle;
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(s, i)),
                          sqlite3_column_bytes(s, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                 sqlite3_column_bytes(s, i));
    }
}

QString SqliteCursor::text(int i) const {
    sqlite3_stmt* s = m_statement->handle;
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                 sqlite3_column_bytes(s, i));
    case SQLITE_NULL:
        return {};
    default:
        return RowSource::text(i);
    }
}

QString SqliteCursor::trimmedText(int i) const {
    sqlite3_stmt* s = m_statement->handle;
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_TEXT:
        break;
    case SQLITE_NULL:
        return {};
    default:
        return RowSource::trimmedText(i);
    }
    const char* from = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return trimmedUtf8(from, from + sqlite3_column_bytes(s, i));
}

void SqliteCursor::appendUtf8(int i, QByteArray& into) const {
    sqlite3_stmt* s = m_statement->handle;
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_TEXT:
        into.append(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                    sqlite3_column_bytes(s, i));
        return;
    case SQLITE_NULL:
        return;
    default:
        RowSource::appendUtf8(i, into);
    }
}

bool SqliteCursor::integer(int i, qint64& into) const {
    sqlite3_stmt* s = m_statement->handle;
    if (sqlite3_column_type(s, i) != SQLITE_INTEGER) return false;
    into = sqlite3_column_int64(s, i);
    return true;
}

const std::shared_ptr<const RowShape>& SqliteCursor::shape() {
    SqliteStatements::Statement& st = *m_statement;
    if (!m_shapeChecked) {
        // A statement the engine prepared again (the schema changed) may
        // answer with other columns.
        const int columns = sqlite3_column_count(st.handle);
        const char* first = columns > 0 ? sqlite3_column_name(st.handle, 0) : nullptr;
        if (!st.shape || st.columns != columns || st.firstName != first) {
            QStringList names;
            names.reserve(columns);
            for (int c = 0; c < columns; ++c)
                names << QString::fromUtf8(sqlite3_column_name(st.handle, c));
            st.shape = std::make_shared<const RowShape>(std::move(names));
            st.columns = columns;
            st.firstName = first;
        }
        m_shapeChecked = true;
    }
    return st.shape;
}

Row SqliteCursor::copy() {
    const Row live(shape(), *this);
    return Row(live); // a copy of a row read in place takes its values
}

} // namespace vm
