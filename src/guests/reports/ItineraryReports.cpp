#include "guests/reports/ItineraryReports.h"

#include "core/DataAccess.h"
#include "guests/Groups.h"
#include "logbook/reports/LetterParts.h"
#include "logbook/reports/ReportData.h"
#include "platform/Mailer.h"

namespace vm {

using namespace doc;

namespace {

// The fax style: type a few points bigger reads better after a fax machine.
constexpr double FaxExtraPoints = 4;

Align ToAlign(Alignment a) {
    switch (a) {
    case Alignment::Center:
        return Align::Center;
    case Alignment::Right:
        return Align::Right;
    case Alignment::Left:
        break;
    }
    return Align::Left;
}

// One paragraph per line of a text, in the given alignment.
void AppendLines(QList<Block>& body, const QString& text, Align align, double spaceBefore = 0) {
    if (text.trimmed().isEmpty()) return;
    Paragraph p = Para(MailLineBreaks(text.trimmed()), align);
    p.spaceBefore = spaceBefore;
    body << p;
}

void AppendHeading(QList<Block>& body, const ItineraryDocument& it, double baseSize) {
    if (it.customHeading) {
        Table t;
        t.columns = {{QString(), 1, Align::Left},
                     {QString(), 1, Align::Center},
                     {QString(), 1, Align::Right}};
        t.rows << TableRow{{it.headingColumns[0], it.headingColumns[1], it.headingColumns[2]},
                           true};
        t.style.pointSize = baseSize + 2;
        body << t;
    } else if (!it.title.isEmpty()) {
        body << Para(it.title, ToAlign(it.headAlign), true, baseSize + 4);
    }
    body << Spacer{12};
}

void AppendItem(QList<Block>& body, const ItineraryDocument& it, const ItineraryItem& item) {
    const Align align = ToAlign(it.itinAlign);
    if (!item.dateLine.isEmpty()) {
        Paragraph date = Para(item.dateLine, align, true);
        date.spaceBefore = 10;
        date.keepWithNext = true;
        body << date;
    }
    Paragraph category = Para(item.category, align, true);
    category.keepWithNext = true;
    category.indent = 14;
    body << category;
    auto line = [&](const QString& text) {
        Paragraph p = Para(text, align);
        p.indent = 14;
        body << p;
    };
    if (it.namesGuests && !item.guest.isEmpty()) line(item.guest);
    for (const QString& detail : item.details)
        line(detail);
    if (!item.wording.isEmpty()) line(MailLineBreaks(item.wording));
    if (!item.completedBy.isEmpty()) line(item.completedBy);
}

} // namespace

QVariantMap ItineraryArgs(const ItineraryOptions& o) {
    return {{"language", o.language},
            {"letterhead", o.letterhead},
            {"logo", o.logo},
            {"headingAndFooter", o.headingAndFooter},
            {"fax", o.fax},
            {"signature", o.signature},
            {"noReferTime", o.noReferTime},
            {"valediction", o.valediction}};
}

ItineraryOptions ItineraryOptionsOf(const PrintRequest& r) {
    const QVariantMap& a = r.args;
    ItineraryOptions o;
    o.language = a.value("language", 0).toInt();
    o.letterhead = a.value("letterhead", false).toBool();
    o.logo = a.value("logo", false).toBool();
    o.headingAndFooter = a.value("headingAndFooter", true).toBool();
    o.fax = a.value("fax", false).toBool();
    o.signature = a.value("signature", false).toBool();
    o.noReferTime = a.value("noReferTime", false).toBool();
    o.valediction = a.value("valediction").toString();
    return o;
}

void AppendItinerary(Document& d, const ItineraryDocument& it) {
    QList<Block>& body = d.body;
    if (!body.isEmpty()) body << PageBreak{};
    const double base = d.page.base.pointSize;
    AppendHeading(body, it, base);
    AppendLines(body, it.headerText, ToAlign(it.headAlign));
    for (const QString& line : it.opening)
        AppendLines(body, line, ToAlign(it.itinAlign), 8);
    for (const ItineraryItem& item : it.items)
        AppendItem(body, it, item);
    if (!it.signatureLines.isEmpty()) {
        body << Spacer{24};
        for (const QString& line : it.signatureLines) {
            Paragraph p = Para(line, Align::Left);
            p.spaceBefore = 12;
            body << p;
        }
    }
    AppendLines(body, it.valediction, ToAlign(it.footAlign), 18);
    AppendLines(body, it.footerText, ToAlign(it.footAlign), 12);
}

namespace {

Document ItineraryPage(AppContext& ctx, const QString& title, const ItineraryOptions& o) {
    PrintSettings s = LoadPrintSettings(ctx);
    s.useLogo = o.logo;
    Document d = LetterDocument(title, s, LetterKind::Letter);
    // Plain paper has no printed letterhead to leave room for.
    if (!o.letterhead) d.page.margins = Margins{1.0, 1.0, 1.0, 1.0};
    if (o.fax) d.page.base.pointSize += FaxExtraPoints;
    return d;
}

std::vector<qint64> IdsOf(const QVariant& list) {
    std::vector<qint64> ids;
    for (const QVariant& v : list.toList())
        if (const qint64 id = v.toLongLong(); id > 0) ids.push_back(id);
    return ids;
}

} // namespace

Document BuildGuestItinerary(AppContext& ctx, const PrintRequest& r) {
    const ItineraryOptions o = ItineraryOptionsOf(r);
    std::vector<std::vector<qint64>> lists;
    if (r.args.contains(ArgItineraries)) {
        for (const QVariant& list : r.args.value(ArgItineraries).toList())
            lists.push_back(IdsOf(list));
    } else {
        lists.push_back(IdsOf(r.args.value(ArgLogIds)));
    }
    Document d = ItineraryPage(ctx, r.title.isEmpty() ? "Guest Itinerary" : r.title, o);
    for (const std::vector<qint64>& ids : lists) {
        const std::vector<LogEntry> entries = ItineraryEntriesByIds(ctx, ids);
        if (!entries.empty()) AppendItinerary(d, ComposeItinerary(ctx, entries, o));
    }
    if (d.body.isEmpty()) throw ReportRefused(MsgNoItineraryEntries);
    return d;
}

Document BuildGroupItinerary(AppContext& ctx, const PrintRequest& r) {
    const auto group = GetTheGroup(ctx, r.args.value(ArgGroupId).toLongLong());
    if (!group) throw ReportRefused(MsgNoGroupItinerary);
    ItineraryOptions o = ItineraryOptionsOf(r);
    o.groupName = group->name;
    const std::vector<LogEntry> entries = ItineraryEntriesOfGroup(ctx, group->id);
    if (entries.empty()) throw ReportRefused(MsgNoGroupItinerary);
    Document d = ItineraryPage(ctx, r.title.isEmpty() ? "Group Itinerary" : r.title, o);
    AppendItinerary(d, ComposeItinerary(ctx, entries, o));
    return d;
}

Document BuildGroupItineraries(AppContext& ctx, const PrintRequest& r) {
    const auto group = GetTheGroup(ctx, r.args.value(ArgGroupId).toLongLong());
    if (!group) throw ReportRefused(MsgNoGroupItinerary);
    const ItineraryOptions o = ItineraryOptionsOf(r);
    const std::vector<LogEntry> entries = ItineraryEntriesOfGroup(ctx, group->id);
    Document d = ItineraryPage(ctx, r.title.isEmpty() ? "Group Itineraries" : r.title, o);
    for (const ItineraryGuest& g : GuestsOfEntries(entries)) {
        std::vector<LogEntry> own;
        for (const LogEntry& e : entries)
            if (IsGuestOf(g, e)) own.push_back(e);
        AppendItinerary(d, ComposeItinerary(ctx, own, o));
    }
    if (d.body.isEmpty()) throw ReportRefused(MsgNoGroupItinerary);
    return d;
}

void RegisterItineraryReports(ReportCatalogue& catalogue) {
    using W = PreviewWindow;
    catalogue.add({"PrintGuestItinerary", W::Letter, true, true, {}, BuildGuestItinerary});
    catalogue.add({"PrintGroupItinerary", W::Letter, true, false, {}, BuildGroupItinerary});
    catalogue.add({"PrintGroupItineraries", W::Letter, false, false, {}, BuildGroupItineraries});
}

} // namespace vm
