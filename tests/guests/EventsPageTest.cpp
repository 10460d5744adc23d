// The main window's Events page and Event Types page, driven through their controls.

#include "guests/forms/frmCsvImport.h"
#include "EventsFixture.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "guests/forms/EventTypesPage.h"
#include "guests/forms/EventsModule.h"
#include "guests/forms/EventsPanel.h"
#include "guests/forms/frmEvent.h"
#include "platform/forms/DataGrid.h"
#include "support/ScreenDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class EventsPage : public EventsFixture {
protected:
    void SetUp() override {
        EventsFixture::SetUp();
        EnsureApplication();
        grant(Rights::TabAdministration); // the Event Types page is one of its pages
        InstallModuleHooks(*env.ctx);
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallEvents(*env.ctx, *window);
        module = window->findChild<EventsModule*>("EventsModule");
        ASSERT_TRUE(module);
        panel = window->findChild<EventsPanel*>("EventsPanel");
        ASSERT_TRUE(panel);
        types = window->findChild<EventTypesPage*>("EventTypesPage");
        ASSERT_TRUE(types);
        for (const QString& t : {"Concert", "Festival"})
            ASSERT_EQ(InsertEventType(*env.ctx, t), "");
        Q_EMIT window->loggedOn();
    }
    void TearDown() override {
        for (frmEvent* f : panel->findChildren<frmEvent*>())
            delete f;
        window.reset();
    }

    void selectBy(const QString& mode) { screen::choose(*panel, "cboSelectBy", mode); }
    void typeInto(const QString& name, const QString& text) { screen::type(*panel, name, text); }
    QStringList listed() {
        QStringList out;
        for (int row = 0; row < grid()->rowCount(); ++row)
            out << grid()->cell(row, 0);
        return out;
    }
    DataGrid* grid() { return find<DataGrid>(*panel, "grdEvents"); }
    QString label(const QString& name) { return find<QLabel>(*panel, name)->text(); }
    frmEvent* openScreen() {
        const auto screens = panel->findChildren<frmEvent*>();
        return screens.isEmpty() ? nullptr : screens.last();
    }
    void bulkEvents(int n) {
        env.ctx->eventsDb().transaction([&] {
            for (int i = 0; i < n; ++i)
                env.ctx->eventsDb().exec(
                    "INSERT INTO [Event] ([EventName], [StartingDate], "
                    "[EventType], [PrintOnList]) VALUES (?, ?, ?, ?)",
                    {"Event " + QString::number(i), day(i % 60), "Concert", true});
        });
    }

    std::unique_ptr<frmSearch> window;
    EventsModule* module = nullptr;
    EventsPanel* panel = nullptr;
    EventTypesPage* types = nullptr;
};

} // namespace

TEST_F(EventsPage, SearchesListByDateNameLocationAndType) {
    const qint64 jazz = addEvent("Jazz Night", "2026/03/18", "2026/03/22", "Concert", "Blue Room");
    InsertEventSE(*env.ctx, {0, jazz, "03/19/2026", "03/19/2026", "Private party"});
    addEvent("Wine Tasting", "2026/03/20", {}, "Festival", "Cellar");
    addEvent("Old Fair", "2026/02/01", "2026/02/05", "Festival", "Park");
    EXPECT_EQ(find<QComboBox>(*panel, "cboEventType")->count(), 3);

    selectBy("Event Date");
    typeInto("txtFrom", "03/20/2026");
    click(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Jazz Night", "Wine Tasting"}));
    EXPECT_EQ(label("lblDescription"), "Where Event Date is 03/20/2026, Sorted by Event Date");
    EXPECT_EQ(label("lblCount"), "2 Entries were selected");
    EXPECT_EQ(grid()->cell(0, 2), "03/18/2026");

    find<QComboBox>(*panel, "cboEventType")->setCurrentText("Concert");
    click(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Jazz Night"}));
    EXPECT_EQ(label("lblDescription"),
              "Where Event Date is 03/20/2026 And EventType is Concert, Sorted by Event Date");

    typeInto("txtThrough", "03/01/2026");
    click(*panel, "cmdSearch");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgThroughBeforeFrom}));
    EXPECT_EQ(listed(), QStringList({"Jazz Night"})); // the previous list stays

    find<QComboBox>(*panel, "cboEventType")->setCurrentIndex(0);
    selectBy("Location");
    typeInto("txtSearchText", "room");
    QTest::keyClick(find<QLineEdit>(*panel, "txtSearchText"), Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList({"Jazz Night"}));
    selectBy("Event Name");
    typeInto("txtSearchText", "zzz");
    click(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList());
    EXPECT_EQ(label("lblCount"), " 0 Entries were selected.");

    auto* sort = find<QComboBox>(*panel, "cboSort");
    EXPECT_EQ(sort->count(), 6);
    sort->setCurrentText("Location");
    selectBy("All Events");
    click(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Jazz Night", "Wine Tasting", "Old Fair"}));
    EXPECT_EQ(label("lblDescription"), "Where All Events Have Been Selected, Sorted by Location");
}

