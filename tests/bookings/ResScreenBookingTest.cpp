// Booking and unbooking on the desk's grid, the wait list it offers and the
// waiting guest's entry that only that guest's booking removes.

#include "bookings/ResScreenFixture.h"
#include "bookings/forms/frmWaitList.h"
#include "platform/forms/DataGrid.h"

using namespace vm;
using namespace vm::test;

namespace {

class ResScreen : public ResScreenFixture {
protected:
    // A party booked on the free line of the item list's only row.
    void bookParty(frmReservation& desk, const QString& name) {
        clickCell(desk, lineOf(desk, 1, "", "Van"), 1);
        EXPECT_EQ(text(desk, "cmdBook"), "Book");
        type(desk, "txtName", name);
        type(desk, "txtPrice", "1");
        click(desk, "cmdBook");
    }
    std::vector<WaitListEntry> waiting(qint64 resTypeId) {
        return GetWaitList(ctx(), resTypeId, env.clock.today());
    }
};

} // namespace

TEST_F(ResScreen, AFullPartyRowOffersTheWaitListAndTheFreedPlaceGoesToTheWaitingGuest) {
    ResCategory c;
    c.category = "Shuttle";
    c.kind = ResListKind::Items;
    c.columnHeader = "Vehicle";
    c.option[3] = true; // party
    c.price = 4;        // places per row
    c = saved(c, {"Van"});
    auto desk = openDesk("Shuttle");
    EXPECT_EQ(text(*desk, "lblPrice"), "Number in Party:");
    EXPECT_EQ(text(*desk, "lblOption_3"), "Y");
    EXPECT_EQ(text(*desk, "lblOption_0"), "N");

    for (const char* name : {"Guest One", "Guest Two", "Guest Three", "Guest Four"})
        bookParty(*desk, name);
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(stored("Reservation", c.id), 4);
    EXPECT_EQ(text(*desk, "lblPlacesLeft"), "Places Left: 0");

    // The fifth party: over the limit, not booked, put on the wait list.
    env.prompt.answer(Answer::No);
    env.prompt.answer(Answer::Yes);
    bookParty(*desk, "Fifth Party");
    EXPECT_EQ(env.prompt.texts(), (QStringList{MsgResOverLimit, MsgResWaitListOffer}));
    EXPECT_EQ(stored("Reservation", c.id), 4);
    auto* list = desk->findChild<frmWaitList*>("frmWaitList");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->windowTitle(),
              "Reservation Wait List - Shuttle - " + Formats::LongDate(env.clock.today()));
    EXPECT_EQ(text(*list, "txtName"), "Fifth Party");
    env.prompt.clear();
    click(*list, "cmdSave");
    EXPECT_EQ(env.prompt.texts(), QStringList{"The How to Contact information must be entered."});
    type(*list, "txtHowToContact", "Room 512");
    click(*list, "cmdSave");
    type(*list, "txtName", "Sixth Party");
    type(*list, "txtHowToContact", "Room 610");
    click(*list, "cmdSave");
    EXPECT_EQ(control<DataGrid>(*list, "grdWaitList")->rowCount(), 2);
    click(*list, "cmdClose");
    const auto entries = waiting(c.id);
    ASSERT_EQ(entries.size(), 2u);

    // Guest Two cancels: the guest waiting longest is offered.
    env.prompt.clear();
    clickCell(*desk, lineOf(*desk, 1, "Guest Two"), 1);
    EXPECT_EQ(text(*desk, "cmdBook"), "UnBook");
    EXPECT_EQ(text(*desk, "txtName"), "Guest Two");
    env.prompt.answer(Answer::Yes);
    click(*desk, "cmdBook");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgResDeleteQuestion});
    EXPECT_EQ(stored("Reservation", c.id), 3);
    EXPECT_EQ(text(*desk, "txtWaitList"), "Fifth Party Room 512");
    EXPECT_EQ(text(*desk, "lblWaitListID"), QString::number(entries[0].id));

    // A walk-in takes the place instead: typing another name drops the
    // waiting guest from this booking, so no entry goes.
    click(*desk, "cmdBookWaiting");
    EXPECT_EQ(text(*desk, "txtName"), "Fifth Party");
    clickCell(*desk, lineOf(*desk, 1, "", "Van"), 1);
    type(*desk, "txtName", "Walk In");
    type(*desk, "txtPrice", "1");
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 4);
    EXPECT_EQ(waiting(c.id).size(), 2u);
    EXPECT_EQ(text(*desk, "lblWaitListID"), QString::number(entries[0].id));

    // The walk-in leaves again; now the waiting guest is booked and only that
    // guest's entry leaves the list.
    clickCell(*desk, lineOf(*desk, 1, "Walk In"), 1);
    env.prompt.answer(Answer::Yes);
    click(*desk, "cmdBook");
    click(*desk, "cmdBookWaiting");
    clickCell(*desk, lineOf(*desk, 1, "", "Van"), 1);
    EXPECT_EQ(text(*desk, "txtName"), "Fifth Party");
    type(*desk, "txtPrice", "1");
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 4);
    EXPECT_GE(lineOf(*desk, 1, "Fifth Party"), 0);
    const auto left = waiting(c.id);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, entries[1].id);
    EXPECT_EQ(left[0].requestedBy, "Sixth Party");
    EXPECT_EQ(text(*desk, "lblWaitListID"), "0");
    EXPECT_EQ(env.prompt.unusedAnswers(), 0);
}

