#pragma once
// The "Notified" pick list of the entry screen: rows of the lookup table
// Other with OtherType "Notified".  A value is renamed together with every
// entry that holds it, and a value that entries hold is never deleted.

#include "platform/Database.h"

#include <QString>
#include <vector>

namespace vm {

struct NotifiedValue {
    qint64 id = 0; // OtherID
    QString value;
};

inline const QString NotifiedListTitle = QStringLiteral("Maintain Notification Methods");
inline const QString NotifiedListCaption = QStringLiteral("Notification Methods");

inline const QString MsgBlankValue = QStringLiteral("Cannot Add a Blank Value.");
inline const QString MsgBlankChange = QStringLiteral("Cannot Change to a Blank Value.");
inline const QString MsgValueExists =
    QStringLiteral("The Value already exists in the list of available values.");
inline const QString MsgSelectValueToDelete =
    QStringLiteral("Pleae select the value to be deleted.  Thank you");
inline const QString MsgSelectValueToChange =
    QStringLiteral("Please select the value to be changed.  Thank you");
inline const QString MsgDeleteValue =
    QStringLiteral("Press <Yes> to DELETE this Value.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgMaintainNotifications =
    QStringLiteral("You are not authorized to Maintain Guest Notifications.");

// "This value is being used in 1 entry." / "... in n entries." and the refusal line.
QString NotifiedInUseMessage(int uses);

// The list, by value.
std::vector<NotifiedValue> GetNotifiedValues(Database& db);
// Each answers "" when done, otherwise the refusal to show (nothing written).
QString InsertNotifiedValue(Database& db, const QString& value);
// Renames the row and, in the same transaction, every entry that holds the old value.
QString ReplaceNotifiedValue(Database& db, qint64 otherId, const QString& newValue);
// Entries of the current logbook that hold the value.
int CountNotifiedUses(Database& db, const QString& value);
// Deletes the row unless entries hold its value; answers how many do (0 = deleted).
int DeleteNotifiedValue(Database& db, qint64 otherId);

} // namespace vm
