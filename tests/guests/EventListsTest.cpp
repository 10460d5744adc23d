#include "EventsFixture.h"

#include "core/Settings.h"

#include <QSqlQuery>

using namespace vm;
using namespace vm::test;

namespace {

class EventLists : public EventsFixture {
protected:
    QStringList current(const QDate& from = {}, const QDate& through = {}) {
        return names(GetCurrentEvents(*env.ctx, LimitedListDays(env.clock.today(), from, through)));
    }
    QStringList search(const EventSelection& s) {
        const BuiltEventSelection b = BuildEventSelection(s);
        EXPECT_EQ(b.refusal, "");
        return names(GetTheEvents(*env.ctx, b.filter, s.sort));
    }
    void setStyle(int style) {
        env.db().exec("UPDATE [Authorization] SET [EventStyle] = ?", {style});
    }
};

} // namespace

TEST_F(EventLists, TheLimitedListRunsFromSevenDaysBackToTwentyOneAhead) {
    setStyle(3); // by starting date
    addEvent("Before the window", day(-8));
    addEvent("First day", day(-7));
    addEvent("Last day", day(21));
    addEvent("After the window", day(22));
    addEvent("Running into it", day(-30), day(-7));
    addEvent("Ended before it", day(-30), day(-8));
    addEvent("Not on the list", day(1), {}, "Concert", "Main Hall", false);
    addEvent("Continuous", "");
    // One-day events have no through date and still belong on the list.
    EXPECT_EQ(current(), QStringList({"Running into it", "First day", "Last day"}));
    EXPECT_EQ(names(GetFutureEvents(*env.ctx)), QStringList({"Last day", "After the window"}));
    EXPECT_EQ(names(GetContinuousEvents(*env.ctx)), QStringList({"Continuous"}));

    // Chosen dates replace the window; a month alone means the whole month.
    EXPECT_EQ(current(env.clock.today().addDays(22), env.clock.today().addDays(40)),
              QStringList({"After the window"}));
    const DayRange month = LimitedListDays(env.clock.today(), QDate(2026, 2, 10), {});
    EXPECT_EQ(month.from, QDate(2026, 2, 1));
    EXPECT_EQ(month.through, QDate(2026, 2, 28));
    EXPECT_EQ(current(QDate(2026, 2, 10)), QStringList({"Ended before it", "Running into it"}));
}

TEST_F(EventLists, TheEventStyleSettingOrdersEveryList) {
    addEvent("Bravo", day(2), {}, "Concert", "Atrium");
    addEvent("Alpha", day(3), {}, "Concert", "Courtyard");
    addEvent("Charlie", day(1), {}, "Concert", "Ballroom");
    addEvent("Delta", day(1), {}, "Concert", "Atrium");
    const struct {
        int style;
        QStringList order;
    } cases[] = {
        {0, {"Bravo", "Delta", "Charlie", "Alpha"}}, // location, name
        {1, {"Alpha", "Bravo", "Charlie", "Delta"}}, // name, location
        {2, {"Delta", "Charlie", "Bravo", "Alpha"}}, // date, location, name
        {3, {"Charlie", "Delta", "Bravo", "Alpha"}}, // date, name, location
        {7, {"Charlie", "Delta", "Bravo", "Alpha"}},
    };
    for (const auto& c : cases) {
        setStyle(c.style);
        EXPECT_EQ(current(), c.order) << c.style;
        EXPECT_EQ(names(GetFutureEvents(*env.ctx)), c.order) << c.style;
    }
}

