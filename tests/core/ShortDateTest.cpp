// The short date is put together by hand for speed; it must read exactly as
// the pattern "MM/dd/yyyy" does, at the edges of the calendar too.

#include "core/Formats.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vm;

TEST(Formats, ShortDateReadsAsItsPatternAcrossTheCalendar) {
    const QDate dates[] = {{2026, 3, 8},  {2024, 2, 29}, {1999, 12, 31}, {2000, 1, 1},
                           {1, 1, 1},     {999, 7, 4},   {1000, 10, 10}, {9999, 12, 31},
                           {10000, 1, 1}, {-5, 6, 7},    {1900, 11, 30}};
    for (const QDate& d : dates) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(Formats::ShortDate(d), d.toString("MM/dd/yyyy"));
    }
    for (QDate d(2025, 12, 25); d < QDate(2026, 3, 1); d = d.addDays(1))
        ASSERT_EQ(Formats::ShortDate(d), d.toString("MM/dd/yyyy"));
    EXPECT_EQ(Formats::ShortDate(QDate()), "");
    EXPECT_EQ(Formats::ShortDate(QDate(2026, 3, 8)), "03/08/2026");
}

TEST(Formats, AStoredDayReadsAsItsShortDate) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"2026/03/08", "03/08/2026"},
                 {"2024/02/29", "02/29/2024"},
                 {"2023/02/29", ""},
                 {"2026/13/01", ""},
                 {"2026/00/10", ""},
                 {"0000/01/01", ""},
                 {"2026/3/8", ""},
                 {"2026-03-08", ""},
                 {" ", ""},
                 {"", ""},
                 {"2026/03/08 10:15", "03/08/2026"},
                 {"2O26/03/08", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Formats::ShortDateOfStored(c.stored), QString(c.shown));
        EXPECT_EQ(Formats::ShortDateOfStoredUtf8(c.stored), QString(c.shown));
    }
    EXPECT_EQ(Formats::ShortDateOfStoredUtf8("2026/0\xc3\xa9/08"), "");
    // The same as parsing the day and showing it, across a year.
    for (QDate d(2027, 1, 1); d < QDate(2028, 1, 1); d = d.addDays(1))
        ASSERT_EQ(Formats::ShortDateOfStored(Formats::StoredDate(d)), Formats::ShortDate(d));
}

TEST(Formats, NamedDateKnowsThePickedPatternNames) {
    const QDate d(2026, 3, 5);
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"Long Date", "Thursday, March 5, 2026"},
        {"Short Date", "03/05/2026"},
        {"Medium Date", "05-Mar-26"},
        {"MMMM DD, YYYY", "March 05, 2026"},
        {"mmmm dd, yyyy", "March 05, 2026"},
        {"DD/MM/YY", "05/03/26"},
        {"DD/MM/YYYY", "05/03/2026"},
        {"YYYY/MM/DD", "2026/03/05"},
        {"MM/DD/YY", "03/05/26"},
        {"DD.MM.YY", "05.03.26"},
        {"no such format", "Thursday, March 5, 2026"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Formats::NamedDate(d, c.name), c.expected) << c.name;
    EXPECT_EQ(Formats::NamedDate(QDate(), "DD.MM.YY"), "");
}

TEST(Formats, StoredDaysAndDayNamesReadAsQtsOwnPatterns) {
    // Written and read by hand; they must agree with the patterns they stand for.
    for (QDate d(2027, 1, 1); d < QDate(2028, 1, 8); d = d.addDays(1)) {
        ASSERT_EQ(Formats::StoredDate(d), d.toString("yyyy/MM/dd"));
        ASSERT_EQ(Formats::ParseStoredDate(Formats::StoredDate(d)), d);
        ASSERT_EQ(Formats::DayName(d), QLocale(QLocale::English).toString(d, "dddd"));
    }
    for (const QDate& d : {QDate(1, 1, 1), QDate(9999, 12, 31), QDate(10000, 1, 1), QDate()})
        EXPECT_EQ(Formats::StoredDate(d), d.isValid() ? d.toString("yyyy/MM/dd") : QString());
    EXPECT_EQ(Formats::DayName(QDate()), "");

    const char* typed[] = {"2026/03/08",  " 2026/03/08 ", "2026/03/08 10:15", "2024/02/29",
                           "2023/02/29",  "2026/13/01",   "0000/01/01",       "2026/3/8",
                           "2026-03-08",  "2O26/03/08",   "",                 "  ",
                           "2026/03/0",   "2026/03/08x"};
    for (const char* t : typed) {
        SCOPED_TRACE(t);
        const QDate qts = QDate::fromString(QString(t).trimmed().left(10), "yyyy/MM/dd");
        EXPECT_EQ(Formats::ParseStoredDate(t), qts);
        EXPECT_EQ(Formats::ParseStoredDateUtf8(t), qts);
    }
}
