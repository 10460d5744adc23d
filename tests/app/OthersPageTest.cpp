// The Others page: every icon stands in its place from the start, checks its
// right before anything else, runs what its subsystem attached or says its
// module is not installed; the web site import is the window's own.
#include "app/DeskFixture.h"
#include "app/forms/NotInstalled.h"
#include "app/forms/WindowCommands.h"
#include "core/DataAccess.h"
#include "core/WebPages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

using namespace vm;
using namespace vm::test;

namespace {

struct IconCase {
    const char* objectName;
    const char* text;
    Right right;
    const char* refusal;
};

const IconCase Icons[] = {
    {"imgGroups", "Work with Groups and Conventions", Rights::OthersGroups,
     "You are not authorized to Work with Groups and Conventions."},
    {"imgRentals", "Work with the Rental and Inventory Items", Rights::OthersRentals,
     "You are not authorized to Work with Rental and Inventory Items."},
    {"imgPointToPoint", "Create Your Own Point-to-Point Map", Rights::OthersMap,
     "You are not authorized to Create Your Own MapPoint Map."},
    {"imgMessageCenter", "Work with Your Personal Message Center", Rights::OthersMessageCenter,
     "You are not authorized to Work with Your Personal Message Center."},
    {"imgReportWriter", "Work with the Logbook Report Writer", Rights::OthersReportWriter,
     "You are not authorized to Work with the Logbook Report Writer."},
    {"imgReservations", "Work with Reservations", Rights::AddOnsReservations,
     "You are not authorized to Work with Reservations."},
    {"imgIncidents", "Work with Incident Reporting System", Rights::AddOnsIncidents,
     "You are not authorized to Work with Incident Reporting."},
    {"imgLostAndFound", "Work with Lost and Found Items", Rights::AddOnsLostAndFound,
     "You are not authorized to Work with Lost and Found."},
    {"imgKeyControl", "Work with Key Control Application", Rights::AddOnsKeyControl,
     "You are not authorized to Work with Key Control."},
    {"imgTimedServices", "Work with Timed Services", Rights::AddOnsTimedServices,
     "You are not authorized to Work with Timed Services."},
    {"imgWebImport", "Import Your Web Site Requests", Rights::OthersWebImport,
     "You are not authorized to Import Web Site Requests."},
};

class OthersPage : public DeskFixture {
protected:
    QString writeFile(const QString& path, const QByteArray& content = "<html></html>") {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(content);
        return path;
    }
    QString webImportProgram() {
        return QDir(env.ctx->workstation.programFolder).filePath("WebImport");
    }
};

} // namespace

TEST_F(OthersPage, EveryIconStandsInOrderFromTheStart) {
    startDesk(manager);
    auto* grid = window->tabPage("Others")->findChild<QGridLayout*>();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->count(), int(std::size(Icons)));
    for (int i = 0; i < grid->count(); ++i) {
        auto* icon = qobject_cast<QAbstractButton*>(grid->itemAt(i)->widget());
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->objectName(), Icons[i].objectName);
        EXPECT_EQ(icon->text(), Icons[i].text);
    }
    // A subsystem attaching to an icon does not add another.
    int ran = 0;
    EXPECT_EQ(window->addOthersIcon("Groups", "imgGroups", [&] { ++ran; }),
              window->othersIcon("imgGroups"));
    EXPECT_EQ(grid->count(), int(std::size(Icons)));
    // An icon the page does not know is added at the end.
    QAbstractButton* extra = window->addOthersIcon("Work with Extras", "imgExtras", [&] { ++ran; });
    EXPECT_EQ(grid->count(), int(std::size(Icons)) + 1);
    extra->click();
    clickIcon("imgGroups");
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(OthersPage, AnIconWithoutItsModuleSaysSoPlainly) {
    startDesk(manager);
    // What each icon answers with no subsystem installed.
    const struct {
        const char* objectName;
        QString said;
    } cases[] = {
        {"imgGroups", NotInstalledMessage("Groups and Conventions")},
        {"imgRentals", NotInstalledMessage("Rental and Inventory")},
        {"imgPointToPoint", NotInstalledMessage("The Point-to-Point Map")},
        {"imgMessageCenter", NotInstalledMessage("The Personal Message Center")},
        {"imgReportWriter", NotInstalledMessage("The Logbook Report Writer")},
        {"imgReservations", NotInstalledMessage("Reservations")},
        {"imgIncidents", "The Incident Reporting System is not part of Velmora.  Please use your "
                         "property's own incident reporting system."},
        {"imgLostAndFound", NotInstalledMessage("Lost and Found")},
        {"imgKeyControl", NotInstalledMessage("Key Control")},
        {"imgTimedServices", NotInstalledMessage("Timed Services")},
        {"imgWebImport", MsgWebImportQuestion},
    };
    for (const auto& c : cases) {
        env.prompt.clear();
        if (QString(c.objectName) == "imgWebImport") env.prompt.answer(Answer::No);
        clickIcon(c.objectName);
        EXPECT_EQ(env.prompt.texts(), QStringList{c.said}) << c.objectName;
    }
    EXPECT_EQ(NotInstalledMessage("Key Control"),
              "Key Control is not installed in this version of Velmora.");
    EXPECT_TRUE(env.desktop.started.isEmpty());
    EXPECT_TRUE(env.desktop.opened.isEmpty());
}

