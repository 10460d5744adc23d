#include "platform/PgStatements.h"

#include "platform/BoundNull.h"
#include "platform/DriverPlugin.h"
#include "platform/Utf8Text.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <cmath>
#include <libpq-fe.h>


namespace vm {

namespace {

// Statements kept per connection; a program runs a few dozen distinct ones,
// lists with many values in an IN (...) make more.
constexpr size_t MostKept = 200;

// Server type oids the Qt driver reads as something other than text.
enum TypeOid : unsigned {
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    RegprocOid = 24,
    OidOid = 26,
    XidOid = 28,
    CidOid = 29,
    Float4Oid = 700,
    Float8Oid = 701,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestampTzOid = 1184,
    TimeTzOid = 1266,
    NumericOid = 1700,
};

// The QVariant type the Qt driver gives a column of this server type.
QMetaType::Type metaTypeOf(unsigned oid) {
    switch (oid) {
    case BoolOid:
        return QMetaType::Bool;
    case Int8Oid:
        return QMetaType::LongLong;
    case Int2Oid:
    case Int4Oid:
    case OidOid:
    case RegprocOid:
    case XidOid:
    case CidOid:
        return QMetaType::Int;
    case NumericOid:
    case Float4Oid:
    case Float8Oid:
        return QMetaType::Double;
    case DateOid:
        return QMetaType::QDate;
    case TimeOid:
    case TimeTzOid:
        return QMetaType::QTime;
    case TimestampOid:
    case TimestampTzOid:
        return QMetaType::QDateTime;
    case ByteaOid:
        return QMetaType::QByteArray;
    default:
        return QMetaType::QString;
    }
}

bool isInteger(unsigned oid) {
    return oid == Int2Oid || oid == Int4Oid || oid == Int8Oid;
}

double doubleOf(QByteArrayView text) {
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (ok) return d;
    if (text.compare("NaN", Qt::CaseInsensitive) == 0) return std::nan("");
    if (text.compare("Infinity", Qt::CaseInsensitive) == 0) return HUGE_VAL;
    if (text.compare("-Infinity", Qt::CaseInsensitive) == 0) return -HUGE_VAL;
    return 0.0;
}

// A value as the Qt driver writes it into its EXECUTE: the same text goes
// here as a parameter, which the server reads with the same input function.
QByteArray parameterText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(v.constData())->toUtf8();
    case QMetaType::Bool:
        return v.toBool() ? "true" : "false";
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
        return QByteArray::number(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QByteArray::number(v.toULongLong());
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (std::isnan(d)) return "NaN";
        if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
        return QString::number(d, 'g', QLocale::FloatingPointShortest).toLatin1();
    }
    case QMetaType::QByteArray: // the server's hex form, read by bytea and text alike
        return "\\x" + static_cast<const QByteArray*>(v.constData())->toHex();
    case QMetaType::QDateTime:
        return v.toDateTime().toString(EngineDateTime).toLatin1();
    case QMetaType::QDate:
        return v.toDate().toString(EngineDate).toLatin1();
    case QMetaType::QTime:
        return v.toTime().toString(u"hh:mm:ss.zzz").toLatin1();
    default:
        return v.toString().toUtf8();
    }
}

// True when the library behind the Qt driver object is the libpq linked here.
bool driverUsesOurLibpq(const QSqlDriver* driver) {
    return DriverPluginSymbol(driver, "PQlibVersion") == reinterpret_cast<void*>(&PQlibVersion);
}

} // namespace

pg_conn* PgStatements::connectionOf(const QSqlDatabase& db) {
    const QSqlDriver* driver = db.driver();
    if (!driver || !db.isOpen()) return nullptr;
    const QVariant handle = driver->handle();
    // The driver names the type by libpq's struct ("pg_conn*").
    if (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0)
        return nullptr;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    return connection && driverUsesOurLibpq(driver) ? connection : nullptr;
}

