#pragma once
// Counts of logbook entries, contacts and events for the quick viewer's
// statistics and graphs.  Each view is answered by one GROUP BY statement per
// step (a step covers at most a year of dates), never one statement per
// month, day or hour.  No widgets.

#include "core/AppContext.h"
#include "logbook/LogbookCounts.h"

#include <QDate>
#include <functional>
#include <optional>

namespace vm {

enum class StatView {
    EntriesByMonth,    // one category or "*All", the months of a year
    CategoriesByMonth, // a row per category, the months of a year as columns
    AllByMonth,        // a row per year of the range, the months as columns
    ByWeekday,         // Sunday..Saturday over the range
    ByHour,            // hour of EntryTime over the range (EntryDate)
    EntriesByStaff,    // EnteredBy of the entries over the range
    ContactsByStaff,   // EnteredBy of the contacts entered over the range
    EventsByStaff,     // EnteredBy of the events entered over the range
};
inline constexpr int StatViewCount = 8;

inline const QString AllCategories = QStringLiteral("*All");

struct StatRequest {
    StatView view = StatView::EntriesByMonth;
    int year = 0;        // the month views of one year
    QDate from, through; // the range views; both days included
    QString category = AllCategories;
    DateField field = DateField::ReferDate;
    bool archive = false; // count the archive's entries instead of the current ones
};

// Whether the view reads the year (else the range).
bool UsesYear(StatView view);
// Whether the category and the date field apply to the view.
bool UsesCategory(StatView view);
bool UsesDateField(StatView view);
bool UsesArchive(StatView view);
// The caption of the view in the view list.
QString StatViewCaption(StatView view);
// The file the view's table is exported to, without ".csv" ("VmLogbookGraph").
QString StatFileName(StatView view);

inline const QString MsgThroughAfterFrom =
    QStringLiteral("Through date must be greater than starting date.");
inline const QString MsgStatYear = QStringLiteral("Please enter a year between 1900 and 9999.");
inline const QString MsgStatDates =
    QStringLiteral("Please enter valid starting and through dates.");

// The first refusal of the request, or empty when it can run.
QString CheckStatRequest(const StatRequest& request);

struct StatRow {
    QString label;
    QList<qint64> counts; // one per count column
};

struct StatTable {
    StatView view = StatView::EntriesByMonth;
    QString labelHeader;      // caption of the first column
    QStringList countHeaders; // captions of the count columns
    QList<StatRow> rows;      // without the total row
    StatRow total;            // "Total": the column sums

    // Rows and total as written to a file: headers first, then the rows, then "Total".
    QList<QStringList> lines() const;
};

// Called after each step with the steps done and the steps in all; answering
// false stops the work.
using StatProgress = std::function<bool(int done, int total)>;

// The table of a checked request; nothing when the progress callback stopped it.
// Database failures raise DbError.
std::optional<StatTable> RunStatistics(AppContext& ctx, const StatRequest& request,
                                       const StatProgress& progress = {});

// The statements a request runs, one per step (a year of dates at most), in
// the order they run; the bench measures the engine on exactly these.
struct StatStatement {
    QString sql;
    QVariantList params;
};
QList<StatStatement> StatisticsStatements(const StatRequest& request);

// The month buckets of one category ("*All" = every one) in one year of one
// database: index 0 = January.  A month counts from its first day up to, not
// including, the first day of the next.
QList<qint64> CountEntriesByMonth(Database& db, int year, const QString& category, DateField field);

// Where the view's table is exported: the output folder + name + ".csv".
QString StatisticsCsvPath(const AppContext& ctx, StatView view);
// Writes the table whole; false (and the old file kept) when it cannot be written.
bool WriteStatisticsCsv(const StatTable& table, const QString& path);

} // namespace vm
