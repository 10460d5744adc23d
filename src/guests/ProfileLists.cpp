// The lists that hang around a profile: indicators, contact history, group
// logs, trips and logbook entries, and the logbook's guest look-up.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/schema/SchemaBuilder.h"
#include "guests/Groups.h"
#include "guests/Profiles.h"
#include "security/CardData.h"

#include <QHash>

namespace vm {

namespace {

ProfileIndicator IndicatorFrom(const Row& r) {
    ProfileIndicator i;
    i.id = r.number("ProfilePIID");
    i.profileId = r.number("ProfileID");
    i.isPrivate = r.flag("PublicPrivate");
    i.sequence = int(r.number("SequenceNo"));
    i.type = r.trimmedText("PreferenceType");
    i.value = r.trimmedText("PreferenceSelection");
    return i;
}

// The type's flag and place in the list; an unknown type is public and last.
std::pair<bool, int> TypeTraits(AppContext& ctx, const QString& type) {
    const std::optional<IndicatorType> t = GetPreferenceType(ctx, type);
    return t ? std::pair{t->isPrivate, t->sequence} : std::pair{false, DefaultIndicatorSequence};
}

// "No result" is the empty string itself: bound as it is, never cleaned into
// a blank, never null.  The search for open contacts compares with "".
QString StoredResult(const QString& result) {
    return result.trimmed().isEmpty() ? QString("") : CleanSqlText(result);
}

QString EscapedForLike(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == '\\' || c == '%' || c == '_') out += '\\';
        out += c;
    }
    return out;
}

} // namespace

QString ProfileLike(Engine engine, const QString& column, const QString& text,
                    QVariantList& params) {
    if (!text.contains('%') && !text.contains('_') && !text.contains('\\')) {
        QVariant pattern;
        const QString condition =
            schema::ContainsCondition(engine, "Profile", column, text, pattern);
        params << pattern;
        return condition;
    }
    // Typed wildcards are the guest's own characters: the trigram table cannot
    // take an escaped pattern, so the plain LIKE reads it.
    params << "%" + EscapedForLike(text) + "%";
    const QString qualified = "[Profile].[" + column + "]";
    return (engine == Engine::PostgreSQL ? "lower(" + qualified + "::text) LIKE lower(?)"
                                         : qualified + " LIKE ?") +
           " ESCAPE '\\'";
}

// ---- indicators ----

std::vector<ProfileIndicator> GetProfilePI(AppContext& ctx, qint64 profileId, bool includePrivate) {
    QString sql = "SELECT * FROM [ProfilePI] WHERE [ProfileID] = ?";
    QVariantList params{profileId};
    if (!includePrivate) {
        sql += " AND ([PublicPrivate] = ? OR [PublicPrivate] IS NULL)";
        params << false;
    }
    sql += " ORDER BY [SequenceNo], [PreferenceType], [PreferenceSelection]";
    std::vector<ProfileIndicator> out;
    for (const Row& r : ctx.db().query(sql, params))
        out.push_back(IndicatorFrom(r));
    return out;
}

QString ProfileIndicatorValue(AppContext& ctx, qint64 profileId, const QString& type) {
    const auto row =
        ctx.db().queryOne("SELECT [PreferenceSelection] FROM [ProfilePI] WHERE [ProfileID] = ? AND "
                          "[PreferenceType] = ? ORDER BY [SequenceNo], [PreferenceSelection]",
                          {profileId, type.trimmed()});
    return row ? StoredText(row->text("PreferenceSelection")) : QString();
}

qint64 InsertProfilePI(AppContext& ctx, qint64 profileId, const QString& type,
                       const QString& value) {
    const auto [isPrivate, sequence] = TypeTraits(ctx, type);
    return ctx.db().insert(
        "INSERT INTO [ProfilePI] ([ProfileID], [PublicPrivate], [SequenceNo], "
        "[PreferenceType], [PreferenceSelection]) VALUES (?, ?, ?, ?, ?)",
        {profileId, isPrivate, sequence, CleanSqlText(type), CleanSqlText(value)}, "ProfilePIID");
}

void UpdateProfilePI(AppContext& ctx, qint64 indicatorId, const QString& type,
                     const QString& value) {
    const auto [isPrivate, sequence] = TypeTraits(ctx, type);
    ctx.db().exec("UPDATE [ProfilePI] SET [PublicPrivate] = ?, [SequenceNo] = ?, "
                  "[PreferenceType] = ?, [PreferenceSelection] = ? WHERE [ProfilePIID] = ?",
                  {isPrivate, sequence, CleanSqlText(type), CleanSqlText(value), indicatorId});
}

