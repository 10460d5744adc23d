#include "core/DataAccess.h"
#include "core/Formats.h"
#include "desk/MessageRows.h"
#include "logbook/LogbookStore.h"

namespace vm {

namespace {

const QStringList& ManySuffixes() {
    static const QStringList s{QStringLiteral("(2 Group)"), QStringLiteral("(2 ALL)")};
    return s;
}

// The sender without what marks a message to many, trimmed.
QString WithoutSuffix(const QString& sentFrom) {
    for (const QString& suffix : ManySuffixes()) {
        const qsizetype at = sentFrom.indexOf(suffix);
        if (at >= 0) return sentFrom.left(at).trimmed();
    }
    return sentFrom.trimmed();
}

QString NowStamp(const AppContext& ctx) {
    return Formats::StoredDateTime(ctx.clock().now());
}

const QString DueWhere =
    QStringLiteral("[MsgTimer].[ConciergeName] = ? AND [MsgTimer].[MsgDateTime] <= ? AND "
                   "[MsgTimer].[LogbookID] <> -1");
const QString OldestFirst = QStringLiteral("[MsgTimer].[MsgDateTime]");

// The condition of a sender: the name alone or with the group suffix, never
// a prefix ("Ann" is not "Anne Smith").
QString SenderWhere(QVariantList& params, const QString& name) {
    const QString stored = CleanSqlTextKeepAmp(name);
    params << stored << stored + GroupSenderSuffix;
    return QStringLiteral("([MsgTimer].[SentFrom] = ? OR [MsgTimer].[SentFrom] = ?)");
}

bool EntryExists(Database& db, qint64 logId) {
    return db.scalar("SELECT COUNT(*) FROM [LogBook] WHERE [LogID] = ?", {logId}).toInt() > 0;
}

} // namespace

bool StaffMsg::toMany() const {
    for (const QString& suffix : ManySuffixes())
        if (sentFrom.contains(suffix)) return true;
    return false;
}

QString StaffMsg::senderName() const {
    return WithoutSuffix(sentFrom);
}

QList<StaffMsg> GetDueMessages(AppContext& ctx, const QString& me) {
    return msg::ReadMessages(ctx.db(), DueWhere, {me, NowStamp(ctx)}, OldestFirst);
}

QList<StaffMsg> GetDueUrgentMessages(AppContext& ctx, const QString& me) {
    return msg::ReadMessages(ctx.db(), DueWhere + " AND [MsgTimer].[TypeOfMessage] = 'U'",
                             {me, NowStamp(ctx)}, OldestFirst);
}

int CountDueMessages(AppContext& ctx, const QString& me) {
    return ctx.db().scalar(msg::DueCountSql, {me, NowStamp(ctx)}).toInt();
}

std::optional<StaffMsg> GetMessage(AppContext& ctx, qint64 timerId) {
    const QList<StaffMsg> found =
        msg::ReadMessages(ctx.db(), "[MsgTimer].[TimerID] = ?", {timerId}, OldestFirst);
    if (found.isEmpty()) return std::nullopt;
    return found.first();
}

QString MailCaption(int dueCount) {
    if (dueCount <= 0) return {};
    const QString caption = QStringLiteral("  ~~~  You,ve Got Mail!");
    return dueCount == 1 ? caption : caption + " (" + QString::number(dueCount) + ")";
}

void MarkMessageDone(AppContext& ctx, qint64 timerId) {
    ctx.db().exec("UPDATE [MsgTimer] SET [LogbookID] = -1 WHERE [TimerID] = ?", {timerId});
}

void RestoreMessage(AppContext& ctx, qint64 timerId) {
    ctx.db().exec("UPDATE [MsgTimer] SET [LogbookID] = 0 WHERE [TimerID] = ?", {timerId});
}

void UpdateTheMessage(AppContext& ctx, qint64 timerId, const QDateTime& due, const QString& type) {
    ctx.db().exec("UPDATE [MsgTimer] SET [MsgDateTime] = ?, [TypeOfMessage] = ? WHERE "
                  "[TimerID] = ?",
                  {Formats::StoredDateTime(due), type.trimmed(), timerId});
}

namespace msg {

MsgStatement MessageListStatement(const MsgListQuery& query) {
    QStringList where;
    QVariantList params;
    switch (query.filter) {
    case MsgFilter::All:
        break;
    case MsgFilter::ByRecipient:
        where << "[MsgTimer].[ConciergeName] = ?";
        params << CleanSqlTextKeepAmp(query.name);
        break;
    case MsgFilter::BySender:
        where << SenderWhere(params, query.name);
        break;
    case MsgFilter::BeforeDate:
        if (!query.before.isValid()) return {};
        where << "[MsgTimer].[MsgDateTime] < ?";
        params << Formats::StoredDate(query.before);
        break;
    }
    // Read messages are most of the table, yet the LogbookID index's statistics
    // see -1 as one value among thousands: with a narrower condition beside it,
    // the "+" keeps the engine on that condition's index.
    const bool narrowed = query.filter != MsgFilter::All;
    where << (query.disposed
                  ? (narrowed ? "+[MsgTimer].[LogbookID] = -1" : "[MsgTimer].[LogbookID] = -1")
                  : "[MsgTimer].[LogbookID] <> -1");
    const QString order = query.orderByName
                              ? "[MsgTimer].[ConciergeName], [MsgTimer].[MsgDateTime]"
                              : "[MsgTimer].[MsgDateTime], [MsgTimer].[ConciergeName]";
    return {SelectMessagesSql(where.join(" AND "), order), params};
}

} // namespace msg

QList<StaffMsg> GetMessages(AppContext& ctx, const MsgListQuery& query) {
    const msg::MsgStatement st = msg::MessageListStatement(query);
    if (st.sql.isEmpty()) return {};
    return msg::ReadStatement(ctx.db(), st);
}

QStringList GetMessagesNames(AppContext& ctx, bool senders, bool disposed) {
    const QString column = senders ? "[SentFrom]" : "[ConciergeName]";
    QStringList names;
    for (const Row& r :
         ctx.db().query("SELECT DISTINCT " + column + " FROM [MsgTimer] WHERE [LogbookID] " +
                        (disposed ? "= -1" : "<> -1"))) {
        const QString name = senders ? WithoutSuffix(r.text(0)) : r.trimmedText(0);
        if (!name.isEmpty() && !names.contains(name)) names << name;
    }
    // Sorted here: the engines order text differently.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString MessageListText(AppContext& ctx, const StaffMsg& message) {
    const QString text = message.hasText && !message.text.trimmed().isEmpty()
                             ? message.text
                             : QStringLiteral("No Message Recorded.");
    if (!message.aboutEntry()) return text;
    const bool exists = EntryExists(ctx.db(), message.logId) ||
                        (ctx.archive && EntryExists(*ctx.archive, message.logId));
    const QString link = exists ? "Refers to Logbook Entry #: " + QString::number(message.logId)
                                : QStringLiteral("Was a Logbook Message.");
    return msg::Lines({link, text});
}

int DeleteMessages(AppContext& ctx, MsgDelete mode, const QString& nameOrDate) {
    QString where;
    QVariantList params;
    const QString name = nameOrDate.trimmed();
    switch (mode) {
    case MsgDelete::BeforeDate: {
        QDate day = Formats::ParseStoredDate(name);
        if (!day.isValid()) day = Formats::ParseShortDate(name);
        // An unreadable date deletes nothing rather than everything.
        if (!day.isValid()) return 0;
        where = "[MsgTimer].[MsgDateTime] < ?";
        params << Formats::StoredDate(day);
        break;
    }
    case MsgDelete::Recipient:
    case MsgDelete::InactiveStaff:
        if (name.isEmpty()) return 0;
        where = "[MsgTimer].[ConciergeName] = ?";
        params << CleanSqlTextKeepAmp(name);
        break;
    case MsgDelete::Sender:
        if (name.isEmpty()) return 0;
        where = SenderWhere(params, name);
        break;
    case MsgDelete::AllDisposed:
        where = "[MsgTimer].[LogbookID] = -1";
        break;
    case MsgDelete::AllActive:
        where = "[MsgTimer].[LogbookID] <> -1";
        break;
    }
    Database& db = ctx.db();
    int deleted = 0;
    db.transaction([&] {
        db.exec("DELETE FROM [MsgText] WHERE [TimerID] IN (SELECT [MsgTimer].[TimerID] FROM "
                "[MsgTimer] WHERE " +
                    where + ")",
                params);
        deleted = db.exec("DELETE FROM [MsgTimer] WHERE " + where, params);
    });
    return deleted;
}

QString GetLogbookMessage(AppContext& ctx, qint64 logId, bool archive) {
    if (logId <= 0 || (archive && !ctx.archive)) return {};
    LogbookStore store(ctx);
    const std::optional<LogEntry> e =
        store.GetTheLogEntry(logId, archive ? LogSource::Archive : LogSource::Current);
    if (!e) return {};
    const QDate refer = Formats::ParseStoredDate(e->referDate.trimmed());
    const QTime time = Formats::ParseTime(e->referTime.trimmed());
    const QString due =
        Formats::ShortDate(refer) + (time.isValid() ? "  " + Formats::Time12(time) : QString());
    const QString name = (StoredText(e->firstName) + " " + StoredText(e->lastName)).trimmed();
    return msg::Lines(
        {"Due:  " + due.trimmed(), "Name:  " + name, "Room:  " + StoredText(e->roomNumber),
         "Category:  " + StoredText(e->entryType), "Reference Date:  " + Formats::ShortDate(refer),
         "Initials:  " + StoredText(e->initials),
         "Current Notes -> " + StoredText(e->msgNotes) + " <-End Notes...", QString(),
         StoredText(e->text)});
}

} // namespace vm
