// Lending and stock: check-out, check-in, the change of the due-back moment,
// issue and restock, the loans of an item and the search of loans by date.

#include "operations/Rentals.h"

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/EntryRules.h"
#include "operations/ListRows.h"

namespace vm {

namespace {

// The item is in while its ReturnDate is null, " " or "0": text dates
// "yyyy/MM/dd" are all above "0".
const QString ItemIsIn = QStringLiteral("([ReturnDate] IS NULL OR [ReturnDate] <= '0')");
const QString ItemIsOut = QStringLiteral("[ReturnDate] > '0'");

RentalOutcome refused(const QString& message, const QString& field = {}) {
    RentalOutcome o;
    o.refusal = {message, field};
    return o;
}

// A loan's columns in the order loanFromRow reads them (qualified by "a.");
// the catalogue's ItemName may follow.
const QString LoanColumns = QStringLiteral(
    "a.[StuffArchID], a.[StuffID], a.[CategoryID], a.[RenterName], a.[RoomNumber], "
    "a.[CheckoutDate], a.[CheckoutTime], a.[RentalCharge], a.[ReturnDate], a.[ReturnTime], "
    "a.[ReturnTimeSort]");
constexpr int LoanColumnCount = 11;
// Loans with the name of their catalogue item, when it still exists.
const QString SelectNamedLoans = "SELECT " + LoanColumns +
                                 ", s.[ItemName] FROM [StuffArch] a LEFT JOIN [Stuff] s ON "
                                 "s.[StuffID] = a.[StuffID] ";

StuffLoan loanFromRow(const Row& r) {
    using ops::shown;
    StuffLoan l;
    l.id = ops::whole(r, 0);
    l.stuffId = ops::whole(r, 1);
    l.categoryId = ops::whole(r, 2);
    l.renterName = shown(r, 3);
    l.roomNumber = shown(r, 4);
    l.checkoutDate = shown(r, 5);
    l.checkoutTime = shown(r, 6);
    l.charge = ops::amount(r, 7);
    l.returnDate = shown(r, 8);
    l.returnTime = shown(r, 9);
    l.returnTimeSort = shown(r, 10);
    if (r.count() > LoanColumnCount) l.itemName = shown(r, LoanColumnCount);
    return l;
}

std::vector<StuffLoan> loanList(AppContext& ctx, const QString& sql, const QVariantList& params) {
    std::vector<StuffLoan> loans;
    ctx.db().forEach(sql, params, [&loans](const Row& r) {
        loans.push_back(loanFromRow(r));
        return true;
    });
    return loans;
}

// The moment a loan began (its date and "hh:mm AM" time).
QDateTime loanStart(const StuffLoan& l) {
    const QDate d = Formats::ParseStoredDate(l.checkoutDate);
    QTime t = Formats::ParseTime(l.checkoutTime);
    if (!t.isValid()) t = QTime(0, 0);
    return d.isValid() ? QDateTime(d, t) : QDateTime();
}

// The due-back moment typed: a valid date, and a valid time (required for
// hourly items, midnight when a daily item has none).  A refusal otherwise.
std::optional<RentalOutcome> checkReturn(int type, const TypedLoan& typed, QDateTime& back) {
    const QDate d = Formats::ParseShortDate(typed.returnDate);
    if (!d.isValid()) return refused(MsgRentalReturnDate, "txtReturnDate");
    QTime t;
    if (!typed.returnTime.trimmed().isEmpty()) {
        t = Formats::ParseTime(typed.returnTime);
        if (!t.isValid()) return refused(MsgRentalReturnTime, "txtReturnTime");
    } else if (type == StuffType::Hourly) {
        return refused(MsgRentalReturnTime, "txtReturnTime");
    }
    back = QDateTime(d, t.isValid() ? t : QTime(0, 0));
    return std::nullopt;
}

QString shownTime(const TypedLoan& typed) {
    const QTime t = Formats::ParseTime(typed.returnTime);
    return t.isValid() ? Formats::Time12(t) : QStringLiteral(" ");
}

std::optional<StuffLoan> openLoan(Database& db, qint64 stuffId) {
    const auto r = db.queryOne("SELECT " + LoanColumns +
                                   " FROM [StuffArch] a WHERE a.[StuffID] = ? AND "
                                   "a.[ReturnDate] IS NULL ORDER BY a.[StuffArchID] DESC",
                               {stuffId});
    if (!r) return std::nullopt;
    return loanFromRow(*r);
}

int onHandOf(Database& db, qint64 stuffId) {
    return db.scalar("SELECT [OnHand] FROM [Stuff] WHERE [StuffID] = ?", {stuffId}).toInt();
}

} // namespace

RentalOutcome IssueItem(AppContext& ctx, qint64 stuffId, const QString& quantity) {
    const auto n = ParseQuantity(quantity);
    if (!n) return refused(MsgRentalQuantity, "txtQuantity");
    Database& db = ctx.db();
    // One statement decides: two desks issuing at once never take more than is there.
    if (db.exec("UPDATE [Stuff] SET [OnHand] = [OnHand] - ? WHERE [StuffID] = ? AND [OnHand] >= ?",
                {*n, stuffId, *n}) == 0)
        return refused(GetStuffItem(ctx, stuffId) ? MsgRentalTooMany : MsgRentalGone,
                       "txtQuantity");
    RentalOutcome o;
    o.done = true;
    o.onHand = onHandOf(db, stuffId);
    return o;
}

RentalOutcome RestockItem(AppContext& ctx, qint64 stuffId, const QString& quantity) {
    const auto n = ParseQuantity(quantity);
    if (!n) return refused(MsgRentalQuantity, "txtQuantity");
    Database& db = ctx.db();
    if (db.exec("UPDATE [Stuff] SET [OnHand] = COALESCE([OnHand], 0) + ? WHERE [StuffID] = ?",
                {*n, stuffId}) == 0)
        return refused(MsgRentalGone);
    RentalOutcome o;
    o.done = true;
    o.onHand = onHandOf(db, stuffId);
    return o;
}

RentalOutcome CheckOutItem(AppContext& ctx, qint64 stuffId, const TypedLoan& typed) {
    if (!MayDo(ctx, Rights::OthersRentalsCheckOut)) return refused(MsgRentalCheckOutRefused);
    const auto item = GetStuffItem(ctx, stuffId);
    if (!item) return refused(MsgRentalGone);
    if (!IsRentalType(item->type)) return IssueItem(ctx, stuffId, typed.quantity);
    if (item->rentalDays <= 0) return refused(MsgRentalPeriod, "txtRentalDays");
    if (typed.renterName.trimmed().isEmpty()) return refused(MsgRentalName, "txtRenterName");
    if (typed.roomNumber.trimmed().isEmpty()) return refused(MsgRentalRoom, "txtRoomNumber");
    QDateTime back;
    if (auto r = checkReturn(item->type, typed, back)) return *r;

    const QDateTime now = ctx.clock().now();
    RentalOutcome o;
    o.charge = RentalChargeFor(item->rentalCharge, RentalUnits(item->type, now, back));
    const qint64 categoryId = RentalCategoryId(ctx, item->category);
    const QString name = CleanSqlTextKeepAmp(typed.renterName);
    const QString room = CleanSqlText(typed.roomNumber);
    Database& db = ctx.db();
    db.transaction([&] {
        // Only an item that is in may go out; a second desk finds it out.
        if (db.exec("UPDATE [Stuff] SET [RenterName] = ?, [RoomNumber] = ?, [ReturnDate] = ?, "
                    "[ReturnTime] = ?, [ReturnTimeSort] = ? WHERE [StuffID] = ? AND " +
                        ItemIsIn,
                    {name, room, Formats::StoredDate(back.date()), shownTime(typed),
                     ReturnTimeSortKey(Formats::ParseTime(typed.returnTime)), stuffId}) == 0)
            return;
        o.loanId = db.insert(
            "INSERT INTO [StuffArch] ([StuffID], [CategoryID], [RenterName], [RoomNumber], "
            "[CheckoutDate], [CheckoutTime], [RentalCharge]) VALUES (?, ?, ?, ?, ?, ?, ?)",
            {stuffId, categoryId, name, room, Formats::StoredDate(now.date()),
             Formats::Time12(now.time()), o.charge},
            "StuffArchID");
        o.done = true;
    });
    if (!o.done) return refused(GetStuffItem(ctx, stuffId) ? MsgRentalAlreadyOut : MsgRentalGone);
    return o;
}

RentalOutcome CheckInItem(AppContext& ctx, qint64 stuffId) {
    if (!MayDo(ctx, Rights::OthersRentalsCheckIn)) return refused(MsgRentalCheckInRefused);
    const QDateTime now = ctx.clock().now();
    Database& db = ctx.db();
    RentalOutcome o;
    db.transaction([&] {
        if (db.exec("UPDATE [Stuff] SET [RenterName] = ' ', [RoomNumber] = ' ', [ReturnDate] = "
                    "' ', [ReturnTime] = ' ', [ReturnTimeSort] = ' ' WHERE [StuffID] = ? AND " +
                        ItemIsOut,
                    {stuffId}) == 0)
            return;
        if (const auto loan = openLoan(db, stuffId)) {
            o.loanId = loan->id;
            o.charge = loan->charge;
        }
        // Closes the open loan only; the loans before it keep their returns.
        db.exec("UPDATE [StuffArch] SET [ReturnDate] = ?, [ReturnTime] = ?, [ReturnTimeSort] = ? "
                "WHERE [StuffID] = ? AND [ReturnDate] IS NULL",
                {Formats::StoredDate(now.date()), Formats::Time12(now.time()),
                 ReturnTimeSortKey(now.time()), stuffId});
        o.done = true;
    });
    if (!o.done) return refused(GetStuffItem(ctx, stuffId) ? MsgRentalNotOut : MsgRentalGone);
    return o;
}

RentalOutcome ChangeItemDate(AppContext& ctx, qint64 stuffId, const TypedLoan& typed) {
    const auto item = GetStuffItem(ctx, stuffId);
    if (!item) return refused(MsgRentalGone);
    if (!item->isOut()) return refused(MsgRentalNotOut);
    QDateTime back;
    if (auto r = checkReturn(item->type, typed, back)) return *r;
    Database& db = ctx.db();
    RentalOutcome o;
    db.transaction([&] {
        LockRowForBooking(db, "Stuff", "StuffID", stuffId);
        if (db.exec("UPDATE [Stuff] SET [ReturnDate] = ?, [ReturnTime] = ?, [ReturnTimeSort] = ? "
                    "WHERE [StuffID] = ? AND " +
                        ItemIsOut,
                    {Formats::StoredDate(back.date()), shownTime(typed),
                     ReturnTimeSortKey(Formats::ParseTime(typed.returnTime)), stuffId}) == 0)
            return;
        o.done = true;
        const auto loan = openLoan(db, stuffId);
        if (!loan) return;
        o.loanId = loan->id;
        o.charge = loan->charge;
        // A moment at or before the check-out gives no new charge.
        const qint64 units = RentalUnits(item->type, loanStart(*loan), back);
        if (units <= 0) return;
        o.charge = RentalChargeFor(item->rentalCharge, units);
        db.exec("UPDATE [StuffArch] SET [RentalCharge] = ? WHERE [StuffArchID] = ? AND "
                "[ReturnDate] IS NULL",
                {o.charge, loan->id});
    });
    if (!o.done) return refused(MsgRentalNotOut);
    return o;
}

std::vector<StuffLoan> GetStuffHistory(AppContext& ctx, qint64 stuffId) {
    // The open loan (no return yet) last on both engines.
    return loanList(ctx,
                    "SELECT " + LoanColumns +
                        " FROM [StuffArch] a WHERE a.[StuffID] = ? ORDER BY CASE WHEN "
                        "a.[ReturnDate] IS NULL THEN 1 ELSE 0 END, a.[ReturnDate], "
                        "a.[ReturnTimeSort], a.[StuffArchID]",
                    {stuffId});
}

std::optional<StuffLoan> GetStuffCheckout(AppContext& ctx, qint64 stuffId) {
    return openLoan(ctx.db(), stuffId);
}

std::optional<StuffLoan> GetStuffLoan(AppContext& ctx, qint64 loanId) {
    const auto r = ctx.db().queryOne(SelectNamedLoans + "WHERE a.[StuffArchID] = ?", {loanId});
    if (!r) return std::nullopt;
    return loanFromRow(*r);
}

std::vector<StuffLoan> GetStuffSearch(AppContext& ctx, const QDate& from, const QDate& through,
                                      bool byCheckout, qint64 categoryId) {
    const QString column = byCheckout ? "a.[CheckoutDate]" : "a.[ReturnDate]";
    QString sql = SelectNamedLoans + "WHERE ";
    QVariantList params;
    if (categoryId != 0) {
        sql += "a.[CategoryID] = ? AND ";
        params << categoryId;
    }
    sql += column + " >= ? AND " + column + " <= ? ORDER BY a.[CategoryID], a.[StuffID], " +
           column + (byCheckout ? QString(", a.[StuffArchID]") : ", a.[ReturnTimeSort]");
    params << Formats::StoredDate(from) << Formats::StoredDate(through);
    return loanList(ctx, sql, params);
}

} // namespace vm
