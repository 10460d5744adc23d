#pragma once
// What a grid shows, as text: one column, the visible headers, or whole rows.

#include "platform/forms/DataGrid.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace vm::test {

inline QStringList GridColumn(const DataGrid* grid, int column) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->cell(r, column);
    return out;
}

inline QStringList GridHeaders(const DataGrid* grid) {
    QStringList out;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            out << grid->model()->headerData(c, Qt::Horizontal).toString();
    return out;
}

// Every row with all its cells joined by " | ".
inline QStringList GridRows(const DataGrid* grid) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            cells << grid->cell(r, c);
        out << cells.join(" | ");
    }
    return out;
}

} // namespace vm::test
