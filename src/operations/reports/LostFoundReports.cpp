#include "operations/reports/LostFoundReports.h"

#include "core/Formats.h"
#include "operations/LostFound.h"
#include "operations/PhotoStore.h"
#include "output/GridTable.h"

#include <QFileInfo>

namespace vm {

using namespace doc;

namespace {

const QString NothingToPrint = QStringLiteral("There is nothing to print.");

QString shown(const QString& stored) {
    return stored.trimmed().isEmpty() ? QString() : Formats::ShortDateOfStored(stored.trimmed());
}
QString money(double v) { return Formats::FormatNumber(v, "0.00"); }

LfItem itemOf(AppContext& ctx, const PrintRequest& r) {
    const auto item = LFGetTheItem(ctx, r.args.value("id").toLongLong());
    if (!item) throw ReportRefused(NothingToPrint);
    return *item;
}

// A sheet: its heading, then label/value lines (empty values left out), then
// the property's disclaimer for the kind of record.
Document sheet(AppContext& ctx, const PrintRequest& r, const QString& heading,
               const QList<std::pair<QString, QString>>& lines, const QString& disclaimer) {
    Document d;
    d.title = r.title.isEmpty() ? heading : r.title;
    d.page.margins = {0.75, 0.75, 0.75, 0.75};
    Paragraph h = Para(heading, Align::Center, true, 14);
    h.spaceAfter = 12;
    d.body << h;
    Table t;
    t.columns = {Column{QString(), 1.3}, Column{QString(), 4}};
    for (const auto& [label, value] : lines)
        if (!value.trimmed().isEmpty()) t.rows << TableRow{{label, value.trimmed()}};
    d.body << t;
    if (!disclaimer.trimmed().isEmpty()) {
        Paragraph p = Para(QString(disclaimer).replace("\r\n", "\n").trimmed());
        p.spaceBefore = 18;
        d.body << p;
    }
    d.footer << Para(Formats::LongDate(ctx.clock().today()), Align::Right);
    return d;
}

using Lines = QList<std::pair<QString, QString>>;

// What every sheet begins with: the item itself; `lost` adds where and when it was lost.
Lines itemLines(const LfItem& i, bool lost) {
    Lines lines{{"Description:", i.itemText}, {"Category:", i.category}, {"Room Number:", i.roomNumber}};
    if (lost) lines << Lines{{"Date Lost:", shown(i.lostDate)}, {"Where Lost:", i.lostLocation}};
    return lines;
}

QList<std::pair<QString, QString>> ownerLines(const LfOwner& o) {
    return {{"Name:", o.name()},
            {"Address:", o.address},
            {"City:", o.city},
            {"State:", o.state},
            {"Postal Code:", o.postalCode},
            {"Home Phone:", o.homePhone},
            {"Work Phone:", o.workPhone},
            {"Other Phone:", o.otherPhone},
            {"Email Address:", o.emailAddress}};
}

QList<std::pair<QString, QString>> foundLines(AppContext& ctx, const LfItem& i) {
    return {{"Date Found:", shown(i.foundDate)},
            {"Where Found:", i.foundLocation},
            {"Where Stored:", i.storedLocation},
            {LfTagCaption(ctx) + ":", LfUseItemIdAsTag(ctx) ? QString::number(i.id) : i.tagNumber},
            {"Finder Name:", i.finderName},
            {"Found Value:", i.estValueFound ? money(i.estValueFound) : QString()}};
}

QList<std::pair<QString, QString>> listLines(AppContext& ctx, const LfItem& i) {
    QList<std::pair<QString, QString>> lines;
    for (const LfUdList& list : GetLostAndFoundUserDefinedCats(ctx)) {
        const qint64 chosen = i.udCategory[size_t(list.slot - 1)];
        if (!chosen) continue;
        for (const LfUdListItem& item : GetUserDefinedCategoryItems(ctx, list.catId))
            if (item.enumId == chosen) lines.append({list.name + ":", item.caption});
    }
    return lines;
}

void addPhoto(AppContext& ctx, Document& d, const LfItem& i) {
    const QString path = PhotoPath(ctx, i.photographName.trimmed());
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    Image img;
    img.path = path;
    img.widthInches = 3;
    img.align = Align::Center;
    d.body.insert(2, Spacer{8});
    d.body.insert(3, img);
}

} // namespace

QString LfListHeading(const QString& status) {
    if (status == kLfFound) return QStringLiteral("Found Items List");
    if (status == kLfClosed) return QStringLiteral("Disposed Items List");
    return QStringLiteral("Lost Items List");
}

Document BuildLostFoundList(AppContext& ctx, const PrintRequest& r) {
    LfSearch s;
    s.status = r.args.value("status").toString();
    s.kind = LfSearchKind(r.args.value("kind").toInt());
    s.value = r.args.value("value").toString();
    s.from = Formats::ParseStoredDate(r.args.value("from").toString());
    s.through = Formats::ParseStoredDate(r.args.value("through").toString());
    s.category = r.args.value("category").toString();
    const LfSearchResult found = LFSearchItems(ctx, s);
    if (!found.refusal.isEmpty()) throw ReportRefused(found.refusal);
    if (found.rows.empty()) throw ReportRefused(NothingToPrint);
    const QString heading = LfListHeading(s.status);
    QString sub = "As of: " + Formats::LongDate(ctx.clock().today());
    if (!s.category.isEmpty()) sub += "  -  Category: " + s.category;
    Document d = ListSheet(r, heading, heading, sub);
    d.page.landscape = true;
    Table t;
    if (s.status == kLfLost) {
        t = GridTable({{"Description", 3}, {"Category", 1.5}, {"Date Lost", 1.1},
                       {"Where Lost", 1.5}, {"Owner", 1.8}, {"Room", 0.8},
                       {"Est. Value", 1, Align::Right}});
        for (const LfListRow& i : found.rows)
            t.rows << TableRow{{i.itemText, i.category, shown(i.lostDate), i.lostLocation,
                                i.ownerName(), i.roomNumber.trimmed(), money(i.estValueLost)}};
    } else if (s.status == kLfFound) {
        const bool idAsTag = LfUseItemIdAsTag(ctx);
        t = GridTable({{"Description", 3}, {"Category", 1.5}, {"Date Found", 1.1},
                       {"Where Found", 1.5}, {"Where Stored", 1.5}, {LfTagCaption(ctx), 1},
                       {"Finder Name", 1.5}});
        for (const LfListRow& i : found.rows)
            t.rows << TableRow{{i.itemText, i.category, shown(i.foundDate), i.foundLocation,
                                i.storedLocation, idAsTag ? QString::number(i.id) : i.tagNumber,
                                i.finderName}};
    } else {
        t = GridTable({{"Description", 3}, {"Category", 1.5}, {"Date Disposed", 1.1},
                       {"Disposition", 1.5}, {"Returned To", 1.8}, {"Return Method", 1.5}});
        for (const LfListRow& i : found.rows)
            t.rows << TableRow{{i.itemText, i.category, shown(i.disposedDate), i.disposition,
                                i.ownerName(), i.returnMethod}};
    }
    d.body << t;
    return d;
}

Document BuildLostItemSheet(AppContext& ctx, const PrintRequest& r) {
    const LfItem i = itemOf(ctx, r);
    Lines lines = itemLines(i, true);
    lines << std::pair{QString("Estimated Value:"), i.estValueLost ? money(i.estValueLost) : QString()}
          << ownerLines(i.owner) << std::pair{QString(), i.enteredBy()};
    return sheet(ctx, r, "Lost Item", lines, LfDisclaimer(ctx, kLfLost));
}

Document BuildFoundItemSheet(AppContext& ctx, const PrintRequest& r) {
    const LfItem i = itemOf(ctx, r);
    Lines lines = itemLines(i, false);
    lines << foundLines(ctx, i) << std::pair{QString("Disposition:"), i.disposition}
          << listLines(ctx, i) << std::pair{QString(), i.enteredBy()};
    Document d = sheet(ctx, r, "Found Item", lines, LfDisclaimer(ctx, kLfFound));
    addPhoto(ctx, d, i);
    return d;
}

Document BuildMatchedItemSheet(AppContext& ctx, const PrintRequest& r) {
    const LfItem i = itemOf(ctx, r);
    Lines lines = itemLines(i, true);
    lines << foundLines(ctx, i) << listLines(ctx, i)
          << Lines{
                 {"Disposition:", i.disposition},
                 {"Date Disposed:", shown(i.disposedDate)},
                 {"Date Returned:", shown(i.returnDate)},
                 {"Return Method:", i.returnMethod},
                 {"Payment Method:", i.paymentMethod},
                 {"Return Charge:", i.returnCharge ? money(i.returnCharge) : QString()},
                 {"Return Notes:", QString(i.returnNotes).replace("\r\n", "\n")}}
          << ownerLines(i.owner) << std::pair{QString(), i.enteredBy()};
    return sheet(ctx, r, "Matched Lost and Found Item", lines, LfDisclaimer(ctx, kLfClosed));
}

void RegisterLostFoundReports(ReportCatalogue& catalogue) {
    catalogue.add({RptLostFoundList, PreviewWindow::List, true, false, {}, BuildLostFoundList});
    catalogue.add({RptLostItem, PreviewWindow::List, true, false, {}, BuildLostItemSheet});
    catalogue.add({RptFoundItem, PreviewWindow::List, true, false, {}, BuildFoundItemSheet});
    catalogue.add({RptMatchedItem, PreviewWindow::List, true, false, {}, BuildMatchedItemSheet});
}

} // namespace vm
