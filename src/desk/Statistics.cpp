#include "desk/Statistics.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/CsvWriter.h"

#include <QDir>
#include <QMap>
#include <array>

namespace vm {

namespace {

const QStringList MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Sunday first, as the desk counts weeks.
const QStringList WeekdayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct ViewInfo {
    const char* caption;
    const char* file;
    bool year, category, dateField, archive;
};
// In the order of StatView.
const std::array<ViewInfo, StatViewCount> Views{{
    {"Entries by Month", "VmLogbookGraph", true, true, true, true},
    {"Categories by Month", "VmLogTypesByMonth", true, true, true, true},
    {"All Entries by Month", "VmAllLogsByMonth", false, true, true, true},
    {"Entries by Day of Week", "VmDoWGraph", false, true, true, true},
    {"Entries by Hour", "VmLogbookTime", false, true, false, true},
    {"Entries by Staff", "VmLogsByConcierge", false, true, true, true},
    {"Contacts by Staff", "VmContactsByConcierge", false, false, false, false},
    {"Events by Staff", "VmEventsByConcierge", false, false, false, false},
}};

const ViewInfo& info(StatView v) {
    return Views[size_t(v)];
}

QString dateColumn(DateField f) {
    return f == DateField::EntryDate ? QStringLiteral("[EntryDate]")
                                     : QStringLiteral("[ReferDate]");
}

bool allCategories(const QString& category) {
    const QString c = category.trimmed();
    return c.isEmpty() || c.compare(AllCategories, Qt::CaseInsensitive) == 0;
}

// Dates are "yyyy/mm/dd" text, so a range is a text range: [first, end).
struct Span {
    QDate first, end; // end excluded
};

// The range cut at each first of January: one statement per step keeps a
// step's work bounded and lets a long range show progress and be stopped.
QList<Span> yearSteps(const QDate& first, const QDate& end) {
    QList<Span> steps;
    for (QDate d = first; d < end;) {
        const QDate next = std::min(QDate(d.year() + 1, 1, 1), end);
        steps << Span{d, next};
        d = next;
    }
    return steps;
}

Span requestSpan(const StatRequest& r) {
    if (UsesYear(r.view)) return {QDate(r.year, 1, 1), QDate(r.year + 1, 1, 1)};
    return {r.from, r.through.addDays(1)};
}

Database& logbookDb(AppContext& ctx, const StatRequest& r) {
    return (r.archive && ctx.hasArchive()) ? *ctx.archive : ctx.db();
}

// Counts of one grouped statement: the group's text and its count.
using Groups = QList<QPair<QString, qint64>>;

qint64 countAt(const Row& r, int column) {
    qint64 n = 0;
    if (!r.integer(column, n)) n = r.value(column).toLongLong();
    return n;
}

Groups grouped(Database& db, const QString& sql, const QVariantList& params) {
    Groups out;
    db.forEach(sql, params, [&](const Row& r) {
        out << qMakePair(r.text(0), countAt(r, 1));
        return true;
    });
    return out;
}

// The WHERE clause of the logbook views: a date range and maybe a category.
QString logbookWhere(const QString& column, const QString& category, QVariantList& params,
                     const Span& span) {
    QString where = " WHERE ";
    if (!allCategories(category)) {
        where += "[EntryType] = ? AND ";
        params << category.trimmed();
    }
    where += column + " >= ? AND " + column + " < ?";
    params << Formats::StoredDate(span.first) << Formats::StoredDate(span.end);
    return where;
}

// Entries per stored day.  Grouping on the bare date column follows the
// date index, so the engine aggregates without sorting; the calendar work
// (months, weekdays) happens here on at most a year of days per step.
Groups countByDay(Database& db, DateField field, const QString& category, const Span& span) {
    QVariantList p;
    const QString col = dateColumn(field);
    const QString sql = "SELECT " + col + ", COUNT(*) FROM [LogBook]" +
                        logbookWhere(col, category, p, span) + " GROUP BY " + col;
    return grouped(db, sql, p);
}

StatTable monthTable(StatView view, const QString& labelHeader) {
    StatTable t;
    t.view = view;
    t.labelHeader = labelHeader;
    t.countHeaders = MonthNames;
    t.countHeaders << "Total";
    return t;
}

// Adds each row's total column and the column sums.
void finishWithRowTotals(StatTable& t) {
    const int months = int(MonthNames.size());
    t.total = StatRow{"Total", QList<qint64>(months + 1, 0)};
    for (StatRow& row : t.rows) {
        qint64 sum = 0;
        for (int m = 0; m < months; ++m) {
            sum += row.counts[m];
            t.total.counts[m] += row.counts[m];
        }
        row.counts[months] = sum;
        t.total.counts[months] += sum;
    }
}

void finishColumnSums(StatTable& t) {
    t.total = StatRow{"Total", QList<qint64>(t.countHeaders.size(), 0)};
    for (const StatRow& row : t.rows)
        for (int c = 0; c < row.counts.size(); ++c)
            t.total.counts[c] += row.counts[c];
}

// Runs `step` over each year of the range, reporting progress; false when stopped.
bool eachStep(const Span& span, const StatProgress& progress,
              const std::function<void(const Span&)>& step) {
    const QList<Span> steps = yearSteps(span.first, span.end);
    for (int i = 0; i < steps.size(); ++i) {
        step(steps[i]);
        if (progress && !progress(i + 1, int(steps.size()))) return false;
    }
    return true;
}

// Rows keyed by a name compared without case (as the engines compare text).
class NamedRows {
public:
    explicit NamedRows(int columns) : m_columns(columns) {}
    QList<qint64>& row(const QString& name) {
        const QString key = name.toLower();
        auto it = m_rows.find(key);
        if (it == m_rows.end()) it = m_rows.insert(key, StatRow{name, QList<qint64>(m_columns, 0)});
        return it->counts;
    }
    QList<StatRow> sorted() const { return m_rows.values(); } // by key: by name
private:
    int m_columns;
    QMap<QString, StatRow> m_rows;
};

std::optional<StatTable> entriesByMonth(Database& db, const StatRequest& r,
                                        const StatProgress& progress) {
    StatTable t;
    t.view = r.view;
    t.labelHeader = "Month";
    t.countHeaders = QStringList{allCategories(r.category) ? AllCategories : r.category.trimmed()};
    const QList<qint64> months = CountEntriesByMonth(db, r.year, r.category, r.field);
    for (int m = 0; m < 12; ++m)
        t.rows << StatRow{MonthNames[m], {months[m]}};
    if (progress && !progress(1, 1)) return std::nullopt;
    finishColumnSums(t);
    return t;
}

std::optional<StatTable> categoriesByMonth(Database& db, const StatRequest& r,
                                           const StatProgress& progress) {
    StatTable t = monthTable(r.view, "Category");
    NamedRows rows(13);
    // A chosen category has its row even in a year without entries.
    if (!allCategories(r.category)) rows.row(r.category.trimmed());
    const QString col = dateColumn(r.field);
    const bool done = eachStep(requestSpan(r), progress, [&](const Span& s) {
        QVariantList p;
        const QString sql = "SELECT [EntryType], " + col + ", COUNT(*) FROM [LogBook]" +
                            logbookWhere(col, r.category, p, s) + " GROUP BY [EntryType], " + col;
        db.forEach(sql, p, [&](const Row& row) {
            const QDate day = Formats::ParseStoredDate(row.text(1));
            if (day.isValid())
                rows.row(StoredText(row.text(0)))[day.month() - 1] += countAt(row, 2);
            return true;
        });
    });
    if (!done) return std::nullopt;
    t.rows = rows.sorted();
    finishWithRowTotals(t);
    return t;
}

std::optional<StatTable> allByMonth(Database& db, const StatRequest& r,
                                    const StatProgress& progress) {
    StatTable t = monthTable(r.view, "Year");
    const bool done = eachStep(requestSpan(r), progress, [&](const Span& s) {
        StatRow row{QString::number(s.first.year()), QList<qint64>(13, 0)};
        for (const auto& [date, n] : countByDay(db, r.field, r.category, s)) {
            const QDate day = Formats::ParseStoredDate(date);
            if (day.isValid()) row.counts[day.month() - 1] += n;
        }
        t.rows << row;
    });
    if (!done) return std::nullopt;
    finishWithRowTotals(t);
    return t;
}

std::optional<StatTable> byWeekday(Database& db, const StatRequest& r,
                                   const StatProgress& progress) {
    StatTable t;
    t.view = r.view;
    t.labelHeader = "Day";
    t.countHeaders = QStringList{"Entries"};
    QList<qint64> days(7, 0);
    const bool done = eachStep(requestSpan(r), progress, [&](const Span& s) {
        for (const auto& [date, n] : countByDay(db, r.field, r.category, s)) {
            const QDate day = Formats::ParseStoredDate(date);
            if (day.isValid()) days[day.dayOfWeek() % 7] += n; // Qt: Monday 1 .. Sunday 7
        }
    });
    if (!done) return std::nullopt;
    for (int d = 0; d < 7; ++d)
        t.rows << StatRow{WeekdayNames[d], {days[d]}};
    finishColumnSums(t);
    return t;
}

std::optional<StatTable> byHour(Database& db, const StatRequest& r, const StatProgress& progress) {
    StatTable t;
    t.view = r.view;
    t.labelHeader = "Hour";
    t.countHeaders = QStringList{"Entries"};
    QList<qint64> hours(24, 0);
    const bool done = eachStep(requestSpan(r), progress, [&](const Span& s) {
        QVariantList p;
        // EntryTime is "HH:MM": its first two characters are the hour.
        const QString hour = "substr([EntryTime], 1, 2)";
        const QString sql = "SELECT " + hour + ", COUNT(*) FROM [LogBook]" +
                            logbookWhere("[EntryDate]", r.category, p, s) + " GROUP BY " + hour;
        for (const auto& [text, n] : grouped(db, sql, p)) {
            bool ok = false;
            const int h = text.toInt(&ok);
            if (ok && h >= 0 && h < 24) hours[h] += n;
        }
    });
    if (!done) return std::nullopt;
    for (int h = 0; h < 24; ++h)
        t.rows << StatRow{Formats::Time24(QTime(h, 0)), {hours[h]}};
    finishColumnSums(t);
    return t;
}

// Who entered the rows of `table` dated in the range (`where` holds the range).
std::optional<StatTable> byStaff(Database& db, const StatRequest& r, const QString& table,
                                 const QString& column, const QString& category,
                                 const StatProgress& progress) {
    StatTable t;
    t.view = r.view;
    t.labelHeader = "Staff";
    t.countHeaders = QStringList{table == "LogBook" ? "Entries" : table + "s"};
    NamedRows rows(1);
    const bool done = eachStep(requestSpan(r), progress, [&](const Span& s) {
        QVariantList p;
        const QString sql = "SELECT [EnteredBy], COUNT(*) FROM [" + table + "]" +
                            logbookWhere(column, category, p, s) + " GROUP BY [EnteredBy]";
        for (const auto& [name, n] : grouped(db, sql, p))
            rows.row(StoredText(name).trimmed())[0] += n;
    });
    if (!done) return std::nullopt;
    t.rows = rows.sorted();
    finishColumnSums(t);
    return t;
}

} // namespace

bool UsesYear(StatView view) {
    return info(view).year;
}
bool UsesCategory(StatView view) {
    return info(view).category;
}
bool UsesDateField(StatView view) {
    return info(view).dateField;
}
bool UsesArchive(StatView view) {
    return info(view).archive;
}
QString StatViewCaption(StatView view) {
    return QString::fromLatin1(info(view).caption);
}
QString StatFileName(StatView view) {
    return QString::fromLatin1(info(view).file);
}

QString CheckStatRequest(const StatRequest& r) {
    if (UsesYear(r.view)) return (r.year >= 1900 && r.year <= 9999) ? QString() : MsgStatYear;
    if (!r.from.isValid() || !r.through.isValid()) return MsgStatDates;
    if (r.through <= r.from) return MsgThroughAfterFrom;
    return {};
}

QList<QStringList> StatTable::lines() const {
    QList<QStringList> out;
    out << (QStringList{labelHeader} + countHeaders);
    auto cells = [](const StatRow& row) {
        QStringList c{row.label};
        for (qint64 n : row.counts)
            c << QString::number(n);
        return c;
    };
    for (const StatRow& row : rows)
        out << cells(row);
    out << cells(total);
    return out;
}

QList<qint64> CountEntriesByMonth(Database& db, int year, const QString& category,
                                  DateField field) {
    QList<qint64> months(12, 0);
    const Span year_{QDate(year, 1, 1), QDate(year + 1, 1, 1)};
    for (const auto& [date, n] : countByDay(db, field, category, year_)) {
        const QDate day = Formats::ParseStoredDate(date);
        if (day.isValid()) months[day.month() - 1] += n;
    }
    return months;
}

std::optional<StatTable> RunStatistics(AppContext& ctx, const StatRequest& r,
                                       const StatProgress& progress) {
    switch (r.view) {
    case StatView::EntriesByMonth:
        return entriesByMonth(logbookDb(ctx, r), r, progress);
    case StatView::CategoriesByMonth:
        return categoriesByMonth(logbookDb(ctx, r), r, progress);
    case StatView::AllByMonth:
        return allByMonth(logbookDb(ctx, r), r, progress);
    case StatView::ByWeekday:
        return byWeekday(logbookDb(ctx, r), r, progress);
    case StatView::ByHour:
        return byHour(logbookDb(ctx, r), r, progress);
    case StatView::EntriesByStaff:
        return byStaff(logbookDb(ctx, r), r, "LogBook", dateColumn(r.field), r.category, progress);
    case StatView::ContactsByStaff:
        return byStaff(ctx.contactsDb(), r, "Contact", "[EntryDate]", {}, progress);
    case StatView::EventsByStaff:
        return byStaff(ctx.eventsDb(), r, "Event", "[EntryDate]", {}, progress);
    }
    return std::nullopt;
}

QString StatisticsCsvPath(const AppContext& ctx, StatView view) {
    return ctx.workstation.outputFolder() + StatFileName(view) + ".csv";
}

bool WriteStatisticsCsv(const StatTable& table, const QString& path) {
    CsvWriter out(path);
    bool ok = out.open();
    for (const QStringList& line : table.lines())
        ok = ok && out.writeRow(line);
    return ok && out.commit();
}

QString StatFileCreatedMessage(const QString& path) {
    return "The file: " + QDir::toNativeSeparators(path) + " has been created.";
}

} // namespace vm
