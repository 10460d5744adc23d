// The catalogue: item lists, the member's categories, saving and deleting items.

#include "operations/Rentals.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "operations/ListRows.h"

namespace vm {

namespace {

// The order of every list of items that are out.
const QString OutOrder = QStringLiteral(" ORDER BY [ReturnDate], [ReturnTimeSort], [ItemName]");

// The catalogue columns in the order itemFromRow reads them.
const QString SelectItems = QStringLiteral(
    "SELECT [StuffID], [StuffType], [Category], [ItemName], [ItemNumber], [RentalDays], "
    "[RentalCharge], [Par], [OnHand], [RenterName], [RoomNumber], [ReturnDate], [ReturnTime], "
    "[ReturnTimeSort] FROM [Stuff] ");

StuffItem itemFromRow(const Row& r) {
    using ops::shown;
    StuffItem i;
    i.id = ops::whole(r, 0);
    i.type = int(ops::whole(r, 1));
    i.category = shown(r, 2);
    i.itemName = shown(r, 3);
    i.itemNumber = shown(r, 4);
    i.rentalDays = int(ops::whole(r, 5));
    i.rentalCharge = ops::amount(r, 6);
    i.par = int(ops::whole(r, 7));
    i.onHand = int(ops::whole(r, 8));
    i.renterName = shown(r, 9);
    i.roomNumber = shown(r, 10);
    i.returnDate = shown(r, 11);
    i.returnTime = shown(r, 12);
    i.returnTimeSort = shown(r, 13);
    return i;
}

std::vector<StuffItem> items(AppContext& ctx, const QString& rest, const QVariantList& params) {
    std::vector<StuffItem> out;
    ctx.db().forEach(SelectItems + rest, params, [&out](const Row& r) {
        out.push_back(itemFromRow(r));
        return true;
    });
    return out;
}

// The member's own category list (names), for comparison without case.
QStringList memberCategories(AppContext& ctx) {
    QStringList names;
    for (const Row& r : ctx.db().query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? "
                                       "AND [EvConType] = ? ORDER BY [Sequence]",
                                       {ctx.session.conciergeId, RentalCategoriesKind}))
        names << r.trimmedText("NoteField").toLower();
    return names;
}

} // namespace

bool SeesAllRentalCategories(AppContext& ctx) {
    const Session& s = ctx.session;
    if (s.manager || s.guest || s.support) return true;
    const auto r = ctx.db().queryOne("SELECT [AllRentals] FROM [Concierge] WHERE [ConciergeID] = ?",
                                     {s.conciergeId});
    return r && r->flag("AllRentals");
}

QStringList VisibleRentalCategories(AppContext& ctx) {
    const bool all = SeesAllRentalCategories(ctx);
    const QStringList mine = all ? QStringList() : memberCategories(ctx);
    QStringList names;
    for (const Row& r : ctx.db().query("SELECT [Category] FROM [ResType] ORDER BY [Category]")) {
        const QString name = r.trimmedText("Category");
        if (all || mine.contains(name.toLower())) names << name;
    }
    return names;
}

std::vector<StuffItem> GetRentalItems1(AppContext& ctx, int type) {
    std::vector<StuffItem> list =
        items(ctx,
              "WHERE [StuffType] = ? ORDER BY [Category], [ItemName], [ItemNumber]",
              {type});
    if (SeesAllRentalCategories(ctx)) return list;
    const QStringList mine = memberCategories(ctx);
    std::erase_if(list, [&](const StuffItem& i) { return !mine.contains(i.category.toLower()); });
    return list;
}

std::vector<StuffItem> GetItemsRented(AppContext& ctx, const QDate& dueBy) {
    if (!dueBy.isValid())
        return items(ctx, "WHERE [ReturnDate] > '0'" + OutOrder, {});
    // The chosen day itself is included.
    return items(ctx,
                 "WHERE [ReturnDate] <= ? AND [ReturnDate] > '0'" + OutOrder,
                 {Formats::StoredDate(dueBy)});
}

std::vector<StuffItem> GetReStockItems(AppContext& ctx) {
    return items(ctx, "WHERE [OnHand] < [Par] ORDER BY [ItemName]", {});
}

std::optional<StuffItem> GetStuffItem(AppContext& ctx, qint64 stuffId) {
    const auto r = ctx.db().queryOne(SelectItems + "WHERE [StuffID] = ?", {stuffId});
    if (!r) return std::nullopt;
    return itemFromRow(*r);
}

qint64 SaveStuffItem(AppContext& ctx, StuffItem& item, std::optional<int> onHandWas) {
    const QVariantList values{item.type,
                              CleanSqlTextKeepAmp(item.category),
                              CleanSqlTextKeepAmp(item.itemName),
                              CleanSqlText(item.itemNumber),
                              item.rentalDays,
                              item.rentalCharge,
                              item.par};
    Database& db = ctx.db();
    if (item.id == 0) {
        // A new item is in: its loan columns hold the empty stored form.
        item.id = db.insert(
            "INSERT INTO [Stuff] ([StuffType], [Category], [ItemName], [ItemNumber], "
            "[RentalDays], [RentalCharge], [Par], [OnHand], [RenterName], [RoomNumber], "
            "[ReturnDate], [ReturnTime], [ReturnTimeSort]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ' ', "
            "' ', ' ', ' ', ' ')",
            values + QVariantList{item.onHand}, "StuffID");
        return item.id;
    }
    const QString set = "UPDATE [Stuff] SET [StuffType] = ?, [Category] = ?, [ItemName] = ?, "
                        "[ItemNumber] = ?, [RentalDays] = ?, [RentalCharge] = ?, [Par] = ?";
    const bool keepOnHand = onHandWas && *onHandWas == item.onHand;
    const int n = keepOnHand ? db.exec(set + " WHERE [StuffID] = ?", values + QVariantList{item.id})
                             : db.exec(set + ", [OnHand] = ? WHERE [StuffID] = ?",
                                       values + QVariantList{item.onHand, item.id});
    if (n == 0) return 0;
    if (keepOnHand) {
        const QVariant now =
            db.scalar("SELECT [OnHand] FROM [Stuff] WHERE [StuffID] = ?", {item.id});
        item.onHand = now.toInt();
    }
    return item.id;
}

QString DeleteStuffItem(AppContext& ctx, qint64 stuffId) {
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        // Only an item that is in goes: its loans are its history, not a holder's record.
        if (db.exec("DELETE FROM [Stuff] WHERE [StuffID] = ? AND ([ReturnDate] IS NULL OR "
                    "[ReturnDate] <= '0')",
                    {stuffId}) == 0) {
            refusal = GetStuffItem(ctx, stuffId) ? MsgRentalOutNoDelete : MsgRentalGone;
            return;
        }
        db.exec("DELETE FROM [StuffArch] WHERE [StuffID] = ?", {stuffId});
    });
    return refusal;
}

qint64 RentalCategoryId(AppContext& ctx, const QString& category) {
    return ctx.db()
        .scalar("SELECT MIN([ResTypeID]) FROM [ResType] WHERE [Category] = ?",
                {CleanSqlTextKeepAmp(category)})
        .toLongLong();
}

} // namespace vm
