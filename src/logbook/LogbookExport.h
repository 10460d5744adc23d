#pragma once
// The logbook export: criteria that select entries, their saved form
// (LogbookExportDefs.Definition), the parameterised statement built from
// them, and the comma-separated file with one column per chosen design item.

#include "core/AppContext.h"

#include <QDate>
#include <QStringList>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace vm {

// A chosen category and its chosen design items (DEDesign.DesignID, kept
// stable by the design editor).  A category may be chosen without items.
struct ExportCategory {
    qint64 logTypeId = 0;
    std::vector<qint64> designIds;
};

enum class ExportDateType { None, Reference, Entry };

// Sort fields by index, as saved: None, Concierge, Logbook Category, Entry
// Date, Reference Date, Reference Time, Profile Type.  Orders: Ascending, Descending.
const QStringList& ExportSortFields();
const QStringList& ExportSortOrders();

struct ExportSortLevel {
    int field = 0;
    int order = 0;
    bool operator==(const ExportSortLevel&) const = default;
};

struct ExportCriteria {
    std::vector<ExportCategory> categories;
    ExportDateType dateType = ExportDateType::None;
    QDate dateFrom, dateTo; // both ends inclusive
    QStringList profileTypes;
    QStringList staff; // EnteredBy names
    QList<qint64> groups;
    int status = -1;   // -1 not chosen, 0 open, 1 closed, 2 all
    int cancelled = 0; // 0 include cancelled entries, 1 leave them out
    int database = 0;  // 0 current, 1 archive
    std::array<ExportSortLevel, 3> sort{};
};

// The saved text: the sections that have a choice, each ending with "ñ".
// Names are saved with "%", ",", ":" and "ñ" written as %25, %2C, %3A and
// %F1, so a name holding the separators reads back whole; other names are
// saved as they are.
QString SerializeExportCriteria(const ExportCriteria& c);
ExportCriteria ParseExportCriteria(const QString& text);

// A piece of a WHERE clause and its values, one "?" per value.
struct SqlPart {
    QString sql;
    QVariantList params;
    bool isEmpty() const { return sql.isEmpty(); }
};

// One section's condition, in parentheses; empty when nothing is chosen.
// `mostCategories`: the names are most of the logbook's categories, and the
// entries are better read in key order than through the category index.
SqlPart GetCategorySQL(const QStringList& categoryNames, bool mostCategories = false);
SqlPart GetDateRangeSQL(const ExportCriteria& c);
SqlPart GetProfileTypeSQL(const ExportCriteria& c);
SqlPart GetConciergeSQL(const ExportCriteria& c);
SqlPart GetGroupSQL(const ExportCriteria& c);
SqlPart GetStatusSQL(const ExportCriteria& c);
// The sections joined with " AND ".  The archive holds no profiles, so its
// statement has no Profile join: profile types are matched there against
// the current database's profiles while reading (see RunLogbookExport).
// `categoryTotal`: how many categories the logbook has (0: not known).
SqlPart BuildExportCondition(const ExportCriteria& c, const QStringList& categoryNames,
                             bool archive, int categoryTotal = 0);
// The chosen levels ("None" skipped) joined by ","; "Entry Date" sorts by the
// guest's arrival date, the meaning saved definitions were made with.  The
// profile type is not available to an archive export and is skipped there.
// The entry id always ends the list so equal keys keep one order.
QString ExportOrderBy(const ExportCriteria& c, bool archive);

// The headers of the columns every line has; the labels of the chosen items follow.
const QStringList& ExportFixedHeaders();

// The output file could not be written; nothing was left behind.
class ExportFileError : public std::runtime_error {
public:
    ExportFileError() : std::runtime_error("The export file could not be written.") {}
};

// Writes the matching entries to `file` (through CsvWriter) and answers their
// number.  With no match nothing is written (an existing file stays as it
// was).  The file is written whole or not at all; ExportFileError when it
// cannot be written.  The header has exactly as many columns as every line.
// Items of several categories share a column when their labels are the same;
// an entry leaves the columns of other categories' items empty.
qint64 RunLogbookExport(AppContext& ctx, const ExportCriteria& c, const QString& file);

