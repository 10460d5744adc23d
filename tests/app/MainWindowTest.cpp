#include "app/Startup.h"
#include "app/forms/frmSearch.h"
#include "core/Databases.h"
#include "core/Settings.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

TEST(MainWindow, CaptionTabsAndRights) {
    TestEnv env;
    env.openOrFail();
    env.db().exec("UPDATE [Authorization] SET [MapName] = 'Harbour View'");
    LoadGlobals(*env.ctx);
    frmSearch w(*env.ctx);
    EXPECT_EQ(w.windowTitle(), "Velmora - Harbour View - Saturday, March 14, 2026");
    auto* tabs = w.findChild<QTabWidget*>("tabMain");
    ASSERT_NE(tabs, nullptr);
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        names << tabs->tabText(i);
    EXPECT_EQ(names, (QStringList{"Contacts", "Events", "Logbook", "Messages", "Others", "Profiles",
                                  "Administration"}));

    // A desk member without the Administration tab right does not get it.
    const qint64 zoe = env.addStaff("Zoe Zeal", "ZOE", "ZZ");
    w.setLogonHandler([&] {
        env.logOn(zoe);
        return true;
    });
    w.Logon();
    EXPECT_TRUE(tabs->isTabEnabled(2));
    EXPECT_FALSE(tabs->isTabEnabled(6));

    env.ctx->start.localBackup = true;
    w.refreshCaption();
    EXPECT_TRUE(w.windowTitle().startsWith("   *****   LOCAL Backup - Velmora - "));
}

TEST(MainWindow, ActivationWithNobodyLoggedOnAsksForTheLogon) {
    TestEnv env;
    env.openOrFail();
    frmSearch w(*env.ctx);
    int asked = 0;
    int signalled = 0;
    const qint64 zoe = env.addStaff("Zoe Zeal", "ZOE", "ZZ");
    w.setLogonHandler([&] {
        ++asked;
        env.logOn(zoe);
        return true;
    });
    QObject::connect(&w, &frmSearch::loggedOn, [&] { ++signalled; });
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked == 1 && signalled == 1; }, 5000));
    // Already logged on: activation does not ask again.
    QApplication::sendEvent(&w, &activate);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 1);

    bool loggedOff = false;
    w.setLogoffHandler([&] { loggedOff = true; });
    w.setLogonHandler([&] { return false; });
    w.Logoff();
    EXPECT_TRUE(QTest::qWaitFor([&] { return loggedOff; }, 5000));
    EXPECT_FALSE(env.ctx->session.loggedOn());
}

TEST(MainWindow, PlacementIsKeptAndClosingClosesTheDatabases) {
    TestEnv env;
    env.openOrFail();
    PrepareLocalSettings(*env.ctx);
    {
        frmSearch w(*env.ctx);
        w.setGeometry(40, 60, 900, 640);
        env.prompt.answer(Answer::Yes); // "Do you wish to exit the Velmora?"
        w.close();
        EXPECT_EQ(env.ctx->current, nullptr);
    }
    const QString ini = env.ctx->iniFile();
    EXPECT_EQ(INIRead("Screen", "Width", ini), "900");
    EXPECT_EQ(INIRead("Screen", "Height", ini), "640");
    EXPECT_EQ(INIRead("Screen", "WindowState", ini), "0");

    env.openOrFail();
    INIWrite("Screen", "WindowState", "1", ini); // stored minimised
    frmSearch again(*env.ctx);
    again.applyPlacement();
    EXPECT_EQ(again.width(), 900);
    EXPECT_FALSE(again.windowState() & Qt::WindowMinimized);
}
