#pragma once
// The lookup lists kept in table Other (areas, salutations, meeting rooms, ...):
// one list per OtherType, each value a row.  A list with an editor names the
// column its values are used in; renaming a value rewrites that column, and a
// value still in use cannot be deleted.

#include "core/AppContext.h"
#include "logbook/NotifiedValues.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vm {

struct OtherListInfo {
    QString type;    // OtherType, e.g. "Area"
    QString title;   // the editor's window title, e.g. "Maintain Contact Areas"
    QString caption; // the editor's caption, e.g. "Contact Areas"
    QString table;   // where the values are used ("" none)
    QString column;
    bool rename = true;        // a renamed value is rewritten in table.column
    bool abbreviation = false; // the list keeps an abbreviation (OtherValue1)
    // Further columns of the same table that hold the list's values (a lost
    // item's and a found item's location).
    QStringList moreColumns;
    // The column holds the value's OtherID, not its text: uses are counted by
    // key, and a renamed value needs no rewrite.
    bool byId = false;
};

// Every list the editor serves, in the order of their types.
const std::vector<OtherListInfo>& OtherListsWithEditor();
// The list of this type; null for a type without the editor.
const OtherListInfo* FindOtherList(const QString& type);

struct OtherValue {
    qint64 id = 0; // OtherID
    QString value;
    QString abbreviation; // OtherValue1
};

// The list's rows, by value.
std::vector<OtherValue> GetOtherData(AppContext& ctx, const QString& type);
// The list's values alone, by value (combos).
QStringList GetOtherValues(AppContext& ctx, const QString& type);

inline const QString MsgNoAbbreviation = QStringLiteral("(No Abbreviation Entered)");
// The editor's messages are the logbook's "Notified" list's (MsgBlankValue,
// MsgValueExists, NotifiedInUseMessage, ...): one set for every list.

// The database that holds the rows a list's values are used in: contacts
// live in the common database when they are shared; everything else, the
// Other table included, in the current one.
Database& OtherUseDb(AppContext& ctx, const OtherListInfo& list);

// Each answers "" when done, otherwise the refusal to show (nothing written).
// Values are stored in their cleaned form; the abbreviation only where the
// list keeps one.
QString InsertOtherData(AppContext& ctx, const QString& type, const QString& value,
                        const QString& abbreviation = {});
// Changes the row and renames the old value to the new one wherever the list
// is used, together: a failed rename leaves the row as it was.
QString UpdateOtherData(AppContext& ctx, const QString& type, qint64 otherId, const QString& value,
                        const QString& abbreviation = {});
// Rows that use the value (0 for a list used nowhere).  A count that fails
// throws DbError: the caller must then treat the value as used.
int CountOtherUses(AppContext& ctx, const QString& type, const OtherValue& value);
// Deletes the row unless it is in use; answers the number of uses (0 =
// deleted, or there was no such row).  Throws DbError when the count fails,
// having deleted nothing.
int DeleteOtherData(AppContext& ctx, const QString& type, qint64 otherId);

} // namespace vm
