// Booking and unbooking each kind of list, places, the wait list, unbook
// rights and the unavailability counter.

#include "bookings/ResStoreFixture.h"
#include "core/Rights.h"

using namespace vm;
using namespace vm::test;

namespace {

class ResStoreBooking : public ResStoreFixture {
protected:
    ResBookResult book(const ResCategory& c, const ResBooking& b, bool overLimit = false) {
        return BookReservation(ctx(), c, b, overLimit);
    }
    QString refusal(const ResCategory& c, const ResBooking& b) {
        const ResBookResult r = book(c, b);
        EXPECT_EQ(r.status, ResBookStatus::Refused) << r.message.toStdString();
        return r.message;
    }
};

TEST_F(ResStoreBooking, TimedBookingWritesOneRowPerSlotAndRefusesBookedOrReversedSlots) {
    ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1", "Court 2"});
    courts.option[0] = true; // the through-time picker
    SaveResType(ctx(), courts);
    const ResBookResult r =
        book(courts, booking(day, "Smith", "Court 1", "09:00 AM", "09:20 AM", "12.5"));
    ASSERT_EQ(r.status, ResBookStatus::Booked);
    EXPECT_EQ(r.rowsWritten, 3);
    EXPECT_EQ(stored(courts.id),
              QStringList({"2026/03/16|Smith|Court 1|09:00 AM|09:00 AM|09:20 AM",
                           "2026/03/16|Smith|Court 1|09:10 AM|09:00 AM|09:20 AM",
                           "2026/03/16|Smith|Court 1|09:20 AM|09:00 AM|09:20 AM"}));
    const auto row = GetReservation(ctx(), firstBooking(courts.id));
    EXPECT_EQ(row->conciergeId, staffId);
    EXPECT_EQ(row->price, 12.5);

    EXPECT_EQ(refusal(courts, booking(day, "Jones", "Court 1", "09:20 AM", "09:40 AM")),
              MsgResSegmentBooked);
    EXPECT_EQ(refusal(courts, booking(day, "Jones", "Court 2", "10:00 AM", "09:50 AM")),
              "The Through Time must be later than or equal to the From Time.  Thank you.");
    // Checked in the screen's order.
    EXPECT_EQ(refusal(courts, booking(QDate(), "Jones", "Court 2", "09:00 AM", "09:00 AM")),
              "Please enter a valid date.");
    EXPECT_EQ(refusal(courts, booking(day, " ", "Court 2", "09:00 AM", "09:00 AM")),
              "The Reservation name is a required field.  Thank you.");
    EXPECT_EQ(refusal(courts, booking(day, "Jones", "", "09:00 AM", "09:00 AM")),
              "The Item to be Reserved is a required field.  Thank you.");
    EXPECT_EQ(refusal(courts, booking(day, "Jones", "Court 2", "09:00 AM", "")),
              "The Through Time is a required field.  Thank you.");
    EXPECT_EQ(refusal(courts, booking(day, "Jones", "Court 2", "09:00 AM", "09:20 AM", "ten")),
              "Please enter a valid Price per Unit.  Thank you.");
    ASSERT_EQ(book(courts, booking(day, "Jones", "Court 2", "09:00 AM", "09:20 AM")).status,
              ResBookStatus::Booked);

    const ResGrid g = BuildResGrid(ctx(), courts, day);
    EXPECT_EQ(g.cells[2][0][0].reservedFor, "Smith");
    EXPECT_TRUE(g.cells[3][0].empty());
    EXPECT_EQ(DeleteReservation(ctx(), courts, g.cells[1][0][0].reservationId), 3);
    EXPECT_EQ(stored(courts.id).size(), 3); // Jones's rows stay
}

TEST_F(ResStoreBooking, DayBookingsTakeEachDayAndRefuseOverlappingDays) {
    ResCategory bikes = itemList("Bicycles", {"Tandem", "Mountain"}, false, 0, true);
    const QDate first(2026, 3, 1);
    ResBooking b = booking(first, "Smith", "Tandem");
    b.through = Formats::ShortDate(first.addDays(2));
    ASSERT_EQ(book(bikes, b).rowsWritten, 3);
    EXPECT_EQ(stored(bikes.id), QStringList({"2026/03/01|Smith|Tandem| |2026/03/01|2026/03/03",
                                             "2026/03/02|Smith|Tandem| |2026/03/01|2026/03/03",
                                             "2026/03/03|Smith|Tandem| |2026/03/01|2026/03/03"}));
    // Shown in the item's row on each day.
    const ResGrid second = BuildResGrid(ctx(), bikes, first.addDays(1));
    ASSERT_EQ(second.cells[0][0].size(), 1u);
    EXPECT_TRUE(second.cells[1][0].empty());

    ResBooking overlap = booking(first.addDays(2), "Jones", "tandem");
    overlap.through = Formats::ShortDate(first.addDays(4));
    EXPECT_EQ(refusal(bikes, overlap), MsgResDayBooked);
    overlap.through = "13/45/2026";
    EXPECT_EQ(refusal(bikes, overlap), "Please enter a valid Through date.");
    overlap.through = Formats::ShortDate(first);
    EXPECT_EQ(refusal(bikes, overlap),
              "This Date must be after or equal to the Select Date.  Thank you.");
    overlap.item = "Mountain";
    overlap.through = "";
    EXPECT_EQ(book(bikes, overlap).rowsWritten, 1);

    EXPECT_EQ(DeleteReservation(ctx(), bikes, second.cells[0][0][0].reservationId), 3);
    EXPECT_EQ(stored(bikes.id).size(), 1);
}

TEST_F(ResStoreBooking, ItemListRowsTakeOneNameAndUnbookOnlyTheirDay) {
    ResCategory tables = itemList("Gala Tables", {"Table 1", "Table 2"});
    tables.columnHeader = "Table";
    EXPECT_EQ(refusal(tables, booking(day, "Smith", "")),
              "The Table is a required field.  Thank you.");
    ASSERT_EQ(book(tables, booking(day, "Smith", "Table 1")).status, ResBookStatus::Booked);
    ASSERT_EQ(book(tables, booking(day.addDays(1), "Smith", "Table 1")).status,
              ResBookStatus::Booked);
    EXPECT_EQ(refusal(tables, booking(day, "Jones", "Table 1")), MsgResSegmentBooked);
    EXPECT_EQ(DeleteReservation(ctx(), tables, firstBooking(tables.id)), 1);
    EXPECT_EQ(stored(tables.id), QStringList({"2026/03/17|Smith| |Table 1|Table 1| "}));
}

TEST_F(ResStoreBooking, PartiesCountAgainstThePlacesOfEveryRowTheyTake) {
    ResCategory shuttle = itemList("Shuttle", {"Airport"}, true, 4);
    for (const QString party : {"", "0", "-2", "two", "1.5"})
        EXPECT_EQ(refusal(shuttle, booking(day, "Smith", "Airport", {}, {}, party)),
                  "Please enter the Number in Party.  Thank you.")
            << party.toStdString();
    ASSERT_EQ(book(shuttle, booking(day, "Smith", "Airport", {}, {}, "3")).status,
              ResBookStatus::Booked);
    EXPECT_EQ(BuildResGrid(ctx(), shuttle, day).placesLeft, std::vector<double>({1}));
    const ResBookResult over = book(shuttle, booking(day, "Jones", "Airport", {}, {}, "2"));
    EXPECT_EQ(over.status, ResBookStatus::OverLimit);
    EXPECT_EQ(over.message, MsgResOverLimit);
    EXPECT_EQ(stored(shuttle.id).size(), 1);
    ASSERT_EQ(book(shuttle, booking(day, "Jones", "Airport", {}, {}, "2"), true).status,
              ResBookStatus::Booked);
    EXPECT_EQ(BuildResGrid(ctx(), shuttle, day).placesLeft, std::vector<double>({-1}));
    // A per-date limit replaces the default row total on that date only.
    EXPECT_EQ(SaveRowLimit(ctx(), shuttle, day, "Airport", "x"),
              "Please enter a valid number for this row.  Thank you.");
    EXPECT_EQ(SaveRowLimit(ctx(), shuttle, day, "Airport", "8"), "");
    EXPECT_EQ(SaveRowLimit(ctx(), shuttle, day, "Airport", "9"), "");
    EXPECT_EQ(GetRowLimit(ctx(), shuttle, "2026/03/16", "Airport"), 9);
    EXPECT_EQ(GetRowLimit(ctx(), shuttle, "2026/03/17", "Airport"), 4);
    EXPECT_EQ(count("ResRowLimits", shuttle.id), 1);

    // A booking over several slots needs places in each of them.
    ResCategory boats = timed("Boats", "09:00 AM", "12:00 PM", 1, {"Red", "Blue"});
    boats.option[3] = true;
    boats.price = 4;
    SaveResType(ctx(), boats);
    ASSERT_EQ(book(boats, booking(day, "Smith", "Blue", "09:10 AM", {}, "3")).status,
              ResBookStatus::Booked);
    EXPECT_EQ(book(boats, booking(day, "Jones", "Red", "09:00 AM", "09:20 AM", "2")).status,
              ResBookStatus::OverLimit);
    EXPECT_EQ(book(boats, booking(day, "Jones", "Red", "09:20 AM", "09:30 AM", "2")).status,
              ResBookStatus::Booked);
}

TEST_F(ResStoreBooking, TheWaitingGuestBookedLeavesTheListAndNobodyElse) {
    ResCategory tables = itemList("Gala Tables", {"Table 1", "Table 2"});
    WaitListEntry e{0, tables.id, Formats::ShortDate(day), "", "Room 12"};
    EXPECT_EQ(InsertWaitList(ctx(), e), "The Name must be entered.");
    e.requestedBy = "Brown";
    e.howToContact = "";
    EXPECT_EQ(InsertWaitList(ctx(), e), "The How to Contact information must be entered.");
    WaitListEntry none{0, 0, "2026/03/16", "Brown", "Room 12"};
    EXPECT_EQ(InsertWaitList(ctx(), none), "Must select a Category for this Wait List Entry.");
    e.howToContact = "Room 12";
    ASSERT_EQ(InsertWaitList(ctx(), e), "");
    EXPECT_EQ(e.requestedDate, "2026/03/16");
    WaitListEntry green{0, tables.id, "2026/03/16", "Green", "Cell 555"};
    WaitListEntry later{0, tables.id, "2026/03/17", "White", "Room 3"};
    InsertWaitList(ctx(), green);
    InsertWaitList(ctx(), later);

    EXPECT_EQ(GetNextWaitList(ctx(), tables.id, day)->requestedBy, "Brown");
    ASSERT_EQ(book(tables, booking(day, "Smith", "Table 1")).status, ResBookStatus::Booked);
    ResBooking forGreen = booking(day, "Green", "Table 1");
    forGreen.waitListId = green.id;
    EXPECT_EQ(refusal(tables, forGreen), MsgResSegmentBooked); // not booked: still waiting
    forGreen.item = "Table 2";
    ASSERT_EQ(book(tables, forGreen).status, ResBookStatus::Booked);
    QStringList waiting;
    for (const WaitListEntry& w : SearchWaitList(ctx(), tables.id, QDate(), QDate()))
        waiting << w.requestedBy;
    EXPECT_EQ(waiting, QStringList({"Brown", "White"}));
    EXPECT_TRUE(DeleteWaitList(ctx(), e.id));
    EXPECT_FALSE(GetNextWaitList(ctx(), tables.id, day).has_value());
}

TEST_F(ResStoreBooking, UnbookNeedsTheRightAndOthersBookingsNeedAManager) {
    ResCategory tables = itemList("Gala Tables", {"Table 1"});
    book(tables, booking(day, "Smith", "Table 1"));
    const ReservationRow annsBooking = *GetReservation(ctx(), firstBooking(tables.id));
    EXPECT_EQ(CheckUnbook(ctx(), annsBooking), "");

    const qint64 bob = env.addStaff("Bob Porter", "bob", "BP");
    env.logOn(bob);
    EXPECT_EQ(CheckUnbook(ctx(), annsBooking),
              "You are not authorized to Unbook this Reservation.\r\n\r\nThis reservation was "
              "created by Ann Desk.\r\nReservation items may only be unbooked by an \r\n"
              "administrator or the user who created the entry.");
    const QString others =
        env.db()
            .scalar("SELECT [Others] FROM [ConciergePlus] WHERE [ConciergeID] = ?", {bob})
            .toString();
    env.db().exec("UPDATE [ConciergePlus] SET [Others] = ? WHERE [ConciergeID] = ?",
                  {SetRightChar(others, Rights::OthersReservations.position, false), bob});
    EXPECT_EQ(CheckUnbook(ctx(), annsBooking), "You are not authorized to Unbook Reservations.");
    ctx().session.support = true;
    EXPECT_EQ(CheckUnbook(ctx(), annsBooking), "");
    env.logOn(env.addStaff("Meg Manager", "meg", "MM", true));
    EXPECT_EQ(CheckUnbook(ctx(), annsBooking), "");
}

TEST_F(ResStoreBooking, TheCounterRisesOnlyWhenEverySlotIsTaken) {
    ResCategory pro = timed("Golf Pro", "09:00 AM", "11:00 AM", 4, {"Pat"});
    EXPECT_EQ(CheckUnavailabilityIncrement(ResGrid()),
              "Please select some Reservation Information first.");
    book(pro, booking(day, "Smith", "Pat", "09:00 AM"));
    EXPECT_EQ(CheckUnavailabilityIncrement(BuildResGrid(ctx(), pro, day)),
              "There are slots available, we cannot increment the Unavailability counter until "
              "all slots have been filled.");
    book(pro, booking(day, "Jones", "Pat", "10:00 AM"));
    EXPECT_EQ(CheckUnavailabilityIncrement(BuildResGrid(ctx(), pro, day)), "");
    EXPECT_EQ(IncrementUnavailability(ctx(), pro.id, day), 1);
    EXPECT_EQ(IncrementUnavailability(ctx(), pro.id, day), 2);
    EXPECT_EQ(UnavailabilityIncrementedMessage(2),
              "The Unavailability counter has been incremented to 2 with this request.");
    const auto counts = SearchUnavailability(ctx(), pro.id, day, day);
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0].date, "03/16/2026");
    EXPECT_EQ(counts[0].dayOfWeek, "Monday");
    EXPECT_EQ(counts[0].requests, 2);
    EXPECT_EQ(count("ResTrackUn", pro.id), 1);
}

} // namespace
