// Times are read and written by hand for speed; they must agree with the Qt
// patterns they stand for, for every minute of the day and for odd input.

#include "core/Formats.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vm;

namespace {
const QLocale english(QLocale::English, QLocale::UnitedStates);

// What the patterns alone make of a typed time, in the order the desk tries them.
QTime byPatterns(const QString& s) {
    const QString t = s.trimmed().toUpper();
    for (const char* f :
         {"HH:mm", "hh:mm AP", "h:mm AP", "hh:mmAP", "h:mmAP", "HH:mm:ss", "hh:mm:ss AP", "H:mm"}) {
        const QTime time = english.toTime(t, f);
        if (time.isValid()) return time;
    }
    return {};
}
} // namespace

TEST(Formats, EveryMinuteIsWrittenAsItsPattern) {
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const QTime t(minute / 60, minute % 60, minute % 7);
        ASSERT_EQ(Formats::Time12(t), english.toString(t, "hh:mm AP"));
        ASSERT_EQ(Formats::Time24(t), t.toString("HH:mm"));
        ASSERT_EQ(Formats::Time12Lower(t), english.toString(t, "hh:mm ap"));
    }
    EXPECT_EQ(Formats::Time12(QTime(0, 5)), "12:05 AM");
    EXPECT_EQ(Formats::Time12(QTime(12, 0)), "12:00 PM");
    EXPECT_EQ(Formats::Time12Lower(QTime(23, 59)), "11:59 pm");
    EXPECT_EQ(Formats::Time12(QTime()), english.toString(QTime(), "hh:mm AP"));
    EXPECT_EQ(Formats::Time24(QTime()), "");
    EXPECT_EQ(Formats::Time12Lower(QTime()), "");
}

TEST(Formats, EveryTypedFormOfEveryMinuteReadsAsThePatternsReadIt) {
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const int h = minute / 60, m = minute % 60, h12 = h % 12 == 0 ? 12 : h % 12;
        const QString mm = QString::number(m).rightJustified(2, '0');
        const QString half = h < 12 ? "AM" : "PM";
        const QStringList typed = {
            QString::number(h).rightJustified(2, '0') + ":" + mm,
            QString::number(h) + ":" + mm,
            QString::number(h12).rightJustified(2, '0') + ":" + mm + " " + half,
            QString::number(h12) + ":" + mm + " " + half.toLower(),
            QString::number(h12) + ":" + mm + half,
            " " + QString::number(h12).rightJustified(2, '0') + ":" + mm + half.toLower() + " ",
        };
        for (const QString& s : typed) {
            SCOPED_TRACE(s.toStdString());
            ASSERT_EQ(Formats::ParseTime(s), byPatterns(s));
            ASSERT_TRUE(Formats::ParseTime(s).isValid());
        }
    }
}

TEST(Formats, OddTypedTimesReadAsThePatternsReadThem) {
    const char* odd[] = {"",         " ",        "24:00",     "23:60",    "00:00 AM", "13:05 PM",
                         "12:00 AM", "12:00 PM", "0:15 am",   "7:5",      "7:05 XM",  "7:05 A",
                         "07:05  PM", "07:05 PMX", "1:2:3",   "ab:cd",    "7:05:30",  "07:05:30 PM",
                         "19:05:00", "9:00 p.m.", "１２:００", "12:00AMX", "-1:00",    "+7:05",
                         "7 :05",    "07:05\tPM", "99:99",    "7:059",    ":",        "12:"};
    for (const char* s : odd) {
        SCOPED_TRACE(s);
        EXPECT_EQ(Formats::ParseTime(QString::fromUtf8(s)), byPatterns(QString::fromUtf8(s)));
    }
}
