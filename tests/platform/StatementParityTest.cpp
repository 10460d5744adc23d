// The program's own statement layers (SQLite's C API, libpq on a server) against
// Qt SQL on the same connection: the same values go in and the same values,
// of the same types, come out, so no caller can tell which path ran.

#include "platform/Database.h"
#include "platform/PgStatements.h"
#include "support/TestEnv.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

using namespace vm;
using namespace vm::test;

namespace {

void makeKinds(Database& db) {
    const bool pg = db.engine() == Engine::PostgreSQL;
    db.exec(QString("CREATE TABLE [Kinds] ([ID] INTEGER PRIMARY KEY, [Name] %1, [Amount] %2, "
                    "[Flag] BOOLEAN, [At] TIMESTAMP, [Raw] %3, [Count] %4)")
                .arg(pg ? "public.citext" : "VARCHAR(50) COLLATE NOCASE",
                     pg ? "DOUBLE PRECISION" : "REAL", pg ? "BYTEA" : "BLOB",
                     pg ? "BIGINT" : "INTEGER"));
}

const QString InsertKind = "INSERT INTO [Kinds] ([ID], [Name], [Amount], [Flag], [At], [Raw], "
                           "[Count]) VALUES (?, ?, ?, ?, ?, ?, ?)";

// The values of one row, as callers bind them.
QList<QVariantList> kindRows() {
    return {
        {1, QString::fromUtf8("  Zoë's \"room\" 12 \U0001F511  "), 2.5, true,
         QDateTime(QDate(2026, 3, 4), QTime(7, 8, 9)),
         QByteArray("a\0b'\\", 5), qlonglong(9000000000)},
        {2, QString(), QVariant(), false, QDate(2026, 12, 31), QByteArray(), qlonglong(-4)},
        {3, QString(" "), 1.0 / 3, QVariant(), QDateTime(), QByteArray("x"), 0},
        {4, QString("\u00a0wide ends\u2028"), -0.0, true, QString("2026-01-02 03:04:05"),
         QByteArray("\xff\x00", 2), QVariant()},
    };
}

// The same statement through Qt SQL on the program's connection.
QSqlQuery throughQt(Database& db, const QString& sql, const QVariantList& params = {}) {
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    EXPECT_TRUE(q.prepare(db.translate(sql))) << q.lastError().text().toStdString();
    for (const QVariant& v : params) {
        // Qt SQL writes dates in its own form; the program writes the engine's.
        if (v.typeId() == QMetaType::QDateTime)
            q.addBindValue(v.toDateTime().isValid()
                               ? QVariant(v.toDateTime().toString(EngineDateTime))
                               : QVariant());
        else if (v.typeId() == QMetaType::QDate)
            q.addBindValue(QVariant(v.toDate().toString(EngineDate)));
        else if (v.typeId() == QMetaType::Bool && db.engine() == Engine::SQLite)
            q.addBindValue(v.toBool() ? 1 : 0);
        else
            q.addBindValue(v);
    }
    EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
    return q;
}

bool sameValue(const QVariant& ours, const QVariant& qt) {
    if (ours.typeId() != qt.typeId() || ours.isNull() != qt.isNull()) return false;
    if (ours.typeId() == QMetaType::Double && std::isnan(ours.toDouble()))
        return std::isnan(qt.toDouble());
    return ours == qt;
}

std::string shown(const QVariant& v) {
    return (QString(v.typeName()) + (v.isNull() ? " null " : " ") + v.toString()).toStdString();
}

} // namespace

