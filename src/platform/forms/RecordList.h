#pragma once
// A search page's result list as the record screens see it: a grid with the
// count line under it, and, where the page has one, the current/archive
// selector.  A record screen that saved puts its row back (in place, or as a
// new row), one that deleted takes it out, and next/previous walk the rows in
// the order the member sees them (after sorting by a header click).

#include <QColor>
#include <QStringList>

class QComboBox;
class QLabel;

namespace vm {

class DataGrid;

// The next other key `step` rows away from `key` as `grid` shows its rows (-1
// before, +1 after; further rows of `key` itself are passed over); 0 past
// either end or when `key` is not listed.
qint64 NeighbourKey(const DataGrid& grid, qint64 key, int step);

class RecordList {
public:
    RecordList() = default;
    RecordList(DataGrid* grid, QLabel* count, QComboBox* source = nullptr);

    DataGrid* grid() const { return m_grid; }

    // A new list: the old rows go, then the rows of the search are added.
    void clear();
    void add(qint64 key, const QStringList& cells, const QColor& fore = {},
             const QColor& back = {});
    // The count line for the rows shown now.
    void showCount();

    // A saved record: its row replaced where listed, added otherwise; the row
    // becomes the current one and the count follows.
    void upsert(qint64 key, const QStringList& cells, const QColor& fore = {},
                const QColor& back = {});
    // A deleted record (or one the list would no longer show): every row of it
    // goes; false when it was not listed.
    bool remove(qint64 key);
    // NeighbourKey on this list's grid.
    qint64 neighbour(qint64 key, int step) const;

    // The selector's choice: true when the archive is asked for.
    bool archiveChosen() const;
    // Where the rows shown came from (set when a search fills the list).
    bool listsArchive() const { return m_listsArchive; }
    void setListsArchive(bool archive) { m_listsArchive = archive; }

private:
    DataGrid* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QComboBox* m_source = nullptr;
    bool m_listsArchive = false;
};

} // namespace vm
