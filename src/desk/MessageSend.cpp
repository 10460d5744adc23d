#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Staff.h"
#include "desk/MessageRows.h"

namespace vm {

namespace msg {

namespace {

const QString SelectMessageSql = QStringLiteral(
    "SELECT [MsgTimer].[TimerID], [MsgTimer].[MsgDateTime], [MsgTimer].[TypeOfMessage], "
    "[MsgTimer].[SentFrom], [MsgTimer].[ConciergeName], [MsgTimer].[CreateDateTime], "
    "[MsgTimer].[LogbookID], [MsgText].[Sequence], [MsgText].[MsgText] FROM [MsgTimer] "
    "LEFT JOIN [MsgText] ON [MsgText].[TimerID] = [MsgTimer].[TimerID]");

const QString InsertPieceSql =
    QStringLiteral("INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, ?, ?)");

} // namespace

QString SelectMessagesSql(const QString& where, const QString& order) {
    return SelectMessageSql + (where.isEmpty() ? QString() : " WHERE " + where) + " ORDER BY " +
           order + ", [MsgTimer].[TimerID], [MsgText].[Sequence]";
}

QList<StaffMsg> ReadMessages(Database& db, const QString& where, const QVariantList& params,
                             const QString& order) {
    return ReadStatement(db, {SelectMessagesSql(where, order), params});
}

QList<StaffMsg> ReadStatement(Database& db, const MsgStatement& st) {
    QList<StaffMsg> out;
    // Positions, not names: both tables have a TimerID column.
    db.forEach(st.sql, st.params, [&](const Row& r) {
        qint64 id = 0;
        r.integer(0, id);
        if (out.isEmpty() || out.last().timerId != id) {
            StaffMsg m;
            m.timerId = id;
            m.due = r.text(1);
            m.type = r.trimmedText(2);
            m.sentFrom = r.text(3);
            m.recipient = r.text(4);
            m.created = r.text(5);
            r.integer(6, m.logId);
            out.append(m);
        }
        if (!r.value(7).isNull()) {
            out.last().text += r.text(8);
            out.last().hasText = true;
        }
        return true;
    });
    return out;
}

void WriteMsgText(Database& db, qint64 timerId, const QString& cleanedText) {
    int sequence = 0;
    for (const QString& piece : LongTextPieces(cleanedText))
        db.exec(InsertPieceSql, {timerId, ++sequence, piece});
}

void ReplaceMsgText(Database& db, qint64 timerId, const QString& cleanedText) {
    db.transaction([&] {
        db.exec("DELETE FROM [MsgText] WHERE [TimerID] = ?", {timerId});
        WriteMsgText(db, timerId, cleanedText);
    });
}

QList<Member> ResolveMembers(Database& db, const QString& address) {
    const QString target = address.trimmed();
    const bool toAll = target.compare(AllStaffAddress, Qt::CaseInsensitive) == 0;
    const bool toGroup = !toAll && target.startsWith('*');
    const QString group = toGroup ? target.mid(1).trimmed() : QString();
    if (target.isEmpty() || (toGroup && group.isEmpty())) return {};

    QList<Member> out;
    // Flags are read here rather than compared in SQL: a flag never set is
    // null in older rows and must count as "no".
    for (const Row& r : db.query("SELECT [Concierge], [Initials], [Restricted], [InhibitMsg], "
                                 "[MessageGroup] FROM [Concierge] WHERE [Status] = 'A' "
                                 "ORDER BY [Concierge]")) {
        const QString name = r.text("Concierge");
        if (IsReservedAccount(name)) continue;
        bool reached = false;
        if (toAll)
            reached = !r.flag("Restricted") && !r.flag("InhibitMsg");
        else if (toGroup)
            reached = !r.flag("Restricted") && IsGroupMember(r.text("MessageGroup"), group);
        else
            reached = name.trimmed().compare(target, Qt::CaseInsensitive) == 0;
        if (reached) out.append({name, r.trimmedText("Initials")});
    }
    return out;
}

QString CleanMessageText(const QString& text) {
    return text.trimmed().isEmpty() ? QString() : CleanSqlText(text);
}

QString Lines(const QStringList& lines) {
    return lines.join(CRLF);
}

} // namespace msg

bool IsGroupMember(const QString& memberGroups, const QString& group) {
    const QString wanted = group.trimmed();
    if (wanted.isEmpty()) return false;
    for (const QString& item : memberGroups.split(','))
        if (item.trimmed().compare(wanted, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QStringList ResolveRecipients(Database& db, const QString& address) {
    QStringList names;
    for (const msg::Member& m : msg::ResolveMembers(db, address))
        names << m.name;
    return names;
}

QStringList GetRecipientInitials(Database& db, const QString& address) {
    QStringList initials;
    for (const msg::Member& m : msg::ResolveMembers(db, address))
        initials << m.initials;
    std::sort(initials.begin(), initials.end(),
              [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    return initials;
}

QStringList InsertTheMessage(AppContext& ctx, const OutgoingMessage& message) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    const QString created =
        Formats::StoredDateTime(message.created.isValid() ? message.created : now);
    const bool dueNow = message.urgent || !message.due.isValid();
    const QString due = Formats::StoredDateTime(dueNow ? now : message.due);
    const QString type = message.urgent ? QStringLiteral("U") : QString();
    const QString sender = CleanSqlTextKeepAmp(message.sender);
    const QString sentFrom =
        message.recipient.trimmed().startsWith('*') ? sender + GroupSenderSuffix : sender;
    // A disposed-of link would hide the new message from its recipient at once.
    const qint64 logId = qMax<qint64>(message.logId, 0);
    const QString text = msg::CleanMessageText(message.text);

    const QList<msg::Member> members = msg::ResolveMembers(db, message.recipient);
    QStringList reached;
    db.transaction([&] {
        for (const msg::Member& m : members) {
            // The key comes from this insert itself: reading it back by sender
            // and minute would hand two messages of one minute the same key.
            const qint64 id = db.insert(
                "INSERT INTO [MsgTimer] ([MsgDateTime], [TypeOfMessage], [SentFrom], "
                "[ConciergeName], [CreateDateTime], [LogbookID]) VALUES (?, ?, ?, ?, ?, ?)",
                {due, type, sentFrom, m.name, created, logId}, "TimerID");
            msg::WriteMsgText(db, id, text);
            reached << m.name;
        }
    });
    return reached;
}

namespace {

QString QuotedOriginal(const StaffMsg& presented) {
    return presented.aboutEntry() ? QStringLiteral("YOUR LOGBOOK MESSAGE:")
                                  : QStringLiteral("YOUR MESSAGE:");
}

} // namespace

bool CanReplyTo(AppContext& ctx, const StaffMsg& presented) {
    const QString sender = presented.senderName();
    if (sender.isEmpty() || sender.startsWith('*') ||
        sender.compare(QuickViewerSender, Qt::CaseInsensitive) == 0)
        return false;
    return !msg::ResolveMembers(ctx.db(), sender).isEmpty();
}

bool ReplyMessage(AppContext& ctx, const StaffMsg& presented, const QString& me,
                  const QString& reply) {
    if (reply.trimmed().isEmpty() || !CanReplyTo(ctx, presented)) return false;
    OutgoingMessage m;
    m.sender = me;
    m.recipient = presented.senderName();
    m.logId = presented.logId;
    m.text = msg::Lines(
        {presented.aboutEntry() ? "REPLY TO YOUR LOGBOOK MESSAGE:" : "REPLY TO YOUR MESSAGE:",
         reply, QString(), QuotedOriginal(presented), presented.text});
    bool sent = false;
    Database& db = ctx.db();
    db.transaction([&] {
        sent = !InsertTheMessage(ctx, m).isEmpty();
        if (sent) MarkMessageDone(ctx, presented.timerId);
    });
    return sent;
}

void ForwardMessage(AppContext& ctx, const StaffMsg& presented, const QString& me,
                    const QString& to, const QString& note) {
    OutgoingMessage m;
    m.sender = me;
    m.recipient = to;
    m.logId = presented.logId;
    m.text = msg::Lines(
        {presented.aboutEntry() ? "FORWARD A LOGBOOK MESSAGE:" : "FORWARD A MESSAGE:", note,
         QuotedOriginal(presented), presented.text});
    InsertTheMessage(ctx, m);
}

void UpdateMessage2ALL(AppContext& ctx, const StaffMsg& presented, const QString& me) {
    Database& db = ctx.db();
    const QString note =
        msg::CleanMessageText(msg::Lines({"NOTE:  All Actions were completed by " + me + " at " +
                                              Formats::LongDate(ctx.clock().today()),
                                          QString(21, '+'), presented.text}));
    db.transaction([&] {
        // Copies of this message only: another message of the same sender and
        // minute differs in due time or in text and keeps its own.
        const QList<StaffMsg> copies = msg::ReadMessages(
            db,
            "[MsgTimer].[CreateDateTime] = ? AND [MsgTimer].[SentFrom] = ? AND "
            "[MsgTimer].[MsgDateTime] = ?",
            {presented.created, presented.sentFrom, presented.due}, "[MsgTimer].[TimerID]");
        for (const StaffMsg& copy : copies)
            if (copy.timerId == presented.timerId || copy.text == presented.text)
                msg::ReplaceMsgText(db, copy.timerId, note);
        MarkMessageDone(ctx, presented.timerId);
    });
}

void InstallMessageSender(AppContext& ctx) {
    ctx.sendMessage = [](AppContext& c, const StaffMessage& message) {
        try {
            QStringList reached;
            c.db().transaction([&] {
                for (int i = 0; i < qMax(message.recipientNames.size(), message.recipients.size());
                     ++i) {
                    // The name as listed; a member known only by id is looked up.
                    QString to = message.recipientNames.value(i);
                    if (to.trimmed().isEmpty())
                        to = GetConciergeNameFromID(c.db(), message.recipients.value(i));
                    OutgoingMessage m;
                    m.sender = c.session.name;
                    m.recipient = to;
                    m.due = message.deliverAt;
                    m.text = message.text;
                    reached << InsertTheMessage(c, m);
                }
            });
            if (reached.isEmpty()) {
                c.prompt().message(NobodyReachedMessage);
                return false;
            }
            return true;
        } catch (const DbError& e) {
            ReportError(c.prompt(), e, "InsertTheMessage", "modMessages");
            return false;
        }
    };
}

void InstallMessagesStore(AppContext& ctx) {
    InstallMessageSender(ctx);
}

} // namespace vm
