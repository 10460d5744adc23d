// Categories and items set up on the desk, the closed-day notice, the purge
// and the Others page icon that opens the desk.

#include "bookings/ResScreenFixture.h"
#include "bookings/forms/ReservationsModule.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>

using namespace vm;
using namespace vm::test;

namespace {

class ResScreenSetup : public ResScreenFixture {};

} // namespace

TEST_F(ResScreenSetup, ACategoryIsSetUpWithItsRefusalsAndFollowsItsOpenDays) {
    frmReservation desk(ctx());
    click(desk, "cmdNewCategory");
    click(desk, "cmdSave_0");
    EXPECT_EQ(env.prompt.last(), "The Category is required.  Thank you.");

    // A timed list whose end is not after its start.
    type(desk, "txtCategory", "Golf");
    choose(desk, "cboInterval", "15 Minutes");
    EXPECT_EQ(control<QComboBox>(desk, "cboFromMinute")->count(), 4);
    EXPECT_EQ(control<QComboBox>(desk, "cboThroughMinute")->itemText(3), "45");
    choose(desk, "cboFromHour", "10");
    choose(desk, "cboFromAmPm", "AM");
    choose(desk, "cboThroughHour", "09");
    choose(desk, "cboThroughAmPm", "AM");
    click(desk, "cmdSave_0");
    EXPECT_EQ(env.prompt.last(), "The Start Time (Available From) must be earlier than the End "
                                 "Time (Available Through).  Thank you.");

    // An item list needs its column header; the party option renames the price.
    type(desk, "txtCategory", "Cabanas");
    choose(desk, "cboTypeOfList", "Item List");
    click(desk, "cmdSave_0");
    EXPECT_EQ(env.prompt.last(),
              "The Item List Column Header is required for Item List type Entries.  Thank you.");
    type(desk, "txtColumnHeader", "Cabana");
    control<QCheckBox>(desk, "chkOption_3")->setChecked(true);
    EXPECT_EQ(text(desk, "lblSetupPrice"), "Default Row Total:");
    type(desk, "txtSetupPrice", "six");
    click(desk, "cmdSave_0");
    EXPECT_EQ(env.prompt.last(), "The Default Row Total must be a number.  Thank you.");
    type(desk, "txtSetupPrice", "6");
    control<QCheckBox>(desk, "chkWorkSchedule_0")->setChecked(false); // closed on Sundays
    const int before = env.prompt.shown.size();
    click(desk, "cmdSave_0");
    EXPECT_EQ(env.prompt.shown.size(), before);
    const auto all = GetResTypes(ctx());
    ASSERT_EQ(all.size(), 1u);
    const ResCategory c = all[0];
    EXPECT_EQ(c.category, "Cabanas");
    EXPECT_EQ(c.kind, ResListKind::Items);
    EXPECT_EQ(c.dayOfWeek, "MonTueWedThuFriSat");
    EXPECT_TRUE(c.party());
    EXPECT_EQ(c.price, 6);

    // Items: long names on an item list, added in order, deleted on request.
    EXPECT_EQ(text(desk, "lblItemName"), "Item Name (Max 50 Characters)");
    for (const char* name : {"Cabana by the Pool", "Cabana by the Beach"}) {
        type(desk, "txtItemName", name);
        click(desk, "cmdSave_1");
    }
    auto* items = control<DataGrid>(desk, "grdItems");
    ASSERT_EQ(items->rowCount(), 2);
    EXPECT_EQ(items->cell(1, 1), "Cabana by the Beach");
    click(desk, "cmdDeleteItem");
    EXPECT_EQ(env.prompt.last(),
              "Please select the List Item before attempting to delete it.  Thank you.");
    items->selectKey(items->keyAt(1));
    env.prompt.answer(Answer::Yes);
    click(desk, "cmdDeleteItem");
    EXPECT_EQ(env.prompt.last(), "Do You Wish to Delete this Item?");
    EXPECT_EQ(GetResItems(ctx(), c.id).size(), 1u);

    // The booking page lists it on a Monday; on a Sunday it is closed.
    typeDate(desk, "txtDate", QDate(2026, 3, 16));
    choose(desk, "cboCategory", "Cabanas");
    EXPECT_EQ(control<QTableWidget>(desk, "grdReservations")->rowCount(), 1);
    env.prompt.clear();
    typeDate(desk, "txtDate", QDate(2026, 3, 15));
    EXPECT_EQ(env.prompt.texts(), QStringList{" Reservations are not available on Sundays"});
    EXPECT_EQ(control<QComboBox>(desk, "cboCategory")->count(), 0);
    EXPECT_FALSE(desk.category().has_value());

    // A category with bookings stays.
    ResBooking b;
    b.date = Formats::ShortDate(QDate(2026, 3, 16));
    b.name = "Una Vale";
    b.item = "Cabana by the Pool";
    b.priceOrParty = "2";
    ASSERT_EQ(BookReservation(ctx(), c, b).status, ResBookStatus::Booked);
    choose(desk, "cboSetupCategory", "Cabanas");
    click(desk, "cmdDeleteCategory");
    EXPECT_EQ(env.prompt.last(), "Cabanas has 1 reservation entries.  We cannot delete this category.");
    EXPECT_EQ(GetResTypes(ctx()).size(), 1u);
}

