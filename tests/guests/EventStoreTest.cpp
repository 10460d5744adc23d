#include "EventsFixture.h"

#include "core/LongText.h"
#include "core/TextLog.h"
#include "guests/DocumentLinks.h"

#include <QFile>

using namespace vm;
using namespace vm::test;

namespace {

class EventStore : public EventsFixture {
protected:
    int rows(Database& db, const QString& sql, const QVariantList& params = {}) {
        return db.scalar(sql, params).toInt();
    }
    QString sharedLog() {
        QFile f(env.databaseFolder() + SharedLogName);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }
};

} // namespace

TEST(EventRules, ValidationRefusesInTheScreensOrder) {
    struct Case {
        EventInput in;
        QString refusal;
    };
    const EventInput ok{"Jazz Night", false, "03/20/2026", "03/22/2026", "Concert", "10", "20"};
    auto with = [&](auto change) {
        EventInput in = ok;
        change(in);
        return in;
    };
    const Case cases[] = {
        {ok, ""},
        {with([](EventInput& i) {
             i.name = "  ";
             i.startingDate = "";
         }),
         MsgEventName},
        {with([](EventInput& i) {
             i.startingDate = "02/30/2026";
             i.eventType = "";
         }),
         MsgEventStartingDate()},
        {with([](EventInput& i) {
             i.eventType = "";
             i.throughDate = "x";
         }),
         MsgEventType},
        {with([](EventInput& i) { i.throughDate = "13/01/2026"; }), MsgEventThroughDate()},
        {with([](EventInput& i) {
             i.continuous = true;
             i.startingDate = "";
         }),
         MsgEventThroughWithoutStart()},
        {with([](EventInput& i) {
             i.continuous = true;
             i.startingDate = "";
             i.throughDate = "";
         }),
         ""},
        {with([](EventInput& i) {
             i.throughDate = "03/19/2026";
             i.highPrice = "1";
         }),
         MsgEventThroughBeforeStart()},
        {with([](EventInput& i) { i.throughDate = "03/20/2026"; }), ""},
        {with([](EventInput& i) { i.highPrice = "9.99"; }), MsgEventHighPrice()},
        {with([](EventInput& i) { i.highPrice = "$1,200.00"; }), ""},
        {with([](EventInput& i) {
             i.lowPrice = "";
             i.highPrice = "5";
         }),
         ""},
        {with([](EventInput& i) { i.lowPrice = "ten"; }), MsgEventPrice("Low")},
        {with([](EventInput& i) { i.highPrice = "-3"; }), MsgEventPrice("High")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckEvent(c.in), c.refusal)
            << c.in.name.toStdString() << " / " << c.refusal.toStdString();
    EXPECT_EQ(MsgEventStartingDate(),
              "Please enter a valid Starting Date for this Event Entry.  Thank you.");
    EXPECT_EQ(MsgEventDuplicate(), "An Event with this Name and this Starting Date\r\nalready "
                                   "exists.  Duplicates are not allowed.");
}

TEST(EventRules, PricesAndNamesTakeTheirShownForms) {
    EXPECT_EQ(FormatPrice(0.0), ".00");
    EXPECT_EQ(FormatPrice(1234.5), "1,234.50");
    EXPECT_EQ(FormatPrice(1234567.125), "1,234,567.13");
    EXPECT_EQ(FormatPrice(std::nullopt), "");
    bool ok = false;
    EXPECT_EQ(ParsePrice(" $1,234.50 ", ok).value_or(-1), 1234.5);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(ParsePrice("", ok).has_value());
    EXPECT_TRUE(ok);
    EXPECT_EQ(EventNameProperCase("st. PATRICK'S day  parade"), "St. Patrick's Day  Parade");
}

TEST_F(EventStore, AnEventIsStoredWithStampsNotesAndAnEngineKey) {
    Event e;
    e.name = "Harbour \"Lights\" & Fireworks";
    e.startingDate = day(3);
    e.throughDate = day(5);
    e.eventTime = "8:00 PM";
    e.eventType = "Festival";
    e.lowPrice = 0.0;
    e.highPrice = 45.5;
    e.dark = "Mondays";
    e.notes = QString(300, 'n');
    env.clock.set(QDateTime(env.clock.today(), QTime(14, 7)));
    ASSERT_EQ(InsertEvent(*env.ctx, e), EventSave::Saved);
    ASSERT_GT(e.id, 0);
    const auto back = GetTheEvent(*env.ctx, e.id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "Harbour 'Lights' & Fireworks");
    EXPECT_EQ(back->startingDate, "2026/03/17");
    EXPECT_EQ(back->throughDate, "2026/03/19");
    EXPECT_EQ(back->lowPrice.value_or(-1), 0.0);
    EXPECT_EQ(back->highPrice.value_or(-1), 45.5);
    EXPECT_EQ(back->notes, QString(300, 'n'));
    EXPECT_EQ(back->enteredBy, "Ann Desk");
    EXPECT_EQ(back->luInitials, "AD");
    EXPECT_EQ(back->entryDate, "2026/03/14");
    EXPECT_EQ(back->entryTime, "14:07");
    EXPECT_EQ(back->updateDate, "2026/03/14");
    EXPECT_TRUE(back->printOnList);

    // An update stamps the day and the member, and keeps a price left empty empty.
    env.clock.advanceDays(2);
    Event changed = *back;
    changed.highPrice.reset();
    changed.notes = "short";
    ASSERT_EQ(UpdateEvent(*env.ctx, changed), EventSave::Saved);
    const auto again = GetTheEvent(*env.ctx, e.id);
    EXPECT_FALSE(again->highPrice.has_value());
    EXPECT_EQ(again->updateDate, "2026/03/16");
    EXPECT_EQ(again->notes, "short");
    EXPECT_EQ(again->rowVersion, changed.rowVersion);
}

TEST_F(EventStore, DuplicatesAreRefusedOnAddingAndOnEditing) {
    const qint64 first = addEvent("Jazz Night", day(1));
    const qint64 secondId = addEvent("Jazz Night", day(2)); // another day: allowed

    Event same;
    same.name = "JAZZ NIGHT";
    same.startingDate = day(1);
    same.eventType = "Concert";
    EXPECT_EQ(InsertEvent(*env.ctx, same), EventSave::Duplicate);
    EXPECT_EQ(same.id, 0);
    EXPECT_EQ(rows(env.db(), "SELECT COUNT(*) FROM [Event]"), 2);

    // Editing the second onto the first's day is the same duplicate.
    auto second = GetTheEvent(*env.ctx, secondId);
    ASSERT_TRUE(second);
    second->startingDate = day(1);
    EXPECT_EQ(UpdateEvent(*env.ctx, *second), EventSave::Duplicate);
    EXPECT_EQ(GetTheEvent(*env.ctx, second->id)->startingDate, day(2));
    // An event saved again unchanged is not its own duplicate.
    auto own = GetTheEvent(*env.ctx, first);
    EXPECT_EQ(UpdateEvent(*env.ctx, *own), EventSave::Saved);
}

TEST_F(EventStore, ABlankStartingDateMakesTheEventContinuous) {
    const qint64 typed = addEvent("Lobby Pianist", "");
    EXPECT_TRUE(env.db()
                    .queryOne("SELECT * FROM [Event] WHERE [EventID] = ?", {typed})
                    ->isNull("StartingDate"));
    // Rows written elsewhere with a blank start become continuous with the next save.
    env.db().exec("INSERT INTO [Event] ([EventName], [StartingDate], [ThroughDate], "
                  "[EventType], [Location], [PrintOnList]) VALUES ('Harpist', ' ', ' ', 'Music', "
                  "'Main Hall', ?)",
                  {true});
    addEvent("Gala", day(2));
    EXPECT_EQ(names(GetContinuousEvents(*env.ctx)), QStringList({"Harpist", "Lobby Pianist"}));
    EXPECT_EQ(names(GetFutureEvents(*env.ctx)), QStringList({"Gala"}));
    EXPECT_EQ(names(GetCurrentEvents(*env.ctx, LimitedListDays(env.clock.today(), {}, {}))),
              QStringList({"Gala"}));
    EXPECT_EQ(UpdateEventDates(*env.ctx), 0);
}

TEST_F(EventStore, AnotherDesksSaveIsNeverOverwritten) {
    const qint64 id = addEvent("Jazz Night", day(1));
    Event mine = *GetTheEvent(*env.ctx, id);
    Event theirs = mine;
    theirs.location = "Terrace";
    ASSERT_EQ(UpdateEvent(*env.ctx, theirs), EventSave::Saved);
    mine.location = "Ballroom";
    EXPECT_EQ(UpdateEvent(*env.ctx, mine), EventSave::Changed);
    EXPECT_EQ(GetTheEvent(*env.ctx, id)->location, "Terrace");
    ASSERT_TRUE(DeleteEvent(*env.ctx, id));
    EXPECT_EQ(UpdateEvent(*env.ctx, theirs), EventSave::Gone);
}

TEST_F(EventStore, DeletingAnEventTakesItsExceptionsNotesAndLinksAlong) {
    const qint64 id = addEvent("Jazz Night", day(1));
    const qint64 other = addEvent("Gala", day(2));
    for (qint64 owner : {id, other}) {
        PutECT(*env.ctx, owner, TextKind::EventNotes, "notes");
        InsertEventSE(*env.ctx, {0, owner, "Every", "Monday", "Dark on Mondays"});
        DocumentLink l;
        l.ownerId = owner;
        l.sourceType = DocKind::Event;
        l.description = "Programme";
        l.fileName = "https://example.com/programme";
        InsertCDocument(*env.ctx, l);
    }
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(15, 5)));
    ASSERT_TRUE(DeleteEvent(*env.ctx, id));
    EXPECT_FALSE(GetTheEvent(*env.ctx, id));
    EXPECT_TRUE(GetEventSEs(*env.ctx, id).empty());
    EXPECT_EQ(GetECT(*env.ctx, id, TextKind::EventNotes), "");
    EXPECT_TRUE(GetCDocuments(*env.ctx, id, DocKind::Event).empty());
    // The other event keeps all of its own.
    EXPECT_EQ(GetEventSEs(*env.ctx, other).size(), 1u);
    EXPECT_EQ(GetECT(*env.ctx, other, TextKind::EventNotes), "notes");
    EXPECT_EQ(GetCDocuments(*env.ctx, other, DocKind::Event).size(), 1u);
    EXPECT_TRUE(sharedLog().contains("User: Ann Desk Deleted the Event: Jazz Night for the "
                                     "Starting Date: 2026/03/15 on: Saturday, 03/14/2026 at "
                                     "03:05 pm at PC Named: " +
                                     env.ctx->workstation.computerName))
        << sharedLog().toStdString();
    EXPECT_FALSE(DeleteEvent(*env.ctx, id)); // gone already: nothing to log twice
}

