#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "platform/Clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

TEST(CleanSqlText, StoredForms) {
    const QList<std::tuple<QString, QString, QString>> cases = {
        // typed, CleanSqlText, CleanSqlTextKeepAmp
        {"", " ", " "},
        {"    ", " ", " "},
        {"  Ritz  ", "Ritz", "Ritz"},
        {"the \"Blue\" & Co", "the 'Blue' and Co", "the 'Blue' & Co"},
        {"a|b", "a!b", "a!b"},
        {"O'Brien", "O'Brien", "O'Brien"},
        {"&", "and", "&"},
    };
    for (const auto& [typed, clean, keepAmp] : cases) {
        EXPECT_EQ(CleanSqlText(typed), clean) << typed.toStdString();
        EXPECT_EQ(CleanSqlTextKeepAmp(typed), keepAmp) << typed.toStdString();
    }
}

TEST(CleanSqlText, AmpersandsInCaptionsRoundTrip) {
    EXPECT_EQ(EscapeAmpersand("Bed & Breakfast"), "Bed && Breakfast");
    EXPECT_EQ(UnescapeAmpersand(EscapeAmpersand("A & B && C")), "A & B && C");
}

TEST(ConvertTimeStringToDate, OnlyEightCharacterTimesConvert) {
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    EXPECT_EQ(ConvertTimeStringToDate("09:30 PM", clock), "2026/12/06 21:30:00");
    EXPECT_EQ(ConvertTimeStringToDate("12:05 AM", clock), "2026/12/06 00:05:00");
    EXPECT_EQ(ConvertTimeStringToDate("9:30 PM", clock), "");
    EXPECT_EQ(ConvertTimeStringToDate("99:30 PM", clock), "");
    EXPECT_EQ(ConvertTimeStringToDate("", clock), "");
}

TEST(ErrorReport, BothWordings) {
    EXPECT_EQ(
        ErrorReportText(3051, "locked", "OpenDatabase", "modWhereDB"),
        "Error: 3051\r\nOccurred at:  OpenDatabase of Module modWhereDB\r\nDescription:locked");
    EXPECT_EQ(ErrorReportText(5, "x", "cmdOK_Click", "frmLogon", true),
              "Error: 5\r\nOccurred at:  cmdOK_Click of Form frmLogon\r\nDescription:x");
    EXPECT_EQ(ErrorReportTextNew(94, "Invalid use of Null", "GetIt", "modDatabase"),
              "Error 94 (Invalid use of Null)\r\nProcedure: GetIt of Module modDatabase");
}

TEST(TextLog, SharedLogStartsWithItsHeaderLine) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(7, 5)));
    ASSERT_TRUE(LogMessage(folder, "User: Ann on: first", clock));
    clock.advanceSecs(3600);
    ASSERT_TRUE(LogMessage(folder, "User: Ann on: second", clock));
    QFile f(folder + "VelmS.mdb");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        QString::fromUtf8(f.readAll()),
        "Logging File Created 2026/12/06 07:05\r\nUser: Ann on: first\r\nUser: Ann on: second\r\n");
}

TEST(TextLog, MissingFolderIsReportedNotThrown) {
    FixedClock clock;
    EXPECT_FALSE(LogMessage("/nonexistent/velmora/", "line", clock));
}

TEST(TextLog, DebugLogResets) {
    QTemporaryDir dir;
    ASSERT_TRUE(LogDebug(dir.path(), "one"));
    ASSERT_TRUE(QFile::exists(dir.path() + "/Debug.Log"));
    ASSERT_TRUE(LogDebug(dir.path(), "reset"));
    EXPECT_FALSE(QFile::exists(dir.path() + "/Debug.Log"));
}

TEST(Formats, DatesTimesAndOldNumberPatterns) {
    const QDate d(2026, 3, 8);
    EXPECT_EQ(Formats::StoredDate(d), "2026/03/08");
    EXPECT_EQ(Formats::ShortDate(d), "03/08/2026");
    EXPECT_EQ(Formats::LongDate(d), "Sunday, March 8, 2026");
    EXPECT_EQ(Formats::Time12(QTime(21, 5)), "09:05 PM");
    EXPECT_EQ(Formats::ParseTime("9:05 pm"), QTime(21, 5));
    EXPECT_EQ(Formats::ParseStoredDate("2026/03/08"), d);
    EXPECT_FALSE(Formats::ParseStoredDate("03/08/2026").isValid());
    EXPECT_EQ(Formats::AuditStamp(QDateTime(d, QTime(14, 7))), "Sunday, 03/08/2026 at 02:07 pm");
    EXPECT_EQ(Formats::StoredDateTimeSeconds(QDateTime(d, QTime(14, 7, 9))), "2026/03/08 14:07:09");
    EXPECT_EQ(Formats::StoredDateTimeSeconds(QDateTime()), "");
    EXPECT_EQ(Formats::SyslogStamp(QDateTime(d, QTime(9, 5, 7))), "Mar 08 09:05:07");
    EXPECT_EQ(Formats::ParseTime12("12:05 AM"), QTime(0, 5));
    EXPECT_FALSE(Formats::ParseTime12("21:05").isValid());

    EXPECT_EQ(Formats::FormatNumber(0, "#,###.00"), ".00");
    EXPECT_EQ(Formats::FormatNumber(1234567.891, "#,###.00"), "1,234,567.89");
    EXPECT_EQ(Formats::FormatNumber(5, "0.00"), "5.00");
    EXPECT_EQ(Formats::FormatNumber(-12.5, "#,##0.0"), "-12.5");

    // Week boundaries are Sundays: Saturday → Sunday crosses one.
    EXPECT_EQ(Formats::DateDiff("ww", QDate(2026, 3, 7), QDate(2026, 3, 8)), 1);
    EXPECT_EQ(Formats::DateDiff("ww", QDate(2026, 3, 8), QDate(2026, 3, 14)), 0);
    EXPECT_EQ(Formats::DateDiff("m", QDate(2026, 1, 31), QDate(2026, 2, 1)), 1);
    EXPECT_EQ(Formats::DateDiff("yyyy", QDate(2025, 12, 31), QDate(2026, 1, 1)), 1);
    EXPECT_EQ(Formats::DateDiff("d", QDate(2026, 3, 1), QDate(2026, 2, 27)), -2);
}
