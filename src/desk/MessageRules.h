#pragma once
// The rules of composing and presenting staff messages that do not need a
// screen: the preset delivery times, the reminder proposal and its checks,
// and the texts the presenter shows.

#include "core/AppContext.h"

#include <optional>

namespace vm {

// Seconds between two polls of the main window's timer for due messages.
inline constexpr int MessagePollSeconds = 30;
// Minutes until a reminded message comes back when ResendInterval is not set.
inline constexpr int DefaultResendMinutes = 15;

// The composer's quick button steps through these times of day.
QList<QTime> PresetDeliveryTimes();
// The preset after `shown` (05:00 AM -> 11:00 AM -> 03:00 PM -> 05:00 AM; a
// time between presets goes to the next one), today when it is still ahead
// of `now`, else tomorrow.
QDateTime NextPresetDelivery(const QDateTime& now, const QTime& shown);

// ResendInterval in minutes (the default when missing or not positive).
int ResendIntervalMinutes(AppContext& ctx);
// What the presenter proposes for "Remind Me Again".
QDateTime ProposedReminder(AppContext& ctx);

// The due time typed for a reminder or a delivery; the refusal when a part
// is not valid (date first).
struct TypedDue {
    QDateTime due;
    QString refusal;
};
TypedDue ParseReminder(const QString& dateText, const QString& timeText);

// Members with DNIMessages get only urgent messages popped up.
bool DoNotInterrupt(AppContext& ctx);

// Refusals and answers of the Messages page, the indicator and the presenter.
inline const QString MsgNoMessagingFeatures =
    QStringLiteral("You are not authorized to use any Messaging Tab Features.");
inline const QString MsgNoMessagesNow = QStringLiteral("You have no messages at this time.");
inline const QString MsgRemindDate =
    QStringLiteral("Please enter a valid Date for message to be\r\n delivered.  Thank you.");
inline const QString MsgRemindTime =
    QStringLiteral("Please enter a valid Time for message to be delivered.  Thank you.");
inline const QString MsgEnterReply = QStringLiteral("Please enter your reply.");
inline const QString MsgEntryAlreadyOpen = QStringLiteral(
    "You already have a Logbook Entry Open, we cannot display another at this time.");
inline const QString MsgChooseForwardTo =
    QStringLiteral("Please select the staff member to forward this message to.  Thank you.");
// A reply needs a sender who is an active member.
QString MsgCannotReplyTo(const QString& sender);
// Sent, but the address reached nobody.
QString MsgReachedNobody(const QStringList& addresses);
// Shown when the presenter is closed without a disposition.
QString DispositionHelpText();

// Whether the member may use the Messages page, the indicator and retrieval;
// shows the refusal when not.
bool MayUseMessaging(AppContext& ctx);

} // namespace vm
