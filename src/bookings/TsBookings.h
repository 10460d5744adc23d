#pragma once
// Timed-service bookings: saving (with the slot checked again inside the
// transaction that writes it), the logbook entry a booking files and keeps in
// step, deleting, and the mass delete.

#include "bookings/TsSetup.h"

#include <QDateTime>
#include <functional>
#include <optional>

namespace vm {

struct TsBooking {
    qint64 id = 0; // TimedServiceID; 0 = new
    qint64 categoryId = 0, serviceId = 0, providerId = 0, locationId = 0;
    qint64 logbookId = 0, profileId = 0;
    int duration = 0;
    double price = 0, gratuity = 0;
    QString lastName, firstName;
    QString referDate; // "yyyy/MM/dd"
    QString referTime; // "hh:mm AM", the row of the sheet
    QString confirmation, posNumber;
    bool status[5] = {false, false, false, false, false};
    QString instructions; // long text "Y"
};

std::optional<TsBooking> GetTimedService(AppContext& ctx, qint64 timedServiceId);
// The columns of a TimedService row (the instructions are left to the caller).
TsBooking TsBookingFromRow(const Row& r);

// What the booking fields hold when Save is pressed.
struct TypedTsBooking {
    QString referDate; // short date as typed
    qint64 categoryId = 0, serviceId = 0, providerId = 0;
    QString referTime; // the chosen row's time; "" when none chosen
    QString lastName, firstName;
    QString gratuity; // as typed; "" = 0
    QString confirmation, posNumber;
    bool status[3] = {false, false, false};
    qint64 profileId = 0;
    QString instructions;
    QString typedCard; // a card number for the logbook entry, as typed
};
// The first refusal in the screen's order, "" when it may be saved.
QString CheckTsBooking(AppContext& ctx, const TypedTsBooking& t);

struct TsSaveResult {
    bool saved = false;
    QString message; // why not (the slot was taken meanwhile, hours, ...)
    qint64 id = 0;
    qint64 logbookId = 0;
};
// A new booking (id 0): checks the provider works the whole length outside
// the meal break and every row is free, then writes the booking, its
// instructions and its logbook entry (when the category has a link) in one
// transaction holding the provider's lock.  An existing booking: writes the
// fields a loaded booking may change and patches its logbook entry.
TsSaveResult SaveTimedService(AppContext& ctx, qint64 id, const TypedTsBooking& t);

// The note a new booking files: a line "label value" per design line the link
// fills.  (The staff stamp is added when it is filed.)
QString BuildTSLogNote(AppContext& ctx, const TsLogLink& link, const TsBooking& b);

// Deletes the booking and its instructions; its logbook entry is cancelled
// (kept), with the history row.  False when it no longer exists.
bool DeleteTimedService(AppContext& ctx, qint64 timedServiceId);

// Deletes every booking dated before `before` with its instructions (the
// logbook entries stay); answers the number deleted.
int PurgeTimedServices(AppContext& ctx, const QDate& before);

// Card numbers typed into the guest's names: each finding is put to
// `removeNumber` (form name "Timed Services", the field's objectName) and
// recorded as card screening does everywhere; the name is then saved without
// the number (true) or as typed.  Answers the number of findings.
int ScreenTsBookingNames(
    AppContext& ctx, TypedTsBooking& t, qint64 recordId,
    const std::function<bool(const QString& form, const QString& field)>& removeNumber);

// The value a logbook link places for one of TsLinkValueNames(); "" for an
// unknown name.
QString TsBookingValue(AppContext& ctx, const QString& valueName, const TsBooking& b);
// What follows the note of a filed entry:
// " (AB 2024/05/01 10:30 Entry was added by Timed Services.)".
QString TsLogNoteStamp(const QString& initials, const QDateTime& now);
// The entry's text with each design line of the link that the text holds set
// to the booking's current value; lines it does not hold stay out.
QString PatchTSLogNote(AppContext& ctx, const TsLogLink& link, const TsBooking& b,
                       const QString& text);

// The mass delete as typed: "" when `typed` is a date not after today, else
// the refusal.
QString CheckTsPurgeDate(AppContext& ctx, const QString& typed);
QString TsPurgeQuestion(const QDate& before);
QString TsPurgeDoneMessage(const QDate& before);

// Refusals of a booking as typed, in the screen's order.
inline const QString MsgTsReferDate =
    QStringLiteral("Please enter a valid Reference Date for this Service.  Thank you.");
inline const QString MsgTsCategory =
    QStringLiteral("Please select the Category for this Service.  Thank you.");
inline const QString MsgTsService = QStringLiteral("Please select the Service.  Thank you.");
inline const QString MsgTsProvider =
    QStringLiteral("Please select the Provider for this Service.  Thank you.");
inline const QString MsgTsTime = QStringLiteral(
    "Please select the Service Time by Clicking on the Selected Time Row in the Grid.");
inline const QString MsgTsLastName = QStringLiteral("Please enter the Last Name.  Thank you.");
inline const QString MsgTsFirstName = QStringLiteral("Please enter the First Name.  Thank you.");
inline const QString MsgTsGratuity =
    QStringLiteral("Please enter the Gratuity as an amount, or leave it empty.  Thank you.");
// Refusals found when the booking is written.
inline const QString MsgTsServiceGone =
    QStringLiteral("This Service is no longer defined.  Please select the Service again.");
inline const QString MsgTsProviderGone =
    QStringLiteral("This Provider is no longer defined.  Please select the Provider again.");
inline const QString MsgTsBookingGone =
    QStringLiteral("This Timed Service no longer exists: it was deleted at another desk.");
inline const QString MsgTsNotWorking = QStringLiteral(
    "The Provider is not scheduled to work for the full length of this Service at this "
    "time.  Thank you.");
inline const QString MsgTsMealBreak = QStringLiteral(
    "This Service would run into the Provider's Meal Break.  Please select another time.  "
    "Thank you.");
inline const QString MsgTsTaken = QStringLiteral(
    "This time slot has just been booked for this Provider.  Please select another time.  "
    "Thank you.");
inline const QString MsgTsCardDigits =
    QStringLiteral("The Credit Card Number may hold only digits, blanks and dashes.  Thank you.");
inline const QString MsgTsCardsOff =
    QStringLiteral("Credit Card Numbers cannot be stored at this workstation.");
inline const QString MsgTsEntryChanged = QStringLiteral(
    "The logbook entry of this Timed Service was changed at another desk meanwhile.  Nothing "
    "was saved: please save again.");
inline const QString MsgTsPurgeDate =
    QStringLiteral("Please enter the Date to be used for this mass delete.  Thank you.");
inline const QString MsgTsPurgeFuture =
    QStringLiteral("The date selected to be used for deleting the Timed Service\r\n"
                   "Information cannot be a future date.  Thank you.");
inline const QString MsgTsDeleteQuestion =
    QStringLiteral("Press <Yes> to DELETE this Timed Service, \r\n"
                   "press <No> if you DO NOT wish to delete.");
inline const QString MsgTsSelectDelete =
    QStringLiteral("Please select the Timed Service you wish to Delete.");

inline const QString ReasonTsUpdated = QStringLiteral("Updated by Timed Services.");
inline const QString ReasonTsCancelled = QStringLiteral("Cancelled by Timed Services.");

} // namespace vm
