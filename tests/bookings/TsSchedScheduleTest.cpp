// A provider's week in force on a day, dated exceptions, master weeks applied
// over a span, and the hours the day sheets span.

#include "bookings/TsSchedFixture.h"

using namespace vm;
using namespace vm::test;

namespace {

class TsSchedSchedule : public TsSchedFixture {
protected:
    TsWeek inForce(qint64 providerId, const QDate& day) {
        return GetProviderScheduleForDate(*env.ctx, providerId, day);
    }
    int exceptionRows(qint64 providerId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND "
                    "[StartDate] <> 'Master'",
                    {providerId})
            .toInt();
    }
    QString apply(qint64 providerId, const QDate& first, const QString& weeks) {
        return ApplyMasterSchedules(*env.ctx, providerId, first, weeks);
    }
};

TEST_F(TsSchedSchedule, WeekInForceIsTheNewestCoveringExceptionElseTheDefaultElseNobodyWorks) {
    const TsWeek late = week("1111111", "13:00", "21:00");
    const TsWeek early = week("1111111", "06:00", "14:00");
    const qint64 ann = provider("Ann", officeWeek());
    exception(ann, "03/09/2026", "03/15/2026", late);
    master(ann, "Early", early); // a master never counts as in force

    EXPECT_EQ(inForce(ann, TsMonday).startArray, officeWeek().startArray);   // before
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 9)).startArray, late.startArray);  // first day
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 15)).startArray, late.startArray); // last day
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 16)).startArray, officeWeek().startArray);

    // Older data may hold overlapping exceptions: the newest row decides.
    env.db().exec("INSERT INTO [ProviderSchedule] ([ProvidersID], [StartDate], [EndDate], "
                  "[WorkSchedule], [StartArray], [EndArray], [StartMeal], [EndMeal]) "
                  "VALUES (?, '2026/03/10', ?, ?, ?, ?, ?, ?)",
                  {ann, OpenScheduleThrough, early.workSchedule, early.startArray, early.endArray,
                   early.startMeal, early.endMeal});
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 12)).startArray, early.startArray);
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 9)).startArray, late.startArray);
    // An open exception ("9999/12/31") lasts.
    EXPECT_EQ(inForce(ann, QDate(2040, 1, 1)).startArray, early.startArray);

    // A provider without any week, and one that does not exist, work nowhere.
    const qint64 bare = provider("Bare", TsWeek());
    for (qint64 id : {bare, qint64(999999)})
        EXPECT_EQ(inForce(id, TsMonday).workSchedule + inForce(id, TsMonday).endMeal,
                  "0000000" + QString(35, ' '));
}

