#include "logbook/Categories.h"
#include "core/LongText.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "logbook/LogText.h"

namespace vm {

namespace {

Category categoryFrom(const Row& r) {
    Category c;
    c.id = r.number("LogTypeID");
    c.name = r.text("LogType");
    c.restricted = r.flag("Restricted");
    c.isReserved = r.flag("IsReserved");
    c.dnpItinerary = r.flag("DNPItinerary");
    c.resortClubLocked = r.flag("ResortClubLocked");
    c.readOnly = r.flag("ReadOnly");
    c.dayLogs = int(r.number("DayLogs"));
    return c;
}

std::optional<Category> firstCategory(Database& db, const QString& sql, const QVariantList& p) {
    auto r = db.queryOne(sql, p);
    if (!r) return std::nullopt;
    return categoryFrom(*r);
}

void replaceEntries(Database& db, const QString& from, const QString& to, bool restricted) {
    db.exec("UPDATE [LogBook] SET [EntryType] = ?, [Restricted] = ? WHERE [EntryType] = ?",
            {to, restricted, from});
}

} // namespace

bool Viewer::mayUse(const Category& c) const {
    if (restricted && !c.restricted) return false;
    if (c.isReserved && !authorized) return false;
    return allLogs || personal.contains(c.name.toLower());
}

Viewer LoadViewer(Database& db, const Session& s) {
    Viewer v;
    v.restricted = s.restricted;
    v.authorized = s.manager;
    if (s.guest || s.restricted)
        v.allLogs = true;
    else
        v.allLogs =
            db.scalar("SELECT [AllLogs] FROM [Concierge] WHERE [ConciergeID] = ?", {s.conciergeId})
                .toBool();
    if (!v.allLogs)
        for (const QString& name : GetCategoriesByC(db, s.conciergeId))
            v.personal.insert(name.toLower());
    return v;
}

std::vector<Category> GetAllCategories4Edit(Database& db) {
    std::vector<Category> out;
    for (const Row& r : db.query("SELECT * FROM [LogType] ORDER BY [LogType]"))
        out.push_back(categoryFrom(r));
    return out;
}

std::vector<Category> GetLogbookTypes(Database& db, const Viewer& v) {
    std::vector<Category> out;
    for (Category& c : GetAllCategories4Edit(db))
        if (v.mayUse(c)) out.push_back(std::move(c));
    return out;
}

QStringList CategoryRanking(Database& db) {
    QStringList out;
    const QString sql = "SELECT [EntryType], COUNT(*) AS dwCount FROM [LogBook] "
                        "GROUP BY [EntryType] ORDER BY dwCount DESC, [EntryType]";
    db.forEach(sql, {}, [&](const Row& r) {
        out << r.trimmedText("EntryType");
        return true;
    });
    return out;
}

QStringList GetLogbookTypes10(Database& db, const Viewer& v, const QStringList& ranking) {
    QHash<QString, Category> byName;
    for (const Category& c : GetAllCategories4Edit(db))
        byName.insert(c.name.toLower(), c);
    QStringList out;
    for (const QString& name : ranking) {
        auto it = byName.constFind(name.toLower());
        if (it != byName.constEnd() && v.mayUse(*it) && !out.contains(it->name)) out << it->name;
        if (out.size() == 10) break;
    }
    return out;
}

QStringList GetLogbookTypes10(Database& db, const Viewer& v) {
    return GetLogbookTypes10(db, v, CategoryRanking(db));
}

std::optional<Category> GetLogTypeFlags(Database& db, qint64 logTypeId) {
    return firstCategory(db, "SELECT * FROM [LogType] WHERE [LogTypeID] = ?", {logTypeId});
}

std::optional<Category> GetLogTypeByName(Database& db, const QString& name) {
    return firstCategory(db, "SELECT * FROM [LogType] WHERE [LogType] = ?", {name.trimmed()});
}

qint64 GetLogTypeID(Database& db, const QString& name) {
    auto c = GetLogTypeByName(db, name);
    return c ? c->id : 0;
}

bool GetLogTypeRestricted(Database& db, const QString& name) {
    auto c = GetLogTypeByName(db, name);
    return c && c->restricted;
}

bool IsLogTypeReadOnly(Database& db, qint64 logTypeId) {
    auto c = GetLogTypeFlags(db, logTypeId);
    return c && c->readOnly;
}

int GetLogTypeDayLogs(Database& db, const QString& name) {
    auto c = GetLogTypeByName(db, name);
    return c ? c->dayLogs : 0;
}

bool IsUserCategory(Database& db, qint64 conciergeId, const QString& name) {
    return db
        .scalar("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = 'U' "
                "AND [NoteField] = ?",
                {conciergeId, name})
        .isValid();
}

QStringList GetCategoriesByC(Database& db, qint64 conciergeId) {
    QStringList out;
    for (const Row& r : db.query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                                 "[EvConType] = 'U' ORDER BY [NoteField]",
                                 {conciergeId}))
        out << r.text("NoteField");
    return out;
}

