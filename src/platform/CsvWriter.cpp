#include "platform/CsvWriter.h"

#include <QDir>
#include <QRegularExpression>

namespace vm {

namespace {

// Written in one go once this much is waiting: long exports need not sit in memory.
constexpr qsizetype FlushAt = 1 << 20;

bool StartsLikeFormula(const QString& value) {
    if (value.isEmpty()) return false;
    switch (value.front().unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        break;
    default:
        return false;
    }
    // A signed number is read as a number, never run: negative amounts stay summable.
    static const QRegularExpression number(QStringLiteral("^[+-][0-9]+(\\.[0-9]+)?$"));
    return !number.match(value).hasMatch();
}

} // namespace

CsvWriter::CsvWriter(const QString& path, CsvQuoting quoting) : m_file(path), m_quoting(quoting) {}

CsvWriter::~CsvWriter() {
    if (m_file.isOpen()) m_file.cancelWriting();
}

bool CsvWriter::open() {
    m_failed = false;
    m_buffer.clear();
    // Unbuffered: every write reaches the temporary file at once and its count
    // is checked, so a failed write can never be committed as a shortened file.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) m_failed = true;
    return !m_failed;
}

bool CsvWriter::writeRow(const QStringList& cells) {
    if (m_failed || !m_file.isOpen()) return false;
    // Straight into the buffer: a million-line file is mostly plain cells.
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) m_buffer += ',';
        m_buffer += cell(cells[i], m_quoting).toUtf8();
    }
    m_buffer += "\r\n";
    return m_buffer.size() < FlushAt || flush();
}

bool CsvWriter::flush() {
    if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size()) {
        m_failed = true;
        m_file.cancelWriting();
    }
    m_buffer.clear();
    return !m_failed;
}

bool CsvWriter::commit() {
    if (m_failed || !m_file.isOpen() || !flush()) {
        cancel();
        return false;
    }
    return m_file.commit();
}

void CsvWriter::cancel() {
    m_buffer.clear();
    m_failed = true;
    if (m_file.isOpen()) m_file.cancelWriting();
}

QString CsvWriter::cell(const QString& value, CsvQuoting quoting) {
    if (value.isEmpty()) return quoting == CsvQuoting::Always ? QStringLiteral("\"\"") : value;
    const QString text = StartsLikeFormula(value) ? '\'' + value : value;
    bool quote = quoting == CsvQuoting::Always;
    for (qsizetype i = 0; !quote && i < text.size(); ++i) {
        const QChar ch = text.at(i);
        quote = ch == ',' || ch == '"' || ch == '\r' || ch == '\n';
    }
    if (!quote) return text;
    QString quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QString CsvWriter::row(const QStringList& cells, CsvQuoting quoting) {
    QStringList out;
    out.reserve(cells.size());
    for (const QString& c : cells)
        out << cell(c, quoting);
    return out.join(',');
}

QString FileWrittenMessage(const QString& path, bool written) {
    const QString shown = QDir::toNativeSeparators(path);
    if (written) return "The file: " + shown + " has been created.";
    return "The file: " + shown +
           " could not be written.  Please check that it is not open in another program.";
}

} // namespace vm
