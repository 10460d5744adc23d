// Lending: check-out, charges, check-in, the loans' history and the search,
// the refusals of check-out and check-in, and two desks lending one item.

#include "operations/RentalFixture.h"

#include <array>
#include <barrier>
#include <mutex>
#include <thread>

using namespace vm;
using namespace vm::test;

namespace {

class RentalLoan : public RentalFixture {};

TEST_F(RentalLoan, ADailyRentalIsChargedPerDayCheckedInAndTotalledInTheSearch) {
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 7, 10);
    const QDate due = today().addDays(3);

    const RentalOutcome out = CheckOutItem(ctx(), bike.id, loan(due, "5:00 PM"));
    ASSERT_TRUE(out.done) << out.refusal.message.toStdString();
    EXPECT_DOUBLE_EQ(out.charge, 30);
    const StuffItem held = *GetStuffItem(ctx(), bike.id);
    EXPECT_TRUE(held.isOut());
    EXPECT_EQ(held.renterName, "Lena Ortiz");
    EXPECT_EQ(held.returnDate, "2026/03/17");
    EXPECT_EQ(held.returnTime, "05:00 PM");
    EXPECT_EQ(held.returnTimeSort, "1700");
    const auto open = GetStuffCheckout(ctx(), bike.id);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->categoryId, bikes);
    EXPECT_EQ(open->checkoutDate, "2026/03/14");
    EXPECT_EQ(open->checkoutTime, "09:30 AM");
    EXPECT_EQ(CheckoutCaption(open), "Checked out 03/14/2026 09:30 AM  -  Charge: 30.00");

    // Due back by a day includes that day and nothing later.
    EXPECT_TRUE(GetItemsRented(ctx(), due.addDays(-1)).empty());
    ASSERT_EQ(GetItemsRented(ctx(), due).size(), 1u);
    EXPECT_EQ(GetItemsRented(ctx()).size(), 1u);

    env.clock.set(QDateTime(due, QTime(16, 5)));
    const RentalOutcome in = CheckInItem(ctx(), bike.id);
    ASSERT_TRUE(in.done);
    EXPECT_EQ(in.loanId, out.loanId);
    EXPECT_FALSE(GetStuffItem(ctx(), bike.id)->isOut());
    EXPECT_FALSE(GetStuffCheckout(ctx(), bike.id));
    EXPECT_TRUE(GetItemsRented(ctx()).empty());

    // A second, shorter loan; the first keeps its return and charge.
    ASSERT_TRUE(CheckOutItem(ctx(), bike.id, loan(due.addDays(1), {}, "Karl Bell", "9")).done);
    env.clock.set(QDateTime(due.addDays(1), QTime(8, 0)));
    ASSERT_TRUE(CheckInItem(ctx(), bike.id).done);
    const auto history = GetStuffHistory(ctx(), bike.id);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].renterName, "Lena Ortiz");
    EXPECT_EQ(history[0].returnDate, "2026/03/17");
    EXPECT_EQ(history[0].returnTime, "04:05 PM");
    EXPECT_EQ(history[0].returnTimeSort, "1605");
    EXPECT_DOUBLE_EQ(history[0].charge, 30);
    EXPECT_EQ(history[1].renterName, "Karl Bell");
    EXPECT_DOUBLE_EQ(history[1].charge, 10);

    const auto found = GetStuffSearch(ctx(), due, due.addDays(1), false);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(SearchCells(found[0]).join("|"), "03/14/2026|09:30 AM|03/17/2026|04:05 PM|" +
                                                   QString::number(bike.id) +
                                                   "|City Bike|Lena Ortiz|412|30.00");
    EXPECT_EQ(SearchTotalCells(found).mid(7), (QStringList{"TOTAL:", "40.00"}));
    // By check-out day, and by category.
    EXPECT_EQ(GetStuffSearch(ctx(), today(), today(), true).size(), 0u); // both went out earlier
    EXPECT_EQ(GetStuffSearch(ctx(), QDate(2026, 3, 14), QDate(2026, 3, 14), true).size(), 1u);
    EXPECT_TRUE(GetStuffSearch(ctx(), due, due.addDays(1), false, umbrellas).empty());
    EXPECT_EQ(GetStuffSearch(ctx(), due, due.addDays(1), false, bikes).size(), 2u);
}

