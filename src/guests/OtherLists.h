#pragma once
// The lookup lists kept in table Other (areas, salutations, meeting rooms, ...):
// one list per OtherType, each value a row.  A list with an editor names the
// column its values are used in; renaming a value rewrites that column, and a
// value still in use cannot be deleted.

#include "core/AppContext.h"

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

} // namespace vm
