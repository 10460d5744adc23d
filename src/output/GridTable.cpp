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

Document ListSheet(const vm::PrintRequest& r, const QString& fallbackTitle,
                   const QString& heading, const QString& subheading) {
    Document d;
    d.title = r.title.isEmpty() ? fallbackTitle : r.title;
    d.page.margins = {0.6, 0.6, 0.6, 0.6};
    d.header << Para(heading, Align::Center, true, 13);
    if (!subheading.isEmpty()) d.header << Para(subheading, Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();
    return d;
}

} // namespace vm::doc
