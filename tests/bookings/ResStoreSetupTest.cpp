// Reservation categories and items: slot arithmetic, the save rules, renames
// and deletes carried into the bookings, and time-range changes.

#include "bookings/ResStoreFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

const QString MsgRange = "The Start Time (Available From) must be earlier than the End Time "
                         "(Available Through).  Thank you.";

class ResStoreSetup : public ResStoreFixture {};

TEST_F(ResStoreSetup, SlotsRunEveryIntervalFromTheStartWhileBeforeTheEnd) {
    ResCategory c;
    c.category = "Tee Times";
    c.availableFrom = "09:00 AM";
    c.availableThrough = "12:00 PM";
    c.intervalIndex = 1;
    const QStringList ten = ResSlots(c);
    ASSERT_EQ(ten.size(), 18);
    EXPECT_EQ(ten.first(), "09:00 AM");
    EXPECT_EQ(ten[6], "10:00 AM");
    EXPECT_EQ(ten.last(), "11:50 AM");

    c.intervalIndex = 2; // 15 minutes; an end between slots keeps the last started slot
    c.availableThrough = "09:40 AM";
    EXPECT_EQ(ResSlots(c), QStringList({"09:00 AM", "09:15 AM", "09:30 AM"}));

    c.intervalIndex = 0;
    c.availableThrough = "09:05 AM";
    EXPECT_EQ(CheckResType(c), MsgRange);
    EXPECT_TRUE(ResSlots(c).isEmpty());
    c.availableThrough = "09:06 AM";
    EXPECT_EQ(CheckResType(c), "");
    EXPECT_EQ(ResSlots(c), QStringList({"09:00 AM"}));
    c.availableFrom = "11:00 PM"; // no list runs past midnight
    c.availableThrough = "01:00 AM";
    EXPECT_EQ(CheckResType(c), MsgRange);

    EXPECT_EQ(ResMinutePicks(0).join(","), "00,06,12,18,24,30,36,42,48,54");
    EXPECT_EQ(ResMinutePicks(1).join(","), "00,10,20,30,40,50");
    EXPECT_EQ(ResMinutePicks(2).join(","), "00,15,30,45");
    EXPECT_EQ(ResMinutePicks(3).join(","), "00,30");
    EXPECT_EQ(ResMinutePicks(4).join(","), "00");

    ResCategory items;
    items.category = "Kayaks";
    items.kind = ResListKind::Items;
    EXPECT_EQ(CheckResType(items),
              "The Item List Column Header is required for Item List type Entries.  Thank you.");
    items.category = " ";
    EXPECT_EQ(CheckResType(items), "The Category is required.  Thank you.");
}

TEST_F(ResStoreSetup, CategoriesOfADayFollowTheirOpenWeekdays) {
    ResCategory spa = timed("Spa", "09:00 AM", "10:00 AM", 4);
    spa.dayOfWeek = "wedMon"; // stored in weekday order
    SaveResType(ctx(), spa);
    timed("Golf", "09:00 AM", "10:00 AM", 4);
    EXPECT_EQ(GetResType(ctx(), spa.id)->dayOfWeek, "MonWed");
    EXPECT_EQ(GetResTypesForDate(ctx(), day).size(), 2u);
    const auto tuesday = GetResTypesForDate(ctx(), day.addDays(1));
    ASSERT_EQ(tuesday.size(), 1u);
    EXPECT_EQ(tuesday[0].category, "Golf");
    EXPECT_EQ(ClosedDayMessage(spa, day.addDays(1)), " Reservations are not available on Tuesdays");
    EXPECT_EQ(ClosedDayMessage(spa, day), "");
}

