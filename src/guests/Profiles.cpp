#include "guests/Profiles.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/TextLog.h"
#include "guests/DocumentLinks.h"
#include "security/CardData.h"

namespace vm {

namespace {

const QString GuestPicture = QStringLiteral("Guest Picture");

// The profile's own tables, in the order a delete empties them.
const QStringList& SatelliteTables() {
    static const QStringList t{"ProfileCC",  "ProfileCH", "ProfileGL",
                               "ProfileLCD", "ProfilePI", "ProfileTH"};
    return t;
}

QList<QString*> AddressFields(ProfileAddress& a) {
    return {&a.line1, &a.line2, &a.city, &a.state, &a.country, &a.postalCode};
}

// Every text of the row the screen types (the colour literal is not typed
// and keeps its "&").
QList<QString*> TypedTexts(Profile& p) {
    QList<QString*> t{&p.firstName,
                      &p.lastName,
                      &p.salutation,
                      &p.unit,
                      &p.email,
                      &p.emailB,
                      &p.homePhone,
                      &p.faxPhone,
                      &p.businessPhone,
                      &p.cellPhone,
                      &p.otherPhone,
                      &p.title,
                      &p.company,
                      &p.asstName,
                      &p.asstEmail,
                      &p.asstCellPhone,
                      &p.asstBusinessPhone,
                      &p.asstFaxPhone,
                      &p.profileType};
    for (ProfileAddress* a : {&p.home, &p.business, &p.other})
        t << AddressFields(*a);
    return t;
}

void AddAddressColumns(QList<QPair<QString, QVariant>>& c, const ProfileAddress& a,
                       const QStringList& names) {
    const QStringList values{a.line1, a.line2, a.city, a.state, a.country, a.postalCode};
    for (int i = 0; i < names.size(); ++i)
        c << QPair<QString, QVariant>{names[i], CleanSqlText(values[i])};
}

const QStringList HomeColumns{"Address", "Address2", "City", "State", "Country", "PostalCode"};
const QStringList BusinessColumns{"Address12", "Address22", "City2",
                                  "State2",    "Country2",  "PostalCode2"};
const QStringList OtherColumns{"Address13", "Address23", "City3",
                               "State3",    "Country3",  "PostalCode3"};
const QStringList PrimaryColumns{"Address1S", "Address2S", "CityS",
                                 "StateS",    "CountryS",  "PostalCodeS"};

// Every column a save writes, with its stored value.
QList<QPair<QString, QVariant>> ProfileColumns(const Profile& p) {
    QList<QPair<QString, QVariant>> c{
        {"FirstName", CleanSqlText(p.firstName)},
        {"LastName", CleanSqlText(p.lastName)},
        {"Salutation", CleanSqlText(p.salutation)},
        {"DocumentLink", CleanSqlText(p.unit)},
    };
    AddAddressColumns(c, p.home, HomeColumns);
    AddAddressColumns(c, p.business, BusinessColumns);
    AddAddressColumns(c, p.other, OtherColumns);
    c << QPair<QString, QVariant>{"PrimaryAddress", p.primaryAddress};
    AddAddressColumns(c, p.primary(), PrimaryColumns);
    const QList<QPair<QString, QString>> texts{
        {"EmailAddress", p.email},          {"EmailAddressB", p.emailB},
        {"HomePhone", p.homePhone},         {"FaxPhone", p.faxPhone},
        {"BusinessPhone", p.businessPhone}, {"CellPhone", p.cellPhone},
        {"OtherPhone", p.otherPhone},       {"Title", p.title},
        {"AsstName", p.asstName},           {"AsstEmailAddress", p.asstEmail},
        {"AsstCellPhone", p.asstCellPhone}, {"AsstBusinessPhone", p.asstBusinessPhone},
        {"AsstFaxPhone", p.asstFaxPhone},   {"CompanyName", p.company},
        {"ProfileType", p.profileType},
    };
    for (const auto& [name, value] : texts)
        c << QPair<QString, QVariant>{name, CleanSqlText(value)};
    c << QPair<QString, QVariant>{"ProfileColor",
                                  p.color.trimmed().isEmpty() ? ProfileColorBlack : p.color}
      << QPair<QString, QVariant>{"ColorCode", p.colorCode}
      << QPair<QString, QVariant>{"PublicPrivate", p.isPrivate}
      << QPair<QString, QVariant>{"GroupID", p.groupId}
      << QPair<QString, QVariant>{"DNUSnailMail", p.dnuSnailMail}
      << QPair<QString, QVariant>{"DNUEmail", p.dnuEmail}
      << QPair<QString, QVariant>{"DNUEmailB", p.dnuEmailB}
      << QPair<QString, QVariant>{"DNUHomePhone", p.dnuHomePhone}
      << QPair<QString, QVariant>{"DNUFaxPhone", p.dnuFaxPhone}
      << QPair<QString, QVariant>{"DNUBusinessPhone", p.dnuBusinessPhone}
      << QPair<QString, QVariant>{"DNUCellPhone", p.dnuCellPhone}
      << QPair<QString, QVariant>{"DNUOtherPhone", p.dnuOtherPhone};
    return c;
}

// The screen shows what the database keeps: the cleaned texts, trimmed.
void ApplyStoredForms(Profile& p) {
    for (QString* s : TypedTexts(p))
        *s = StoredText(CleanSqlText(*s));
    if (p.color.trimmed().isEmpty()) p.color = ProfileColorBlack;
}

ProfileAddress AddressFrom(const Row& r, const QStringList& names) {
    ProfileAddress a;
    QList<QString*> fields = AddressFields(a);
    for (int i = 0; i < names.size(); ++i)
        *fields[i] = r.trimmedText(names[i]);
    return a;
}

Profile ProfileFromRow(const Row& r) {
    Profile p;
    p.id = r.number("ProfileID");
    p.firstName = r.trimmedText("FirstName");
    p.lastName = r.trimmedText("LastName");
    p.salutation = r.trimmedText("Salutation");
    p.unit = r.trimmedText("DocumentLink");
    p.home = AddressFrom(r, HomeColumns);
    p.business = AddressFrom(r, BusinessColumns);
    p.other = AddressFrom(r, OtherColumns);
    p.primaryAddress = int(r.number("PrimaryAddress"));
    p.email = r.trimmedText("EmailAddress");
    p.emailB = r.trimmedText("EmailAddressB");
    p.homePhone = r.trimmedText("HomePhone");
    p.faxPhone = r.trimmedText("FaxPhone");
    p.businessPhone = r.trimmedText("BusinessPhone");
    p.cellPhone = r.trimmedText("CellPhone");
    p.otherPhone = r.trimmedText("OtherPhone");
    p.title = r.trimmedText("Title");
    p.company = r.trimmedText("CompanyName");
    p.asstName = r.trimmedText("AsstName");
    p.asstEmail = r.trimmedText("AsstEmailAddress");
    p.asstCellPhone = r.trimmedText("AsstCellPhone");
    p.asstBusinessPhone = r.trimmedText("AsstBusinessPhone");
    p.asstFaxPhone = r.trimmedText("AsstFaxPhone");
    p.profileType = r.trimmedText("ProfileType");
    p.color = r.trimmedText("ProfileColor");
    if (p.color.isEmpty()) p.color = ProfileColorBlack;
    p.colorCode = r.flag("ColorCode");
    p.isPrivate = r.flag("PublicPrivate");
    p.groupId = r.number("GroupID");
    p.dnuSnailMail = r.flag("DNUSnailMail");
    p.dnuEmail = r.flag("DNUEmail");
    p.dnuEmailB = r.flag("DNUEmailB");
    p.dnuHomePhone = r.flag("DNUHomePhone");
    p.dnuFaxPhone = r.flag("DNUFaxPhone");
    p.dnuBusinessPhone = r.flag("DNUBusinessPhone");
    p.dnuCellPhone = r.flag("DNUCellPhone");
    p.dnuOtherPhone = r.flag("DNUOtherPhone");
    p.rowVersion = r.number(RowVersionColumn);
    return p;
}

bool IsBlank(const ProfileAddress& a) {
    for (QString* s : AddressFields(const_cast<ProfileAddress&>(a)))
        if (!s->trimmed().isEmpty()) return false;
    return true;
}

// `into` completed by `from`: blank texts and address sets take the other's,
// a missing group the other's group.  The private flag and the do-not-use
// flags are kept when either profile had them: merging must not publish a
// private guest nor contact one who asked not to be.
Profile Combined(const Profile& into, const Profile& from) {
    Profile m = into;
    Profile source = from;
    QList<QString*> mine = TypedTexts(m);
    const QList<QString*> theirs = TypedTexts(source);
    // The address sets are the last eighteen texts: they go as whole sets.
    const int addressTexts = 18;
    for (int i = 0; i < mine.size() - addressTexts; ++i)
        if (mine[i]->trimmed().isEmpty()) *mine[i] = *theirs[i];
    for (auto [a, b] : {std::pair{&m.home, &from.home}, std::pair{&m.business, &from.business},
                        std::pair{&m.other, &from.other}})
        if (IsBlank(*a)) *a = *b;
    if (m.groupId == 0) m.groupId = from.groupId;
    if (!m.colorCode && from.colorCode) {
        m.colorCode = true;
        m.color = from.color;
    }
    m.isPrivate = into.isPrivate || from.isPrivate;
    for (auto [a, b] :
         {std::pair{&m.dnuSnailMail, from.dnuSnailMail}, std::pair{&m.dnuEmail, from.dnuEmail},
          std::pair{&m.dnuEmailB, from.dnuEmailB}, std::pair{&m.dnuHomePhone, from.dnuHomePhone},
          std::pair{&m.dnuFaxPhone, from.dnuFaxPhone},
          std::pair{&m.dnuBusinessPhone, from.dnuBusinessPhone},
          std::pair{&m.dnuCellPhone, from.dnuCellPhone},
          std::pair{&m.dnuOtherPhone, from.dnuOtherPhone}})
        *a = *a || b;
    if (m.notes.trimmed().isEmpty())
        m.notes = from.notes;
    else if (!from.notes.trimmed().isEmpty())
        m.notes = m.notes + CRLF + from.notes;
    return m;
}

// A card of the profile re-keyed for another profile (the card cipher's record
// value is the profile's key).
struct RekeyedCard {
    qint64 id = 0;
    QString encCC, encExp;
};

// Empty optional when a stored number could not be read or written again (the
// cipher has said why).
std::optional<std::vector<RekeyedCard>> RekeyCards(AppContext& ctx, qint64 from, qint64 into) {
    std::vector<RekeyedCard> out;
    const QString oldRecord = QString::number(from), newRecord = QString::number(into);
    auto rekey = [&](const QString& stored, QString& to) {
        if (stored.trimmed().isEmpty()) return true;
        const QString clear = DecryptCC(ctx, stored, oldRecord);
        if (clear.isEmpty()) return false;
        to = EncryptCC(ctx, clear, newRecord);
        return !to.isEmpty();
    };
    for (const Row& r : ctx.db().query(
             "SELECT [ProfileCCID], [EncCC], [EncExp] FROM [ProfileCC] WHERE [ProfileID] = ?",
             {from})) {
        RekeyedCard c;
        c.id = r.number("ProfileCCID");
        if (!rekey(r.text("EncCC"), c.encCC) || !rekey(r.text("EncExp"), c.encExp))
            return std::nullopt;
        out.push_back(c);
    }
    return out;
}

struct MergeAbandoned {};

void UnlinkOrMoveLogbook(Database& db, qint64 from, qint64 to) {
    db.exec("UPDATE [LogBook] SET [ProfileID] = ? WHERE [ProfileID] = ?", {to, from});
}

void MoveArchivedEntries(AppContext& ctx, qint64 from, qint64 to) {
    if (!ctx.archive || !ctx.archive->tableExists("LogBook")) return;
    ctx.archive->transaction([&] { UnlinkOrMoveLogbook(*ctx.archive, from, to); });
}

QString JoinedNonEmpty(const QStringList& parts, const QString& separator) {
    QStringList kept;
    for (const QString& s : parts)
        if (!s.trimmed().isEmpty()) kept << s.trimmed();
    return kept.join(separator);
}

} // namespace

const ProfileAddress& Profile::primary() const {
    switch (primaryAddress) {
    case 1:
        return business;
    case 2:
        return other;
    default:
        return home;
    }
}

QString CityStatePostal(const ProfileAddress& a) {
    QString line = JoinedNonEmpty({a.city, a.state}, ", ");
    if (!a.postalCode.trimmed().isEmpty())
        line += (line.isEmpty() ? "" : "  ") + a.postalCode.trimmed();
    return line;
}

std::optional<Profile> GetProfile(AppContext& ctx, qint64 id) {
    Database& db = ctx.db();
    std::optional<Profile> p;
    db.snapshot([&] {
        const auto row = db.queryOne("SELECT * FROM [Profile] WHERE [ProfileID] = ?", {id});
        if (!row) return;
        p = ProfileFromRow(*row);
        p->notes = GetECT(ctx, id, TextKind::ProfileNotes);
    });
    return p;
}

QString CheckProfile(const Profile& p) {
    if (p.lastName.trimmed().isEmpty()) return MsgProfileLastName;
    if (p.firstName.trimmed().isEmpty()) return MsgProfileFirstName;
    return {};
}

qint64 InsertProfile(AppContext& ctx, Profile& p) {
    Profile stored = p;
    QStringList names, marks;
    QVariantList values;
    for (const auto& [name, value] : ProfileColumns(stored)) {
        names << "[" + name + "]";
        marks << "?";
        values << value;
    }
    Database& db = ctx.db();
    db.transaction([&] {
        // The engine's key for this very row: a look-up by name would find
        // another desk's twin saved at the same moment.
        stored.id = db.insert("INSERT INTO [Profile] (" + names.join(", ") + ") VALUES (" +
                                  marks.join(", ") + ")",
                              values, "ProfileID");
        PutECT(ctx, stored.id, TextKind::ProfileNotes, stored.notes);
    });
    stored.rowVersion = 0;
    ApplyStoredForms(stored);
    p = stored;
    return p.id;
}

VersionedResult UpdateProfile(AppContext& ctx, Profile& p) {
    Profile stored = p;
    VersionedUpdate update("Profile", "ProfileID", stored.id, stored.rowVersion);
    for (const auto& [name, value] : ProfileColumns(stored))
        update.set(name, value);
    Database& db = ctx.db();
    VersionedResult result = VersionedResult::Updated;
    db.transaction([&] {
        result = update.run(db);
        if (result == VersionedResult::Updated)
            PutECT(ctx, stored.id, TextKind::ProfileNotes, stored.notes);
    });
    if (result != VersionedResult::Updated) return result;
    stored.rowVersion = update.newVersion();
    ApplyStoredForms(stored);
    p = stored;
    return result;
}

bool DeleteProfile(AppContext& ctx, qint64 id) {
    Database& db = ctx.db();
    std::optional<Row> row;
    db.transaction([&] {
        row = db.queryOne("SELECT [FirstName], [LastName], [Address], [City], [State], "
                          "[PostalCode] FROM [Profile] WHERE [ProfileID] = ?",
                          {id});
        if (!row) return;
        for (const QString& table : SatelliteTables())
            db.exec("DELETE FROM [" + table + "] WHERE [ProfileID] = ?", {id});
        db.exec("DELETE FROM [Profile] WHERE [ProfileID] = ?", {id});
        // A later profile given the same key must not inherit these.
        DeleteECT(ctx, id, {TextKind::ProfileNotes});
        DocumentLinksDb(ctx, DocKind::Profile)
            .exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = ?",
                  {id, DocKind::Profile});
        // The entries survive, unlinked.
        UnlinkOrMoveLogbook(db, id, 0);
    });
    if (!row) return false;
    // The archive is a database of its own: its entries are unlinked once the
    // profile is really gone.
    MoveArchivedEntries(ctx, id, 0);
    // Blank columns appear as their stored single blank, as they always did.
    const Row& r = *row;
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name +
                   " Deleted the Profile Entry for: " + r.text("FirstName") + " " +
                   r.text("LastName") + " with a Home Address of: " + r.text("Address") +
                   " in: " + r.text("City") + ", " + r.text("State") + "  " + r.text("PostalCode") +
                   " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
    return true;
}

