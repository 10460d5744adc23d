#include "desk/reports/QuickViewerReports.h"

#include "core/Formats.h"
#include "desk/QuickViewer.h"
#include "output/GridTable.h"

#include <QMap>

namespace vm {

using namespace doc;

namespace {

Paragraph section(const QString& text) {
    Paragraph p = Para(text, Align::Left, true, 11);
    p.spaceBefore = 10;
    p.spaceAfter = 4;
    p.keepWithNext = true;
    return p;
}

QDate requestedDay(AppContext& ctx, const PrintRequest& r) {
    const QDate d = Formats::ParseStoredDate(r.args.value("date").toString());
    return d.isValid() ? d : ctx.clock().today();
}

QString shownDate(const QString& stored) {
    return stored.isEmpty() || stored == NoExpiry ? QString() : Formats::ShortDateOfStored(stored);
}

QString readOn(const QString& stored) {
    return stored.trimmed().isEmpty() ? NotReadYet : Formats::ShortDateOfStored(stored);
}

QString stamp(const QString& stored) {
    const QDateTime t = Formats::ParseStoredDateTime(stored);
    return t.isValid() ? Formats::ShortDate(t.date()) + " " + Formats::Time12(t.time()) : stored;
}

// The document a request names (ids of documents since deleted find none).
std::optional<QvDocument> requestedDocument(AppContext& ctx, const PrintRequest& r) {
    const qint64 id = r.args.value("documentId").toLongLong();
    for (const QvDocument& d : GetDocumentsAll(ctx))
        if (d.documentId == id) return d;
    return std::nullopt;
}

Table readersTable(AppContext& ctx, qint64 documentId) {
    Table t = GridTable({{"Staff Member", 3}, {"Date Read", 1.5}});
    for (const auto& [name, date] : GetDocumentsRead(ctx, documentId))
        t.rows << TableRow{{name, readOn(date)}};
    return t;
}

} // namespace

Document BuildDailyDuties(AppContext& ctx, const PrintRequest& r) {
    const QDate day = requestedDay(ctx, r);
    const QString category = r.args.value("category").toString();
    const QList<TaskStatusRow> tasks = GetTheTasks(ctx, day, category);
    if (tasks.isEmpty()) throw ReportRefused(MsgNoTasksToPrint);
    const bool oneCategory = !category.isEmpty() && category != "All";
    Document d = ListSheet(r, "Task List", "Daily Task List",
                       Formats::LongDate(day) + (oneCategory ? "  -  " + category : QString()));
    d.page.landscape = true;
    Table t = GridTable({{"Done", 0.8},
                         {"Category", 2},
                         {"Task Description", 4.5},
                         {"Assigned to", 1.7},
                         {"Completed by", 1.9},
                         {"Date/Time Done", 2.3},
                         {"Notes", 2.8}});
    for (const TaskStatusRow& task : tasks)
        t.rows << TableRow{{task.completed, task.category, task.description, task.initials,
                            task.completedBy, stamp(task.completionDateTime), task.notes}};
    d.body << t;
    return d;
}

Document BuildDailyDiary(AppContext& ctx, const PrintRequest& r) {
    const QDate day = requestedDay(ctx, r);
    const QString group = r.args.value("group").toString();
    const QList<DiaryNote> notes = GetNotes(ctx, day, group);
    const QStringList meetings = GroupDiaryLines(ctx, day);
    if (notes.isEmpty() && meetings.isEmpty()) throw ReportRefused(MsgNoDiaryToPrint);
    Document d = ListSheet(r, "Daily Diary", "Daily Diary",
                       Formats::LongDate(day) + (group.isEmpty() ? QString() : "  -  " + group));
    if (!notes.isEmpty()) {
        Table t = GridTable({{"Note", 6}, {"Diary Group", 1.6}, {"Written by", 1.8}});
        for (const DiaryNote& n : notes)
            t.rows << TableRow{{n.text, n.group, n.author}};
        d.body << t;
    }
    if (!meetings.isEmpty()) {
        d.body << section("Group Functions");
        for (const QString& line : meetings)
            d.body << Para(line);
    }
    return d;
}

Document BuildQVList(AppContext& ctx, const PrintRequest& r) {
    const auto category = GetQVCategory(ctx, r.args.value("categoryId").toLongLong());
    if (!category) throw ReportRefused(MsgQvListGone);
    Document d = ListSheet(r, "Quick Viewer", category->category, QString());
    for (const QString& note : {category->notes, category->notes2})
        if (!note.trimmed().isEmpty()) d.body << Para(note);
    QList<int> used;
    QList<Column> columns;
    for (int i = 0; i < 5; ++i)
        if (!category->labels[i].trimmed().isEmpty()) {
            used << i;
            columns << Column{category->labels[i], 1};
        }
    Table t = GridTable(columns);
    for (const QVRow& row : GetQVDataByCategory(ctx, category->id)) {
        TableRow line;
        for (int i : used)
            line.cells << row.data[i];
        t.rows << line;
    }
    d.body << t;
    return d;
}

Document BuildDocRead(AppContext& ctx, const PrintRequest& r) {
    const auto document = requestedDocument(ctx, r);
    if (!document) throw ReportRefused(MsgDocumentGone);
    Document d = ListSheet(r, "Document Read By", document->description,
                       "Effective " + Formats::ShortDateOfStored(document->effective));
    d.body << readersTable(ctx, document->documentId);
    return d;
}

Document BuildDocsRead(AppContext& ctx, const PrintRequest& r) {
    const QList<QvDocument> documents = GetDocumentsAll(ctx);
    if (documents.isEmpty()) throw ReportRefused(MsgNoDocumentsToPrint);
    Document d = ListSheet(r, "Documents Read", "Documents Read",
                       "As of: " + Formats::LongDate(ctx.clock().today()));
    for (const QvDocument& link : documents) {
        const QString expires = shownDate(link.expiration);
        d.body << section(link.description + "   (effective " +
                          Formats::ShortDateOfStored(link.effective) +
                          (expires.isEmpty() ? QString() : ", expires " + expires) + ")");
        d.body << readersTable(ctx, link.documentId);
    }
    return d;
}

Document BuildDocsByConcierge(AppContext& ctx, const PrintRequest& r) {
    const QList<QvDocument> documents = GetDocumentsAll(ctx);
    if (documents.isEmpty()) throw ReportRefused(MsgNoDocumentsToPrint);
    // Staff member -> (document, date read) in the documents' order.
    QMap<QString, QList<QPair<QString, QString>>> byStaff;
    for (const QvDocument& link : documents)
        for (const auto& [name, date] : GetDocumentsRead(ctx, link.documentId))
            byStaff[name] << qMakePair(link.description, readOn(date));
    Document d = ListSheet(r, "Documents by Staff", "Documents by Staff Member",
                       "As of: " + Formats::LongDate(ctx.clock().today()));
    for (auto it = byStaff.cbegin(); it != byStaff.cend(); ++it) {
        d.body << section(it.key());
        Table t = GridTable({{"Document", 5}, {"Date Read", 1.5}});
        for (const auto& [description, date] : it.value())
            t.rows << TableRow{{description, date}};
        d.body << t;
    }
    return d;
}

void RegisterQuickViewerReports(ReportCatalogue& catalogue) {
    catalogue.add({"PrintDailyDuties", PreviewWindow::List, false, false, {}, BuildDailyDuties});
    catalogue.add({"PrintDailyDiary", PreviewWindow::List, false, false, {}, BuildDailyDiary});
    catalogue.add({"PrintQVList", PreviewWindow::List, false, false, {}, BuildQVList});
    catalogue.add({"PrintDocRead", PreviewWindow::List, false, false, {}, BuildDocRead});
    catalogue.add({"PrintDocsRead", PreviewWindow::List, false, false, {}, BuildDocsRead});
    catalogue.add(
        {"PrintDocsByConcierge", PreviewWindow::List, false, false, {}, BuildDocsByConcierge});
}

} // namespace vm
