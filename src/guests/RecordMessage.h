#pragma once
// Messages about a record (a contact, a profile, a group or an event): the
// text they start with and the kind of message they are sent as.

#include "core/AppContext.h"

namespace vm {

enum class RecordKind { Contact, Profile, Group, Event };

// "Contact Msg", "Profile Msg", "Group Msg", "Event Msg".
QString RecordMessageKind(RecordKind kind);
// "Please Note the following Contact information:" and the record's main
// fields, indented by three blanks; the notes of contacts and events follow
// unless the settings hide them.
QString BuildRecordMessageText(AppContext& ctx, RecordKind kind, qint64 id);

inline const QString MsgSelectRecipients =
    QStringLiteral("Please select the message recipient(s).  Thank you.");
inline const QString MsgEnterMessageText =
    QStringLiteral("Please enter the text of your message.  Thank you.");
inline const QString MsgDeliverDate =
    QStringLiteral("Please enter a valid Date for message to be delivered.  Thank you.");
inline const QString MsgDeliverTime =
    QStringLiteral("Please enter a valid Time for message to be delivered.  Thank you.");
inline const QString MsgMessagingNotInstalled = QStringLiteral(
    "Messaging is not installed in this version of Velmora.  The message was not sent.");

// The shared-log lines of a card number found in a message: kept out
// ("Prevented ...") or sent as typed ("Allowed ..."), naming the first
// recipient and " et. al." when there are more.
QString CardInMessageLogLine(const AppContext& ctx, bool prevented, const QStringList& recipients);

} // namespace vm
