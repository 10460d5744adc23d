// Closing records: a lost report matched with a found item, a found item
// handed back alone, the card of the return charge, and two desks at once.

#include "operations/LfStoreFixture.h"

#include "core/Settings.h"
#include "security/CardData.h"

#include <array>
#include <barrier>
#include <mutex>
#include <thread>

namespace vm::test {

class LfStoreMatchTest : public LfStoreFixture {
protected:
    LfClosing closing(qint64 lostId, qint64 foundId) {
        LfClosing c;
        c.lostId = lostId;
        c.foundId = foundId;
        c.disposition = "Returned";
        c.disposedDate = day(14);
        c.returnDate = day(14);
        c.returnMethod = "Courier";
        c.paymentMethod = "Card";
        c.returnCharge = 12.5;
        c.owner.firstName = "Mary";
        c.owner.lastName = "O'Brien";
        c.owner.city = "Cork";
        return c;
    }
    int historyRows(qint64 id) {
        return db()
            .scalar("SELECT COUNT(*) FROM [LostAndFoundHistory] WHERE [lfID] = ?", {id})
            .toInt();
    }
};

TEST_F(LfStoreMatchTest, MatchLeavesOneClosedRowCarryingTheFoundSide) {
    const auto list = CreateLostAndFoundUdCategory(ctx(), "Colour");
    const qint64 brown = CreateLostAndFoundUdCategoryItem(ctx(), list.id, "Brown").id;
    const LfItem l = lost("Wallet", day(10));
    LfItem f = found("Brown leather wallet", day(11));
    const LfItem opened = f;
    f.udCategory[0] = brown;
    f.photographName = "Item_1.png";
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), f, opened));
    ASSERT_EQ(historyRows(f.id), 2);

    LfClosing c = closing(l.id, f.id);
    c.typedCard = "4111 1111-1111 1111";
    const LfMatchResult r = LFMatchItem(ctx(), c);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.closedId, l.id);
    EXPECT_EQ(count(kLfClosed), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [LostAndFound]").toInt(), 1) << "found row gone";

    const LfItem d = *LFGetTheItem(ctx(), l.id);
    EXPECT_EQ(d.status, kLfClosed);
    EXPECT_EQ(d.itemText, "Brown leather wallet");
    EXPECT_EQ(d.lostDate, day(10));
    EXPECT_EQ(d.foundDate, day(11));
    EXPECT_EQ(d.finderName, "Tom Porter");
    EXPECT_EQ(d.tagNumber, "T-1");
    EXPECT_EQ(d.estValueLost, 25);
    EXPECT_EQ(d.estValueFound, 40);
    EXPECT_EQ(d.udCategory[0], brown);
    EXPECT_EQ(d.photographName, "Item_1.png");
    EXPECT_EQ(d.returnMethod, "Courier");
    EXPECT_EQ(d.returnCharge, 12.5);
    EXPECT_EQ(d.owner.city, "Cork");
    EXPECT_EQ(historyRows(l.id), 2) << "history moved to the closed record";
    EXPECT_EQ(historyRows(f.id), 0);
    // The card is kept enciphered only, and reads back as the digits.
    EXPECT_FALSE(d.encCC.isEmpty());
    // (a random cipher text may hold "4111" by chance; it never holds the number)
    EXPECT_FALSE(d.encCC.contains("4111111111111111"));
    EXPECT_EQ(DecryptCC(ctx(), d.encCC, QString::number(l.id)), "4111111111111111");
}

TEST_F(LfStoreMatchTest, FoundItemReturnedAloneBecomesTheClosedRecord) {
    const LfItem f = found("Umbrella", day(11));
    const LfMatchResult r = LFMatchItem(ctx(), closing(0, f.id));
    ASSERT_TRUE(r.ok);
    const LfItem d = *LFGetTheItem(ctx(), f.id);
    EXPECT_EQ(d.status, kLfClosed);
    EXPECT_EQ(d.owner.lastName, "O'Brien");
    EXPECT_TRUE(d.encCC.isEmpty());
    // Closed once: a second closing of the same item is refused.
    EXPECT_EQ(LFMatchItem(ctx(), closing(0, f.id)).message, kLfMsgFoundGone);
    EXPECT_EQ(LFMatchItem(ctx(), closing(0, 0)).message, kLfMsgNoItemSelected);
}

TEST_F(LfStoreMatchTest, ClosingChecksDatesMethodAndCard) {
    const LfItem f = found("Umbrella", day(11));
    LfClosing c = closing(0, f.id);
    c.disposedDate = "";
    EXPECT_EQ(LFCheckClosing(ctx(), c), kLfMsgDispositionDate);
    c.disposedDate = day(14);
    c.returnDate = "2026/13/01";
    EXPECT_EQ(LFCheckClosing(ctx(), c), kLfMsgReturnDate);
    c.returnDate = day(14);
    c.returnMethod = " ";
    EXPECT_EQ(LFCheckClosing(ctx(), c), kLfMsgReturnMethod);
    c.returnMethod = "Courier";
    for (const QString card : {"4111 1111 1111 1112", "4111-1111-abcd", "12"}) {
        c.typedCard = card;
        EXPECT_EQ(LFCheckClosing(ctx(), c), kMsgInvalidCardNumber) << card.toStdString();
        EXPECT_EQ(LFMatchItem(ctx(), c).message, kMsgInvalidCardNumber);
    }
    EXPECT_EQ(LFGetTheItem(ctx(), f.id)->status, kLfFound) << "nothing saved";

    // Cards that cannot be stored refuse the closing instead of dropping the card.
    ASSERT_TRUE(SetBooleanSetting(db(), "EnhancedEncryption", false));
    c.typedCard = "4111111111111111";
    EXPECT_EQ(LFMatchItem(ctx(), c).message, kLfMsgCardsOff);
    EXPECT_EQ(LFGetTheItem(ctx(), f.id)->status, kLfFound);
    c.typedCard.clear();
    EXPECT_TRUE(LFMatchItem(ctx(), c).ok);
}

