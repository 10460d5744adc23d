#include "bookings/reports/ReservationReports.h"

#include "bookings/Reservations.h"
#include "core/Formats.h"
#include "output/GridTable.h"

#include <QMap>

namespace vm {

using namespace doc;

namespace {

QDate argDate(const PrintRequest& r, const char* key) {
    return Formats::ParseStoredDate(r.args.value(key).toString());
}

// "From 03/01/2027 through 03/31/2027", open ends left out.
QString dateRange(const QDate& from, const QDate& through) {
    QString s;
    if (from.isValid()) s += "From " + Formats::ShortDate(from);
    if (through.isValid()) s += QString(s.isEmpty() ? "Through " : " through ") +
                                Formats::ShortDate(through);
    return s;
}

QString money(double v) { return Formats::FormatNumber(v, "#.00"); }

TableRow totalRow(int columns, const QString& total) {
    TableRow t;
    for (int i = 0; i < columns - 2; ++i)
        t.cells << QString();
    t.cells << "TOTAL:" << total;
    t.bold = true;
    return t;
}

Table reservationTable(const std::vector<ResSearchRow>& rows, bool withCategory) {
    QList<Column> columns{{"Reservation Date", 1.4}, {"Reserved For", 2.6}};
    if (withCategory) columns << Column{"Category", 1.8};
    columns << Column{"List Item", 1.8} << Column{"Time/Slot", 1.2}
            << Column{"Price", 1, Align::Right};
    Table t = GridTable(columns);
    double sum = 0;
    for (const ResSearchRow& row : rows) {
        QStringList cells{row.date, row.reservedFor};
        if (withCategory) cells << row.category;
        cells << row.listItem << row.slot << money(row.price);
        t.rows << TableRow{cells};
        sum += row.price;
    }
    t.rows << totalRow(int(columns.size()), money(sum));
    return t;
}

// What a request about one category asks for: the category and the dates.
struct CategoryRequest {
    ResCategory category;
    QDate from, through;
};
CategoryRequest categoryRequest(AppContext& ctx, const PrintRequest& r) {
    const qint64 id = r.args.value("categoryId").toLongLong();
    const auto c = id ? GetResType(ctx, id) : std::nullopt;
    if (!c) throw ReportRefused(MsgNoReservationsToPrint);
    return {*c, argDate(r, "from"), argDate(r, "through")};
}
template <class Rows> const Rows& someRows(const Rows& rows) {
    if (rows.empty()) throw ReportRefused(MsgNoReservationsToPrint);
    return rows;
}

Document categoryList(AppContext& ctx, const PrintRequest& r, bool pageBreaks) {
    const auto [c, from, through] = categoryRequest(ctx, r);
    const auto rows = someRows(SearchReservationsByCategory(ctx, c.id, from, through));
    Document d = ListSheet(r, "Reservations", "Reservations - " + c.category, dateRange(from, through));
    if (!pageBreaks) {
        d.body << reservationTable(rows, false);
        return d;
    }
    // One page per item, in the order the items first appear.
    QStringList items;
    QMap<QString, std::vector<ResSearchRow>> byItem;
    for (const ResSearchRow& row : rows) {
        // Item lists keep the item where timed lists keep the slot.
        const QString item = row.listItem.isEmpty() ? row.slot : row.listItem;
        if (!byItem.contains(item)) items << item;
        byItem[item].push_back(row);
    }
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0) d.body << PageBreak{};
        Paragraph heading = Para(items[i].isEmpty() ? c.category : items[i], Align::Left, true, 11);
        heading.spaceAfter = 4;
        heading.keepWithNext = true;
        d.body << heading << reservationTable(byItem[items[i]], false);
    }
    return d;
}

} // namespace

QString SignUpPrice(double price) {
    const QString shown = money(price);
    return shown == ".00" ? QStringLiteral("Complimentary") : shown;
}

Document BuildReservationList(AppContext& ctx, const PrintRequest& r) {
    return categoryList(ctx, r, false);
}

Document BuildReservationListPB(AppContext& ctx, const PrintRequest& r) {
    return categoryList(ctx, r, true);
}

Document BuildReservationsByName(AppContext& ctx, const PrintRequest& r) {
    const QString name = r.args.value("name").toString();
    const QDate from = argDate(r, "from"), through = argDate(r, "through");
    const auto rows = someRows(SearchReservationsByName(ctx, name, from, through));
    Document d = ListSheet(r, "Reservations By Name", "Reservations for: " + name,
                       dateRange(from, through));
    d.body << reservationTable(rows, true);
    return d;
}

