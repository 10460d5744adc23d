// The day's grid of a category: its slots or items, the bookings in them and
// the places left per row.

#include "bookings/BookingTimes.h"
#include "bookings/ReservationRows.h"
#include "bookings/Reservations.h"
#include "core/DataAccess.h"
#include "core/Formats.h"

#include <QHash>

namespace vm {

using namespace res;

QStringList ResSlots(const ResCategory& c) {
    QStringList slotTexts;
    if (c.kind != ResListKind::Timed) return slotTexts;
    const int from = SlotMinute(c.availableFrom.trimmed());
    const int through = SlotMinute(c.availableThrough.trimmed());
    if (from < 0 || through < 0 || through - from < 6) return slotTexts;
    const int step = ResIntervalMinutes(c.intervalIndex);
    for (int at = from; at < through; at += step)
        slotTexts << SlotText(at);
    return slotTexts;
}

bool ResGrid::anyFree() const {
    for (int r = 0; r < rows.size(); ++r) {
        if (party && r < int(placesLeft.size()) && placesLeft[r] <= 0) continue;
        // An item list with places takes several parties in a row.
        if (party && kind == ResListKind::Items) return true;
        for (const auto& cell : cells[r])
            if (cell.empty()) return true;
    }
    return false;
}

namespace {

// The rows of the category's grid: its slots, or its items.
QStringList gridRows(const ResCategory& c, const std::vector<ResItem>& items) {
    if (c.kind == ResListKind::Timed) return ResSlots(c);
    QStringList rows;
    for (const ResItem& i : items)
        rows << i.itemName;
    return rows;
}

// A row's key for matching: slots by their time, items by their name.
QString rowKey(ResListKind kind, const QString& text) {
    if (kind == ResListKind::Timed) {
        const int m = SlotMinute(text.trimmed());
        return m < 0 ? QString() : QString::number(m);
    }
    return text.trimmed().toLower();
}

// The day's per-row places overrides, by row key.
QHash<QString, std::pair<qint64, double>> rowLimitsOn(Database& db, const ResCategory& c,
                                                      const QString& day) {
    QHash<QString, std::pair<qint64, double>> limits;
    for (const Row& r : db.query("SELECT [ResRowID], [RowText], [RowTotal] FROM [ResRowLimits] "
                                 "WHERE [ResTypeID] = ? AND [ReservationDate] = ? "
                                 "ORDER BY [ResRowID]",
                                 {c.id, day})) {
        const QString key = rowKey(c.kind, r.text("RowText"));
        if (!key.isEmpty() && !limits.contains(key))
            limits.insert(key, {r.number("ResRowID"), r.real("RowTotal")});
    }
    return limits;
}

QString offGridText(const ReservationRow& x) {
    QStringList parts;
    if (!x.availableHere.isEmpty()) parts << x.availableHere;
    if (!x.listItem.isEmpty()) parts << x.listItem;
    parts << x.reservationFor;
    return parts.join("  ");
}

} // namespace

ResGrid BuildResGrid(AppContext& ctx, const ResCategory& c, const QDate& day) {
    ResGrid g;
    g.kind = c.kind;
    g.party = c.party();
    if (c.id == 0 || !day.isValid()) return g;
    Database& db = ctx.db();
    const QString stored = Formats::StoredDate(day);
    std::vector<ReservationRow> bookings;
    QHash<QString, std::pair<qint64, double>> limits;
    std::vector<ResItem> items;
    db.snapshot([&] {
        items = GetResItems(ctx, c.id);
        for (const Row& r : db.query("SELECT * FROM [Reservation] WHERE [ResTypeID] = ? AND "
                                     "[ReservationDate] = ? ORDER BY [ReservationID]",
                                     {c.id, stored}))
            bookings.push_back(reservationFromRow(r));
        if (g.party) limits = rowLimitsOn(db, c, stored);
    });

    g.rows = gridRows(c, items);
    if (c.kind == ResListKind::Timed) {
        g.firstHeader = QStringLiteral("Time");
        for (const ResItem& i : items) {
            g.columns << i.itemName;
            if (c.singleItem()) break;
        }
    } else {
        g.firstHeader = c.columnHeader;
        g.columns << QStringLiteral("Reserved For");
    }
    g.cells.assign(g.rows.size(), std::vector<std::vector<ResCell>>(g.columns.size()));

    QHash<QString, int> rowAt, columnAt;
    for (int i = 0; i < g.rows.size(); ++i)
        rowAt.insert(rowKey(c.kind, g.rows[i]), i);
    for (int i = 0; i < g.columns.size(); ++i)
        columnAt.insert(g.columns[i].toLower(), i);

    for (const ReservationRow& x : bookings) {
        const ResCell cell{x.id, x.reservationFor, x.price};
        bool placed = false;
        if (c.kind == ResListKind::Timed) {
            const int col = columnAt.value(x.listItem.toLower(), -1);
            if (col >= 0 && x.availableHere.isEmpty()) { // a day booking holds the whole day
                for (auto& row : g.cells)
                    row[col].push_back(cell);
                placed = !g.cells.empty();
            } else if (col >= 0) {
                const int row = rowAt.value(rowKey(c.kind, x.availableHere), -1);
                if (row >= 0) {
                    g.cells[row][col].push_back(cell);
                    placed = true;
                }
            }
        } else {
            const QString item = x.availableHere.isEmpty() ? x.listItem : x.availableHere;
            const int row = rowAt.value(rowKey(c.kind, item), -1);
            if (row >= 0 && !g.columns.isEmpty()) {
                g.cells[row][0].push_back(cell);
                placed = true;
            }
        }
        if (!placed) g.offGrid << offGridText(x);
    }

    if (g.party) {
        for (const QString& row : g.rows) {
            const auto limit = limits.find(rowKey(c.kind, row));
            double left = limit == limits.end() ? c.price : limit->second;
            for (const ReservationRow& x : bookings)
                if (inRow(x, row)) left -= x.price;
            g.placesLeft.push_back(left);
        }
    }
    return g;
}

double GetRowLimit(AppContext& ctx, const ResCategory& c, const QString& day, const QString& row) {
    const QVariant total = ctx.db().scalar(
        "SELECT [RowTotal] FROM [ResRowLimits] WHERE [ReservationDate] = ? AND [RowText] = ? AND "
        "[ResTypeID] = ? ORDER BY [ResRowID]",
        {day, row.trimmed(), c.id});
    return total.isValid() && !total.isNull() ? total.toDouble() : c.price;
}

double GetRowCount(AppContext& ctx, qint64 resTypeId, const QString& day, const QString& row) {
    return ctx.db()
        .scalar("SELECT SUM([Price]) FROM [Reservation] WHERE [ReservationDate] = ? AND "
                "[ResTypeID] = ? AND ([AvailableHere] = ? OR ([AvailableHere] = ? AND "
                "[ListItem] = ?))",
                {day, resTypeId, row.trimmed(), Blank, row.trimmed()})
        .toDouble();
}

std::vector<RowLimit> GetRowLimits(AppContext& ctx, const ResCategory& c, const QDate& day) {
    std::vector<RowLimit> out;
    if (c.id == 0 || !day.isValid()) return out;
    const auto limits = rowLimitsOn(ctx.db(), c, Formats::StoredDate(day));
    for (const QString& row : gridRows(c, GetResItems(ctx, c.id))) {
        RowLimit l;
        l.rowText = row;
        l.total = c.price;
        const auto found = limits.find(rowKey(c.kind, row));
        if (found != limits.end()) {
            l.id = found->first;
            l.total = found->second;
            l.overridden = true;
        }
        out.push_back(l);
    }
    return out;
}

QString SaveRowLimit(AppContext& ctx, const ResCategory& c, const QDate& day,
                     const QString& rowText, const QString& typedTotal) {
    bool ok = false;
    const int total = typedTotal.trimmed().toInt(&ok);
    // RowTotal holds whole places; a negative count would free places that are taken.
    if (!ok || total < 0)
        return QStringLiteral("Please enter a valid number for this row.  Thank you.");
    Database& db = ctx.db();
    const QString stored = Formats::StoredDate(day);
    const QString row = CleanSqlTextKeepAmp(rowText);
    db.transaction([&] {
        const QVariant id = db.scalar("SELECT [ResRowID] FROM [ResRowLimits] WHERE [ResTypeID] = ? "
                                      "AND [ReservationDate] = ? AND [RowText] = ? "
                                      "ORDER BY [ResRowID]",
                                      {c.id, stored, row});
        if (id.isValid() && !id.isNull())
            db.exec("UPDATE [ResRowLimits] SET [RowTotal] = ? WHERE [ResRowID] = ?",
                    {total, id.toLongLong()});
        else
            db.insert("INSERT INTO [ResRowLimits] ([ResTypeID], [ReservationDate], [RowText], "
                      "[RowTotal]) VALUES (?, ?, ?, ?)",
                      {c.id, stored, row, total}, "ResRowID");
    });
    return {};
}

QString CheckUnavailabilityIncrement(const ResGrid& grid) {
    if (grid.isEmpty()) return QStringLiteral("Please select some Reservation Information first.");
    if (grid.anyFree())
        return QStringLiteral("There are slots available, we cannot increment the Unavailability "
                              "counter until all slots have been filled.");
    return {};
}

QString UnavailabilityIncrementedMessage(int count) {
    return "The Unavailability counter has been incremented to " + QString::number(count) +
           " with this request.";
}

} // namespace vm
