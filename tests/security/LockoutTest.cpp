#include "security/Lockout.h"
#include "SecurityFixture.h"
#include "security/Logon.h"
#include "security/PasswordPolicy.h"
#include "security/forms/frmChangePW.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

TEST_F(SecurityTest, LockoutStepsFollowTheNumberOfAttemptsAllowed) {
    staff("John Doe", "jdoe", "JD", "Start001");
    struct Case {
        QVariant futureD4;
        bool on;
        std::vector<Attempt> steps;
    } cases[] = {
        {QVariant(), true, {Attempt::Wrong, Attempt::LastWarning, Attempt::Locked}},
        {0, true, {Attempt::Wrong, Attempt::LastWarning, Attempt::Locked}},
        {1, true, {Attempt::Locked}},
        {2, true, {Attempt::LastWarning, Attempt::Locked}},
        {5,
         true,
         {Attempt::Wrong, Attempt::Wrong, Attempt::Wrong, Attempt::LastWarning, Attempt::Locked}},
        {3, false, {Attempt::Wrong, Attempt::Wrong, Attempt::Wrong, Attempt::Wrong}},
    };
    for (const Case& c : cases) {
        db().exec("UPDATE [Authorization] SET [Security2] = ?, [FutureD4] = ?", {c.on, c.futureD4});
        LoadGlobals(ctx());
        // A lock resets the password: each case starts from the member's own.
        db().exec("UPDATE [Concierge] SET [Status] = 'A', [Password] = ? WHERE [UserProfile] = ?",
                  {HashPassword("Start001"), "jdoe"});
        ASSERT_EQ(CheckLogon(ctx(), "jdoe", "Start001").result, LogonResult::Ok);
        LogonLockout lockout(ctx());
        std::vector<Attempt> seen;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            CheckLogon(ctx(), "jdoe", "wrong");
            seen.push_back(lockout.afterFailure("jdoe"));
        }
        EXPECT_EQ(seen, c.steps) << c.futureD4.toString().toStdString() << c.on;
        EXPECT_EQ(lockout.failures("jdoe"), int(c.steps.size()));
    }
}

TEST_F(SecurityTest, LockedAccountsPasswordDoesNotCountAsASuccess) {
    useLockout(QVariant());
    const qint64 id = staff("John Doe", "jdoe", "JD", "Start001");
    InactivateUser(ctx(), "jdoe"); // its password is now "jdoe", which anyone can guess
    LogonLockout lockout(ctx());
    CheckLogon(ctx(), "jdoe", "wrong");
    EXPECT_EQ(CheckCredentials(ctx(), "jdoe", "jdoe"), LogonResult::Inactive);
    EXPECT_EQ(lockout.failures("jdoe"), 2);
    // The support account has no password to change.
    EXPECT_EQ(CheckCredentials(ctx(), "SUPPORT", "SUPPORT"), LogonResult::NotFound);
    (void)id;
}

TEST_F(SecurityTest, ChangingThePasswordCountsAWrongCurrentPassword) {
    useLockout(QVariant());
    const qint64 id = staff("John Doe", "jdoe", "JD", "Start001");
    auto change = [&] {
        return VerifyPassword(ctx(), "jdoe", "wrong", "Newpas01", "Newpas01", false);
    };
    const auto first = change();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->message, PasswordText::CannotChange);
    EXPECT_FALSE(first->endsProgram);
    EXPECT_EQ(change()->message, LogonLockout::WarningText());
    const auto third = change();
    EXPECT_EQ(third->message, LogonLockout::LockedText());
    EXPECT_TRUE(third->endsProgram);
    EXPECT_EQ(column(id, "Status"), "I");
    EXPECT_FALSE(CheckPasswordHash("START001", column(id, "Password")));

    // A forced change does not check the current password, so it counts nothing.
    const qint64 ann = staff("Ann Other", "ann", "AO", "Annpass1");
    EXPECT_FALSE(VerifyPassword(ctx(), "ann", "Annpass1", "Newpas01", "Newpas01", true));
    EXPECT_EQ(LogonLockout(ctx()).failures("ann"), 0);
    (void)ann;
}

TEST_F(SecurityTest, PasswordChangeScreenClosesWhenTheLockFalls) {
    useLockout(2);
    const qint64 id = staff("John Doe", "jdoe", "JD", "Start001");
    frmChangePW dlg(ctx(), ChangeMode::Voluntary, "jdoe", "Start001");
    dlg.show();
    auto* current = dlg.findChild<QLineEdit*>("txtPassword");
    ASSERT_TRUE(current);
    current->setText("wrong");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtNewPassword"), "Newpas01");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtVerify"), "Newpas01");
    auto* ok = dlg.findChild<QPushButton*>("cmdOK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), LogonLockout::WarningText());
    EXPECT_TRUE(dlg.isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), LogonLockout::LockedText());
    EXPECT_TRUE(dlg.programMustEnd());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(dlg.changed());
    EXPECT_EQ(column(id, "Status"), "I");
}

TEST_F(SecurityTest, UnknownNameCostsTheSameHashWorkAsAKnownOne) {
    staff("John Doe", "jdoe", "JD", "Start001");
    const qint64 blank = staff("Nat Blank", "nat", "NB", "Natpass1");
    setColumn(blank, "Password", " "); // no usable hash
    const char* names[] = {"jdoe", "ghost", "nat"};
    for (const char* name : names) {
        quint64 before = PasswordChecksRun();
        EXPECT_NE(CheckLogon(ctx(), name, "wrong").result, LogonResult::Ok) << name;
        EXPECT_EQ(PasswordChecksRun() - before, 1u) << name;
        before = PasswordChecksRun();
        EXPECT_EQ(CheckCredentials(ctx(), name, "wrong"), LogonResult::NotFound) << name;
        EXPECT_EQ(PasswordChecksRun() - before, 1u) << name;
    }
    // The decoy never lets anyone in.
    EXPECT_FALSE(CheckPasswordHashDecoy("anything"));
}