TEST_F(ResStoreSetup, ItemRulesRefuseDuplicatesAndASecondItemOfASingleItemList) {
    ResCategory unsaved;
    ResItem item;
    item.itemName = "Court 1";
    EXPECT_EQ(CheckResItem(ctx(), unsaved, item), "Please Select or Save the Category before "
                                                  "attempting to save the List Item.  Thank you.");
    ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1", "Court 2"});
    item.itemName = " ";
    EXPECT_EQ(CheckResItem(ctx(), courts, item), "The Item Name is required.  Thank you.");
    item.itemName = "court 1";
    EXPECT_EQ(CheckResItem(ctx(), courts, item),
              "This item already exists in the list.  Duplicates are not allowed.");
    ResItem existing = GetResItems(ctx(), courts.id)[0];
    EXPECT_EQ(CheckResItem(ctx(), courts, existing), ""); // itself is no duplicate

    ResCategory pro = timed("Golf Pro", "09:00 AM", "12:00 PM", 4, {"Pat"});
    pro.option[1] = true;
    SaveResType(ctx(), pro);
    item.itemName = "Sam";
    EXPECT_EQ(CheckResItem(ctx(), pro, item), "This has been defined as a Single Item Timed "
                                              "List.  You may only add ONE Item to the list.");

    // Resequencing keeps the order and renumbers 10, 20, 30.
    auto items = GetResItems(ctx(), courts.id);
    items[0].sequence = 50;
    SaveResItem(ctx(), courts, items[0]);
    ResItem third;
    third.itemName = "Court 3";
    third.sequence = 15;
    SaveResItem(ctx(), courts, third);
    ResequenceItems(ctx(), courts.id);
    QStringList order;
    for (const ResItem& i : GetResItems(ctx(), courts.id))
        order << i.itemName + "=" + QString::number(i.sequence);
    EXPECT_EQ(order.join(","), "Court 3=10,Court 2=20,Court 1=30");
}

TEST_F(ResStoreSetup, RenamedItemsCarryIntoBookingsAndRowLimits) {
    ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1"});
    ASSERT_EQ(BookReservation(ctx(), courts, booking(day, "Smith", "Court 1", "09:00 AM")).status,
              ResBookStatus::Booked);
    ResItem court = GetResItems(ctx(), courts.id)[0];
    court.itemName = "Centre Court";
    SaveResItem(ctx(), courts, court);
    const ResGrid g = BuildResGrid(ctx(), courts, day);
    ASSERT_EQ(g.columns, QStringList({"Centre Court"}));
    ASSERT_EQ(g.cells[0][0].size(), 1u);
    EXPECT_EQ(g.cells[0][0][0].reservedFor, "Smith");

    ResCategory shuttle = itemList("Shuttle", {"Airport"}, true, 4);
    ASSERT_EQ(BookReservation(ctx(), shuttle, booking(day, "Jones", "Airport", {}, {}, "2")).status,
              ResBookStatus::Booked);
    EXPECT_EQ(SaveRowLimit(ctx(), shuttle, day, "Airport", "6"), "");
    ResItem airport = GetResItems(ctx(), shuttle.id)[0];
    airport.itemName = "Airport Run";
    SaveResItem(ctx(), shuttle, airport);
    EXPECT_EQ(stored(shuttle.id), QStringList({"2026/03/16|Jones| |Airport Run|Airport Run| "}));
    EXPECT_EQ(GetRowLimit(ctx(), shuttle, "2026/03/16", "Airport Run"), 6);
    EXPECT_EQ(BuildResGrid(ctx(), shuttle, day).placesLeft, std::vector<double>({4}));
}

TEST_F(ResStoreSetup, DeletingAnItemFindsItsBookingsWhereItsListKindKeepsThem) {
    ResCategory kayaks = itemList("Kayaks", {"Single", "Double"});
    BookReservation(ctx(), kayaks, booking(day, "Smith", "Single"));
    BookReservation(ctx(), kayaks, booking(day, "Jones", "Double"));
    EXPECT_EQ(SaveRowLimit(ctx(), kayaks, day, "Single", "2"), "");
    EXPECT_EQ(CountItemReservations(ctx(), kayaks, "Single"), 1);
    const qint64 single = GetResItems(ctx(), kayaks.id)[0].id;
    DeleteResItem(ctx(), kayaks, single, false); // bookings still hold it
    EXPECT_EQ(GetResItems(ctx(), kayaks.id).size(), 2u);
    DeleteResItem(ctx(), kayaks, single, true);
    EXPECT_EQ(GetResItems(ctx(), kayaks.id).size(), 1u);
    EXPECT_EQ(stored(kayaks.id), QStringList({"2026/03/16|Jones| |Double|Double| "}));
    EXPECT_EQ(count("ResRowLimits", kayaks.id), 0);

    ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1", "Court 2"});
    courts.option[0] = true;
    BookReservation(ctx(), courts, booking(day, "Smith", "Court 1", "09:00 AM", "09:20 AM"));
    BookReservation(ctx(), courts, booking(day, "Brown", "Court 2", "09:00 AM", "09:00 AM"));
    EXPECT_EQ(CountItemReservations(ctx(), courts, "court 1"), 3);
    DeleteResItem(ctx(), courts, GetResItems(ctx(), courts.id)[0].id, true);
    EXPECT_EQ(stored(courts.id).size(), 1);
}

