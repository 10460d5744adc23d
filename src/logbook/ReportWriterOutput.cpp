#include "logbook/ReportWriterOutput.h"

#include "logbook/ReportWriter.h"
#include "platform/CsvWriter.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vm {

QString NextExtractFile(const QString& folder) {
    const QDir dir(folder);
    QString path = dir.filePath(ExtractBaseName + ".csv");
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = dir.filePath(ExtractBaseName + QString::number(n) + ".csv");
    return path;
}

bool WriteReportExtract(const QString& path, const QStringList& headers,
                        const QList<QStringList>& rows) {
    CsvWriter out(path);
    if (!out.open() || !out.writeRow(headers)) return false;
    for (const QStringList& r : rows)
        if (!out.writeRow(r)) return false;
    return out.commit();
}

QStringList EraseReportExtracts(const QString& folder) {
    const QDir dir(folder);
    QStringList kept;
    for (const QString& name : dir.entryList({ExtractBaseName + "*.csv"}, QDir::Files))
        if (!QFile::remove(dir.filePath(name))) kept << name;
    return kept;
}

QString ExtractCreatedMessage(const QString& file) {
    return "The file: " + QDir::toNativeSeparators(file) + " has been created.";
}

QString ExtractFailedMessage(const QString& file) {
    return "The file: " + QDir::toNativeSeparators(file) +
           " could not be written.  No extract was created.";
}

QString ExtractsNotErasedMessage(const QStringList& files) {
    return "These Report Writer Extract files could not be deleted:\r\n" + files.join("\r\n");
}

PrintRequest ReportPrintRequest(const ReportPrintout& p) {
    PrintRequest r;
    const bool byLabel = !p.byLabel.isEmpty();
    r.routine = byLabel ? RoutineReportWriterByLabel : RoutineReportWriterList;
    r.title = byLabel ? TitleReportWriterByLabel : TitleReportWriterList;
    QVariantList rows;
    rows.reserve(p.rows.size());
    for (const QStringList& row : p.rows)
        rows << row;
    r.args = {{"headers", p.headers},
              {"rows", rows},
              {"description", p.description},
              {"countText", p.countText},
              {"byLabel", p.byLabel}};
    return r;
}

ReportPrintout ReportPrintoutOf(const PrintRequest& request) {
    ReportPrintout p;
    p.headers = request.args.value("headers").toStringList();
    for (const QVariant& row : request.args.value("rows").toList())
        p.rows << row.toStringList();
    p.description = request.args.value("description").toString();
    p.countText = request.args.value("countText").toString();
    p.byLabel = request.args.value("byLabel").toString();
    return p;
}

namespace {
// The printed columns: every grid column but the unused label columns.
QList<int> printedColumns(const QStringList& headers) {
    QList<int> out;
    for (int i = 0; i < headers.size(); ++i)
        if (headers[i] != LabelPlaceholder) out << i;
    return out;
}

doc::Document reportDocument(const ReportPrintout& p, const QString& title,
                             const QList<int>& columns, const QList<QStringList>& rows) {
    if (p.rows.isEmpty()) throw ReportRefused(MsgReportNothingToPrint);
    doc::Document d;
    d.title = title;
    d.page.landscape = true;
    d.page.margins = {0.5, 0.5, 0.5, 0.5};
    d.page.base.pointSize = 9;
    d.header << doc::Para(ReportWriterHeading, doc::Align::Center, true, 14);
    if (!p.byLabel.isEmpty()) {
        // Design labels end with their own colon.
        QString label = p.byLabel;
        if (label.endsWith(u':')) label.chop(1);
        d.header << doc::Para("By " + label + ":", doc::Align::Center, true, 11);
    }
    d.footer << doc::PageOfPages();

    doc::Paragraph description = doc::Para(p.description);
    description.spaceAfter = 6;
    d.body << description;
    doc::Table t;
    t.gridLines = true;
    doc::TableRow head;
    for (int c : columns) {
        const bool wide = c == RcLastName || c == RcWhenEntered || (c >= RcLabel1 && c <= RcLabel3);
        t.columns << doc::Column{p.headers.value(c), wide ? 1.6 : 1.0,
                                 (c >= RcLabel1 && c <= RcLabel3) ? doc::Align::Right
                                                                  : doc::Align::Left};
        head.cells << p.headers.value(c);
    }
    t.header << head;
    for (const QStringList& row : rows) {
        doc::TableRow r;
        for (int c : columns)
            r.cells << row.value(c);
        t.rows << r;
    }
    t.rows.last().bold = true; // the total row
    d.body << t;
    doc::Paragraph count = doc::Para(p.countText);
    count.spaceBefore = 6;
    d.body << count;
    return d;
}
} // namespace

doc::Document BuildReportWriterList(const ReportPrintout& p) {
    return reportDocument(p, TitleReportWriterList, printedColumns(p.headers), p.rows);
}

doc::Document BuildReportWriterByLabel(const ReportPrintout& p) {
    // The chosen field leads, and the entries are listed by its value; the
    // total row stays last.
    QList<int> columns = printedColumns(p.headers);
    const int key = int(p.headers.indexOf(p.byLabel));
    QList<QStringList> rows = p.rows;
    if (key >= 0 && !rows.isEmpty()) {
        columns.removeAll(key);
        columns.prepend(key);
        std::stable_sort(rows.begin(), rows.end() - 1,
                         [key](const QStringList& a, const QStringList& b) {
                             return a.value(key).compare(b.value(key), Qt::CaseInsensitive) < 0;
                         });
    }
    return reportDocument(p, TitleReportWriterByLabel, columns, rows);
}

void RegisterReportWriterReports(ReportCatalogue& catalogue) {
    ReportRoutine list;
    list.name = RoutineReportWriterList;
    list.window = PreviewWindow::List;
    list.build = [](AppContext&, const PrintRequest& r) {
        return BuildReportWriterList(ReportPrintoutOf(r));
    };
    catalogue.add(list);
    ReportRoutine byLabel = list;
    byLabel.name = RoutineReportWriterByLabel;
    byLabel.build = [](AppContext&, const PrintRequest& r) {
        return BuildReportWriterByLabel(ReportPrintoutOf(r));
    };
    catalogue.add(byLabel);
}

} // namespace vm