bool PgStatements::preparable(const QString& sql) {
    qsizetype at = 0;
    while (at < sql.size() && (sql[at].isSpace() || sql[at] == '('))
        ++at;
    qsizetype end = at;
    while (end < sql.size() && sql[end].isLetter())
        ++end;
    const QString word = sql.mid(at, end - at).toLower();
    static const QStringList verbs = {"select", "with", "values", "insert", "update", "delete"};
    if (!verbs.contains(word)) return false;
    // One statement only: a ";" outside quotes must end the text.
    QChar quote;
    for (qsizetype i = end; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            for (qsizetype j = i + 1; j < sql.size(); ++j)
                if (!sql[j].isSpace()) return false;
        }
    }
    return true;
}

QString PgStatements::numberedPlaceholders(const QString& sql, int* count) {
    QString out;
    out.reserve(sql.size() + 16);
    QChar quote;
    int n = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            out += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            out += c;
        } else if (c == '?') {
            out += '$' + QString::number(++n);
        } else {
            out += c;
        }
    }
    if (count) *count = n;
    return out;
}

PgStatements::PgStatements(pg_conn* connection, EngineSql engineSql, ErrorOf errorOf)
    : m_conn(connection), m_engineSql(std::move(engineSql)), m_errorOf(std::move(errorOf)) {}

bool PgStatements::runs(const QString& sql) {
    if (m_kept.count(sql)) return true;
    auto known = m_preparable.find(sql);
    if (known != m_preparable.end()) return known->second;
    if (m_preparable.size() > 4 * MostKept) m_preparable.clear();
    const bool yes = preparable(m_engineSql(sql));
    m_preparable.emplace(sql, yes);
    return yes;
}

PgStatements::Statement& PgStatements::statement(const QString& sql) {
    auto kept = m_kept.find(sql);
    if (kept != m_kept.end()) return kept->second;
    if (m_kept.size() >= MostKept) trim();
    Statement fresh;
    const QByteArray text = numberedPlaceholders(m_engineSql(sql), &fresh.params).toUtf8();
    fresh.name = "vm_" + QByteArray::number(++m_named);
    PGresult* r = PQprepare(m_conn, fresh.name.constData(), text.constData(), 0, nullptr);
    if (PQresultStatus(r) != PGRES_COMMAND_OK) {
        const DbError e = failure(r, sql);
        PQclear(r);
        throw e;
    }
    PQclear(r);
    return m_kept.emplace(sql, std::move(fresh)).first->second;
}

void PgStatements::forget(const QString& sql) {
    auto kept = m_kept.find(sql);
    if (kept == m_kept.end()) return;
    // In a failed transaction the server takes no DEALLOCATE: the statement
    // then stays, unused, until the connection closes.
    if (PQtransactionStatus(m_conn) == PQTRANS_IDLE ||
        PQtransactionStatus(m_conn) == PQTRANS_INTRANS)
        PQclear(PQexec(m_conn, ("DEALLOCATE " + kept->second.name).constData()));
    m_kept.erase(kept);
}

void PgStatements::trim() {
    QByteArray script;
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it->second.busy) {
            ++it;
            continue;
        }
        script += "DEALLOCATE " + it->second.name + ";";
        it = m_kept.erase(it);
    }
    if (!script.isEmpty()) PQclear(PQexec(m_conn, script.constData()));
}

DbError PgStatements::failure(pg_result* result, const QString& sql) const {
    const char* code = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QString state = code ? QString::fromLatin1(code) : QString();
    QString message = QString::fromUtf8(result && *PQresultErrorMessage(result)
                                            ? PQresultErrorMessage(result)
                                            : PQerrorMessage(m_conn));
    if (!state.isEmpty()) message += "(" + state + ")";
    return m_errorOf(QSqlError("QPSQL: Unable to create query", message,
                               state.isEmpty() ? QSqlError::ConnectionError
                                               : QSqlError::StatementError,
                               state),
                     sql);
}

// ---------------------------------------------------------------- PgCursor

PgCursor::PgCursor(PgStatements& statements, const QString& sql, const QVariantList& params,
                   Rows rows)
    : m_owner(statements), m_sql(sql), m_mode(rows) {
    start(params);
}

