#include "bookings/reports/TimedServiceReports.h"

#include "bookings/DaySheet.h"
#include "bookings/TsSetup.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "output/GridTable.h"

namespace vm {

using namespace doc;

namespace {

quint32 rgbOf(const QColor& c) {
    return c.isValid() ? (quint32(c.red()) << 16 | quint32(c.green()) << 8 | quint32(c.blue()))
                       : 0xFFFFFF;
}

// One sheet's page: its heading and the rows that are not free; nothing when
// no booking stands on it (a day of meal breaks alone is not worth a page).
bool addSheet(Document& d, const QString& heading, const DaySheet& sheet) {
    Table t = GridTable({{"Time", 1}, {"Service Information", 5}});
    bool booked = !sheet.outside.isEmpty();
    for (const SheetRow& row : sheet.rows) {
        if (row.state == SlotState::Free) continue;
        if (row.state != SlotState::Meal) booked = true;
        TableRow line{{row.time, row.text}};
        line.background = rgbOf(row.color);
        t.rows << line;
    }
    if (!booked) return false;
    if (!d.body.isEmpty()) d.body << PageBreak{};
    Paragraph title = Para(heading, Align::Left, true, 12);
    title.spaceAfter = 6;
    title.keepWithNext = true;
    d.body << title << t;
    for (const QString& line : sheet.outside)
        d.body << Para("Outside the day's rows: " + line);
    return true;
}

Document sheets(AppContext& ctx, const PrintRequest& r, bool byLocation) {
    // A day without bookings leaves the body empty: the window says there is nothing to print.
    const QDate day = Formats::ParseStoredDate(r.args.value("date").toString());
    Document d;
    d.title = byLocation ? QStringLiteral("Location Sheets") : QStringLiteral("Provider Sheets");
    d.page.margins = {0.6, 0.6, 0.6, 0.6};
    d.header << Para(d.title, Align::Center, true, 13)
             << Para(Formats::LongDate(day), Align::Center) << Spacer{6};
    d.footer << PageOfPages();
    if (!day.isValid()) return d;
    if (byLocation) {
        for (const OtherValue& v : GetOtherData(ctx, "TSVenue"))
            addSheet(d, v.value.trimmed(),
                     BuildDaySheet(ctx, SheetKind::Location, day, 0, v.id));
    } else {
        for (const auto& [id, name] : GetProviders(ctx))
            addSheet(d, name.trimmed(), BuildDaySheet(ctx, SheetKind::Provider, day, id, 0));
    }
    return d;
}

} // namespace

Document BuildLocationSheets(AppContext& ctx, const PrintRequest& r) {
    return sheets(ctx, r, true);
}

Document BuildProviderSheets(AppContext& ctx, const PrintRequest& r) {
    return sheets(ctx, r, false);
}

void RegisterTimedServiceReports(ReportCatalogue& catalogue) {
    catalogue.add({RoutineLocationSheets, PreviewWindow::List, false, false, {},
                   &BuildLocationSheets});
    catalogue.add({RoutineProviderSheets, PreviewWindow::List, false, false, {},
                   &BuildProviderSheets});
}

} // namespace vm
