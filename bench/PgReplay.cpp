#include "PgReplay.h"
#include "PgFloor.h"

#include "platform/Database.h"

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <algorithm>
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

// The text of every Query message the client sent, from libpq's trace:
// "F\t<length>\tQuery\t\"<text>\"" (a blank may stand before the quote), where
// the length counts itself (4 bytes), the text and its terminating zero.
QStringList sentQueries(const QByteArray& trace) {
    QStringList out;
    static const QByteArray query = "\tQuery\t";
    qsizetype at = 0;
    while ((at = trace.indexOf(query, at)) >= 0) {
        const qsizetype lineStart = trace.lastIndexOf('\n', at) + 1;
        const QList<QByteArray> head = trace.mid(lineStart, at - lineStart).split('\t');
        qsizetype textAt = at + query.size();
        if (textAt < trace.size() && trace[textAt] == ' ') ++textAt;
        if (head.size() < 2 || head.front() != "F" || textAt >= trace.size() ||
            trace[textAt] != '"') {
            at += query.size();
            continue;
        }
        ++textAt;
        const qsizetype textLength = head.back().toLongLong() - 5;
        if (textLength < 0 || textAt + textLength >= trace.size() ||
            trace[textAt + textLength] != '"')
            throw std::runtime_error("the protocol trace was not read");
        out << QString::fromUtf8(trace.mid(textAt, textLength));
        at = textAt + textLength;
    }
    return out;
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
    for (const QString& text : sentQueries(trace)) {
        if (const auto m = prepare.match(text); m.hasMatch()) {
            prepared.insert(m.captured(1), m.captured(2));
            continue;
        }
        if (text.startsWith("DEALLOCATE ")) continue;
        if (const auto m = execute.match(text); m.hasMatch()) {
            const QString sql = prepared.value(m.captured(1));
            if (sql.isEmpty()) throw std::runtime_error("an EXECUTE of no PREPARE");
            bool ok = false;
            const QVariantList values = ExecuteValues(m.captured(2), &ok);
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
