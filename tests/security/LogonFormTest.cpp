#include "SecurityFixture.h"
#include "core/Settings.h"
#include "security/Logon.h"
#include "security/forms/frmLogon.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {
const QString kWarning =
    "One more invalid logon attempt and User Profile will be flagged as INACTIVE.";
const QString kLocked = "Your User Profile has been flagged as INACTIVE.";
} // namespace

class LogonFormTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        id = staff("John Doe", "jdoe", "JD", "Start001");
        openDialog();
    }
    // A new logon dialog, as the main window shows one.
    void openDialog() {
        dlg = std::make_unique<frmLogon>(ctx());
        dlg->setChangeRunner(
            [this](const frmLogon::ChangeRequest& r, bool& end) -> std::optional<QString> {
                changes.push_back(r.mode);
                end = endOnChange;
                return changeTo;
            });
        dlg->show();
    }
    QPushButton* button(const char* name) { return dlg->findChild<QPushButton*>(name); }
    void type(const QString& name, const QString& password) {
        auto* n = dlg->findChild<QLineEdit*>("txtLogonName");
        auto* p = dlg->findChild<QLineEdit*>("txtPassword");
        ASSERT_TRUE(n && p);
        n->clear();
        p->clear();
        QTest::keyClicks(n, name);
        QTest::keyClicks(p, password);
    }
    void attempt(const QString& name, const QString& password) {
        type(name, password);
        QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    }
    // The dialog's Change Password button with this name and current password.
    void changeAttempt(const QString& name, const QString& password) {
        type(name, password);
        QTest::mouseClick(button("cmdChangePassword"), Qt::LeftButton);
    }

    qint64 id = 0;
    std::unique_ptr<frmLogon> dlg;
    std::vector<ChangeMode> changes;
    std::optional<QString> changeTo;
    bool endOnChange = false;
};

TEST_F(LogonFormTest, ThreeFailuresWarnThenLockAndEndTheProgram) {
    useLockout(QVariant()); // unset: three attempts
    attempt("jdoe", "nope1");
    attempt("jdoe", "nope2");
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->programMustEnd());
    attempt("jdoe", "nope3");
    EXPECT_EQ(env.prompt.texts(), (QStringList{frmLogon::AccessDeniedText(), kWarning, kLocked}));
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(column(id, "Status"), "I");
    EXPECT_EQ(CheckLogon(ctx(), "jdoe", "Start001").result, LogonResult::NotFound);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [FailedLogOns] WHERE [MsgSource] = 'U' AND "
                    "[Password] = 'XXXXX'"),
              3);
}

TEST_F(LogonFormTest, FiveAllowedAttemptsWarnAtTheFourth) {
    useLockout(5);
    for (int i = 0; i < 5; ++i)
        attempt("jdoe", "wrong");
    EXPECT_EQ(env.prompt.texts(),
              (QStringList{frmLogon::AccessDeniedText(), frmLogon::AccessDeniedText(),
                           frmLogon::AccessDeniedText(), kWarning, kLocked}));
    EXPECT_TRUE(dlg->programMustEnd());
}

TEST_F(LogonFormTest, WithoutLockoutEveryFailureGetsTheGeneralMessage) {
    // A new property locks out; this test switches the lockout off.
    db().exec("UPDATE [Authorization] SET [Security2] = ?", {false});
    LoadGlobals(ctx());
    for (int i = 0; i < 4; ++i)
        attempt("jdoe", "wrong");
    EXPECT_EQ(env.prompt.texts(), QStringList(4, frmLogon::AccessDeniedText()));
    EXPECT_FALSE(dlg->programMustEnd());
    EXPECT_EQ(column(id, "Status"), "A");
    // A right password after failures still logs on.
    attempt("JDOE", "start001");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(ctx().session.initials, "JD");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LoggedOn] WHERE [Concierge] = 'John Doe'"), 1);
    EXPECT_TRUE(QDir(env.databaseFolder() + "WebPages").exists());
}

TEST_F(LogonFormTest, EmptyFieldsAreAskedForGuestNeedsNoPassword) {
    ASSERT_TRUE(SetBooleanSetting(db(), "GuestDisabled", false)); // off in a new property
    attempt("", "x");
    EXPECT_EQ(env.prompt.shown.last().text, "The Logon Name must be complete.");
    EXPECT_EQ(env.prompt.shown.last().title, "Enter Logon Name");
    attempt("jdoe", "");
    EXPECT_EQ(env.prompt.shown.last().text, "The Password must be complete.");
    EXPECT_EQ(env.prompt.shown.last().title, "Enter Password");
    attempt("guest", "");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(ctx().session.guest);
    EXPECT_TRUE(ctx().session.readOnly);
}

TEST_F(LogonFormTest, FactoryAccountMustChangeItsPassword) {
    changeTo = std::nullopt;
    endOnChange = true;
    attempt("concierge", "bellhop");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Force);
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(LogonFormTest, FactoryAccountLogsOnOnceChanged) {
    changeTo = QString("Newpass1");
    attempt("CONCIERGE", "BELLHOP");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Force);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(ctx().session.name, "Concierge Bellhop");
}

