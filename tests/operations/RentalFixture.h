#pragma once
// A property with two rental categories and a desk member logged on, with
// helpers to add catalogue items and set rights.

#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/LogbookFixture.h" // OtherDesk, control(), click()
#include "operations/Rentals.h"
#include "support/TestEnv.h"

namespace vm::test {

class RentalFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        member = env.addStaff("Ann Desk", "ann", "AD");
        manager = env.addStaff("Max Major", "max", "MM", true);
        env.logOn(member);
        umbrellas = category("Umbrellas");
        bikes = category("Bikes");
    }

    AppContext& ctx() { return *env.ctx; }

    qint64 category(const QString& name) {
        return env.db().insert("INSERT INTO [ResType] ([Category], [TypeOfList]) VALUES (?, 1)",
                               {name}, "ResTypeID");
    }

    StuffItem item(int type, const QString& cat, const QString& name, int days, double rate,
                   int par = 0, int onHand = 0) {
        StuffItem i;
        i.type = type;
        i.category = cat;
        i.itemName = name;
        i.itemNumber = "N-" + name.left(3);
        i.rentalDays = days;
        i.rentalCharge = rate;
        i.par = par;
        i.onHand = onHand;
        EXPECT_GT(SaveStuffItem(ctx(), i), 0);
        return i;
    }

    TypedLoan loan(const QDate& back, const QString& time = {}, const QString& name = "Lena Ortiz",
                   const QString& room = "412") {
        return {name, room, Formats::ShortDate(back), time, {}};
    }

    void setRight(qint64 who, const Right& right, bool allowed) {
        const QString column = RightsColumn(right.area);
        const QString rights =
            env.db()
                .scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                        {who})
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, right.position, allowed), who});
    }

    int count(const QString& sql, const QVariantList& params = {}) {
        return env.db().scalar(sql, params).toInt();
    }

    QDate today() const { return env.clock.today(); }

    TestEnv env;
    qint64 member = 0, manager = 0;
    qint64 umbrellas = 0, bikes = 0;
};

} // namespace vm::test
