#include "SecurityFixture.h"
#include "core/Databases.h"
#include "core/Settings.h"
#include "security/Logon.h"

using namespace vm;
using namespace vm::test;

namespace {
// The security switches as the globals hold them after the open.
struct SecurityLevels {
    bool lockout, complexity, expiry, idleLogoff, guestDisabled, enhanced;
    int threshold, idleMinutes, passwordDays;
    bool operator==(const SecurityLevels&) const = default;
};

SecurityLevels levels(AppContext& ctx) {
    const Globals& g = ctx.globals;
    return {g.security2,
            g.security3,
            g.security4,
            g.security5,
            GetBooleanSetting(ctx.db(), "GuestDisabled"),
            GetBooleanSetting(ctx.db(), "EnhancedEncryption"),
            g.futureD4,
            g.inactiveMinutes,
            g.passwordDays};
}
} // namespace

TEST_F(SecurityTest, NewPropertyStartsWithSecureSettings) {
    EXPECT_EQ(levels(ctx()), (SecurityLevels{true, true, true, true, true, true, 3, 15, 90}));
    // The guest is turned away as an inactive account.
    EXPECT_EQ(CheckLogon(ctx(), "guest", "").result, LogonResult::Inactive);
    EXPECT_FALSE(ctx().session.loggedOn());
}

TEST_F(SecurityTest, ExistingPropertyKeepsItsOwnSecuritySettings) {
    db().exec("UPDATE [Authorization] SET [Security2] = ?, [Security3] = ?, [Security4] = ?, "
              "[Security5] = ?, [DisableGuest] = ?, [FutureD4] = 5, [InactiveMinutes] = 40, "
              "[PasswordDays] = 120",
              {false, false, false, false, false});
    CloseDatabase(ctx());
    ASSERT_EQ(env.open(), 0);
    EXPECT_EQ(levels(ctx()), (SecurityLevels{false, false, false, false, false, true, 5, 40, 120}));
}