TEST_F(TsSchedSchedule, ExceptionSaveChecksDatesAndRefusesOverlapsAndKeepsAnOpenEnd) {
    const qint64 ann = provider("Ann");
    const qint64 bob = provider("Bob");
    ProviderSchedule s;
    s.providerId = ann;
    s.week = officeWeek();
    EXPECT_EQ(SaveScheduleException(*env.ctx, s, "", ""), MsgExceptionStart);
    EXPECT_EQ(SaveScheduleException(*env.ctx, s, "02/30/2026", ""), MsgExceptionStart);
    EXPECT_EQ(SaveScheduleException(*env.ctx, s, "03/10/2026", "13/01/2026"), MsgScheduleExceptionThrough);
    EXPECT_EQ(SaveScheduleException(*env.ctx, s, "03/10/2026", "03/09/2026"), MsgExceptionOrder);
    EXPECT_EQ(exceptionRows(ann), 0);

    // An empty Through Date takes the start.
    ASSERT_EQ(SaveScheduleException(*env.ctx, s, "03/10/2026", ""), "");
    EXPECT_EQ(s.startDate, "2026/03/10");
    EXPECT_EQ(s.endDate, "2026/03/10");

    // Any shared day with another exception of the same provider is refused.
    const QString overlap =
        "This Schedule Exception overlaps the exception from 03/10/2026 through 03/10/2026.  "
        "Thank you.";
    for (auto [start, through] :
         {std::pair{"03/01/2026", "03/10/2026"}, std::pair{"03/10/2026", "03/20/2026"},
          std::pair{"03/05/2026", "03/25/2026"}}) {
        ProviderSchedule other;
        other.providerId = ann;
        EXPECT_EQ(SaveScheduleException(*env.ctx, other, start, through), overlap) << start;
        EXPECT_EQ(other.id, 0);
    }
    // Next to it, or for another provider, is fine; so is changing the exception itself.
    exception(ann, "03/11/2026", "03/12/2026", officeWeek());
    exception(bob, "03/10/2026", "03/10/2026", officeWeek());
    ASSERT_EQ(SaveScheduleException(*env.ctx, s, "03/09/2026", "03/10/2026"), "");
    EXPECT_EQ(exceptionRows(ann), 2);

    // A stored open exception shows an empty Through Date; saving it so keeps it open.
    ProviderSchedule open;
    open.providerId = bob;
    open.week = officeWeek();
    ASSERT_EQ(SaveScheduleException(*env.ctx, open, "04/01/2026", ""), "");
    env.db().exec("UPDATE [ProviderSchedule] SET [EndDate] = ? WHERE [PScheduleID] = ?",
                  {OpenScheduleThrough, open.id});
    ASSERT_EQ(SaveScheduleException(*env.ctx, open, "04/02/2026", ""), "");
    EXPECT_EQ(GetProviderSchedules(*env.ctx, bob).front().endDate, OpenScheduleThrough);
}

TEST_F(TsSchedSchedule, MastersNeedANameUniquePerProviderWithoutRegardToCase) {
    const qint64 ann = provider("Ann");
    ProviderSchedule s;
    s.providerId = ann;
    s.endDate = "  ";
    EXPECT_EQ(SaveMasterSchedule(*env.ctx, s), MsgMasterName);
    master(ann, "Week A", officeWeek());
    s.endDate = "week a";
    EXPECT_EQ(SaveMasterSchedule(*env.ctx, s),
              "There is already a Master Schedule named week a for this Provider.  Thank you.");
    master(provider("Bob"), "Week A", officeWeek()); // another provider's name space
    // Saving a master again under its own name is no clash.
    EXPECT_EQ(SaveMasterSchedule(*env.ctx, GetProviderSchedules(*env.ctx, ann).front()), "");
}

TEST_F(TsSchedSchedule, ApplyingMastersChecksItsInputsAndWritesConsecutiveWeeksInRotation) {
    const qint64 ann = provider("Ann");
    EXPECT_EQ(apply(ann, TsMonday, "6"), MsgNoMasters);

    const TsWeek w1 = week("0100000", "08:00", "12:00");
    const TsWeek w2 = week("0010000", "09:00", "13:00");
    const TsWeek w3 = week("0001000", "10:00", "14:00");
    master(ann, "One", w1);
    // One master: any number of weeks.
    ASSERT_EQ(apply(ann, QDate(2025, 1, 6), "3"), "");
    EXPECT_EQ(exceptionRows(ann), 3);
    master(ann, "Two", w2);
    master(ann, "Three", w3);

    for (const QString weeks : {"", "x", "0", "-3", "9999"})
        EXPECT_EQ(apply(ann, TsMonday, weeks), MsgMasterWeeks) << weeks.toStdString();
    EXPECT_EQ(apply(ann, TsMonday, "7"), MsgMasterMultiple);
    EXPECT_EQ(exceptionRows(ann), 3);

    ASSERT_EQ(apply(ann, TsMonday, "6"), "");
    std::vector<ProviderSchedule> made;
    for (const ProviderSchedule& p : GetProviderSchedules(*env.ctx, ann))
        if (!p.isMaster() && p.startDate >= "2026/01/01") made.push_back(p);
    ASSERT_EQ(made.size(), 6u);
    std::reverse(made.begin(), made.end()); // the list is latest first
    const TsWeek* rotation[] = {&w1, &w2, &w3, &w1, &w2, &w3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(made[i].startDate + "-" + made[i].endDate,
                  Formats::StoredDate(TsMonday.addDays(7 * i)) + "-" +
                      Formats::StoredDate(TsMonday.addDays(7 * i + 6)));
        EXPECT_EQ(made[i].week.startArray, rotation[i]->startArray) << i;
    }
    EXPECT_EQ(inForce(ann, QDate(2026, 3, 10)).day(3).start, 9 * 60); // week 2, Tuesday
}

