#pragma once
// The logbook report writer: the entries of one category over a date range,
// with up to three fields of the category's design pulled out of each text
// into columns of their own, totalled, printed and extracted.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

// What a label pick list shows until a label is chosen.
inline const QString LabelPlaceholder = QStringLiteral("Select from dropdown /\\");
inline constexpr int ReportLabelCount = 3;

enum class ReportStatus { Open, Closed, All };

struct ReportCriteria {
    QString category;
    QString fromText, throughText; // short dates as typed
    bool byEntryDate = false;      // false: by reference date
    qint64 groupId = 0;            // 0: any group
    QString groupName;
    QString concierge;      // EnteredBy name; empty: anyone
    QString conciergeGroup; // a message group; empty: none
    ReportStatus status = ReportStatus::All;
    bool noCancels = false;
    LogSource source = LogSource::Current;
    // The chosen design labels; empty or LabelPlaceholder: the column is not used.
    QStringList labels;
};

// Whether label pick `i` holds a chosen label.
bool LabelChosen(const ReportCriteria& c, int i);

// The first criterion that fails, in the screen's order, or empty.  A category
// with a design needs its first label chosen.
QString CheckReportCriteria(const ReportCriteria& c, bool categoryHasDesign);
inline const QString TitleOops = QStringLiteral("Oops");
inline const QString MsgReportNoCategory =
    QStringLiteral("Must select a Category for this Search.");
inline const QString MsgReportBadDate = QStringLiteral("Please enter a valid date.");
inline const QString MsgReportThroughBeforeFrom =
    QStringLiteral("Through date must be greater than starting date.");
inline const QString MsgReportNoLabel =
    QStringLiteral("Must select a Data Entry Panel Label for this Category.");

// The condition on LogBook with its values, and the description shown above
// the grid and on the printout (without its ", Sorted by" ending).
struct ReportSelection {
    QString where;
    QVariantList params;
    QString description;
};
// Builds from criteria that passed CheckReportCriteria.  Restricted members
// only ever see restricted entries.
ReportSelection BuildReportSelection(const ReportCriteria& c, bool restrictedViewer = false);
// The description with its ending: ", Sorted by " and the sort column.
QString SortedDescription(const QString& description, const QString& sortColumn);

// Grid columns.
enum ReportColumn {
    RcLastName,
    RcFirstName,
    RcReferDate,
    RcWho,
    RcLabel1,
    RcLabel2,
    RcLabel3,
    RcLogId,
    RcRoom,
    RcWhenEntered,
    RcComplete,
    ReportColumnCount
};
// The column headers; a label column is headed by its chosen label or the placeholder.
QStringList ReportHeaders(const ReportCriteria& c);

struct ReportRow {
    qint64 logId = 0; // TotalRowKey for the total row
    QStringList cells;
    QString status; // "Cancelled", "OnHold", "Pending", "Complete", "Incomplete"; empty: total
};
inline constexpr qint64 TotalRowKey = -1;
inline const QString TotalLabel = QStringLiteral("TOTAL:");

struct ReportResult {
    QStringList headers;
    std::vector<ReportRow> rows; // the entries, then the total row (none without entries)
    int entries = 0;
    QString countText;
};

// A design value as a number: blanks, the currency sign, "$" and thousands
// commas are ignored.  nullopt for anything else ("** Damaged Data", text).
std::optional<double> DesignNumber(const QString& value, const QString& currencySign = {});
// "0 Entries were selected." or "1,234 Entries were selected".
QString ReportCountText(int entries);
// The colour setting of a row's status ("ColorCancel", ... "ColorIncomplete").
QString StatusColorSetting(const QString& status);

// The members' initials of a message group (the comma-separated
// Concierge.MessageGroup lists), compared regardless of case.
QStringList ConciergeGroupInitials(Database& db, const QString& group);
// Message group names, by name.
QStringList ConciergeGroups(Database& db);

// Reads the selected entries of the criteria's database in one pass (texts
// that overflow NoteField are completed from the same database in a few
// statements), skips entries of initials outside the concierge group, and
// appends the total row.
ReportResult GetTheVCLogEntries(AppContext& ctx, const ReportCriteria& c,
                                const ReportSelection& selection);

// The total row of `rows` (entries only): each chosen label column summed.
ReportRow TotalRow(const std::vector<ReportRow>& rows, const ReportCriteria& c,
                   const QString& currencySign);

} // namespace vm