QStringList GetLogbookTypesArray(Database& db) {
    QStringList out;
    for (const Row& r : db.query("SELECT [LogType] FROM [LogType] ORDER BY [LogType]"))
        out << r.text("LogType");
    return out;
}

std::vector<std::pair<qint64, QString>> GetLogbookCategories(Database& db) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r :
         db.query("SELECT [LogTypeID], [LogType] FROM [LogType] ORDER BY [LogTypeID]"))
        out.emplace_back(r.number("LogTypeID"), r.text("LogType"));
    return out;
}

QStringList GetLogbookCustomItems(Database& db, const QString& categoryName) {
    QStringList out;
    const qint64 id = GetLogTypeID(db, categoryName);
    if (id == 0) return out;
    for (const Row& r :
         db.query("SELECT [LabelText] FROM [DEDesign] WHERE [LogTypeID] = ? ORDER BY "
                  "[LabelText]",
                  {id}))
        out << r.text("LabelText");
    return out;
}

std::vector<DesignItem> GetLogbookBackPanelItems(Database& db, qint64 logTypeId) {
    std::vector<DesignItem> out;
    for (const Row& r : db.query(
             "SELECT * FROM [DEDesign] WHERE [LogTypeID] = ? ORDER BY [SequenceNo]", {logTypeId}))
        out.push_back({r.number("DesignID"), int(r.number("SequenceNo")), r.text("LabelText"),
                       r.flag("Contact2DE"), r.flag("EncryptThis"), r.flag("ResortClubLocked")});
    return out;
}

int CountCategoryEntries(AppContext& ctx, const QString& name) {
    const QString sql = "SELECT COUNT([LogID]) AS [CountEm] FROM [LogBook] WHERE [EntryType] = ?";
    int n = ctx.db().scalar(sql, {name}).toInt();
    // Archived entries name their category too: a category they use is in use.
    if (ctx.archive) n += ctx.archive->scalar(sql, {name}).toInt();
    return n;
}

QString CheckNewCategoryName(Database& db, const QString& name, const QString& renaming) {
    const QString n = name.trimmed();
    if (n.isEmpty()) return MsgBlankCategory;
    auto existing = GetLogTypeByName(db, n);
    // Renaming to another spelling of the same name is no clash.
    if (existing && existing->name.compare(renaming.trimmed(), Qt::CaseInsensitive) != 0)
        return MsgCategoryExists;
    return {};
}

QString CheckReplaceTarget(Database& db, const QString& target) {
    if (target.trimmed().isEmpty()) return MsgBlankReplace;
    if (!GetLogTypeByName(db, target)) return MsgReplaceUnknown;
    return {};
}

void InsertCategory(Database& db, const QString& name) {
    db.insert("INSERT INTO [LogType] ([LogType], [Restricted], [IsReserved], [DNPItinerary], "
              "[ResortClubLocked], [ReadOnly], [DayLogs]) VALUES (?, ?, ?, ?, ?, ?, 0)",
              {CleanSqlTextKeepAmp(name), false, false, false, false, false}, "LogTypeID");
}

void RenameCategory(AppContext& ctx, const QString& oldName, const QString& newName) {
    Database& db = ctx.db();
    const QString to = CleanSqlTextKeepAmp(newName);
    db.transaction([&] {
        db.exec("UPDATE [LogType] SET [LogType] = ? WHERE [LogType] = ?", {to, oldName});
        db.exec(
            "UPDATE [EvConText] SET [NoteField] = ? WHERE [NoteField] = ? AND [EvConType] = 'U'",
            {to, oldName});
        db.exec("UPDATE [IFTranslate] SET [LogType] = ? WHERE [LogType] = ?", {to, oldName});
        ReplaceCategory(ctx, oldName, to);
    });
}

