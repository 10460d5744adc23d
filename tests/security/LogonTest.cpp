#include "security/Logon.h"
#include "SecurityFixture.h"
#include "core/DataAccess.h"
#include "core/Settings.h"
#include "security/PasswordPolicy.h"

using namespace vm;
using namespace vm::test;

TEST_F(SecurityTest, PasswordTypedInLowerCaseMatchesAndOpensTheSession) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    const LogonCheck c = CheckLogon(ctx(), "jdoe", "  secret12 ");
    EXPECT_EQ(c.result, LogonResult::Ok);
    EXPECT_FALSE(c.mustChange);
    EXPECT_EQ(ctx().session.conciergeId, id);
    EXPECT_EQ(ctx().session.name, "John Doe");
    EXPECT_EQ(ctx().session.initials, "JD");
    EXPECT_EQ(ctx().session.logonName, "jdoe");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [FailedLogOns] WHERE [MsgSource] = 'S' AND "
                    "[LogonName] = 'jdoe' AND [Password] = 'XXXXXXXXXXX'"),
              1);
    EXPECT_TRUE(sharedLog().contains("User: John Doe Successful Logon. User Status: 'A' on: " +
                                     Formats::AuditStamp(env.clock.now()) +
                                     " at PC Named: DESK-1"));
}

TEST_F(SecurityTest, WrongPasswordIsRecordedAsItsLengthOnly) {
    staff("John Doe", "jdoe", "JD", "SECRET12");
    const LogonCheck c = CheckLogon(ctx(), "jdoe", "abc123");
    EXPECT_NE(c.result, LogonResult::Ok);
    EXPECT_LT(c.result, LogonResult::Expired);
    EXPECT_FALSE(ctx().session.loggedOn());
    auto r = db().queryOne("SELECT * FROM [FailedLogOns] WHERE [MsgSource] = 'U'");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text("LogonName"), "jdoe");
    EXPECT_EQ(r->text("Password"), "XXXXXX");
    EXPECT_EQ(r->text("EncPW").trimmed(), "");
    EXPECT_EQ(r->text("Workstation"), "DESK-1");
    EXPECT_EQ(r->text("LogDateTime"), "2026/03/14 09:30");
    EXPECT_TRUE(sharedLog().contains("User: jdoe  Failed Logon attempt on: "));

    // A name nobody has is recorded the same way; an empty name is not recorded.
    CheckLogon(ctx(), "nobody", "x");
    CheckLogon(ctx(), "", "x");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [FailedLogOns] WHERE [MsgSource] = 'U'"), 2);
}

TEST_F(SecurityTest, GuestLogsOnReadOnlyUnlessDisabled) {
    // A new property refuses the guest; here the guest logon is switched on.
    EXPECT_EQ(CheckLogon(ctx(), "guest", "").result, LogonResult::Inactive);
    ASSERT_TRUE(SetBooleanSetting(db(), "GuestDisabled", false));
    EXPECT_EQ(CheckLogon(ctx(), "guest", "").result, LogonResult::Ok);
    const Session& s = ctx().session;
    EXPECT_TRUE(s.guest);
    EXPECT_EQ(s.name, "Guest Viewer");
    EXPECT_EQ(s.logonName, "Guest");
    EXPECT_EQ(s.initials, "GV");
    EXPECT_EQ(s.conciergeId, 0);
    EXPECT_TRUE(s.readOnly);
    EXPECT_TRUE(s.restricted);
    EXPECT_FALSE(s.manager);

    ASSERT_TRUE(SetBooleanSetting(db(), "GuestDisabled", true));
    EXPECT_EQ(CheckLogon(ctx(), "Guest", "").result, LogonResult::Inactive);
    EXPECT_FALSE(ctx().session.loggedOn());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [FailedLogOns] WHERE [MsgSource] = 'U' AND "
                    "[LogonName] = 'Guest'"),
              2);
}