TEST_F(EventStore, ExceptionsKeepApostrophesAndListByTheirStart) {
    const qint64 id = addEvent("Parade", day(1));
    EventException x{0, id, "", "", ""};
    EXPECT_EQ(CheckEventException(x), MsgExceptionFrom);
    x.from = "03/17/2026";
    EXPECT_EQ(CheckEventException(x), MsgExceptionThrough);
    x.through = "03/17/2026";
    EXPECT_EQ(CheckEventException(x), MsgExceptionDescription);
    x.description = "St. Patrick's Day: no parade";
    EXPECT_EQ(CheckEventException(x), "");
    const qint64 a = InsertEventSE(*env.ctx, x);
    const qint64 b = InsertEventSE(*env.ctx, {0, id, "01/02/2027", "01/03/2027", "New Year"});
    const qint64 c = InsertEventSE(*env.ctx, {0, id, "Every", "Tuesday", "Closed Tuesdays"});
    auto list = GetEventSEs(*env.ctx, id);
    ASSERT_EQ(list.size(), 3u);
    // Days are stored as days, so the list runs in calendar order across years.
    EXPECT_EQ(list[0].id, a);
    EXPECT_EQ(list[0].from, "2026/03/17");
    EXPECT_EQ(ShownExceptionDay(list[0].from), "03/17/2026");
    EXPECT_EQ(list[0].description, "St. Patrick's Day: no parade");
    EXPECT_EQ(list[1].id, b);
    EXPECT_EQ(list[2].id, c);
    EXPECT_EQ(ShownExceptionDay(list[2].through), "Tuesday");

    list[2].description = "O'Hara's night off";
    EXPECT_TRUE(UpdateEventSE(*env.ctx, list[2]));
    EXPECT_EQ(GetEventSEs(*env.ctx, id)[2].description, "O'Hara's night off");
    EXPECT_TRUE(DeleteEventSE(*env.ctx, b));
    EXPECT_FALSE(DeleteEventSE(*env.ctx, b));
    EXPECT_EQ(GetEventSEs(*env.ctx, id).size(), 2u);
}

