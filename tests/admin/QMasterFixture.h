#pragma once
// A manager logged on to a fresh property (current and archive databases),
// with helpers that seed logbook entries, their text pieces, messages and
// design lines under chosen keys.

#include "admin/QueryMaster.h"
#include "support/TestEnv.h"

namespace vm::test {

class QMasterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        ASSERT_TRUE(env.ctx->hasArchive());
        env.logOn(env.addStaff("Mia Manager", "mia", "MM", true));
    }

    AppContext& ctx() { return *env.ctx; }
    Database& archive() { return *env.ctx->archive; }

    void entry(Database& db, qint64 id, const QString& referDate = "2026/03/01",
               const QVariant& enteredBy = "AD") {
        db.exec("INSERT INTO [LogBook] ([LogID], [ReferDate], [EntryDate], [EnteredBy]) "
                "VALUES (?, ?, ?, ?)",
                {id, referDate, referDate, enteredBy});
    }
    void text(Database& db, qint64 logId, int pieces = 1) {
        for (int i = 1; i <= pieces; ++i)
            db.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)",
                    {logId, i, "piece"});
    }
    void message(qint64 timerId, qint64 logbookId, const QVariant& to = "Mia Manager",
                 bool withText = true) {
        env.db().exec("INSERT INTO [MsgTimer] ([TimerID], [LogbookID], [ConciergeName], "
                      "[MsgDateTime]) VALUES (?, ?, ?, ?)",
                      {timerId, logbookId, to, "2026/03/14 09:00"});
        if (withText) messageText(timerId);
    }
    void messageText(qint64 timerId) {
        env.db().exec("INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, 1, ?)",
                      {timerId, "Call back"});
    }
    qint64 count(Database& db, const QString& sql, const QVariantList& params = {}) {
        return db.scalar(sql, params).toLongLong();
    }
    qint64 count(const QString& sql, const QVariantList& params = {}) {
        return count(env.db(), sql, params);
    }

    // Runs a query; answers its lines.
    QStringList run(QueryKind kind, const QString& table = {}, const QStringList& fields = {},
                    const QString& value = {}) {
        QStringList out;
        master.run({kind, table, fields, {}, {}, value}, out);
        return out;
    }

    TestEnv env;
    QueryMaster master{*env.ctx};
};

} // namespace vm::test
