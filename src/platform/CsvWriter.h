#pragma once
// Comma-separated files as spreadsheets and address books read them: RFC 4180
// quoting, CRLF line ends, UTF-8, and the file replaced whole or not at all.
// A cell that a spreadsheet would take for a formula is written as text.

#include <QByteArrayView>
#include <QSaveFile>
#include <QStringEncoder>
#include <QStringList>
#include <span>

namespace vm {

// AsNeeded quotes a cell only when it must be; Always encloses every cell in
// double quotes (address-book files whose readers expect every field quoted).
enum class CsvQuoting { AsNeeded, Always };

class CsvWriter {
public:
    explicit CsvWriter(const QString& path, CsvQuoting quoting = CsvQuoting::AsNeeded);
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;
    // Without commit() the file on disk stays as it was.
    ~CsvWriter();

    // False when the file cannot be created.
    bool open();
    // One line; false once anything could not be written (the rest is then refused too).
    bool writeRow(const QStringList& cells);
    // The same with cells already in UTF-8 (as an engine hands out text).
    bool writeRow(std::span<const QByteArrayView> cells);
    // Puts the file in place; false (and the old file kept) when it cannot be.
    bool commit();
    // Drops what was written; the file on disk stays as it was.
    void cancel();

    // One cell as written: a cell beginning with =, +, -, @, tab or CR gets a
    // leading ' unless it is a plain number; then a cell holding a comma, a
    // double quote, CR or LF (or, with Always, every cell) is enclosed in
    // double quotes with its quotes doubled.
    static QString cell(const QString& value, CsvQuoting quoting = CsvQuoting::AsNeeded);
    // The cells of one line joined by commas, without the line end.
    static QString row(const QStringList& cells, CsvQuoting quoting = CsvQuoting::AsNeeded);
    // cell() on UTF-8, appended to `out`.
    static void appendCell(QByteArray& out, QByteArrayView utf8, CsvQuoting quoting);

private:
    bool lineDone();
    bool flush();

    QSaveFile m_file;
    CsvQuoting m_quoting;
    QByteArray m_buffer;
    QByteArray m_scratch; // one cell in UTF-8
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    bool m_failed = false;
};

// "The file: <path> has been created." when `written`, else the message that it
// could not be written (it may be open in another program).
QString FileWrittenMessage(const QString& path, bool written);

} // namespace vm
