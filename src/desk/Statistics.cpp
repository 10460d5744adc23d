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

Database& viewDb(AppContext& ctx, const StatRequest& r) {
    switch (r.view) {
    case StatView::ContactsByStaff:
        return ctx.contactsDb();
    case StatView::EventsByStaff:
        return ctx.eventsDb();
    default:
        return (r.archive && ctx.hasArchive()) ? *ctx.archive : ctx.db();
    }
}

qint64 countAt(const Row& r, int column) {
    qint64 n = 0;
    if (!r.integer(column, n)) n = r.value(column).toLongLong();
    return n;
}

// A date range and maybe a category.
QString whereClause(const QString& column, const QString& category, QVariantList& params,
                    const Span& span) {
    QString where = " WHERE ";
    if (!allCategories(category)) {
        where += "[EntryType] = ? AND ";
        params << category.trimmed();
    }
    where += column + " >= ? AND " + column + " < ?";
    // After 9999/12/31 comes a five-digit year, which sorts as text before
    // every four-digit one: that end is written as a day no date reaches.
    params << Formats::StoredDate(span.first)
           << (span.end.year() > 9999 ? QStringLiteral("9999/12/32")
                                      : Formats::StoredDate(span.end));
    return where;
}

// The one statement of a step.  The calendar views group on the bare date
// column: that follows the date index, so the engine aggregates without
// sorting, and the months and weekdays are reckoned here from at most a year
// of days.
StatStatement stepStatement(const StatRequest& r, const Span& s) {
    StatStatement st;
    const QString col = dateColumn(r.field);
    auto grouped = [&](const QString& what, const QString& table, const QString& dateCol,
                       const QString& category) {
        st.sql = "SELECT " + what + ", COUNT(*) FROM [" + table + "]" +
                 whereClause(dateCol, category, st.params, s) + " GROUP BY " + what;
    };
    switch (r.view) {
    case StatView::EntriesByMonth:
    case StatView::AllByMonth:
    case StatView::ByWeekday:
        grouped(col, "LogBook", col, r.category);
        break;
    case StatView::CategoriesByMonth:
        grouped("[EntryType], " + col, "LogBook", col, r.category);
        break;
    case StatView::ByHour:
        // EntryTime is "HH:MM": its first two characters are the hour.
        grouped("substr([EntryTime], 1, 2)", "LogBook", "[EntryDate]", r.category);
        break;
    case StatView::EntriesByStaff:
        grouped("[EnteredBy]", "LogBook", col, r.category);
        break;
    case StatView::ContactsByStaff:
        grouped("[EnteredBy]", "Contact", "[EntryDate]", {});
        break;
    case StatView::EventsByStaff:
        grouped("[EnteredBy]", "Event", "[EntryDate]", {});
        break;
    }
    return st;
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

constexpr int MonthColumns = 13; // twelve months and the row's total

// Folds the rows of every step into the view's table.
class Tally {
public:
    explicit Tally(const StatRequest& r)
        : m_r(r), m_named(namedColumns(r.view)), m_buckets(bucketCount(r.view), 0) {
        // A chosen category has its row even in a year without entries.
        if (r.view == StatView::CategoriesByMonth && !allCategories(r.category))
            m_named.row(r.category.trimmed());
    }

    void beginStep(const Span& s) {
        if (m_r.view == StatView::AllByMonth) m_named.row(QString::number(s.first.year()));
    }

    void add(const Row& row) {
        switch (m_r.view) {
        case StatView::EntriesByMonth:
        case StatView::AllByMonth:
        case StatView::ByWeekday:
            addDay(Formats::ParseStoredDate(row.text(0)), countAt(row, 1));
            break;
        case StatView::CategoriesByMonth:
            if (const QDate day = Formats::ParseStoredDate(row.text(1)); day.isValid())
                m_named.row(row.trimmedText(0))[day.month() - 1] += countAt(row, 2);
            break;
        case StatView::ByHour: {
            bool ok = false;
            const int h = row.text(0).toInt(&ok);
            if (ok && h >= 0 && h < 24) m_buckets[h] += countAt(row, 1);
            break;
        }
        case StatView::EntriesByStaff:
        case StatView::ContactsByStaff:
        case StatView::EventsByStaff:
            m_named.row(row.trimmedText(0).trimmed())[0] += countAt(row, 1);
            break;
        }
    }

    StatTable finish() const {
        StatTable t;
        t.view = m_r.view;
        switch (m_r.view) {
        case StatView::EntriesByMonth:
            t.labelHeader = "Month";
            t.countHeaders =
                QStringList{allCategories(m_r.category) ? AllCategories : m_r.category.trimmed()};
            t.rows = bucketRows(MonthNames);
            break;
        case StatView::CategoriesByMonth:
        case StatView::AllByMonth:
            t.labelHeader = m_r.view == StatView::AllByMonth ? "Year" : "Category";
            t.countHeaders = MonthNames;
            t.countHeaders << "Total";
            t.rows = m_named.sorted();
            for (StatRow& row : t.rows)
                for (int m = 0; m < 12; ++m)
                    row.counts[12] += row.counts[m];
            break;
        case StatView::ByWeekday:
            t.labelHeader = "Day";
            t.countHeaders = QStringList{"Entries"};
            t.rows = bucketRows(WeekdayNames);
            break;
        case StatView::ByHour: {
            t.labelHeader = "Hour";
            t.countHeaders = QStringList{"Entries"};
            QStringList hours;
            for (int h = 0; h < 24; ++h)
                hours << Formats::Time24(QTime(h, 0));
            t.rows = bucketRows(hours);
            break;
        }
        case StatView::EntriesByStaff:
        case StatView::ContactsByStaff:
        case StatView::EventsByStaff:
            t.labelHeader = "Staff";
            t.countHeaders = QStringList{m_r.view == StatView::ContactsByStaff ? "Contacts"
                                         : m_r.view == StatView::EventsByStaff ? "Events"
                                                                               : "Entries"};
            t.rows = m_named.sorted();
            break;
        }
        t.total = StatRow{"Total", QList<qint64>(t.countHeaders.size(), 0)};
        for (const StatRow& row : t.rows)
            for (int c = 0; c < row.counts.size(); ++c)
                t.total.counts[c] += row.counts[c];
        return t;
    }

private:
    static int namedColumns(StatView v) {
        return (v == StatView::CategoriesByMonth || v == StatView::AllByMonth) ? MonthColumns : 1;
    }
    static int bucketCount(StatView v) {
        return v == StatView::EntriesByMonth ? 12 : v == StatView::ByWeekday ? 7 : 24;
    }

    void addDay(const QDate& day, qint64 n) {
        if (!day.isValid()) return;
        if (m_r.view == StatView::EntriesByMonth)
            m_buckets[day.month() - 1] += n;
        else if (m_r.view == StatView::ByWeekday)
            m_buckets[day.dayOfWeek() % 7] += n; // Qt: Monday 1 .. Sunday 7
        else
            m_named.row(QString::number(day.year()))[day.month() - 1] += n;
    }

    QList<StatRow> bucketRows(const QStringList& labels) const {
        QList<StatRow> rows;
        for (int i = 0; i < labels.size(); ++i)
            rows << StatRow{labels[i], {m_buckets[i]}};
        return rows;
    }

    const StatRequest& m_r;
    NamedRows m_named;
    QList<qint64> m_buckets;
};

std::optional<StatTable> runOn(Database& db, const StatRequest& r, const StatProgress& progress) {
    Tally tally(r);
    const Span span = requestSpan(r);
    const QList<Span> steps = yearSteps(span.first, span.end);
    for (int i = 0; i < steps.size(); ++i) {
        tally.beginStep(steps[i]);
        const StatStatement st = stepStatement(r, steps[i]);
        db.forEach(st.sql, st.params, [&](const Row& row) {
            tally.add(row);
            return true;
        });
        if (progress && !progress(i + 1, int(steps.size()))) return std::nullopt;
    }
    return tally.finish();
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

QList<StatStatement> StatisticsStatements(const StatRequest& r) {
    QList<StatStatement> out;
    const Span span = requestSpan(r);
    for (const Span& step : yearSteps(span.first, span.end))
        out << stepStatement(r, step);
    return out;
}

QList<qint64> CountEntriesByMonth(Database& db, int year, const QString& category,
                                  DateField field) {
    StatRequest r;
    r.view = StatView::EntriesByMonth;
    r.year = year;
    r.category = category;
    r.field = field;
    QList<qint64> months;
    const std::optional<StatTable> table = runOn(db, r, {});
    for (const StatRow& row : table->rows)
        months << row.counts.first();
    return months;
}

std::optional<StatTable> RunStatistics(AppContext& ctx, const StatRequest& r,
                                       const StatProgress& progress) {
    return runOn(viewDb(ctx, r), r, progress);
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

} // namespace vm
