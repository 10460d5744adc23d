#include "core/Settings.h"
#include "core/Databases.h"
#include "core/Staff.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

TEST(Settings, AccessorsMapLogicalNamesToColumns) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    db.exec(
        "UPDATE [Authorization] SET [NewBool03] = ?, [FutureT3] = 'Canada', [OTHotelID] = 42.5, "
        "[EventStyle] = 3",
        {true});
    EXPECT_TRUE(GetBooleanSetting(db, "NoCreditCards"));
    EXPECT_TRUE(GetBooleanSetting(db, "nocreditcards")) << "names ignore case";
    EXPECT_FALSE(GetBooleanSetting(db, "NoMessaging"));
    EXPECT_EQ(GetTextSetting(db, "DefaultCountry"), "Canada");
    EXPECT_DOUBLE_EQ(GetDoubleSetting(db, "OTHotelID"), 42.5);
    EXPECT_EQ(GetIntegerSetting(db, "EventStyle"), 3);
    // Null columns and unknown names give the type's default.
    EXPECT_EQ(GetTextSetting(db, "Tickler"), "");
    EXPECT_FALSE(GetBooleanSetting(db, "NoSuchSwitch"));
    EXPECT_EQ(GetTextSetting(db, "NoSuchText"), "");
    EXPECT_EQ(GetDoubleSetting(db, "NoSuchNumber"), 0.0);
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    ASSERT_TRUE(SetBooleanSetting(db, "KeyControlEnabled", true));
    EXPECT_TRUE(db.queryOne("SELECT [FutureB19] FROM [Authorization]")->flag("FutureB19"));
    EXPECT_FALSE(SetBooleanSetting(db, "NoSuchSwitch", true));
}

TEST(Settings, FailedLogonLimitDefaultsToThree) {
    for (const auto& [stored, expected] :
         QList<std::pair<QVariant, int>>{{QVariant(), 3}, {QVariant(0), 3}, {QVariant(5), 5}}) {
        TestEnv env;
        env.openOrFail();
        env.db().exec("UPDATE [Authorization] SET [FutureD4] = ?", {stored});
        LoadGlobals(*env.ctx);
        EXPECT_EQ(env.ctx->globals.futureD4, expected);
    }
}

TEST(Settings, VmSettingsReadAndWrite) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const int before = db.scalar("SELECT COUNT(*) FROM [VmSettings]").toInt();
    EXPECT_EQ(GetVmSetting(db, "Purge_CC_N_Days", "0"), "0");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [VmSettings]").toInt(), before)
        << "reading creates nothing";

    SetValueFromKey(db, "Purge_CC_N_Days", "30");
    EXPECT_EQ(GetVmSetting(db, "Purge_CC_N_Days", "0"), "30");
    SetValueFromKey(db, "Purge_CC_N_Days", "45");
    EXPECT_EQ(GetVmSetting(db, "Purge_CC_N_Days", "0"), "45");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [VmSettings]").toInt(), before + 1);
}

TEST(Settings, GlobalStringsHoldLongTexts) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    EXPECT_EQ(GetSqlValueString(db, "MapName"), "");
    const QString longText = QString("The Grand Harbour Hotel & Spa, ").repeated(40);
    SetValueString(db, "MapName", longText);
    SetValueString(db, "MapName", longText + "!");
    EXPECT_EQ(GetSqlValueString(db, "MapName"), longText + "!");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [GlobalString]").toInt(), 1);
    LoadGlobals(*env.ctx);
    EXPECT_EQ(env.ctx->globals.propertyName, (longText + "!").trimmed());
}

TEST(Staff, ListsLeaveOutServiceAccountsAndMarkMembers) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    env.addStaff("Zoe Zeal", "ZOE", "ZZ");
    env.addStaff("Max Boss", "MAX", "MB", true);
    const qint64 rita = env.addStaff("Rita Rest", "RITA", "RR", false, true);
    db.exec("UPDATE [Concierge] SET [Status] = 'I' WHERE [ConciergeID] = ?", {rita});
    db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('MsgGroup', 'Bell Desk')");

    QStringList names;
    for (const StaffEntry& e : GetAllConcierges(db, false))
        names << e.text;
    EXPECT_EQ(names, (QStringList{"Max Boss (MB)", "Zoe Zeal (ZZ)"}));

    names.clear();
    for (const StaffEntry& e : GetAllConcierges(db, true))
        names << e.text;
    EXPECT_EQ(names, (QStringList{"*All Vm Users", "Max Boss", "Zoe Zeal", "*Bell Desk"}));

    names.clear();
    for (const StaffEntry& e : GetAllConcierges4Edit(db))
        names << e.text;
    EXPECT_EQ(names, (QStringList{"Max Boss  (Authorized)", "Rita Rest  (Inactive)", "Zoe Zeal"}));
}

TEST(Staff, NewMemberGetsRightsAndANameChangeReachesTheLogbook) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    NewConcierge c;
    c.logonName = "OBRIEN";
    c.initials = "OB";
    c.name = "Pat O'Brien";
    c.manager = true;
    const qint64 id = InsertConcierge(*env.ctx, c);
    EXPECT_EQ(GetConciergeNameFromID(db, id), "Pat O'Brien");
    EXPECT_EQ(
        db.scalar("SELECT [Administration] FROM [ConciergePlus] WHERE [ConciergeID] = ?", {id})
            .toString(),
        "111111111111111");
    EXPECT_EQ(db.scalar("SELECT [WorkSchedule] FROM [Concierge] WHERE [ConciergeID] = ?", {id})
                  .toString(),
              "0000000");

    db.exec("INSERT INTO [LogBook] ([EnteredBy], [Initials]) VALUES ('Pat O''Brien', 'OB')");
    db.exec("INSERT INTO [LogBook] ([EnteredBy], [Initials]) VALUES ('Someone Else', 'SE')");
    UpdateConciergeLogBookName(db, "Pat O'Brien", "Patricia O'Brien", "PO");
    EXPECT_EQ(
        db.scalar("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'Patricia O''Brien' AND "
                  "[Initials] = 'PO'")
            .toInt(),
        1);
    EXPECT_EQ(
        db.scalar("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'Someone Else'").toInt(), 1);
}
