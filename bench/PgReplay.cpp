#include "PgReplay.h"
#include "PgFloor.h"

#include "platform/Database.h"

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <libpq-fe.h>
#include <stdexcept>

namespace vm::bench {

namespace {

PGconn* connectionOf(Database& db) {
    const QVariant h = db.handle().driver()->handle();
    PGconn* conn = *static_cast<PGconn* const*>(h.constData());
    if (!conn) throw std::runtime_error("the program's connection is no server connection");
    return conn;
}

// The rows the server sent back: its DataRow messages in the trace.
qint64 rowsReceived(const QByteArray& trace) {
    static const QByteArray row = "\tDataRow\t";
    qint64 rows = 0;
    for (qsizetype at = 0; (at = trace.indexOf(row, at)) >= 0; at += row.size()) {
        const qsizetype lineStart = trace.lastIndexOf('\n', at) + 1;
        if (trace.mid(lineStart, 2) == "B\t") ++rows;
    }
    return rows;
}

// The statements of a script the program sent at once (its deferred writes,
// joined with ";\n"): a kept statement holds one.
QStringList statementsOf(const QString& text) {
    QStringList out;
    for (const QString& s : text.split(";\n", Qt::SkipEmptyParts))
        if (!s.trimmed().isEmpty()) out << s;
    return out;
}

// The client's Query, Parse and Bind messages in the order they were sent:
// "F\t<length>\t<Type>\t<fields>".  The length counts itself (4 bytes) and
// the message's fields; a query text is written raw (it may hold line ends),
// so it is read by that length.
struct Message {
    QByteArray type;
    QByteArray name;   // Parse: the statement's name
    QString text;      // Query, Parse: the statement text
    QByteArray fields; // Bind: the fields as the trace writes them
};

std::vector<Message> clientMessages(const QByteArray& trace) {
    std::vector<Message> out;
    qsizetype at = 0;
    while (at < trace.size()) {
        qsizetype next = trace.indexOf('\n', at);
        if (next < 0) next = trace.size();
        if (trace.mid(at, 2) == "F\t") {
            const qsizetype lengthEnd = trace.indexOf('\t', at + 2);
            const qsizetype typeEnd = lengthEnd < 0 ? -1 : trace.indexOf('\t', lengthEnd + 1);
            if (typeEnd > 0 && typeEnd < next) {
                const qint64 length = trace.mid(at + 2, lengthEnd - at - 2).toLongLong();
                const QByteArray type = trace.mid(lengthEnd + 1, typeEnd - lengthEnd - 1);
                qsizetype from = typeEnd + 1;
                auto textOf = [&](qsizetype textLength) {
                    if (from < trace.size() && trace[from] == ' ') ++from;
                    if (textLength < 0 || from >= trace.size() || trace[from] != '"' ||
                        from + 1 + textLength >= trace.size() ||
                        trace[from + 1 + textLength] != '"')
                        throw std::runtime_error("the protocol trace was not read");
                    const QString text = QString::fromUtf8(trace.mid(from + 1, textLength));
                    from += textLength + 2;
                    next = trace.indexOf('\n', from);
                    if (next < 0) next = trace.size();
                    return text;
                };
                if (type == "Query") {
                    out.push_back({type, {}, textOf(length - 5), {}});
                } else if (type == "Parse") {
                    // 4 + (name + 1) + (text + 1) + 2: no parameter types are sent.
                    if (from < trace.size() && trace[from] == ' ') ++from;
                    const qsizetype nameEnd = trace.indexOf('"', from + 1);
                    const QByteArray name = trace.mid(from + 1, nameEnd - from - 1);
                    from = nameEnd + 1;
                    out.push_back({type, name, textOf(length - 8 - name.size()), {}});
                } else if (type == "Bind") {
                    out.push_back({type, {}, {}, trace.mid(from, next - from)});
                }
            }
        }
        at = next + 1;
    }
    return out;
}

// Reads the fields of a Bind line: ` "portal" "statement" n f... n (len 'bytes')... n f...`.
// The trace writes a byte it cannot print as \xNN (a byte over 127 sign-extended
// as \xffffffNN); the printed length of each value tells where it ends.
class BindReader {
public:
    explicit BindReader(const QByteArray& fields) : m_s(fields) {}