// The choices of the criteria lists: staff names as entries store them, groups by name.
QStringList ExportStaffNames(Database& db);
std::vector<std::pair<qint64, QString>> ExportGroups(Database& db);

// Saved definitions.
struct ExportDefinitionName {
    qint64 id = 0;
    QString name;
};

// Every database is created with LogbookExportDefs; false only for a damaged one.
bool ExportDefinitionsAvailable(Database& db);
// The new definition's id, or 0 when the name is in use (compared regardless of case).
qint64 CreateExportDefinition(Database& db, const QString& name);
// Saves the criteria and remembers the output file in VmSettings.ini.
void SaveExportDefinition(AppContext& ctx, qint64 id, const ExportCriteria& c,
                          const QString& outputFile);
std::vector<ExportDefinitionName> LoadSavedExportDefinitions(Database& db); // by name
// The saved criteria; nullopt when the definition holds none yet.
std::optional<ExportCriteria> LoadExportDefinition(Database& db, qint64 id);
void DeleteExportDefinition(AppContext& ctx, qint64 id);
// The definition's output file, or VmLogExport.csv in the output folder.
QString ExportOutputFile(const AppContext& ctx, qint64 id);
QString ExportIniKey(qint64 id);

inline const QString ExportIniSection = QStringLiteral("CsvExports");
inline const QString DefaultExportFileName = QStringLiteral("VmLogExport.csv");
inline const QString NewDefinitionCaption = QStringLiteral("New Definition");

inline const QString TitleTableNotFound = QStringLiteral("SQL Table not found");
inline const QString MsgTableNotFound =
    QStringLiteral("The necessary table to store the Logbook Export Definitions was not found.");
inline const QString TitleNameExists = QStringLiteral("Name already exists");
inline const QString MsgNameExists = QStringLiteral(
    "The name you have selected already exists.\r\nWould you like to enter another name?");
inline const QString TitleDefinitionName = QStringLiteral("Saved Export Definition Name");
inline const QString MsgDefinitionName =
    QStringLiteral("Please enter a descriptive name for the Export Definition below.");
inline const QString TitleNoDefinition = QStringLiteral("No definition data");
QString EmptyDefinitionMessage(const QString& name);
inline const QString TitleConfirmRemoval = QStringLiteral("Confirm definition removal");
QString DeleteDefinitionMessage(const QString& name);
inline const QString TitleOverwrite = QStringLiteral("Overwrite file?");
inline const QString MsgOverwrite =
    QStringLiteral("The file you selected already exists.\r\nDo you wish to over write this file?");
inline const QString TitleNoDirectory = QStringLiteral("Directory doesn't exist");
inline const QString MsgNoDirectory = QStringLiteral(
    "The filename you have selected is located in a directory that does not exist.\r\n"
    "Would you like this directory to be created for you?");
inline const QString TitleNoCategory = QStringLiteral("No Logbook Category Selected");
inline const QString MsgNoCategory =
    QStringLiteral("You must select one or more Logbook Categories before continuing.");
inline const QString TitleFileExists = QStringLiteral("File Exists");
inline const QString MsgFileExists = QStringLiteral(
    "The output file you have selected already exists.\r\nWould you like to overwrite this file?");
inline const QString TitleNoRecords = QStringLiteral("No Records");
inline const QString MsgNoRecords =
    QStringLiteral("There are no records for the criteria you have selected.\r\n"
                   "Please broaden your selection and try again.");
inline const QString TitleExportComplete = QStringLiteral("Export Complete");
QString ExportCompleteMessage(qint64 count, const QString& file);
inline const QString TitlePermissionDenied = QStringLiteral("Permission Denied");
inline const QString MsgPermissionDenied =
    QStringLiteral("Velmora is unable to save the output file. The most \r\n"
                   "common reason for this is that the file is already open in another \r\n"
                   "program. Please close the file and try again.");

} // namespace vm
