// The availability calendar: who can give a service at a clicked time, the
// provider's day in provider search, and a chosen time handed back.

#include "TsCalFixture.h"

#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "bookings/TsCalendarLogic.h"
#include "bookings/forms/frmTSCalendar.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QSignalSpy>

using namespace vm;
using namespace vm::test;

namespace {

class TsCalCalendar : public TsCalFixture {
protected:
    void SetUp() override {
        TsCalFixture::SetUp();
        spa = lookup("TService", "Spa");
        lookup("TService", "Golf"); // a category without services
        room = lookup("TSVenue", "Room 1");
        anna = provider("Anna", true, week({2, 3, 4, 5, 6}, "09:00", "17:00", "12:00", "13:00"));
        ben = provider("Ben", false, week({2, 3, 4, 5, 6}, "09:00", "17:00"));
        massageId = service("Massage", spa, room, 60);
        SaveProviderServices(*env.ctx, ben, false, {massageId});
        massage = *GetService(*env.ctx, massageId);
    }
    std::unique_ptr<frmTSCalendar> open(const QDate& day = TsMonday) {
        auto f = std::make_unique<frmTSCalendar>(*env.ctx, day);
        f->show();
        return f;
    }
    void pick(frmTSCalendar& f, const QString& picker, const QString& text) {
        auto* c = control<QComboBox>(f, picker);
        const int i = c->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        c->setCurrentIndex(i);
    }
    DataGrid* times(frmTSCalendar& f) { return control<DataGrid>(f, "grdTimes"); }
    DataGrid* results(frmTSCalendar& f) { return control<DataGrid>(f, "grdAvailability"); }
    // Clicks the time row; answers the providers the search then lists.
    QStringList clickTime(frmTSCalendar& f, const QString& time) {
        const int row = rowWith(times(f), 0, time);
        EXPECT_GE(row, 0) << time.toStdString();
        if (row >= 0) clickRow(times(f), row);
        return column(results(f), 2);
    }
    void chooseResult(frmTSCalendar& f, const QString& providerName) {
        const int row = rowWith(results(f), 2, providerName);
        ASSERT_GE(row, 0) << providerName.toStdString();
        clickRow(results(f), row);
    }

    qint64 spa = 0, room = 0, anna = 0, ben = 0, massageId = 0;
    Service massage;
};

TEST_F(TsCalCalendar, ClickedTimeListsTheFreeProvidersAndABookedRowOpensTheBooking) {
    const qint64 booked = booking(ben, massage, TsMonday, "10:00 AM");
    auto f = open();
    EXPECT_EQ(f->windowTitle(), "Timed Services Calendar - Monday, March 2, 2026");
    pick(*f, "cboCategory", "Spa");
    click(*f, "cmdSearch");
    EXPECT_EQ(f->mode(), "S");
    ASSERT_EQ(times(*f)->rowCount(), 48);
    EXPECT_EQ(times(*f)->cell(0, 0), "09:00 AM");
    EXPECT_EQ(times(*f)->cell(47, 0), "04:50 PM");

    EXPECT_EQ(clickTime(*f, "10:00 AM"), QStringList{"Anna"}) << "Ben is booked";
    EXPECT_EQ(clickTime(*f, "12:00 PM"), QStringList{"Ben"}) << "Anna is at her meal";
    EXPECT_EQ(clickTime(*f, "02:00 PM"), QStringList({"Anna", "Ben"}));
    EXPECT_EQ(results(*f)->cell(1, 0), "Spa");
    EXPECT_EQ(results(*f)->cell(1, 1), "Massage");
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();

    // Ben's day in the time grid; his booking opens on the booking screen.
    chooseResult(*f, "Ben");
    const int tenAm = rowWith(times(*f), 0, "10:00 AM");
    EXPECT_EQ(times(*f)->cell(tenAm, 1), "Lois Lane");
    QSignalSpy chosen(f.get(), &frmTSCalendar::bookingChosen);
    clickRow(times(*f), tenAm);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toLongLong(), booked);
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(TsCalCalendar, ChoicesWithoutServicesOrProvidersAreSaid) {
    auto f = open();
    click(*f, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), MsgCalNoChoice);
    pick(*f, "cboCategory", "Golf");
    click(*f, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "No Services/Locations have been defined for your selection.");

