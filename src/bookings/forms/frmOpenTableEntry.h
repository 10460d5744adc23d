#pragma once
// The stored logbook entry behind an online table reservation: what a
// confirmed booking and a confirmed cancellation change in it.  Both write at
// once, so a confirmation never waits on the entry screen's Save.  No
// widgets: the screens use these.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookStore.h"

#include <QString>

namespace vm {

// A confirmed table.
struct OtBooked {
    QString confirmation; // the service's reservation number
    QString time;         // "hh:mm AM/PM"
    QString restaurant;   // the restaurant contact's name
    qint64 contactId = 0; // the restaurant contact
    int party = 0;
    QString notes;
};

// History reasons of the two changes.
QString OtBookedReason(const QString& confirmation);
QString OtCancelledReason(const QString& confirmation);

// Records a confirmed table in the stored entry: the mapped design lines,
// OpenTableID (the confirmation as a number), the restaurant as the entry's
// contact and a history line, in one transaction.  It is written over the
// entry as stored now, so a save from another desk in between is kept.  `e`
// then holds the saved entry.
SaveOutcome SaveOtBookingToEntry(AppContext& ctx, qint64 logId, const OtBooked& booked, LogEntry& e);

// Marks a cancelled online reservation in the stored entry: the confirmation
// line emptied, OpenTableID 0 and a history line; the entry itself stays open
// (the guest may want another table).  `e` then holds the saved entry.
SaveOutcome SaveOtCancelToEntry(AppContext& ctx, qint64 logId, LogEntry& e);

// The entry's reservation number: the confirmation line, or OpenTableID when
// the line is empty; empty when it has none.
QString OtConfirmationOf(Database& db, const LogEntry& e);

} // namespace vm