TEST_F(EventLists, ThePageDescribesItsSelectionsAndRefusesMissingInput) {
    const QDate d(2026, 3, 20), e(2026, 3, 25);
    const QString missing = "Please enter the information you wish to use to filter your "
                            "selections.";
    const struct {
        EventSelection s;
        QString description, refusal;
    } cases[] = {
        {{EventSelectBy::None, {}, {}, {}, {}, EventSort::Name},
         "Where All Events Have Been Selected, Sorted by Event Name"},
        {{EventSelectBy::None, {}, {}, {}, "Concert", EventSort::Type},
         "Where EventType is Concert, Sorted by Type of Event"},
        {{EventSelectBy::EventDate, {}, d, {}, {}, EventSort::Date},
         "Where Event Date is 03/20/2026, Sorted by Event Date"},
        {{EventSelectBy::EventDate, {}, d, e, "Concert", EventSort::Location},
         "Where Event Occurs between  03/20/2026 and 03/25/2026 And EventType is Concert, Sorted "
         "by Location"},
        {{EventSelectBy::UpdatedDate, {}, d, {}, {}, EventSort::LowPrice},
         "Where Updated Date is 03/20/2026, Sorted by Low Price"},
        {{EventSelectBy::UpdatedDate, {}, d, e, {}, EventSort::HighPrice},
         "Where Event Updated between  03/20/2026 and 03/25/2026, Sorted by High Price"},
        {{EventSelectBy::EventName, "jazz", {}, {}, {}, EventSort::Name},
         "Where Event Name contains jazz, Sorted by Event Name"},
        {{EventSelectBy::Location, "Hall", {}, {}, {}, EventSort::Name},
         "Where Event Location contains Hall, Sorted by Event Name"},
        {{EventSelectBy::EventName, "  ", {}, {}, {}, EventSort::Name}, "", missing},
        {{EventSelectBy::EventDate, {}, {}, e, {}, EventSort::Name}, "", missing},
        {{EventSelectBy::UpdatedDate, {}, e, d, {}, EventSort::Name},
         "",
         "The Through date must be greater than the from date."},
    };
    for (const auto& c : cases) {
        const BuiltEventSelection b = BuildEventSelection(c.s);
        EXPECT_EQ(b.refusal, c.refusal) << c.description.toStdString();
        if (c.refusal.isEmpty()) EXPECT_EQ(b.description, c.description);
    }
}

TEST_F(EventLists, ThePageFindsEventsByDateNameLocationTypeAndUpdate) {
    addEvent("Jazz Night", "2026/03/18", "2026/03/22", "Concert", "Blue Room");
    addEvent("Wine Tasting", "2026/03/20", {}, "Food", "Cellar");
    addEvent("Old Fair", "2026/02/01", "2026/02/05", "Festival", "Park");
    addEvent("100% Jazz_Fest", "2026/04/01", {}, "Concert", "Park");
    addEvent("Lobby Harp", "", {}, "Concert", "Lobby");
    const QDate d(2026, 3, 20);
    // "Event Date is d": what runs on d, not everything that started before it.
    EXPECT_EQ(search({EventSelectBy::EventDate, {}, d, {}, {}, EventSort::Name}),
              QStringList({"Jazz Night", "Wine Tasting"}));
    EXPECT_EQ(search({EventSelectBy::EventDate, {}, QDate(2026, 3, 23), {}, {}, EventSort::Name}),
              QStringList());
    EXPECT_EQ(search({EventSelectBy::EventDate,
                      {},
                      QDate(2026, 1, 30),
                      QDate(2026, 3, 18),
                      "Concert",
                      EventSort::Name}),
              QStringList({"Jazz Night"}));
    EXPECT_EQ(search({EventSelectBy::EventName, "jazz", {}, {}, {}, EventSort::Name}),
              QStringList({"100% Jazz_Fest", "Jazz Night"}));
    // Typed wildcards are plain characters.
    EXPECT_EQ(search({EventSelectBy::EventName, "0%", {}, {}, {}, EventSort::Name}),
              QStringList({"100% Jazz_Fest"}));
    EXPECT_EQ(search({EventSelectBy::EventName, "z_F", {}, {}, {}, EventSort::Name}),
              QStringList({"100% Jazz_Fest"}));
    EXPECT_EQ(search({EventSelectBy::Location, "park", {}, {}, "Festival", EventSort::Name}),
              QStringList({"Old Fair"}));
    EXPECT_EQ(search({EventSelectBy::None, {}, {}, {}, "concert", EventSort::Name}),
              QStringList({"100% Jazz_Fest", "Jazz Night", "Lobby Harp"}));

    // Updated on a day means that day.
    Event fair = GetTheEvents(*env.ctx, {"[EventName] = ?", {"Old Fair"}}, EventSort::Name)[0];
    env.clock.advanceDays(2);
    fair.notes = "moved";
    ASSERT_EQ(UpdateEvent(*env.ctx, fair), EventSave::Saved);
    EXPECT_EQ(search({EventSelectBy::UpdatedDate, {}, QDate(2026, 3, 16), {}, {}, EventSort::Name}),
              QStringList({"Old Fair"}));
    EXPECT_EQ(search({EventSelectBy::UpdatedDate, {}, QDate(2026, 3, 14), {}, {}, EventSort::Name})
                  .size(),
              4);
}

