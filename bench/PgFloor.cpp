#include "PgFloor.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <cstdlib>
#include <libpq-fe.h>
#include <stdexcept>
#include <vector>

namespace vm::bench {

namespace {

// The boolean's type code in the server's catalogue.
constexpr Oid BoolOid = 16;

[[noreturn]] void fail(pg_conn* c, const QString& what) {
    throw std::runtime_error((what + ": " + QString::fromUtf8(PQerrorMessage(c))).toStdString());
}

// One value as text, typed as the program's driver leaves it to the server: its
// statements are prepared without parameter types, so the server gives each
// value the type its place in the statement asks for (the column's); only a
// boolean is a boolean wherever it stands.
struct Value {
    Oid type = 0;
    bool null = false;
    QByteArray text;
};

Value valueOf(const QVariant& v) {
    Value out;
    if (!v.isValid() || v.isNull()) {
        out.null = true;
        return out;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        out.type = BoolOid;
        out.text = v.toBool() ? "t" : "f";
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        out.text = QByteArray::number(v.toLongLong());
        break;
    }
    case QMetaType::Double:
        out.text = QByteArray::number(v.toDouble(), 'g', 17);
        break;
    case QMetaType::QByteArray:
        out.text = "\\x" + v.toByteArray().toHex();
        break;
    case QMetaType::QDate:
        out.text = v.toDate().toString("yyyy-MM-dd").toUtf8();
        break;
    case QMetaType::QDateTime:
        out.text = v.toDateTime().toString("yyyy-MM-dd HH:mm:ss").toUtf8();
        break;
    default:
        out.text = v.toString().toUtf8();
        break;
    }
    return out;
}

} // namespace

QString NumberedParameters(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    bool quoted = false;
    int n = 0;
    for (const QChar c : sql) {
        if (c == '\'') quoted = !quoted;
        if (c == '?' && !quoted)
            out += '$' + QString::number(++n);
        else
            out += c;
    }
    return out;
}

PgFloor::PgFloor(const QString& connInfo, const QString& database, const QString& schema) {
    QString info = connInfo;
    if (!database.isEmpty()) info += " dbname='" + QString(database).replace('\'', "\\'") + "'";
    m_conn = PQconnectdb(info.toUtf8().constData());
    if (PQstatus(m_conn) != CONNECTION_OK) fail(m_conn, "connect " + info);
    // As the program's connection is set up.
    run("SET client_min_messages TO warning");
    run("SET max_parallel_workers_per_gather TO 0");
    if (!schema.isEmpty())
        run("SET search_path TO \"" + schema.toLower().replace('"', "\"\"") + "\", public");
}

PgFloor::~PgFloor() {
    PQfinish(m_conn);
}

const PgFloor::Prepared& PgFloor::statement(const QString& sql, const QVariantList& params) {
    const std::string key = sql.toStdString();
    auto it = m_statements.find(key);
    if (it != m_statements.end()) return it->second;
    Prepared p;
    p.name = "floor" + std::to_string(m_statements.size() + 1);
    p.params = int(params.size());
    std::vector<Oid> types;
    for (const QVariant& v : params)
        types.push_back(valueOf(v).type);
    const QByteArray text = NumberedParameters(sql).toUtf8();
    PGresult* r = PQprepare(m_conn, p.name.c_str(), text.constData(), p.params, types.data());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    PQclear(r);
    if (!ok) fail(m_conn, "prepare " + sql);
    return m_statements.emplace(key, std::move(p)).first->second;
}

int PgFloor::run(const QString& sql, const QVariantList& params,
                 const std::function<void(const pg_result*, int)>& onRow) {
    const Prepared& p = statement(sql, params);
    if (p.params != params.size()) fail(m_conn, "parameter count of " + sql);
    std::vector<Value> values;
    values.reserve(size_t(params.size()));
    std::vector<const char*> texts;
    for (const QVariant& v : params)
        values.push_back(valueOf(v));
    for (const Value& v : values)
        texts.push_back(v.null ? nullptr : v.text.constData());
    PGresult* r =
        PQexecPrepared(m_conn, p.name.c_str(), p.params, texts.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(r);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        const QString error = QString::fromUtf8(PQresultErrorMessage(r));
        PQclear(r);
        throw std::runtime_error((sql + ": " + error).toStdString());
    }
    const int rows = PQntuples(r), columns = PQnfields(r);
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < columns; ++c) {
            const char* v = PQgetvalue(r, row, c);
            m_sink += quint64(PQgetlength(r, row, c)) + quint64(static_cast<unsigned char>(*v));
        }
        if (onRow) onRow(r, row);
    }
    m_changed = std::atoi(PQcmdTuples(r));
    PQclear(r);
    return rows;
}

} // namespace vm::bench
