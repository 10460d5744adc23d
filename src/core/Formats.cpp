#include "core/Formats.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace vm::Formats {

namespace {
const QLocale& english() {
    static const QLocale l(QLocale::English, QLocale::UnitedStates);
    return l;
}

// Lists show a date per row, and Qt's pattern parser and formatter cost more
// than reading the row: the desk's fixed forms are read and put together by hand.

// "yyyy/MM/dd" at the start of `stored` (a QStringView or the engine's
// UTF-8 in a QByteArrayView), read by position.
template <typename View>
bool readStoredDate(View stored, int parts[3]) {
    if (stored.size() < 10 || stored.at(4) != '/' || stored.at(7) != '/') return false;
    const int from[3] = {0, 5, 8}, count[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        parts[p] = 0;
        for (int i = from[p]; i < from[p] + count[p]; ++i) {
            const char32_t c = char32_t(QChar(stored.at(i)).unicode());
            if (c < U'0' || c > U'9') return false;
            parts[p] = parts[p] * 10 + int(c - U'0');
        }
    }
    return QDate::isValid(parts[0], parts[1], parts[2]);
}

// Numbers zero-padded to their widths, with `separator` between them.
QString joinDigits(std::initializer_list<std::pair<int, int>> numbers, QChar separator) {
    qsizetype size = qsizetype(numbers.size()) - 1;
    for (const auto& [value, width] : numbers)
        size += width;
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    bool first = true;
    for (auto [value, width] : numbers) {
        if (!first) *out++ = separator;
        first = false;
        for (int i = width - 1; i >= 0; --i, value /= 10)
            out[i] = QChar(u'0' + value % 10);
        out += width;
    }
    return text;
}

// The year, month and day of a date whose year has four digits (each of
// QDate's year(), month() and day() works the calendar out again).
bool fourDigitYear(const QDate& d, int& year, int& month, int& day) {
    if (!d.isValid()) return false;
    d.getDate(&year, &month, &day);
    return year >= 1 && year <= 9999;
}

// The digit at `i` of `t`, or -1.
int digitAt(QStringView t, qsizetype i) {
    const char16_t c = t.at(i).unicode();
    return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
}

// "h:mm" or "hh:mm" at the start of `t` (`digits` hour digits): false when
// `t` does not begin so or the minute is over 59.
bool readClock(QStringView t, qsizetype digits, int& hour, int& minute) {
    if (t.size() < digits + 3 || t.at(digits) != u':') return false;
    hour = 0;
    for (qsizetype i = 0; i < digits; ++i) {
        const int d = digitAt(t, i);
        if (d < 0) return false;
        hour = hour * 10 + d;
    }
    const int tens = digitAt(t, digits + 1), ones = digitAt(t, digits + 2);
    if (tens < 0 || ones < 0) return false;
    minute = tens * 10 + ones;
    return minute <= 59;
}

// "AM" or "PM" in either case: 0 or 12 hours to add; -1 for anything else.
int meridiem(QStringView t) {
    if (t.size() != 2 || (t.at(1) != u'M' && t.at(1) != u'm')) return -1;
    if (t.at(0) == u'A' || t.at(0) == u'a') return 0;
    if (t.at(0) == u'P' || t.at(0) == u'p') return 12;
    return -1;
}

// The forms a desk types most ("13:05", "7:05", "01:05 PM", "1:05 pm",
// "01:05PM"), read by position; an invalid time for any other text, which
// then goes to Qt's patterns.
QTime clockByPosition(QStringView t) {
    const qsizetype digits = t.size() > 1 && t.at(1) == u':' ? 1 : 2;
    int hour = 0, minute = 0;
    if (!readClock(t, digits, hour, minute)) return {};
    const QStringView rest = t.mid(digits + 3);
    if (rest.isEmpty()) return hour <= 23 ? QTime(hour, minute) : QTime();
    const int add = meridiem(rest.startsWith(u' ') ? rest.mid(1) : rest);
    if (add < 0 || hour < 1 || hour > 12) return {};
    return QTime(hour % 12 + add, minute);
}

// "hh:mm" with " AM"/" PM" (or " am"/" pm") after it when `half` is given.
QString clockText(const QTime& t, const char16_t* half) {
    const int hour = half ? (t.hour() % 12 == 0 ? 12 : t.hour() % 12) : t.hour();
    QString text = joinDigits({{hour, 2}, {t.minute(), 2}}, u':');
    if (half) {
        text += u' ';
        text += QChar(t.hour() < 12 ? half[0] : half[1]);
        text += QChar(half[2]);
    }
    return text;
}
} // namespace