TEST_F(OthersPage, TheRightIsCheckedBeforeTheActionOrTheNotInstalledMessage) {
    startDesk(member);
    int ran = 0;
    for (const IconCase& c : Icons)
        if (QString(c.objectName) != "imgRentals") // left without an action
            window->addOthersIcon({}, c.objectName, [&] { ++ran; });
    for (const IconCase& c : Icons) {
        setRight(member, c.right, false);
        env.prompt.clear();
        clickIcon(c.objectName);
        EXPECT_EQ(env.prompt.texts(), QStringList{c.refusal}) << c.objectName;

        setRight(member, c.right, true);
        env.prompt.clear();
        const int before = ran;
        clickIcon(c.objectName);
        if (QString(c.objectName) == "imgRentals")
            EXPECT_EQ(env.prompt.texts(), QStringList{NotInstalledMessage("Rental and Inventory")});
        else
            EXPECT_EQ(ran, before + 1) << c.objectName;
    }
    // Managers pass every check, the add-ons included.
    window.reset();
    startDesk(manager);
    env.prompt.clear();
    clickIcon("imgKeyControl");
    EXPECT_EQ(env.prompt.texts(), QStringList{NotInstalledMessage("Key Control")});
}

TEST_F(OthersPage, AClickEnterOrDoubleClickLaunchesOnce) {
    startDesk(manager);
    int ran = 0;
    window->addOthersIcon({}, "imgTimedServices", [&] { ++ran; });
    window->tabs()->setCurrentWidget(window->tabPage("Others"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QAbstractButton* icon = window->othersIcon("imgTimedServices");
    // A double-click as the desktop delivers it: press, release, double-click,
    // release.  Its second half does not start the module again.
    QTest::mouseClick(icon, Qt::LeftButton);
    const QPointF at = icon->rect().center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, icon->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(icon, &twice);
    QTest::mouseRelease(icon, Qt::LeftButton);
    EXPECT_EQ(ran, 1);
    QTest::keyClick(icon, Qt::Key_Return);
    EXPECT_EQ(ran, 2);
    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_EQ(ran, 3);
}

TEST_F(OthersPage, TheWebSiteImportReportsCompletionOnlyWhenTheProgramSucceeded) {
    startDesk(member);
    setRight(member, Rights::OthersWebImport, true);
    const QString folder = env.ctx->workstation.programFolder;
    // No: nothing runs.
    env.prompt.answer(Answer::No);
    clickIcon("imgWebImport");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgWebImportQuestion});
    // The program is not installed.
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    clickIcon("imgWebImport");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgWebImportQuestion, MsgWebImportMissing(folder)}));
    EXPECT_TRUE(env.desktop.started.isEmpty());

    const QString program = writeFile(webImportProgram(), "#!/bin/sh\n");
    const struct {
        bool starts;
        int exitCode;
        QString said;
    } runs[] = {{true, 0, MsgWebImportDone},
                {true, 3, MsgWebImportFailed(3)},
                {false, 0, MsgWebImportNotRun(program)}};
    for (const auto& r : runs) {
        env.prompt.clear();
        env.desktop.started.clear();
        env.desktop.starts = r.starts;
        env.desktop.exitCode = r.exitCode;
        env.prompt.answer(Answer::Yes);
        clickIcon("imgWebImport");
        EXPECT_EQ(env.prompt.texts(), QStringList({MsgWebImportQuestion, r.said}));
        ASSERT_EQ(env.desktop.started.size(), 1);
        EXPECT_EQ(env.desktop.started[0].program, program);
    }
    EXPECT_EQ(MsgWebImportDone, "The Web Site Import process has completed.");
    EXPECT_FALSE(MsgWebImportFailed(3).contains("completed"));
}
