#include "SecurityFixture.h"
#include "app/forms/frmSearch.h"
#include "core/Settings.h"
#include "core/StartOfDay.h"
#include "platform/RegistryValues.h"
#include "security/Logon.h"
#include "security/forms/SecurityLogPage.h"
#include "security/forms/SecurityModule.h"
#include "security/forms/frmLogon.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;

TEST_F(SecurityTest, InstalledModuleWiresStartOfDayPurgeLogPageAndLogoff) {
    SetValueFromKey(db(), "Purge_CC_N_Days", "30");
    ctx().start.purgeAtStart = true;
    frmSearch w(ctx());
    InstallSecurity(ctx(), w);
    EXPECT_EQ(GetVmSetting(db(), "Purge_Last_Run"), "03/14/2026");
    EXPECT_FALSE(ctx().start.purgeAtStart);
    ASSERT_TRUE(bool(ctx().daily.inactivateInactiveStaff));
    EXPECT_NE(w.findChild<SecurityLogPage*>("SecurityLogPage"), nullptr);

    const qint64 id = staff("John Doe", "jdoe", "JD", "Start001");
    ASSERT_EQ(CheckLogon(ctx(), "jdoe", "Start001").result, LogonResult::Ok);
    UpdateLogonDate(ctx());
    env.clock.advanceSecs(600);
    w.Logoff();
    EXPECT_FALSE(ctx().session.loggedOn());
    EXPECT_EQ(db().scalar("SELECT [OffDateTime] FROM [LoggedOn]").toString(), "2026/03/14 09:40");
    (void)id;
}

TEST_F(SecurityTest, TimedStartEndsAtTheFirstLogonDialogWithoutALogon) {
    frmSearch w(ctx());
    InstallSecurity(ctx(), w);
    int shown = 0;
    ctx().start.onLogonShown = [&] {
        ++shown;
        EXPECT_NE(QApplication::activeModalWidget(), nullptr); // the dialog is up
    };
    w.Logon();
    w.Logon(); // a second request (the window's activation) opens nothing
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(ctx().session.loggedOn());
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    // The handler asked every event loop to end; a run of the application's
    // own loop clears that for the dialogs of the tests that follow.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

TEST_F(SecurityTest, LogPageIsForManagers) {
    const qint64 boss = staff("Bea Boss", "bea", "BB", "Boss0001", true);
    const qint64 desk = staff("Dan Desk", "dan", "DD", "Desk0001");
    CheckLogon(ctx(), "dan", "wrong");
    CheckLogon(ctx(), "dan", "Desk0001");
    SecurityLogPage page(ctx());
    auto* grid = page.findChild<QTableWidget*>("grdLog");
    auto* scope = page.findChild<QComboBox*>("cboScope");
    auto* refresh = page.findChild<QPushButton*>("cmdRefresh");
    ASSERT_TRUE(grid && scope && refresh);

    env.logOn(desk);
    QTest::mouseClick(refresh, Qt::LeftButton);
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(env.prompt.last(), "Only a manager may read the security logs.");

    env.logOn(boss);
    scope->setCurrentText("Bad");
    QTest::mouseClick(refresh, Qt::LeftButton);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->item(0, 4)->text(), "XXXXX");

    env.prompt.answer(Answer::Yes);
    env.clock.advanceDays(100);
    QTest::mouseClick(page.findChild<QPushButton*>("cmdPurge"), Qt::LeftButton);
    EXPECT_EQ(GetFailedLogons(ctx(), "All").size(), 0u);
}

TEST_F(SecurityTest, LogonDialogOffersAVoluntaryChange) {
    staff("John Doe", "jdoe", "JD", "Start001");
    frmLogon dlg(ctx());
    std::vector<ChangeMode> modes;
    dlg.setChangeRunner([&](const frmLogon::ChangeRequest& r, bool&) -> std::optional<QString> {
        modes.push_back(r.mode);
        return QString("Other002");
    });
    dlg.show();
    auto* change = dlg.findChild<QPushButton*>("cmdChangePassword");
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "Please enter your Logon Name.");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtLogonName"), "jdoe");
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "Please enter your current Password.");
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtPassword"), "nope");
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(),
              "The Logon Name and Password you have entered \r\r"
              "are not valid for accessing Velmora.  Please try again.  Thank you.");
    EXPECT_TRUE(modes.empty());
    dlg.findChild<QLineEdit*>("txtPassword")->setText("Start001");
    QTest::mouseClick(change, Qt::LeftButton);
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0], ChangeMode::Voluntary);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("txtPassword")->text(), "Other002");
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(SecurityTest, StartOfDayRunsTheInactivationOnceHooked) {
    const qint64 away = staff("Amy Away", "amy", "AA", "AMYPASS1");
    setColumn(away, "LastLogon", "2025/01/01");
    db().exec("UPDATE [Authorization] SET [Security1] = ?, [LogonDays] = 30, [DailyDate] = ' '",
              {true});
    LoadGlobals(ctx());
    InstallSecurityHooks(ctx());
    env.prompt.answer(Answer::Yes);
    RunStartOfDay(ctx());
    EXPECT_EQ(column(away, "Status"), "I");
}
