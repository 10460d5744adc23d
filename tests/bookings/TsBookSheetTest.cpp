// The day sheet: its rows, the meal break, what a booking shows and which
// rows it takes, bookings off the grid, and the choice of a row for a new booking.

#include "bookings/TsBookFixture.h"

#include "core/LongText.h"

using namespace vm;
using namespace vm::test;

namespace {

using TsBookSheet = TsBookFixture;

TEST(TsBookSlots, RowsPerBookingRoundHalfToEven) {
    const std::pair<int, int> cases[] = {{0, 1},  {5, 1},  {10, 1}, {15, 2},  {25, 2},
                                         {35, 4}, {45, 4}, {90, 9}, {240, 24}};
    for (const auto& [minutes, rows] : cases)
        EXPECT_EQ(TsSlotCount(minutes), rows) << minutes;
}

TEST_F(TsBookSheet, ProviderSheetSpansTheDayAndMarksTheMeal) {
    const DaySheet sheet = BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday, anna, 0);
    ASSERT_EQ(sheet.rows.size(), 48u); // 09:00 AM ... 04:50 PM
    EXPECT_EQ(sheet.rows.front().time, "09:00 AM");
    EXPECT_EQ(sheet.rows.back().time, "04:50 PM");
    const int noon = sheet.rowOf("12:00 PM");
    ASSERT_EQ(noon, 18);
    // 12:00 PM through 01:00 PM, both ends included.
    EXPECT_EQ(states(sheet, noon - 1, 9), "FMMMMMMMF");
    for (int i = noon; i < noon + 7; ++i) {
        EXPECT_EQ(sheet.rows[size_t(i)].text, MealBreakText);
        EXPECT_EQ(sheet.rows[size_t(i)].color, QColor("#FFFFC0"));
    }
    EXPECT_TRUE(sheet.rows[size_t(noon - 1)].text.isEmpty());

    // The location sheet has no meal rows; a provider sheet of a day off neither.
    const DaySheet byRoom = BuildDaySheet(*env.ctx, SheetKind::Location, TsMonday, 0, room);
    EXPECT_EQ(states(byRoom, noon - 1, 9), "FFFFFFFFF");
    // Anna's Sunday off keeps the rows of her week, with no meal among them.
    const DaySheet sunday = BuildDaySheet(*env.ctx, SheetKind::Provider, TsSunday, anna, 0);
    ASSERT_EQ(sunday.rows.size(), 48u);
    EXPECT_EQ(states(sunday, noon, 7), "FFFFFFF");
}

TEST_F(TsBookSheet, HoursComeFromTheSchedulesInForce) {
    // Only an exception on Tuesday opens the day at 07:00; nobody's default week does.
    const qint64 early = provider("Ben", week("0000000", "", ""));
    exception(early, "03/03/2026", "", week("1111111", "07:00", "19:00"));
    const DaySheet tuesday =
        BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday.addDays(1), early, 0);
    ASSERT_FALSE(tuesday.rows.empty());
    EXPECT_EQ(tuesday.rows.front().time, "07:00 AM");
    EXPECT_EQ(tuesday.rows.back().time, "06:50 PM");
}