TEST_F(EventStore, TypesAreUniqueAndReplacingRewritesTheEvents) {
    EXPECT_EQ(InsertEventType(*env.ctx, "  "), MsgBlankType);
    EXPECT_EQ(InsertEventType(*env.ctx, "Children's Theatre"), "");
    EXPECT_EQ(InsertEventType(*env.ctx, "children's THEATRE"), MsgTypeExists);
    EXPECT_EQ(InsertEventType(*env.ctx, "Concert"), "");
    EXPECT_EQ(InsertEventType(*env.ctx, "Music"), "");
    addEvent("Puppets", day(1), {}, "Children's Theatre");
    addEvent("Quartet", day(1), {}, "Concert");
    addEvent("Trio", day(2), {}, "Concert");
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Children's Theatre"), 1);
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Concert"), 2);

    EXPECT_EQ(ReplaceEventType(*env.ctx, "", "Music"), MsgBlankReplaceType);
    EXPECT_EQ(ReplaceEventType(*env.ctx, "Opera", "Music"),
              "The Event Type to replace does not exist\r\nin the list of available types.");
    EXPECT_EQ(ReplaceEventType(*env.ctx, "Children's Theatre", "Family Theatre"), "");
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Concert", "Family Theatre", "Music"}));
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Family Theatre"), 1);
    // Replacing with a type that exists merges: one row, every event moved.
    EXPECT_EQ(ReplaceEventType(*env.ctx, "Concert", "music"), "");
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Family Theatre", "Music"}));
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Music"), 2);
    EXPECT_EQ(CountEventsOfType(*env.ctx, "Concert"), 0);

    EXPECT_TRUE(DeleteEventType(*env.ctx, "Family Theatre"));
    EXPECT_EQ(GetEventTypeNames(*env.ctx), QStringList({"Music"}));
    // A count that cannot be made is an error, never "unused".
    env.ctx->eventsDb().exec("DROP TABLE [Event]");
    EXPECT_THROW(CountEventsOfType(*env.ctx, "Music"), DbError);
}

