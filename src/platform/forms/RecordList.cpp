#include "platform/forms/RecordList.h"

#include "core/ListSizeGuard.h"
#include "platform/forms/DataGrid.h"

#include <QComboBox>
#include <QLabel>

namespace vm {

RecordList::RecordList(DataGrid* grid, QLabel* count, QComboBox* source)
    : m_grid(grid), m_count(count), m_source(source) {}

void RecordList::clear() {
    m_grid->clearRows();
    m_count->clear();
}

void RecordList::add(qint64 key, const QStringList& cells, const QColor& fore, const QColor& back) {
    m_grid->setRow(key, cells, fore, back, false);
}

void RecordList::showCount() {
    m_count->setText(CountCaption(m_grid->rowCount()));
}

void RecordList::upsert(qint64 key, const QStringList& cells, const QColor& fore,
                        const QColor& back) {
    m_grid->setRow(key, cells, fore, back, true);
    m_grid->selectKey(key);
    showCount();
}

bool RecordList::remove(qint64 key) {
    bool removed = false;
    while (m_grid->removeKey(key))
        removed = true;
    if (removed) showCount();
    return removed;
}

qint64 NeighbourKey(const DataGrid& grid, qint64 key, int step) {
    const int rows = grid.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (grid.keyAt(row) != key) continue;
        const int direction = step < 0 ? -1 : 1;
        for (int other = row + direction; other >= 0 && other < rows; other += direction)
            if (grid.keyAt(other) != key) return grid.keyAt(other);
        return 0;
    }
    return 0;
}

qint64 RecordList::neighbour(qint64 key, int step) const {
    return NeighbourKey(*m_grid, key, step);
}

bool RecordList::archiveChosen() const {
    return m_source && m_source->currentIndex() == 1;
}

} // namespace vm
