// The command bar: every item in its place, rights first, then the attached
// action or the not-installed message; the window's own items (web pages,
// visual styles, sizes, help, About, exit, printing the shown page).
#include "app/DeskFixture.h"
#include "app/forms/NotInstalled.h"
#include "app/forms/VisualStyles.h"
#include "app/forms/WindowCommands.h"
#include "app/forms/frmAbout.h"
#include "core/Settings.h"
#include "core/Upgrade.h"
#include "core/WebPages.h"
#include "guests/forms/ContactsPageModule.h"
#include "guests/forms/EventsModule.h"
#include "guests/forms/EventsPanel.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/RegistryValues.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

using namespace vm;
using namespace vm::test;

namespace {

class CommandBar : public DeskFixture {
protected:
    QString ini() const { return env.ctx->iniFile(); }
    void showTab(const QString& name) {
        auto* tabs = window->tabs();
        tabs->setCurrentWidget(window->tabPage(name));
    }
};

} // namespace

TEST_F(CommandBar, TheItemsStandInOrderAndTheMenusHoldTheirEntries) {
    startDesk(manager);
    auto* bar = window->findChild<QToolBar*>("tbCommands");
    QStringList names;
    for (QAction* a : bar->actions())
        if (!a->objectName().isEmpty()) names << a->objectName();
    EXPECT_EQ(names, QStringList({"cmdQuickViewer", "cmdMessageCenter", "cmdLogoff",
                                  "cmdQueryMaster", "mnuToolsAction", "cmdLogbookExport",
                                  "cmdPrint", "mnuHelpAction", "cmdAbout", "cmdExit"}));
    const auto entries = [this](const char* menu) {
        QStringList out;
        for (QAction* a : window->findChild<QMenu*>(menu)->actions())
            out << a->objectName();
        return out;
    };
    EXPECT_EQ(entries("mnuTools"),
              QStringList({"actWhiteboard", "actWebPages", "mnuVisualStylesAction",
                           "mnuToolbarSizeAction", "mnuTabSizeAction"}));
    EXPECT_EQ(entries("mnuVisualStyles"), QStringList({"actStyleWinXPLuna", "actStyleWinXPRoyale",
                                                       "actStyleOffice2007", "actStyleNone"}));
    EXPECT_EQ(entries("mnuToolbarSize"), QStringList({"actToolbarSmall", "actToolbarLarge"}));
    EXPECT_EQ(entries("mnuTabSize"), QStringList({"actTabSmall", "actTabMedium", "actTabLarge"}));
    EXPECT_EQ(entries("mnuHelp"),
              QStringList({"actHelpOnline", "actTutorials", "actMakerSite", "actRemoteSupport"}));

    // A subsystem's own command goes before Exit.
    int ran = 0;
    window->addCommand("Card Password", "cmdExtra", [&] { ++ran; });
    EXPECT_EQ(bar->actions().indexOf(window->commandAction("cmdExtra")) + 1,
              bar->actions().indexOf(window->commandAction("cmdExit")));
    clickCommand("cmdExtra");
    EXPECT_EQ(ran, 1);
}

TEST_F(CommandBar, RightsComeFirstThenTheModuleOrTheNotInstalledMessage) {
    startDesk(member);
    const struct {
        const char* objectName;
        Right right;
        const char* refusal;
        const char* module;
    } cases[] = {
        {"cmdQuickViewer", Rights::TabQuickViewer,
         "You are not authorized to use the Quick Viewer.", "The Quick Viewer"},
        {"cmdMessageCenter", Rights::GlobalsWhiteboard,
         "You are not authorized to view the Whiteboard/Message Center.", "The Message Center"},
        {"actWhiteboard", Rights::GlobalsWhiteboard,
         "You are not authorized to view the Whiteboard/Message Center.", "The Whiteboard"},
        {"cmdQueryMaster", Rights::OthersReportWriter,
         "You are not authorized to Work with the Logbook Report Writer.",
         "The Logbook Report Writer"},
        {"cmdLogbookExport", Rights::LogbookExport,
         "You are not authorized to work with Logbook Export.", "Logbook Export"},
    };
    for (const auto& c : cases) {
        setRight(member, c.right, false);
        env.prompt.clear();
        clickCommand(c.objectName);
        EXPECT_EQ(env.prompt.texts(), QStringList{c.refusal}) << c.objectName;
        setRight(member, c.right, true);
        env.prompt.clear();
        clickCommand(c.objectName);
        EXPECT_EQ(env.prompt.texts(), QStringList{NotInstalledMessage(c.module)}) << c.objectName;
    }
    // The issue that brings the quick viewer attaches it.
    int viewer = 0;
    window->setCommandAction("cmdQuickViewer", [&] { ++viewer; });
    env.prompt.clear();
    clickCommand("cmdQuickViewer");
    EXPECT_EQ(viewer, 1);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    setRight(member, Rights::TabQuickViewer, false);
    clickCommand("cmdQuickViewer");
    EXPECT_EQ(viewer, 1);
}

