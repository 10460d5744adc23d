// The catalogue and stock: item checks, issue and restock, the shopping list,
// the member's categories, and the rental texts.

#include "operations/RentalFixture.h"

#include "core/LongText.h"

using namespace vm;
using namespace vm::test;

namespace {

class RentalStock : public RentalFixture {};

TEST_F(RentalStock, StockIsIssuedAndRestockedNeverBelowZeroAndListedBelowPar) {
    const StuffItem kits = item(StuffType::Inventory, "Umbrellas", "Sewing Kit", 0, 0, 5, 5);
    item(StuffType::Inventory, "Umbrellas", "Comb", 0, 0, 3, 1);
    const auto restock = [&] {
        QStringList names;
        for (const StuffItem& i : GetReStockItems(ctx()))
            names << i.itemName;
        return names;
    };
    // On hand equal to par is not on the list.
    EXPECT_EQ(restock(), QStringList{"Comb"});

    for (const char* bad : {"", "0", "-1", "abc", "1.5", "99999999"}) {
        const RentalOutcome o = IssueItem(ctx(), kits.id, bad);
        EXPECT_EQ(o.refusal.message, MsgRentalQuantity) << bad;
        EXPECT_EQ(o.refusal.field, "txtQuantity");
    }
    // Check-out of a stock item issues the quantity typed.
    TypedLoan typed;
    typed.quantity = "2";
    const RentalOutcome issued = CheckOutItem(ctx(), kits.id, typed);
    ASSERT_TRUE(issued.done);
    EXPECT_EQ(issued.onHand, 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [StuffArch]"), 0);
    EXPECT_EQ(restock(), (QStringList{"Comb", "Sewing Kit"}));

    EXPECT_EQ(IssueItem(ctx(), kits.id, "4").refusal.message, MsgRentalTooMany);
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->onHand, 3);
    EXPECT_TRUE(IssueItem(ctx(), kits.id, "3").done);
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->onHand, 0);

    EXPECT_EQ(RestockItem(ctx(), kits.id, "x").refusal.message, MsgRentalQuantity);
    EXPECT_EQ(RestockItem(ctx(), kits.id, "10").onHand, 10);
    EXPECT_EQ(restock(), QStringList{"Comb"});

    // A save whose On Hand box was not touched keeps an issue made meanwhile elsewhere.
    StuffItem edited = *GetStuffItem(ctx(), kits.id);
    const int loaded = edited.onHand;
    ASSERT_TRUE(IssueItem(ctx(), kits.id, "4").done);
    edited.itemName = "Sewing Kit (travel)";
    ASSERT_EQ(SaveStuffItem(ctx(), edited, loaded), kits.id);
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->onHand, 6);
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->itemName, "Sewing Kit (travel)");
    // A changed box is a count and is written.
    edited.onHand = 20;
    SaveStuffItem(ctx(), edited, loaded);
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->onHand, 20);
}

