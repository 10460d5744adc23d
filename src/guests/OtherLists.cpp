#include "guests/OtherLists.h"

#include "core/DataAccess.h"
#include "core/LongText.h"

namespace vm {

namespace {

OtherListInfo list(const char* type, const char* title, const char* caption, const char* table,
                   const char* column) {
    OtherListInfo l;
    l.type = type;
    l.title = title;
    l.caption = caption;
    l.table = table;
    l.column = column;
    return l;
}

std::vector<OtherListInfo> makeLists() {
    std::vector<OtherListInfo> v;
    v.push_back(list("Area", "Maintain Contact Areas", "Contact Areas", "Contact", "DocumentLink"));
    v.push_back(
        list("Category", "Maintain Rental Categories", "Rental Categories", "Stuff", "Category"));
    v.push_back(list("CCType", "Maintain Credit Card Types", "Credit Card Types", "ProfileCC",
                     "CreditCardType"));
    v.push_back(list("Contacted", "Maintain Last Contact Type", "Last Contact Type", "ProfileCH",
                     "ContactType"));
    v.push_back(list("Diary", "Maintain Diary Groups", "Diary Groups", "DayNotes", "DiaryGroup"));
    // Lost and found keeps a record's disposition in its own column; Category
    // holds the item's category (the "LFCategory" list).
    v.push_back(list("Disposal", "Maintain Lost/Found Dispositions", "Lost/Found Dispositions",
                     "LostAndFound", "Disposition"));
    v.push_back(list("GroupMgr", "Maintain Group Managers", "Group Managers", "Group", "GroupMgr"));
    // Keys carry their group by name; there is no table of key groups.
    v.push_back(list("KeyGroup", "Maintain Key Groups", "Key Groups", "KeyMaster", "KeyGroupName"));
    // Language skills are one-piece long texts of kind "L" (the condition is
    // added where the column is used, so other texts are never touched).
    v.push_back(
        list("Language", "Maintain Language Skills", "Language Skills", "EvConText", "NoteField"));
    v.push_back(list("LFCategory", "Maintain Lost/Found Categories", "Lost/Found Categories",
                     "LostAndFound", "Category"));
    OtherListInfo locations = list("LFLocation", "Maintain Lost/Found Locations",
                                   "Lost/Found Locations", "LostAndFound", "LostLocation");
    locations.moreColumns = {"FoundLocation"};
    v.push_back(locations);
    v.push_back(list("LFReturns", "Maintain Lost/Found Return Types", "Lost/Found Return Types",
                     "LostAndFound", "ReturnMethod"));
    v.push_back(list("LFStorage", "Maintain Lost/Found Storage Places", "Lost/Found Storage Places",
                     "LostAndFound", "StoredLocation"));
    v.push_back(list("Notified", "Maintain Notification Methods", "Notification Methods", "LogBook",
                     "Notified"));
    OtherListInfo profileTypes =
        list("ProType", "Maintain Profile Types", "Profile Types", "Profile", "ProfileType");
    profileTypes.abbreviation = true;
    v.push_back(profileTypes);
    v.push_back(list("Result", "Maintain Contact Results", "Contact Results", "ProfileCH",
                     "ContactResult"));
    // Bookings name their category by ResTypeID (the reservation categories'
    // own table); no column holds these values by name.
    v.push_back(list("ResType", "Maintain Reservation Types", "Reservation Types", "", ""));
    v.push_back(list("SalesMgr", "Maintain Sales Managers", "Sales Managers", "Group", "SalesMgr"));
    v.push_back(list("Salutation", "Maintain Salutations", "Salutations", "Profile", "Salutation"));
    v.push_back(
        list("TaskType", "Maintain Task Categories", "Task Categories", "TaskMaster", "Category"));
    // Services name their category and location by the value's key.
    OtherListInfo services = list("TService", "Maintain Timed Services",
                                  "Timed Services Categories", "Services", "CategoryID");
    services.byId = true;
    services.rename = false;
    v.push_back(services);
    OtherListInfo venues = list("TSVenue", "Maintain Timed Services", "Timed Services Locations",
                                "Services", "LocationID");
    venues.byId = true;
    venues.rename = false;
    v.push_back(venues);
    v.push_back(list("Venue", "Maintain Meeting Rooms", "Meeting Rooms", "GroupSchedule", "Venue"));
    v.push_back(list("Where", "Maintain Scheduling Locations", "Scheduling Locations", "", ""));
    for (OtherListInfo& l : v)
        if (l.table.isEmpty()) l.rename = false;
    return v;
}

const QString SelectRows = QStringLiteral(
    "SELECT [OtherID], [OtherValue], [OtherValue1] FROM [Other] WHERE [OtherType] = ? "
    "ORDER BY [OtherValue], [OtherID]");
const QString SelectRow = QStringLiteral("SELECT [OtherID], [OtherValue], [OtherValue1] FROM "
                                         "[Other] WHERE [OtherID] = ? AND [OtherType] = ?");
// Values compare without case (the columns' collation).
const QString CountSame = QStringLiteral(
    "SELECT COUNT(*) FROM [Other] WHERE [OtherType] = ? AND [OtherValue] = ? AND [OtherID] <> ?");

OtherValue valueFrom(const Row& r) {
    return {r.value("OtherID").toLongLong(), r.trimmedText("OtherValue"),
            r.trimmedText("OtherValue1")};
}

// The list of a type with the editor, or a bare one (rows only) for the
// lists that other screens keep in Other.
OtherListInfo listOrBare(const QString& type) {
    if (const OtherListInfo* l = FindOtherList(type)) return *l;
    OtherListInfo bare;
    bare.type = type;
    bare.rename = false;
    return bare;
}

bool existsElsewhere(Database& db, const QString& type, const QString& value, qint64 exceptId) {
    return db.scalar(CountSame, {type, value, exceptId}).toInt() > 0;
}

QStringList usedColumns(const OtherListInfo& l) {
    if (l.table.isEmpty()) return {};
    return QStringList{l.column} + l.moreColumns;
}

// The fixed part of every condition on the list's table.
QString scope(const OtherListInfo& l) {
    return l.table == "EvConText" ? " AND [EvConType] = '" + TextKind::StaffLanguage + "'"
                                  : QString();
}

QVariant storedAbbreviation(const OtherListInfo& l, const QString& typed) {
    if (!l.abbreviation) return QVariant();
    const QString a = typed.trimmed();
    return (a.isEmpty() || a == MsgNoAbbreviation) ? QString(" ") : CleanSqlText(a);
}

} // namespace

const std::vector<OtherListInfo>& OtherListsWithEditor() {
    static const std::vector<OtherListInfo> lists = makeLists();
    return lists;
}

const OtherListInfo* FindOtherList(const QString& type) {
    for (const OtherListInfo& l : OtherListsWithEditor())
        if (l.type == type) return &l;
    return nullptr;
}

std::vector<OtherValue> GetOtherData(AppContext& ctx, const QString& type) {
    std::vector<OtherValue> out;
    for (const Row& r : ctx.db().query(SelectRows, {type}))
        out.push_back(valueFrom(r));
    return out;
}

QStringList GetOtherValues(AppContext& ctx, const QString& type) {
    QStringList out;
    for (const OtherValue& v : GetOtherData(ctx, type))
        out << v.value;
    return out;
}

Database& OtherUseDb(AppContext& ctx, const OtherListInfo& list) {
    if (list.table == "Contact") return ctx.contactsDb();
    if (list.table == "EvConText") return LongTextDb(ctx, TextKind::StaffLanguage);
    return ctx.db();
}

QString InsertOtherData(AppContext& ctx, const QString& type, const QString& value,
                        const QString& abbreviation) {
    if (value.trimmed().isEmpty()) return MsgBlankValue;
    const OtherListInfo l = listOrBare(type);
    const QString v = CleanSqlText(value);
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (existsElsewhere(db, type, v, 0)) {
            refusal = MsgValueExists;
            return;
        }
        db.insert("INSERT INTO [Other] ([OtherType], [OtherValue], [OtherValue1]) VALUES (?, ?, ?)",
                  {type, v, storedAbbreviation(l, abbreviation)}, "OtherID");
    });
    return refusal;
}