TEST(StatementParity, RowsReadTheSameTypesAndValuesAsThroughQtSql) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    makeKinds(db);
    for (const QVariantList& row : kindRows())
        db.exec(InsertKind, row);

    const bool pg = db.engine() == Engine::PostgreSQL;
    // Stored columns and the kinds of value a statement computes.
    const QString sql =
        QString("SELECT [Kinds].*, COUNT(*) OVER () AS [Rows], [Amount] * 2 AS [Twice], "
                "[ID] + 0.5 AS [Half], %1 AS [Day], %2 AS [Ratio], [Name] || ? AS [Joined] "
                "FROM [Kinds] WHERE [ID] >= ? ORDER BY [ID]")
            .arg(pg ? "CAST([At] AS DATE)" : "date([At])",
                 pg ? "CAST([ID] AS NUMERIC) / 3" : "[ID] / 3.0");
    const QVariantList params = {QString("!"), 1};

    // Qt's rows are read first: a server connection runs one statement at a time.
    std::vector<QVariantList> qtRows;
    QStringList qtNames;
    {
        QSqlQuery qt = throughQt(db, sql, params);
        while (qt.next()) {
            QVariantList values;
            for (int i = 0; i < qt.record().count(); ++i)
                values << qt.value(i);
            qtRows.push_back(values);
            if (qtNames.isEmpty())
                for (int i = 0; i < qt.record().count(); ++i)
                    qtNames << qt.record().fieldName(i);
        }
    }
    std::vector<Row> streamed;
    std::vector<QStringList> liveTexts, liveTrimmed; // read where the statement stands
    db.forEach(sql, params, [&](const Row& r) {
        streamed.push_back(r); // a copy taken while the row stands on the statement
        QStringList texts, trimmed;
        for (int i = 0; i < r.count(); ++i) {
            texts << r.text(i);
            trimmed << r.trimmedText(i);
        }
        liveTexts.push_back(texts);
        liveTrimmed.push_back(trimmed);
        return true;
    });
    const std::vector<Row> collected = db.query(sql, params);
    ASSERT_EQ(collected.size(), 4u);
    ASSERT_EQ(streamed.size(), 4u);
    ASSERT_EQ(qtRows.size(), collected.size());
    for (size_t at = 0; at < qtRows.size(); ++at) {
        const Row& ours = collected[at];
        ASSERT_EQ(ours.count(), qtNames.size());
        for (int i = 0; i < ours.count(); ++i) {
            SCOPED_TRACE(QString("row %1, %2").arg(at).arg(ours.name(i)).toStdString());
            EXPECT_EQ(ours.name(i), qtNames[i]);
            const QVariant want = qtRows[at][i];
            EXPECT_TRUE(sameValue(ours.value(i), want))
                << shown(ours.value(i)) << " against " << shown(want);
            EXPECT_TRUE(sameValue(streamed[at].value(i), want)) << shown(streamed[at].value(i));
            // The text forms read straight from the engine's bytes agree with the value.
            const QString text = want.isNull() ? QString() : want.toString();
            EXPECT_EQ(ours.text(i), text);
            EXPECT_EQ(ours.trimmedText(i), text.trimmed());
            EXPECT_EQ(liveTexts[at][i], text);
            EXPECT_EQ(liveTrimmed[at][i], text.trimmed());
            QByteArray utf8;
            ours.appendUtf8(i, utf8);
            EXPECT_EQ(utf8, text.toUtf8());
            qint64 whole = 0;
            if (ours.integer(i, whole)) {
                EXPECT_EQ(whole, want.toLongLong());
            }
            EXPECT_EQ(ours.number(i), want.toLongLong());
        }
    }
}

TEST(StatementParity, ValuesBoundAreStoredAsQtSqlStoresThem) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    makeKinds(db);
    const QList<QVariantList> rows = kindRows();
    for (const QVariantList& row : rows) {
        db.exec(InsertKind, row);
        QVariantList twin = row;
        twin[0] = row[0].toInt() + 100;
        throughQt(db, InsertKind, twin);
    }
    const QString one = "SELECT * FROM [Kinds] WHERE [ID] = ?";
    for (const QVariantList& row : rows) {
        const int id = row[0].toInt();
        SCOPED_TRACE(id);
        const auto ours = db.queryOne(one, {id});
        const auto qts = db.queryOne(one, {id + 100});
        ASSERT_TRUE(ours && qts);
        for (int i = 1; i < ours->count(); ++i)
            EXPECT_TRUE(sameValue(ours->value(i), qts->value(i)))
                << ours->name(i).toStdString() << ": " << shown(ours->value(i)) << " against "
                << shown(qts->value(i));
    }
    // Values compare in statements as they were bound.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Kinds] WHERE [Flag] = ? AND [Amount] > ?",
                        {true, 2.4})
                  .toInt(),
              2);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Kinds] WHERE [Name] = ?",
                        {QString::fromUtf8("  ZOë'S \"ROOM\" 12 \U0001F511  ")})
                  .toInt(),
              2);
}

