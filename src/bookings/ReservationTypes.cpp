// Reservation categories and their items.

#include "bookings/BookingTimes.h"
#include "bookings/ReservationRows.h"
#include "bookings/Reservations.h"
#include "core/DataAccess.h"
#include "core/Formats.h"

#include <QSet>

namespace vm {

namespace res {

ResCategory categoryFromRow(const Row& r) {
    ResCategory c;
    c.id = r.number("ResTypeID");
    c.category = r.trimmedText("Category");
    c.kind = r.number("TypeOfList") == 1 ? ResListKind::Items : ResListKind::Timed;
    c.intervalIndex = int(r.number("MinuteInterval"));
    c.price = r.real("Price");
    c.dayOfWeek = r.trimmedText("DayOfWeek");
    c.availableFrom = r.trimmedText("AvailableFrom");
    c.availableThrough = r.trimmedText("AvailableThrough");
    c.columnHeader = r.trimmedText("ColumnHeader");
    for (int i = 0; i < 5; ++i)
        c.option[i] = r.flag(QString("Option%1").arg(i + 1));
    return c;
}

ReservationRow reservationFromRow(const Row& r) {
    ReservationRow x;
    x.id = r.number("ReservationID");
    x.resTypeId = r.number("ResTypeID");
    x.reservationDate = r.trimmedText("ReservationDate");
    x.reservationFor = r.trimmedText("ReservationFor");
    x.listItem = r.trimmedText("ListItem");
    x.price = r.real("Price");
    x.availableHere = r.trimmedText("AvailableHere");
    x.availableFrom = r.trimmedText("AvailableFrom");
    x.availableThrough = r.trimmedText("AvailableThrough");
    x.conciergeId = r.number("ConciergeID");
    return x;
}

bool isDayBooking(const ReservationRow& r) {
    return r.availableHere.isEmpty() && Formats::ParseStoredDate(r.availableFrom).isValid();
}

QString itemCondition(ResListKind kind, const QString& item, QVariantList& params) {
    if (kind == ResListKind::Timed) {
        params << item;
        return "[ListItem] = ?";
    }
    // Item-list rows keep the item where they show it; day bookings in ListItem.
    params << item << item;
    return "([AvailableHere] = ? OR [ListItem] = ?)";
}

bool inRow(const ReservationRow& r, const QString& rowText) {
    if (!r.availableHere.isEmpty()) return sameText(r.availableHere, rowText);
    return sameText(r.listItem, rowText);
}

} // namespace res

using namespace res;

namespace {

const char* const DayAbbreviations[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The open days in their stored order, whatever order or case they came in.
QString normalisedDays(const QString& days) {
    QString out;
    for (const char* d : DayAbbreviations)
        if (days.contains(QLatin1String(d), Qt::CaseInsensitive)) out += QLatin1String(d);
    return out;
}

// A typed time in the stored slot form ("09:00 AM"); as typed when it is no time.
QString storedTime(const QString& typed) {
    const int m = SlotMinute(typed.trimmed());
    return m < 0 ? typed.trimmed() : SlotText(m);
}

std::vector<ResCategory> categories(AppContext& ctx, const QString& where,
                                    const QVariantList& params) {
    std::vector<ResCategory> out;
    for (const Row& r : ctx.db().query(
             "SELECT * FROM [ResType]" + where + " ORDER BY [Category], [ResTypeID]", params))
        out.push_back(categoryFromRow(r));
    return out;
}

} // namespace

int ResIntervalMinutes(int intervalIndex) {
    static const int minutes[5] = {6, 10, 15, 30, 60};
    return minutes[qBound(0, intervalIndex, 4)];
}

QStringList ResMinutePicks(int intervalIndex) {
    QStringList picks;
    const int m = ResIntervalMinutes(intervalIndex);
    for (int at = 0; at < 60; at += m)
        picks << QString("%1").arg(at, 2, 10, QLatin1Char('0'));
    return picks;
}

std::vector<ResCategory> GetResTypes(AppContext& ctx) {
    return categories(ctx, {}, {});
}

std::vector<ResCategory> GetResTypesForDate(AppContext& ctx, const QDate& day) {
    if (!day.isValid()) return {};
    return categories(ctx, " WHERE [DayOfWeek] LIKE ?", {"%" + WeekdayAbbreviation(day) + "%"});
}

std::vector<ResCategory> GetResTypesByParty(AppContext& ctx, bool party) {
    return categories(ctx, " WHERE [Option4] = ?", {party});
}

std::optional<ResCategory> GetResType(AppContext& ctx, qint64 resTypeId) {
    const auto r = ctx.db().queryOne("SELECT * FROM [ResType] WHERE [ResTypeID] = ?", {resTypeId});
    if (!r) return std::nullopt;
    return categoryFromRow(*r);
}

QString ClosedDayMessage(const ResCategory& c, const QDate& day) {
    if (!day.isValid() || c.dayOfWeek.contains(WeekdayAbbreviation(day), Qt::CaseInsensitive))
        return {};
    return " Reservations are not available on " + Formats::DayName(day) + "s";
}

QString CheckResType(const ResCategory& c) {
    if (c.category.trimmed().isEmpty())
        return QStringLiteral("The Category is required.  Thank you.");
    if (c.kind == ResListKind::Timed) {
        const int from = SlotMinute(c.availableFrom.trimmed());
        const int through = SlotMinute(c.availableThrough.trimmed());
        // A list runs within one day: an end before the start is no range.
        if (from < 0 || through < 0 || through - from < 6)
            return QStringLiteral("The Start Time (Available From) must be earlier than the End "
                                  "Time (Available Through).  Thank you.");
    } else if (c.columnHeader.trimmed().isEmpty()) {
        return QStringLiteral(
            "The Item List Column Header is required for Item List type Entries.  Thank you.");
    }
    return {};
}

std::vector<ReservationRow> VerifyReservationItemChange(AppContext& ctx, const ResCategory& c) {
    std::vector<ReservationRow> off;
    if (c.id == 0 || c.kind != ResListKind::Timed) return off;
    QSet<int> minutes;
    for (const QString& s : ResSlots(c))
        minutes.insert(SlotMinute(s));
    for (const Row& r : ctx.db().query("SELECT * FROM [Reservation] WHERE [ResTypeID] = ? ORDER BY "
                                       "[ReservationDate], [ReservationID]",
                                       {c.id})) {
        ReservationRow x = reservationFromRow(r);
        if (x.availableHere.isEmpty()) continue; // a day booking holds no slot
        // Compared as times: as text "01:00 PM" sorts before "09:00 AM".
        if (!minutes.contains(SlotMinute(x.availableHere))) off.push_back(std::move(x));
    }
    return off;
}

qint64 SaveResType(AppContext& ctx, ResCategory& c, const std::vector<qint64>& dropOffGrid) {
    Database& db = ctx.db();
    const QString name = CleanSqlTextKeepAmp(c.category);
    const QString header = CleanSqlTextKeepAmp(c.columnHeader);
    const QString days = normalisedDays(c.dayOfWeek);
    const QString from = CleanSqlText(storedTime(c.availableFrom));
    const QString through = CleanSqlText(storedTime(c.availableThrough));
    const QVariantList values = {
        int(c.kind), c.intervalIndex, c.price,    name,        days.isEmpty() ? Blank : days,
        from,        through,         header,     c.option[0], c.option[1],
        c.option[2], c.option[3],     c.option[4]};
    db.transaction([&] {
        for (qint64 id : dropOffGrid)
            db.exec("DELETE FROM [Reservation] WHERE [ReservationID] = ? AND [ResTypeID] = ?",
                    {id, c.id});
        if (c.id == 0) {
            c.id = db.insert("INSERT INTO [ResType] ([TypeOfList], [MinuteInterval], [Price], "
                             "[Category], [DayOfWeek], [AvailableFrom], [AvailableThrough], "
                             "[ColumnHeader], [Option1], [Option2], [Option3], [Option4], "
                             "[Option5]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                             values, "ResTypeID");
        } else {
            QVariantList params = values;
            params << c.id;
            db.exec("UPDATE [ResType] SET [TypeOfList] = ?, [MinuteInterval] = ?, [Price] = ?, "
                    "[Category] = ?, [DayOfWeek] = ?, [AvailableFrom] = ?, [AvailableThrough] = ?, "
                    "[ColumnHeader] = ?, [Option1] = ?, [Option2] = ?, [Option3] = ?, "
                    "[Option4] = ?, [Option5] = ? WHERE [ResTypeID] = ?",
                    params);
        }
    });
    c.category = StoredText(name);
    c.columnHeader = StoredText(header);
    c.dayOfWeek = days;
    c.availableFrom = StoredText(from);
    c.availableThrough = StoredText(through);
    return c.id;
}

int CountCategoryReservations(AppContext& ctx, qint64 resTypeId) {
    return ctx.db()
        .scalar("SELECT COUNT([ReservationID]) FROM [Reservation] WHERE [ResTypeID] = ?",
                {resTypeId})
        .toInt();
}

namespace {

// Rental items of the catalogue filed under the category (by its name, or its
// key written as text).
int rentalItemsOf(Database& db, const ResCategory& c) {
    if (!db.tableExists("Stuff")) return 0;
    return db
        .scalar("SELECT COUNT([StuffID]) FROM [Stuff] WHERE [Category] = ? OR [Category] = ?",
                {c.category, QString::number(c.id)})
        .toInt();
}

} // namespace

bool DeleteResType(AppContext& ctx, qint64 resTypeId) {
    Database& db = ctx.db();
    bool deleted = false;
    db.transaction([&] {
        const auto row = db.queryOne("SELECT * FROM [ResType] WHERE [ResTypeID] = ?", {resTypeId});
        if (!row) return;
        if (CountCategoryReservations(ctx, resTypeId) > 0) return;
        if (rentalItemsOf(db, categoryFromRow(*row)) > 0) return;
        for (const char* table :
             {"ResItem", "ResRowLimits", "ResWaitList", "ResTrackUn", "ResType"})
            db.exec(QString("DELETE FROM [%1] WHERE [ResTypeID] = ?").arg(table), {resTypeId});
        deleted = true;
    });
    return deleted;
}

QString CheckDeleteResType(AppContext& ctx, qint64 resTypeId) {
    const auto c = GetResType(ctx, resTypeId);
    if (!c) return {};
    if (const int n = CountCategoryReservations(ctx, resTypeId))
        return c->category + " has " + QString::number(n) +
               " reservation entries.  We cannot delete this category.";
    if (const int n = rentalItemsOf(ctx.db(), *c))
        return c->category + " has " + QString::number(n) +
               " rental items.  We cannot delete this category.";
    return {};
}

std::vector<ResItem> GetResItems(AppContext& ctx, qint64 resTypeId) {
    std::vector<ResItem> items;
    for (const Row& r : ctx.db().query("SELECT * FROM [ResItem] WHERE [ResTypeID] = ? ORDER BY "
                                       "[Sequence], [ResItemID]",
                                       {resTypeId})) {
        ResItem i;
        i.id = r.number("ResItemID");
        i.resTypeId = r.number("ResTypeID");
        i.sequence = int(r.number("Sequence"));
        i.itemName = r.trimmedText("ItemName");
        items.push_back(i);
    }
    return items;
}

QString CheckResItem(AppContext& ctx, const ResCategory& c, const ResItem& item) {
    if (c.id == 0)
        return QStringLiteral("Please Select or Save the Category before attempting to save the "
                              "List Item.  Thank you.");
    if (item.itemName.trimmed().isEmpty())
        return QStringLiteral("The Item Name is required.  Thank you.");
    const QString name = StoredText(CleanSqlTextKeepAmp(item.itemName));
    const std::vector<ResItem> items = GetResItems(ctx, c.id);
    for (const ResItem& other : items)
        if (other.id != item.id && sameText(other.itemName, name))
            return QStringLiteral(
                "This item already exists in the list.  Duplicates are not allowed.");
    if (c.kind == ResListKind::Timed && c.singleItem() && item.id == 0 && !items.empty())
        return QStringLiteral("This has been defined as a Single Item Timed List.  You may only "
                              "add ONE Item to the list.");
    return {};
}

qint64 SaveResItem(AppContext& ctx, const ResCategory& c, ResItem& item) {
    Database& db = ctx.db();
    const QString name = CleanSqlTextKeepAmp(item.itemName);
    db.transaction([&] {
        if (item.id == 0) {
            if (item.sequence <= 0) // at the end of the list
                item.sequence = db.scalar("SELECT MAX([Sequence]) FROM [ResItem] WHERE "
                                          "[ResTypeID] = ?",
                                          {c.id})
                                    .toInt() +
                                10;
            item.id = db.insert("INSERT INTO [ResItem] ([ResTypeID], [Sequence], [ItemName]) "
                                "VALUES (?, ?, ?)",
                                {c.id, item.sequence, name}, "ResItemID");
            return;
        }
        const QString old = StoredText(
            db.scalar("SELECT [ItemName] FROM [ResItem] WHERE [ResItemID] = ?", {item.id})
                .toString());
        db.exec("UPDATE [ResItem] SET [ItemName] = ?, [Sequence] = ? WHERE [ResItemID] = ?",
                {name, item.sequence, item.id});
        if (old.isEmpty() || old == StoredText(name)) return;
        // The bookings and the per-date places of the item follow its new name.
        db.exec("UPDATE [Reservation] SET [ListItem] = ? WHERE [ResTypeID] = ? AND [ListItem] = ?",
                {name, c.id, old});
        if (c.kind == ResListKind::Items) {
            db.exec("UPDATE [Reservation] SET [AvailableHere] = ?, [AvailableFrom] = ? WHERE "
                    "[ResTypeID] = ? AND [AvailableHere] = ?",
                    {name, name, c.id, old});
            db.exec("UPDATE [ResRowLimits] SET [RowText] = ? WHERE [ResTypeID] = ? AND "
                    "[RowText] = ?",
                    {name, c.id, old});
        }
    });
    item.resTypeId = c.id;
    item.itemName = StoredText(name);
    return item.id;
}

int CountItemReservations(AppContext& ctx, const ResCategory& c, const QString& itemName) {
    QVariantList params{c.id};
    const QString cond = itemCondition(c.kind, itemName.trimmed(), params);
    return ctx.db()
        .scalar("SELECT COUNT([ReservationID]) FROM [Reservation] WHERE [ResTypeID] = ? AND " +
                    cond,
                params)
        .toInt();
}

void DeleteResItem(AppContext& ctx, const ResCategory& c, qint64 resItemId, bool withBookings) {
    Database& db = ctx.db();
    db.transaction([&] {
        const auto row = db.queryOne(
            "SELECT [ItemName] FROM [ResItem] WHERE [ResItemID] = ? AND [ResTypeID] = ?",
            {resItemId, c.id});
        if (!row) return;
        const QString name = StoredText(row->text("ItemName"));
        if (withBookings) {
            QVariantList params{c.id};
            const QString cond = itemCondition(c.kind, name, params);
            db.exec("DELETE FROM [Reservation] WHERE [ResTypeID] = ? AND " + cond, params);
            if (c.kind == ResListKind::Items)
                db.exec("DELETE FROM [ResRowLimits] WHERE [ResTypeID] = ? AND [RowText] = ?",
                        {c.id, name});
        } else if (CountItemReservations(ctx, c, name) > 0) {
            return; // its bookings would be left without a row to show in
        }
        db.exec("DELETE FROM [ResItem] WHERE [ResItemID] = ?", {resItemId});
    });
}

void ResequenceItems(AppContext& ctx, qint64 resTypeId) {
    Database& db = ctx.db();
    db.transaction([&] {
        int n = 0;
        for (const ResItem& i : GetResItems(ctx, resTypeId))
            db.exec("UPDATE [ResItem] SET [Sequence] = ? WHERE [ResItemID] = ?", {n += 10, i.id});
    });
}

} // namespace vm
