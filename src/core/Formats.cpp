#include "core/Formats.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <algorithm>
#include <cmath>

namespace vm::Formats {

namespace {
const QLocale& english() {
    static const QLocale l(QLocale::English, QLocale::UnitedStates);
    return l;
}
} // namespace

QString StoredDate(const QDate& d) {
    return d.isValid() ? d.toString("yyyy/MM/dd") : QString();
}

QString StoredDateTime(const QDateTime& dt) {
    return dt.isValid() ? dt.toString("yyyy/MM/dd HH:mm") : QString();
}

QString StoredDateTimeSeconds(const QDateTime& dt) {
    return dt.isValid() ? dt.toString("yyyy/MM/dd HH:mm:ss") : QString();
}

QDate ParseStoredDate(const QString& s) {
    return QDate::fromString(s.trimmed().left(10), "yyyy/MM/dd");
}

QDateTime ParseStoredDateTime(const QString& s) {
    return QDateTime::fromString(s.trimmed().left(16), "yyyy/MM/dd HH:mm");
}

QString ShortDate(const QDate& d) {
    if (!d.isValid()) return {};
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    if (year < 1 || year > 9999) return d.toString("MM/dd/yyyy");
    // Put together by hand: lists show a date per row, and the pattern
    // formatter costs more than reading the row.
    QString text(10, Qt::Uninitialized);
    QChar* out = text.data();
    auto digits = [&out](int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            out[i] = QChar(u'0' + value % 10);
        out += count;
    };
    digits(month, 2);
    *out++ = u'/';
    digits(day, 2);
    *out++ = u'/';
    digits(year, 4);
    return text;
}

QString ShortDateOfStored(const QString& stored) {
    // Read by position and moved into place: lists show one per row.
    if (stored.size() < 10 || stored.at(4) != u'/' || stored.at(7) != u'/') return {};
    int parts[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8}, count[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p)
        for (int i = from[p]; i < from[p] + count[p]; ++i) {
            const char16_t c = stored.at(i).unicode();
            if (c < u'0' || c > u'9') return {};
            parts[p] = parts[p] * 10 + (c - u'0');
        }
    if (!QDate::isValid(parts[0], parts[1], parts[2])) return {};
    QString text(10, Qt::Uninitialized);
    QChar* out = text.data();
    const QChar* in = stored.constData();
    out[0] = in[5];
    out[1] = in[6];
    out[2] = u'/';
    out[3] = in[8];
    out[4] = in[9];
    out[5] = u'/';
    std::copy(in, in + 4, out + 6);
    return text;
}

QString LongDate(const QDate& d) {
    return english().toString(d, "dddd, MMMM d, yyyy");
}

QString DayName(const QDate& d) {
    return english().toString(d, "dddd");
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