PgCursor::~PgCursor() {
    if (m_result) PQclear(m_result);
    if (m_streaming) drain();
    if (m_statement) m_statement->busy = false;
}

void PgCursor::drain() {
    // The rows not read are still on their way: the connection takes no
    // other statement until they are through.
    while (PGresult* r = PQgetResult(m_owner.m_conn))
        PQclear(r);
    m_streaming = false;
}

namespace {
// A kept statement the server can no longer run as it was prepared: the
// tables under it changed their columns (another desk upgraded the schema),
// or the server forgot it.  Prepared again, it runs.
bool preparedAgainRuns(PGresult* r) {
    const char* code = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    if (!code) return false;
    const QByteArrayView state(code);
    return state == "26000" ||
           (state == "0A000" && QByteArrayView(PQresultErrorMessage(r)).contains("cached plan"));
}
} // namespace

void PgCursor::start(const QVariantList& params) {
    for (int attempt = 0;; ++attempt) {
        m_statement = &m_owner.statement(m_sql);
        if (m_statement->params != params.size())
            throw m_owner.m_errorOf(
                QSqlError("Parameter count mismatch", {}, QSqlError::StatementError), m_sql);
        m_statement->busy = true;
        PGresult* r = send(params);
        const ExecStatusType status = PQresultStatus(r);
        if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK ||
            status == PGRES_SINGLE_TUPLE) {
            takeShape(r);
            m_result = r;
            if (status == PGRES_SINGLE_TUPLE) {
                m_row = -2; // the first row is here already
                m_rows = 1;
            } else {
                if (m_streaming) drain();
                m_rows = PQntuples(r);
                m_changes = QByteArrayView(PQcmdTuples(r)).toInt();
            }
            return;
        }
        if (m_streaming) drain();
        m_statement->busy = false;
        const bool again = attempt == 0 && preparedAgainRuns(r) &&
                           PQtransactionStatus(m_owner.m_conn) == PQTRANS_IDLE;
        if (!again) {
            const DbError e = m_owner.failure(r, m_sql);
            // Inside a transaction the server has ended it; the statement is
            // prepared anew on its next use.
            if (preparedAgainRuns(r)) m_owner.m_kept.erase(m_sql);
            PQclear(r);
            m_statement = nullptr;
            throw e;
        }
        PQclear(r);
        m_owner.forget(m_sql);
        m_statement = nullptr;
    }
}

pg_result* PgCursor::send(const QVariantList& params) {
    std::vector<QByteArray> texts(size_t(params.size()));
    std::vector<const char*> values(size_t(params.size()), nullptr);
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (isNullValue(params[i])) continue;
        texts[size_t(i)] = parameterText(params[i]);
        values[size_t(i)] = texts[size_t(i)].constData();
    }
    PGconn* conn = m_owner.m_conn;
    const char* name = m_statement->name.constData();
    if (m_mode == Rows::Whole)
        return PQexecPrepared(conn, name, int(params.size()), values.data(), nullptr, nullptr, 0);
    if (!PQsendQueryPrepared(conn, name, int(params.size()), values.data(), nullptr, nullptr, 0))
        return nullptr;
    m_streaming = true;
    PQsetSingleRowMode(conn);
    return PQgetResult(conn);
}

void PgCursor::takeShape(pg_result* r) {
    PgStatements::Statement& st = *m_statement;
    const int columns = PQnfields(r);
    if (st.shape && st.shape->count() == columns) return;
    QStringList names;
    names.reserve(columns);
    st.types.assign(size_t(columns), 0);
    for (int c = 0; c < columns; ++c) {
        names << QString::fromUtf8(PQfname(r, c));
        st.types[size_t(c)] = PQftype(r, c);
    }
    st.shape = std::make_shared<const RowShape>(std::move(names));
}

