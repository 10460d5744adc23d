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

// "yyyy/MM/dd" at the start of `stored`, read by position.
bool readStoredDate(QStringView stored, int parts[3]) {
    if (stored.size() < 10 || stored.at(4) != u'/' || stored.at(7) != u'/') return false;
    const int from[3] = {0, 5, 8}, count[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        parts[p] = 0;
        for (int i = from[p]; i < from[p] + count[p]; ++i) {
            const char16_t c = stored.at(i).unicode();
            if (c < u'0' || c > u'9') return false;
            parts[p] = parts[p] * 10 + (c - u'0');
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

bool fourDigitYear(const QDate& d) {
    return d.isValid() && d.year() >= 1 && d.year() <= 9999;
}
} // namespace

QString StoredDate(const QDate& d) {
    if (!fourDigitYear(d)) return d.isValid() ? d.toString("yyyy/MM/dd") : QString();
    return joinDigits({{d.year(), 4}, {d.month(), 2}, {d.day(), 2}}, u'/');
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

QDateTime ParseStoredDateTime(const QString& s) {
    return QDateTime::fromString(s.trimmed().left(16), "yyyy/MM/dd HH:mm");
}

QString ShortDate(const QDate& d) {
    if (!fourDigitYear(d)) return d.isValid() ? d.toString("MM/dd/yyyy") : QString();
    return joinDigits({{d.month(), 2}, {d.day(), 2}, {d.year(), 4}}, u'/');
}

QString ShortDateOfStored(const QString& stored) {
    int parts[3];
    if (!readStoredDate(stored, parts)) return {};
    return joinDigits({{parts[1], 2}, {parts[2], 2}, {parts[0], 4}}, u'/');
}

QString LongDate(const QDate& d) {
    return english().toString(d, "dddd, MMMM d, yyyy");
}

QString DayName(const QDate& d) {
    static const QString names[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                    "Friday", "Saturday", "Sunday"};
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
    return english().toString(t, "hh:mm AP");
}

QString Time24(const QTime& t) {
    return t.toString("HH:mm");
}

QTime ParseTime(const QString& s) {
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
    return t.isValid() ? english().toString(t, "hh:mm ap") : QString();
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