QString StoredDate(const QDate& d) {
    int year, month, day;
    if (!fourDigitYear(d, year, month, day))
        return d.isValid() ? d.toString("yyyy/MM/dd") : QString();
    return joinDigits({{year, 4}, {month, 2}, {day, 2}}, u'/');
}

QString StoredDateTime(const QDateTime& dt) {
    return dt.isValid() ? dt.toString("yyyy/MM/dd HH:mm") : QString();
}

QString StoredDateTimeSeconds(const QDateTime& dt) {
    return dt.isValid() ? dt.toString("yyyy/MM/dd HH:mm:ss") : QString();
}

QDate ParseStoredDate(const QString& s) {
    const QStringView stored = QStringView(s).trimmed().left(10);
    int parts[3];
    if (stored.size() == 10 && readStoredDate(stored, parts))
        return QDate(parts[0], parts[1], parts[2]);
    return QDate::fromString(stored.toString(), "yyyy/MM/dd");
}

QDate ParseStoredDateUtf8(QByteArrayView utf8) {
    int parts[3];
    if (utf8.size() == 10 && readStoredDate(utf8, parts)) return QDate(parts[0], parts[1], parts[2]);
    return ParseStoredDate(QString::fromUtf8(utf8));
}

QDateTime ParseStoredDateTime(const QString& s) {
    return QDateTime::fromString(s.trimmed().left(16), "yyyy/MM/dd HH:mm");
}

QString ShortDate(const QDate& d) {
    int year, month, day;
    if (!fourDigitYear(d, year, month, day))
        return d.isValid() ? d.toString("MM/dd/yyyy") : QString();
    return joinDigits({{month, 2}, {day, 2}, {year, 4}}, u'/');
}

namespace {
template <typename View>
QString shortDateOfStored(View stored) {
    int parts[3];
    if (!readStoredDate(stored, parts)) return {};
    return joinDigits({{parts[1], 2}, {parts[2], 2}, {parts[0], 4}}, u'/');
}
} // namespace

QString ShortDateOfStored(const QString& stored) {
    return shortDateOfStored(QStringView(stored));
}

QString ShortDateOfStoredUtf8(QByteArrayView utf8) {
    return shortDateOfStored(utf8);
}

QString LongDate(const QDate& d) {
    return english().toString(d, "dddd, MMMM d, yyyy");
}

QString DayName(const QDate& d) {
    // Literals: a copy shares the program's own text, with no count to keep.
    static const QString names[] = {QStringLiteral("Monday"),   QStringLiteral("Tuesday"),
                                    QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                    QStringLiteral("Friday"),   QStringLiteral("Saturday"),
                                    QStringLiteral("Sunday")};
    return d.isValid() ? names[d.dayOfWeek() - 1] : QString();
}

QString MonthDayYear(const QDate& d) {
    return english().toString(d, "MMMM d, yyyy");
}

QString DayShortDate(const QDate& d) {
    return d.isValid() ? english().toString(d, "dddd, MM/dd/yyyy") : QString();
}

QString NamedDate(const QDate& d, const QString& formatName) {
    if (!d.isValid()) return {};
    const QString name = formatName.simplified();
    if (name.compare("Short Date", Qt::CaseInsensitive) == 0) return ShortDate(d);
    if (name.compare("Medium Date", Qt::CaseInsensitive) == 0)
        return english().toString(d, "dd-MMM-yy");
    // The pattern names a member picks for a printed date (the itinerary's
    // "Date Printed" header column), written as the desk writes them.
    static const QList<QPair<QString, QString>> patterns = {
        {"MMMM DD, YYYY", "MMMM dd, yyyy"}, {"DD/MM/YY", "dd/MM/yy"}, {"DD/MM/YYYY", "dd/MM/yyyy"},
        {"YYYY/MM/DD", "yyyy/MM/dd"},       {"MM/DD/YY", "MM/dd/yy"}, {"DD.MM.YY", "dd.MM.yy"}};
    for (const auto& [shown, pattern] : patterns)
        if (name.compare(shown, Qt::CaseInsensitive) == 0) return english().toString(d, pattern);
    return LongDate(d);
}

