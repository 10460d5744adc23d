#pragma once
// A property with two rental categories and a desk member logged on (the
// main window's member and manager), with helpers to add catalogue items.

#include "app/DeskFixture.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/LogbookFixture.h" // OtherDesk, control(), click()
#include "operations/Rentals.h"
#include "support/TestEnv.h"

namespace vm::test {

class RentalFixture : public DeskFixture {
protected:
    void SetUp() override {
        DeskFixture::SetUp();
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

    int count(const QString& sql, const QVariantList& params = {}) {
        return env.db().scalar(sql, params).toInt();
    }

    QDate today() const { return env.clock.today(); }

    qint64 umbrellas = 0, bikes = 0;
};

} // namespace vm::test