TEST(StatementParity, ManyStatementsAnswerRightAndTheServerKeepsABoundedNumber) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    for (int i = 0; i < 300; ++i)
        db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('Many', ?)",
                {QString::number(i)});
    const QString base = "SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'Many' AND ";
    for (int n = 1; n <= 260; ++n) {
        const QString marks = QString("?, ").repeated(n).chopped(2);
        QVariantList values;
        for (int k = 0; k < n; ++k)
            values << QString::number(k * 2);
        // A "?" inside a literal or a quoted name is text, not a value.
        const QString sql = base + "[OtherValue] IN (" + marks + ") AND '?' <> [OtherValue]";
        ASSERT_EQ(db.scalar(sql, values).toInt(), std::min(n, 150)) << n;
    }
    if (db.engine() == Engine::PostgreSQL) {
        // The statements are kept on the server, not prepared anew for each run.
        const int kept = db.scalar("SELECT COUNT(*) FROM pg_prepared_statements").toInt();
        EXPECT_GE(kept, 50);
        EXPECT_LE(kept, 201);
    }
}

TEST(StatementParity, AFailedStatementLeavesTheConnectionAndItsTransactionsUsable) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QString divide = "SELECT 10 / [OtherID] FROM [Other] WHERE [OtherType] = ?";
    db.exec("INSERT INTO [Other] ([OtherID], [OtherType], [OtherValue]) VALUES (0, 'Zero', 'z')");
    if (db.engine() == Engine::PostgreSQL) {
        try {
            db.query(divide, {"Zero"});
            ADD_FAILURE() << "a division by zero answered";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description().contains("division by zero")) << e.what();
            EXPECT_TRUE(e.description().contains("22012")) << e.what();
        }
        // A failure inside a transaction undoes the transaction's writes.
        EXPECT_THROW(db.transaction([&] {
            db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('Lost', 'l')");
            db.query(divide, {"Zero"});
        }),
                     DbError);
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = ?", {"Lost"}).toInt(),
                  0);
    }
    // The same kept statement runs again, inside and outside a transaction.
    db.exec("UPDATE [Other] SET [OtherID] = 5 WHERE [OtherType] = ?", {"Zero"});
    EXPECT_EQ(db.scalar(divide, {"Zero"}).toInt(), 2);
    db.transaction([&] { EXPECT_EQ(db.scalar(divide, {"Zero"}).toInt(), 2); });
}

TEST(StatementParity, OnlySingleStatementsThatCanBePreparedAreKept) {
    for (const char* yes : {"SELECT 1", "  select 1;  ", "(SELECT 1) UNION (SELECT 2)",
                            "WITH a AS (SELECT 1) SELECT * FROM a", "INSERT INTO t VALUES (';')",
                            "update t set a = 1", "DELETE FROM t WHERE \"a;b\" = 1"})
        EXPECT_TRUE(PgStatements::preparable(yes)) << yes;
    for (const char* no : {"CREATE TABLE t (a int)", "SET search_path TO x", "BEGIN",
                           "SELECT 1; SELECT 2", "ALTER TABLE t ADD b int", ""})
        EXPECT_FALSE(PgStatements::preparable(no)) << no;
    int count = 0;
    EXPECT_EQ(PgStatements::numberedPlaceholders(
                  "SELECT '?', \"a?\" FROM t WHERE a = ? AND b IN (?, ?) AND c = 'it''s ?'", &count),
              "SELECT '?', \"a?\" FROM t WHERE a = $1 AND b IN ($2, $3) AND c = 'it''s ?'");
    EXPECT_EQ(count, 3);
}
