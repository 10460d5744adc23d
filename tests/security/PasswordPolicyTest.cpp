#include "security/PasswordPolicy.h"
#include "SecurityFixture.h"
#include "security/Logon.h"
#include "security/forms/frmChangePW.h"
#include "security/forms/frmChangePWCC.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

TEST(PasswordRules, ChecksInOrderWithAndWithoutComplexity) {
    namespace T = PasswordText;
    struct Case {
        const char* newPw;
        const char* verify;
        bool security3;
        QString expected; // "" = accepted
    } cases[] = {
        {"", "", true, T::EnterAndVerify},
        {"abc1234", "", false, T::EnterAndVerify},
        {"jdoe", "jdoe", false, T::SameAsLogonName},
        {"Old1234", "Old1234", true, T::SameAsCurrent},
        {"ab&c1234", "ab&c1234", false, T::ForbiddenChars},
        {"ab|c1234", "ab|c1234", true, T::ForbiddenChars},
        {"abc1234", "abc1234", true, ""},            // seven, mixed
        {"abcdefg", "abcdefg", true, T::NeedsDigit}, // seven letters
        {"1234567", "1234567", true, T::NeedsLetter},
        {"abcde123456", "abcde123456", true, T::Length}, // eleven
        {"abc123", "abc123", true, T::Length},
        {"xJDOEx12", "xJDOEx12", true, T::ContainsLogonName},
        {"xJDOEx12", "xJDOEx12", false, ""},
        {"ab1", "ab1", false, ""}, // three, no rules
        {"abcde123456", "abcde123456", false, T::TooLong},
        {"abc1234", "abc1235", true, T::Mismatch},
        {"OLD1234", "OLD1234", true, ""}, // other case passes the exact check
    };
    for (const Case& c : cases) {
        const auto r = CheckNewPasswordRules("jdoe", "Old1234", c.newPw, c.verify, c.security3);
        EXPECT_EQ(r ? r->message : QString(), c.expected) << c.newPw << " " << c.security3;
    }
}

class PasswordChangeTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        id = staff("John Doe", "jdoe", "JD", "Start001");
        setColumn(id, "LastPWChange", "2025/01/01");
        ctx().globals.security3 = true;
        ctx().globals.security4 = false; // the password dates from long ago: no expiry here
    }
    qint64 id = 0;
};

TEST_F(PasswordChangeTest, HistoryOfFourRefusesRecentPasswordsOnly) {
    const QStringList chain{"Start001", "Pass0001", "Pass0002", "Pass0003", "Pass0004"};
    for (int i = 1; i < chain.size(); ++i)
        ASSERT_FALSE(VerifyPassword(ctx(), "jdoe", chain[i - 1], chain[i], chain[i], false)) << i;
    // Four changes ago.
    auto r = VerifyPassword(ctx(), "jdoe", "Pass0004", "Start001", "Start001", false);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, PasswordText::History);
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "Pass0004").result, LogonResult::Ok);

    // Five changes ago.
    ASSERT_FALSE(VerifyPassword(ctx(), "jdoe", "Pass0004", "Pass0005", "Pass0005", false));
    EXPECT_FALSE(VerifyPassword(ctx(), "jdoe", "Pass0005", "Start001", "Start001", false));
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "start001").result, LogonResult::Ok);
    EXPECT_EQ(column(id, "LastPWChange"), "2026/03/14");
    EXPECT_TRUE(sharedLog().contains("User: jdoe Password Change occurred. on: "));

    // Without the complexity switch the history is not consulted.
    ctx().globals.security3 = false;
    EXPECT_FALSE(VerifyPassword(ctx(), "jdoe", "Start001", "Pass0005", "Pass0005", false));
}

TEST_F(PasswordChangeTest, CurrentPasswordMustBeRightUnlessForced) {
    auto r = VerifyPassword(ctx(), "jdoe", "Wrong001", "Newpass1", "Newpass1", false);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, PasswordText::CannotChange);
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "Start001").result, LogonResult::Ok);

    setColumn(id, "Status", "I");
    r = VerifyPassword(ctx(), "jdoe", "Start001", "Newpass1", "Newpass1", false);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->message, PasswordText::Inactive);
    setColumn(id, "Status", "A");

    // The same password in other letter case is stored in the same form.
    EXPECT_FALSE(VerifyPassword(ctx(), "jdoe", "Start001", "START001", "START001", true));
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "start001").result, LogonResult::Ok);
}

