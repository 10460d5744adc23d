#pragma once
// A logged-on desk on a fresh property with helpers that file lost reports and
// found items and read the LostAndFound table back.

#include "core/Formats.h"
#include "logbook/LogbookFixture.h" // OtherDesk: a second workstation
#include "operations/LostFound.h"
#include "operations/PhotoStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace vm::test {

class LfStoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(staffId);
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    static QString day(int d, int month = 3) { return Formats::StoredDate(QDate(2026, month, d)); }

    LfItem lost(const QString& text, const QString& date, const QString& category = "Wallet",
                const QString& location = "Lobby") {
        LfItem i;
        i.itemText = text;
        i.category = category;
        i.lostLocation = location;
        i.lostDate = date;
        i.owner.firstName = "Mary";
        i.owner.lastName = "O'Brien";
        i.estValueLost = 25;
        EXPECT_EQ(LFCheckLostItem(i), "");
        LFInsertLostItem(ctx(), i);
        return i;
    }

    LfItem found(const QString& text, const QString& date, const QString& category = "Wallet",
                 const QString& location = "Lobby") {
        LfItem i;
        i.itemText = text;
        i.category = category;
        i.foundLocation = location;
        i.storedLocation = "Safe";
        i.disposition = "Donate";
        i.foundDate = date;
        i.finderName = "Tom Porter";
        i.tagNumber = "T-1";
        i.estValueFound = 40;
        EXPECT_EQ(LFCheckFoundItem(i), "");
        LFInsertFoundItem(ctx(), i);
        return i;
    }

    template <typename Item> static QList<qint64> ids(const std::vector<Item>& items) {
        QList<qint64> out;
        for (const Item& i : items)
            out << i.id;
        return out;
    }

    int count(const QString& status) {
        return db()
            .scalar("SELECT COUNT(*) FROM [LostAndFound] WHERE [ItemStatus] = ?", {status})
            .toInt();
    }

    // A small picture file outside the photo folder.
    QString picture(const QString& name, const char* format = "PNG") {
        const QString path = env.root() + "/" + name;
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace vm::test
