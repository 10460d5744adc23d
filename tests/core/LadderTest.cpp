#include "core/Databases.h"
#include "core/Settings.h"
#include "core/schema/Schema.h"
#include "core/schema/SchemaBuilder.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

namespace {

// Opens the property with a hook that records every ladder step it runs.
QList<int> openRecordingSteps(TestEnv& env) {
    QList<int> ran;
    UpgradeHooks hooks;
    hooks.beforeStep = [&](int level) { ran << level; };
    EXPECT_EQ(env.open(hooks), 0) << env.prompt.texts().join("\n").toStdString();
    return ran;
}

void setLevel(TestEnv& env, int level) {
    UpdateDBLevel(env.db(), level);
    CloseDatabase(*env.ctx);
}

} // namespace

TEST(Ladder, EveryDeclaredLevelIsALadderStep) {
    for (const schema::Table& t : schema::Registry::all().tables()) {
        if (t.createdAt) {
            EXPECT_TRUE(LadderLevels().contains(t.createdAt)) << t.name.toStdString();
        }
        for (const schema::Column& c : t.columns) {
            if (c.addedAt) {
                EXPECT_TRUE(LadderLevels().contains(c.addedAt))
                    << (t.name + "." + c.name).toStdString();
            }
        }
        for (const schema::Index& ix : t.indexes) {
            if (ix.addedAt) {
                EXPECT_TRUE(LadderLevels().contains(ix.addedAt))
                    << (t.name + " " + ix.columns.join(",")).toStdString();
            }
        }
    }
    EXPECT_FALSE(LadderLevels().contains(81049));
}

TEST(Ladder, BaseDatabaseLacksWhatTheLadderAdds) {
    TestEnv env;
    env.createBaseOnly();
    EXPECT_EQ(StoredLevel(env.db()), 81045);
    EXPECT_FALSE(env.db().tableExists("VmSettings"));
    EXPECT_FALSE(env.db().tableExists("GlobalString"));
    EXPECT_FALSE(env.db().columnExists("Concierge", "AllRentals"));
    EXPECT_TRUE(env.db().columnExists("Concierge", "Restricted"));
}

TEST(Ladder, LevelBelowBaseIsRefusedWithTheVersionMessage) {
    TestEnv env;
    env.createBaseOnly();
    setLevel(env, 81044);
    EXPECT_NE(env.open(), 0);
    ASSERT_FALSE(env.prompt.shown.isEmpty());
    EXPECT_TRUE(env.prompt.last().startsWith("You must update Velmora to Version 8.6.002\r\n with "
                                             "Database Update Level of 81045 before installing"));
    EXPECT_TRUE(env.prompt.last().endsWith("The program will now terminate.  Thank you."));
    EXPECT_EQ(env.ctx->current, nullptr) << "the databases are closed before the stop";
}

TEST(Ladder, BaseLevelRunsEveryStepAndTheirDataChanges) {
    TestEnv env;
    env.createBaseOnly();
    const qint64 restricted = env.addStaff("Rita Restricted", "RITA", "RR", false, true);
    env.db().exec("INSERT INTO [FailedLogOns] ([LogDateTime]) VALUES ('2020/01/01 10:00')");
    env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                  "VALUES (1, 'F', 1, 'old code')");
    CloseDatabase(*env.ctx);

    EXPECT_EQ(openRecordingSteps(env), LadderLevels());
    Database& db = env.db();
    EXPECT_EQ(StoredLevel(db), schema::CurrentLevel);
    EXPECT_EQ(db.scalar("SELECT [MsgSource] FROM [FailedLogOns]").toString(), "U");
    // Members who were there before the card-viewing count start at 0.
    EXPECT_EQ(
        db.scalar("SELECT [CCViewFailures] FROM [Concierge] WHERE [ConciergeID] = ?", {restricted})
            .toInt(),
        0);
    EXPECT_EQ(db.scalar("SELECT [EvConType] FROM [EvConText]").toString(), "F0");
    EXPECT_EQ(db.scalar("SELECT [PMSDateType] FROM [Authorization]").toString(), "YYYY/MM/DD");
    // Unrestricted staff see all rentals, restricted staff do not.
    EXPECT_FALSE(
        db.queryOne("SELECT [AllRentals] FROM [Concierge] WHERE [ConciergeID] = ?", {restricted})
            ->flag("AllRentals"));
    EXPECT_TRUE(db.queryOne("SELECT [AllRentals] FROM [Concierge] WHERE [UserProfile] = "
                            "'CONCIERGE'")
                    ->flag("AllRentals"));
    // The rights string already stored is kept.
    EXPECT_EQ(
        db.scalar("SELECT [Others] FROM [ConciergePlus] WHERE [ConciergeID] = ?", {restricted})
            .toString(),
        "1111111111111101111011100");
    EXPECT_EQ(db.column("LostAndFound", "ItemText")->textSize, 250);
    EXPECT_EQ(db.column("LostAndFound", "EmailAddress")->textSize, 250);
}

