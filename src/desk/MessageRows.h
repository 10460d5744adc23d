#pragma once
// What the message store's files share: reading MsgTimer rows with their
// texts, writing a text's pieces, and the members an address reaches.

#include "desk/Messages.h"

namespace vm::msg {

struct MsgStatement {
    QString sql;
    QVariantList params;
};

// The statement every list runs: MsgTimer's columns first and the text
// pieces after, in `order`, a message's pieces in sequence order.
QString SelectMessagesSql(const QString& where, const QString& order);
// The message centre's list; an empty sql when the query cannot match anything.
MsgStatement MessageListStatement(const MsgListQuery& query);
// The poll: due, not disposed messages of one recipient (recipient, now).
inline const QString DueCountSql = QStringLiteral(
    "SELECT COUNT(*) FROM [MsgTimer] WHERE [ConciergeName] = ? AND [MsgDateTime] <= ? AND "
    "[LogbookID] <> -1");

QList<StaffMsg> ReadMessages(Database& db, const QString& where, const QVariantList& params,
                             const QString& order);
QList<StaffMsg> ReadStatement(Database& db, const MsgStatement& st);
// Stores an already cleaned text as pieces 1.. for the message (none for an empty text).
void WriteMsgText(Database& db, qint64 timerId, const QString& cleanedText);
// Replaces the message's text.
void ReplaceMsgText(Database& db, qint64 timerId, const QString& cleanedText);

struct Member {
    QString name, initials;
};
// The members an address reaches, in name order.
QList<Member> ResolveMembers(Database& db, const QString& address);

// The text of a message as a message gets it: quotes made safe, the blanks
// around it gone; "" when nothing is left.
QString CleanMessageText(const QString& text);

// CRLF-joined lines.
QString Lines(const QStringList& lines);

} // namespace vm::msg