TEST_F(TsBookSheet, ABookingShowsItsLinesAndTakesEveryRow) {
    TypedTsBooking t = typed(TsMonday, "09:00 AM");
    t.instructions = "Towels & robe\r\nquiet room";
    const qint64 id = book(t).id;
    const qint64 ben = provider("Ben");
    const qint64 benId = bookingRow(ben, massage, TsMonday, "10:30 AM", 30);

    const DaySheet own = BuildDaySheet(*env.ctx, SheetKind::Combined, TsMonday, anna, room);
    const QStringList lines = {"Jane Doe", "Spa: Massage", "Anna: Room 1",
                               "Price:  80.00,   Gratuity = 10.00", "Towels & robe quiet room"};
    for (int i = 0; i < 9; ++i) {
        const SheetRow& row = own.rows[size_t(i)];
        EXPECT_EQ(row.state, SlotState::Booking) << i;
        EXPECT_EQ(row.bookingId, id);
        EXPECT_EQ(row.color, QColor("#FFFFC0"));
        // Rows past the lines stay taken though they show nothing.
        EXPECT_EQ(row.text, i < lines.size() ? lines[i] : QString()) << i;
    }
    // Ben's booking at the same room is another provider's: grey, not loadable.
    EXPECT_EQ(states(own, 9, 5), "OOOFF");
    EXPECT_EQ(own.rows[9].bookingId, benId);
    EXPECT_EQ(own.rows[9].color, QColor("#E0E0E0"));
    EXPECT_EQ(own.rows[9].text, "Pat Guest");
    EXPECT_TRUE(own.outside.isEmpty());

    // Anna's own sheet does not show Ben; a choice on her taken rows is refused.
    const DaySheet annas = BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday, anna, 0);
    EXPECT_EQ(states(annas, 0, 10), "BBBBBBBBBF");
    EXPECT_EQ(CheckSlotChoice(annas, 9, 30), "");
    EXPECT_EQ(CheckSlotChoice(annas, 8, 10), MsgSlotNotFullDuration);
    EXPECT_EQ(CheckSlotChoice(own, 9, 10), MsgSlotOtherProvider);
    EXPECT_EQ(CheckSlotChoice(own, 12, 30), "");
}

TEST_F(TsBookSheet, BookingsOffTheGridOrOutsideTheSheetTakeTheRowsTheyCover) {
    bookingRow(anna, massage, TsMonday, "08:45 AM", 30, "Early"); // 08:45-09:15
    bookingRow(anna, massage, TsMonday, "10:05 AM", 20, "Odd");   // 10:05-10:25
    bookingRow(anna, massage, TsMonday, "06:00 PM", 60, "Late");  // after the sheet
    const DaySheet sheet = BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday, anna, 0);
    EXPECT_EQ(states(sheet, 0, 3), "BBF");
    EXPECT_EQ(sheet.rows[0].text, "Pat Early");
    const int ten = sheet.rowOf("10:00 AM");
    EXPECT_EQ(states(sheet, ten - 1, 5), "FBBBF");
    EXPECT_EQ(sheet.outside,
              QStringList({"08:45 AM  Pat Early", "10:05 AM  Pat Odd", "06:00 PM  Pat Late"}));
    EXPECT_EQ(CheckSlotChoice(sheet, ten - 1, 20), MsgSlotNotFullDuration);
}

TEST_F(TsBookSheet, ChoicesThatRunPastTheSheetOrIntoTheMealAreRefused) {
    const DaySheet sheet = BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday, anna, 0);
    const int last = int(sheet.rows.size()) - 1;
    EXPECT_EQ(CheckSlotChoice(sheet, last, 10), "");
    EXPECT_EQ(CheckSlotChoice(sheet, last, 20), MsgSlotNotFullDuration);
    EXPECT_EQ(CheckSlotChoice(sheet, last - 2, 35), MsgSlotNotFullDuration); // 4 rows
    EXPECT_EQ(CheckSlotChoice(sheet, last - 2, 25), "");                     // 2 rows
    EXPECT_EQ(CheckSlotChoice(sheet, sheet.rowOf("11:30 AM"), 30), "");
    EXPECT_EQ(CheckSlotChoice(sheet, sheet.rowOf("11:30 AM"), 40), MsgSlotNotFullDuration);
    EXPECT_EQ(CheckSlotChoice(sheet, -1, 10), MsgSlotNotFullDuration);

    // The day's last slot: 11:50 PM takes a 10-minute service, not a 20-minute one.
    const qint64 night = provider("Nora", week("1111111", "18:00", "23:59"));
    const DaySheet late = BuildDaySheet(*env.ctx, SheetKind::Provider, TsMonday, night, 0);
    const int lastSlot = late.rowOf("11:50 PM");
    ASSERT_EQ(lastSlot, int(late.rows.size()) - 1);
    EXPECT_EQ(CheckSlotChoice(late, lastSlot, 10), "");
    EXPECT_EQ(CheckSlotChoice(late, lastSlot, 20), MsgSlotNotFullDuration);
}

} // namespace
