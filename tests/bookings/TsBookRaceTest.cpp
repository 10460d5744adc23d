// Two desks booking overlapping times of one provider at the same moment,
// each on its own connection: one booking is written, the other is told.

#include "bookings/TsBookFixture.h"

#include <array>
#include <barrier>
#include <thread>

using namespace vm;
using namespace vm::test;

namespace {

using TsBookRace = TsBookFixture;

TEST_F(TsBookRace, TwoDesksBookingOneProviderAtOnceGetOneBooking) {
    const qint64 rita = provider("Rita", week("1111111", "09:00", "17:00"));
    constexpr int tries = 100;
    std::barrier together(2);
    std::array<std::vector<TsSaveResult>, 2> results;
    std::array<QString, 2> failures;

    auto desk = [&](int which) {
        try {
            OtherDesk d(env, staffId);
            for (int i = 0; i < tries; ++i) {
                // 09:00-10:30 against 09:30-11:00, a new day each try.
                const TypedTsBooking t =
                    typed(TsMonday.addDays(i), which == 0 ? "09:00 AM" : "09:30 AM", 0, rita);
                together.arrive_and_wait();
                results[size_t(which)].push_back(SaveTimedService(d.ctx, 0, t));
            }
        } catch (const std::exception& e) {
            failures[size_t(which)] = QString::fromUtf8(e.what());
            together.arrive_and_drop();
        }
    };
    std::thread first(desk, 0), second(desk, 1);
    first.join();
    second.join();
    ASSERT_EQ(failures[0] + failures[1], "");

    for (int i = 0; i < tries; ++i) {
        const TsSaveResult& a = results[0][size_t(i)];
        const TsSaveResult& b = results[1][size_t(i)];
        ASSERT_NE(a.saved, b.saved) << "try " << i;
        EXPECT_EQ((a.saved ? b : a).message, MsgTsTaken) << "try " << i;
    }
    EXPECT_EQ(env.db()
                  .scalar("SELECT COUNT(*) FROM [TimedService] WHERE [ProviderID] = ?", {rita})
                  .toInt(),
              tries);
}

} // namespace