QDate ParseShortDate(const QString& s) {
    const QString t = s.trimmed();
    for (const char* f : {"MM/dd/yyyy", "M/d/yyyy", "MM/dd/yy", "M/d/yy"}) {
        QDate d = QDate::fromString(t, f);
        if (d.isValid()) {
            if (QString(f).endsWith("yy") && !QString(f).endsWith("yyyy") && d.year() < 1930)
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

QString Time12(const QTime& t) {
    return t.isValid() ? clockText(t, u"APM") : english().toString(t, "hh:mm AP");
}

QString Time24(const QTime& t) {
    return t.isValid() ? clockText(t, nullptr) : t.toString("HH:mm");
}

QTime ParseTime(const QString& s) {
    const QTime typed = clockByPosition(QStringView(s).trimmed());
    if (typed.isValid()) return typed;
    const QString t = s.trimmed().toUpper();
    for (const char* f :
         {"HH:mm", "hh:mm AP", "h:mm AP", "hh:mmAP", "h:mmAP", "HH:mm:ss", "hh:mm:ss AP", "H:mm"}) {
        const QTime time = english().toTime(t, f);
        if (time.isValid()) return time;
    }
    return {};
}

QTime ParseTime12(const QString& s) {
    return english().toTime(s, "hh:mm AP");
}

QString AuditStamp(const QDateTime& dt) {
    return english().toString(dt.date(), "dddd, MM/dd/yyyy") + " at " +
           english().toString(dt.time(), "hh:mm ap");
}

QString CreatedDate(const QDate& d) {
    return d.isValid() ? english().toString(d, "dddd,  MMMM dd, yyyy") : QString();
}

QString Time12Lower(const QTime& t) {
    return t.isValid() ? clockText(t, u"apm") : QString();
}

QString SyslogStamp(const QDateTime& dt) {
    return english().toString(dt, "MMM dd HH:mm:ss");
}

QString FormatNumber(double value, const QString& pattern) {
    const int dot = pattern.indexOf('.');
    const int decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    const QString intPattern = dot < 0 ? pattern : pattern.left(dot);
    const bool grouping = intPattern.contains(',');
    const int minIntDigits = int(intPattern.count('0'));

    const bool negative = value < 0;
    const double rounded =
        std::round(std::fabs(value) * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    QString digits = QString::number(rounded, 'f', decimals);
    QString intPart = dot < 0 ? digits : digits.section('.', 0, 0);
    const QString frac = decimals > 0 ? digits.section('.', 1, 1) : QString();
    if (intPart == "0" && minIntDigits == 0) intPart.clear();
    while (intPart.size() < minIntDigits)
        intPart.prepend('0');
    if (grouping)
        for (int i = int(intPart.size()) - 3; i > 0; i -= 3)
            intPart.insert(i, ',');
    QString out = intPart;
    if (decimals > 0) out += '.' + frac;
    return negative && rounded != 0 ? '-' + out : out;
}

qint64 DateDiff(const QString& interval, const QDate& from, const QDate& to) {
    const QString i = interval.toLower();
    if (i == "d" || i == "y" || i == "w") return i == "w" ? from.daysTo(to) / 7 : from.daysTo(to);
    if (i == "ww") {
        // Sundays crossed: weeks start on Sunday.
        auto weekStart = [](const QDate& d) { return d.addDays(-(d.dayOfWeek() % 7)); };
        return weekStart(from).daysTo(weekStart(to)) / 7;
    }
    if (i == "m") return (to.year() - from.year()) * 12 + (to.month() - from.month());
    if (i == "q")
        return (to.year() - from.year()) * 4 + ((to.month() - 1) / 3 - (from.month() - 1) / 3);
    if (i == "yyyy") return to.year() - from.year();
    return from.daysTo(to);
}

} // namespace vm::Formats
