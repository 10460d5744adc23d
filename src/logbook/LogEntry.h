#pragma once
// One logbook entry as the entry screen and the list see it.

#include <QDateTime>
#include <QString>

namespace vm {

enum class LogSource { Current, Archive };

struct LogEntry {
    qint64 logId = 0; // 0 = not saved yet
    QString guestId, firstName, lastName;
    qint64 profileId = 0, groupId = 0, contactId = 0;
    QString entryType; // the category, by name
    QString notified;
    QString referDate, referTime; // "yyyy/MM/dd", "HH:mm"
    QString arrivalDate, departureDate;
    QString roomNumber;
    QString enteredBy, initials;
    QString updatedDate, entryDate, entryTime;
    bool restricted = false;
    bool complete = false, cancelled = false, onHold = false, pending = false;
    QString text; // the whole text: NoteField followed by the LogText pieces
    QString msgNotes;
    qint64 openTableId = 0;
    QString encCC; // the stored card cipher, written back as it is
    QDateTime ccCreated;
    QString webResId;
    bool webDnp = false;

    // The stored RowVersion when read; a save writes only while the stored
    // entry still has it (a save from another desk in between raised it).
    qint64 rowVersion = 0;
};

} // namespace vm
