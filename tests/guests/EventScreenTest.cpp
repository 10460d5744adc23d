// The event screen driven through its controls.

#include "EventsFixture.h"

#include "core/LongText.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "guests/DocumentLinks.h"
#include "guests/forms/frmEvent.h"
#include "platform/VersionedUpdate.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class EventScreen : public EventsFixture {
protected:
    void SetUp() override {
        EventsFixture::SetUp();
        EnsureApplication();
        env.ctx->globals.propertyName = "Harbour Hotel";
        for (const QString& t : {"Concert", "Festival"})
            ASSERT_EQ(InsertEventType(*env.ctx, t), "");
    }

    std::unique_ptr<frmEvent> open(qint64 id = 0) {
        auto f = std::make_unique<frmEvent>(*env.ctx, id);
        return f;
    }
    static QLineEdit* box(frmEvent& f, const QString& name) { return find<QLineEdit>(f, name); }
    // Types into a box and leaves it, as the member does.
    static void type(frmEvent& f, const QString& name, const QString& text) {
        QLineEdit* b = box(f, name);
        b->clear();
        QTest::keyClicks(b, text);
        Q_EMIT b->editingFinished();
    }
    static bool save(frmEvent& f) {
        QSignalSpy saved(&f, &frmEvent::eventSaved);
        click(f, "cmdSave");
        return saved.count() == 1;
    }
    // Fills a valid event on the screen.
    static void fill(frmEvent& f, const QString& name, const QString& start) {
        type(f, "txtEventName", name);
        type(f, "txtStartingDate", start);
        find<QComboBox>(f, "cboEventType")->setCurrentText("Concert");
    }
};

} // namespace

TEST_F(EventScreen, SavingRefusesInOrderThenStoresWhatWasTyped) {
    ASSERT_TRUE(SetBooleanSetting(env.db(), "ProperCaseName", true));
    auto f = open();
    EXPECT_EQ(f->windowTitle(),
              "Concierge Event Manager - Harbour Hotel - Saturday, March 14, 2026");
    const struct {
        const char* box;
        QString text;
        QString refusal;
    } steps[] = {
        {nullptr, {}, MsgEventName},
        {"txtEventName", "harbour jazz night", MsgEventStartingDate()},
        {"txtStartingDate", "03/20/2026", MsgEventType},
        {"cboEventType", "Concert", ""},
        {"txtThroughDate", "03/19/2026", MsgEventThroughBeforeStart()},
        {"txtThroughDate", "03/22/2026", ""},
        {"txtLowPrice", "40", ""},
        {"txtHighPrice", "25", MsgEventHighPrice()},
    };
    for (const auto& s : steps) {
        if (s.box && QString(s.box) == "cboEventType")
            find<QComboBox>(*f, s.box)->setCurrentText(s.text);
        else if (s.box)
            type(*f, s.box, s.text);
        if (s.refusal.isEmpty()) continue;
        env.prompt.clear();
        EXPECT_FALSE(save(*f));
        EXPECT_EQ(env.prompt.texts(), QStringList({s.refusal})) << s.refusal.toStdString();
    }
    // Names are proper-cased and prices formatted when the member leaves the box.
    EXPECT_EQ(box(*f, "txtEventName")->text(), "Harbour Jazz Night");
    EXPECT_EQ(box(*f, "txtLowPrice")->text(), "40.00");
    type(*f, "txtHighPrice", "1234.5");
    EXPECT_EQ(box(*f, "txtHighPrice")->text(), "1,234.50");
    type(*f, "txtLocation", "Blue Room");
    type(*f, "txtDark", "Mondays");
    find<QPlainTextEdit>(*f, "txtNotes")->setPlainText("Smart casual.");
    find<QCheckBox>(*f, "chkPrintOnList")->setChecked(false);
    env.prompt.clear();
    env.clock.set(QDateTime(env.clock.today(), QTime(16, 45)));
    ASSERT_TRUE(save(*f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_TRUE(env.prompt.texts().isEmpty());

    const auto stored = GetTheEvent(*env.ctx, f->eventId());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->name, "Harbour Jazz Night");
    EXPECT_EQ(stored->startingDate, "2026/03/20");
    EXPECT_EQ(stored->throughDate, "2026/03/22");
    EXPECT_EQ(stored->highPrice.value_or(0), 1234.5);
    EXPECT_EQ(stored->notes, "Smart casual.");
    EXPECT_FALSE(stored->printOnList);
    EXPECT_EQ(find<QLabel>(*f, "lblUpdated")->text(), "Updated: 03/14/2026  By: AD");
    EXPECT_EQ(find<QLabel>(*f, "lblCreated")->text(),
              "Created: Saturday,  March 14, 2026  04:45 pm  By: Ann Desk");
    EXPECT_FALSE(f->isChanged());
}

TEST_F(EventScreen, ContinuousEventsHaveNoStartingDate) {
    auto f = open();
    fill(*f, "Lobby Pianist", "03/20/2026");
    QCheckBox* continuous = find<QCheckBox>(*f, "chkContinuous");
    click(*f, "chkContinuous");
    ASSERT_TRUE(continuous->isChecked());
    EXPECT_EQ(box(*f, "txtStartingDate")->text(), "");
    EXPECT_FALSE(box(*f, "txtStartingDate")->isEnabled());
    type(*f, "txtThroughDate", "03/25/2026");
    EXPECT_FALSE(save(*f));
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgEventThroughWithoutStart()}));
    type(*f, "txtThroughDate", "");
    ASSERT_TRUE(save(*f));
    EXPECT_TRUE(env.db()
                    .queryOne("SELECT * FROM [Event] WHERE [EventID] = ?", {f->eventId()})
                    ->isNull("StartingDate"));
    EXPECT_EQ(names(GetContinuousEvents(*env.ctx)), QStringList({"Lobby Pianist"}));
    auto again = open(f->eventId());
    EXPECT_TRUE(find<QCheckBox>(*again, "chkContinuous")->isChecked());
}