bool PgCursor::next() {
    if (m_mode == Rows::Whole) return ++m_row < m_rows;
    if (m_row == -2) { // the row that came with the start
        m_row = 0;
        return true;
    }
    if (m_result) {
        PQclear(m_result);
        m_result = nullptr;
    }
    if (!m_streaming) return false;
    PGresult* r = PQgetResult(m_owner.m_conn);
    switch (PQresultStatus(r)) {
    case PGRES_SINGLE_TUPLE:
        m_result = r;
        m_row = 0;
        return true;
    case PGRES_TUPLES_OK:
    case PGRES_COMMAND_OK:
        PQclear(r);
        drain();
        return false;
    default: {
        const DbError e = m_owner.failure(r, m_sql);
        PQclear(r);
        drain();
        throw e;
    }
    }
}

bool PgCursor::isText(int i) const {
    return metaTypeOf(m_statement->types[size_t(i)]) == QMetaType::QString;
}

QVariant PgCursor::value(int i) const {
    const unsigned type = m_statement->types[size_t(i)];
    if (PQgetisnull(m_result, m_row, i)) return QVariant(QMetaType(metaTypeOf(type)));
    const char* val = PQgetvalue(m_result, m_row, i);
    const QByteArrayView bytes(val, PQgetlength(m_result, m_row, i));
    switch (metaTypeOf(type)) {
    case QMetaType::Bool:
        return QVariant(val[0] == 't');
    case QMetaType::LongLong:
        // As the Qt driver reads it: a number without its sign is unsigned.
        return val[0] == '-' ? QVariant(qlonglong(bytes.toLongLong()))
                             : QVariant(qulonglong(bytes.toULongLong()));
    case QMetaType::Int:
        return QVariant(bytes.toInt());
    case QMetaType::Double:
        return QVariant(doubleOf(bytes));
    case QMetaType::QDate:
        return QVariant(QDate::fromString(QString::fromLatin1(bytes), Qt::ISODate));
    case QMetaType::QTime:
        return QVariant(QTime::fromString(QString::fromLatin1(bytes), Qt::ISODate));
    case QMetaType::QDateTime: {
        const QDateTime at = QDateTime::fromString(QString::fromLatin1(bytes), Qt::ISODate);
        return QVariant(type == TimestampTzOid ? at.toLocalTime() : at);
    }
    case QMetaType::QByteArray: {
        size_t length = 0;
        unsigned char* raw =
            PQunescapeBytea(reinterpret_cast<const unsigned char*>(val), &length);
        const QByteArray out(reinterpret_cast<const char*>(raw), qsizetype(length));
        PQfreemem(raw);
        return QVariant(out);
    }
    default:
        return QVariant(QString::fromUtf8(bytes));
    }
}

QString PgCursor::text(int i) const {
    if (PQgetisnull(m_result, m_row, i)) return {};
    if (!isText(i)) return RowSource::text(i);
    return QString::fromUtf8(PQgetvalue(m_result, m_row, i), PQgetlength(m_result, m_row, i));
}

QString PgCursor::trimmedText(int i) const {
    if (PQgetisnull(m_result, m_row, i)) return {};
    if (!isText(i)) return RowSource::trimmedText(i);
    const char* from = PQgetvalue(m_result, m_row, i);
    return trimmedUtf8(from, from + PQgetlength(m_result, m_row, i));
}

void PgCursor::appendUtf8(int i, QByteArray& into) const {
    if (PQgetisnull(m_result, m_row, i)) return;
    if (!isText(i)) return RowSource::appendUtf8(i, into);
    into.append(PQgetvalue(m_result, m_row, i), PQgetlength(m_result, m_row, i));
}

bool PgCursor::integer(int i, qint64& into) const {
    if (!isInteger(m_statement->types[size_t(i)]) || PQgetisnull(m_result, m_row, i))
        return false;
    into = QByteArrayView(PQgetvalue(m_result, m_row, i), PQgetlength(m_result, m_row, i))
               .toLongLong();
    return true;
}

Row PgCursor::copy() const {
    const Row live(shape(), *this);
    return Row(live); // a copy of a row read in place takes its values
}

} // namespace vm