TEST_F(EventsPage, AskingForEverythingIsGuardedBySize) {
    bulkEvents(1001);
    selectBy("All Events");
    env.prompt.answer(Answer::No);
    click(*panel, "cmdSearch");
    EXPECT_EQ(env.prompt.texts(), QStringList({EventListGuard.listThemAllQuestion(1001)}));
    EXPECT_EQ(grid()->rowCount(), 0);
    env.prompt.answer(Answer::Yes);
    click(*panel, "cmdSearch");
    EXPECT_EQ(grid()->rowCount(), 1001);
    EXPECT_EQ(label("lblCount"), "1,001 Entries were selected");
    // A selection is not counted first.
    env.prompt.clear();
    selectBy("Event Name");
    typeInto("txtSearchText", "Event 1");
    click(*panel, "cmdSearch");
    EXPECT_TRUE(env.prompt.texts().isEmpty());
    EXPECT_EQ(grid()->rowCount(), 112); // 1, 10-19, 100-199, 1000

    bulkEvents(1000);
    selectBy("All Events");
    click(*panel, "cmdSearch");
    EXPECT_EQ(env.prompt.texts(), QStringList({EventListGuard.tooManyMessage(2001)}));
}

TEST_F(EventsPage, TheEventScreenOpensFromTheListAndTheListFollowsIt) {
    const qint64 a = addEvent("Alpha", "2026/03/20");
    const qint64 b = addEvent("Bravo", "2026/03/21");
    selectBy("All Events");
    click(*panel, "cmdSearch");
    ASSERT_EQ(listed(), QStringList({"Alpha", "Bravo"}));

    grid()->selectKey(a);
    QTest::keyClick(grid(), Qt::Key_Return);
    frmEvent* f = openScreen();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->eventId(), a);
    find<QLineEdit>(*f, "txtLocation")->setText("Terrace");
    Q_EMIT find<QLineEdit>(*f, "txtLocation")->textEdited("Terrace");
    env.prompt.answer(Answer::Yes); // save before moving on
    click(*f, "imgNext");
    EXPECT_EQ(f->eventId(), b);
    EXPECT_EQ(grid()->currentKey(), b);
    EXPECT_EQ(grid()->cell(0, 7), "Terrace");

    grant(Rights::EventsDelete.position);
    env.prompt.answer(Answer::Yes);
    click(*f, "cmdDelete");
    EXPECT_EQ(listed(), QStringList({"Alpha"}));
    EXPECT_EQ(label("lblCount"), "1 Entries were selected");

    // Adding: refused without the right, otherwise the new event joins the list.
    grant(Rights::EventsAdd.position, false);
    env.prompt.clear();
    click(*panel, "cmdAddEvent");
    EXPECT_EQ(env.prompt.texts(), QStringList({"You are not authorized to Add Events."}));
    grant(Rights::EventsAdd.position, true);
    click(*panel, "cmdAddEvent");
    frmEvent* added = openScreen();
    ASSERT_TRUE(added && added->eventId() == 0);
    find<QLineEdit>(*added, "txtEventName")->setText("Charlie");
    find<QLineEdit>(*added, "txtStartingDate")->setText("03/25/2026");
    find<QComboBox>(*added, "cboEventType")->setCurrentText("Festival");
    click(*added, "cmdSave");
    EXPECT_EQ(listed(), QStringList({"Alpha", "Charlie"}));
    EXPECT_EQ(grid()->currentKey(), added->eventId());
}

