#include "platform/CsvWriter.h"

#include <QDir>

namespace vm {

namespace {

// Written in one go once this much is waiting: long exports need not sit in memory.
constexpr qsizetype FlushAt = 1 << 20;

// ASCII bytes decide everything here; in UTF-8 they never occur inside a
// longer character, so the rules read the same as on the text.
bool StartsLikeFormula(QByteArrayView v) {
    if (v.isEmpty()) return false;
    switch (v.front()) {
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
    // A signed number ([+-]digits[.digits]) is read as a number, never run:
    // negative amounts stay summable.
    auto digits = [&](qsizetype& at) {
        const qsizetype from = at;
        while (at < v.size() && v[at] >= '0' && v[at] <= '9')
            ++at;
        return at > from;
    };
    qsizetype at = 1;
    if (v.front() != '+' && v.front() != '-') return true;
    if (!digits(at)) return true;
    if (at < v.size() && v[at] == '.') {
        ++at;
        if (!digits(at)) return true;
    }
    return at != v.size();
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
    // Each cell goes to UTF-8 in one reused buffer, then straight into the
    // line: a million-line file costs no string per cell.
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) m_buffer += ',';
        const QString& c = cells[i];
        m_scratch.resize(c.size() * 3);
        char* end = m_encoder.appendToBuffer(m_scratch.data(), c);
        appendCell(m_buffer, QByteArrayView(m_scratch.constData(), end - m_scratch.constData()),
                   m_quoting);
    }
    return lineDone();
}

bool CsvWriter::writeRow(std::span<const QByteArrayView> cells) {
    if (m_failed || !m_file.isOpen()) return false;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) m_buffer += ',';
        appendCell(m_buffer, cells[i], m_quoting);
    }
    return lineDone();
}

bool CsvWriter::lineDone() {
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

void CsvWriter::appendCell(QByteArray& out, QByteArrayView v, CsvQuoting quoting) {
    const bool defuse = StartsLikeFormula(v);
    bool quote = quoting == CsvQuoting::Always;
    for (qsizetype i = 0; !quote && i < v.size(); ++i) {
        const char ch = v[i];
        quote = ch == ',' || ch == '"' || ch == '\r' || ch == '\n';
    }
    if (quote) out += '"';
    if (defuse) out += '\'';
    if (!quote) {
        out += v;
        return;
    }
    for (qsizetype from = 0; from < v.size();) {
        qsizetype mark = v.indexOf('"', from);
        if (mark < 0) mark = v.size();
        out += v.sliced(from, mark - from);
        if (mark < v.size()) out += "\"\"";
        from = mark + 1;
    }
    out += '"';
}

QString CsvWriter::cell(const QString& value, CsvQuoting quoting) {
    QByteArray out;
    appendCell(out, value.toUtf8(), quoting);
    return QString::fromUtf8(out);
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
