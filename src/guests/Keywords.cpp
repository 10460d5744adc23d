#include "guests/Keywords.h"

#include "core/DataAccess.h"
#include "core/schema/SchemaBuilder.h"

namespace vm {

namespace {

const QString SelectAll =
    QStringLiteral("SELECT [KeywordID], [Keyword] FROM [Keyword] ORDER BY [Keyword], [KeywordID]");
// Keywords compare without case (the column's collation).
const QString SelectByName =
    QStringLiteral("SELECT [KeywordID], [Keyword] FROM [Keyword] WHERE [Keyword] = ? "
                   "ORDER BY [KeywordID]");

struct Holder {
    qint64 contactId;
    QString keywordSet;
};

// Contacts whose set holds the keyword as a whole item.  The "contains"
// condition (trigram-indexed) finds the candidates; "Bar" is also in
// "Barbecue", so each set is checked item by item.
std::vector<Holder> holders(Database& db, const QString& keyword) {
    QVariant pattern;
    const QString condition =
        schema::ContainsCondition(db.engine(), "Contact", "KeywordSet", keyword, pattern);
    std::vector<Holder> out;
    for (const Row& r : db.query(
             "SELECT [ContactID], [KeywordSet] FROM [Contact] WHERE " + condition, {pattern})) {
        const QString set = r.text("KeywordSet");
        if (KeywordItems(set).contains(keyword, Qt::CaseInsensitive))
            out.push_back({r.value("ContactID").toLongLong(), set});
    }
    return out;
}

} // namespace

QStringList GetAllKeywords(AppContext& ctx) {
    QStringList out;
    for (const KeywordRow& k : GetMntKeywords(ctx))
        out << k.keyword;
    return out;
}

std::vector<KeywordRow> GetMntKeywords(AppContext& ctx) {
    std::vector<KeywordRow> out;
    for (const Row& r : ctx.contactsDb().query(SelectAll))
        out.push_back({r.value("KeywordID").toLongLong(), r.trimmedText("Keyword")});
    return out;
}

QStringList KeywordItems(const QString& keywordSet) {
    QStringList items;
    for (const QString& part : keywordSet.split(',')) {
        const QString item = part.trimmed();
        if (!item.isEmpty()) items << item;
    }
    return items;
}

QString RewriteKeywordSet(const QString& keywordSet, const QString& from, const QString& to) {
    QStringList out;
    for (const QString& item : KeywordItems(keywordSet)) {
        const QString kept = item.compare(from, Qt::CaseInsensitive) == 0 ? to : item;
        if (!out.contains(kept, Qt::CaseInsensitive)) out << kept;
    }
    return out.join(", ");
}

QString InsertKeyword(AppContext& ctx, const QString& keyword) {
    if (keyword.trimmed().isEmpty()) return MsgBlankKeyword;
    const QString k = CleanSqlText(keyword);
    Database& db = ctx.contactsDb();
    QString refusal;
    db.transaction([&] {
        if (db.queryOne(SelectByName, {k})) {
            refusal = MsgKeywordExists;
            return;
        }
        db.insert("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {k}, "KeywordID");
    });
    return refusal;
}

QString ReplaceKeyword(AppContext& ctx, const QString& keyword, const QString& replaceWith,
                       int* rewritten) {
    if (rewritten) *rewritten = 0;
    if (keyword.trimmed().isEmpty() || replaceWith.trimmed().isEmpty())
        return MsgBlankReplaceKeyword;
    const QString from = CleanSqlText(keyword);
    QString to = CleanSqlText(replaceWith);
    Database& db = ctx.contactsDb();
    QString refusal;
    db.transaction([&] {
        const auto old = db.queryOne(SelectByName, {from});
        if (!old) {
            refusal = MsgKeywordUnknown;
            return;
        }
        const qint64 oldId = old->value("KeywordID").toLongLong();
        const auto existing = db.queryOne(SelectByName, {to});
        if (existing && existing->value("KeywordID").toLongLong() != oldId) {
            // Merged into the keyword already listed, spelled as it is listed.
            db.exec("DELETE FROM [Keyword] WHERE [KeywordID] = ?", {oldId});
            to = StoredText(existing->text("Keyword"));
        } else {
            db.exec("UPDATE [Keyword] SET [Keyword] = ? WHERE [KeywordID] = ?", {to, oldId});
        }
        int n = 0;
        for (const Holder& h : holders(db, from)) {
            const QString set = RewriteKeywordSet(h.keywordSet, from, to);
            if (set == h.keywordSet) continue;
            db.exec("UPDATE [Contact] SET [KeywordSet] = ? WHERE [ContactID] = ?",
                    {set, h.contactId});
            ++n;
        }
        if (rewritten) *rewritten = n;
    });
    return refusal;
}

int CountKeywordUse(AppContext& ctx, const QString& keyword) {
    return int(holders(ctx.contactsDb(), keyword.trimmed()).size());
}

int DeleteKeyword(AppContext& ctx, qint64 keywordId) {
    Database& db = ctx.contactsDb();
    int uses = 0;
    db.transaction([&] {
        const QVariant k =
            db.scalar("SELECT [Keyword] FROM [Keyword] WHERE [KeywordID] = ?", {keywordId});
        if (!k.isValid()) return;
        uses = int(holders(db, k.toString().trimmed()).size());
        if (uses == 0) db.exec("DELETE FROM [Keyword] WHERE [KeywordID] = ?", {keywordId});
    });
    return uses;
}

} // namespace vm
