#include "core/LongText.h"
#include "core/Databases.h"
#include "core/Settings.h"
#include "core/Upgrade.h"
#include "support/TestEnv.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {

class LongText : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    QStringList pieces(Database& db, qint64 key, const QString& kind) {
        QStringList out;
        for (const Row& r : db.query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? "
                                     "AND [EvConType] = ? ORDER BY [Sequence]",
                                     {key, kind}))
            out << r.text("NoteField");
        return out;
    }
    void openShared() { env.openShared(); }

    TestEnv env;
};

TEST_F(LongText, TextsAreStoredInPiecesOf255AndReadBackWhole) {
    const QString exact(255, 'a');
    PutECT(*env.ctx, 7, TextKind::ContactNotes, exact);
    EXPECT_EQ(pieces(env.db(), 7, "C").size(), 1);
    EXPECT_EQ(GetECT(*env.ctx, 7, TextKind::ContactNotes), exact);

    const QString longer = QString(255, 'b') + "c";
    PutECT(*env.ctx, 7, TextKind::ContactNotes, longer);
    EXPECT_EQ(pieces(env.db(), 7, "C"), QStringList({QString(255, 'b'), "c"}));
    EXPECT_EQ(GetECT(*env.ctx, 7, TextKind::ContactNotes), longer);

    // The stored form of long texts: double quotes become single ones, "&" stays.
    PutECT(*env.ctx, 7, TextKind::ContactDirections, "  Take the \"A\" train & walk  ");
    EXPECT_EQ(GetECT(*env.ctx, 7, TextKind::ContactDirections), "Take the 'A' train & walk");

    // Blank text leaves no rows; other kinds and owners are untouched.
    PutECT(*env.ctx, 7, TextKind::ContactNotes, "   ");
    EXPECT_TRUE(pieces(env.db(), 7, "C").isEmpty());
    EXPECT_EQ(GetECT(*env.ctx, 7, TextKind::ContactDirections), "Take the 'A' train & walk");
}

TEST_F(LongText, ACharacterBeyondTheBasicPlaneIsNeverCutInTwo) {
    // 254 letters and an emoji (two UTF-16 units) straddle the 255 boundary.
    const QString text = QString(254, 'x') + QString::fromUtf8("\xF0\x9F\x8D\xB7") + "end";
    PutECT(*env.ctx, 3, TextKind::EventNotes, text);
    const QStringList stored = pieces(env.db(), 3, "E");
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].size(), 254);
    EXPECT_EQ(GetECT(*env.ctx, 3, TextKind::EventNotes), text);
}

TEST_F(LongText, ContactAndEventTextsFollowTheSharedDatabaseOthersStayLocal) {
    openShared();
    PutECT(*env.ctx, 4, TextKind::ContactNotes, "Shared notes");
    PutECT(*env.ctx, 4, TextKind::EventNotes, "Shared event");
    PutECT(*env.ctx, 4, TextKind::ProfileNotes, "Local profile");
    EXPECT_EQ(pieces(*env.ctx->common, 4, "C"), QStringList({"Shared notes"}));
    EXPECT_EQ(pieces(*env.ctx->common, 4, "E"), QStringList({"Shared event"}));
    EXPECT_TRUE(pieces(env.db(), 4, "C").isEmpty());
    EXPECT_EQ(pieces(env.db(), 4, "P"), QStringList({"Local profile"}));
    DeleteECT(*env.ctx, 4, {TextKind::ContactNotes, TextKind::ProfileNotes});
    EXPECT_TRUE(pieces(*env.ctx->common, 4, "C").isEmpty());
    EXPECT_TRUE(pieces(env.db(), 4, "P").isEmpty());
    EXPECT_EQ(GetECT(*env.ctx, 4, TextKind::EventNotes), "Shared event");
}

TEST_F(LongText, CategoryLettersMoveOffTheContactNotesCodeOnce) {
    Database& db = env.db();
    const qint64 category =
        db.insert("INSERT INTO [LogType] ([LogType]) VALUES ('Spa')", {}, "LogTypeID");
    ASSERT_GT(category, 0);
    // A database of the time when category letters were kept under "C".
    db.exec("DELETE FROM [VmSettings] WHERE [Key] = 'CategoryLetterCode'");
    db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
            "VALUES (?, 'C', 1, 'Dear guest')",
            {category});
    RunEveryStartSteps(*env.ctx);
    EXPECT_EQ(pieces(db, category, "LC"), QStringList({"Dear guest"}));
    EXPECT_TRUE(pieces(db, category, "C").isEmpty());

    // From then on a contact's notes under the same key are its own.
    PutECT(*env.ctx, category, TextKind::ContactNotes, "Valet parking only");
    RunEveryStartSteps(*env.ctx);
    EXPECT_EQ(pieces(db, category, "C"), QStringList({"Valet parking only"}));
    EXPECT_EQ(pieces(db, category, "LC"), QStringList({"Dear guest"}));
}

} // namespace
