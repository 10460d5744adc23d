// The user-defined lists of found items: at most five, each filling one of
// the slotRowNow UdCategory1..5 through the single row of LostAndFoundUdCats.

#include "operations/LostFound.h"

#include "core/DataAccess.h"

namespace vm {

namespace {

QString slotColumn(int slot) {
    return "UdCategory" + QString::number(slot);
}

// The slot row, created when missing (it is the only row of its table).
Row slotRow(Database& db) {
    auto row = db.queryOne("SELECT * FROM [LostAndFoundUdCats]");
    if (row) return *row;
    db.exec("INSERT INTO [LostAndFoundUdCats] ([UdCategory1]) VALUES (NULL)");
    return *db.queryOne("SELECT * FROM [LostAndFoundUdCats]");
}

QString typedName(const QString& typed) {
    return StoredText(CleanSqlTextKeepAmp(typed));
}

// Whether `name` is taken (any letter case) among the rows, other than by `self`.
bool taken(const std::vector<Row>& rows, const QString& idColumn, const QString& nameColumn,
           const QString& name, qint64 self) {
    for (const Row& r : rows)
        if (r.number(idColumn) != self &&
            r.trimmedText(nameColumn).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

LfListResult refused(const QString& message, const QString& title) {
    LfListResult r;
    r.message = message;
    r.title = title;
    return r;
}

LfListResult done(qint64 id) {
    LfListResult r;
    r.ok = true;
    r.id = id;
    return r;
}

} // namespace

QString LfUdList::caption() const {
    return "Custom (" + name + "):";
}

std::vector<LfUdList> GetLostAndFoundUserDefinedCats(AppContext& ctx) {
    Database& db = ctx.db();
    std::vector<LfUdList> out;
    const auto slotRowNow = db.queryOne("SELECT * FROM [LostAndFoundUdCats]");
    if (!slotRowNow) return out;
    for (int slot = 1; slot <= 5; ++slot) {
        const qint64 catId = slotRowNow->number(slotColumn(slot));
        if (catId <= 0) continue;
        const QVariant name = db.scalar(
            "SELECT [category] FROM [UserDefinedEnumCategories] WHERE [catID] = ?", {catId});
        if (!name.isValid()) continue;
        out.push_back({slot, catId, StoredText(name.toString())});
    }
    return out;
}

std::optional<LfUdList> LfListInSlot(AppContext& ctx, int slot) {
    for (const LfUdList& l : GetLostAndFoundUserDefinedCats(ctx))
        if (l.slot == slot) return l;
    return std::nullopt;
}

std::vector<LfUdListItem> GetUserDefinedCategoryItems(AppContext& ctx, qint64 catId) {
    std::vector<LfUdListItem> out;
    for (const Row& r : ctx.db().query(
             "SELECT * FROM [UserDefinedEnumItems] WHERE [catID] = ? ORDER BY [enumID]", {catId}))
        out.push_back({r.number("enumID"), r.number("catID"), r.trimmedText("caption")});
    return out;
}

LfListResult CreateLostAndFoundUdCategory(AppContext& ctx, const QString& typed) {
    const QString name = typedName(typed);
    if (name.isEmpty()) return refused(kLfMsgNewList, kLfTitleNewList);
    Database& db = ctx.db();
    LfListResult result;
    struct NoSlot {};
    try {
        db.transaction([&] {
            const Row slotRowNow = slotRow(db);
            int free = 0;
            for (int slot = 5; slot >= 1; --slot) {
                const qint64 catId = slotRowNow.number(slotColumn(slot));
                // A slot naming a list that no longer exists is free again.
                if (catId <= 0 || !db.scalar("SELECT [catID] FROM [UserDefinedEnumCategories] "
                                             "WHERE [catID] = ?",
                                             {catId})
                                       .isValid())
                    free = slot;
            }
            if (free == 0) {
                result = refused(kLfMsgTooManyLists, kLfTitleTooManyLists);
                return;
            }
            if (taken(db.query("SELECT * FROM [UserDefinedEnumCategories]"), "catID", "category",
                      name, 0)) {
                result = refused(LfDuplicateListText(name), kLfTitleDuplicateList);
                return;
            }
            const qint64 catId = db.insert(
                "INSERT INTO [UserDefinedEnumCategories] ([category]) VALUES (?)", {name}, "catID");
            if (db.exec("UPDATE [LostAndFoundUdCats] SET [" + slotColumn(free) + "] = ?", {catId}) <
                1)
                throw NoSlot{};
            result = done(catId);
        });
    } catch (const NoSlot&) {
        // The list is not kept: it would be bound to no slot and never shown.
        return refused(kLfMsgListSlotMissing, kLfTitleNewList);
    }
    return result;
}

LfListResult CreateLostAndFoundUdCategoryItem(AppContext& ctx, qint64 catId, const QString& typed) {
    const QString caption = typedName(typed);
    if (caption.isEmpty()) return refused(kLfMsgNewListItem, kLfTitleNewListItem);
    Database& db = ctx.db();
    LfListResult result;
    db.transaction([&] {
        if (taken(db.query("SELECT * FROM [UserDefinedEnumItems] WHERE [catID] = ?", {catId}),
                  "enumID", "caption", caption, 0)) {
            result = refused(LfDuplicateListItemText(caption), kLfTitleDuplicateList);
            return;
        }
        result = done(db.insert("INSERT INTO [UserDefinedEnumItems] ([caption], [catID]) "
                                "VALUES (?, ?)",
                                {caption, catId}, "enumID"));
    });
    return result;
}

LfListResult RenameLostAndFoundUdCategory(AppContext& ctx, qint64 catId, const QString& typed) {
    const QString name = typedName(typed);
    if (name.isEmpty()) return refused(kLfMsgNewList, kLfTitleRenameList);
    Database& db = ctx.db();
    LfListResult result;
    db.transaction([&] {
        if (taken(db.query("SELECT * FROM [UserDefinedEnumCategories]"), "catID", "category", name,
                  catId)) {
            result = refused(LfDuplicateListText(name), kLfTitleDuplicateList);
            return;
        }
        if (db.exec("UPDATE [UserDefinedEnumCategories] SET [category] = ? WHERE [catID] = ?",
                    {name, catId}) == 1)
            result = done(catId);
    });
    return result;
}

LfListResult RenameLostAndFoundUdCategoryItem(AppContext& ctx, qint64 enumId,
                                              const QString& typed) {
    const QString caption = typedName(typed);
    if (caption.isEmpty()) return refused(kLfMsgNewListItem, kLfTitleRenameListItem);
    Database& db = ctx.db();
    LfListResult result;
    db.transaction([&] {
        const QVariant catId =
            db.scalar("SELECT [catID] FROM [UserDefinedEnumItems] WHERE [enumID] = ?", {enumId});
        if (!catId.isValid()) return;
        if (taken(db.query("SELECT * FROM [UserDefinedEnumItems] WHERE [catID] = ?", {catId}),
                  "enumID", "caption", caption, enumId)) {
            result = refused(LfDuplicateListItemText(caption), kLfTitleDuplicateList);
            return;
        }
        db.exec("UPDATE [UserDefinedEnumItems] SET [caption] = ? WHERE [enumID] = ?",
                {caption, enumId});
        result = done(enumId);
    });
    return result;
}

int DeleteLostAndFoundUdCategoryItem(AppContext& ctx, qint64 enumId) {
    Database& db = ctx.db();
    int cleared = 0;
    db.transaction([&] {
        // enumIDs are keys of the one item table: a record can hold this one
        // only in the slot of its list, but every slot is cleared to be sure.
        for (int slot = 1; slot <= 5; ++slot)
            cleared += db.exec("UPDATE [LostAndFound] SET [" + slotColumn(slot) +
                                   "] = NULL WHERE [" + slotColumn(slot) + "] = ?",
                               {enumId});
        db.exec("DELETE FROM [UserDefinedEnumItems] WHERE [enumID] = ?", {enumId});
    });
    return cleared;
}

} // namespace vm