TEST_F(EventLists, PriceSortsAreNumericAndTheGridShowsPricesAndDays) {
    auto priced = [&](const QString& name, double low, double high) {
        Event e;
        e.name = name;
        e.startingDate = day(1);
        e.throughDate = day(3);
        e.eventType = "Concert";
        e.lowPrice = low;
        e.highPrice = high;
        ASSERT_EQ(InsertEvent(*env.ctx, e), EventSave::Saved);
    };
    priced("Nine", 9, 100);
    priced("Eighty", 80, 85);
    priced("Free", 0, 10);
    EXPECT_EQ(search({EventSelectBy::None, {}, {}, {}, {}, EventSort::LowPrice}),
              QStringList({"Free", "Nine", "Eighty"}));
    EXPECT_EQ(search({EventSelectBy::None, {}, {}, {}, {}, EventSort::HighPrice}),
              QStringList({"Free", "Eighty", "Nine"}));
    const auto all = GetTheEvents(*env.ctx, {}, EventSort::LowPrice);
    EXPECT_EQ(EventGridCells(all[0]), QStringList({"Free", "", "03/15/2026", "03/17/2026", "",
                                                   ".00", "10.00", "", "", "Concert"}));
    EXPECT_EQ(CountEvents(*env.ctx), 3);
    EXPECT_EQ(EventListGuard.tooManyMessage(2001),
              "There are 2001 entries in the Event List\r\n meeting "
              "the selection requirements.\r\n Please refine your "
              "selection criteria");
    EXPECT_EQ(EventListGuard.listThemAllQuestion(1001),
              "There are 1001 entries in the Event\r\n List meeting the selection "
              "requirements.\r\n Shall we list them all?");
}

TEST_F(EventLists, TheDateRangeIsReadThroughTheDateIndexes) {
    const EventFilter f = OverlapFilter(QDate(2026, 3, 1), QDate(2026, 3, 31));
    Database& db = env.ctx->eventsDb();
    QString plan;
    const QString sql = "SELECT * FROM [Event] WHERE " + f.where;
    if (db.engine() == Engine::SQLite) {
        for (const Row& r : db.query("EXPLAIN QUERY PLAN " + sql, f.params))
            plan += r.text("detail") + "\n";
    } else {
        // The server plans small tables as scans: asked not to, it shows what it can use.
        QString literal = db.translate(sql);
        for (const QVariant& p : f.params)
            literal.replace(literal.indexOf('?'), 1, "'" + p.toString() + "'");
        QSqlQuery q(db.handle());
        EXPECT_TRUE(q.exec("SET enable_seqscan = off"));
        EXPECT_TRUE(q.exec("EXPLAIN " + literal));
        while (q.next())
            plan += q.value(0).toString() + "\n";
    }
    EXPECT_FALSE(plan.contains("SCAN event") || plan.contains("SCAN Event") ||
                 plan.contains("Seq Scan"))
        << plan.toStdString();
    EXPECT_TRUE(plan.contains("index", Qt::CaseInsensitive)) << plan.toStdString();
}
