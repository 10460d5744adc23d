#pragma once
// Text the engines hand out in UTF-8, read into the forms the rows give.

#include <QString>

namespace vm {

// The ASCII characters QChar::isSpace counts as white space.
inline bool asciiBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// QString::fromUtf8(from, n).  Stored texts are short and nearly all ASCII:
// they are widened in one pass, and only a text with other characters goes
// through the UTF-8 decoder (after the pass, which leaves its string unused).
inline QString fromUtf8(const char* from, qsizetype n) {
    QString out(n, Qt::Uninitialized);
    char16_t* to = out.data_ptr().data();
    uchar any = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const uchar c = uchar(from[i]);
        any |= c;
        to[i] = c;
    }
    if (any < 0x80) return out;
    return QString::fromUtf8(from, n);
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
    QString inner = fromUtf8(from, to - from);
    // Other white space (a no-break space, a line separator) is never ASCII.
    if (uchar(*from) >= 0x80 || uchar(to[-1]) >= 0x80) return std::move(inner).trimmed();
    // Returned as it stands (a conditional expression would copy it: two
    // atomic reference counts per value, more than the rest of the reading).
    return inner;
}

} // namespace vm
