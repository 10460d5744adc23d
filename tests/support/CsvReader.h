#pragma once
// Reads a comma-separated file back with Python's csv module (strict mode),
// so exports are checked by a reader other than the writer's own logic.

#include <QList>
#include <QStringList>

namespace vm::test {

// The file's rows; fails the test (and answers no rows) when python3 is
// missing or the file is not well-formed CSV.
QList<QStringList> ReadCsv(const QString& path);

} // namespace vm::test
