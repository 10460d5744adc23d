#pragma once
// Text the engines hand out in UTF-8, read into the forms the rows give.

#include <QString>

namespace vm {

// The ASCII characters QChar::isSpace counts as white space.
inline bool asciiBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// QString::fromUtf8(from, to - from).trimmed(), without converting the blanks
// it drops: stored texts are padded with blanks ("" is kept as " "), so a
// blank value costs no string at all.
inline QString trimmedUtf8(const char* from, const char* to) {
    while (from < to && asciiBlank(*from))
        ++from;
    while (to > from && asciiBlank(to[-1]))
        --to;
    if (from == to) return {};
    QString inner = QString::fromUtf8(from, to - from);
    // Other white space (a no-break space, a line separator) is never ASCII.
    if (uchar(*from) >= 0x80 || uchar(to[-1]) >= 0x80) return std::move(inner).trimmed();
    // Returned as it stands (a conditional expression would copy it: two
    // atomic reference counts per value, more than the rest of the reading).
    return inner;
}

} // namespace vm
