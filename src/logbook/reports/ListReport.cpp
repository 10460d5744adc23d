// The Logbook page's list on paper, rows in the order the page shows them.

#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/LogbookList.h"
#include "logbook/reports/LogbookReports.h"
#include "logbook/reports/ReportData.h"
#include "platform/Mailer.h"

namespace vm {

using namespace doc;

Document BuildLogbookList(AppContext& ctx, const PrintRequest& r) {
    const std::vector<qint64> ids = RequestIds(r);
    if (ids.empty()) throw ReportRefused(MsgNoEntriesChosen);
    const LogSource source = RequestSource(r);
    const std::vector<LogEntry> entries = ReadEntries(ctx, ids, source);
    if (entries.empty()) throw ReportRefused(MsgEntryNotFound(ids.front(), source));
    const PrintSettings s = LoadPrintSettings(ctx);
    const bool useGuestId = GetBooleanSetting(ctx.db(), "UseGuestID", &ctx.prompt());

    Document d;
    d.title = r.title.isEmpty() ? QStringLiteral("Logbook List") : r.title;
    d.page.landscape = true;
    d.page.margins = {0.6, 0.6, 0.5, 0.5};
    d.page.base.pointSize = 9;
    d.header << Para("Concierge Logbook List - Using " + SourceName(source) + " File",
                     Align::Center, true, 13);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();

    Table t;
    t.columns = {{"Last Name", 3},
                 {"First Name", 2.5},
                 {"Room", 1.2},
                 {"Category", 2.5},
                 {useGuestId ? "Guest ID" : "Notified", 2},
                 {"Refer Date", 2},
                 {"Time", 1.2},
                 {"Who", 1},
                 {"Text", 9}};
    TableRow header;
    for (const Column& c : t.columns)
        header.cells << c.title;
    t.header << header;
    t.gridLines = true;
    t.rows.reserve(qsizetype(entries.size()));
    for (const LogEntry& e : entries) {
        QString last = e.lastName.trimmed();
        if (e.cancelled) last += "  (CXL)";
        const QString text = PaperText(MailLineBreaks(e.text).trimmed(), s);
        t.rows << TableRow{{last, e.firstName.trimmed(), e.roomNumber.trimmed(),
                            e.entryType.trimmed(),
                            useGuestId ? e.guestId.trimmed() : e.notified.trimmed(),
                            Formats::ShortDateOfStored(e.referDate), e.referTime.trimmed(),
                            e.initials.trimmed(), text}};
    }
    d.body << t;
    Paragraph count = Para(CountCaption(qint64(entries.size())).trimmed());
    count.spaceBefore = 6;
    d.body << count;
    return d;
}

} // namespace vm