void ReplaceCategory(AppContext& ctx, const QString& from, const QString& to) {
    Database& db = ctx.db();
    const bool restricted = GetLogTypeRestricted(db, to);
    db.transaction([&] {
        db.exec("UPDATE [GroupLog] SET [EntryType] = ? WHERE [EntryType] = ?", {to, from});
        replaceEntries(db, from, to, restricted);
    });
    // The archive is a database of its own: its entries follow in a second transaction.
    if (ctx.archive)
        ctx.archive->transaction([&] { replaceEntries(*ctx.archive, from, to, restricted); });
}

void DeleteCategory(AppContext& ctx, qint64 logTypeId) {
    Database& db = ctx.db();
    auto c = GetLogTypeFlags(db, logTypeId);
    if (!c) return;
    db.transaction([&] {
        db.exec("DELETE FROM [DEDesign] WHERE [LogTypeID] = ?", {logTypeId});
        db.exec("DELETE FROM [DEFormD] WHERE [DEFormSID] IN (SELECT [DEFormSID] FROM [DEFormS] "
                "WHERE [LogTypeID] = ?)",
                {logTypeId});
        db.exec("DELETE FROM [DEFormS] WHERE [LogTypeID] = ?", {logTypeId});
        // The confirmation promises the texts go with the category.
        db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] IN ('W', 'V', 'LC')",
                {logTypeId});
        db.exec("DELETE FROM [EvConText] WHERE [EvConType] = 'U' AND [NoteField] = ?", {c->name});
        // Tickler notes of the category would never show again.
        if (db.tableExists("TicklerNotes"))
            db.exec("DELETE FROM [TicklerNotes] WHERE [FromType] = 'L' AND [FromID] = ?",
                    {logTypeId});
        db.exec("DELETE FROM [LogType] WHERE [LogTypeID] = ?", {logTypeId});
    });
}

static void replaceText(Database& db, qint64 key, const QString& type, const QString& text) {
    db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?", {key, type});
    if (text.trimmed().isEmpty()) return;
    int sequence = 0;
    for (const QString& piece : LogTextPieces(CleanSqlTextKeepAmp(text)))
        db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                "VALUES (?, ?, ?, ?)",
                {key, type, ++sequence, piece});
}

QString GetCategoryText(Database& db, qint64 logTypeId, const QString& type) {
    QString text;
    for (const Row& r : db.query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                                 "[EvConType] = ? ORDER BY [Sequence]",
                                 {logTypeId, type}))
        text += r.text("NoteField");
    return text;
}

void UpdateConfText(AppContext& ctx, const Category& c, const QString& confirmation,
                    const QString& vendorRequest, const std::optional<QString>& correspondence) {
    Database& db = ctx.db();
    const auto flagsOf = [&](Database& d) {
        d.exec("UPDATE [LogBook] SET [Restricted] = ? WHERE [EntryType] = ?",
               {c.restricted, c.name});
    };
    db.transaction([&] {
        replaceText(db, c.id, "W", confirmation);
        replaceText(db, c.id, "V", vendorRequest);
        if (correspondence)
            replaceText(db, c.id, TextKind::CategoryCorrespondence, *correspondence);
        db.exec("UPDATE [LogType] SET [Restricted] = ?, [IsReserved] = ?, [DNPItinerary] = ?, "
                "[ReadOnly] = ?, [DayLogs] = ? WHERE [LogTypeID] = ?",
                {c.restricted, c.isReserved, c.dnpItinerary, c.readOnly, c.dayLogs, c.id});
        flagsOf(db);
    });
    if (ctx.archive) ctx.archive->transaction([&] { flagsOf(*ctx.archive); });
}

QString RenameConfirmation(int entries, const QString& newName) {
    return "The " + QString::number(entries) + " CURRENT and ARCHIVE entries " +
           "will be changed to " + newName + ".  The data " +
           "entry panel and custom form definition will not change ";
}

QString RenameActivityLine(const QString& staff, const QString& oldName, const QString& newName,
                           const QDateTime& when, const QString& computer) {
    return "User: " + staff + " Changed the name of the Logbook Category: " + oldName +
           " to: " + newName + " on: " + Formats::AuditStamp(when) + " at PC Named: " + computer;
}

} // namespace vm
