// The short date is put together by hand for speed; it must read exactly as
// the pattern "MM/dd/yyyy" does, at the edges of the calendar too.

#include "core/Formats.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(Formats, ShortDateReadsAsItsPatternAcrossTheCalendar) {
    const QDate dates[] = {{2026, 3, 8},   {2024, 2, 29}, {1999, 12, 31}, {2000, 1, 1},
                           {1, 1, 1},      {999, 7, 4},   {1000, 10, 10}, {9999, 12, 31},
                           {10000, 1, 1},  {-5, 6, 7},    {1900, 11, 30}};
    for (const QDate& d : dates) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(Formats::ShortDate(d), d.toString("MM/dd/yyyy"));
    }
    for (QDate d(2025, 12, 25); d < QDate(2026, 3, 1); d = d.addDays(1))
        ASSERT_EQ(Formats::ShortDate(d), d.toString("MM/dd/yyyy"));
    EXPECT_EQ(Formats::ShortDate(QDate()), "");
    EXPECT_EQ(Formats::ShortDate(QDate(2026, 3, 8)), "03/08/2026");
}
