#include "logbook/DesignText.h"

namespace vm {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Where a designed line's value lies: [start, end) and whether a line end
// follows it.  `found` is false when the label is not in the text.
struct ValueSpan {
    bool found = false;
    qsizetype labelEnd = 0; // just after the label
    qsizetype start = 0, end = 0;
    bool lineEnd = false;
};

// The value after a label found at `at` (-1: not found).
ValueSpan valueAt(const QString& text, qsizetype at, qsizetype labelSize) {
    ValueSpan s;
    if (at < 0) return s;
    s.found = true;
    const qsizetype after = at + labelSize;
    s.labelEnd = after;
    // A label written straight before its line end has an empty value; the
    // next line is not its value.
    if (text.mid(after, 2) == LineEnd) {
        s.start = s.end = after;
        s.lineEnd = true;
        return s;
    }
    s.start = qMin(after + 1, text.size());
    const qsizetype end = text.indexOf(LineEnd, s.start);
    s.lineEnd = end >= 0;
    s.end = end >= 0 ? end : text.size();
    return s;
}

ValueSpan findValue(const QString& text, const QString& label) {
    if (label.isEmpty()) return {};
    return valueAt(text, text.indexOf(label, 0, Qt::CaseInsensitive), label.size());
}

QString valueText(const QString& text, const ValueSpan& s) {
    if (!s.found) return {};
    if (!s.lineEnd) return DamagedDesignValue;
    return text.mid(s.start, s.end - s.start);
}

QString oneLine(QString value) {
    value.replace(LineEnd, " ");
    value.replace('\r', ' ');
    value.replace('\n', ' ');
    return value;
}

QString line(const DesignItem& item, const QString& value) {
    return item.labelText + ' ' + oneLine(value) + LineEnd;
}

} // namespace

QString ReadDesignValue(const QString& text, const QString& label) {
    return valueText(text, findValue(text, label));
}

DesignValueReader::DesignValueReader(const QString& label)
    : m_label(label, Qt::CaseInsensitive) {}

QString DesignValueReader::read(const QString& text) const {
    const QString& label = m_label.pattern();
    if (label.isEmpty()) return {};
    return valueText(text, valueAt(text, m_label.indexIn(text), label.size()));
}

qsizetype DesignLinesEnd(const QString& text, const QStringList& labels) {
    qsizetype end = 0;
    for (const QString& label : labels) {
        const ValueSpan s = findValue(text, label);
        if (s.found) end = qMax(end, s.lineEnd ? s.end + LineEnd.size() : text.size());
    }
    return end;
}

QStringList ReadDesignValues(const QString& text, const std::vector<DesignItem>& items) {
    QStringList out;
    for (const DesignItem& item : items)
        out << ReadDesignValue(text, item.labelText);
    return out;
}

QString WriteDesignValues(const QString& text, const std::vector<DesignItem>& items,
                          const QStringList& values) {
    // A null value (or none given) leaves its line as it is.
    const auto valueOf = [&values](size_t i) {
        return i < size_t(values.size()) ? values[qsizetype(i)] : QString();
    };
    bool anyLine = false, anyValue = false;
    for (size_t i = 0; i < items.size(); ++i) {
        anyLine = anyLine || findValue(text, items[i].labelText).found;
        anyValue = anyValue || !valueOf(i).trimmed().isEmpty();
    }
    if (!anyLine && !anyValue) return text;

    QString out = text;
    qsizetype cursor = 0; // just after the line written last
    for (size_t i = 0; i < items.size(); ++i) {
        const DesignItem& item = items[i];
        if (valueOf(i).isNull()) {
            const ValueSpan kept = findValue(out, item.labelText);
            if (kept.found) cursor = kept.lineEnd ? kept.end + LineEnd.size() : out.size();
            continue;
        }
        const QString value = oneLine(valueOf(i));
        const ValueSpan s = findValue(out, item.labelText);
        if (!s.found) {
            const QString added = line(item, value);
            out.insert(cursor, added);
            cursor += added.size();
            continue;
        }
        // The separator, the old value and, for a cut-short line, its missing end.
        const qsizetype from = s.labelEnd, to = s.end;
        const QString written = ' ' + value + (s.lineEnd ? QString() : LineEnd);
        out.replace(from, to - from, written);
        cursor = from + written.size() + (s.lineEnd ? LineEnd.size() : 0);
    }
    return out;
}

QString DesignLinesOnly(const std::vector<DesignItem>& items, const QStringList& values) {
    QString out;
    for (size_t i = 0; i < items.size(); ++i)
        out += line(items[i], i < size_t(values.size()) ? values[qsizetype(i)] : QString());
    return out;
}

bool IsNumberFieldCharacter(QChar c, const QString& currencySign) {
    if (c.isDigit() && c.unicode() < 128) return true;
    if (QStringLiteral(".-/:,$").contains(c)) return true;
    return !currencySign.isEmpty() && currencySign.contains(c);
}

QString NumberFieldMessage(const QString& currencySign) {
    return QStringList{"This field must contain ONLY NUMBERS (0-9) or",
                       "a Period (.),",
                       "a Dash (-),",
                       "a Slash (/),",
                       "a Colon (:),",
                       "a Comma (,),",
                       "your Currency Sign (" + currencySign + ") ,",
                       "or a Dollar Sign ($)."}
        .join("\r\n");
}

} // namespace vm
