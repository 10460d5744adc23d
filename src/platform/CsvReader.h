#pragma once
// Comma-separated files as spreadsheets write them (RFC 4180): cells in
// double quotes may hold commas, doubled quotes and line breaks; lines end in
// CRLF or LF; the text is UTF-8, with or without a byte-order mark.  The
// reader refuses what it cannot read faithfully (binary data, text that is
// not UTF-8, a file cut off inside a quoted cell, a file or a cell beyond the
// limits) with a message naming the line, and never guesses.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace vm {

struct CsvLimits {
    qint64 maxFileBytes = 50LL * 1024 * 1024;
    int maxCellChars = 32000;
    int maxCells = 500; // cells in one record
};

struct CsvRecord {
    int line = 0; // the file's line the record starts on (1 = first)
    QStringList cells;
};

// Why a file was refused: `line` 0 for the file as a whole, `column` -1 when
// no single cell is at fault (else the cell's place in its record, from 0).
struct CsvFault {
    int line = 0;
    int column = -1;
    QString text;
};

struct CsvContent {
    std::vector<CsvRecord> records; // blank lines left out
    CsvFault fault;
    bool ok() const { return fault.text.isEmpty(); }
};

class CsvReader {
public:
    // Line breaks inside a cell come back as "\n", whatever the file used.
    static CsvContent parse(const QByteArray& bytes, const CsvLimits& limits = {});
    // The whole file; the size limit is checked before anything is read.
    static CsvContent readFile(const QString& path, const CsvLimits& limits = {});
};

} // namespace vm