TEST_F(ResStoreSetup, DeletingACategoryTakesItsRowsAndRefusesWhileUsed) {
    ResCategory kayaks = itemList("Kayaks", {"Single"}, true, 2);
    BookReservation(ctx(), kayaks, booking(day, "Smith", "Single", {}, {}, "1"));
    EXPECT_EQ(CheckDeleteResType(ctx(), kayaks.id),
              "Kayaks has 1 reservation entries.  We cannot delete this category.");
    EXPECT_FALSE(DeleteResType(ctx(), kayaks.id));

    DeleteReservation(ctx(), kayaks, firstBooking(kayaks.id));
    SaveRowLimit(ctx(), kayaks, day, "Single", "3");
    WaitListEntry w{0, kayaks.id, "2026/03/16", "Green", "Room 12"};
    ASSERT_EQ(InsertWaitList(ctx(), w), "");
    IncrementUnavailability(ctx(), kayaks.id, day);
    env.db().exec("INSERT INTO [Stuff] ([StuffType], [Category], [ItemName]) VALUES (1, ?, ?)",
                  {"kayaks", "Paddle"});
    EXPECT_EQ(CheckDeleteResType(ctx(), kayaks.id),
              "Kayaks has 1 rental items.  We cannot delete this category.");
    EXPECT_FALSE(DeleteResType(ctx(), kayaks.id));

    env.db().exec("DELETE FROM [Stuff]");
    EXPECT_EQ(CheckDeleteResType(ctx(), kayaks.id), "");
    EXPECT_TRUE(DeleteResType(ctx(), kayaks.id));
    for (const char* table : {"ResType", "ResItem", "ResRowLimits", "ResWaitList", "ResTrackUn"})
        EXPECT_EQ(count(table, kayaks.id), 0) << table;
}

TEST_F(ResStoreSetup, ATimeChangeFlagsEveryBookingThatLeavesTheGrid) {
    ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1"});
    const std::pair<const char*, const char*> taken[] = {
        {"Early", "09:00 AM"}, {"Mid", "09:10 AM"}, {"Late", "11:50 AM"}};
    for (const auto& [name, slot] : taken)
        ASSERT_EQ(BookReservation(ctx(), courts, booking(day, name, "Court 1", slot)).status,
                  ResBookStatus::Booked);
    const auto flagged = [&](ResCategory changed) {
        QStringList names;
        for (const ReservationRow& r : VerifyReservationItemChange(ctx(), changed))
            names << r.reservationFor;
        return names;
    };
    ResCategory c = courts;
    c.intervalIndex = 3; // half hours: 09:10 and 11:50 are no slots
    EXPECT_EQ(flagged(c), QStringList({"Mid", "Late"}));
    c = courts;
    c.availableFrom = "09:05 AM"; // the grid moves by five minutes
    EXPECT_EQ(flagged(c), QStringList({"Early", "Mid", "Late"}));
    c = courts;
    c.availableThrough = "11:50 AM"; // the last slot goes
    EXPECT_EQ(flagged(c), QStringList({"Late"}));

    // Times compare as times: "01:00 PM" is no earlier than "10:00 AM".
    ResCategory afternoon = timed("Golf", "09:00 AM", "03:00 PM", 4, {"Tee 1"});
    BookReservation(ctx(), afternoon, booking(day, "Park", "Tee 1", "01:00 PM"));
    c = afternoon;
    c.availableFrom = "10:00 AM";
    EXPECT_TRUE(flagged(c).isEmpty());

    // Saved without dropping them, they are reported off the grid; dropped, they are gone.
    c = courts;
    c.intervalIndex = 3;
    SaveResType(ctx(), c);
    EXPECT_EQ(BuildResGrid(ctx(), c, day).offGrid,
              QStringList({"09:10 AM  Court 1  Mid", "11:50 AM  Court 1  Late"}));
    std::vector<qint64> drop;
    for (const ReservationRow& r : VerifyReservationItemChange(ctx(), c))
        drop.push_back(r.id);
    SaveResType(ctx(), c, drop);
    EXPECT_EQ(stored(courts.id).size(), 1);
    EXPECT_TRUE(BuildResGrid(ctx(), c, day).offGrid.isEmpty());
}

} // namespace