QString UpdateOtherData(AppContext& ctx, const QString& type, qint64 otherId, const QString& value,
                        const QString& abbreviation) {
    if (value.trimmed().isEmpty()) return MsgBlankChange;
    const OtherListInfo l = listOrBare(type);
    const QString v = CleanSqlText(value);
    Database& db = ctx.db();
    Database& uses = OtherUseDb(ctx, l);
    QString refusal;
    // The rename runs inside the list's transaction: when it fails, both roll
    // back (with shared contacts it is the common database's own transaction,
    // committed just before the list's).
    db.transaction([&] {
        const auto old = db.queryOne(SelectRow, {otherId, type});
        if (!old) {
            refusal = MsgSelectValueToChange;
            return;
        }
        if (existsElsewhere(db, type, v, otherId)) {
            refusal = MsgValueExists;
            return;
        }
        if (l.abbreviation)
            db.exec("UPDATE [Other] SET [OtherValue] = ?, [OtherValue1] = ? WHERE [OtherID] = ?",
                    {v, storedAbbreviation(l, abbreviation), otherId});
        else
            db.exec("UPDATE [Other] SET [OtherValue] = ? WHERE [OtherID] = ?", {v, otherId});
        const QString was = old->text("OtherValue");
        if (!l.rename || was == v) return;
        uses.transaction([&] {
            for (const QString& column : usedColumns(l))
                uses.exec("UPDATE [" + l.table + "] SET [" + column + "] = ? WHERE [" + column +
                              "] = ?" + scope(l),
                          {v, was});
        });
    });
    return refusal;
}

int CountOtherUses(AppContext& ctx, const QString& type, const OtherValue& value) {
    const OtherListInfo l = listOrBare(type);
    Database& db = OtherUseDb(ctx, l);
    const QVariant key = l.byId ? QVariant(value.id) : QVariant(value.value);
    int n = 0;
    for (const QString& column : usedColumns(l)) {
        const QVariant count = db.scalar("SELECT COUNT([" + column + "]) AS [CountEm] FROM [" +
                                             l.table + "] WHERE [" + column + "] = ?" + scope(l),
                                         {key});
        n += count.toInt();
    }
    return n;
}

int DeleteOtherData(AppContext& ctx, const QString& type, qint64 otherId) {
    Database& db = ctx.db();
    int used = 0;
    db.transaction([&] {
        const auto row = db.queryOne(SelectRow, {otherId, type});
        if (!row) return;
        used = CountOtherUses(ctx, type, valueFrom(*row));
        if (used == 0) db.exec("DELETE FROM [Other] WHERE [OtherID] = ?", {otherId});
    });
    return used;
}

} // namespace vm
