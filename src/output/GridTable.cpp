#include "output/GridTable.h"

namespace vm::doc {

Table GridTable(const QList<Column>& columns) {
    Table t;
    t.columns = columns;
    TableRow header;
    for (const Column& c : columns)
        header.cells << c.title;
    t.header << header;
    t.gridLines = true;
    return t;
}

Table GridTable(const QStringList& headers, const QList<double>& weights) {
    QList<Column> columns;
    for (int c = 0; c < headers.size(); ++c)
        columns << Column{headers[c], weights.value(c, 1.5)};
    return GridTable(columns);
}

} // namespace vm::doc
