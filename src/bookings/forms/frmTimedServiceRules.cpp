#include "bookings/forms/frmTimedServiceRules.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

namespace vm {

TypedDay CheckMassDeleteDate(const QString& typed, const QDate& today) {
    // Text that is no date is refused like an empty box: it must never reach the delete.
    const QDate d = Formats::ParseShortDate(typed.trimmed());
    if (!d.isValid()) return {{}, MsgTsMassDeleteDate};
    if (d > today) return {{}, MsgTsMassDeleteFuture};
    return {d, {}};
}

QString MassDeleteQuestion(const QDate& day) {
    return "Do you wish to delete ALL Timed Service " + CRLF + "entries prior to " +
           Formats::ShortDate(day);
}

QString MassDeleteDone(const QDate& day) {
    return "ALL Timed Service entries prior to " + Formats::ShortDate(day) +
           " have been deleted.  Thank you.";
}

TypedDay CheckSheetsDate(const QString& typed, bool locationSheets) {
    const QDate d = Formats::ParseShortDate(typed.trimmed());
    if (!d.isValid()) return {{}, locationSheets ? MsgTsLocationSheetsDate : MsgTsProviderSheetsDate};
    return {d, {}};
}

QString DeleteBookingQuestion() {
    return "Press <Yes> to DELETE this Timed Service, " + CRLF +
           "press <No> if you DO NOT wish to delete.";
}

QString DeleteLinkQuestion() {
    return "Press <Yes> to DELETE this Logbook Link." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

QString DurationCaption(int minutes) {
    return QString::number(minutes) + " minutes";
}

} // namespace vm