    QByteArray quoted() {
        skipBlank();
        if (m_at >= m_s.size() || m_s[m_at] != '"') fail();
        const qsizetype end = m_s.indexOf('"', m_at + 1);
        if (end < 0) fail();
        const QByteArray out = m_s.mid(m_at + 1, end - m_at - 1);
        m_at = end + 1;
        return out;
    }
    qint64 number() {
        skipBlank();
        const qsizetype start = m_at;
        if (m_at < m_s.size() && m_s[m_at] == '-') ++m_at;
        while (m_at < m_s.size() && std::isdigit(uchar(m_s[m_at])))
            ++m_at;
        if (m_at == start) fail();
        return m_s.mid(start, m_at - start).toLongLong();
    }
    QByteArray bytes(qint64 length) {
        skipBlank();
        if (m_at >= m_s.size() || m_s[m_at] != '\'') fail();
        ++m_at;
        QByteArray out;
        while (out.size() < length) {
            if (m_at >= m_s.size()) fail();
            if (m_s[m_at] == '\\' && m_at + 3 < m_s.size() && m_s[m_at + 1] == 'x') {
                const bool wide = m_s.mid(m_at + 2, 6) == "ffffff";
                const qsizetype digits = m_at + (wide ? 8 : 2);
                bool ok = false;
                const int byte = m_s.mid(digits, 2).toInt(&ok, 16);
                if (ok) {
                    out += char(byte);
                    m_at = digits + 2;
                    continue;
                }
            }
            out += m_s[m_at++];
        }
        if (m_at >= m_s.size() || m_s[m_at] != '\'') fail();
        ++m_at;
        return out;
    }

private:
    void skipBlank() {
        while (m_at < m_s.size() && m_s[m_at] == ' ')
            ++m_at;
    }
    [[noreturn]] void fail() {
        throw std::runtime_error("a Bind message of the trace was not read: " +
                                 m_s.left(200).toStdString());
    }
    const QByteArray& m_s;
    qsizetype m_at = 0;
};

SentStatement boundStatement(const QByteArray& fields, const QHash<QByteArray, QString>& named) {
    BindReader read(fields);
    read.quoted(); // the portal
    const QByteArray name = read.quoted();
    for (qint64 formats = read.number(); formats > 0; --formats)
        read.number();
    QVariantList values;
    for (qint64 count = read.number(); count > 0; --count) {
        const qint64 length = read.number();
        values << (length < 0 ? QVariant() : QVariant(QString::fromUtf8(read.bytes(length))));
    }
    const QString sql = named.value(name);
    if (sql.isEmpty())
        throw std::runtime_error("a Bind of a statement not prepared: " + name.toStdString());
    return {sql, values};
}

} // namespace

QVariantList ExecuteValues(const QString& list, bool* ok) {
    QVariantList out;
    *ok = false;
    qsizetype i = 0;
    const qsizetype n = list.size();
    auto skipBlanks = [&] {
        while (i < n && list[i].isSpace())
            ++i;
    };
    skipBlanks();
    if (i == n) {
        *ok = true;
        return out;
    }
    for (;;) {
        skipBlanks();
        if (i < n && list[i] == '\'') {
            QString text;
            ++i;
            for (;;) {
                if (i >= n) return {};
                if (list[i] == '\'') {
                    if (i + 1 < n && list[i + 1] == '\'') {
                        text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += list[i++];
            }
            out << text;
        } else {
            const qsizetype start = i;
            while (i < n && list[i] != ',')
                ++i;
            const QString word = list.mid(start, i - start).trimmed();
            if (word.isEmpty() || word.contains('\'')) return {};
            const QString upper = word.toUpper();
            if (upper == "NULL")
                out << QVariant();
            else if (upper == "TRUE")
                out << true;
            else if (upper == "FALSE")
                out << false;
            else
                out << word;
        }
        skipBlanks();
        if (i == n) break;
        if (list[i] != ',') return {};
        ++i;
    }
    *ok = true;
    return out;
}

std::vector<SentStatement> RecordSent(Database& db, const std::function<void()>& work,
                                      qint64* rowsSent) {
    PGconn* conn = connectionOf(db);
    // The statements the program keeps prepared on the server, by name, read
    // before the work: the work may deallocate some it ran once it keeps
    // more than it may.
    QHash<QByteArray, QString> named;
    {
        PGresult* r = PQexec(conn, "SELECT name, statement FROM pg_prepared_statements");
        for (int i = 0; i < PQntuples(r); ++i)
            named.insert(PQgetvalue(r, i, 0), QString::fromUtf8(PQgetvalue(r, i, 1)));
        PQclear(r);
    }
    std::FILE* file = std::tmpfile();
    if (!file) throw std::runtime_error("no file for the protocol trace");
    PQtrace(conn, file);
    PQsetTraceFlags(conn, PQTRACE_SUPPRESS_TIMESTAMPS);
    try {
        work();
    } catch (...) {
        PQuntrace(conn);
        std::fclose(file);
        throw;
    }
    PQuntrace(conn);
    std::rewind(file);
    QByteArray trace;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        trace.append(buffer, qsizetype(got));
    std::fclose(file);

    static const QRegularExpression prepare(R"(^PREPARE (\S+) AS (.*)$)",
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression execute(R"(^EXECUTE (\S+)(?: \((.*)\))?$)",
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression parameter(R"(\$(\d+))");
    QHash<QString, QString> prepared;
    if (rowsSent) *rowsSent = rowsReceived(trace);
    std::vector<SentStatement> out;
    // Statements the program keeps prepared go as Parse (once) and Bind (each
    // run) messages; the others as Query messages of SQL text.
    for (const Message& m : clientMessages(trace)) {
        if (m.type == "Parse") {
            named.insert(m.name, m.text);
            continue;
        }
        if (m.type == "Bind") {
            out.push_back(boundStatement(m.fields, named));
            continue;
        }
        const QString& text = m.text;
        if (const auto p = prepare.match(text); p.hasMatch()) {
            prepared.insert(p.captured(1), p.captured(2));
            continue;
        }
        if (text.startsWith("DEALLOCATE ")) continue;
        if (const auto e = execute.match(text); e.hasMatch()) {
            const QString sql = prepared.value(e.captured(1));
            if (sql.isEmpty()) throw std::runtime_error("an EXECUTE of no PREPARE");
            bool ok = false;
            const QVariantList values = ExecuteValues(e.captured(2), &ok);
            int highest = 0;
            for (auto p = parameter.globalMatch(sql); p.hasNext();)
                highest = std::max(highest, p.next().captured(1).toInt());
            if (!ok || values.size() != highest)
                throw std::runtime_error(
                    ("the values of an EXECUTE were not read: " + text.left(200)).toStdString());
            out.push_back({sql, values});
            continue;
        }
        for (const QString& one : statementsOf(text))
            out.push_back({one, {}});
    }
    return out;
}

size_t RunSent(PgFloor& floor, const std::vector<SentStatement>& statements) {
    size_t rows = 0;
    for (const SentStatement& s : statements)
        rows += size_t(floor.run(s.sql, s.params));
    return rows;
}

} // namespace vm::bench
