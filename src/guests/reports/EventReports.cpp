#include "guests/reports/EventReports.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "logbook/LogbookList.h"
#include "logbook/reports/LetterParts.h"

namespace vm {

using namespace doc;

namespace {

const char* const RoutineNames[] = {"PrintEventContinuous", "PrintEventHeadliner",
                                    "PrintEventFuture"};
const char* const ListTitles[] = {"On-Going Events", "Headliner Events", "Future Events"};

// The events of `ids` in their order, read a slice at a time.
std::vector<Event> readEvents(AppContext& ctx, const QList<qint64>& ids) {
    QHash<qint64, Event> byId;
    constexpr qsizetype Slice = 500;
    for (qsizetype at = 0; at < ids.size(); at += Slice) {
        QStringList marks;
        QVariantList params;
        for (qint64 id : ids.mid(at, Slice)) {
            marks << "?";
            params << id;
        }
        for (const Row& r : ctx.eventsDb().query(
                 "SELECT * FROM [Event] WHERE [EventID] IN (" + marks.join(",") + ")", params)) {
            const Event e = EventFromRow(r);
            byId.insert(e.id, e);
        }
    }
    std::vector<Event> out;
    for (qint64 id : ids)
        if (byId.contains(id)) out.push_back(byId.value(id));
    return out;
}

QList<qint64> requestIds(const PrintRequest& r) {
    QList<qint64> ids;
    for (const QVariant& v : r.args.value(ArgEventIds).toList())
        if (v.toLongLong() > 0) ids << v.toLongLong();
    return ids;
}

DayRange requestDays(AppContext& ctx, const PrintRequest& r) {
    const QDate from = Formats::ParseStoredDate(r.args.value(ArgFrom).toString());
    const QDate through = Formats::ParseStoredDate(r.args.value(ArgThrough).toString());
    return from.isValid() && through.isValid()
               ? DayRange{from, through}
               : LimitedListDays(ctx.clock().today(), QDate(), QDate());
}

QString runOf(const Event& e) {
    if (e.continuous()) return {};
    const QString start = Formats::ShortDateOfStored(e.startingDate);
    return e.throughDate.isEmpty() || e.throughDate == e.startingDate
               ? start
               : start + " through " + Formats::ShortDateOfStored(e.throughDate);
}

QString pricesOf(const Event& e) {
    const QString low = FormatPrice(e.lowPrice), high = FormatPrice(e.highPrice);
    if (low.isEmpty() || high.isEmpty() || low == high) return low.isEmpty() ? high : low;
    return low + " - " + high;
}

// One event of a guest list: its name, then what a guest needs to go.
void appendGuestListEvent(QList<Block>& body, AppContext& ctx, const Event& e) {
    Paragraph name = Para(e.name, Align::Left, true, 11);
    name.spaceBefore = 8;
    name.keepWithNext = true;
    body << name;
    QStringList lines;
    const QString run = runOf(e);
    QString when = run;
    if (!e.eventTime.isEmpty()) when += (when.isEmpty() ? "" : "   ") + e.eventTime;
    if (!when.isEmpty()) lines << "When: " + when;
    if (!e.location.isEmpty()) lines << "Where: " + e.location;
    if (!e.telephone.isEmpty()) lines << "Telephone: " + e.telephone;
    if (!pricesOf(e).isEmpty()) lines << "Prices: " + pricesOf(e);
    if (!e.dark.isEmpty()) lines << "Dark: " + e.dark;
    if (!lines.isEmpty()) body << Para(lines.join("\n"));
    const QString notes = GetECT(ctx, e.id, TextKind::EventNotes).trimmed();
    if (!notes.isEmpty()) body << Para(notes);
}

Document guestList(AppContext& ctx, const PrintRequest& r, GuestList list) {
    const DayRange days = requestDays(ctx, r);
    std::vector<Event> events;
    switch (list) {
    case GuestList::Continuous:
        events = GetContinuousEvents(ctx);
        break;
    case GuestList::Limited:
        events = GetCurrentEvents(ctx, days);
        break;
    case GuestList::Future:
        events = GetFutureEvents(ctx);
        break;
    }
    if (events.empty()) throw ReportRefused(MsgNoGuestListEvents);
    const QString title = r.title.isEmpty() ? ListTitles[int(list)] : r.title;
    const bool letterhead = r.routine.endsWith(LetterheadSuffix, Qt::CaseInsensitive);
    Document d = letterhead ? LetterDocument(title, LoadPrintSettings(ctx)) : Document{};
    d.title = title;
    const QStringList heading = GuestListHeading(ctx, list, days);
    for (int i = 0; i < heading.size(); ++i)
        d.header << Para(heading[i], Align::Center, i == 0, i == 0 ? 14 : 0);
    d.header << Spacer{6};
    if (!letterhead) d.footer << PageOfPages();
    for (const Event& e : events)
        appendGuestListEvent(d.body, ctx, e);
    return d;
}

} // namespace

PrintRequest EventEntryRequest(qint64 eventId) {
    return {"PrintEventEntry", "Event Details", {{ArgEventId, eventId}}};
}

PrintRequest EventListRequest(const QList<qint64>& eventIds) {
    QVariantList ids;
    for (qint64 id : eventIds)
        ids << id;
    return {"PrintEventList", "Event List", {{ArgEventIds, ids}}};
}

PrintRequest GuestListRequest(GuestList list, const DayRange& days, bool letterhead) {
    PrintRequest r{QString::fromLatin1(RoutineNames[int(list)]),
                   QString::fromLatin1(ListTitles[int(list)]),
                   {}};
    if (letterhead) r.routine += LetterheadSuffix;
    if (list == GuestList::Limited)
        r.args = {{ArgFrom, Formats::StoredDate(days.from)},
                  {ArgThrough, Formats::StoredDate(days.through)}};
    return r;
}

QStringList GuestListHeading(AppContext& ctx, GuestList list, const DayRange& days) {
    Database& db = ctx.db();
    QStringList lines{GetVmSetting(db, "Title", "EVENTS and ENTERTAINMENT"),
                      GetVmSetting(db, "SubTitle", "Event prices and times are subject to change")};
    const QString title10 = GetVmSetting(db, "Title10").trimmed();
    if (!title10.isEmpty()) lines << title10;
    lines << "As of: " + Formats::LongDate(ctx.clock().today());
    switch (list) {
    case GuestList::Continuous:
        lines << GetVmSetting(db, "EntertainmentTitle", "Continuous Entertainment List");
        break;
    case GuestList::Limited:
        lines << "Limited Engagement Entertainment List" +
                     QString("   -  Events Occurring Between ") + Formats::ShortDate(days.from) +
                     " and " + Formats::ShortDate(days.through);
        break;
    case GuestList::Future:
        lines << "Future Entertainment List" + QString("   -  Events Occurring After: ") +
                     Formats::ShortDate(ctx.clock().today());
        break;
    }
    return lines;
}

Document BuildEventContinuous(AppContext& ctx, const PrintRequest& r) {
    return guestList(ctx, r, GuestList::Continuous);
}
Document BuildEventHeadliner(AppContext& ctx, const PrintRequest& r) {
    return guestList(ctx, r, GuestList::Limited);
}
Document BuildEventFuture(AppContext& ctx, const PrintRequest& r) {
    return guestList(ctx, r, GuestList::Future);
}

Document BuildEventList(AppContext& ctx, const PrintRequest& r) {
    const QList<qint64> ids = requestIds(r);
    if (ids.isEmpty()) throw ReportRefused(MsgNoEventsToPrint);
    const std::vector<Event> events = readEvents(ctx, ids);
    if (events.empty()) throw ReportRefused(MsgNoEventsToPrint);
    Document d;
    d.title = r.title.isEmpty() ? QStringLiteral("Event List") : r.title;
    d.page.landscape = true;
    d.page.margins = {0.6, 0.6, 0.5, 0.5};
    d.page.base.pointSize = 9;
    d.header << Para("Concierge Event List", Align::Center, true, 13);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();
    Table t;
    const double weights[] = {4, 2, 1.6, 1.6, 1.6, 1.2, 1.2, 3, 2, 2};
    TableRow header;
    for (int i = 0; i < EventGridHeaders().size(); ++i) {
        t.columns << Column{EventGridHeaders()[i], weights[i]};
        header.cells << EventGridHeaders()[i];
    }
    t.header << header;
    t.gridLines = true;
    for (const Event& e : events)
        t.rows << TableRow{EventGridCells(e)};
    d.body << t;
    Paragraph count = Para(CountCaption(qint64(events.size())).trimmed());
    count.spaceBefore = 6;
    d.body << count;
    return d;
}

Document BuildEventEntry(AppContext& ctx, const PrintRequest& r) {
    const qint64 id = r.args.value(ArgEventId).toLongLong();
    const std::optional<Event> found = id > 0 ? GetTheEvent(ctx, id) : std::nullopt;
    if (!found) throw ReportRefused("The Event " + QString::number(id) + " does not exist.");
    const Event& e = *found;
    Document d;
    d.title = r.title.isEmpty() ? QStringLiteral("Event Details") : r.title;
    d.header << Para("Event Details", Align::Center, true, 14);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();
    d.body << Para(e.name, Align::Left, true, 12);
    Table facts;
    facts.columns = {{"", 1}, {"", 3}};
    const QList<QPair<QString, QString>> rows = {
        {"Type of Event:", e.eventType},
        {"Dates:", e.continuous() ? QStringLiteral("Continuous") : runOf(e)},
        {"Time:", e.eventTime},
        {"Location:", e.location},
        {"Telephone:", e.telephone},
        {"Prices:", pricesOf(e)},
        {"Dark:", e.dark},
        {"Print on Lists:", e.printOnList ? QStringLiteral("Yes") : QStringLiteral("No")},
        {"Updated:", Formats::ShortDateOfStored(e.updateDate) + "  By: " + e.luInitials},
    };
    for (const auto& [label, value] : rows)
        facts.rows << TableRow{{label, value}};
    d.body << facts;
    const std::vector<EventException> exceptions = GetEventSEs(ctx, e.id);
    if (!exceptions.empty()) {
        Paragraph h = Para("Schedule Exceptions:", Align::Left, true);
        h.spaceBefore = 10;
        h.keepWithNext = true;
        d.body << h;
        Table t;
        t.columns = {{"From", 1}, {"Through", 1}, {"Description", 4}};
        t.header << TableRow{{"From", "Through", "Description"}};
        for (const EventException& x : exceptions)
            t.rows << TableRow{
                {ShownExceptionDay(x.from), ShownExceptionDay(x.through), x.description}};
        d.body << t;
    }
    if (!e.notes.trimmed().isEmpty()) {
        Paragraph h = Para("Notes:", Align::Left, true);
        h.spaceBefore = 10;
        h.keepWithNext = true;
        d.body << h << Para(e.notes.trimmed());
    }
    return d;
}

void RegisterEventReports(ReportCatalogue& catalogue) {
    using W = PreviewWindow;
    using Build = Document (*)(AppContext&, const PrintRequest&);
    const Build lists[] = {&BuildEventContinuous, &BuildEventHeadliner, &BuildEventFuture};
    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(RoutineNames[i]);
        catalogue.add({name, W::List, true, false, {}, lists[i]});
        catalogue.add({name + LetterheadSuffix, W::Letter, true, false, {}, lists[i]});
    }
    catalogue.add({"PrintEventList", W::List, true, false, {}, &BuildEventList});
    catalogue.add({"PrintEventEntry", W::List, false, false, {}, &BuildEventEntry});
}

} // namespace vm