void DeleteProfilePI(AppContext& ctx, qint64 indicatorId) {
    ctx.db().exec("DELETE FROM [ProfilePI] WHERE [ProfilePIID] = ?", {indicatorId});
}

bool IndicatorIsCardNumber(AppContext&, const QString& value) {
    // Any value of 13 digits or more once its separators are gone is tested:
    // 13- and 14-digit cards exist, and a test from 15 characters on let them
    // be stored in the clear.
    QString digits = value.trimmed();
    digits.remove(' ').remove('-').remove('.');
    if (digits.size() >= 13 && StripNonDigits(digits) == digits && !CardType(digits).isEmpty() &&
        LuhnCheck(digits))
        return true;
    // A number inside a longer text is a card number just the same.
    return CheckForCCNumber(value, true);
}

// ---- contact history ----

std::vector<ContactHistoryRow> GetProfileCH(AppContext& ctx, qint64 profileId) {
    std::vector<ContactHistoryRow> out;
    for (const Row& r : ctx.db().query("SELECT * FROM [ProfileCH] WHERE [ProfileID] = ? "
                                       "ORDER BY [ContactDate] DESC, [ContactHistoryID] DESC",
                                       {profileId})) {
        ContactHistoryRow c;
        c.id = r.number("ContactHistoryID");
        c.profileId = r.number("ProfileID");
        // Rows written by older programs may hold the date as stored text.
        QDate d = r.dateTime("ContactDate").date();
        if (!d.isValid()) d = Formats::ParseStoredDate(r.text("ContactDate"));
        c.date = Formats::StoredDate(d);
        c.type = r.trimmedText("ContactType");
        c.result = r.trimmedText("ContactResult");
        out.push_back(c);
    }
    return out;
}

qint64 InsertProfileCH(AppContext& ctx, qint64 profileId, const QDate& date, const QString& type,
                       const QString& result) {
    return ctx.db().insert("INSERT INTO [ProfileCH] ([ProfileID], [ContactDate], [ContactType], "
                           "[ContactResult]) VALUES (?, ?, ?, ?)",
                           {profileId, date, CleanSqlText(type), StoredResult(result)},
                           "ContactHistoryID");
}

void UpdateProfileCH(AppContext& ctx, qint64 id, const QDate& date, const QString& type,
                     const QString& result) {
    ctx.db().exec("UPDATE [ProfileCH] SET [ContactType] = ?, [ContactResult] = ?, "
                  "[ContactDate] = ? WHERE [ContactHistoryID] = ?",
                  {CleanSqlText(type), StoredResult(result), date, id});
}

void DeleteProfileCH(AppContext& ctx, qint64 id) {
    ctx.db().exec("DELETE FROM [ProfileCH] WHERE [ContactHistoryID] = ?", {id});
}

int DeleteProfileCHBefore(AppContext& ctx, qint64 profileId, const QDate& before) {
    return ctx.db().exec("DELETE FROM [ProfileCH] WHERE [ProfileID] = ? AND [ContactDate] < ?",
                         {profileId, before});
}

int InsertRecurringContacts(AppContext& ctx, qint64 profileId, const QString& type,
                            const std::vector<QDate>& dates) {
    if (dates.size() > size_t(MaxRecurringContacts)) return -1;
    Database& db = ctx.db();
    db.transaction([&] {
        for (const QDate& d : dates)
            db.exec("INSERT INTO [ProfileCH] ([ProfileID], [ContactDate], [ContactType], "
                    "[ContactResult]) VALUES (?, ?, ?, ?)",
                    {profileId, d, CleanSqlText(type), QString("")});
    });
    return int(dates.size());
}

// ---- group logs, trips and logbook entries ----

std::vector<ProfileGroupLog> GetProfileGL(AppContext& ctx, qint64 profileId) {
    std::vector<ProfileGroupLog> out;
    for (const Row& r : ctx.db().query(
             "SELECT gl.[ProfileGLID], gl.[GroupID], gl.[CreationDate], g.[GroupName] "
             "FROM [ProfileGL] gl LEFT JOIN [Group] g ON g.[GroupID] = gl.[GroupID] "
             "WHERE gl.[ProfileID] = ? ORDER BY gl.[CreationDate] DESC, gl.[ProfileGLID] DESC",
             {profileId})) {
        ProfileGroupLog g;
        g.id = r.number("ProfileGLID");
        g.groupId = r.number("GroupID");
        g.groupName = r.trimmedText("GroupName");
        g.created = r.trimmedText("CreationDate");
        out.push_back(g);
    }
    return out;
}

