#include "guests/Contacts.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "guests/DocumentLinks.h"
#include "guests/OtherLists.h"
#include "guests/PhoneFormat.h"

namespace vm {

namespace {

const QStringList& ContactTexts() {
    static const QStringList kinds{TextKind::ContactNotes, TextKind::ContactDirections,
                                   TextKind::ContactGuestList};
    return kinds;
}

// Columns every save writes, with their values as stored.
QList<QPair<QString, QVariant>> EditableColumns(const Contact& c) {
    return {
        {"ContactName", CleanSqlText(c.name)},
        {"NickName", CleanSqlText(c.nickName)},
        {"Address", CleanSqlText(c.address)},
        {"CrossStreets", CleanSqlText(c.crossStreets)},
        {"City", CleanSqlText(c.city)},
        {"State", CleanSqlText(c.state)},
        {"Country", CleanSqlText(c.country)},
        {"PostalCode", CleanSqlText(c.postalCode)},
        {"Affiliation", CleanSqlText(c.affiliation)},
        {"CommissionType", QString::number(c.language)},
        {"OTRestaurantID", c.otRestaurantId},
        {"Rating", c.rating},
        {"Ranking", c.ranking},
        {"Proximity", CleanSqlText(c.proximity)},
        {"KeywordSet", CleanSqlText(c.keywordSet)},
        {"PublicPrivate", c.isPrivate},
        {"Commissionable", c.printOnGuestList},
        {"IsReserved", c.colorCode},
        {"IsClosed", c.isClosed},
        {"GraphicFile", CleanSqlText(c.graphicFile)},
        {"DocumentLink", CleanSqlText(c.area)},
        {"LUInitials", c.luInitials},
        {"UpdateDate", c.updateDate},
        {"GuestInfo", CleanSqlText(c.guestInfo)},
        {"OTCuisine", CleanSqlText(c.otCuisine)},
        {"OTNeighborhood", CleanSqlText(c.otNeighborhood)},
        {"OTPrice", CleanSqlText(c.otPrice)},
        {"OTHost", CleanSqlText(c.otHost)},
    };
}

// The screen shows what the database keeps: the cleaned texts, trimmed.
void ApplyStoredForms(Contact& c) {
    for (QString* s :
         {&c.name, &c.nickName, &c.address, &c.crossStreets, &c.city, &c.state, &c.country,
          &c.postalCode, &c.affiliation, &c.area, &c.keywordSet, &c.proximity, &c.graphicFile,
          &c.guestInfo, &c.otCuisine, &c.otNeighborhood, &c.otPrice, &c.otHost})
        *s = StoredText(CleanSqlText(*s));
}

void PutContactTexts(AppContext& ctx, const Contact& c) {
    PutECT(ctx, c.id, TextKind::ContactNotes, c.notes);
    PutECT(ctx, c.id, TextKind::ContactDirections, c.directions);
    PutECT(ctx, c.id, TextKind::ContactGuestList, c.guestListText);
}

void StampUpdate(AppContext& ctx, Contact& c) {
    c.luInitials = ctx.session.initials;
    c.updateDate = Formats::StoredDate(ctx.clock().now().date());
}

QStringList KeywordItems(const QString& keywordSet) {
    QStringList items;
    for (const QString& k : keywordSet.split(','))
        if (!k.trimmed().isEmpty()) items << k.trimmed();
    return items;
}

bool ContainsIgnoringCase(const QStringList& list, const QString& value) {
    return list.contains(value.trimmed(), Qt::CaseInsensitive);
}

Contact ContactFromRow(const Row& r) {
    Contact c;
    c.id = r.number("ContactID");
    c.name = r.trimmedText("ContactName");
    c.nickName = r.trimmedText("NickName");
    c.address = r.trimmedText("Address");
    c.crossStreets = r.trimmedText("CrossStreets");
    c.city = r.trimmedText("City");
    c.state = r.trimmedText("State");
    c.country = r.trimmedText("Country");
    c.postalCode = r.trimmedText("PostalCode");
    c.affiliation = r.trimmedText("Affiliation");
    c.language = r.trimmedText("CommissionType").toInt();
    c.area = r.trimmedText("DocumentLink");
    c.keywordSet = r.trimmedText("KeywordSet");
    c.rating = int(r.number("Rating"));
    c.ranking = int(r.number("Ranking"));
    c.proximity = r.trimmedText("Proximity");
    c.isPrivate = r.flag("PublicPrivate");
    c.printOnGuestList = r.flag("Commissionable");
    c.colorCode = r.flag("IsReserved");
    c.isClosed = r.flag("IsClosed");
    c.graphicFile = r.trimmedText("GraphicFile");
    c.guestInfo = r.trimmedText("GuestInfo");
    c.enteredBy = r.trimmedText("EnteredBy");
    c.entryDate = r.trimmedText("EntryDate");
    c.entryTime = r.trimmedText("EntryTime");
    c.luInitials = r.trimmedText("LUInitials");
    c.updateDate = r.trimmedText("UpdateDate");
    c.otRestaurantId = r.number("OTRestaurantID");
    c.otCuisine = r.trimmedText("OTCuisine");
    c.otNeighborhood = r.trimmedText("OTNeighborhood");
    c.otPrice = r.trimmedText("OTPrice");
    c.otHost = r.trimmedText("OTHost");
    c.rowVersion = r.number(RowVersionColumn);
    return c;
}

} // namespace

const QStringList& ContactLanguages() {
    static const QStringList l{"English",    "French",  "German",      "Italian",
                               "Portuguese", "Spanish", "User Defined"};
    return l;
}

const QStringList& ContactRatings() {
    static const QStringList l{"(n/r = Not Rated)", "1", "2", "3", "4", "5"};
    return l;
}

const QStringList& ContactRankings() {
    static const QStringList l{"At the Top", "Near the Top", "In the Middle", "Near the Bottom",
                               "At the Bottom"};
    return l;
}

std::optional<Contact> GetTheContact(AppContext& ctx, qint64 id) {
    Database& db = ctx.contactsDb();
    std::optional<Contact> c;
    db.snapshot([&] {
        const auto row = db.queryOne("SELECT * FROM [Contact] WHERE [ContactID] = ?", {id});
        if (!row) return;
        c = ContactFromRow(*row);
        c->notes = GetECT(ctx, id, TextKind::ContactNotes);
        c->directions = GetECT(ctx, id, TextKind::ContactDirections);
        c->guestListText = GetECT(ctx, id, TextKind::ContactGuestList);
    });
    return c;
}

bool VertilincEnabled(AppContext& ctx) {
    return GetVmSetting(ctx.db(), VertilincSettingKey)
               .trimmed()
               .compare("true", Qt::CaseInsensitive) == 0;
}

QString MsgVertilincKeywords(const QStringList& keywords) {
    return "The Vertilinc Interface has been enabled.\r\n\r\n"
           "You must use ONE, and only one, of the Vertilinc Keywords to describe this "
           "contact.  The Keywords are:\r\n\r\n" +
           keywords.join("\r\n");
}

QString MsgVertilincTypes(const QStringList& types) {
    return "The Vertilinc Interface has been enabled.\r\n\r\n"
           "You must use ALL of the Vertilinc Contact Types to describe this contact.  The "
           "Types are:\r\n\r\n" +
           types.join("\r\n");
}

QString CheckContact(AppContext& ctx, const Contact& c, std::optional<int> loadedLanguage) {
    if (c.name.trimmed().isEmpty()) return MsgContactNameMissing;
    if (c.keywordSet.trimmed().isEmpty()) return MsgContactKeywordsMissing;
    if (loadedLanguage && *loadedLanguage != c.language) return MsgContactLanguageChanged;
    if (!VertilincEnabled(ctx)) return {};

    // An empty list asks nothing: the rule names the values the desk set up.
    const QStringList vlKeywords = GetOtherValues(ctx, "VLKeyword");
    if (!vlKeywords.isEmpty()) {
        int used = 0;
        for (const QString& k : KeywordItems(c.keywordSet))
            if (ContainsIgnoringCase(vlKeywords, k)) ++used;
        if (used != 1) return MsgVertilincKeywords(vlKeywords);
    }
    // Extra data can only be added once the contact is saved, so a new
    // contact has none yet: the types are asked of stored contacts only.
    const QStringList vlTypes = GetOtherValues(ctx, "VLContact");
    if (c.id > 0 && !vlTypes.isEmpty()) {
        QStringList have;
        for (const ContactValue& v : GetCurrentContactValues(ctx, c.id))
            if (!v.data.trimmed().isEmpty()) have << v.typeName;
        for (const QString& t : vlTypes)
            if (!ContainsIgnoringCase(have, t)) return MsgVertilincTypes(vlTypes);
    }
    return {};
}

qint64 InsertContact(AppContext& ctx, Contact& c) {
    const QDateTime now = ctx.clock().now();
    Contact stored = c;
    stored.enteredBy = ctx.session.initials;
    stored.entryDate = Formats::StoredDate(now.date());
    stored.entryTime = Formats::Time24(now.time());
    StampUpdate(ctx, stored);

    QList<QPair<QString, QVariant>> columns = EditableColumns(stored);
    columns << QPair<QString, QVariant>{"EnteredBy", stored.enteredBy}
            << QPair<QString, QVariant>{"EntryDate", stored.entryDate}
            << QPair<QString, QVariant>{"EntryTime", stored.entryTime};
    QStringList names, marks;
    QVariantList values;
    for (const auto& [name, value] : columns) {
        names << "[" + name + "]";
        marks << "?";
        values << value;
    }
    Database& db = ctx.contactsDb();
    db.transaction([&] {
        stored.id = db.insert("INSERT INTO [Contact] (" + names.join(", ") + ") VALUES (" +
                                  marks.join(", ") + ")",
                              values, "ContactID");
        PutContactTexts(ctx, stored);
    });
    stored.rowVersion = 0;
    ApplyStoredForms(stored);
    c = stored;
    return c.id;
}

VersionedResult UpdateContact(AppContext& ctx, Contact& c) {
    Contact stored = c;
    StampUpdate(ctx, stored);
    VersionedUpdate update("Contact", "ContactID", stored.id, stored.rowVersion);
    for (const auto& [name, value] : EditableColumns(stored))
        update.set(name, value);
    Database& db = ctx.contactsDb();
    VersionedResult result = VersionedResult::Updated;
    db.transaction([&] {
        result = update.run(db);
        if (result == VersionedResult::Updated) PutContactTexts(ctx, stored);
    });
    if (result != VersionedResult::Updated) return result;
    stored.rowVersion = update.newVersion();
    ApplyStoredForms(stored);
    c = stored;
    return result;
}

bool DeleteContact(AppContext& ctx, qint64 id) {
    Database& db = ctx.contactsDb();
    Database& local = ctx.db();
    const bool ticklersHere = local.tableExists("TicklerNotes");
    // Tickler notes are the property's own; when contacts are shared they
    // live in another database and go in a transaction of their own.
    auto deleteTicklers = [&] {
        if (ticklersHere)
            local.exec("DELETE FROM [TicklerNotes] WHERE [FromType] = 'C' AND [FromID] = ?", {id});
    };
    QString name;
    bool found = false;
    db.transaction([&] {
        const auto row =
            db.queryOne("SELECT [ContactName] FROM [Contact] WHERE [ContactID] = ?", {id});
        if (!row) return;
        found = true;
        name = StoredText(row->text("ContactName"));
        db.exec("DELETE FROM [Contact] WHERE [ContactID] = ?", {id});
        db.exec("DELETE FROM [ContactData] WHERE [ContactID] = ?", {id});
        DeleteECT(ctx, id, ContactTexts());
        // A later contact must not inherit the links of this one.
        DocumentLinksDb(ctx, DocKind::Contact)
            .exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = ?",
                  {id, DocKind::Contact});
        if (&local == &db) deleteTicklers();
    });
    if (!found) return false;
    if (&local != &db) local.transaction(deleteTicklers);
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name + " Deleted the Contact: " + name +
                   " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
    return true;
}

