// The main window on the demonstration property, as a member uses it: logged
// on with the printed password, each search page lists rows and the first row
// of each opens its record screen without a message.

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "platform/forms/DataGrid.h"
#include "security/Logon.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <memory>

namespace vm::test {
namespace {

// The record windows open now (top-level, shown).
QStringList openWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty()) names << w->objectName();
    return names;
}

TEST(DemoDeskScreen, EveryPageListsTheDemoPropertyAndOpensItsRecords) {
    EnsureApplication();
    TestEnv env;
    env.openOrFail();
    demo::PropertyGenerator(*env.ctx, demo::PropertySize::Demo()).generate();
    const demo::DemoLogon manager = demo::PropertyGenerator::Logons(12).first();

    auto window = std::make_unique<frmSearch>(*env.ctx);
    InstallModules(*env.ctx, *window);
    window->setLogonHandler([&] {
        return CheckLogon(*env.ctx, manager.logon, manager.password).result == LogonResult::Ok;
    });
    window->Logon();
    ASSERT_TRUE(env.ctx->session.loggedOn());
    window->show();

    struct Page {
        const char* panel;
        const char* box; // typed into first, when there is one
        QString typed;
        const char* button;
        const char* grid;
    };
    const QString guest =
        env.db().scalar("SELECT [LastName] FROM [Profile] ORDER BY [ProfileID]").toString();
    for (const Page& page :
         {Page{"LogbookPanel", nullptr, {}, "cmdToday", "grdLogbook"},
          Page{"ContactsPanel", "txtSearchText", "Golden", "cmdSearch", "grdContacts"},
          Page{"ProfilesPanel", "txtSearch", guest, "cmdSearch", "grdProfiles"},
          Page{"EventsPanel", "txtFrom", Formats::ShortDate(env.clock.today()), "cmdSearch",
               "grdEvents"}}) {
        SCOPED_TRACE(page.panel);
        auto* panel = screen::control<QWidget>(*window, page.panel);
        if (page.box) screen::type(*panel, page.box, page.typed);
        screen::click(*panel, page.button);
        auto* grid = screen::control<DataGrid>(*panel, page.grid);
        ASSERT_GT(grid->rowCount(), 0) << env.prompt.texts().join("\n").toStdString();
        // The first row opens as a member opens it: selected, Enter.
        const QStringList before = openWindows();
        grid->setFocus();
        grid->selectKey(grid->keyAt(0));
        QTest::keyClick(grid, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_GT(openWindows().size(), before.size()) << openWindows().join(", ").toStdString();
        EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("\n").toStdString();
    }
    // The screens of the Others page open on it too.
    for (const char* icon : {"imgGroups", "imgReservations", "imgTimedServices", "imgLostAndFound",
                             "imgKeyControl", "imgRentals"}) {
        SCOPED_TRACE(icon);
        QAbstractButton* button = window->othersIcon(icon);
        ASSERT_TRUE(button);
        const qsizetype before = openWindows().size();
        button->click();
        QCoreApplication::processEvents();
        EXPECT_GT(openWindows().size(), before) << openWindows().join(", ").toStdString();
        EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("\n").toStdString();
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window.get() && w->isVisible()) w->close();
    window.reset();
}

} // namespace
} // namespace vm::test
