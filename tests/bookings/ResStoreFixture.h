#pragma once
// A logged-on desk on a fresh property, with helpers to set up reservation
// categories and items and to read the stored bookings back.

#include "bookings/Reservations.h"
#include "core/Formats.h"
#include "logbook/LogbookFixture.h" // OtherDesk: a second workstation
#include "support/TestEnv.h"

namespace vm::test {

class ResStoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(staffId);
    }

    AppContext& ctx() { return *env.ctx; }

    // A timed list open every day; items in the order given.
    ResCategory timed(const QString& name, const QString& from, const QString& through,
                      int intervalIndex, const QStringList& items = {}) {
        ResCategory c;
        c.category = name;
        c.kind = ResListKind::Timed;
        c.intervalIndex = intervalIndex;
        c.availableFrom = from;
        c.availableThrough = through;
        c.dayOfWeek = "SunMonTueWedThuFriSat";
        return saved(c, items);
    }
    // An item list open every day.
    ResCategory itemList(const QString& name, const QStringList& items, bool party = false,
                         double rowTotal = 0, bool spansDays = false) {
        ResCategory c;
        c.category = name;
        c.kind = ResListKind::Items;
        c.columnHeader = "Item";
        c.price = rowTotal;
        c.option[3] = party;
        c.option[4] = spansDays;
        c.dayOfWeek = "SunMonTueWedThuFriSat";
        return saved(c, items);
    }
    ResCategory saved(ResCategory& c, const QStringList& items) {
        EXPECT_EQ(CheckResType(c), "");
        SaveResType(ctx(), c);
        for (const QString& name : items) {
            ResItem i;
            i.itemName = name;
            EXPECT_EQ(CheckResItem(ctx(), c, i), "");
            SaveResItem(ctx(), c, i);
        }
        return c;
    }

    static ResBooking booking(const QDate& day, const QString& name, const QString& item,
                              const QString& from = {}, const QString& through = {},
                              const QString& priceOrParty = {}) {
        ResBooking b;
        b.date = Formats::ShortDate(day);
        b.name = name;
        b.item = item;
        b.fromSlot = from;
        b.throughSlot = through;
        b.priceOrParty = priceOrParty;
        return b;
    }

    // The category's stored bookings as "date|for|ListItem|AvailableHere|From|Through".
    QStringList stored(qint64 resTypeId) {
        QStringList out;
        for (const Row& r : env.db().query("SELECT * FROM [Reservation] WHERE [ResTypeID] = ? "
                                           "ORDER BY [ReservationID]",
                                           {resTypeId}))
            out << QStringList{r.text("ReservationDate"), r.text("ReservationFor"),
                               r.text("ListItem"),        r.text("AvailableHere"),
                               r.text("AvailableFrom"),   r.text("AvailableThrough")}
                       .join("|");
        return out;
    }
    int count(const QString& table, qint64 resTypeId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [" + table + "] WHERE [ResTypeID] = ?", {resTypeId})
            .toInt();
    }
    qint64 firstBooking(qint64 resTypeId) {
        return env.db()
            .scalar("SELECT MIN([ReservationID]) FROM [Reservation] WHERE [ResTypeID] = ?",
                    {resTypeId})
            .toLongLong();
    }

    TestEnv env;
    qint64 staffId = 0;
    // 2026/03/16 is a Monday.
    const QDate day{2026, 3, 16};
};

} // namespace vm::test