TEST_F(ResScreen, TimedGridBooksARangeOfSlotsAndUnbooksItWhole) {
    ResCategory c;
    c.category = "Tennis";
    c.kind = ResListKind::Timed;
    c.intervalIndex = 1; // 10 minutes
    c.availableFrom = "09:00 AM";
    c.availableThrough = "12:00 PM";
    c.option[0] = true; // through-time picker
    c = saved(c, {"Court 1", "Court 2"});
    auto desk = openDesk("Tennis");
    EXPECT_EQ(desk->windowTitle(),
              "Reservation Subsystem - Tennis - " + Formats::LongDate(env.clock.today()));
    auto* grid = control<QTableWidget>(*desk, "grdReservations");
    ASSERT_EQ(grid->rowCount(), 18);
    EXPECT_EQ(cell(*desk, 0, 0), "09:00 AM");
    EXPECT_EQ(cell(*desk, 17, 0), "11:50 AM");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Court 2");

    // The counter waits while slots are free.
    click(*desk, "cmdIU");
    EXPECT_EQ(env.prompt.last(), "There are slots available, we cannot increment the "
                                 "Unavailability counter until all slots have been filled.");

    clickCell(*desk, 1, 2);
    EXPECT_EQ(text(*desk, "lblFromSlot"), "09:10 AM");
    EXPECT_EQ(control<QComboBox>(*desk, "cboVenue")->currentText(), "Court 2");
    choose(*desk, "cboThrough", "09:30 AM");
    type(*desk, "txtName", "Ida Park");
    env.prompt.clear();
    click(*desk, "cmdBook");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    for (int row : {1, 2, 3})
        EXPECT_EQ(cell(*desk, row, 2), "Ida Park") << row;
    EXPECT_EQ(cell(*desk, 0, 2), "");
    EXPECT_EQ(cell(*desk, 4, 2), "");
    EXPECT_EQ(cell(*desk, 2, 1), "");
    EXPECT_NE(grid->item(2, 2)->background(), grid->item(2, 1)->background());

    // A second booking over a booked slot is refused.
    clickCell(*desk, 0, 2);
    EXPECT_EQ(text(*desk, "cmdBook"), "Book");
    choose(*desk, "cboThrough", "09:20 AM");
    type(*desk, "txtName", "Max Roe");
    click(*desk, "cmdBook");
    EXPECT_EQ(env.prompt.last(), MsgResSegmentBooked);
    EXPECT_EQ(stored("Reservation", c.id), 3);

    // A member without the reservations right may not unbook.
    setRight(member, Rights::OthersReservations, false);
    env.logOn(member);
    clickCell(*desk, 2, 2);
    EXPECT_EQ(text(*desk, "cmdBook"), "UnBook");
    click(*desk, "cmdBook");
    ASSERT_FALSE(env.prompt.shown.isEmpty());
    EXPECT_EQ(env.prompt.shown.last().text, "You are not authorized to Unbook Reservations.");
    EXPECT_EQ(env.prompt.shown.last().title, MsgNotAuthorizedTitle);

    // The manager unbooks: Cancel keeps it, Yes removes every slot.
    env.logOn(manager);
    env.prompt.answer(Answer::Cancel);
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 3);
    env.prompt.answer(Answer::Yes);
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 0);
    for (int row : {1, 2, 3})
        EXPECT_EQ(cell(*desk, row, 2), "") << row;
    EXPECT_EQ(text(*desk, "cmdBook"), "Book");
    EXPECT_EQ(text(*desk, "lblWaitListID"), "0");
    EXPECT_EQ(text(*desk, "txtWaitList"), "");
}

TEST_F(ResScreen, DayBookingsHoldEveryDayOfTheirRangeAndGoWhole) {
    ResCategory c;
    c.category = "Cabanas";
    c.kind = ResListKind::Items;
    c.columnHeader = "Cabana";
    c.option[4] = true; // bookings over days
    c = saved(c, {"Cabana 1", "Cabana 2"});
    const QDate today = env.clock.today();
    auto desk = openDesk("Cabanas");
    EXPECT_TRUE(control<QLineEdit>(*desk, "txtThroughDate")->isVisible());

    // Tomorrow and the day after, for one guest.
    typeDate(*desk, "txtDate", today.addDays(1));
    clickCell(*desk, lineOf(*desk, 1, "", "Cabana 1"), 1);
    type(*desk, "txtName", "Ida Park");
    type(*desk, "txtThroughDate", Formats::ShortDate(today.addDays(2)));
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 2);

    // A range from today that reaches her days is refused whole.
    typeDate(*desk, "txtDate", today);
    clickCell(*desk, lineOf(*desk, 1, "", "Cabana 1"), 1);
    type(*desk, "txtName", "Max Roe");
    type(*desk, "txtThroughDate", Formats::ShortDate(today.addDays(2)));
    click(*desk, "cmdBook");
    EXPECT_EQ(env.prompt.last(), MsgResDayBooked);
    EXPECT_EQ(stored("Reservation", c.id), 2);

    // Her second day shows her; unbooking it there removes both days.
    typeDate(*desk, "txtDate", today.addDays(2));
    const int line = lineOf(*desk, 1, "Ida Park");
    ASSERT_GE(line, 0);
    EXPECT_EQ(cell(*desk, line, 0), "Cabana 1");
    clickCell(*desk, line, 1);
    EXPECT_EQ(text(*desk, "cmdBook"), "UnBook");
    env.prompt.answer(Answer::Yes);
    click(*desk, "cmdBook");
    EXPECT_EQ(stored("Reservation", c.id), 0);
    EXPECT_LT(lineOf(*desk, 1, "Ida Park"), 0);
}
