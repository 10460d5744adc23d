#pragma once
// A recurring contact as the desk asks for it: two typed dates, a pattern
// and the day it falls on, checked and turned into the dates to store.

#include "guests/Profiles.h"

#include <QDate>
#include <QString>
#include <vector>

namespace vm {

struct RecurringRequest {
    QString startText, throughText; // as typed ("MM/DD/YYYY")
    Recurrence pattern = Recurrence::Weekly;
    QString dayOfWeek;  // "Sunday" … "Saturday" (Weekly, BiWeekly)
    QString dayOfMonth; // "1" … "31" (Monthly)
};

struct RecurringPlan {
    QString refusal; // "" when the dates may be stored
    std::vector<QDate> dates;
};

// Checks the request in the screen's order and answers its dates; a request
// that would make more than MaxRecurringContacts rows is refused.
RecurringPlan PlanRecurringContacts(const RecurringRequest& r);

// What the day fields show for a starting date ("" for an invalid date).
QString RecurringDayOfWeek(const QDate& start);
QString RecurringDayOfMonth(const QDate& start);
// The seven day names, Sunday first.
const QStringList& WeekdayNames();

inline const QString MsgRecurringRange = QStringLiteral("Please enter a valid date range.");
inline const QString MsgRecurringOrder =
    QStringLiteral("The Through date must be greater than Starting date.");
inline const QString MsgRecurringDayOfMonth =
    QStringLiteral("Please enter the day of the month this Contact occurs.");
inline const QString MsgRecurringDayOfWeek =
    QStringLiteral("Please select the Day of the Week for this Contact.");
// The refusal of a request over the limit; it names the limit.
QString MsgTooManyRecurring();

} // namespace vm