TEST_F(SecurityTest, InactiveAccountIsRefusedEvenWithTheRightPassword) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    setColumn(id, "Status", "I");
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "secret12").result, LogonResult::Inactive);
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(SecurityTest, ExpiryCountsDaysSinceTheLastChange) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    ctx().globals.security4 = true;
    ctx().globals.passwordDays = 90;
    struct Case {
        int age;
        long result;
    } cases[] = {{0, LogonResult::Ok},
                 {83, LogonResult::Ok},
                 {84, LogonResult::ExpiresSoon},
                 {90, LogonResult::ExpiresSoon},
                 {91, LogonResult::Expired}};
    for (const Case& c : cases) {
        setColumn(id, "LastPWChange", Formats::StoredDate(env.clock.today().addDays(-c.age)));
        EXPECT_EQ(CheckLogon(ctx(), "jdoe", "SECRET12").result, c.result) << c.age;
        EXPECT_EQ(ctx().session.loggedOn(), c.result != LogonResult::Expired) << c.age;
    }
    // An unreadable date proves nothing: the password counts as expired.
    setColumn(id, "LastPWChange", " ");
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "SECRET12").result, LogonResult::Expired);

    ctx().globals.security4 = false;
    setColumn(id, "LastPWChange", Formats::StoredDate(env.clock.today().addDays(-400)));
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "SECRET12").result, LogonResult::Ok);
}

TEST_F(SecurityTest, ResetAndLockedPasswordsForceAChange) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    ResetPasswordL(ctx(), id);
    EXPECT_NE(CheckLogon(ctx(), "jdoe", "SECRET12").result, LogonResult::Ok);
    const LogonCheck c = CheckLogon(ctx(), "jdoe", "JDOE");
    EXPECT_EQ(c.result, LogonResult::Ok);
    EXPECT_TRUE(c.mustChange);
    EXPECT_FALSE(LooksHashed("JDOE") && column(id, "Password").contains("JDOE"));

    InactivateUser(ctx(), "jdoe");
    EXPECT_EQ(column(id, "Status"), "I");
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "jdoe").result, LogonResult::Inactive);
}

TEST_F(SecurityTest, InactivityRuleAsksThenFlagsOnlyOrdinaryStaff) {
    ctx().globals.logonDays = 30;
    const QDate today = env.clock.today();
    const qint64 away = staff("Amy Away", "amy", "AA", "AMYPASS1");
    const qint64 edge = staff("Ed Edge", "ed", "EE", "EDPASS12");
    const qint64 here = staff("Hal Here", "hal", "HH", "HALPASS1");
    setColumn(away, "LastLogon", Formats::StoredDate(today.addDays(-31)));
    setColumn(edge, "LastLogon", Formats::StoredDate(today.addDays(-30)));
    setColumn(here, "LastLogon", Formats::StoredDate(today));
    // The reserved accounts have not logged on for years, and one is locked.
    db().exec("UPDATE [Concierge] SET [LastLogon] = '2001/01/01'");
    setColumn(edge, "LastLogon", Formats::StoredDate(today.addDays(-30)));
    setColumn(here, "LastLogon", Formats::StoredDate(today));
    db().exec("UPDATE [Concierge] SET [Status] = 'I' WHERE [Concierge] = 'Support Profile'");

    env.prompt.answer(Answer::No);
    EXPECT_EQ(InactivateInactiveStaff(ctx()), 0);
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_EQ(env.prompt.last(),
              "We have the system date on your workstation as 03/14/2026." + CRLF +
                  "According to this date we have calculated that 1 staff members will be "
                  "flagged as INACTIVE out of a total of 3 active staff members." +
                  CRLF + "Do you wish to flag the 1 staff members as INACTIVE?");
    EXPECT_EQ(column(away, "Status"), "A");

    env.prompt.answer(Answer::Yes);
    EXPECT_EQ(InactivateInactiveStaff(ctx()), 1);
    EXPECT_EQ(column(away, "Status"), "I");
    EXPECT_EQ(column(edge, "Status"), "A");
    EXPECT_EQ(column(here, "Status"), "A");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Concierge] WHERE [Status] <> 'A' AND [Concierge] IN "
                    "('Support Profile', 'Orvanta Support', 'Concierge Bellhop')"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Concierge] WHERE [Concierge] = 'Support Profile'"), 1);
    // The flagged member's password is now the logon name.
    EXPECT_EQ(CheckLogon(ctx(), "amy", "AMY").result, LogonResult::Inactive);
    EXPECT_NE(CheckLogon(ctx(), "amy", "AMYPASS1").result, LogonResult::Inactive);
}

