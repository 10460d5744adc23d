#pragma once
// Staff messages: one MsgTimer row per recipient, the text in MsgText pieces
// of 255 characters.  LogbookID is the entry a message is about (0 = none,
// -1 = disposed of).  Every send and every disposition is one transaction.

#include "core/AppContext.h"

#include <optional>

namespace vm {

inline const QString AllStaffAddress = QStringLiteral("*All Vm Users");
// Appended to the sender of every copy of a message to a group or to all.
inline const QString GroupSenderSuffix = QStringLiteral("  (2 Group)");
inline const QString QuickViewerSender = QStringLiteral("Quick Viewer");

struct OutgoingMessage {
    QString sender;    // staff name, or "Quick Viewer"
    QString recipient; // staff name, "*<group>" or "*All Vm Users"
    QDateTime due;     // ignored when urgent (due now)
    QDateTime created; // invalid: now; the daily task run spaces its messages a minute apart
    QString text;
    qint64 logId = 0; // the entry it is about
    bool urgent = false;
};

// Sends to one member, a group or everyone (active, unrestricted members;
// "to all" skips message-inhibited members; the built-in accounts never get
// a copy).  Answers the names of the members reached, empty when nobody.
QStringList InsertTheMessage(AppContext& ctx, const OutgoingMessage& message);
// The members a recipient address reaches, in name order (the same rule as sending).
QStringList ResolveRecipients(Database& db, const QString& address);
// Their initials, ordered by initials.
QStringList GetRecipientInitials(Database& db, const QString& address);

struct StaffMsg {
    qint64 timerId = 0;
    QString due;  // stored "yyyy/MM/dd HH:mm"
    QString type; // "U" urgent, or empty
    QString sentFrom;
    QString recipient;
    QString created; // stored "yyyy/MM/dd HH:mm"
    qint64 logId = 0;
    QString text; // joined pieces
    bool hasText = false;

    bool aboutEntry() const { return logId > 0; }
    // Sent to several members: the sender carries "(2 Group)" or "(2 ALL)".
    bool toMany() const;
    // The sender without the group suffix.
    QString senderName() const;
};

// Due, not disposed messages of `me` (due <= now), oldest first, with their texts.
QList<StaffMsg> GetDueMessages(AppContext& ctx, const QString& me);
QList<StaffMsg> GetDueUrgentMessages(AppContext& ctx, const QString& me);
// The poll: how many are due for `me` (one indexed count, no texts).
int CountDueMessages(AppContext& ctx, const QString& me);
std::optional<StaffMsg> GetMessage(AppContext& ctx, qint64 timerId);
// The caption suffix of the mail indicator: "" for 0, "  ~~~  You,ve Got Mail!"
// for 1, "  ~~~  You,ve Got Mail! (n)" for more.
QString MailCaption(int dueCount);

// Dispositions.
void MarkMessageDone(AppContext& ctx, qint64 timerId);
void RestoreMessage(AppContext& ctx, qint64 timerId);
void UpdateTheMessage(AppContext& ctx, qint64 timerId, const QDateTime& due, const QString& type);
// Reply to the presented message's sender (suffix removed), due now, same
// LogbookID, and the presented copy disposed of.  False (nothing written)
// when the sender is not an active member who could read it.
bool ReplyMessage(AppContext& ctx, const StaffMsg& presented, const QString& me,
                  const QString& reply);
bool CanReplyTo(AppContext& ctx, const StaffMsg& presented);
// A copy to another member, due now, with the covering note.
void ForwardMessage(AppContext& ctx, const StaffMsg& presented, const QString& me,
                    const QString& to, const QString& note);
// Writes the completion note over every copy of the same group message and
// disposes of the presented copy.
void UpdateMessage2ALL(AppContext& ctx, const StaffMsg& presented, const QString& me);

// The message centre (Manage Messages) lists.
enum class MsgFilter { All, ByRecipient, BySender, BeforeDate };
struct MsgListQuery {
    MsgFilter filter = MsgFilter::All;
    QString name; // ByRecipient / BySender
    QDate before; // BeforeDate
    bool disposed = false;
    bool orderByName = false; // ConciergeName, MsgDateTime instead of MsgDateTime, ConciergeName
};
QList<StaffMsg> GetMessages(AppContext& ctx, const MsgListQuery& query);
// Distinct recipients (or senders, group suffix cut and trimmed) of active or disposed messages.
QStringList GetMessagesNames(AppContext& ctx, bool senders, bool disposed);
// The text a list shows for a message: the text, "No Message Recorded." when
// it has none, and "Refers to Logbook Entry #: n" / "Was a Logbook Message.".
QString MessageListText(AppContext& ctx, const StaffMsg& message);

enum class MsgDelete { BeforeDate, Recipient, Sender, AllDisposed, AllActive, InactiveStaff };
// Deletes texts then rows; answers how many messages went.
int DeleteMessages(AppContext& ctx, MsgDelete mode, const QString& nameOrDate = {});

// The entry's summary for the presenter (current or archive database): due
// time, name, room, category, reference date, initials, working notes and text.
QString GetLogbookMessage(AppContext& ctx, qint64 logId, bool archive = false);

// Message groups (Other rows of type "MsgGroup"; a member's groups are the
// comma-separated Concierge.MessageGroup, matched item by item).
QStringList GetMessageGroups(Database& db);
bool IsGroupMember(const QString& memberGroups, const QString& group);
int CountGroupMembers(Database& db, const QString& group);
// Answers the refusal text, or empty when done.
QString InsertMsgGroup(AppContext& ctx, const QString& name);
QString RenameMsgGroup(AppContext& ctx, const QString& oldName, const QString& newName);
void DeleteMsgGroup(AppContext& ctx, const QString& name);

// Installs ctx.sendMessage (messages about a record) and the daily hooks that send.
void InstallMessageSender(AppContext& ctx);
// The store's part of start-up: the sender above.
void InstallMessagesStore(AppContext& ctx);
// Said when a record message reached no active member.
inline const QString NobodyReachedMessage =
    QStringLiteral("The message was not sent: none of the recipients is an active staff member.");

} // namespace vm
