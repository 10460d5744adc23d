#pragma once
// Reads RTF back through a real reader (pandoc, installed by scripts/deps.sh).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vm::test {

// The document converted to `format` ("plain", "html", "native"); the test
// fails when pandoc cannot be run or rejects the file.
QString PandocOf(const QByteArray& rtf, const QString& format);

// The cell texts of every table row of pandoc's HTML, tags stripped, row by row.
QList<QStringList> HtmlTableRows(const QString& html);

// The balanced group that opens at `from` ("{" at that index), braces included.
QByteArray GroupAt(const QByteArray& rtf, qsizetype from);

// The line of the file that holds `marker`, empty when none does.
QByteArray LineWith(const QByteArray& rtf, const QByteArray& marker);

} // namespace vm::test
