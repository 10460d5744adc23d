// The interface options window as a person uses it: opened from the
// Administration page under its right, the "Interface" page driven by the
// names of its controls.

#include "interfaces/IfCatFixture.h"
#include "interfaces/forms/InterfaceCategoryPage.h"
#include "app/forms/Modules.h"
#include "interfaces/forms/frmInterfaceOpt.h"
#include "support/ScreenDriver.h"

#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>

using namespace vm;
using namespace vm::test;
namespace screen = vm::test::screen;

namespace {

class IfCatScreen : public IfCatFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        IfCatFixture::SetUp();
    }
    void TearDown() override {
        delete options.data();
        IfCatFixture::TearDown();
    }

    void openOptions() {
        options = new frmInterfaceOpt(*env.ctx);
        options->show();
        page = options->findChild<InterfaceCategoryPage*>();
        ASSERT_TRUE(page);
    }
    QStringList listed() {
        QStringList names;
        auto* list = screen::control<QListWidget>(*page, "lstCategories");
        for (int i = 0; list && i < list->count(); ++i) names << list->item(i)->text();
        return names;
    }

    QPointer<frmInterfaceOpt> options;
    InterfaceCategoryPage* page = nullptr;
};

TEST_F(IfCatScreen, ACategoryIsTypedSavedOnceReloadedAndDeleted) {
    openOptions();
    auto* tabs = screen::control<QTabWidget>(*options, "tabInterfaceOpt");
    ASSERT_TRUE(tabs);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Interface");
    EXPECT_EQ(tabs->tabText(1), "ODS");

    screen::click(*page, "cmdSave");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgIfSelectType});
    env.prompt.clear();

    screen::choose(*page, "cboTypeOfInterface", IfHtngInterface);
    screen::type(*page, "txtInterfaceCategory", "Guest's Spa");
    screen::choose(*page, "cboLogbookCategory", "Spa Requests");
    auto* label3 = screen::control<QComboBox>(*page, "cboDEElement3");
    ASSERT_TRUE(label3);
    QStringList offered;
    for (int i = 0; i < label3->count(); ++i) offered << label3->itemText(i);
    EXPECT_EQ(offered, (QStringList{"", "Guest Name:", "Room:", "Treatment:", "Time:"}));
    screen::choose(*page, "cboLanguage", "German");
    screen::type(*page, "txtIFDE1", "GuestName");
    screen::choose(*page, "cboDEElement1", "Guest Name:");
    screen::type(*page, "txtIFDE15", "Therapy");
    screen::choose(*page, "cboDEElement15", "Guest Name:");
    screen::click(*page, "cmdSave");
    ASSERT_EQ(env.prompt.shown.size(), 1u);
    EXPECT_EQ(env.prompt.shown[0].title, TitleIfIncompleteMapping);
    EXPECT_EQ(rows(IfHtngInterface), 0);

    env.prompt.clear();
    screen::choose(*page, "cboDEElement15", "Treatment:");
    screen::click(*page, "cmdSave");
    screen::click(*page, "cmdSave"); // a second press changes the same row
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    ASSERT_EQ(rows(IfHtngInterface), 1);
    const qint64 id = page->categoryId();
    const auto saved = GetIFCategory(db(), id);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->typeOfRequest, "Guest's Spa");
    EXPECT_EQ(saved->logTypeId, spa);
    EXPECT_EQ(saved->languageCode, "2");
    EXPECT_EQ(saved->outsideField[14], "Therapy");
    EXPECT_EQ(saved->designLabel[14], "Treatment:");
    EXPECT_EQ(listed(), QStringList{"Guest's Spa"});

    // Another interface lists its own categories; back again, a pick loads the row.
    screen::choose(*page, "cboTypeOfInterface", IfWebInterface);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(screen::text(*page, "txtInterfaceCategory"), "");
    screen::choose(*page, "cboTypeOfInterface", IfHtngInterface);
    screen::control<QListWidget>(*page, "lstCategories")->setCurrentRow(0);
    EXPECT_EQ(page->categoryId(), id);
    EXPECT_EQ(screen::text(*page, "cboLogbookCategory"), "Spa Requests");
    EXPECT_EQ(screen::text(*page, "cboLanguage"), "German");
    EXPECT_EQ(screen::text(*page, "txtIFDE15"), "Therapy");
    EXPECT_EQ(screen::text(*page, "cboDEElement15"), "Treatment:");

    // Delete asks first; No keeps the category.
    env.prompt.answer(Answer::No);
    screen::click(*page, "cmdDelete");
    EXPECT_EQ(rows(IfHtngInterface), 1);
    env.prompt.answer(Answer::Yes);
    screen::click(*page, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), IfDeleteQuestion("Guest's Spa"));
    EXPECT_EQ(rows(IfHtngInterface), 0);
    EXPECT_TRUE(listed().isEmpty());
    env.prompt.clear();
    screen::click(*page, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgIfSelectToDelete});
}

TEST_F(IfCatScreen, AStoredLabelTheDesignNoLongerHasIsShownAndKept) {
    IfCategory c = valid(IfWebInterface, "Dinner");
    c.designLabel[1] = "Old Line:"; // the design was changed since
    ASSERT_FALSE(SaveIFCategory(db(), c).refused());
    openOptions();
    screen::choose(*page, "cboTypeOfInterface", IfWebInterface);
    screen::control<QListWidget>(*page, "lstCategories")->setCurrentRow(0);
    EXPECT_EQ(screen::text(*page, "cboDEElement2"), "Old Line:");
    screen::type(*page, "txtIFDE3", "Seats");
    screen::click(*page, "cmdSave");
    EXPECT_TRUE(env.prompt.texts().isEmpty());
    const auto saved = GetIFCategory(db(), c.id);
    EXPECT_EQ(saved->outsideField[2], "Seats");
    EXPECT_EQ(saved->designLabel[1], "Old Line:");
}

TEST_F(IfCatScreen, TheAdministrationButtonNeedsTheRightAndOpensOneWindow) {
    env.ctx->session.clear(); // the manager of the fixture logs off first
    setRight(member, Rights::TabAdministration, true); // the page, not yet its windows
    startDesk(member);
    InstallModules(*env.ctx, *window); // as the program starts
    window->show();
    screen::click(*window, "cmdInterfaceOptions");
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"You are not authorized to maintain the Interface Options."});
    EXPECT_FALSE(window->findChild<frmInterfaceOpt*>());

    env.prompt.clear();
    setRight(member, Rights::AdministrationInterfaces, true);
    screen::click(*window, "cmdInterfaceOptions");
    screen::click(*window, "cmdInterfaceOptions");
    EXPECT_TRUE(env.prompt.texts().isEmpty());
    const auto open = window->findChildren<frmInterfaceOpt*>();
    ASSERT_EQ(open.size(), 1);
    EXPECT_TRUE(open.front()->isVisible());
    EXPECT_TRUE(open.front()->isWindow()); // modeless, beside the main window
}

} // namespace
