#include "desk/MessageRules.h"

#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

TEST(MessagingRules, PresetStepsToTheNextTimeAndTomorrowOncePassed) {
    const QDate today(2026, 3, 14);
    const QDate tomorrow = today.addDays(1);
    struct Case {
        QTime now, shown;
        QDateTime expected;
    };
    const Case cases[] = {
        {QTime(4, 0), QTime(4, 0), {today, QTime(5, 0)}},
        {QTime(4, 0), QTime(5, 0), {today, QTime(11, 0)}},
        {QTime(9, 30), QTime(9, 30), {today, QTime(11, 0)}},
        {QTime(9, 30), QTime(11, 0), {today, QTime(15, 0)}},
        {QTime(9, 30), QTime(15, 0), {tomorrow, QTime(5, 0)}},
        {QTime(9, 30), QTime(16, 10), {tomorrow, QTime(5, 0)}},
        {QTime(9, 30), QTime(), {tomorrow, QTime(5, 0)}},
        {QTime(11, 0), QTime(5, 0), {tomorrow, QTime(11, 0)}},
        {QTime(18, 0), QTime(11, 0), {tomorrow, QTime(15, 0)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextPresetDelivery(QDateTime(today, c.now), c.shown), c.expected)
            << c.now.toString().toStdString() << " " << c.shown.toString().toStdString();
}

TEST(MessagingRules, ReminderInputIsCheckedDateFirstAndKeptToTheMinute) {
    struct Case {
        QString date, time, refusal;
        QDateTime due;
    };
    const Case cases[] = {
        {"03/14/2026", "10:20 AM", "", {QDate(2026, 3, 14), QTime(10, 20)}},
        {"3/14/2026", "22:05", "", {QDate(2026, 3, 14), QTime(22, 5)}},
        {"02/30/2026", "10:20 AM", MsgRemindDate, {}},
        {"", "", MsgRemindDate, {}},
        {"03/14/2026", "", MsgRemindTime, {}},
        {"03/14/2026", "24:00", MsgRemindTime, {}},
    };
    for (const Case& c : cases) {
        const TypedDue t = ParseReminder(c.date, c.time);
        EXPECT_EQ(t.refusal, c.refusal) << c.date.toStdString() << " " << c.time.toStdString();
        EXPECT_EQ(t.due, c.due) << c.date.toStdString() << " " << c.time.toStdString();
    }
    EXPECT_EQ(MsgRemindDate,
              "Please enter a valid Date for message to be\r\n delivered.  Thank you.");
}

TEST(MessagingRules, ReminderProposalUsesResendIntervalOrFifteenMinutes) {
    TestEnv env;
    env.openOrFail();
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(23, 50, 42)));
    const std::pair<QVariant, QDateTime> cases[] = {
        {QVariant(), QDateTime(QDate(2026, 3, 15), QTime(0, 5))},
        {0, QDateTime(QDate(2026, 3, 15), QTime(0, 5))},
        {-5, QDateTime(QDate(2026, 3, 15), QTime(0, 5))},
        {5, QDateTime(QDate(2026, 3, 14), QTime(23, 55))},
        {90, QDateTime(QDate(2026, 3, 15), QTime(1, 20))},
    };
    for (const auto& [setting, expected] : cases) {
        env.db().exec("UPDATE [Authorization] SET [ResendInterval] = ?",
                      {setting.isValid() ? setting : QVariant(QMetaType::fromType<int>())});
        EXPECT_EQ(ProposedReminder(*env.ctx), expected) << setting.toString().toStdString();
    }
}
