#include "core/DataAccess.h"
#include "desk/MessageRows.h"

namespace vm {

namespace {

const QString MsgGroupType = QStringLiteral("MsgGroup");

// The group as stored (its spelling), when it exists.
std::optional<QString> StoredGroup(Database& db, const QString& name) {
    for (const Row& r :
         db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = ?", {MsgGroupType}))
        if (r.trimmedText(0).compare(name.trimmed(), Qt::CaseInsensitive) == 0) return r.text(0);
    return std::nullopt;
}

QString LeadingBlanks(const QString& item) {
    qsizetype n = 0;
    while (n < item.size() && item.at(n).isSpace())
        ++n;
    return item.left(n);
}

// A member's comma list with the group's item replaced (or dropped when
// `replacement` is null); the other items stay as they were.
QString RewriteList(const QString& list, const QString& group, const QString& replacement) {
    QStringList items;
    for (const QString& item : list.split(',')) {
        if (!IsGroupMember(item, group))
            items << item;
        else if (!replacement.isNull())
            items << LeadingBlanks(item) + replacement;
    }
    return items.join(',');
}

// Rewrites every member's list that holds the group, item by item.
void RewriteMembers(Database& db, const QString& group, const QString& replacement) {
    for (const Row& r : db.query("SELECT [ConciergeID], [MessageGroup] FROM [Concierge]")) {
        const QString list = r.text("MessageGroup");
        if (!IsGroupMember(list, group)) continue;
        QString rewritten = RewriteList(list, group, replacement);
        if (rewritten.trimmed().isEmpty()) rewritten = " ";
        db.exec("UPDATE [Concierge] SET [MessageGroup] = ? WHERE [ConciergeID] = ?",
                {rewritten, r.number("ConciergeID")});
    }
}

} // namespace

QStringList GetMessageGroups(Database& db) {
    QStringList groups;
    for (const Row& r :
         db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = ?", {MsgGroupType}))
        if (!r.trimmedText(0).isEmpty()) groups << r.trimmedText(0);
    std::sort(groups.begin(), groups.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return groups;
}

int CountGroupMembers(Database& db, const QString& group) {
    int members = 0;
    for (const Row& r : db.query("SELECT [MessageGroup] FROM [Concierge]"))
        if (IsGroupMember(r.text(0), group)) ++members;
    return members;
}

QString InsertMsgGroup(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return QStringLiteral("Cannot Add a Blank Message Group.");
    Database& db = ctx.db();
    if (StoredGroup(db, name))
        return QStringLiteral("The Message Group already exists in the list of available groups.");
    db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
            {MsgGroupType, CleanSqlTextKeepAmp(name)});
    return {};
}

QString RenameMsgGroup(AppContext& ctx, const QString& oldName, const QString& newName) {
    if (newName.trimmed().isEmpty()) return QStringLiteral("Cannot Replace a Blank Message Group.");
    Database& db = ctx.db();
    const std::optional<QString> stored = StoredGroup(db, oldName);
    if (!stored)
        return "The Message Group does not exist" + CRLF + "in the list of available types.";
    // Two groups of one name could never be told apart in the members' lists.
    const bool sameGroup = oldName.trimmed().compare(newName.trimmed(), Qt::CaseInsensitive) == 0;
    if (!sameGroup && StoredGroup(db, newName))
        return QStringLiteral("The Message Group already exists in the list of available groups.");
    const QString renamed = CleanSqlTextKeepAmp(newName);
    db.transaction([&] {
        db.exec("UPDATE [Other] SET [OtherValue] = ? WHERE [OtherType] = ? AND [OtherValue] = ?",
                {renamed, MsgGroupType, *stored});
        RewriteMembers(db, stored->trimmed(), renamed);
        db.exec("UPDATE [TaskMaster] SET [MessageGroup] = ? WHERE [MessageGroup] = ?",
                {"*" + renamed, "*" + stored->trimmed()});
    });
    return {};
}

void DeleteMsgGroup(AppContext& ctx, const QString& name) {
    Database& db = ctx.db();
    const std::optional<QString> stored = StoredGroup(db, name);
    if (!stored) return;
    db.transaction([&] {
        db.exec("DELETE FROM [Other] WHERE [OtherType] = ? AND [OtherValue] = ?",
                {MsgGroupType, *stored});
        RewriteMembers(db, stored->trimmed(), QString());
    });
}

} // namespace vm
