// The rental confirmation texts: per category (RentalCT, keyed by ResTypeID)
// and the property's defaults in Authorization with the two print options.

#include "operations/Rentals.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "logbook/EntryRules.h"

namespace vm {

namespace {

QString stored(const QString& text) {
    return CleanSqlTextKeepAmp(text);
}

} // namespace

RentalTexts GetRentalText(AppContext& ctx, qint64 categoryId) {
    const auto r = ctx.db().queryOne(
        "SELECT [RentConf1], [RentConf2] FROM [RentalCT] WHERE [CategoryID] = ?", {categoryId});
    if (!r) return {};
    return {StoredText(r->text("RentConf1")), StoredText(r->text("RentConf2"))};
}

QString SaveRentalText(AppContext& ctx, qint64 categoryId, const RentalTexts& texts) {
    if (!MayDo(ctx, Rights::OthersRentalsDefaults)) return MsgRentalDefaultsRefused;
    if (categoryId <= 0) return MsgRentalTextCategory;
    Database& db = ctx.db();
    db.transaction([&] {
        if (db.exec("UPDATE [RentalCT] SET [RentConf1] = ?, [RentConf2] = ? WHERE [CategoryID] = ?",
                    {stored(texts.conf1), stored(texts.conf2), categoryId}) == 0)
            db.exec(
                "INSERT INTO [RentalCT] ([CategoryID], [RentConf1], [RentConf2]) VALUES (?, ?, ?)",
                {categoryId, stored(texts.conf1), stored(texts.conf2)});
    });
    return {};
}

RentalDefaults GetRentalDefaults(AppContext& ctx) {
    Database& db = ctx.db();
    RentalDefaults d;
    d.texts = {StoredText(GetTextSetting(db, "RentConf1")),
               StoredText(GetTextSetting(db, "RentConf2"))};
    d.printCheckOut = GetBooleanSetting(db, "PrintCheckOut");
    d.printCheckIn = GetBooleanSetting(db, "PrintCheckIn");
    return d;
}

QString SaveRentalDefaults(AppContext& ctx, const RentalDefaults& d) {
    if (!MayDo(ctx, Rights::OthersRentalsDefaults)) return MsgRentalDefaultsRefused;
    // The texts and both options in one statement: the row never holds half of a save.
    ctx.db().exec("UPDATE [Authorization] SET [" + *TextSettingColumn("RentConf1") + "] = ?, [" +
                      *TextSettingColumn("RentConf2") + "] = ?, [" +
                      *BooleanSettingColumn("PrintCheckOut") + "] = ?, [" +
                      *BooleanSettingColumn("PrintCheckIn") + "] = ?",
                  {stored(d.texts.conf1), stored(d.texts.conf2), d.printCheckOut, d.printCheckIn});
    return {};
}

RentalTexts TextsForCategory(AppContext& ctx, qint64 categoryId) {
    if (categoryId > 0) {
        const RentalTexts own = GetRentalText(ctx, categoryId);
        if (!own.isEmpty()) return own;
    }
    return GetRentalDefaults(ctx).texts;
}

} // namespace vm
