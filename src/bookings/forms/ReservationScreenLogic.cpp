#include "bookings/forms/ReservationScreenLogic.h"

#include "core/Formats.h"

namespace vm {

QString ReservationCaption(const QString& category, const QDate& day) {
    return "Reservation Subsystem - " + category + " - " + Formats::LongDate(day);
}

QString WaitListCaption(const QString& category, const QDate& day) {
    return "Reservation Wait List - " + category + " - " + Formats::LongDate(day);
}

std::vector<ResGridLine> ResGridLines(const ResCategory& c, const ResGrid& grid) {
    std::vector<ResGridLine> lines;
    for (int r = 0; r < int(grid.rows.size()); ++r) {
        if (c.kind == ResListKind::Timed || grid.cells.size() <= size_t(r) ||
            grid.cells[size_t(r)].empty()) {
            lines.push_back({r, -1});
            continue;
        }
        const auto& bookings = grid.cells[size_t(r)][0];
        for (int b = 0; b < int(bookings.size()); ++b)
            lines.push_back({r, b});
        // A party row takes more bookings (over its places only after the
        // question); any other row only while it is free.
        if (bookings.empty() || c.party()) lines.push_back({r, -1});
    }
    return lines;
}

QString CheckResSearch(ResSearchKind kind, const QString& name, qint64 resTypeId,
                       const QString& from, const QString& through) {
    if (kind == ResSearchKind::ByName && name.trimmed().isEmpty())
        return QStringLiteral("Please enter the Name for this Search.");
    if (kind != ResSearchKind::ByName && resTypeId == 0)
        return QStringLiteral("Must select a Category for this Search.");
    const QDate f = Formats::ParseShortDate(from), t = Formats::ParseShortDate(through);
    if ((!from.trimmed().isEmpty() && !f.isValid()) ||
        (!through.trimmed().isEmpty() && !t.isValid()))
        return QStringLiteral("Please enter a valid date.");
    if (f.isValid() && t.isValid() && t < f)
        return QStringLiteral("Through date must be greater than starting date.");
    return {};
}

QString ResSearchCaptionShown(const QDate& from, const QDate& through, const QString& name,
                              const QString& category) {
    if (from.isValid() && through.isValid()) return SearchCaption(from, through, name, category);
    // The common caption without its dates, then the open range in front.
    QString rest = SearchCaption(QDate(2000, 1, 1), QDate(2000, 1, 1), name, category);
    rest = rest.mid(rest.indexOf(" And ") < 0 ? rest.size() : rest.indexOf(" And "));
    const QString range =
        from.isValid()      ? "Where Reservation Date is on or after " + Formats::ShortDate(from)
        : through.isValid() ? "Where Reservation Date is on or before " + Formats::ShortDate(through)
                            : QStringLiteral("Where Reservation Date is any date");
    return range + rest;
}

ResSearchTable ResSearchResult(AppContext& ctx, ResSearchKind kind, const QString& name,
                               qint64 resTypeId, const QDate& from, const QDate& through) {
    ResSearchTable t;
    switch (kind) {
    case ResSearchKind::ByName:
    case ResSearchKind::ByCategory: {
        t.headers = {"Reservation Date", "Reserved For", "Category", "List Item", "Time/Slot",
                     "Price"};
        const auto rows = kind == ResSearchKind::ByName
                              ? SearchReservationsByName(ctx, name, from, through)
                              : SearchReservationsByCategory(ctx, resTypeId, from, through);
        for (const ResSearchRow& r : rows)
            t.rows << QStringList{r.date, r.reservedFor, r.category,
                                  r.listItem, r.slot, Formats::FormatNumber(r.price, "#.00")};
        break;
    }
    case ResSearchKind::WaitList:
        t.headers = {"Date", "Name", "How to Contact"};
        for (const WaitListEntry& e : SearchWaitList(ctx, resTypeId, from, through))
            t.rows << QStringList{Formats::ShortDateOfStored(e.requestedDate), e.requestedBy,
                                  e.howToContact};
        break;
    case ResSearchKind::Unavailability:
        t.headers = {"Date", "Day of Week", "Requests"};
        for (const UnavailabilityRow& u : SearchUnavailability(ctx, resTypeId, from, through))
            t.rows << QStringList{u.date, u.dayOfWeek,
                                  QString::number(u.requests)};
        break;
    }
    return t;
}

} // namespace vm
