#pragma once
// The ruled table of the printed lists: one header row naming the columns.

#include "output/Document.h"

namespace vm::doc {

Table GridTable(const QList<Column>& columns);
// Columns titled `headers`, each `weights[i]` wide (1.5 where none is given).
Table GridTable(const QStringList& headers, const QList<double>& weights);

} // namespace vm::doc
