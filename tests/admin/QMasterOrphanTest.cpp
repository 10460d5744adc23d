// Orphan queries list the rows whose parent KEY is gone, once each, and their
// removal happens in one transaction after a question.

#include "admin/QMasterFixture.h"

namespace vm::test {
namespace {

class QMasterOrphans : public QMasterFixture {
protected:
    // Makes deleting the text of entry `logId` fail on either engine.
    void failDeletingTextOf(qint64 logId) {
        Database& db = env.db();
        if (db.engine() == Engine::SQLite) {
            db.exec("CREATE TRIGGER qm_refuse BEFORE DELETE ON LogText WHEN old.LogID = " +
                    QString::number(logId) + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
            return;
        }
        db.exec("CREATE FUNCTION qm_refuse() RETURNS trigger AS $$ BEGIN IF OLD.logid = " +
                QString::number(logId) +
                " THEN RAISE EXCEPTION 'refused'; END IF; RETURN OLD; END $$ LANGUAGE plpgsql");
        db.exec("CREATE TRIGGER qm_refuse BEFORE DELETE ON logtext FOR EACH ROW EXECUTE "
                "FUNCTION qm_refuse()");
    }
};

TEST_F(QMasterOrphans, LogTextOrphansAreListedOnceAndRemovedAfterTheQuestion) {
    entry(env.db(), 1);
    entry(env.db(), 2, " ", QVariant()); // empty data columns: still a parent
    env.db().exec("UPDATE [LogBook] SET [EntryDate] = NULL WHERE [LogID] = 2");
    text(env.db(), 1, 2);
    text(env.db(), 2);
    text(env.db(), 7, 2);
    text(env.db(), 8);

    EXPECT_EQ(run(QueryKind::OrphanLogText), QStringList({"7", "8", QueryMaster::Footer(6)}));

    QStringList out;
    env.prompt.answer(Answer::No);
    EXPECT_TRUE(master.deleteOrphans(out));
    EXPECT_TRUE(env.prompt.sawPart("Delete the 2 orphan Log Text entries listed?"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 6);

    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(master.deleteOrphans(out));
    EXPECT_EQ(out, QStringList({"Log Text for Key: 7 deleted.", "Log Text for Key: 8 deleted."}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText] WHERE [LogID] IN (7, 8)"), 0);

    // Consistent now: nothing listed, the rows read still counted.
    EXPECT_EQ(run(QueryKind::OrphanLogText), QStringList({QueryMaster::Footer(3)}));
}

TEST_F(QMasterOrphans, AFailureMidwayRemovesNothing) {
    entry(env.db(), 1);
    text(env.db(), 5);
    text(env.db(), 6);
    text(env.db(), 9);
    failDeletingTextOf(6);
    ASSERT_EQ(run(QueryKind::OrphanLogText).size(), 4);

    QStringList out;
    env.prompt.answer(Answer::Yes);
    EXPECT_FALSE(master.deleteOrphans(out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(env.prompt.sawPart("Occurred at:  cmdDelete_Click of Form frmQMaster"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 3);
}

TEST_F(QMasterOrphans, MessageOrphansTestTheParentKey) {
    entry(env.db(), 1);
    entry(archive(), 50);
    message(10, 1);                // about an entry that exists
    message(11, 99);               // about a deleted entry: orphan
    message(12, 0, "Mia", false);  // about no entry, no text
    message(13, 0, QVariant());    // no recipient name, with text
    message(14, 50);               // about an archived entry
    message(15, -1, "Mia", false); // disposed of
    messageText(77);               // text of no message

    EXPECT_EQ(run(QueryKind::OrphanLogMsgs), QStringList({"11", QueryMaster::Footer(3)}));
    EXPECT_EQ(run(QueryKind::OrphanMsgText), QStringList({"77", QueryMaster::Footer(5)}));
    EXPECT_EQ(run(QueryKind::OrphanMessages), QStringList({"12", QueryMaster::Footer(2)}));

    // Removing a message about a deleted entry takes its text too.
    run(QueryKind::OrphanLogMsgs);
    QStringList out;
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(master.deleteOrphans(out));
    EXPECT_EQ(out, QStringList({"Message Entry for Key: 11 deleted."}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgTimer]"), 5);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgText] WHERE [TimerID] = 11"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [MsgText] WHERE [TimerID] = 13"), 1);
}

TEST_F(QMasterOrphans, DesignLinesAndCodedOrphansUseTheChosenKeys) {
    const qint64 category =
        env.db().insert("INSERT INTO [LogType] ([LogType]) VALUES (?)", {"Dining"}, "LogTypeID");
    for (const qint64 id : {category, category, qint64(999)})
        env.db().exec("INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo]) VALUES (?, 1)", {id});
    EXPECT_EQ(run(QueryKind::OrphanDEDesign), QStringList({"999", QueryMaster::Footer(3)}));

    // The same through the coded orphan query.
    QStringList out;
    master.run({QueryKind::OrphanX, "DEDesign", {"LogTypeID"}, "LogType", "LogTypeID", {}}, out);
    EXPECT_EQ(out, QStringList({"999", QueryMaster::Footer(3)}));
}

} // namespace
} // namespace vm::test
