#pragma once
// Logbook categories (LogType): look-ups, who may use which, and maintenance
// (add, rename, merge, delete, texts and flags).

#include "core/AppContext.h"

#include <QSet>
#include <optional>
#include <vector>

namespace vm {

struct Category {
    qint64 id = 0;
    QString name;
    bool restricted = false, isReserved = false, dnpItinerary = false, resortClubLocked = false,
         readOnly = false;
    int dayLogs = 0; // 0 = no daily limit
};

// What the logged-on member may see of the categories and their entries.
struct Viewer {
    bool restricted = false; // sees only restricted categories and entries
    bool authorized = false; // sees reservation categories
    bool allLogs = true;     // false: only the personal category list
    QSet<QString> personal;  // personal list, lower case

    bool mayUse(const Category& c) const;
};

// AllLogs is read fresh from the database for unrestricted members.
Viewer LoadViewer(Database& db, const Session& s);

std::vector<Category> GetAllCategories4Edit(Database& db);            // every category, by name
std::vector<Category> GetLogbookTypes(Database& db, const Viewer& v); // usable ones, by name
// The ten most used categories the member may use, most used first.
QStringList GetLogbookTypes10(Database& db, const Viewer& v);
// The same from a ranking read earlier: counting every entry takes a while on
// a large logbook, so screens share one ranking per session.
QStringList GetLogbookTypes10(Database& db, const Viewer& v, const QStringList& ranking);
// Every category name used by entries, most used first.
QStringList CategoryRanking(Database& db);
std::optional<Category> GetLogTypeFlags(Database& db, qint64 logTypeId);
std::optional<Category> GetLogTypeByName(Database& db, const QString& name);
qint64 GetLogTypeID(Database& db, const QString& name); // 0 when unknown
bool GetLogTypeRestricted(Database& db, const QString& name);
bool IsLogTypeReadOnly(Database& db, qint64 logTypeId);
int GetLogTypeDayLogs(Database& db, const QString& name);
bool IsUserCategory(Database& db, qint64 conciergeId, const QString& name);
QStringList GetCategoriesByC(Database& db, qint64 conciergeId);

// Every category name, by name; (id, name) pairs by id.
QStringList GetLogbookTypesArray(Database& db);
std::vector<std::pair<qint64, QString>> GetLogbookCategories(Database& db);

// A line of a category's data-entry design.
struct DesignItem {
    qint64 designId = 0;
    int sequenceNo = 0;
    QString labelText;
    bool contact2DE = false, encryptThis = false, resortClubLocked = false;
};
// The labels of the category's design, by label; none for an unknown category.
QStringList GetLogbookCustomItems(Database& db, const QString& categoryName);
// The design lines of a category in their order.
std::vector<DesignItem> GetLogbookBackPanelItems(Database& db, qint64 logTypeId);

// Entries of the category in the current and the archive database.
int CountCategoryEntries(AppContext& ctx, const QString& name);

// Maintenance.  The checks answer the message to show, or an empty text.
QString CheckNewCategoryName(Database& db, const QString& name, const QString& renaming = {});
QString CheckReplaceTarget(Database& db, const QString& target);
void InsertCategory(Database& db, const QString& name);
// Rename: the category, the personal lists and the interface translations,
// then every entry (current, archive) and group log row.
void RenameCategory(AppContext& ctx, const QString& oldName, const QString& newName);
// Moves every entry of `from` to `to`; the entries take `to`'s Restricted flag.
void ReplaceCategory(AppContext& ctx, const QString& from, const QString& to);
// Deletes the category with its design, printed forms and texts.
void DeleteCategory(AppContext& ctx, qint64 logTypeId);
// Saves the confirmation ('W') and vendor ('V') texts, the correspondence
// letter ('LC') when given, and the flags; entries of the category take the
// Restricted flag in both databases.
void UpdateConfText(AppContext& ctx, const Category& c, const QString& confirmation,
                    const QString& vendorRequest,
                    const std::optional<QString>& correspondence = std::nullopt);
QString GetCategoryText(Database& db, qint64 logTypeId, const QString& type);

QString RenameConfirmation(int entries, const QString& newName);
QString RenameActivityLine(const QString& staff, const QString& oldName, const QString& newName,
                           const QDateTime& when, const QString& computer);

inline const QString MsgBlankCategory = QStringLiteral("Cannot Add a Blank Category.");
inline const QString MsgCategoryExists =
    QStringLiteral("The Category already exists in the list of available categories.");
inline const QString MsgBlankReplace = QStringLiteral("Cannot Replace a Blank Category.");
inline const QString MsgReplaceUnknown =
    QStringLiteral("The Category Code to be replaced does not\r\nexist in the list of available "
                   "categories.");
inline const QString MsgSelectToDelete =
    QStringLiteral("Please select the Logbook Category you wish to Delete.");
inline const QString MsgDeleteCategory = QStringLiteral(
    "Press <Yes> to DELETE this Logbook Category, \r\nthe Custom Form, the Data Entry Design "
    "and\r\nthe Confirmation Text Entry.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgDayLogsRange =
    QStringLiteral("Please enter a number ranging from 1 to 99 in this field.");

} // namespace vm
