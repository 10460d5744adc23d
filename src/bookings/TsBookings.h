#pragma once
// Timed-service bookings: saving (with the slot checked again inside the
// transaction that writes it), the logbook entry a booking files and keeps in
// step, deleting, and the mass delete.

#include "bookings/TsSetup.h"

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

inline const QString ReasonTsUpdated = QStringLiteral("Updated by Timed Services.");
inline const QString ReasonTsCancelled = QStringLiteral("Cancelled by Timed Services.");

} // namespace vm
