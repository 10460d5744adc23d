// Two desks booking at the same moment, each on its own connection: the
// second always sees the first's booking.

#include "bookings/ResStoreFixture.h"

#include <array>
#include <barrier>
#include <mutex>
#include <thread>

using namespace vm;
using namespace vm::test;

namespace {

class ResStoreRace : public ResStoreFixture {};

struct Outcome {
    ResBookStatus status = ResBookStatus::Refused;
    QString message;
};

Outcome attempt(AppContext& ctx, const ResCategory& c, const ResBooking& b) {
    try {
        const ResBookResult r = BookReservation(ctx, c, b);
        return {r.status, r.message};
    } catch (const std::exception& e) {
        return {ResBookStatus::Refused, "error: " + QString::fromUtf8(e.what())};
    }
}

// One booked, the other told why not.
QString judge(const std::array<Outcome, 2>& o, ResBookStatus loser, const QString& message) {
    const int winner = o[0].status == ResBookStatus::Booked ? 0 : 1;
    const Outcome& other = o[1 - winner];
    if (o[winner].status == ResBookStatus::Booked && other.status == loser &&
        other.message == message)
        return {};
    return QString("%1 '%2' / %3 '%4'")
        .arg(int(o[0].status))
        .arg(o[0].message)
        .arg(int(o[1].status))
        .arg(o[1].message);
}

TEST_F(ResStoreRace, TwoDesksRacingForOneCellOrTheLastPlaceBookItOnce) {
    const ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1"});
    const ResCategory shuttle = itemList("Shuttle", {"Airport"}, true, 2);
    constexpr int Tries = 100;
    std::vector<std::array<Outcome, 2>> cell(Tries), place(Tries);
    std::barrier sync(3);
    std::mutex opening;

    const auto desk = [&](int who) {
        std::unique_ptr<OtherDesk> d;
        try {
            const std::lock_guard<std::mutex> one(opening);
            d = std::make_unique<OtherDesk>(env, staffId);
        } catch (const std::exception&) {
        }
        const QString name = who == 0 ? "Desk A" : "Desk B";
        for (int i = 0; i < Tries; ++i) {
            sync.arrive_and_wait();
            if (d)
                cell[i][who] = attempt(d->ctx, courts, booking(day, name, "Court 1", "09:00 AM"));
            sync.arrive_and_wait();
            if (d)
                place[i][who] =
                    attempt(d->ctx, shuttle, booking(day, name, "Airport", {}, {}, "1"));
            sync.arrive_and_wait();
        }
    };
    std::thread a(desk, 0), b(desk, 1);

    QStringList faults;
    for (int i = 0; i < Tries; ++i) {
        env.db().exec("DELETE FROM [Reservation]");
        // One of the shuttle's two places is taken before the desks race for the other.
        const ResBookResult first =
            BookReservation(ctx(), shuttle, booking(day, "Early", "Airport", {}, {}, "1"));
        if (first.status != ResBookStatus::Booked) faults << "setup";
        sync.arrive_and_wait();
        sync.arrive_and_wait();
        sync.arrive_and_wait();
        const int cellRows = count("Reservation", courts.id);
        const int placeRows = count("Reservation", shuttle.id);
        const QString c = judge(cell[i], ResBookStatus::Refused, MsgResSegmentBooked);
        const QString p = judge(place[i], ResBookStatus::OverLimit, MsgResOverLimit);
        if (!c.isEmpty() || cellRows != 1)
            faults << QString("cell %1: %2 rows %3").arg(i).arg(c).arg(cellRows);
        if (!p.isEmpty() || placeRows != 2)
            faults << QString("place %1: %2 rows %3").arg(i).arg(p).arg(placeRows);
    }
    a.join();
    b.join();
    EXPECT_TRUE(faults.isEmpty()) << faults.mid(0, 5).join("\n").toStdString();
}

TEST_F(ResStoreRace, TwoDesksCountingTurnedAwayGuestsLoseNoRequest) {
    const ResCategory courts = timed("Tennis", "09:00 AM", "12:00 PM", 1, {"Court 1"});
    constexpr int Each = 50;
    std::barrier sync(2);
    std::mutex opening;
    std::array<QString, 2> errors;
    const auto desk = [&](int who) {
        std::unique_ptr<OtherDesk> d;
        {
            const std::lock_guard<std::mutex> one(opening);
            d = std::make_unique<OtherDesk>(env, staffId);
        }
        sync.arrive_and_wait();
        try {
            for (int i = 0; i < Each; ++i)
                IncrementUnavailability(d->ctx, courts.id, day);
        } catch (const std::exception& e) {
            errors[size_t(who)] = QString::fromUtf8(e.what());
        }
    };
    std::thread a(desk, 0), b(desk, 1);
    a.join();
    b.join();
    EXPECT_EQ(errors, (std::array<QString, 2>{}));
    EXPECT_EQ(count("ResTrackUn", courts.id), 1);
    EXPECT_EQ(IncrementUnavailability(ctx(), courts.id, day), 2 * Each + 1);
}

} // namespace