bool MergeProfiles(AppContext& ctx, qint64 into, qint64 from) {
    if (into == from || into <= 0 || from <= 0) return false;
    const std::optional<Profile> target = GetProfile(ctx, into);
    const std::optional<Profile> source = GetProfile(ctx, from);
    if (!target || !source) return false;
    // The cipher may have to speak: done before the transaction holds the lock.
    const auto cards = RekeyCards(ctx, from, into);
    if (!cards) return false;
    const Profile merged = Combined(*target, *source);

    Database& db = ctx.db();
    Database& docs = DocumentLinksDb(ctx, DocKind::Profile);
    try {
        db.transaction([&] {
            VersionedUpdate update("Profile", "ProfileID", into, target->rowVersion);
            for (const auto& [name, value] : ProfileColumns(merged))
                update.set(name, value);
            if (update.run(db) != VersionedResult::Updated) throw MergeAbandoned{};
            if (db.exec("DELETE FROM [Profile] WHERE [ProfileID] = ?", {from}) != 1)
                throw MergeAbandoned{};
            // An indicator both carry is kept once.
            db.exec("DELETE FROM [ProfilePI] WHERE [ProfileID] = ? AND EXISTS (SELECT 1 FROM "
                    "[ProfilePI] i WHERE i.[ProfileID] = ? AND i.[PreferenceType] = "
                    "[ProfilePI].[PreferenceType] AND i.[PreferenceSelection] = "
                    "[ProfilePI].[PreferenceSelection])",
                    {from, into});
            for (const QString& table :
                 QStringList{"ProfilePI", "ProfileCH", "ProfileGL", "ProfileTH", "ProfileCCV"})
                db.exec("UPDATE [" + table + "] SET [ProfileID] = ? WHERE [ProfileID] = ?",
                        {into, from});
            for (const RekeyedCard& c : *cards)
                db.exec("UPDATE [ProfileCC] SET [ProfileID] = ?, [EncCC] = ?, [EncExp] = ? "
                        "WHERE [ProfileCCID] = ?",
                        {into, c.encCC, c.encExp, c.id});
            if (db.scalar("SELECT COUNT(*) FROM [ProfileLCD] WHERE [ProfileID] = ?", {into})
                    .toInt() > 0)
                db.exec("DELETE FROM [ProfileLCD] WHERE [ProfileID] = ?", {from});
            else
                db.exec("UPDATE [ProfileLCD] SET [ProfileID] = ? WHERE [ProfileID] = ?",
                        {into, from});
            docs.transaction([&] {
                // One picture per guest: the kept profile's stays.
                if (docs.scalar("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ? AND "
                                "[SourceType] = ? AND [Description] = ?",
                                {into, DocKind::Profile, GuestPicture})
                        .toInt() > 0)
                    docs.exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] "
                              "= ? AND [Description] = ?",
                              {from, DocKind::Profile, GuestPicture});
                docs.exec("UPDATE [ContactDocs] SET [ContactID] = ? WHERE [ContactID] = ? AND "
                          "[SourceType] = ?",
                          {into, from, DocKind::Profile});
            });
            PutECT(ctx, into, TextKind::ProfileNotes, merged.notes);
            DeleteECT(ctx, from, {TextKind::ProfileNotes});
            UnlinkOrMoveLogbook(db, from, into);
        });
    } catch (const MergeAbandoned&) {
        return false;
    }
    MoveArchivedEntries(ctx, from, into);
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name + " Merged the Profile Entry for: " + source->firstName +
                   " " + source->lastName + " (ProfileID " + QString::number(from) +
                   ") into: " + target->firstName + " " + target->lastName + " (ProfileID " +
                   QString::number(into) + ") on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
    return true;
}

QStringList ProfileDisplayLines(AppContext& ctx, qint64 id) {
    const std::optional<Profile> found = GetProfile(ctx, id);
    if (!found) return {};
    const Profile& p = *found;
    const ProfileAddress& a = p.primary();
    QStringList lines{JoinedNonEmpty({p.salutation, p.firstName, p.lastName}, " "),
                      a.line1,
                      a.line2,
                      CityStatePostal(a),
                      a.country,
                      p.email,
                      p.emailB};
    const QList<QPair<QString, QString>> phones{{"Home: ", p.homePhone},
                                                {"Cell: ", p.cellPhone},
                                                {"Business: ", p.businessPhone},
                                                {"Fax: ", p.faxPhone}};
    for (const auto& [label, number] : phones)
        if (!number.trimmed().isEmpty()) lines << label + number.trimmed();
    QStringList out;
    for (const QString& l : lines)
        if (!l.trimmed().isEmpty()) out << l.trimmed();
    return out;
}

} // namespace vm
