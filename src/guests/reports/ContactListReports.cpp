#include "guests/reports/ContactListReports.h"

#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "guests/ContactSearch.h"
#include "logbook/LogbookList.h"
#include "logbook/reports/LetterParts.h"
#include "logbook/reports/ReportData.h"

namespace vm {

using namespace doc;

namespace {

const QString ArgLetterhead = QStringLiteral("letterhead");

} // namespace

PrintRequest GuestContactListRequest(const QString& keyword, const QString& city,
                                     const QString& area, bool letterhead) {
    return {letterhead ? RoutineGuestContactListLetter : RoutineGuestContactList,
            TitleGuestContactList,
            {{ArgKeyword, keyword}, {ArgCity, city}, {ArgArea, area}, {ArgLetterhead, letterhead}}};
}

PrintRequest ContactListRequest(const QList<qint64>& ids, int sort) {
    QVariantList keys;
    for (qint64 id : ids)
        keys << id;
    return {RoutineContactList, TitleContactList, {{ArgContactIds, keys}, {ArgContactSort, sort}}};
}

Document BuildGuestContactList(AppContext& ctx, const PrintRequest& r) {
    const GuestListFilter filter{r.args.value(ArgKeyword).toString().trimmed(),
                                 r.args.value(ArgCity).toString().trimmed(),
                                 r.args.value(ArgArea).toString().trimmed()};
    if (filter.keyword.isEmpty())
        throw ReportRefused("Please select the keyword of the Guest List you wish to print.  "
                            "Thank you.");
    const std::vector<GuestListContact> contacts = GetGuestListData(ctx, filter);
    if (contacts.empty())
        throw ReportRefused("There are no contacts to print on the " + filter.keyword +
                            " Guest List.");
    const PrintSettings s = LoadPrintSettings(ctx);
    const bool letterhead = r.args.value(ArgLetterhead).toBool();
    Document d = letterhead ? LetterDocument(r.title, s) : Document();
    if (!letterhead) {
        d.title = r.title;
        d.page.margins = {0.75, 0.75, 0.75, 0.75};
        d.footer << PageOfPages();
    }
    QString heading = filter.keyword;
    if (!filter.city.isEmpty()) heading += " - " + filter.city;
    if (!filter.area.isEmpty()) heading += " - " + filter.area;
    d.body << Para(heading, Align::Center, true, 14);
    d.body << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.body << Spacer{8};
    for (const GuestListContact& c : contacts) {
        Paragraph name = Para(c.name.trimmed(), Align::Left, true);
        name.spaceBefore = 6;
        d.body << name;
        const QString text = GetECT(ctx, c.id, TextKind::ContactGuestList).trimmed();
        for (const QString& line : PaperText(text, s).split('\n'))
            if (!line.trimmed().isEmpty()) d.body << Para(line.trimmed());
    }
    return d;
}

Document BuildContactList(AppContext& ctx, const PrintRequest& r) {
    QList<qint64> ids;
    for (const QVariant& v : r.args.value(ArgContactIds).toList())
        ids << v.toLongLong();
    if (ids.isEmpty())
        throw ReportRefused("Please select some contacts first.  Then print the list.");
    const auto sort = ContactSort(r.args.value(ArgContactSort).toInt());
    const std::vector<ContactRow> rows = GetContactRows(ctx, ids, sort);
    if (rows.empty()) throw ReportRefused("The listed contacts are no longer in the directory.");
    const bool crossStreets = GetBooleanSetting(ctx.db(), "CrossStreets");

    Document d;
    d.title = r.title;
    d.page.landscape = true;
    d.page.margins = {0.6, 0.6, 0.5, 0.5};
    d.page.base.pointSize = 9;
    d.header << Para("Concierge Contact List", Align::Center, true, 13);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();

    const QStringList headers = ContactListHeaders(crossStreets, sort);
    const double widths[] = {3, 2.5, 3, 2.2, 3, 1.6, 0.9, 1.8, 0.9, 1.2};
    Table t;
    TableRow header;
    for (int c = 0; c < ContactColumnCount; ++c) {
        t.columns << Column{headers[c], widths[c]};
        header.cells << headers[c];
    }
    t.header << header;
    t.gridLines = true;
    for (const ContactRow& row : rows)
        t.rows << TableRow{row.shownCells(crossStreets)};
    d.body << t;
    Paragraph count = Para(CountCaption(qint64(rows.size())).trimmed());
    count.spaceBefore = 6;
    d.body << count;
    return d;
}

void RegisterContactListReports(ReportCatalogue& catalogue) {
    catalogue.add(
        {RoutineGuestContactList, PreviewWindow::List, true, false, {}, &BuildGuestContactList});
    catalogue.add({RoutineGuestContactListLetter,
                   PreviewWindow::Letter,
                   true,
                   false,
                   {},
                   &BuildGuestContactList});
    catalogue.add({RoutineContactList, PreviewWindow::List, true, false, {}, &BuildContactList});
}

} // namespace vm
