#include "platform/CsvReader.h"

#include <QFile>
#include <QFileInfo>

namespace vm {

namespace {

enum class ByteFault { None, Binary, NotUtf8 };

// The first byte that makes the data something other than UTF-8 text: a NUL
// (binary data), or a malformed, overlong or surrogate sequence.
ByteFault CheckBytes(const QByteArray& bytes, qsizetype& at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        at = i;
        const unsigned char c = p[i];
        if (c == 0) return ByteFault::Binary;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if ((c & 0xE0) == 0xC0) {
            follow = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return ByteFault::NotUtf8;
        }
        for (int k = 1; k <= follow; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80) return ByteFault::NotUtf8;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return ByteFault::NotUtf8;
        i += follow + 1;
    }
    return ByteFault::None;
}

int LineOfOffset(const QByteArray& bytes, qsizetype offset) {
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            ++line;
        else if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            ++line;
    }
    return line;
}

class Parser {
public:
    Parser(const QString& text, const CsvLimits& limits) : m_text(text), m_limits(limits) {}

    CsvContent run() {
        const qsizetype n = m_text.size();
        for (qsizetype i = 0; i < n && m_out.ok(); ++i) {
            const QChar c = m_text[i];
            if (m_inQuotes) {
                if (c == u'"') {
                    if (i + 1 < n && m_text[i + 1] == u'"') {
                        append(u'"');
                        ++i;
                    } else {
                        m_inQuotes = false;
                        m_closed = true;
                    }
                } else if (c == u'\r' || c == u'\n') {
                    if (c == u'\r' && i + 1 < n && m_text[i + 1] == u'\n') ++i;
                    append(u'\n');
                    ++m_line;
                } else {
                    append(c);
                }
                continue;
            }
            if (c == u',') {
                endCell();
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && m_text[i + 1] == u'\n') ++i;
                endRecord();
                ++m_line;
                m_recordLine = m_line;
            } else if (m_closed) {
                // Blanks after the closing quote are tolerated; anything else
                // would be silently lost or glued on.
                if (c != u' ' && c != u'\t')
                    fail(m_line, int(m_cells.size()),
                         "A quoted cell is followed by other text before the next comma.");
            } else if (c == u'"' && m_cell.isEmpty() && !m_quoted) {
                m_inQuotes = m_quoted = true;
            } else {
                append(c);
            }
        }
        if (!m_out.ok()) return std::move(m_out);
        if (m_inQuotes) {
            fail(m_recordLine, int(m_cells.size()),
                 "The file ends inside a quoted cell: it may be incomplete.");
            return std::move(m_out);
        }
        endRecord();
        return std::move(m_out);
    }

private:
    void append(QChar c) {
        if (m_cell.size() >= m_limits.maxCellChars) {
            fail(m_recordLine, int(m_cells.size()),
                 "The cell is longer than " + QString::number(m_limits.maxCellChars) +
                     " characters.");
            return;
        }
        m_cell += c;
    }
    void endCell() {
        if (m_cells.size() >= m_limits.maxCells) {
            fail(m_recordLine, -1,
                 "The line has more than " + QString::number(m_limits.maxCells) + " cells.");
            return;
        }
        m_cells << m_cell;
        m_cell.clear();
        m_quoted = m_closed = false;
    }
    void endRecord() {
        const bool blank = m_cells.isEmpty() && m_cell.isEmpty() && !m_quoted;
        if (!blank) {
            endCell();
            if (!m_out.ok()) return;
            m_out.records.push_back({m_recordLine, m_cells});
        }
        m_cells.clear();
        m_cell.clear();
        m_quoted = m_closed = false;
    }
    void fail(int line, int column, const QString& text) {
        if (m_out.ok()) m_out.fault = {line, column, text};
    }

    const QString& m_text;
    const CsvLimits& m_limits;
    CsvContent m_out;
    QStringList m_cells;
    QString m_cell;
    int m_line = 1, m_recordLine = 1;
    bool m_inQuotes = false; // inside a quoted cell
    bool m_quoted = false;   // the cell began with a quote
    bool m_closed = false;   // its closing quote has been read
};

CsvContent Refused(int line, const QString& text) {
    CsvContent c;
    c.fault = {line, -1, text};
    return c;
}

QString LimitText(qint64 bytes) {
    const qint64 mb = 1024 * 1024;
    return bytes >= mb ? QString::number(bytes / mb) + " MB" : QString::number(bytes) + " bytes";
}

} // namespace

CsvContent CsvReader::parse(const QByteArray& bytes, const CsvLimits& limits) {
    if (bytes.size() > limits.maxFileBytes)
        return Refused(0, "The file is larger than " + LimitText(limits.maxFileBytes) +
                              ".  Please divide it into smaller files.");
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    qsizetype at = 0;
    switch (CheckBytes(data, at)) {
    case ByteFault::Binary:
        return Refused(LineOfOffset(data, at),
                       "The file holds binary data: it is not a comma-separated text file.");
    case ByteFault::NotUtf8:
        return Refused(LineOfOffset(data, at),
                       "The file is not UTF-8 text.  Please save it as CSV in UTF-8.");
    case ByteFault::None:
        break;
    }
    const QString text = QString::fromUtf8(data);
    return Parser(text, limits).run();
}

CsvContent CsvReader::readFile(const QString& path, const CsvLimits& limits) {
    const QFileInfo info(path);
    if (!info.isFile()) return Refused(0, "The file " + path + " could not be found.");
    if (info.size() > limits.maxFileBytes)
        return Refused(0, "The file is larger than " + LimitText(limits.maxFileBytes) +
                              ".  Please divide it into smaller files.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(0, "The file " + path + " could not be opened: " + file.errorString());
    // Read one byte past the limit: a file that grew since it was measured is still refused.
    const QByteArray bytes = file.read(limits.maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refused(0, "The file " + path + " could not be read: " + file.errorString());
    return parse(bytes, limits);
}

} // namespace vm
