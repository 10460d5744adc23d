// Name recasing, letter merge fields and recurring contact dates.

#include "core/Formats.h"
#include "guests/Groups.h"
#include "guests/Profiles.h"

#include <QRegularExpression>

namespace vm {

namespace {

QString ProperCaseWords(const QString& name) {
    QString out = name.toLower();
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}

void UpperAt(QString& s, qsizetype i) {
    if (i >= 0 && i < s.size()) s[i] = s[i].toUpper();
}

// " Iii" → " III" only as a whole word: "Ivanov" keeps its case.
void FixSuffix(QString& s, const QString& from, const QString& to) {
    qsizetype at = 0;
    while ((at = s.indexOf(from, at)) >= 0) {
        const qsizetype end = at + from.size();
        if (end == s.size() || !s[end].isLetter()) s.replace(at, from.size(), to);
        at = end;
    }
}

QString AddressLine(const ProfileAddress& a, int which) {
    switch (which) {
    case 0:
        return a.line1;
    case 1:
        return a.line2;
    case 2:
        return CityStatePostal(a);
    default:
        return a.country;
    }
}

} // namespace

QString ProperCaseName(const QString& name) {
    QString s = ProperCaseWords(name);
    if (s.size() <= 3) return s;
    if (s[1] == '\'') UpperAt(s, 2);
    if (const qsizetype hyphen = s.indexOf('-'); hyphen >= 0) UpperAt(s, hyphen + 1);
    if (const qsizetype mc = s.indexOf("Mc"); mc >= 0 && mc + 2 < s.size() && s[mc + 2] != ' ')
        UpperAt(s, mc + 2);
    if (s.startsWith("M/m ")) s[2] = 'M';
    s.replace(" And ", " and ");
    FixSuffix(s, " Iii", " III");
    FixSuffix(s, " Ii", " II");
    FixSuffix(s, " Iv", " IV");
    return s;
}

QString MergeLetterFields(AppContext& ctx, const QString& text, const Profile& p,
                          const QString& sender) {
    QList<QPair<QString, QString>> fields;
    const QStringList lineNames{"Line1", "Line2", "CityStatePostal", "Country"};
    const QList<QPair<QString, const ProfileAddress*>> sets{
        {"Home", &p.home}, {"Business", &p.business}, {"Other", &p.other}};
    for (const auto& [set, address] : sets)
        for (int i = 0; i < lineNames.size(); ++i)
            fields << QPair<QString, QString>{"~~~Address" + set + lineNames[i],
                                              AddressLine(*address, i).trimmed()};
    const QDate today = ctx.clock().today();
    fields << QPair<QString, QString>{"~~~DateTodayLong", Formats::LongDate(today)}
           << QPair<QString, QString>{"~~~DateTodayShort", Formats::ShortDate(today)}
           << QPair<QString, QString>{"~~~GroupName",
                                      p.groupId ? GetGroupName(ctx, p.groupId) : QString()}
           << QPair<QString, QString>{"~~~JobTitle", p.title}
           << QPair<QString, QString>{"~~~NameFirst", p.firstName}
           << QPair<QString, QString>{"~~~NameLast", p.lastName}
           << QPair<QString, QString>{"~~~NameBothFirstLast",
                                      (p.firstName + " " + p.lastName).trimmed()}
           << QPair<QString, QString>{"~~~NameSender", sender}
           << QPair<QString, QString>{"~~~NameSpouse",
                                      p.id ? ProfileIndicatorValue(ctx, p.id, "Spouse Name")
                                           : QString()};
    QString out = text;
    for (const auto& [field, value] : fields)
        out.replace(field, value);
    return out;
}

std::vector<QDate> RecurringDates(const QDate& start, const QDate& through, Recurrence pattern) {
    std::vector<QDate> out;
    if (!start.isValid() || !through.isValid() || through < start) return out;
    qint64 n = 0;
    switch (pattern) {
    case Recurrence::Daily:
        n = Formats::DateDiff("d", start, through);
        break;
    case Recurrence::Weekly:
        n = Formats::DateDiff("ww", start, through);
        break;
    case Recurrence::BiWeekly: {
        const qint64 weeks = Formats::DateDiff("ww", start, through);
        n = weeks / 2;
        if (weeks % 2 == 1 && n % 2 == 1) ++n; // a half rounds to the even count
        break;
    }
    case Recurrence::Monthly:
        n = Formats::DateDiff("m", start, through);
        break;
    }
    for (qint64 i = 0; i <= n; ++i) {
        QDate d;
        switch (pattern) {
        case Recurrence::Daily:
            d = start.addDays(i);
            break;
        case Recurrence::Weekly:
            d = start.addDays(7 * i);
            break;
        case Recurrence::BiWeekly:
            d = start.addDays(14 * i);
            break;
        case Recurrence::Monthly:
            // From the start each time: Jan 31 gives Feb 28, then Mar 31.
            d = start.addMonths(int(i));
            break;
        }
        // Boundaries counted can reach past the last day; such dates are left out.
        if (d > through) break;
        out.push_back(d);
    }
    return out;
}

} // namespace vm
