#include "guests/reports/ProfileListReports.h"

#include "core/Formats.h"
#include "guests/ProfileSearch.h"
#include "logbook/LogbookList.h"
#include "output/GridTable.h"

namespace vm {

using namespace doc;

namespace {

const QString ArgDescription = QStringLiteral("description");
const QString ArgHeaders = QStringLiteral("headers");
const QString ArgRows = QStringLiteral("rows");
const QString ArgProfileIds = QStringLiteral("profileIds");
const QString NothingListed = QStringLiteral("Please select some profiles first.  Then print the "
                                             "list.");

QVariantList keyList(const QList<qint64>& ids) {
    QVariantList keys;
    for (qint64 id : ids)
        keys << id;
    return keys;
}

Document listDocument(AppContext& ctx, const QString& title, bool landscape) {
    Document d;
    d.title = title;
    d.page.landscape = landscape;
    d.page.margins = {0.6, 0.6, 0.5, 0.5};
    d.page.base.pointSize = 9;
    d.header << Para(title, Align::Center, true, 13);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();
    return d;
}

void addCount(Document& d, qsizetype rows) {
    Paragraph count = Para(CountCaption(qint64(rows)).trimmed());
    count.spaceBefore = 6;
    d.body << count;
}

// The listed profiles' telephones: one line per profile that has a number to print.
Document phoneDocument(AppContext& ctx, const PrintRequest& r, bool fax) {
    QList<qint64> ids;
    for (const QVariant& v : r.args.value(ArgProfileIds).toList())
        ids << v.toLongLong();
    if (ids.isEmpty()) throw ReportRefused(NothingListed);
    Document d = listDocument(ctx, r.title, false);
    Table t = fax ? GridTable({"Name", "Fax Phone"}, {3, 2})
                  : GridTable({"Name", "Home Phone", "Business Phone", "Cell Phone", "Other Phone"},
                              {3, 1.6, 1.6, 1.6, 1.6});
    for (const ProfilePhones& p : GetProfilePhones(ctx, ids)) {
        if (fax) {
            if (!p.fax.isEmpty()) t.rows << TableRow{{p.name, p.fax}};
            continue;
        }
        if (p.home.isEmpty() && p.business.isEmpty() && p.cell.isEmpty() && p.other.isEmpty())
            continue;
        t.rows << TableRow{{p.name, p.home, p.business, p.cell, p.other}};
    }
    if (t.rows.isEmpty())
        throw ReportRefused(fax ? "None of the listed profiles has a facsimile number to print."
                                : "None of the listed profiles has a telephone number to print.");
    const qsizetype n = t.rows.size();
    d.body << t;
    addCount(d, n);
    return d;
}

} // namespace

PrintRequest ProfileListRequest(const QString& description, const QStringList& headers,
                                const QList<QStringList>& rows) {
    QVariantList cells;
    for (const QStringList& row : rows)
        cells << QVariant(row);
    return {RoutineProfileList,
            TitleProfileList,
            {{ArgDescription, description}, {ArgHeaders, headers}, {ArgRows, cells}}};
}

PrintRequest ProfileFaxListRequest(const QList<qint64>& ids) {
    return {RoutineProfileFaxList, TitleProfileFaxList, {{ArgProfileIds, keyList(ids)}}};
}

PrintRequest ProfilePhoneListRequest(const QList<qint64>& ids) {
    return {RoutineProfilePhoneList, TitleProfilePhoneList, {{ArgProfileIds, keyList(ids)}}};
}

Document BuildProfileList(AppContext& ctx, const PrintRequest& r) {
    const QStringList headers = r.args.value(ArgHeaders).toStringList();
    const QVariantList rows = r.args.value(ArgRows).toList();
    if (headers.isEmpty() || rows.isEmpty()) throw ReportRefused(NothingListed);
    Document d = listDocument(ctx, r.title, true);
    const QString description = r.args.value(ArgDescription).toString().trimmed();
    if (!description.isEmpty()) d.body << Para(description) << Spacer{4};
    // The last column holds e-mail addresses and indicator values: give it room.
    QList<double> weights(headers.size(), 1.5);
    weights.last() = 3;
    Table t = GridTable(headers, weights);
    for (const QVariant& row : rows)
        t.rows << TableRow{row.toStringList()};
    d.body << t;
    addCount(d, rows.size());
    return d;
}

Document BuildProfileFaxList(AppContext& ctx, const PrintRequest& r) {
    return phoneDocument(ctx, r, true);
}

Document BuildProfilePhoneList(AppContext& ctx, const PrintRequest& r) {
    return phoneDocument(ctx, r, false);
}

void RegisterProfileListReports(ReportCatalogue& catalogue) {
    catalogue.add({RoutineProfileList, PreviewWindow::List, true, false, {}, &BuildProfileList});
    catalogue.add(
        {RoutineProfileFaxList, PreviewWindow::List, true, false, {}, &BuildProfileFaxList});
    catalogue.add(
        {RoutineProfilePhoneList, PreviewWindow::List, true, false, {}, &BuildProfilePhoneList});
}

} // namespace vm
