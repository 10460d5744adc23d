#pragma once
// A logged-on desk with the timed-service catalogue the schedule window and
// the availability calendar work on: lookup rows for categories and
// locations, providers with their weeks, services, and bookings written as
// another desk writes them.

#include "bookings/BookingTimes.h"
#include "bookings/TsSetup.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QTest>
#include <stdexcept>

namespace vm::test {

// 2026/03/02 is a Monday.
inline const QDate TsMonday(2026, 3, 2);

class TsCalFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        env.openOrFail();
        env.logOn(env.addStaff("Ann Desk", "ann", "AD"));
    }

    // The control named `name` below `root`; a missing one fails the test.
    template <class T = QWidget> T* control(const QObject& root, const QString& name) {
        T* found = root.findChild<T*>(name);
        if (!found) throw std::runtime_error("no control named " + name.toStdString());
        return found;
    }
    void click(const QObject& root, const QString& name) {
        control<QAbstractButton>(root, name)->click();
    }
    // A mouse click on the row's text, as the user chooses a row (the grid's window must show).
    void clickRow(DataGrid* grid, int row) {
        const QModelIndex i = grid->model()->index(row, 0);
        ASSERT_TRUE(i.isValid()) << "no row " << row;
        grid->scrollTo(i);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
    }
    // The shown row whose column holds the text; -1 when none.
    static int rowWith(const DataGrid* grid, int column, const QString& text) {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->cell(r, column) == text) return r;
        return -1;
    }
    static QStringList column(const DataGrid* grid, int column) {
        QStringList cells;
        for (int r = 0; r < grid->rowCount(); ++r)
            cells << grid->cell(r, column);
        return cells;
    }

    qint64 lookup(const QString& type, const QString& value) {
        EXPECT_EQ(InsertOtherData(*env.ctx, type, value), "");
        for (const OtherValue& v : GetOtherData(*env.ctx, type))
            if (v.value == value) return v.id;
        throw std::runtime_error("lookup row not stored");
    }
    // A week in which the days (1 = Sunday) work from `start` to `end` ("HH:MM"),
    // with the meal break when given.
    static TsWeek week(std::initializer_list<int> days, const QString& start, const QString& end,
                       const QString& mealStart = {}, const QString& mealEnd = {}) {
        TsWeek w;
        for (int d : days) {
            TsDay day;
            day.works = true;
            day.start = SlotMinute(start);
            day.end = SlotMinute(end);
            if (!mealStart.isEmpty()) {
                day.mealStart = SlotMinute(mealStart);
                day.mealEnd = SlotMinute(mealEnd);
            }
            w.setDay(d, day);
        }
        return w;
    }
    qint64 provider(const QString& name, bool allServices, const TsWeek& w = {}) {
        Provider p;
        p.name = name;
        p.female = true;
        p.allServices = allServices;
        p.week = w;
        EXPECT_EQ(SaveProvider(*env.ctx, p), "");
        return p.id;
    }
    qint64 service(const QString& name, qint64 category, qint64 location, int minutes) {
        Service s;
        s.name = name;
        s.categoryId = category;
        s.locationId = location;
        s.price = 80;
        s.duration = minutes;
        EXPECT_EQ(SaveService(*env.ctx, s), "");
        return s.id;
    }
    // A booking as any desk stores it: the day "yyyy/MM/dd", the row's time "hh:mm AM".
    qint64 booking(qint64 providerId, const Service& s, const QDate& day, const QString& time,
                   const QString& lastName = QStringLiteral("Lane")) {
        return env.db().insert(
            "INSERT INTO [TimedService] ([CategoryID], [ServicesID], [ProviderID], [LocationID], "
            "[LogbookID], [ProfileID], [Duration], [Price], [Gratuity], [LastName], [FirstName], "
            "[ReferDate], [ReferTime], [Confirmation], [POSNumber], [Status0], [Status1], "
            "[Status2], [Status3], [Status4]) "
            "VALUES (?, ?, ?, ?, 0, 0, ?, ?, 0, ?, 'Lois', ?, ?, ' ', ' ', ?, ?, ?, ?, ?)",
            {s.categoryId, s.id, providerId, s.locationId, s.duration, s.price, lastName,
             Formats::StoredDate(day), time, false, false, false, false, false},
            "TimedServiceID");
    }

    TestEnv env;
};

} // namespace vm::test