TEST_F(EventStore, SharedEventsLiveInTheCommonDatabase) {
    openShared();
    ASSERT_NE(&env.ctx->eventsDb(), &env.db());
    const qint64 id = addEvent("Harbour Fireworks", day(2));
    PutECT(*env.ctx, id, TextKind::EventNotes, "From the pier");
    InsertEventSE(*env.ctx, {0, id, "Every", "Sunday", "Matinee"});
    EXPECT_EQ(InsertEventType(*env.ctx, "Festival"), "");
    Database& common = *env.ctx->common;
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [Event]"), 1);
    EXPECT_EQ(rows(env.db(), "SELECT COUNT(*) FROM [Event]"), 0);
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [EventType]"), 1);
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [EventSE]"), 1);
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [EvConText] WHERE [EvConType] = 'E'"), 1);
    // The links stay with the property (current database) and go with the event.
    DocumentLink l;
    l.ownerId = id;
    l.sourceType = DocKind::Event;
    l.description = "Map";
    l.fileName = "https://example.com/map";
    InsertCDocument(*env.ctx, l);
    ASSERT_TRUE(DeleteEvent(*env.ctx, id));
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [Event]"), 0);
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [EventSE]"), 0);
    EXPECT_EQ(rows(common, "SELECT COUNT(*) FROM [EvConText]"), 0);
    EXPECT_EQ(rows(env.db(), "SELECT COUNT(*) FROM [ContactDocs] WHERE [SourceType] = 'E'"), 0);
}
