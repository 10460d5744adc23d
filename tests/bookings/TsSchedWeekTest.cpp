// The stored week (seven flags, four strings of seven "HH:MM" slots) and the
// checks of a week typed in a schedule grid.

#include "bookings/TsSchedule.h"

#include <gtest/gtest.h>

using namespace vm;

namespace {

TEST(TsSchedWeek, DaysSitInTheirFiveCharacterSlotsSundayFirst) {
    TsWeek w;
    w.setDay(4, TsDay{true, 9 * 60, 17 * 60 + 30, 12 * 60, 12 * 60 + 45});
    EXPECT_EQ(w.workSchedule, "0001000");
    // Wednesday is characters 16-20; every other slot stays blank.
    EXPECT_EQ(w.startArray, QString(15, ' ') + "09:00" + QString(15, ' '));
    EXPECT_EQ(w.endMeal.mid(15, 5), "12:45");
    EXPECT_TRUE(w.wellFormed());
    const TsDay back = w.day(4);
    EXPECT_TRUE(back.works && back.hasMeal());
    EXPECT_EQ(back.end, 17 * 60 + 30);

    // An empty Monday reads as no hours and no meal.
    const TsDay monday = w.day(2);
    EXPECT_FALSE(monday.works || monday.hasMeal());
    EXPECT_EQ(monday.start, -1);
    EXPECT_EQ(monday.end, -1);

    // A short stored string is read safely and never passes as well formed.
    w.startArray = "08:00     ";
    EXPECT_EQ(w.day(1).start, 8 * 60);
    EXPECT_EQ(w.day(5).start, -1);
    EXPECT_FALSE(w.wellFormed());
    EXPECT_THROW(RequireWellFormed(w), std::invalid_argument);
}

TEST(TsSchedWeek, TypedWeekRefusesHoursThatWouldShiftOrContradictNamingDayAndField) {
    struct Case {
        int weekday;
        TypedWeekDay typed;
        QString refusal;
    };
    const Case cases[] = {
        {2,
         {true, "09:00", "", "", ""},
         "Monday: the End time must be later than the Start time.  Thank you."},
        {4,
         {true, "09:00", "09:00", "", ""},
         "Wednesday: the End time must be later than the Start time.  Thank you."},
        {1,
         {true, "25:00", "26:00", "", ""},
         "Sunday: the Start time is not a valid time.  Thank you."},
        {5,
         {true, "09:00", "17:00", "12:00", ""},
         "Thursday: the meal End time must be later than the meal Start time.  Thank you."},
        {7,
         {true, "09:00", "17:00", "16:30", "17:30"},
         "Saturday: the meal break must lie within the working hours.  Thank you."},
        {6,
         {false, "", "", "12:00", "13:00"},
         "Friday: the meal break must lie within the working hours.  Thank you."},
    };
    for (const Case& c : cases) {
        TypedWeekDay days[7];
        days[c.weekday - 1] = c.typed;
        EXPECT_EQ(CheckTypedWeek(days), c.refusal) << c.typed.start.toStdString();
    }
}

TEST(TsSchedWeek, TypedWeekIsStoredInFixedWidthWithBlankDaysAndTwelveHourInput) {
    TypedWeekDay days[7];
    days[1] = {true, "09:00", "17:00", "12:00", "13:00"};
    days[3] = {true, "08:30 AM", "04:15 PM", "", ""};
    days[5] = {false, "", "18:00", "", "13:00"}; // an End without its Start is no hours
    ASSERT_EQ(CheckTypedWeek(days), "");

    const TsWeek w = WeekFromTyped(days);
    EXPECT_TRUE(w.wellFormed());
    EXPECT_EQ(w.workSchedule, "0101000");
    EXPECT_EQ(w.startArray,
              QString(5, ' ') + "09:00" + QString(5, ' ') + "08:30" + QString(15, ' '));
    EXPECT_EQ(w.endArray.mid(15, 5), "16:15");
    EXPECT_EQ(w.endArray.mid(25, 5), "     ");
    EXPECT_EQ(w.startMeal.mid(5, 5), "12:00");
    EXPECT_EQ(w.endMeal.mid(25, 5), "     ");
}

} // namespace
