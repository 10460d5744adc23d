#pragma once
// The main window's logbook list: the statement, its sort orders, the
// default time window, the visibility rules per row and the row cells.

#include "core/AppContext.h"
#include "core/ListSizeGuard.h"
#include "logbook/Categories.h"
#include "logbook/LogEntry.h"

#include <vector>

namespace vm {

// A selection of the search panel: a condition on LogBook (and Profile)
// columns with "?" placeholders, and its values.
struct LogFilter {
    QString clause; // empty = everything
    QVariantList params;
};

// The entered-time frame of the search panel.
enum class ListWindow { YesterdayAndToday = 0, Last7Days = 1, AllDates = 2 };

struct ListRequest {
    int sortIndex = 2;
    ListWindow window = ListWindow::AllDates;
    LogFilter filter;
    LogSource source = LogSource::Current;
};

// Visible cells of a list row, in column order.
enum ListColumn {
    ColLastName,
    ColFirstName,
    ColRoom,
    ColCategory,
    ColNotified,
    ColReferDate,
    ColReferTime,
    ColInitials,
    ColText,
    ListColumnCount
};

struct ListRow {
    qint64 logId = 0;
    QStringList cells; // ListColumnCount cells
    QString enteredBy, arrivalDate /* short date */, referDate, referTime;
    bool complete = false;
    qint64 contactId = 0;
    QString status; // "Cancelled", "OnHold", "Pending", "Complete" or "Incomplete"
};

struct LogList {
    std::vector<ListRow> rows;
    QString caption;
};

// ORDER BY of a sort index (0-12); empty for any other index.
QString OrderByClause(int sortIndex, bool useGuestId);
// The time frame's condition; none when the filter already selects by a date column.
LogFilter WindowClause(ListWindow window, const LogFilter& filter, const QDate& today);
// The status that colours a row, testing Cancelled, OnHold, Pending, Complete.
QString StatusOf(bool complete, bool cancelled, bool onHold, bool pending);
QStringList ListHeaders(bool useGuestId);

ListRow MakeListRow(const LogEntry& e, const QString& profileType, bool useGuestId);
ListRow MakeListRow(LogEntry&& e, const QString& profileType, bool useGuestId);
bool EntryVisible(const Viewer& v, const QHash<QString, Category>& categories,
                  const QString& entryType, bool entryRestricted);

// A statement of the list (names in brackets) with its values.
struct ListStatement {
    QString sql;
    QVariantList params;
};
// The rows a request lists, in its order.
ListStatement ListQuery(const ListRequest& request, const Viewer& viewer, bool useGuestId,
                        const QDate& today);
// How many rows a request lists (before the per-category rules).
ListStatement CountQuery(const ListRequest& request, const Viewer& viewer, const QDate& today);
// The text pieces of listed entries (at most ListTextPiecesChunk of them) in one
// statement, in entry and piece order.
ListStatement ListTextPiecesQuery(const QList<qint64>& logIds);
inline constexpr qsizetype ListTextPiecesChunk = 512;

LogList GetTheLogEntries(AppContext& ctx, const Viewer& viewer, const ListRequest& request);

} // namespace vm