TEST_F(CommandBar, TheWebPagesOpenTheProgramsIndexPage) {
    startDesk(member);
    setRight(member, Rights::MaintenanceWebPages, false);
    clickCommand("actWebPages");
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"You are not authorized to view the Velmora Web Pages."});
    setRight(member, Rights::MaintenanceWebPages, true);
    env.prompt.clear();
    const QString index = ProgramWebPagesIndex(*env.ctx);
    clickCommand("actWebPages");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgWebPagesMissing(index)});
    EXPECT_TRUE(env.desktop.opened.isEmpty());

    QDir().mkpath(QFileInfo(index).absolutePath());
    QFile page(index);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    env.prompt.clear();
    clickCommand("actWebPages");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    EXPECT_EQ(env.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(index)});
}

TEST_F(CommandBar, AVisualStyleIsStoredAndApplied) {
    startDesk(member);
    const struct {
        const char* action;
        const char* stored;
    } choices[] = {{"actStyleOffice2007", "Office2007"},
                   {"actStyleWinXPRoyale", "WinXPRoyale"},
                   {"actStyleNone", "NONE"},
                   {"actStyleWinXPLuna", "WinXPLuna"}};
    for (const auto& c : choices) {
        clickCommand(c.action);
        EXPECT_EQ(INIRead("Settings", "Skin", ini()), c.stored);
        EXPECT_EQ(StoredVisualStyle(*env.ctx), c.stored);
        EXPECT_EQ(QApplication::palette().color(QPalette::Window),
                  VisualStylePalette(c.stored).color(QPalette::Window))
            << c.stored;
        if (!QtStyleFor(c.stored).isEmpty())
            EXPECT_EQ(QApplication::style()->name().toLower(), QtStyleFor(c.stored).toLower());
    }
    // Each skin has colours of its own; none is the desktop's.
    EXPECT_NE(VisualStylePalette("Office2007").color(QPalette::Window),
              VisualStylePalette("WinXPLuna").color(QPalette::Window));
    EXPECT_NE(VisualStylePalette("Office2007").color(QPalette::Window),
              VisualStylePalette("NONE").color(QPalette::Window));

    // What start-up reads: the old "Vista" too, anything else as none.
    const struct {
        const char* inIni;
        const char* read;
    } stored[] = {{"Vista", "Vista"}, {"office2007", "Office2007"}, {"Aero", "NONE"}};
    for (const auto& s : stored) {
        INIWrite("Settings", "Skin", s.inIni, ini());
        EXPECT_EQ(StoredVisualStyle(*env.ctx), s.read) << s.inIni;
    }
    // Start-up applies the stored style with the placement.
    INIWrite("Settings", "Skin", "WinXPRoyale", ini());
    window->applyPlacement();
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              VisualStylePalette("WinXPRoyale").color(QPalette::Window));
    // The installation can switch skins off.
    QFile off(env.ctx->workstation.programFolder + "/DisableSkin.cjstyles");
    ASSERT_TRUE(off.open(QIODevice::WriteOnly));
    off.close();
    EXPECT_EQ(StoredVisualStyle(*env.ctx), "NONE");
}