Document BuildUnavailabilityList(AppContext& ctx, const PrintRequest& r) {
    const auto [c, from, through] = categoryRequest(ctx, r);
    const auto rows = someRows(SearchUnavailability(ctx, c.id, from, through));
    Document d =
        ListSheet(r, "Unavailability", "Unavailability - " + c.category, dateRange(from, through));
    Table t = GridTable({{"Date", 1.5}, {"Day of Week", 2}, {"Requests", 1, Align::Right}});
    int sum = 0;
    for (const UnavailabilityRow& row : rows) {
        t.rows << TableRow{{row.date, row.dayOfWeek, QString::number(row.requests)}};
        sum += row.requests;
    }
    t.rows << totalRow(3, QString::number(sum));
    d.body << t;
    return d;
}

Document BuildWaitListReport(AppContext& ctx, const PrintRequest& r) {
    const auto [c, from, through] = categoryRequest(ctx, r);
    const auto rows = someRows(SearchWaitList(ctx, c.id, from, through));
    Document d = ListSheet(r, "Wait List", "Wait List - " + c.category, dateRange(from, through));
    Table t = GridTable({{"Date", 1.4}, {"Name", 2.6}, {"How to Contact", 3}});
    for (const WaitListEntry& e : rows)
        t.rows << TableRow{
            {Formats::ShortDateOfStored(e.requestedDate), e.requestedBy, e.howToContact}};
    d.body << t;
    return d;
}

Document BuildSignUpSheet(AppContext& ctx, const PrintRequest& r) {
    const qint64 sheetId = r.args.value("sheetId").toLongLong();
    QString name;
    for (const SignUpSheet& s : GetSignUpSheets(ctx))
        if (s.id == sheetId) name = s.name;
    if (name.isEmpty()) throw ReportRefused(MsgNoReservationsToPrint);
    const qint64 categoryId = r.args.value("categoryId").toLongLong();
    const auto c = categoryId ? GetResType(ctx, categoryId) : std::nullopt;
    const QDate day = argDate(r, "date");
    Document d = ListSheet(r, "SignUpSheet", name,
                       day.isValid() ? Formats::LongDate(day) : QString());
    if (c) {
        d.body << Para(c->category, Align::Center, true, 11);
        d.body << Para((c->party() ? QString("Places per Row: ") + QString::number(c->price)
                                   : "Price: " + SignUpPrice(c->price)),
                       Align::Center);
    }
    d.body << Spacer{6};
    for (const QString& line : GetSignUpText(ctx, sheetId).split('\n'))
        d.body << Para(QString(line).remove('\r'));
    d.body << Spacer{10};
    // Item lists sign against their items; other sheets get numbered lines.
    QStringList lines;
    if (c && c->kind == ResListKind::Items)
        for (const ResItem& item : GetResItems(ctx, c->id))
            lines << item.itemName;
    const bool numbered = lines.isEmpty();
    Table t = GridTable({{numbered ? QStringLiteral("#") : c->columnHeader, numbered ? 0.4 : 1.6},
                         {"Name", 3},
                         {"Room", 1},
                         {"Signature", 3}});
    for (int i = 0; i < (numbered ? 20 : int(lines.size())); ++i)
        t.rows << TableRow{{numbered ? QString::number(i + 1) : lines[i], {}, {}, {}}};
    d.body << t;
    return d;
}

void RegisterReservationReports(ReportCatalogue& catalogue) {
    catalogue.add({RptReservations, PreviewWindow::List, false, false, {}, BuildReservationList});
    catalogue.add(
        {RptReservationsPB, PreviewWindow::List, false, false, {}, BuildReservationListPB});
    catalogue.add(
        {RptUnavailability, PreviewWindow::List, false, false, {}, BuildUnavailabilityList});
    catalogue.add({RptWaitList, PreviewWindow::List, false, false, {}, BuildWaitListReport});
    catalogue.add(
        {RptReservationsByName, PreviewWindow::List, false, false, {}, BuildReservationsByName});
    catalogue.add({RptSignUpSheet, PreviewWindow::List, false, false, {}, BuildSignUpSheet});
}

} // namespace vm