TEST_F(TsSchedSchedule, ApplyingMastersOverAnyExistingExceptionIsRefusedWithItsGridRow) {
    const qint64 ann = provider("Ann");
    master(ann, "One", officeWeek());
    exception(ann, "01/05/2026", "", officeWeek());           // row 3
    exception(ann, "03/20/2026", "04/10/2026", officeWeek()); // row 2
    exception(ann, "06/01/2026", "06/02/2026", officeWeek()); // row 1
    const auto refusal = [](int row) {
        return "There is an Exception to the Default Schedule defined during the selected time "
               "frame.  Please see row number " +
               QString::number(row) + " in the grid above.";
    };
    // 03/02 - 03/29: the second exception runs past the span's end and still counts.
    EXPECT_EQ(apply(ann, TsMonday, "4"), refusal(2));
    // 02/23 - 03/01 touches nothing; 12/29/2025 - 01/04/2026 ends the day before row 3.
    EXPECT_EQ(apply(ann, QDate(2026, 2, 23), "1"), "");
    EXPECT_EQ(apply(ann, QDate(2025, 12, 29), "1"), "");
    // 12/30/2025 - 01/05/2026 meets the 01/05 exception, row 4 now that two weeks were added
    // (and the 12/29 week, row 5: the first row met is named).
    EXPECT_EQ(apply(ann, QDate(2025, 12, 30), "1"), refusal(4));
}

TEST_F(TsSchedSchedule, MastersAreWrittenAllOrNothing) {
    const qint64 ann = provider("Ann");
    master(ann, "One", officeWeek());
    // A master week spoiled in the database stops the writing part-way: the
    // weeks already written go back too.
    const qint64 bad = master(ann, "Two", officeWeek());
    env.db().exec("UPDATE [ProviderSchedule] SET [StartArray] = '08:00' WHERE [PScheduleID] = ?",
                  {bad});
    EXPECT_THROW(apply(ann, TsMonday, "4"), std::invalid_argument);
    EXPECT_EQ(exceptionRows(ann), 0);
}

TEST_F(TsSchedSchedule, DayHoursSpanEveryWeekInForceIncludingExceptionsElseSixToTen) {
    EXPECT_EQ(GetTimedServiceHours(*env.ctx, TsMonday), std::make_pair(6 * 60, 22 * 60));
    const qint64 ann = provider("Ann", TsWeek()); // nobody with hours yet

    // Only exceptions give hours (no default week at all).
    exception(ann, "03/02/2026", "03/08/2026", week("0100000", "07:30", "19:00"));
    EXPECT_EQ(GetTimedServiceHours(*env.ctx, TsMonday), std::make_pair(7 * 60 + 30, 19 * 60));
    EXPECT_EQ(GetTimedServiceHours(*env.ctx, QDate(2026, 3, 9)), std::make_pair(360, 1320));

    // Defaults and exceptions together: the earliest start and latest end of
    // any day of the weeks in force.
    provider("Bob", week("0000011", "10:00", "20:30"));
    EXPECT_EQ(GetTimedServiceHours(*env.ctx, TsMonday), std::make_pair(7 * 60 + 30, 20 * 60 + 30));
    EXPECT_EQ(GetTimedServiceHours(*env.ctx, QDate(2026, 3, 9)),
              std::make_pair(10 * 60, 20 * 60 + 30));
}

} // namespace
