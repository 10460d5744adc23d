#pragma once
// Shared by the lost-and-found store files: reading a LostAndFound row, the
// stored forms of typed texts and the "contains" condition of the searches.

#include "guests/ContactSearch.h"
#include "operations/LostFound.h"
#include "platform/Row.h"

namespace vm::lf {

// Every column of a record ("[ItemID], …"), in the order readItem takes them.
extern const QString ItemColumns;
// Which list a row is read for: the search window's grid and its printed list,
// or the other side's match grid.  Each reads only the fields it shows.
enum class ListUse { Search, Match };
// The columns of a list row of `status`, in the order ListReader takes them
// (a list of "L", "F" or "D" rows does not read the status of each).
QString ListColumns(const QString& status, ListUse use);
// A row selected with ItemColumns: the whole record, into a new item.
void readItem(const Row& r, LfItem& into);
LfItem itemFromRow(const Row& r);
// Reads the rows of one statement selected with ListColumns(status), each into
// a new list row.
class ListReader {
public:
    ListReader(const QString& status, ListUse use);
    void read(const Row& r, LfListRow& into) const;

private:
    QString m_status;
    const std::vector<int>& m_columns;
};
// Reads the LostAndFound columns named, in that order, into their fields: for
// statements that need a few fields of many records.
class ItemReader {
public:
    explicit ItemReader(const QStringList& columns); // unknown names raise std::logic_error
    const QString& columns() const { return m_names; } // "[ItemID], …"
    void read(const Row& r, LfItem& into) const;

private:
    std::vector<int> m_columns;
    QString m_names;
};
// The item as it will be stored: texts in their stored forms and read back as
// shown (so a comparison with a record read from the database is fair).
void normalize(LfItem& item);
// Stored form of a text (one blank for an empty text).
QVariant stored(const QString& shown);
// A bound value of a list slot: NULL for none.
QVariant slotValue(qint64 enumId);
// Typed text matched as itself inside a LostAndFound column (% and _ are
// the text's own characters).
inline QString containsCondition(Engine engine, const QString& column, const QString& text,
                                 QVariantList& params) {
    return LikeCondition(engine, "LostAndFound", column, text, false, params);
}
// The session member and the clock's minute, as LastStatusBy/DateTime.
void stamp(AppContext& ctx, LfItem& item);

} // namespace vm::lf