    // By location alone: every service given there.
    pick(*f, "cboCategory", "");
    pick(*f, "cboLocation", "Room 1");
    click(*f, "cmdSearch");
    env.prompt.clear();
    EXPECT_EQ(clickTime(*f, "02:00 PM"), QStringList({"Anna", "Ben"}));
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    // Nobody works on Saturdays.
    control<QCalendarWidget>(*f, "calDate")->setSelectedDate(TsMonday.addDays(5));
    EXPECT_EQ(f->windowTitle(), "Timed Services Calendar - Saturday, March 7, 2026");
    EXPECT_EQ(results(*f)->rowCount(), 0);
    ASSERT_GT(times(*f)->rowCount(), 0);
    clickRow(times(*f), 0);
    EXPECT_EQ(env.prompt.last(), "There are no Providers and Services available at this time.");
    EXPECT_EQ(results(*f)->rowCount(), 0);
}

TEST_F(TsCalCalendar, ProviderSearchShowsTheMealBreakAndBooksNothing) {
    const qint64 booked = booking(anna, massage, TsMonday, "03:00 PM");
    auto f = open();
    click(*f, "cmdProvider");
    EXPECT_EQ(env.prompt.last(), MsgCalNoProvider);
    pick(*f, "cboProvider", "Anna");
    click(*f, "cmdProvider");
    EXPECT_EQ(f->mode(), "P");
    QStringList meal;
    for (int r = 0; r < times(*f)->rowCount(); ++r)
        if (times(*f)->cell(r, 1) == MealBreakText) meal << times(*f)->cell(r, 0);
    EXPECT_EQ(meal, QStringList({"12:00 PM", "12:10 PM", "12:20 PM", "12:30 PM", "12:40 PM",
                                 "12:50 PM", "01:00 PM"}));

    env.prompt.clear();
    clickRow(times(*f), rowWith(times(*f), 0, "09:00 AM"));
    click(*f, "cmdSelect");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgCalProviderSearch, MsgCalProviderSearch}));
    EXPECT_EQ(results(*f)->rowCount(), 0);

    QSignalSpy chosen(f.get(), &frmTSCalendar::bookingChosen);
    clickRow(times(*f), rowWith(times(*f), 0, "03:00 PM"));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toLongLong(), booked);
}

TEST_F(TsCalCalendar, SelectHandsBackTheChoiceOnlyWhenTheWholeServiceFits) {
    auto f = open();
    QSignalSpy selected(f.get(), &frmTSCalendar::timeSelected);
    pick(*f, "cboCategory", "Spa");
    pick(*f, "cboService", "Massage");
    EXPECT_EQ(control<QComboBox>(*f, "cboLocation")->currentText(), "Room 1");
    click(*f, "cmdSearch");
    click(*f, "cmdSelect");
    EXPECT_EQ(env.prompt.last(), MsgTsTime);
    EXPECT_EQ(clickTime(*f, "09:00 AM"), QStringList({"Anna", "Ben"}));
    click(*f, "cmdSelect");
    EXPECT_EQ(env.prompt.last(), MsgTsProvider);

    // Another desk books Ben at 09:30 meanwhile: his hour from 09:00 is gone.
    booking(ben, massage, TsMonday, "09:30 AM", "Kent");
    chooseResult(*f, "Ben");
    env.prompt.clear();
    click(*f, "cmdSelect");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgSlotNotFullDuration});
    EXPECT_EQ(selected.count(), 0);
    EXPECT_TRUE(f->isVisible());

    chooseResult(*f, "Anna");
    click(*f, "cmdSelect");
    ASSERT_EQ(selected.count(), 1) << env.prompt.texts().join("|").toStdString();
    const auto choice = selected.at(0).at(0).value<TsCalendarChoice>();
    EXPECT_EQ(choice.day, TsMonday);
    EXPECT_EQ(choice.categoryId, spa);
    EXPECT_EQ(choice.serviceId, massageId);
    EXPECT_EQ(choice.providerId, anna);
    EXPECT_EQ(choice.locationId, room);
    EXPECT_EQ(choice.time, "09:00 AM");
    EXPECT_EQ(times(*f)->cell(rowWith(times(*f), 0, "09:00 AM"), 1), SelectedTimeText);
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

} // namespace