TEST_F(RentalLoan, HourlyChargesCountHourBoundariesAndOnlyTheOpenLoanIsRecharged) {
    const QDate d(2026, 3, 14);
    EXPECT_EQ(
        RentalUnits(StuffType::Hourly, QDateTime(d, QTime(10, 59)), QDateTime(d, QTime(11, 1))), 1);
    EXPECT_EQ(
        RentalUnits(StuffType::Hourly, QDateTime(d, QTime(10, 0)), QDateTime(d, QTime(10, 59))), 0);
    EXPECT_EQ(RentalUnits(StuffType::Hourly, QDateTime(d, QTime(23, 30)),
                          QDateTime(d.addDays(1), QTime(0, 10))),
              1);
    EXPECT_EQ(RentalUnits(StuffType::Daily, QDateTime(d, QTime(23, 59)),
                          QDateTime(d.addDays(1), QTime(0, 1))),
              1);
    EXPECT_EQ(ShownCharge(0.5), ".50");
    EXPECT_EQ(ShownCharge(1234.5), "1,234.50");

    const StuffItem kayak = item(StuffType::Hourly, "Bikes", "Kayak", 4, 12.5);
    // The first loan of the day is closed; the second stays open.
    env.clock.set(QDateTime(d, QTime(8, 0)));
    ASSERT_TRUE(CheckOutItem(ctx(), kayak.id, loan(d, "10:00 AM")).done);
    ASSERT_TRUE(CheckInItem(ctx(), kayak.id).done);
    env.clock.set(QDateTime(d, QTime(10, 59)));
    const RentalOutcome out = CheckOutItem(ctx(), kayak.id, loan(d, "11:01 AM"));
    ASSERT_TRUE(out.done);
    EXPECT_DOUBLE_EQ(out.charge, 12.5);

    // Later: three boundaries from 10:59.
    RentalOutcome later = ChangeItemDate(ctx(), kayak.id, loan(d, "1:15 PM"));
    ASSERT_TRUE(later.done);
    EXPECT_DOUBLE_EQ(later.charge, 37.5);
    EXPECT_EQ(GetStuffItem(ctx(), kayak.id)->returnTimeSort, "1315");
    // A moment before the check-out gives no new charge.
    const RentalOutcome earlier = ChangeItemDate(ctx(), kayak.id, loan(d, "9:00 AM"));
    ASSERT_TRUE(earlier.done);
    EXPECT_DOUBLE_EQ(GetStuffCheckout(ctx(), kayak.id)->charge, 37.5);
    EXPECT_EQ(GetStuffItem(ctx(), kayak.id)->returnTime, "09:00 AM");
    const auto history = GetStuffHistory(ctx(), kayak.id);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_DOUBLE_EQ(history[0].charge, 25); // 08:00 to 10:00, untouched
    EXPECT_TRUE(history[1].isOpen());

    // An hourly item needs a time; a changed date of an item that is in is refused.
    EXPECT_EQ(ChangeItemDate(ctx(), kayak.id, loan(d, "")).refusal.message, MsgRentalReturnTime);
    ASSERT_TRUE(CheckInItem(ctx(), kayak.id).done);
    EXPECT_EQ(ChangeItemDate(ctx(), kayak.id, loan(d, "1:00 PM")).refusal.message, MsgRentalNotOut);
}

