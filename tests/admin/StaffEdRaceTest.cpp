// Two desks each taking the manager switch from one of the last two managers
// at the same moment: one save goes through, the other is refused.

#include "StaffEdFixture.h"
#include "logbook/LogbookFixture.h" // OtherDesk: a second workstation

#include <barrier>
#include <thread>

namespace vm::test {

using StaffEdRace = StaffEdFixture;

TEST_F(StaffEdRace, TheLastTwoManagersCannotBothBeDemoted) {
    db().exec("UPDATE [Concierge] SET [Authorized] = ? WHERE [ConciergeID] = ?", {true, ann});
    constexpr int Tries = 12;
    std::vector<std::array<int, 2>> saved(Tries, {0, 0});
    std::barrier sync(3);
    const auto desk = [&](int who) {
        OtherDesk d(env, who == 0 ? boss : ann);
        for (int i = 0; i < Tries; ++i) {
            sync.arrive_and_wait();
            try {
                std::optional<StaffMember> m = LoadStaffMember(d.ctx, who == 0 ? ann : boss);
                m->manager = false;
                saved[i][who] = SaveStaffMember(d.ctx, *m).saved() ? 1 : 0;
            } catch (const std::exception&) {
                saved[i][who] = -1;
            }
            sync.arrive_and_wait();
        }
    };
    std::thread a(desk, 0), b(desk, 1);
    QStringList faults;
    for (int i = 0; i < Tries; ++i) {
        sync.arrive_and_wait(); // both desks save
        sync.arrive_and_wait(); // both are done
        const int managers = ActiveManagersBesides(db(), 0);
        if (saved[i][0] + saved[i][1] != 1 || managers != 1)
            faults << QString("try %1: %2 + %3 saved, %4 managers")
                          .arg(i)
                          .arg(saved[i][0])
                          .arg(saved[i][1])
                          .arg(managers);
        db().exec("UPDATE [Concierge] SET [Authorized] = ? WHERE [ConciergeID] IN (?, ?)",
                  {true, boss, ann});
    }
    a.join();
    b.join();
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

} // namespace vm::test