TEST_F(LfStoreMatchTest, ScreeningLeavesTheCardFieldAlone) {
    LfClosing c = closing(0, 1);
    c.typedCard = "4111111111111111";
    c.owner.address = "Card 4111 1111 1111 1111 on file";
    QStringList asked;
    const int n = LFScreenClosingTexts(ctx(), c, [&](const QString& form, const QString& field) {
        asked << form + "/" + field;
        return true;
    });
    EXPECT_EQ(n, 1);
    EXPECT_EQ(asked, QStringList{"L&F Matched/Address"});
    EXPECT_FALSE(c.owner.address.contains("4111"));
    EXPECT_EQ(c.typedCard, "4111111111111111");
}

TEST_F(LfStoreMatchTest, TwoDesksClosingOneFoundItemAtOnceOneWins) {
    constexpr int Tries = 25;
    struct Outcome {
        bool ok = false;
        QString message;
    };
    std::vector<std::array<Outcome, 2>> out(Tries);
    std::vector<std::array<qint64, 3>> rows(Tries); // lost A, lost B, found
    std::barrier sync(3);
    std::mutex opening;
    const auto desk = [&](int who) {
        std::unique_ptr<OtherDesk> d;
        {
            const std::lock_guard<std::mutex> one(opening);
            d = std::make_unique<OtherDesk>(env, staffId);
        }
        for (int i = 0; i < Tries; ++i) {
            sync.arrive_and_wait();
            try {
                const LfMatchResult r =
                    LFMatchItem(d->ctx, closing(rows[i][size_t(who)], rows[i][2]));
                out[i][size_t(who)] = {r.ok, r.message};
            } catch (const std::exception& e) {
                out[i][size_t(who)] = {false, "error: " + QString::fromUtf8(e.what())};
            }
            sync.arrive_and_wait();
        }
    };
    std::thread a(desk, 0), b(desk, 1);
    QStringList faults;
    for (int i = 0; i < Tries; ++i) {
        rows[i] = {lost("Wallet A", day(10)).id, lost("Wallet B", day(10)).id,
                   found("Wallet", day(10)).id};
        sync.arrive_and_wait();
        sync.arrive_and_wait();
        const auto& o = out[i];
        const int winner = o[0].ok ? 0 : 1;
        const qint64 loserLost = rows[i][size_t(1 - winner)];
        if (!o[size_t(winner)].ok || o[size_t(1 - winner)].ok ||
            o[size_t(1 - winner)].message != kLfMsgFoundGone ||
            LFGetTheItem(ctx(), loserLost)->status != kLfLost || count(kLfClosed) != i + 1 ||
            count(kLfFound) != 0)
            faults << QString("%1: '%2' / '%3'").arg(i).arg(o[0].message, o[1].message);
    }
    a.join();
    b.join();
    EXPECT_TRUE(faults.isEmpty()) << faults.mid(0, 5).join("\n").toStdString();
}

TEST_F(LfStoreMatchTest, FailureMidwayLeavesBothRecordsAsTheyWere) {
    const LfItem l = lost("Wallet", day(10));
    LfItem f = found("Wallet", day(10));
    const LfItem opened = f;
    f.finderName = "Someone";
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), f, opened));
    // The history move is the last step: make it fail after the lost row was
    // written and the found row deleted.
    if (db().engine() == Engine::PostgreSQL) {
        db().exec("CREATE FUNCTION lf_refuse() RETURNS trigger AS $x$ BEGIN RAISE EXCEPTION "
                  "'refused'; END $x$ LANGUAGE plpgsql");
        db().exec("CREATE TRIGGER lf_refuse BEFORE UPDATE ON [LostAndFoundHistory] FOR EACH ROW "
                  "EXECUTE FUNCTION lf_refuse()");
    } else {
        db().exec("CREATE TRIGGER lf_refuse BEFORE UPDATE ON [LostAndFoundHistory] BEGIN "
                  "SELECT RAISE(ABORT, 'refused'); END");
    }
    EXPECT_THROW(LFMatchItem(ctx(), closing(l.id, f.id)), DbError);
    EXPECT_EQ(LFGetTheItem(ctx(), l.id)->status, kLfLost);
    EXPECT_EQ(LFGetTheItem(ctx(), l.id)->itemText, "Wallet");
    ASSERT_TRUE(LFGetTheItem(ctx(), f.id).has_value());
    EXPECT_EQ(LFGetTheItem(ctx(), f.id)->status, kLfFound);
    EXPECT_EQ(historyRows(f.id), 1);
}

} // namespace vm::test
