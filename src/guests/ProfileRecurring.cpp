#include "guests/ProfileRecurring.h"

#include "core/Formats.h"

namespace vm {

namespace {

// Roughly the boundaries a pattern counts between the two dates (RecurringDates
// makes about one row more than this).
qint64 Boundaries(const QDate& start, const QDate& through, Recurrence pattern) {
    switch (pattern) {
    case Recurrence::Daily:
        return Formats::DateDiff("d", start, through);
    case Recurrence::Weekly:
        return Formats::DateDiff("ww", start, through);
    case Recurrence::BiWeekly:
        return (Formats::DateDiff("ww", start, through) + 1) / 2;
    case Recurrence::Monthly:
        return Formats::DateDiff("m", start, through);
    }
    return 0;
}

} // namespace

const QStringList& WeekdayNames() {
    static const QStringList names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
    return names;
}

QString RecurringDayOfWeek(const QDate& start) {
    return start.isValid() ? WeekdayNames().at(start.dayOfWeek() % 7) : QString();
}

QString RecurringDayOfMonth(const QDate& start) {
    return start.isValid() ? QString::number(start.day()) : QString();
}

QString MsgTooManyRecurring() {
    return "One request may create at most " + QString::number(MaxRecurringContacts) +
           " Contact History entries.  Please choose a shorter date range.";
}

RecurringPlan PlanRecurringContacts(const RecurringRequest& r) {
    RecurringPlan plan;
    const QDate start = Formats::ParseShortDate(r.startText);
    const QDate through = Formats::ParseShortDate(r.throughText);
    if (!start.isValid() || !through.isValid()) {
        plan.refusal = MsgRecurringRange;
        return plan;
    }
    if (through < start) {
        plan.refusal = MsgRecurringOrder;
        return plan;
    }
    const bool weekly = r.pattern == Recurrence::Weekly || r.pattern == Recurrence::BiWeekly;
    if (r.pattern == Recurrence::Monthly) {
        bool ok = false;
        const int day = r.dayOfMonth.trimmed().toInt(&ok);
        if (!ok || day < 1 || day > 31) {
            plan.refusal = MsgRecurringDayOfMonth;
            return plan;
        }
    } else if (weekly && !WeekdayNames().contains(r.dayOfWeek.trimmed(), Qt::CaseInsensitive)) {
        plan.refusal = MsgRecurringDayOfWeek;
        return plan;
    }
    // Checked before the dates are made: a range of centuries must not build
    // millions of dates only to refuse them.
    if (Boundaries(start, through, r.pattern) > 2 * qint64(MaxRecurringContacts)) {
        plan.refusal = MsgTooManyRecurring();
        return plan;
    }
    plan.dates = RecurringDates(start, through, r.pattern);
    if (int(plan.dates.size()) > MaxRecurringContacts) {
        plan.refusal = MsgTooManyRecurring();
        plan.dates.clear();
    }
    return plan;
}

} // namespace vm