TEST(Ladder, LevelWithoutAStepIsSkipped) {
    TestEnv env;
    env.createBaseOnly();
    setLevel(env, 81048);
    const QList<int> ran = openRecordingSteps(env);
    ASSERT_FALSE(ran.isEmpty());
    EXPECT_EQ(ran.first(), 81050);
    EXPECT_FALSE(env.db().tableExists("EventSE")) << "81047 belongs to the skipped levels";
    EXPECT_TRUE(env.db().tableExists("VmSettings"));
}

TEST(Ladder, CurrentLevelRunsOnlyTheEveryStartSteps) {
    TestEnv env;
    env.openOrFail();
    SetValueFromKey(env.db(), "SpaSoftPropertyID", "77");
    env.db().exec(
        "INSERT INTO [Concierge] ([Concierge], [Status]) VALUES ('Orvanta Support', 'A')");
    CloseDatabase(*env.ctx);

    EXPECT_TRUE(openRecordingSteps(env).isEmpty());
    Database& db = env.db();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [SpaSoftLogbookMapping]").toInt(), 14);
    EXPECT_EQ(db.scalar("SELECT [SpaSoftElementNameFriendly] FROM [SpaSoftLogbookMapping] WHERE "
                        "[ID] = 10")
                  .toString(),
              "Deposit Required");
    // Enhanced encryption is on in a new property: the maker's account goes.
    EXPECT_EQ(
        db.scalar("SELECT COUNT(*) FROM [Concierge] WHERE [Concierge] = 'Orvanta Support'").toInt(),
        0);
}

TEST(Ladder, InterruptedStepLeavesNothingAndResumesThere) {
    TestEnv env;
    env.createBaseOnly();
    CloseDatabase(*env.ctx);
    UpgradeHooks failing;
    failing.beforeStep = [](int level) {
        if (level == 81055) throw DbError(3000, "power cut");
    };
    EXPECT_NE(env.open(failing), 0);
    EXPECT_TRUE(env.prompt.sawPart("Occurred at:  GetGlobalValues of Module modWhereDB"));

    env.prompt.clear();
    const QList<int> ran = openRecordingSteps(env);
    ASSERT_FALSE(ran.isEmpty());
    EXPECT_EQ(ran.first(), 81055);
    EXPECT_EQ(StoredLevel(env.db()), schema::CurrentLevel);
    EXPECT_TRUE(env.db().tableExists("VmSettings"));
}

TEST(Ladder, TimeSlotCodesBecomeClockTimes) {
    const QList<std::pair<QString, QString>> cases = {
        {"1", "08:00"},  {"3", "12:00"},  {"6", "20:00"},     {"0", ""},
        {"30", "00:00"}, {"90", "01:00"}, {"10:30", "10:30"}, {"07:45 PM", "07:45 PM"},
    };
    for (const auto& [code, time] : cases)
        EXPECT_EQ(ConvertReferTimeCode(code), time) << code.toStdString();
}

TEST(Ladder, FieldSizeChangeLeavesOtherFieldsAloneAndKeepsData) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    // Same size and non-text fields: nothing to do.
    EXPECT_FALSE(schema::change_field_size(db, "LostAndFound", "ItemText", 250));
    EXPECT_FALSE(schema::change_field_size(db, "Concierge", "ConciergeID", 40));
    EXPECT_FALSE(schema::change_field_size(db, "Concierge", "Authorized", 40));
    // A real change keeps the values and any index on the column.
    const qint64 id = env.addStaff("Ann Able", "ANN", "AA");
    EXPECT_TRUE(schema::change_field_size(db, "Concierge", "Initials", 8));
    EXPECT_EQ(db.column("Concierge", "Initials")->textSize, 8);
    EXPECT_EQ(
        db.scalar("SELECT [Initials] FROM [Concierge] WHERE [ConciergeID] = ?", {id}).toString(),
        "AA");
    EXPECT_THROW(env.addStaff("Another Able", "ANN2", "AA"), DbError) << "unique index kept";
}

TEST(Ladder, APropertyOfAnEarlierLevelGainsTheLogbookIndexesOfLaterOnes) {
    struct Case {
        int level; // the property's level before opening
        QString index;
        QList<int> steps;
    };
    const QList<Case> cases{
        {81064, "ix_logbook_complete_cancelled_referdate", {81065, 81066}},
        {81065, "ix_logbook_enteredby_referdate", {81066}},
        {81065, "ix_logbook_enteredby_entrydate", {81066}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index.toStdString());
        TestEnv env;
        env.openOrFail();
        auto indexed = [&] {
            return env.db()
                .scalar(UsingPostgres() ? "SELECT 1 FROM pg_indexes WHERE schemaname = "
                                          "current_schema() AND indexname = ?"
                                        : "SELECT 1 FROM sqlite_master WHERE type = 'index' AND "
                                          "name = ?",
                        {c.index})
                .isValid();
        };
        ASSERT_TRUE(indexed());
        env.db().exec("DROP INDEX " + env.db().quoteName(c.index));
        setLevel(env, c.level);
        EXPECT_EQ(openRecordingSteps(env), c.steps);
        EXPECT_TRUE(indexed());
    }
}
