#include "desk/MessageRules.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "logbook/EntryLetter.h"
#include "logbook/EntryRules.h"

namespace vm {

QList<QTime> PresetDeliveryTimes() {
    return {QTime(5, 0), QTime(11, 0), QTime(15, 0)};
}

QDateTime NextPresetDelivery(const QDateTime& now, const QTime& shown) {
    const QList<QTime> presets = PresetDeliveryTimes();
    QTime next = presets.first();
    if (shown.isValid()) {
        for (const QTime& t : presets) {
            if (t > shown) {
                next = t;
                break;
            }
        }
    }
    const QDate day = next > now.time() ? now.date() : now.date().addDays(1);
    return QDateTime(day, next);
}

int ResendIntervalMinutes(AppContext& ctx) {
    const int minutes = GetIntegerSetting(ctx.db(), "ResendInterval", &ctx.prompt());
    return minutes > 0 ? minutes : DefaultResendMinutes;
}

QDateTime ProposedReminder(AppContext& ctx) {
    const QDateTime now = ctx.clock().now();
    // Reminders are kept to the minute, like every stored due time.
    const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
    return minute.addSecs(qint64(ResendIntervalMinutes(ctx)) * 60);
}

TypedDue ParseReminder(const QString& dateText, const QString& timeText) {
    const QDate day = Formats::ParseShortDate(dateText.trimmed());
    if (!day.isValid()) return {{}, MsgRemindDate};
    const QTime time = Formats::ParseTime(timeText.trimmed());
    if (!time.isValid()) return {{}, MsgRemindTime};
    return {QDateTime(day, QTime(time.hour(), time.minute())), {}};
}

bool DoNotInterrupt(AppContext& ctx) {
    const QVariant v = ctx.db().scalar(
        "SELECT [DNIMessages] FROM [Concierge] WHERE [ConciergeID] = ?", {ctx.session.conciergeId});
    return v.isValid() && !v.isNull() && v.toBool();
}

QString MsgCannotReplyTo(const QString& sender) {
    return "This message came from " + sender +
           ", who is not an active staff member and cannot receive a reply." + CRLF +
           "Your reply was not sent.  Please choose another disposition.  Thank you.";
}

QString MsgReachedNobody(const QStringList& addresses) {
    return "Nobody received this message: " + addresses.join(", ") +
           " has no active staff member who can receive it." + CRLF + "The message was not sent.";
}

QString DispositionHelpText() {
    const QStringList lines = {
        "Please select a disposition for this message.",
        "The available options are:",
        "Remind Me Again",
        "- Message will be sent to you again at the date and time you select.",
        "Read and Acknowledged",
        "- Message will be flagged for deletion and will not appear again.",
        "Reply and Send Reply",
        "- Reply will be sent and Message will be flagged for deletion and will not appear again.",
        "And if the Message was sent to multiple recipients . . .",
        "Tell All Other Concierges that I have Completed this request",
        "- Message will be flagged as completed and will not appear again.",
        "If this is not a Logbook Message and you wish to review it later",
        "remember that you can send it to your personal message center by",
        "double-clicking the icon in the upper right hand corner."};
    return lines.join(CRLF);
}

bool MayUseMessaging(AppContext& ctx) {
    if (!ctx.session.loggedOn() || IsGuestViewer(ctx.session)) {
        ctx.prompt().message(MsgNoMessagingFeatures);
        return false;
    }
    return MayDoOrSay(ctx, Rights::MessagesUse, MsgNoMessagingFeatures);
}

} // namespace vm
