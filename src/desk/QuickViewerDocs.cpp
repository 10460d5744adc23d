// Documents staff must read, their read confirmations, and the dashboard.
#include "desk/QuickViewer.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Staff.h"

namespace vm {

namespace {

QvDocument linkFrom(const Row& r) {
    QvDocument d;
    d.documentId = r.number("DocumentID");
    d.description = r.trimmedText("Description");
    d.effective = r.trimmedText("Effective");
    d.expiration = r.trimmedText("ExpirationDate");
    if (d.expiration == NoExpiry) d.expiration.clear();
    d.fileName = r.trimmedText("FileName");
    return d;
}

QDate parseDay(const QString& text) {
    const QString t = text.trimmed();
    const QDate stored = Formats::ParseStoredDate(t);
    return stored.isValid() ? stored : Formats::ParseShortDate(t);
}

// "There is 1 <one> ...", "There are n <many> ...", "There are No <many> ...".
QString countSentence(int n, const QString& one, const QString& many, const QString& tail) {
    if (n == 0) return "There are No " + many + tail;
    if (n == 1) return "There is 1 " + one + tail;
    return "There are " + QString::number(n) + ' ' + many + tail;
}

} // namespace

QList<QvDocument> GetDocumentsAll(AppContext& ctx) {
    QList<QvDocument> out;
    for (const Row& r :
         ctx.db().query("SELECT * FROM [Documents] ORDER BY [Effective] DESC, [DocumentID] DESC"))
        out << linkFrom(r);
    return out;
}

QList<QvDocument> GetDocumentsMe(AppContext& ctx) {
    QList<QvDocument> out;
    for (const Row& r : ctx.db().query(
             "SELECT [Documents].*, (SELECT MIN([DateRead]) FROM [DocsRead] WHERE "
             "[DocsRead].[DocumentID] = [Documents].[DocumentID] AND [DocsRead].[Initials] = ?) "
             "AS [ReadOn] FROM [Documents] ORDER BY [Effective], [DocumentID]",
             {ctx.session.initials})) {
        QvDocument d = linkFrom(r);
        d.readOn = r.trimmedText("ReadOn");
        out << d;
    }
    return out;
}

QList<QPair<QString, QString>> GetDocumentsRead(AppContext& ctx, qint64 documentId) {
    QList<QPair<QString, QString>> out;
    for (const Row& r : ctx.db().query(
             "SELECT [Concierge], (SELECT MIN([DateRead]) FROM [DocsRead] WHERE "
             "[DocsRead].[DocumentID] = ? AND [DocsRead].[Initials] = [Concierge].[Initials]) "
             "AS [ReadOn] FROM [Concierge] WHERE [Concierge].[Status] = 'A' ORDER BY "
             "[Concierge]",
             {documentId})) {
        const QString name = r.trimmedText("Concierge");
        if (IsReservedAccount(name)) continue;
        out.append({name, r.trimmedText("ReadOn")});
    }
    return out;
}

QString InsertDocument(AppContext& ctx, QvDocument& link) {
    if (link.fileName.trimmed().isEmpty()) return MsgDocumentFile;
    if (link.description.trimmed().isEmpty()) return MsgDocumentDescription;
    const QDate effective = parseDay(link.effective);
    if (!effective.isValid()) return MsgDocumentEffective;
    QString expiry = NoExpiry;
    if (!link.expiration.trimmed().isEmpty() && link.expiration.trimmed() != NoExpiry) {
        const QDate until = parseDay(link.expiration);
        if (!until.isValid()) return MsgDocumentExpiry;
        if (until <= effective) return MsgDocumentExpiryOrder;
        expiry = Formats::StoredDate(until);
    }
    const QString description = CleanSqlTextKeepAmp(link.description);
    // A path is kept exactly as chosen: cleaning would break the link.
    const QString file = link.fileName.trimmed();
    if (description.size() > 255 || file.size() > 255) return MsgDocumentTooLong;
    link.effective = Formats::StoredDate(effective);
    link.expiration = expiry == NoExpiry ? QString() : expiry;
    link.documentId = ctx.db().insert("INSERT INTO [Documents] ([Description], [Effective], "
                                      "[ExpirationDate], [FileName]) VALUES (?, ?, ?, ?)",
                                      {description, link.effective, expiry, file}, "DocumentID");
    return {};
}

void InsertConfirmation(AppContext& ctx, qint64 documentId) {
    Database& db = ctx.db();
    const QString me = ctx.session.initials;
    db.transaction([&] {
        if (db.scalar("SELECT COUNT(*) FROM [DocsRead] WHERE [DocumentID] = ? AND [Initials] = ?",
                      {documentId, me})
                .toInt() > 0)
            return;
        db.exec("INSERT INTO [DocsRead] ([DocumentID], [Initials], [DateRead]) VALUES (?, ?, ?)",
                {documentId, me, Formats::StoredDate(ctx.clock().today())});
    });
}

void DeleteDocument(AppContext& ctx, qint64 documentId) {
    Database& db = ctx.db();
    db.transaction([&] {
        db.exec("DELETE FROM [Documents] WHERE [DocumentID] = ?", {documentId});
        db.exec("DELETE FROM [DocsRead] WHERE [DocumentID] = ?", {documentId});
    });
}

int CountUnreadDocuments(AppContext& ctx, const QDate& day) {
    const QString d = Formats::StoredDate(day);
    return ctx.db()
        .scalar("SELECT COUNT(*) FROM [Documents] WHERE [Effective] <= ? AND ([ExpirationDate] >= "
                "? OR [ExpirationDate] IS NULL OR TRIM([ExpirationDate]) = '') AND NOT EXISTS "
                "(SELECT 1 FROM [DocsRead] WHERE [DocsRead].[DocumentID] = "
                "[Documents].[DocumentID] AND [DocsRead].[Initials] = ?)",
                {d, d, ctx.session.initials})
        .toInt();
}

QStringList DashboardLines(AppContext& ctx, const QDate& day) {
    return {countSentence(CountDayNotes(ctx, day), "Item", "Items", " in Today's Daily Diary"),
            countSentence(CountOpenTasks(ctx, day), "Task", "Tasks", " Remaining to be Done"),
            countSentence(CountUnreadDocuments(ctx, day), "Memo", "Memos", " Waiting to be Read")};
}

} // namespace vm