TEST_F(RentalLoan, CheckOutAndCheckInRefuseInTheScreensOrder) {
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 1, 10);
    const StuffItem display = item(StuffType::Daily, "Bikes", "Display Bike", 0, 10);
    const QDate due = today().addDays(1);
    struct Case {
        qint64 id;
        TypedLoan typed;
        QString message, field;
    } cases[] = {
        {display.id, loan(due), MsgRentalPeriod, "txtRentalDays"},
        {bike.id, loan(due, {}, " ", "412"), MsgRentalName, "txtRenterName"},
        {bike.id, loan(due, {}, "Lena", ""), MsgRentalRoom, "txtRoomNumber"},
        {bike.id, {"Lena", "412", "02/30/2026", {}, {}}, MsgRentalReturnDate, "txtReturnDate"},
        {bike.id, loan(due, "25:00"), MsgRentalReturnTime, "txtReturnTime"},
    };
    for (const Case& c : cases) {
        const RentalOutcome o = CheckOutItem(ctx(), c.id, c.typed);
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.refusal.message, c.message);
        EXPECT_EQ(o.refusal.field, c.field);
    }
    EXPECT_EQ(CheckInItem(ctx(), bike.id).refusal.message, MsgRentalNotOut);

    setRight(member, Rights::OthersRentalsCheckOut, false);
    EXPECT_EQ(CheckOutItem(ctx(), bike.id, loan(due)).refusal.message, MsgRentalCheckOutRefused);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [StuffArch]"), 0);
    setRight(member, Rights::OthersRentalsCheckOut, true);

    ASSERT_TRUE(CheckOutItem(ctx(), bike.id, loan(due)).done);
    // A second check-out keeps the first renter and opens no second loan.
    EXPECT_EQ(CheckOutItem(ctx(), bike.id, loan(due, {}, "Karl Bell")).refusal.message,
              MsgRentalAlreadyOut);
    EXPECT_EQ(GetStuffItem(ctx(), bike.id)->renterName, "Lena Ortiz");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [StuffArch]"), 1);
    // Out items are not deleted; without right 11 nothing is checked in.
    EXPECT_EQ(DeleteStuffItem(ctx(), bike.id), MsgRentalOutNoDelete);
    setRight(member, Rights::OthersRentalsCheckIn, false);
    EXPECT_EQ(CheckInItem(ctx(), bike.id).refusal.message, MsgRentalCheckInRefused);
    EXPECT_TRUE(GetStuffItem(ctx(), bike.id)->isOut());
    // A manager passes the rights.
    env.logOn(manager);
    ASSERT_TRUE(CheckInItem(ctx(), bike.id).done);
    EXPECT_EQ(DeleteStuffItem(ctx(), bike.id), "");
    EXPECT_FALSE(GetStuffItem(ctx(), bike.id));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [StuffArch]"), 0);
    EXPECT_EQ(DeleteStuffItem(ctx(), bike.id), MsgRentalGone);
}

TEST_F(RentalLoan, TwoDesksCheckingOutOneItemLendItOnce) {
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 1, 10);
    constexpr int Tries = 30;
    std::barrier sync(3);
    std::mutex opening;
    std::vector<std::array<bool, 2>> won(Tries);
    const auto desk = [&](int who) {
        std::unique_ptr<OtherDesk> d;
        {
            const std::lock_guard<std::mutex> one(opening);
            d = std::make_unique<OtherDesk>(env, member);
        }
        for (int i = 0; i < Tries; ++i) {
            sync.arrive_and_wait();
            try {
                won[size_t(i)][size_t(who)] =
                    CheckOutItem(d->ctx, bike.id, loan(today().addDays(1), {}, who ? "B" : "A"))
                        .done;
            } catch (const std::exception&) {
                won[size_t(i)][size_t(who)] = false;
            }
            sync.arrive_and_wait();
        }
    };
    std::thread a(desk, 0), b(desk, 1);
    QStringList faults;
    for (int i = 0; i < Tries; ++i) {
        sync.arrive_and_wait();
        sync.arrive_and_wait();
        const int loans = count("SELECT COUNT(*) FROM [StuffArch] WHERE [ReturnDate] IS NULL");
        if (int(won[size_t(i)][0]) + int(won[size_t(i)][1]) != 1 || loans != 1)
            faults << QString("try %1: %2 %3, %4 open loans")
                          .arg(i)
                          .arg(won[size_t(i)][0])
                          .arg(won[size_t(i)][1])
                          .arg(loans);
        if (!CheckInItem(ctx(), bike.id).done) faults << QString("try %1: not out").arg(i);
    }
    a.join();
    b.join();
    EXPECT_TRUE(faults.isEmpty()) << faults.mid(0, 5).join("\n").toStdString();
}

} // namespace
