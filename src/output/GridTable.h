#pragma once
// The ruled table of the printed lists: one header row naming the columns.

#include "output/Reports.h"

namespace vm::doc {

Table GridTable(const QList<Column>& columns);
// Columns titled `headers`, each `weights[i]` wide (1.5 where none is given).
Table GridTable(const QStringList& headers, const QList<double>& weights);

// A printed list: the request's title (else `fallbackTitle`), the heading in
// bold and the sub-heading (when any) centred above the page, "Page n of m" below.
Document ListSheet(const vm::PrintRequest& r, const QString& fallbackTitle,
                   const QString& heading, const QString& subheading);

} // namespace vm::doc