TEST_F(EventScreen, LeavingAChangedScreenAsksToSave) {
    const qint64 id = addEvent("Jazz Night", "2026/03/20");
    {
        auto f = open(id);
        type(*f, "txtLocation", "Terrace");
        env.prompt.answer(Answer::No);
        EXPECT_TRUE(f->close());
        EXPECT_EQ(env.prompt.texts(), QStringList({"Do you wish to save your changes?"}));
        EXPECT_EQ(GetTheEvent(*env.ctx, id)->location, "Main Hall");
    }
    env.prompt.clear();
    auto f = open(id);
    type(*f, "txtLocation", "Terrace");
    type(*f, "txtEventName", "");
    env.prompt.answer(Answer::Yes); // the save is refused: the screen stays
    EXPECT_FALSE(f->close());
    EXPECT_EQ(env.prompt.texts(), QStringList({"Do you wish to save your changes?", MsgEventName}));
    type(*f, "txtEventName", "Jazz Night");
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(f->close());
    EXPECT_EQ(GetTheEvent(*env.ctx, id)->location, "Terrace");
}

TEST_F(EventScreen, ASaveThatMetAnotherDesksAsksBeforeReloading) {
    const qint64 id = addEvent("Jazz Night", "2026/03/20");
    auto f = open(id);
    Event theirs = *GetTheEvent(*env.ctx, id);
    theirs.location = "Ballroom";
    ASSERT_EQ(UpdateEvent(*env.ctx, theirs), EventSave::Saved);
    type(*f, "txtLocation", "Terrace");
    env.prompt.answer(Answer::Yes);
    EXPECT_FALSE(save(*f));
    EXPECT_EQ(env.prompt.texts(), QStringList({ChangedElsewhereQuestion("Event")}));
    EXPECT_EQ(box(*f, "txtLocation")->text(), "Ballroom");
    EXPECT_FALSE(f->isChanged());
    // Deleted meanwhile: said plainly, nothing written.
    ASSERT_TRUE(DeleteEvent(*env.ctx, id));
    env.prompt.clear();
    type(*f, "txtLocation", "Terrace");
    EXPECT_FALSE(save(*f));
    EXPECT_EQ(env.prompt.texts(), QStringList({GoneElsewhereMessage("Event")}));
    env.prompt.answer(Answer::No);
    EXPECT_TRUE(f->close());
}

TEST_F(EventScreen, ExceptionsAreKeptOnASavedEvent) {
    auto f = open();
    type(*f, "txtSEFrom", "Every");
    click(*f, "cmdSaveSE");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveEventFirst}));
    fill(*f, "Parade", "03/16/2026");
    ASSERT_TRUE(save(*f));
    env.prompt.clear();

    const struct {
        QString from, through, description, refusal;
    } typed[] = {
        {"", "Monday", "x", MsgExceptionFrom},
        {"03/17/2026", "", "x", MsgExceptionThrough},
        {"03/17/2026", "03/17/2026", "", MsgExceptionDescription},
        {"03/17/2026", "03/17/2026", "St. Patrick's Day: no parade", ""},
        {"Every", "Tuesday", "Closed Tuesdays", ""},
    };
    for (const auto& t : typed) {
        type(*f, "txtSEFrom", t.from);
        type(*f, "txtSEThrough", t.through);
        type(*f, "txtSEDescription", t.description);
        env.prompt.clear();
        click(*f, "cmdSaveSE");
        EXPECT_EQ(env.prompt.texts(), t.refusal.isEmpty() ? QStringList() : QStringList{t.refusal});
    }
    DataGrid* grid = find<DataGrid>(*f, "grdExceptions");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 0), "03/17/2026");
    EXPECT_EQ(grid->cell(0, 2), "St. Patrick's Day: no parade");
    // A chosen row comes into the boxes and is rewritten by the next save.
    grid->selectKey(grid->keyAt(1));
    EXPECT_EQ(box(*f, "txtSEThrough")->text(), "Tuesday");
    type(*f, "txtSEDescription", "O'Hara's night off");
    click(*f, "cmdSaveSE");
    const auto list = GetEventSEs(*env.ctx, f->eventId());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].description, "O'Hara's night off");

    click(*f, "cmdDeleteSE");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSelectExceptionToDelete}));
    grid->selectKey(list[0].id);
    click(*f, "cmdDeleteSE");
    EXPECT_EQ(GetEventSEs(*env.ctx, f->eventId()).size(), 1u);
    EXPECT_EQ(grid->rowCount(), 1);
}