TEST_F(ResScreenSetup, RowLimitsAreEditedPerDate) {
    ResCategory c;
    c.category = "Boats";
    c.kind = ResListKind::Items;
    c.columnHeader = "Boat";
    c.option[3] = true;
    c.price = 4;
    c = saved(c, {"Kayak"});
    auto desk = openDesk("Boats");
    auto* limits = control<QTableWidget>(*desk, "grdRowLimits");
    ASSERT_EQ(limits->rowCount(), 1);
    EXPECT_EQ(limits->item(0, 1)->text(), "4");
    limits->item(0, 1)->setText("x");
    QCoreApplication::processEvents();
    EXPECT_EQ(env.prompt.last(), "Please enter a valid number for this row.  Thank you.");
    EXPECT_EQ(limits->item(0, 1)->text(), "4");
    limits->item(0, 1)->setText("2");
    QCoreApplication::processEvents();
    EXPECT_EQ(GetRowLimit(ctx(), c, Formats::StoredDate(env.clock.today()), "Kayak"), 2);
    EXPECT_EQ(GetRowLimit(ctx(), c, Formats::StoredDate(env.clock.today().addDays(1)), "Kayak"), 4);
    clickCell(*desk, 0, 1);
    EXPECT_EQ(text(*desk, "lblPlacesLeft"), "Places Left: 2");
}

TEST_F(ResScreenSetup, PurgeNeedsTheRightAndADateBeforeToday) {
    ResCategory c;
    c.category = "Bikes";
    c.kind = ResListKind::Items;
    c.columnHeader = "Bike";
    c = saved(c, {"Tandem"});
    const QDate today = env.clock.today();
    for (const QDate& d : {today.addDays(-3), today.addDays(-1)}) {
        ResBooking b;
        b.date = Formats::ShortDate(d);
        b.name = "Rider";
        b.item = "Tandem";
        b.priceOrParty = "5";
        ASSERT_EQ(BookReservation(ctx(), c, b).status, ResBookStatus::Booked);
    }
    frmReservation desk(ctx());
    setRight(member, Rights::OthersReservations, false);
    env.logOn(member);
    typeDate(desk, "txtPurgeDate", today.addDays(-2));
    click(desk, "cmdDeleteRes");
    EXPECT_EQ(env.prompt.last(), MsgResPurgeNotAuthorized);

    setRight(member, Rights::OthersReservations, true);
    type(desk, "txtPurgeDate", "13/45/2026");
    click(desk, "cmdDeleteRes");
    EXPECT_EQ(env.prompt.last(), "Please enter a valid date.");
    typeDate(desk, "txtPurgeDate", today);
    click(desk, "cmdDeleteRes");
    EXPECT_EQ(env.prompt.last(), "This Date must be prior to Today.   Thank you.");
    typeDate(desk, "txtPurgeDate", today.addDays(-2));
    env.prompt.answer(Answer::Yes);
    click(desk, "cmdDeleteRes");
    EXPECT_EQ(env.prompt.last(), "Do you wish to Delete All Reservation Information prior to " +
                                     Formats::ShortDate(today.addDays(-2)) + "?");
    EXPECT_EQ(stored("Reservation", c.id), 1);
}

namespace {
class ResScreenIcon : public ResScreenFixture {};
} // namespace

TEST_F(ResScreenIcon, TheOthersIconOpensOneDeskForAMemberWithTheRight) {
    env.ctx->session.clear(); // the main window logs its own member on
    startDesk(member);
    InstallReservations(*env.ctx, *window);
    setRight(member, Rights::AddOnsReservations, false);
    clickIcon("imgReservations");
    EXPECT_EQ(env.prompt.texts(), QStringList{"You are not authorized to Work with Reservations."});
    EXPECT_FALSE(window->findChild<frmReservation*>());

    setRight(member, Rights::AddOnsReservations, true);
    clickIcon("imgReservations");
    clickIcon("imgReservations");
    const auto desks = window->findChildren<frmReservation*>();
    ASSERT_EQ(desks.size(), 1);
    EXPECT_TRUE(desks[0]->isVisible());
    EXPECT_TRUE(desks[0]->windowTitle().startsWith("Reservation Subsystem - "));
    EXPECT_EQ(env.prompt.shown.size(), 1);
}
