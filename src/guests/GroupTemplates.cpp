// Logbook entry templates of a group and the entries they give a member.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/Groups.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookStore.h"

namespace vm {

namespace {

const QString TemplateColumns = QStringLiteral(
    "[LogName], [EntryType], [ReferDate], [ReferTime], [LogData1], [LogData2], [LogData3], "
    "[LogData4], [LogData5], [LogData6], [LogData]");

GroupTemplate templateFromRow(const Row& r) {
    GroupTemplate t;
    t.id = r.number("GroupLogID");
    t.groupId = r.number("GroupID");
    t.logName = r.trimmedText("LogName");
    t.entryType = r.trimmedText("EntryType");
    t.referDate = r.trimmedText("ReferDate");
    t.referTime = r.trimmedText("ReferTime");
    for (int i = 1; i <= TemplateValueColumns; ++i)
        t.logData << r.trimmedText("LogData" + QString::number(i));
    t.text = r.text("LogData");
    return t;
}

// The values of the template's columns: names, stored dates, the six values
// (padded, blank as " ") and the whole text.
QVariantList templateValues(const GroupTemplate& t) {
    QVariantList v{CleanSqlTextKeepAmp(t.logName), t.entryType, t.referDate,
                   t.referTime.isEmpty() ? QString(" ") : t.referTime};
    for (int i = 0; i < TemplateValueColumns; ++i)
        v << CleanSqlTextKeepAmp(i < t.logData.size() ? t.logData[i] : QString());
    v << t.text;
    return v;
}

} // namespace

std::vector<std::pair<qint64, QString>> GetGroupLogs(AppContext& ctx, qint64 groupId) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : ctx.db().query("SELECT [GroupLogID], [LogName] FROM [GroupLog] WHERE "
                                       "[GroupID] = ? ORDER BY [LogName]",
                                       {groupId}))
        out.emplace_back(r.number("GroupLogID"), r.trimmedText("LogName"));
    return out;
}

std::vector<GroupTemplate> GetGroupLogsI(AppContext& ctx, qint64 groupId) {
    std::vector<GroupTemplate> out;
    for (const Row& r : ctx.db().query("SELECT * FROM [GroupLog] WHERE [GroupID] = ? ORDER BY "
                                       "[ReferDate], [ReferTime]",
                                       {groupId}))
        out.push_back(templateFromRow(r));
    return out;
}

std::optional<GroupTemplate> GetGroupLog(AppContext& ctx, qint64 groupLogId) {
    const auto r =
        ctx.db().queryOne("SELECT * FROM [GroupLog] WHERE [GroupLogID] = ?", {groupLogId});
    if (!r) return std::nullopt;
    return templateFromRow(*r);
}

qint64 InsertGroupLog(AppContext& ctx, const GroupTemplate& t) {
    QVariantList v{t.groupId};
    v << templateValues(t);
    return ctx.db().insert("INSERT INTO [GroupLog]([GroupID], " + TemplateColumns +
                               ") VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           v, "GroupLogID");
}

bool UpdateGroupLog(AppContext& ctx, const GroupTemplate& t) {
    QVariantList v = templateValues(t);
    v << t.id;
    return ctx.db().exec("UPDATE [GroupLog] SET [LogName] = ?, [EntryType] = ?, [ReferDate] = ?, "
                         "[ReferTime] = ?, [LogData1] = ?, [LogData2] = ?, [LogData3] = ?, "
                         "[LogData4] = ?, [LogData5] = ?, [LogData6] = ?, [LogData] = ? "
                         "WHERE [GroupLogID] = ?",
                         v) > 0;
}

bool DeleteGroupLog(AppContext& ctx, qint64 groupLogId) {
    return ctx.db().exec("DELETE FROM [GroupLog] WHERE [GroupLogID] = ?", {groupLogId}) > 0;
}

int CountGroupLogs(AppContext& ctx, qint64 groupId) {
    return ctx.db()
        .scalar("SELECT COUNT([GroupLogID]) AS [CountEm] FROM [GroupLog] WHERE [GroupID] = ?",
                {groupId})
        .toInt();
}

TemplateCheck CheckGroupLog(const TemplateInput& in, const QString& currencySign,
                            GroupTemplate& out) {
    if (in.logName.trimmed().isEmpty()) return {MsgTemplateName, {}};
    if (in.entryType.trimmed().isEmpty()) return {MsgNoType, {}};
    const QDate refer = Formats::ParseShortDate(in.referDate.trimmed());
    if (!refer.isValid()) return {MsgTemplateDate, {}};
    const TimeResult time = FormatReferTime(in.referTime);
    if (!time.ok) return {time.message, InvalidReferTimeTitle};
    bool anyValue = !in.text.trimmed().isEmpty();
    for (size_t i = 0; i < in.design.size() && i < size_t(in.values.size()); ++i) {
        const QString& value = in.values[qsizetype(i)];
        if (!value.trimmed().isEmpty()) anyValue = true;
        if (!in.design[i].encryptThis) continue;
        for (QChar c : value)
            if (!c.isDigit() && !IsNumberFieldCharacter(c, currencySign))
                return {NumberFieldMessage(currencySign), {}};
    }
    if (!anyValue) return {MsgTemplatePanel, {}};
    out.logName = in.logName.trimmed();
    out.entryType = in.entryType.trimmed();
    out.referDate = Formats::StoredDate(refer);
    out.referTime = time.value;
    out.logData.clear();
    for (int i = 0; i < TemplateValueColumns; ++i)
        out.logData << (i < in.values.size() ? in.values[i].trimmed() : QString());
    out.text = in.text;
    return {};
}

QString TemplateEntryText(const GroupTemplate& t, const std::vector<DesignItem>& design) {
    if (!t.text.trimmed().isEmpty()) return t.text;
    QStringList values;
    for (size_t i = 0; i < design.size(); ++i)
        values << (qsizetype(i) < t.logData.size() ? t.logData[qsizetype(i)] : QString());
    return DesignLinesOnly(design, values);
}

int CreateGroupLogEntries(AppContext& ctx, qint64 groupId, const GroupGuest& guest) {
    Database& db = ctx.db();
    LogbookStore store(ctx);
    int created = 0;
    db.transaction([&] {
        for (const Row& r : db.query("SELECT * FROM [GroupLog] WHERE [GroupID] = ? ORDER BY "
                                     "[LogName], [GroupLogID]",
                                     {groupId})) {
            const GroupTemplate t = templateFromRow(r);
            LogEntry e;
            e.guestId = guest.guestId;
            e.firstName = guest.firstName;
            e.lastName = guest.lastName;
            e.profileId = guest.profileId;
            e.groupId = groupId;
            e.entryType = t.entryType;
            e.referDate = t.referDate;
            e.referTime = t.referTime;
            e.arrivalDate = guest.arrivalDate;
            e.text =
                TemplateEntryText(t, GetLogbookBackPanelItems(db, GetLogTypeID(db, t.entryType)));
            store.InsertLogBook(e); // author, stamps and the category's Restricted flag
            ++created;
        }
        if (guest.profileId != 0 && created > 0)
            db.exec("INSERT INTO [ProfileGL]([ProfileID], [GroupID], [CreationDate]) "
                    "VALUES(?, ?, ?)",
                    {guest.profileId, groupId, Formats::StoredDate(ctx.clock().today())});
    });
    return created;
}

QString GroupLinkCaption(const QString& creationDate) {
    return "<-  Created " + Formats::ShortDateOfStored(creationDate);
}

} // namespace vm
