#include "AdminFixture.h"
#include "core/Upgrade.h"
#include "maint/Check.h"

using namespace vm;
using namespace vm::maint;
using namespace vm::test;

using AdminCheckTest = AdminTest;

namespace {
// The problems that contain `text`.
QStringList about(const CheckReport& r, const QString& text) {
    return r.problems.filter(text);
}
} // namespace

TEST_F(AdminCheckTest, AWorkingPropertyIsWellAndPlantedFaultsAreListed) {
    populate();
    {
        auto p = property();
        const CheckReport clean = CheckProperty(*p);
        EXPECT_TRUE(clean.ok()) << clean.problems.join("\n").toStdString();
        EXPECT_EQ(p->stores().size(), 2); // current and archive
    }

    // Text and history of an entry that is gone, a message to nobody, a card
    // of a deleted profile, a booking of a deleted entry, a lost index.
    const qint64 entry = db().scalar("SELECT MIN([LogID]) FROM [LogBook]").toLongLong();
    ASSERT_GT(count("SELECT COUNT(*) FROM [LogText] WHERE [LogID] = " + QString::number(entry)), 0);
    db().exec("DELETE FROM [LogBook] WHERE [LogID] = ?", {entry});
    db().exec("INSERT INTO [MsgTimer] ([MsgDateTime], [SentFrom], [ConciergeName], "
              "[CreateDateTime], [LogbookID]) VALUES ('2026/03/14 10:00', 'AH', 'Left Long Ago', "
              "'2026/03/14 09:00', 0)");
    const qint64 profile = db().scalar("SELECT MIN([ProfileID]) FROM [ProfileCC]").toLongLong();
    db().exec("DELETE FROM [Profile] WHERE [ProfileID] = ?", {profile});
    db().exec("DROP INDEX " + db().quoteName("ix_logbook_roomnumber"));
    // A booking of the archived entry is not an orphan.
    db().exec("INSERT INTO [TimedService] ([LogbookID]) VALUES (9001)");

    auto p = property();
    const CheckReport r = CheckProperty(*p);
    EXPECT_EQ(about(r, "logbook text pieces whose entry is gone"),
              QStringList{QString("VelmP: logbook text pieces whose entry is gone: %1")
                              .arg(count("SELECT COUNT(*) FROM [LogText] WHERE [LogID] = " +
                                         QString::number(entry)))});
    EXPECT_EQ(about(r, "history rows whose entry is gone").size(), 1);
    EXPECT_EQ(about(r, "messages to staff members who are gone: 1").size(), 1);
    EXPECT_EQ(about(r, "stored cards whose profile is gone: 1").size(), 1);
    EXPECT_EQ(about(r, "timed service bookings whose logbook entry is gone: 1").size(), 1);
    EXPECT_EQ(about(r, "index ix_logbook_roomnumber of LogBook is missing").size(), 1);
    EXPECT_EQ(r.problems.size(), 6) << r.problems.join("\n").toStdString();
}

TEST_F(AdminCheckTest, SchemaLevelAndMissingColumnsAreProblems) {
    UpdateDBLevel(db(), 81060);
    {
        auto p = property();
        const CheckReport r = CheckProperty(*p);
        EXPECT_EQ(about(r, "schema level 81060 is below this program's " +
                               QString::number(ProgramLevel()))
                      .size(),
                  1);
        // Checked against the declarations of its own level: nothing else is wrong.
        EXPECT_EQ(r.problems.size(), 1) << r.problems.join("\n").toStdString();
    }
    UpdateDBLevel(db(), ProgramLevel() + 1);
    db().exec("DROP TABLE [ProfileLCD]");
    auto p = property();
    const CheckReport r = CheckProperty(*p);
    EXPECT_EQ(about(r, "is above this program's").size(), 1);
    EXPECT_EQ(about(r, "VelmP: table ProfileLCD is missing").size(), 1);
    EXPECT_EQ(r.problems.size(), 2) << r.problems.join("\n").toStdString();
}

TEST_F(AdminCheckTest, APlaceWithoutPropertyIsAConnectionError) {
    maint::Property p(elsewhere("nothing"), ctx().workstation, env.clock);
    try {
        p.open();
        FAIL() << "opened a property that is not there";
    } catch (const AdminError& e) {
        EXPECT_EQ(e.code(), ExitUsage);
        EXPECT_TRUE(e.text().startsWith("no property at")) << e.text().toStdString();
    }
}
