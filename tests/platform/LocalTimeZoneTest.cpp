// Naming the local zone for the C library must not change what any local time
// reads as, for the C library or for Qt.


#include "platform/LocalTimeZone.h"
#include <QTimeZone>
#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace {
// The local offsets of an instant every ten days and six hours over two years.
std::vector<long> localOffsets() {
    std::vector<long> out;
    for (std::time_t t = 1767225600; t < 1767225600 + 2 * 366 * 86400; t += 10 * 86400 + 6 * 3600) {
        std::tm parts{};
        localtime_r(&t, &parts);
        out.push_back(parts.tm_gmtoff);
    }
    return out;
}
} // namespace

TEST(LocalTimeZone, PinningKeepsTheMachinesZoneAndLeavesAChosenOneAlone) {
    qunsetenv("TZ");
    tzset();
    const std::vector<long> unset = localOffsets();
    const QByteArray qtZone = QTimeZone::systemTimeZoneId();

    vm::PinLocalTimeZone();
    EXPECT_EQ(qgetenv("TZ"), ":/etc/localtime");
    EXPECT_EQ(localOffsets(), unset);
    EXPECT_EQ(QTimeZone::systemTimeZoneId(), qtZone);

    qputenv("TZ", "America/New_York");
    tzset();
    vm::PinLocalTimeZone();
    EXPECT_EQ(qgetenv("TZ"), "America/New_York");
    std::time_t summer = 1783000000; // July 2026
    std::tm parts{};
    localtime_r(&summer, &parts);
    EXPECT_EQ(parts.tm_gmtoff, -4 * 3600);
}
