// Booking and unbooking, the wait list and the unavailability counter.

#include "bookings/BookingTimes.h"
#include "bookings/ReservationRows.h"
#include "bookings/Reservations.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"

namespace vm {

namespace res {

WaitListEntry waitListFromRow(const Row& r) {
    WaitListEntry e;
    e.id = r.number(0);
    e.resTypeId = r.number(1);
    e.requestedDate = r.trimmedText(2);
    e.requestedBy = r.trimmedText(3);
    e.howToContact = r.trimmedText(4);
    return e;
}

} // namespace res

using namespace res;

namespace {

// A booking as it will be written: its days and, on a timed list, its slots.
struct Plan {
    QDate first, last;     // the days (one unless the category spans days)
    QString item;          // as the category's item list spells it
    QStringList slotTexts; // timed lists (not day bookings): from ... through
    double price = 0;      // the price, or the number in party
    bool days = false;     // a booking over days
};

ResBookResult refused(const QString& message) {
    return {ResBookStatus::Refused, message, 0};
}

// The typed booking checked field by field; "" with the plan filled in when it
// may go on to the checks against the stored bookings.
QString checkTyped(AppContext& ctx, const ResCategory& c, const ResBooking& b, Plan& p) {
    p.first = Formats::ParseShortDate(b.date);
    if (!p.first.isValid()) return QStringLiteral("Please enter a valid date.");
    if (b.name.trimmed().isEmpty())
        return QStringLiteral("The Reservation name is a required field.  Thank you.");
    for (const ResItem& i : GetResItems(ctx, c.id))
        if (!b.item.trimmed().isEmpty() && sameText(i.itemName, b.item)) p.item = i.itemName;
    p.days = c.spansDays();
    if (c.kind == ResListKind::Items) {
        if (p.item.isEmpty()) return "The " + c.columnHeader + " is a required field.  Thank you.";
    } else {
        if (p.item.isEmpty())
            return QStringLiteral("The Item to be Reserved is a required field.  Thank you.");
        if (!p.days) {
            const QStringList slotTexts = ResSlots(c);
            const auto slotAt = [&](const QString& text) {
                const int m = SlotMinute(text.trimmed());
                for (int i = 0; i < slotTexts.size(); ++i)
                    if (SlotMinute(slotTexts[i]) == m) return i;
                return -1;
            };
            const int from = slotAt(b.fromSlot);
            if (from < 0) return QStringLiteral("The From Time is a required field.  Thank you.");
            const bool noThrough = b.throughSlot.trimmed().isEmpty();
            const int through = noThrough && !c.throughPicker() ? from : slotAt(b.throughSlot);
            if (through < 0)
                return QStringLiteral("The Through Time is a required field.  Thank you.");
            if (through < from)
                return QStringLiteral(
                    "The Through Time must be later than or equal to the From Time.  Thank you.");
            p.slotTexts = slotTexts.mid(from, through - from + 1);
        }
    }
    if (c.party()) {
        bool ok = false;
        const int n = b.priceOrParty.trimmed().toInt(&ok);
        // Empty, negative or fractional parties would free places that are taken.
        if (!ok || n < 1) return QStringLiteral("Please enter the Number in Party.  Thank you.");
        p.price = n;
    } else if (!b.priceOrParty.trimmed().isEmpty()) {
        bool ok = false;
        p.price = b.priceOrParty.trimmed().toDouble(&ok);
        if (!ok) return QStringLiteral("Please enter a valid Price per Unit.  Thank you.");
    }
    p.last = p.first;
    if (p.days && !b.through.trimmed().isEmpty()) {
        p.last = Formats::ParseShortDate(b.through);
        if (!p.last.isValid()) return QStringLiteral("Please enter a valid Through date.");
        if (p.last < p.first)
            return QStringLiteral(
                "This Date must be after or equal to the Select Date.  Thank you.");
    }
    return {};
}

// The booked cells of a timed booking on its day: a booking of the item in one
// of its slots, or a day booking of the item (which holds every slot).
bool cellsTaken(Database& db, const ResCategory& c, const Plan& p) {
    QList<int> wanted;
    for (const QString& s : p.slotTexts)
        wanted << SlotMinute(s);
    for (const Row& r : db.query("SELECT [AvailableHere] FROM [Reservation] WHERE [ResTypeID] = ? "
                                 "AND [ReservationDate] = ? AND [ListItem] = ?",
                                 {c.id, Formats::StoredDate(p.first), p.item})) {
        const QString slot = r.trimmedText("AvailableHere");
        if (slot.isEmpty() || wanted.contains(SlotMinute(slot))) return true;
    }
    return false;
}

int bookingsOfItem(Database& db, const ResCategory& c, const Plan& p) {
    QVariantList params{c.id, Formats::StoredDate(p.first), Formats::StoredDate(p.last)};
    const QString cond = itemCondition(c.kind, p.item, params);
    return db
        .scalar("SELECT COUNT([ReservationID]) FROM [Reservation] WHERE [ResTypeID] = ? AND "
                "[ReservationDate] >= ? AND [ReservationDate] <= ? AND " +
                    cond,
                params)
        .toInt();
}

// Whether the party fits the places left in every row it takes, on every day.
bool placesLeftFor(AppContext& ctx, const ResCategory& c, const Plan& p) {
    QStringList rows = p.slotTexts;
    if (c.kind == ResListKind::Items) rows = {p.item};
    for (QDate d = p.first; d <= p.last; d = d.addDays(1)) {
        const QString day = Formats::StoredDate(d);
        for (const QString& row : rows)
            if (p.price > GetRowLimit(ctx, c, day, row) - GetRowCount(ctx, c.id, day, row))
                return false;
    }
    return true;
}

int writeRows(AppContext& ctx, const ResCategory& c, const Plan& p, const QString& name) {
    Database& db = ctx.db();
    const QString sql = "INSERT INTO [Reservation] ([ResTypeID], [ReservationDate], "
                        "[ReservationFor], [ListItem], [Price], [AvailableHere], [AvailableFrom], "
                        "[AvailableThrough], [ConciergeID]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
    const qint64 member = ctx.session.conciergeId;
    const QString day = Formats::StoredDate(p.first);
    int written = 0;
    const auto write = [&](const QString& date, const QString& listItem, const QString& here,
                           const QString& from, const QString& through) {
        db.insert(sql, {c.id, date, name, listItem, p.price, here, from, through, member},
                  "ReservationID");
        ++written;
    };
    if (p.days) {
        const QString first = day, last = Formats::StoredDate(p.last);
        for (QDate d = p.first; d <= p.last; d = d.addDays(1))
            write(Formats::StoredDate(d), p.item, Blank, first, last);
    } else if (c.kind == ResListKind::Timed) {
        for (const QString& slot : p.slotTexts)
            write(day, p.item, slot, p.slotTexts.first(), p.slotTexts.last());
    } else {
        write(day, Blank, p.item, p.item, Blank);
    }
    return written;
}

} // namespace

ResBookResult BookReservation(AppContext& ctx, const ResCategory& c, const ResBooking& b,
                              bool allowOverLimit) {
    Plan p;
    if (const QString refusal = checkTyped(ctx, c, b, p); !refusal.isEmpty())
        return refused(refusal);
    const QString name = CleanSqlTextKeepAmp(b.name);
    Database& db = ctx.db();
    ResBookResult result;
    db.transaction([&] {
        // A second desk booking this category waits here until this one is
        // written, and then sees it.
        if (!LockRowForBooking(db, "ResType", "ResTypeID", c.id)) {
            result = refused(QStringLiteral("Please select some Reservation Information first."));
            return;
        }
        if (!p.days && c.kind == ResListKind::Timed && cellsTaken(db, c, p)) {
            result = refused(MsgResSegmentBooked);
            return;
        }
        // One name per row on an item list, unless its rows count places.
        if (!p.days && c.kind == ResListKind::Items && !c.party() && bookingsOfItem(db, c, p) > 0) {
            result = refused(MsgResSegmentBooked);
            return;
        }
        if (c.party() && !allowOverLimit && !placesLeftFor(ctx, c, p)) {
            result = {ResBookStatus::OverLimit, MsgResOverLimit, 0};
            return;
        }
        if (p.days && bookingsOfItem(db, c, p) > 0) {
            result = refused(MsgResDayBooked);
            return;
        }
        result = {ResBookStatus::Booked, {}, writeRows(ctx, c, p, name)};
        // Only the waiting guest this booking was made for leaves the list.
        if (result.rowsWritten > 0 && b.waitListId > 0)
            db.exec("DELETE FROM [ResWaitList] WHERE [WaitListID] = ? AND [ResTypeID] = ?",
                    {b.waitListId, c.id});
    });
    return result;
}

std::optional<ReservationRow> GetReservation(AppContext& ctx, qint64 reservationId) {
    const auto r =
        ctx.db().queryOne("SELECT * FROM [Reservation] WHERE [ReservationID] = ?", {reservationId});
    if (!r) return std::nullopt;
    return reservationFromRow(*r);
}

QString CheckUnbook(AppContext& ctx, const ReservationRow& r) {
    const Session& s = ctx.session;
    const bool elevated = s.manager || s.support;
    if (!elevated && !HasRight(ctx.db(), s.conciergeId, Rights::OthersReservations))
        return QStringLiteral("You are not authorized to Unbook Reservations.");
    if (elevated || r.conciergeId == s.conciergeId) return {};
    const QString creator = StoredText(
        ctx.db()
            .scalar("SELECT [Concierge] FROM [Concierge] WHERE [ConciergeID] = ?", {r.conciergeId})
            .toString());
    return "You are not authorized to Unbook this Reservation." + CRLF + CRLF +
           "This reservation was created by " + creator + "." + CRLF +
           "Reservation items may only be unbooked by an " + CRLF +
           "administrator or the user who created the entry.";
}

int DeleteReservation(AppContext& ctx, const ResCategory& c, qint64 reservationId) {
    Database& db = ctx.db();
    int removed = 0;
    db.transaction([&] {
        const auto x = GetReservation(ctx, reservationId);
        if (!x) return;
        if (isDayBooking(*x)) {
            removed = db.exec(
                "DELETE FROM [Reservation] WHERE [ResTypeID] = ? AND [ReservationFor] = ? AND "
                "[ListItem] = ? AND [AvailableFrom] = ? AND [AvailableThrough] = ? AND "
                "[ReservationDate] >= ? AND [ReservationDate] <= ?",
                {x->resTypeId, x->reservationFor, x->listItem, x->availableFrom,
                 x->availableThrough, x->availableFrom, x->availableThrough});
        } else if (c.kind == ResListKind::Timed && !x->listItem.isEmpty()) {
            // Every slot of the booking: same day, guest, item and time frame.
            removed = db.exec(
                "DELETE FROM [Reservation] WHERE [ReservationDate] = ? AND [ReservationFor] = ? "
                "AND [ListItem] = ? AND [AvailableFrom] = ? AND [AvailableThrough] = ? AND "
                "[ResTypeID] = ?",
                {x->reservationDate, x->reservationFor, x->listItem, x->availableFrom,
                 x->availableThrough, x->resTypeId});
        } else {
            // An item-list booking is one row; a guest's second party in the
            // same row is a booking of its own.
            removed = db.exec("DELETE FROM [Reservation] WHERE [ReservationID] = ?", {x->id});
        }
    });
    return removed;
}

std::vector<WaitListEntry> GetWaitList(AppContext& ctx, qint64 resTypeId, const QDate& day) {
    std::vector<WaitListEntry> out;
    for (const Row& r : ctx.db().query("SELECT " + WaitListColumns +
                                           " FROM [ResWaitList] WHERE [RequestedDate] = ? AND "
                                       "[ResTypeID] = ? ORDER BY [RequestedDate], [WaitListID]",
                                       {Formats::StoredDate(day), resTypeId}))
        out.push_back(waitListFromRow(r));
    return out;
}

std::optional<WaitListEntry> GetNextWaitList(AppContext& ctx, qint64 resTypeId, const QDate& day) {
    const auto r = ctx.db().queryOne("SELECT " + WaitListColumns +
                                         " FROM [ResWaitList] WHERE [RequestedDate] = ? AND "
                                     "[ResTypeID] = ? ORDER BY [WaitListID] LIMIT 1",
                                     {Formats::StoredDate(day), resTypeId});
    if (!r) return std::nullopt;
    return waitListFromRow(*r);
}

QString InsertWaitList(AppContext& ctx, WaitListEntry& e) {
    if (e.resTypeId == 0) return QStringLiteral("Must select a Category for this Wait List Entry.");
    QDate day = Formats::ParseStoredDate(e.requestedDate);
    if (!day.isValid()) day = Formats::ParseShortDate(e.requestedDate);
    if (!day.isValid()) return QStringLiteral("Please enter a valid date.");
    if (e.requestedBy.trimmed().isEmpty()) return QStringLiteral("The Name must be entered.");
    if (e.howToContact.trimmed().isEmpty())
        return QStringLiteral("The How to Contact information must be entered.");
    const QString by = CleanSqlTextKeepAmp(e.requestedBy);
    const QString how = CleanSqlTextKeepAmp(e.howToContact);
    e.requestedDate = Formats::StoredDate(day);
    e.id = ctx.db().insert("INSERT INTO [ResWaitList] ([ResTypeID], [RequestedDate], "
                           "[RequestedBy], [HowToContact]) VALUES (?, ?, ?, ?)",
                           {e.resTypeId, e.requestedDate, by, how}, "WaitListID");
    e.requestedBy = StoredText(by);
    e.howToContact = StoredText(how);
    return {};
}

bool DeleteWaitList(AppContext& ctx, qint64 waitListId) {
    return ctx.db().exec("DELETE FROM [ResWaitList] WHERE [WaitListID] = ?", {waitListId}) > 0;
}

int IncrementUnavailability(AppContext& ctx, qint64 resTypeId, const QDate& day) {
    Database& db = ctx.db();
    const QString stored = Formats::StoredDate(day);
    int count = 0;
    db.transaction([&] {
        LockRowForBooking(db, "ResType", "ResTypeID", resTypeId);
        // Counted in the database, so two desks never write the same count.
        if (db.exec("UPDATE [ResTrackUn] SET [RequestCount] = [RequestCount] + 1 WHERE "
                    "[ResTypeID] = ? AND [RequestedDate] = ?",
                    {resTypeId, stored}) == 0)
            db.insert("INSERT INTO [ResTrackUn] ([RequestCount], [ResTypeID], [RequestedDate]) "
                      "VALUES (?, ?, ?)",
                      {1, resTypeId, stored}, "TrackUnID");
        count = db.scalar("SELECT MAX([RequestCount]) FROM [ResTrackUn] WHERE [ResTypeID] = ? "
                          "AND [RequestedDate] = ?",
                          {resTypeId, stored})
                    .toInt();
    });
    return count;
}

} // namespace vm