TEST_F(LogonFormTest, ResetPasswordForcesTheChangeBeforeWork) {
    db().exec("UPDATE [Concierge] SET [Password] = ? WHERE [ConciergeID] = ?",
              {HashPassword("JDOE"), id});
    attempt("jdoe", "jdoe");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Forced);
    // Walking away from the change ends the program without a session.
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(LogonFormTest, ExpiringPasswordOffersAChangeThenLogsOn) {
    ctx().globals.security4 = true;
    ctx().globals.passwordDays = 90;
    setColumn(id, "LastPWChange", Formats::StoredDate(env.clock.today().addDays(-85)));
    env.prompt.answer(Answer::Yes);
    attempt("jdoe", "Start001");
    EXPECT_EQ(env.prompt.shown.last().text,
              "Your password will expire soon.\rWould you like to change it now?");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Voluntary);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(ctx().session.loggedOn());
}

TEST_F(LogonFormTest, ExpiredPasswordMustBeChanged) {
    ctx().globals.security4 = true;
    ctx().globals.passwordDays = 90;
    setColumn(id, "LastPWChange", Formats::StoredDate(env.clock.today().addDays(-91)));
    attempt("jdoe", "Start001");
    EXPECT_EQ(env.prompt.shown.last().text, "Your password has expired.\rPlease change it now.");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Forced);
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(LogonFormTest, CountSurvivesCancelANewDialogAndARestart) {
    useLockout(QVariant());
    attempt("jdoe", "nope1");
    QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
    openDialog();
    attempt("jdoe", "nope2");
    EXPECT_FALSE(dlg->programMustEnd());
    dlg.reset();
    restart();
    openDialog();
    attempt("jdoe", "nope3");
    EXPECT_EQ(env.prompt.texts(), (QStringList{frmLogon::AccessDeniedText(), kWarning, kLocked}));
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_EQ(column(id, "Status"), "I");
}

TEST_F(LogonFormTest, ChangePasswordButtonCountsWithTheLogon) {
    useLockout(QVariant());
    const QString refused = frmLogon::ChangeRefusedText();
    const QString denied = frmLogon::AccessDeniedText();
    // Which button each of three wrong attempts uses; the lock falls on the third either way.
    struct Case {
        const char* logon;
        bool change[3];
        QStringList texts;
    } cases[] = {
        {"amy", {true, true, true}, {refused, kWarning, kLocked}},
        {"bob", {true, false, true}, {refused, kWarning, kLocked}},
        {"cat", {false, true, false}, {denied, kWarning, kLocked}},
    };
    for (const Case& c : cases) {
        const qint64 member =
            staff(c.logon, c.logon, QString(c.logon).left(2).toUpper(), "Right001");
        openDialog();
        env.prompt.clear();
        for (bool change : c.change)
            change ? changeAttempt(c.logon, "wrong") : attempt(c.logon, "wrong");
        EXPECT_EQ(env.prompt.texts(), c.texts) << c.logon;
        EXPECT_TRUE(dlg->programMustEnd()) << c.logon;
        EXPECT_FALSE(dlg->isVisible()) << c.logon;
        EXPECT_EQ(column(member, "Status"), "I") << c.logon;
    }
    EXPECT_TRUE(changes.empty());
}

TEST_F(LogonFormTest, FailuresOnOneNameNeverLockAnother) {
    useLockout(QVariant());
    const qint64 amy = staff("Amy Able", "amy", "AA", "Amypass1");
    attempt("jdoe", "x1");
    attempt("JDOE", "x2"); // the same account in other letters
    attempt("amy", "x1");
    attempt("ghost", "x1");
    EXPECT_FALSE(dlg->programMustEnd());
    attempt("jdoe", "x3");
    const QString denied = frmLogon::AccessDeniedText();
    EXPECT_EQ(env.prompt.texts(), (QStringList{denied, kWarning, denied, denied, kLocked}));
    EXPECT_EQ(column(id, "Status"), "I");
    EXPECT_EQ(column(amy, "Status"), "A");
    // Amy is still one failure in: her right password logs on.
    openDialog();
    attempt("amy", "Amypass1");
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(ctx().session.initials, "AA");
}

TEST_F(LogonFormTest, UnknownNameGetsTheSameMessagesAsAKnownOne) {
    useLockout(QVariant());
    for (int i = 0; i < 3; ++i)
        attempt("nobody", "wrong");
    EXPECT_EQ(env.prompt.texts(), (QStringList{frmLogon::AccessDeniedText(), kWarning, kLocked}));
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_EQ(column(id, "Status"), "A");
}

TEST_F(LogonFormTest, SuccessfulLogonEndsTheCount) {
    useLockout(QVariant());
    attempt("jdoe", "x1");
    attempt("jdoe", "x2");
    attempt("jdoe", "Start001");
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    openDialog();
    env.prompt.clear();
    attempt("jdoe", "x3");
    attempt("jdoe", "x4");
    EXPECT_EQ(env.prompt.texts(), (QStringList{frmLogon::AccessDeniedText(), kWarning}));
    EXPECT_EQ(column(id, "Status"), "A");
}

TEST_F(LogonFormTest, LockInsideThePasswordChangeEndsTheProgram) {
    // The change dialog reports that the lockout flagged the account.
    endOnChange = true;
    changeAttempt("jdoe", "Start001");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], ChangeMode::Voluntary);
    EXPECT_TRUE(dlg->programMustEnd());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(ctx().session.loggedOn());
}