TEST_F(EventScreen, DeletingNeedsTheRightAndConfirmation) {
    const qint64 id = addEvent("Jazz Night", "2026/03/20");
    InsertEventSE(*env.ctx, {0, id, "Every", "Monday", "Dark"});
    auto f = open(id);
    QSignalSpy deleted(f.get(), &frmEvent::eventDeleted);
    click(*f, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({"You are not authorized to Delete Events."}));
    grant(Rights::EventsDelete.position);
    env.prompt.clear();
    env.prompt.answer(Answer::No);
    click(*f, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgDeleteEvent()}));
    EXPECT_TRUE(GetTheEvent(*env.ctx, id));
    env.prompt.answer(Answer::Yes);
    click(*f, "cmdDelete");
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_FALSE(GetTheEvent(*env.ctx, id));
    EXPECT_TRUE(GetEventSEs(*env.ctx, id).empty());
}

TEST_F(EventScreen, WithoutTheEditRightTheScreenOnlyShows) {
    const qint64 id = addEvent("Jazz Night", "2026/03/20");
    grant(Rights::EventsEdit.position, false);
    auto f = open(id);
    for (const char* name : {"cmdSave", "cmdDelete", "cmdClear", "cmdSaveSE", "cmdDeleteSE"})
        EXPECT_TRUE(find<QWidget>(*f, name)->isHidden()) << name;
    type(*f, "txtLocation", "Terrace");
    EXPECT_TRUE(f->close()); // nothing to ask: nothing can be saved
    EXPECT_TRUE(env.prompt.texts().isEmpty());
}

TEST_F(EventScreen, LinkedDocumentsPrintAndMessagesNeedASavedEventAndTheirRights) {
    auto f = open();
    for (const char* name : {"cmdMaintainDocs", "imgPrint", "imgMessage"}) {
        env.prompt.clear();
        click(*f, name);
        EXPECT_EQ(env.prompt.texts().size(), 1) << name;
    }
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveEventBeforeMessage}));
    const qint64 id = addEvent("Jazz Night", "2026/03/20");
    DocumentLink l;
    l.ownerId = id;
    l.sourceType = DocKind::Event;
    l.description = "Programme";
    l.fileName = "https://example.com/programme";
    InsertCDocument(*env.ctx, l);
    auto g = open(id);
    DataGrid* docs = find<DataGrid>(*g, "grdDocuments");
    ASSERT_EQ(docs->rowCount(), 1);
    EXPECT_EQ(docs->cell(0, 0), "Programme");
    docs->selectKey(docs->keyAt(0));
    QTest::keyClick(docs, Qt::Key_Return);
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0].toString(), "https://example.com/programme");

    grant(Rights::EventsViewDocs.position, false);
    grant(Rights::EventsMessages.position, false);
    env.prompt.clear();
    QTest::keyClick(docs, Qt::Key_Return);
    click(*g, "imgMessage");
    EXPECT_EQ(env.prompt.texts(),
              QStringList({"You are not authorized to View Event Linked Documents.",
                           "You are not authorized to Send Event Messages."}));
    grant(Rights::EventsMessages.position, true);
    env.prompt.clear();
    click(*g, "imgMessage");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgEventMessagingMissing}));
    qint64 sentAbout = 0;
    g->sendMessage = [&](qint64 eventId, QWidget*) { sentAbout = eventId; };
    click(*g, "imgMessage");
    EXPECT_EQ(sentAbout, id);
}

TEST_F(EventScreen, PreviousAndNextFollowTheCallersList) {
    const qint64 a = addEvent("Alpha", "2026/03/20");
    const qint64 b = addEvent("Bravo", "2026/03/21");
    const QList<qint64> shown{b, a};
    auto f = open(b);
    EXPECT_TRUE(find<QWidget>(*f, "imgNext")->isHidden());
    f->setNeighbours([&](qint64 id, int step) {
        const qsizetype at = shown.indexOf(id) + step;
        return at >= 0 && at < shown.size() ? shown[at] : 0;
    });
    QSignalSpy moved(f.get(), &frmEvent::movedTo);
    click(*f, "imgPrevious"); // nothing before the first
    EXPECT_EQ(f->eventId(), b);
    type(*f, "txtLocation", "Terrace");
    env.prompt.answer(Answer::Yes);
    click(*f, "imgNext");
    EXPECT_EQ(f->eventId(), a);
    EXPECT_EQ(box(*f, "txtEventName")->text(), "Alpha");
    EXPECT_EQ(GetTheEvent(*env.ctx, b)->location, "Terrace");
    EXPECT_EQ(moved.count(), 1);
}