std::vector<ProfileTrip> GetTripHistory(AppContext& ctx, qint64 profileId) {
    std::vector<ProfileTrip> out;
    for (const Row& r : ctx.db().query("SELECT [Confirmation], [ArrivalDate], [DepartureDate] "
                                       "FROM [ProfileTH] WHERE [ProfileID] = ? "
                                       "ORDER BY [ArrivalDate] DESC, [ProfileTHID] DESC",
                                       {profileId}))
        out.push_back({r.trimmedText("Confirmation"), r.trimmedText("ArrivalDate"),
                       r.trimmedText("DepartureDate")});
    return out;
}

std::vector<ProfileLogbookRow> GetProfileLB(AppContext& ctx, qint64 profileId, LogSource source) {
    Database* db = source == LogSource::Archive ? ctx.archive.get() : ctx.current.get();
    std::vector<ProfileLogbookRow> out;
    if (!db) return out;
    std::vector<std::pair<ProfileLogbookRow, qint64>> rows;
    for (const Row& r : db->query("SELECT [LogID], [ReferDate], [EntryType], [GroupID] "
                                  "FROM [LogBook] WHERE [ProfileID] = ? "
                                  "ORDER BY [ReferDate] DESC, [LogID] DESC",
                                  {profileId}))
        rows.push_back({{r.number("LogID"), r.trimmedText("ReferDate"),
                         r.trimmedText("EntryType"), QString()},
                        r.number("GroupID")});
    // Groups live in the current database, also for archived entries.
    QHash<qint64, QString> groups;
    for (auto& [row, groupId] : rows) {
        if (groupId != 0) {
            if (!groups.contains(groupId)) groups.insert(groupId, GetGroupName(ctx, groupId));
            row.groupName = groups.value(groupId);
        }
        out.push_back(row);
    }
    return out;
}

// ---- the logbook's guest look-up ----

std::vector<GuestSelection> GetGuestSelections(AppContext& ctx, const QString& guestId,
                                               const QString& lastName) {
    Database& db = ctx.db();
    QVariantList params{QStringLiteral("Arrival Date"), QStringLiteral("Departure Date")};
    QString where;
    if (!guestId.trimmed().isEmpty()) {
        where = "EXISTS (SELECT 1 FROM [ProfilePI] g WHERE g.[ProfileID] = [Profile].[ProfileID] "
                "AND g.[PreferenceType] = ? AND g.[PreferenceSelection] = ?)";
        params << QStringLiteral("GuestID") << CleanSqlText(guestId);
    } else if (!lastName.trimmed().isEmpty()) {
        where = ProfileLike(db.engine(), "LastName", lastName.trimmed(), params);
    } else {
        return {};
    }
    std::vector<GuestSelection> out;
    for (const Row& r :
         db.query("SELECT [Profile].[ProfileID], [Salutation], [FirstName], [LastName], [CityS], "
                  "[StateS], [DocumentLink], "
                  "(SELECT MIN(a.[PreferenceSelection]) FROM [ProfilePI] a WHERE a.[ProfileID] = "
                  "[Profile].[ProfileID] AND a.[PreferenceType] = ?) AS [Arrival], "
                  "(SELECT MIN(d.[PreferenceSelection]) FROM [ProfilePI] d WHERE d.[ProfileID] = "
                  "[Profile].[ProfileID] AND d.[PreferenceType] = ?) AS [Departure] "
                  "FROM [Profile] WHERE " +
                      where + " ORDER BY [FirstName], [LastName]",
                  params)) {
        GuestSelection g;
        g.profileId = r.number("ProfileID");
        g.salutation = r.trimmedText("Salutation");
        g.firstName = r.trimmedText("FirstName");
        g.lastName = r.trimmedText("LastName");
        g.city = r.trimmedText("CityS");
        g.state = r.trimmedText("StateS");
        g.arrival = r.trimmedText("Arrival");
        g.departure = r.trimmedText("Departure");
        g.unit = r.trimmedText("DocumentLink");
        out.push_back(g);
    }
    return out;
}

} // namespace vm