TEST_F(PasswordChangeTest, ScreenChangesThePasswordThroughItsControls) {
    frmChangePW dlg(ctx(), ChangeMode::Voluntary);
    dlg.show();
    auto type = [&](const char* name, const QString& text) {
        auto* e = dlg.findChild<QLineEdit*>(name);
        ASSERT_NE(e, nullptr) << name;
        e->clear();
        QTest::keyClicks(e, text);
    };
    auto* ok = dlg.findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    type("txtLogonName", "jdoe");
    type("txtPassword", "Start001");
    type("txtNewPassword", "abcdefg");
    type("txtVerify", "abcdefg");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), PasswordText::NeedsDigit);
    EXPECT_TRUE(dlg.isVisible());

    type("txtNewPassword", "Better01");
    type("txtVerify", "Better02");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), PasswordText::Mismatch);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("txtVerify")->text(), "");

    type("txtVerify", "Better01");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(dlg.changed());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "better01").result, LogonResult::Ok);
    EXPECT_TRUE(CheckPasswordHash("Start001", column(id, "PriorPwd1")));
}

TEST_F(PasswordChangeTest, DefaultPasswordChangeCannotBeWalkedAwayFrom) {
    frmChangePW dlg(ctx(), ChangeMode::Force, "CONCIERGE", "BELLHOP");
    dlg.show();
    auto* cancel = dlg.findChild<QPushButton*>("cmdCancel");
    ASSERT_NE(cancel, nullptr);

    env.prompt.answer(Answer::No);
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_EQ(env.prompt.shown[0].title, "Exit Concierge?");
    EXPECT_EQ(env.prompt.shown[0].text,
              "You MUST change the default password before you continue. If you\r\nCANCEL the "
              "program will close.\r\nAre you sure you wish to CANCEL?");
    EXPECT_TRUE(dlg.isVisible());

    dlg.close(); // the window frame
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(env.prompt.last(),
              "Please enter your new password, confirm it and press OK.  Thank you");

    env.prompt.answer(Answer::Yes);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.programMustEnd());
    EXPECT_FALSE(dlg.changed());
}

TEST_F(PasswordChangeTest, CardViewingPasswordHasItsOwnRulesAndHistory) {
    env.logOn(id);
    setColumn(id, "CCViewPW", HashPassword("View0001"));
    namespace T = PasswordText;
    auto change = [&](const QString& cur, const QString& n, const QString& v) {
        const auto r = ChangeCardPassword(ctx(), cur, n, v);
        return r ? r->message : QString();
    };
    EXPECT_EQ(change("View0009", "View0002", "View0002"), T::CardCurrentWrong);
    EXPECT_EQ(change("view0001", "", ""), T::CardEnterNew);
    EXPECT_EQ(change("View0001", "View0002", ""), T::CardVerifyNew);
    EXPECT_EQ(change("View0001", "start001", "start001"), T::CardSameAsLogon);
    EXPECT_EQ(change("View0001", "viewonly", "viewonly"), T::NeedsDigit);
    EXPECT_EQ(change("View0001", "View0002", "View0003"), T::Mismatch);
    EXPECT_EQ(change("View0001", "View0002", "View0002"), "");
    EXPECT_TRUE(CheckCardViewPassword(ctx(), "VIEW0002"));
    EXPECT_FALSE(CheckCardViewPassword(ctx(), "View0001"));
    EXPECT_EQ(change("View0002", "View0001", "View0001"), T::History);
    EXPECT_TRUE(sharedLog().contains("User: jdoe Updated the Credit Card viewing password."));

    // The screen goes the same way.
    frmChangePWCC dlg(ctx());
    dlg.show();
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtPassword"), "View0002");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtNewPassword"), "View0003");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtVerify"), "View0003");
    QTest::mouseClick(dlg.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(dlg.changed());
    EXPECT_TRUE(CheckCardViewPassword(ctx(), "view0003"));
}

TEST_F(PasswordChangeTest, ResetsSetTheLogonNameButSpareReservedAccounts) {
    const qint64 other = staff("Ann Other", "ann", "AO", "Annpass1");
    ResetPasswordC(ctx(), id);
    env.logOn(id);
    EXPECT_TRUE(CheckCardViewPassword(ctx(), "jdoe"));
    EXPECT_EQ(ResetAllPasswords(ctx()), 2);
    EXPECT_TRUE(CheckLogon(ctx(), "ann", "ANN").mustChange);
    EXPECT_TRUE(CheckPasswordHash("ANN", column(other, "CCViewPW")));
    EXPECT_EQ(CheckLogon(ctx(), "CONCIERGE", "bellhop").result, LogonResult::Ok);
}
