#pragma once
// A logged-on desk on a fresh property with helpers to add keys and
// employees, lend keys at a chosen time and read the loan history back.

#include "core/Formats.h"
#include "operations/KeyControl.h"
#include "support/TestEnv.h"

#include <QFile>

namespace vm::test {

class KeyStoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.logOn(env.addStaff("Ann Desk", "ann", "AD"));
    }

    AppContext& ctx() { return *env.ctx; }

    qint64 key(const QString& number, int duration = 4, const QString& unit = "Hours",
               const QString& group = "Master") {
        KeyRecord k;
        k.keyNumber = number;
        k.groupName = group;
        k.description = "Key " + number;
        k.outDuration = duration;
        k.outHoursDays = unit;
        EXPECT_EQ(KeyInsertKey(ctx(), k), "");
        return k.id;
    }
    qint64 employee(const QString& name, const QString& number) {
        KeyEmployeeRecord e;
        e.name = name;
        e.number = number;
        e.jobTitle = "Bell Captain";
        EXPECT_EQ(KeyInsertEmployee(ctx(), e), "");
        return e.id;
    }
    void at(int year, int month, int day, int hour, int minute) {
        env.clock.set(QDateTime(QDate(year, month, day), QTime(hour, minute)));
    }
    KeyLendResult lend(qint64 keyId, qint64 employeeId) {
        const KeyLendResult r = KeyCheckOut(ctx(), keyId, employeeId);
        EXPECT_TRUE(r.done) << r.message.toStdString();
        return r;
    }
    KeyLendResult takeBack(qint64 keyId, qint64 employeeId) {
        const KeyLendResult r = KeyCheckIn(ctx(), keyId, employeeId);
        EXPECT_TRUE(r.done) << r.message.toStdString();
        return r;
    }

    // The key's history as "status|out|due|back|minutes", oldest first.
    QStringList history(qint64 keyId) {
        QStringList out;
        for (const Row& r : env.db().query("SELECT * FROM [KeyHistory] WHERE [KeyMasterID] = ? "
                                           "ORDER BY [KeyHistoryID]",
                                           {keyId}))
            out << QStringList{r.text("KeyStatus"), r.text("DateTimeOut"), r.text("DateTimeDue"),
                               r.isNull("DateTimeBack") ? "NULL" : r.text("DateTimeBack"),
                               r.isNull("MinutesFromDue") ? "NULL"
                                                          : r.text("MinutesFromDue")}
                       .join("|");
        return out;
    }
    int count(const QString& table) {
        return env.db().scalar("SELECT COUNT(*) FROM [" + table + "]").toInt();
    }
    void writeFile(const QString& name, const QByteArray& text) {
        QFile f(ctx().workstation.outputFolder() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    TestEnv env;
};

} // namespace vm::test