TEST_F(SecurityTest, LoggedOnKeepsOneRowPerWorkstation) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    setColumn(id, "Telephone", "555-0101");
    setColumn(id, "LastLogon", "2026/01/01");
    ASSERT_EQ(CheckLogon(ctx(), "jdoe", "SECRET12").result, LogonResult::Ok);
    UpdateLogonDate(ctx());
    EXPECT_EQ(column(id, "LastLogon"), "2026/03/14");
    env.clock.advanceSecs(3600);
    UpdateLogoffDate(ctx());
    env.clock.advanceSecs(60);
    UpdateLogonDate(ctx());
    auto rows = db().query("SELECT * FROM [LoggedOn]");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text("Workstation"), "DESK-1");
    EXPECT_EQ(rows[0].text("Concierge"), "John Doe");
    EXPECT_EQ(rows[0].text("Telephone"), "555-0101");
    EXPECT_EQ(rows[0].text("LogDateTime"), "2026/03/14 10:31");
    EXPECT_EQ(rows[0].text("OffDateTime").trimmed(), "");
    UpdateLogoffDate(ctx());
    EXPECT_EQ(db().scalar("SELECT [OffDateTime] FROM [LoggedOn]").toString(), "2026/03/14 10:31");
}

TEST_F(SecurityTest, LogonLogsListByOutcomeAndPurgeByAge) {
    staff("John Doe", "jdoe", "JD", "SECRET12");
    CheckLogon(ctx(), "jdoe", "wrong");
    env.clock.advanceDays(40);
    CheckLogon(ctx(), "jdoe", "SECRET12");
    CheckLogon(ctx(), "jdoe", "wrong2");
    EXPECT_EQ(GetFailedLogons(ctx(), "All").size(), 3u);
    EXPECT_EQ(GetFailedLogons(ctx(), "Good").size(), 1u);
    const auto bad = GetFailedLogons(ctx(), "Bad");
    ASSERT_EQ(bad.size(), 2u);
    EXPECT_EQ(bad[0].text("Password"), "XXXXXX"); // newest first
    EXPECT_EQ(DeleteFailedLogons(ctx(), 30), 1);
    EXPECT_EQ(GetFailedLogons(ctx(), "All").size(), 2u);

    ctx().session.name = "John Doe";
    InsertSuspcious(ctx(), 12, "Guest Profile", "txtNotes", "xxxx xxxx xxxx 1111");
    env.clock.advanceDays(10);
    InsertSuspcious(ctx(), 13, "Logbook", "txtLogEntry", "note");
    const auto s = GetSuspiciousActivity(ctx());
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].number("RecordID"), 13);
    EXPECT_EQ(s[1].text("VmModule"), "Guest Profile");
    EXPECT_EQ(DeleteSuspicious(ctx(), 5), 1);
}

TEST_F(SecurityTest, SwitchingTheInactivityRuleOnStampsEveryone) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "SECRET12");
    setColumn(id, "LastLogon", "2020/01/01");
    UpdateLogonDateAll(ctx());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Concierge] WHERE [LastLogon] <> '2026/03/14'"), 0);
    ctx().globals.logonDays = 30;
    EXPECT_EQ(InactivateInactiveStaff(ctx()), 0);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(SecurityTest, LockedReservedAccountsCannotBeTakenOver) {
    InactivateUser(ctx(), "CONCIERGE");
    EXPECT_EQ(CheckLogon(ctx(), "CONCIERGE", "BELLHOP").result, LogonResult::Inactive);
    InactivateInactiveStaff(ctx()); // the morning run makes it active again
    EXPECT_NE(CheckLogon(ctx(), "CONCIERGE", "CONCIERGE").result, LogonResult::Ok);
    EXPECT_EQ(CheckLogon(ctx(), "CONCIERGE", "BELLHOP").result, LogonResult::Ok);

    // The support account never logs on with a stored password, even a reset one.
    InactivateUser(ctx(), "SUPPORT");
    InactivateInactiveStaff(ctx());
    db().exec("UPDATE [Concierge] SET [Password] = ? WHERE [UserProfile] = 'SUPPORT'",
              {HashPassword("SUPPORT")});
    EXPECT_NE(CheckLogon(ctx(), "SUPPORT", "SUPPORT").result, LogonResult::Ok);
}
