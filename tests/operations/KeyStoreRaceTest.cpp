// Two desks lending the same key at the same moment, each on its own
// connection: one lends it, the other is told, and one loan is recorded.

#include "logbook/LogbookFixture.h" // OtherDesk: a second workstation
#include "operations/KeyStoreFixture.h"

#include <barrier>
#include <mutex>
#include <thread>

using namespace vm;
using namespace vm::test;

namespace {

class KeyStoreRace : public KeyStoreFixture {};

KeyLendResult attempt(AppContext& ctx, qint64 keyId, qint64 employeeId) {
    try {
        return KeyCheckOut(ctx, keyId, employeeId);
    } catch (const std::exception& e) {
        KeyLendResult r;
        r.message = "error: " + QString::fromUtf8(e.what());
        return r;
    }
}

TEST_F(KeyStoreRace, TwoDesksLendingOneKeyLendItOnce) {
    const qint64 staff = env.db().scalar("SELECT MIN([ConciergeID]) FROM [Concierge]").toLongLong();
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 bob = employee("Bob Valet", "18");
    const qint64 master = key("M1");
    KeySaveAssignments(ctx(), ann, {master});
    KeySaveAssignments(ctx(), bob, {master});

    constexpr int Tries = 40;
    std::vector<std::array<KeyLendResult, 2>> results(Tries);
    std::barrier sync(3);
    std::mutex opening;
    const auto desk = [&](int who) {
        std::unique_ptr<OtherDesk> d;
        try {
            const std::lock_guard<std::mutex> one(opening);
            d = std::make_unique<OtherDesk>(env, staff);
        } catch (const std::exception&) {
        }
        for (int i = 0; i < Tries; ++i) {
            sync.arrive_and_wait();
            if (d) results[i][who] = attempt(d->ctx, master, who == 0 ? ann : bob);
            sync.arrive_and_wait();
        }
    };
    std::thread a(desk, 0), b(desk, 1);

    QStringList faults;
    for (int i = 0; i < Tries; ++i) {
        sync.arrive_and_wait(); // both desks lend
        sync.arrive_and_wait(); // both are done
        const auto& r = results[i];
        const int winners = int(r[0].done) + int(r[1].done);
        const QString loser = r[0].done ? r[1].message : r[0].message;
        const int open = env.db()
                             .scalar("SELECT COUNT(*) FROM [KeyHistory] WHERE [KeyStatus] = 'O'")
                             .toInt();
        if (winners != 1 || loser != kKeyAlreadyOut || open != 1)
            faults << QString("try %1: %2 lent, %3 open, '%4'")
                          .arg(i)
                          .arg(winners)
                          .arg(open)
                          .arg(loser);
        // Back in for the next try, from whichever desk won.
        if (winners >= 1) KeyCheckIn(ctx(), master, r[0].done ? ann : bob);
    }
    a.join();
    b.join();
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
    EXPECT_EQ(count("KeyHistory"), Tries);
}

} // namespace