qint64 CloneContact(AppContext& ctx, qint64 id, int language) {
    const std::optional<Contact> original = GetTheContact(ctx, id);
    if (!original) return 0;
    Contact copy = *original;
    copy.id = 0;
    copy.language = language;
    Database& db = ctx.contactsDb();
    db.transaction([&] {
        InsertContact(ctx, copy);
        InsertCloneDocument(ctx, id, copy.id);
    });
    return copy.id;
}

std::vector<ContactValue> GetCurrentContactValues(AppContext& ctx, qint64 contactId) {
    std::vector<ContactValue> values;
    for (const Row& r : ctx.contactsDb().query(
             "SELECT t.[TypeID], t.[ContactType], t.[TypeOfType], t.[Sequence], d.[ContactData], "
             "d.[PublicPrivate] FROM [ContactData] d, [ContactType] t "
             "WHERE d.[ContactID] = ? AND d.[TypeID] = t.[TypeID] "
             "ORDER BY t.[Sequence], t.[ContactType]",
             {contactId})) {
        ContactValue v;
        v.typeId = r.number("TypeID");
        v.typeName = r.trimmedText("ContactType");
        v.kind = r.trimmedText("TypeOfType");
        v.sequence = int(r.number("Sequence"));
        v.data = r.trimmedText("ContactData");
        v.isPrivate = r.flag("PublicPrivate");
        values.push_back(v);
    }
    return values;
}

