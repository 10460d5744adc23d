#pragma once
// The booking screen's own checks and texts, kept apart from the widgets so
// they can be tested and read on their own.

#include <QDate>
#include <QString>

namespace vm {

// The day typed for the mass delete or the printed sheets.
struct TypedDay {
    QDate day;       // valid when accepted
    QString refusal; // the message otherwise
};

// The printed sheets' date: required and a real date.
TypedDay CheckSheetsDate(const QString& typed, bool locationSheets);

QString DeleteLinkQuestion();

// "90 minutes"
QString DurationCaption(int minutes);

inline const QString MsgTsNoSheetSetUp =
    QStringLiteral("No Services/Locations have been defined for your selection.");
inline const QString MsgTsLocationSheetsDate =
    QStringLiteral("Please enter the Date to be used for the Location Sheets.  Thank you.");
inline const QString MsgTsProviderSheetsDate =
    QStringLiteral("Please enter the Date to be used for the Provider Sheets.  Thank you.");
inline const QString MsgTsSaveProviderFirst =
    QStringLiteral("Please save the Provider before working with the Provider's Schedules.");
inline const QString MsgTsSelectAssignProvider =
    QStringLiteral("Please select the Provider for these Services.");
inline const QString MsgTsSelectLink = QStringLiteral("Please select the Logbook Link to Delete.");
inline const QString TsMoveTip =
    QStringLiteral("A saved booking keeps its service, provider, date and time.  To move it, "
                   "delete it and book the new time.");

} // namespace vm