TEST_F(RentalStock, AnItemIsCheckedInTheScreensOrderAndStoredAsTyped) {
    const TypedItem good{"Bikes", "City Bike", "B-1", "3", "1,234.5", "2", "1"};
    struct Case {
        int type;
        TypedItem typed;
        QString message;
    } cases[] = {
        {StuffType::Daily, {"", "", "", "", "", "", ""}, MsgRentalCategory},
        {StuffType::Daily, {"Bikes", " ", "", "", "", "", ""}, MsgRentalDescription},
        {StuffType::Daily, {"Bikes", "Bike", "", "", "", "", ""}, MsgRentalPeriod},
        {StuffType::Hourly, {"Bikes", "Bike", "", "two", "", "", ""}, MsgRentalPeriod},
        {StuffType::Daily, {"Bikes", "Bike", "", "1", "ten", "", ""}, MsgRentalCharge},
        {StuffType::Daily, {"Bikes", "Bike", "", "1", "-5", "", ""}, MsgRentalCharge},
        {StuffType::Inventory, {"Bikes", "Pump", "", "", "", "1.5", ""}, MsgRentalPar},
        {StuffType::Inventory, {"Bikes", "Pump", "", "", "", "", "-2"}, MsgRentalOnHand},
        {StuffType::Inventory, {"Bikes", "Pump", "", "", "", "", ""}, QString()},
        {StuffType::Daily, good, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckStuffItem(c.type, c.typed).message, c.message)
            << c.typed.itemName.toStdString();

    StuffItem bike = StoredItem(StuffType::Daily, good);
    ASSERT_GT(SaveStuffItem(ctx(), bike), 0);
    const StuffItem stored = *GetStuffItem(ctx(), bike.id);
    EXPECT_EQ(ItemGridCells(stored).join("|"),
              "Bikes||City Bike|B-1|3|1234.50|2|1|" + QString::number(bike.id) + "||");
    EXPECT_FALSE(stored.isOut());
    EXPECT_EQ(ShownRate(0), ".00");
}

TEST_F(RentalStock, AMemberWithoutAllRentalsSeesOnlyTheCategoriesOfTheirList) {
    item(StuffType::Daily, "Umbrellas", "Golf Umbrella", 1, 2);
    item(StuffType::Daily, "Bikes", "City Bike", 1, 10);
    const auto names = [&] {
        QStringList n;
        for (const StuffItem& i : GetRentalItems1(ctx(), StuffType::Daily))
            n << i.itemName;
        return n;
    };
    EXPECT_EQ(names(), (QStringList{"City Bike", "Golf Umbrella"}));
    env.db().exec("UPDATE [Concierge] SET [AllRentals] = ? WHERE [ConciergeID] = ?",
                  {false, member});
    EXPECT_TRUE(names().isEmpty());
    // One row per category name, compared without case.
    env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                  "VALUES (?, ?, 1, 'umbrellas')",
                  {member, RentalCategoriesKind});
    EXPECT_EQ(names(), QStringList{"Golf Umbrella"});
    EXPECT_EQ(VisibleRentalCategories(ctx()), QStringList{"Umbrellas"});
    env.logOn(manager);
    EXPECT_EQ(names().size(), 2);
    EXPECT_EQ(VisibleRentalCategories(ctx()), (QStringList{"Bikes", "Umbrellas"}));
}

TEST_F(RentalStock, RentalTextsNeedRight15AndACategoryAndFallBackToTheDefaults) {
    RentalDefaults d;
    d.texts = {"Thank you for renting with us.\r\nReturn by the time shown.", "Damage is charged."};
    d.printCheckOut = true;
    EXPECT_EQ(SaveRentalDefaults(ctx(), d), MsgRentalDefaultsRefused); // off for new members
    EXPECT_EQ(SaveRentalText(ctx(), bikes, {"Helmets included.", ""}), MsgRentalDefaultsRefused);
    setRight(member, Rights::OthersRentalsDefaults, true);
    EXPECT_EQ(SaveRentalDefaults(ctx(), d), "");
    const RentalDefaults saved = GetRentalDefaults(ctx());
    EXPECT_EQ(saved.texts.conf1, d.texts.conf1);
    EXPECT_TRUE(saved.printCheckOut);
    EXPECT_FALSE(saved.printCheckIn);

    EXPECT_EQ(SaveRentalText(ctx(), 0, {"x", ""}), MsgRentalTextCategory);
    EXPECT_EQ(SaveRentalText(ctx(), bikes, {"Helmets included.", ""}), "");
    EXPECT_EQ(SaveRentalText(ctx(), bikes, {"Helmets & locks included.", ""}), "");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [RentalCT]"), 1);
    EXPECT_EQ(TextsForCategory(ctx(), bikes).conf1, "Helmets & locks included.");
    EXPECT_EQ(TextsForCategory(ctx(), umbrellas).conf2, "Damage is charged.");
}

} // namespace