std::optional<ContactValue> GetCurrentContactValue(AppContext& ctx, qint64 contactId,
                                                   qint64 typeId) {
    for (const ContactValue& v : GetCurrentContactValues(ctx, contactId))
        if (v.typeId == typeId) return v;
    return std::nullopt;
}

QString ContactValueForKind(AppContext& ctx, const QString& kind, const QString& typed) {
    if (kind.trimmed().compare("T", Qt::CaseInsensitive) != 0) return typed.trimmed();
    return FormatPhoneNumber(typed.trimmed(), GetTextSetting(ctx.db(), "DefaultCountry"),
                             GetTextSetting(ctx.db(), "DefaultAreaCode"));
}

void SetContactValue(AppContext& ctx, qint64 contactId, qint64 typeId, const QString& data,
                     bool isPrivate) {
    Database& db = ctx.contactsDb();
    const QString stored = CleanSqlText(data);
    db.transaction([&] {
        const int updated =
            db.exec("UPDATE [ContactData] SET [ContactData] = ?, [PublicPrivate] = ? "
                    "WHERE [ContactID] = ? AND [TypeID] = ?",
                    {stored, isPrivate, contactId, typeId});
        if (updated == 0)
            db.exec("INSERT INTO [ContactData] ([ContactID], [TypeID], [ContactData], "
                    "[PublicPrivate]) VALUES (?, ?, ?, ?)",
                    {contactId, typeId, stored, isPrivate});
    });
}

bool DeleteContactValue(AppContext& ctx, qint64 contactId, qint64 typeId) {
    return ctx.contactsDb().exec("DELETE FROM [ContactData] WHERE [ContactID] = ? AND [TypeID] = ?",
                                 {contactId, typeId}) > 0;
}

} // namespace vm
