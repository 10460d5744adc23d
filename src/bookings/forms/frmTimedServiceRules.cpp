#include "bookings/forms/frmTimedServiceRules.h"

#include "core/DataAccess.h"
#include "core/Formats.h"

namespace vm {

TypedDay CheckSheetsDate(const QString& typed, bool locationSheets) {
    const QDate d = Formats::ParseShortDate(typed.trimmed());
    if (!d.isValid()) return {{}, locationSheets ? MsgTsLocationSheetsDate : MsgTsProviderSheetsDate};
    return {d, {}};
}

QString DeleteLinkQuestion() {
    return "Press <Yes> to DELETE this Logbook Link." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

QString DurationCaption(int minutes) {
    return QString::number(minutes) + " minutes";
}

} // namespace vm