TEST_F(EventsPage, ImportingStartsTheImporterOrSaysWhyNot) {
    env.prompt.answer(Answer::No);
    click(*panel, "cmdImport");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgImportEvents}));
    const QString importer = EventsPanel::ImporterPath(*env.ctx);
    env.prompt.answer(Answer::Yes);
    click(*panel, "cmdImport");
    // No importer installed: the program's own import opens.
    EXPECT_TRUE(panel->findChild<vm::frmCsvImport*>("frmCsvImport"));
    EXPECT_TRUE(env.desktop.started.isEmpty());

    QFile program(importer);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    env.desktop.starts = false;
    env.prompt.answer(Answer::Yes);
    click(*panel, "cmdImport");
    EXPECT_EQ(env.prompt.last(), MsgImporterNotStarted(importer));
    env.desktop.starts = true;
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    click(*panel, "cmdImport");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgImportEvents}));
    ASSERT_EQ(env.desktop.started.size(), 2);
    EXPECT_EQ(env.desktop.started.last().program, importer);

    grant(Rights::EventsImport.position, false);
    env.prompt.clear();
    click(*panel, "cmdImport");
    EXPECT_EQ(env.prompt.texts(), QStringList({"You are not authorized to Import Events."}));
}

TEST_F(EventsPage, EventTypesAreAddedReplacedAndDeletedOnTheirPage) {
    auto* list = find<QListWidget>(*types, "lstEventTypes");
    auto* name = find<QLineEdit>(*types, "txtEventType");
    auto* replace = find<QLineEdit>(*types, "txtReplaceWith");
    auto* add = find<QPushButton>(*types, "cmdAddType");
    types->refresh();
    ASSERT_EQ(list->count(), 2);
    ASSERT_TRUE(add->isEnabled());

    const struct {
        QString typed;
        QString refusal;
    } adds[] = {{"  ", MsgBlankType}, {"Children's Theatre", ""}, {"CONCERT", MsgTypeExists}};
    for (const auto& a : adds) {
        env.prompt.clear();
        name->setText(a.typed);
        add->click();
        EXPECT_EQ(env.prompt.texts(), a.refusal.isEmpty() ? QStringList() : QStringList{a.refusal});
    }
    EXPECT_EQ(list->count(), 3);
    // The Events page's filter follows the list.
    EXPECT_GE(find<QComboBox>(*panel, "cboEventType")->findText("Children's Theatre"), 0);

    addEvent("Puppets", day(1), {}, "Children's Theatre");
    list->setCurrentRow(0);
    EXPECT_EQ(name->text(), "Children's Theatre");
    QTest::keyClicks(replace, "Family Theatre");
    EXPECT_EQ(add->text(), "Replace");
    add->click();
    EXPECT_EQ(add->text(), "Add Event Type");
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Family Theatre"), 1);
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Concert", "Family Theatre", "Festival"}));

    env.prompt.clear();
    list->setCurrentRow(-1);
    click(*types, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSelectTypeToDelete}));
    list->setCurrentRow(1); // Family Theatre, in use
    env.prompt.clear();
    click(*types, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgTypeInUse(1)}));
    list->setCurrentRow(2); // Festival, unused
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    click(*types, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgDeleteTypeQuestion()}));
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Concert", "Family Theatre"}));

    // A count that fails keeps the type: nothing is asked, nothing deleted.
    env.ctx->eventsDb().exec("DROP TABLE [Event]");
    list->setCurrentRow(0);
    env.prompt.clear();
    click(*types, "cmdDelete");
    ASSERT_EQ(env.prompt.texts().size(), 1);
    EXPECT_TRUE(env.prompt.last().startsWith("Error")) << env.prompt.last().toStdString();
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Concert", "Family Theatre"}));

    grant(Rights::EventsTypes.position, false);
    env.prompt.clear();
    click(*types, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({"You are not authorized to Maintain Event Types."}));
}