TEST_F(CommandBar, ToolbarAndTabSizesAreStoredAndShown) {
    startDesk(member);
    auto* bar = window->findChild<QToolBar*>("tbCommands");
    clickCommand("actToolbarLarge");
    EXPECT_EQ(INIRead("Settings", "ToolbarSize", ini()), "3");
    EXPECT_EQ(bar->iconSize(), QSize(32, 32));
    clickCommand("actToolbarSmall");
    EXPECT_EQ(INIRead("Settings", "ToolbarSize", ini()), "1");
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));

    QList<int> sizes;
    for (const char* action : {"actTabSmall", "actTabMedium", "actTabLarge"}) {
        clickCommand(action);
        sizes << window->tabs()->tabBar()->font().pointSize();
    }
    EXPECT_EQ(INIRead("Settings", "TabSize", ini()), "3");
    EXPECT_LT(sizes[0], sizes[1]);
    EXPECT_LT(sizes[1], sizes[2]);
}

TEST_F(CommandBar, HelpOpensTheSetAddressOrTheDefault) {
    startDesk(member);
    for (const HelpAddress& a : HelpAddresses()) {
        env.desktop.opened.clear();
        clickCommand(a.action);
        EXPECT_EQ(env.desktop.opened, QList<QUrl>{QUrl(a.fallback)}) << a.action;
    }
    SetValueFromKey(env.db(), "TutorialsURL", "https://desk.example.org/learn");
    env.desktop.opened.clear();
    clickCommand("actTutorials");
    EXPECT_EQ(env.desktop.opened, QList<QUrl>{QUrl("https://desk.example.org/learn")});
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    env.desktop.opens = false;
    clickCommand("actHelpOnline");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgCannotOpen(HelpAddresses()[0].fallback)});
}

TEST_F(CommandBar, AboutShowsTheVersionAndTheDatabaseLevel) {
    env.db().exec("UPDATE [Authorization] SET [MapName] = 'Harbour View'");
    LoadGlobals(*env.ctx);
    startDesk(member);
    clickCommand("cmdAbout");
    auto* about = window->findChild<frmAbout*>("frmAbout");
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->lblVersion->text(), QString("Version ") + VELMORA_VERSION);
    const int level = StoredLevel(env.db());
    EXPECT_GT(level, 81045); // the ladder ran
    EXPECT_EQ(about->lblLevel->text(), "Database level " + QString::number(level));
    EXPECT_EQ(about->lblEngine->text(),
              UsingPostgres() ? "Database engine PostgreSQL" : "Database engine SQLite");
    EXPECT_EQ(about->lblProperty->text(), "Harbour View");
    // Asked again, the one box comes forward.
    clickCommand("cmdAbout");
    EXPECT_EQ(window->findChildren<frmAbout*>().size(), 1);
}

TEST_F(CommandBar, ExitAsksAndNoKeepsTheProgram) {
    startDesk(member);
    window->show();
    env.prompt.answer(Answer::No);
    clickCommand("cmdExit");
    EXPECT_EQ(env.prompt.texts(), QStringList{"Do you wish to exit the Velmora?"});
    EXPECT_TRUE(env.prompt.shown[0].question);
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(env.ctx->current, nullptr);

    // Closing the window asks the same.
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(window->close());
    EXPECT_NE(env.ctx->current, nullptr);

    env.prompt.answer(Answer::Yes);
    clickCommand("cmdExit");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(env.ctx->current, nullptr); // the databases closed with the program
}

TEST_F(CommandBar, PrintingTheShownPageGoesToThatPagesList) {
    startDesk(member);
    setRight(member, Rights::MaintenancePrintLists, true);
    InstallLogbook(*env.ctx, *window);
    InstallContactsPage(*env.ctx, *window);
    InstallEvents(*env.ctx, *window);
    const struct {
        const char* tab;
        QString said;
    } pages[] = {
        {"Contacts", "Please select some contacts first.  Then print the list."},
        {"Events", MsgSelectEventsFirst},
        {"Logbook", "Please select some Logbook Entries first.  Then print the list."},
        {"Messages", "Print feature is not available for this panel."},
        {"Others", "Print feature is not available for this panel."},
        {"Profiles", "Print feature is not available for this panel."},
    };
    for (const auto& p : pages) {
        showTab(p.tab);
        env.prompt.clear();
        clickCommand("cmdPrint");
        EXPECT_EQ(env.prompt.texts(), QStringList{p.said}) << p.tab;
    }
    setRight(member, Rights::MaintenancePrintLists, false);
    showTab("Events");
    env.prompt.clear();
    clickCommand("cmdPrint");
    EXPECT_EQ(env.prompt.texts(), QStringList{"You are not authorized to Print Search Lists."});
}
