#include "guests/ContactSearch.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/schema/SchemaBuilder.h"
#include "logbook/LogbookList.h"

namespace vm {

namespace {

// Typed values are cleaned as stored values are; nothing typed stays empty.
QString cleaned(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? QString() : CleanSqlText(t);
}

// The typed text as a LIKE pattern's literal part.
QString escapedForLike(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == '\\' || c == '%' || c == '_') out += '\\';
        out += c;
    }
    return out;
}

bool hasLikeCharacters(const QString& text) {
    return text.contains('%') || text.contains('_') || text.contains('\\');
}

QString missingInput(const QString& what) {
    return "Please " + what + " you wish to use to filter" + QString(" your selections.");
}

QString languageText(const AppContext& ctx) {
    return QString::number(ctx.session.language);
}

// Private contacts are listed for managers only.
QString privacyCondition(const AppContext& ctx, QVariantList& params) {
    if (ctx.session.manager) return {};
    params << false;
    return " AND ([Contact].[PublicPrivate] = ? OR [Contact].[PublicPrivate] IS NULL)";
}

const QString ListColumns = QStringLiteral(
    "[Contact].[ContactID], [Contact].[ContactName], [Contact].[NickName], [Contact].[Address], "
    "[Contact].[CrossStreets], [Contact].[City], [Contact].[KeywordSet], [Contact].[Proximity], "
    "[Contact].[UpdateDate], [Contact].[Rating], [Contact].[Affiliation], [Contact].[State], "
    "[Contact].[PostalCode], [Contact].[OTRestaurantID], [Contact].[IsClosed], "
    "[Contact].[IsReserved]");

QString nameWithService(const QString& name, qint64 restaurantId) {
    return restaurantId > 0 ? name + " (OT)" : name;
}

ContactRow listRow(const Row& r, ContactSort sort) {
    ContactRow row;
    qint64 id = 0, restaurant = 0, rating = 0;
    r.integer(0, id);
    r.integer(13, restaurant);
    r.integer(9, rating);
    row.id = id;
    row.cells.reserve(ContactColumnCount);
    row.cells << nameWithService(r.text(1), restaurant) << r.text(2) << r.text(3)
              << r.text(5) << r.text(6)
              << (sort == ContactSort::LastUpdated ? Formats::ShortDateOfStored(r.text(8))
                                                   : r.text(7))
              << QString::number(rating) << r.text(10) << r.text(11) << r.text(12);
    row.crossStreets = r.text(4);
    const QVariant closed = r.value(14), reserved = r.value(15);
    row.closed = !closed.isNull() && closed.toBool();
    row.reserved = !reserved.isNull() && reserved.toBool();
    return row;
}

QStringList stringColumn(Database& db, const QString& sql, const QVariantList& params = {}) {
    QStringList out;
    db.forEach(sql, params, [&](const Row& r) {
        const QString v = r.trimmedText(0);
        if (!v.isEmpty() && (out.isEmpty() || out.last().compare(v, Qt::CaseInsensitive) != 0))
            out << v;
        return true;
    });
    return out;
}

// The guest list's condition on Contact, with its values.
QString guestListWhere(const AppContext& ctx, const GuestListFilter& f, QVariantList& params) {
    QString where =
        ContactLike(ctx.contactsDb().engine(), "KeywordSet", cleaned(f.keyword), false, params);
    where += " AND [Contact].[Commissionable] = ? AND ([Contact].[IsClosed] = ? OR "
             "[Contact].[IsClosed] IS NULL) AND [Contact].[CommissionType] = ?";
    params << true << false << languageText(ctx);
    if (!f.city.trimmed().isEmpty()) {
        where += " AND [Contact].[City] = ?";
        params << f.city.trimmed();
    } else if (!f.area.trimmed().isEmpty()) {
        where += " AND [Contact].[DocumentLink] = ?";
        params << f.area.trimmed();
    }
    return where;
}

} // namespace

QString LikeCondition(Engine engine, const QString& table, const QString& column,
                      const QString& text, bool startsWith, QVariantList& params) {
    const QString qualified = "[" + table + "].[" + column + "]";
    if (!hasLikeCharacters(text)) {
        if (startsWith) {
            params << text + "%";
            // The server's case-insensitive text takes no index for LIKE; the
            // column's trigram index (on its lower case) answers a prefix too.
            const schema::Table* t = schema::Registry::all().find(table);
            if (engine == Engine::PostgreSQL && t &&
                t->substringSearch.contains(column, Qt::CaseInsensitive))
                return "lower(" + qualified + "::text) LIKE lower(?)";
            return qualified + " LIKE ?";
        }
        QVariant pattern;
        const QString condition = schema::ContainsCondition(engine, table, column, text, pattern);
        params << pattern;
        return condition;
    }
    // The trigram table cannot take an escaped pattern: the plain LIKE reads it.
    const QString literal = escapedForLike(text);
    params << (startsWith ? literal + "%" : "%" + literal + "%");
    return qualified + " LIKE ? ESCAPE '\\'";
}

QString ContactLike(Engine engine, const QString& column, const QString& text, bool startsWith,
                    QVariantList& params) {
    return LikeCondition(engine, "Contact", column, text, startsWith, params);
}

const QStringList& ContactSortCaptions() {
    static const QStringList c = {"Rank and Name", "Primary Name",   "Proximity",
                                  "Address",       "City and Name",  "Keyword",
                                  "Last Updated",  "Rating and Name"};
    return c;
}

QString ContactOrderBy(ContactSort sort) {
    switch (sort) {
    case ContactSort::RankAndName:
        return " ORDER BY [Ranking], [ContactName]";
    case ContactSort::PrimaryName:
        return " ORDER BY [ContactName]";
    case ContactSort::Proximity:
        return " ORDER BY [Proximity]";
    case ContactSort::Address:
        return " ORDER BY [Address], [ContactName]";
    case ContactSort::CityAndName:
        return " ORDER BY [City], [ContactName]";
    case ContactSort::Keyword:
        return " ORDER BY [KeywordSet]";
    case ContactSort::LastUpdated:
        return " ORDER BY [UpdateDate], [ContactName]";
    case ContactSort::RatingAndName:
        return " ORDER BY [Rating] DESC, [ContactName]";
    }
    return {};
}

BuiltContactSelection BuildContactSelection(const ContactSelection& s) {
    BuiltContactSelection out;
    QStringList parts;
    QVariantList& params = out.filter.params;
    const QString text = cleaned(s.text);
    const QString shown = s.text.trimmed();
    const bool textMode = s.by == ContactSelectBy::PrimaryName ||
                          s.by == ContactSelectBy::ContactData || s.by == ContactSelectBy::Address;
    if (textMode && text.isEmpty()) {
        out.refusal = missingInput("enter the information");
        return out;
    }
    if (s.by == ContactSelectBy::Keyword && s.keyword.trimmed().isEmpty()) {
        out.refusal = missingInput("select the keyword");
        return out;
    }
    QString& d = out.description;
    switch (s.by) {
    case ContactSelectBy::PrimaryName:
        parts << ContactLike(s.engine, "ContactName", text, s.startsWith, params);
        d = (s.startsWith ? "Where Company Name starts with " : "Where Company Name contains ") +
            shown;
        break;
    case ContactSelectBy::ContactData:
        // Contact data is always matched anywhere in the text.
        parts << ContactLike(s.engine, "NickName", text, false, params);
        d = "Where Contact Data contains " + shown;
        break;
    case ContactSelectBy::Address:
        parts << ContactLike(s.engine, "Address", text, s.startsWith, params);
        d = (s.startsWith ? "Where Address starts with " : "Where Address contains ") + shown;
        break;
    case ContactSelectBy::Keyword:
        parts << ContactLike(s.engine, "KeywordSet", s.keyword.trimmed(), false, params);
        d = "Where Search Keyword contains " + s.keyword.trimmed();
        break;
    case ContactSelectBy::OpenTable:
        parts << "[Contact].[OTRestaurantID] > ?";
        params << 0;
        d = "Where All Open Table Restaurants Have Been Selected ";
        break;
    case ContactSelectBy::None:
        break;
    }
    const QString place = s.cityOrArea.trimmed();
    if (!place.isEmpty()) {
        parts << (s.useArea ? "[Contact].[DocumentLink] = ?" : "[Contact].[City] = ?");
        params << place;
        const QString label = s.useArea ? "Area is " : "City is ";
        d += (d.isEmpty() ? "Where " : " And ") + label + place;
    }
    if (d.isEmpty()) d = "Where All Contacts Have Been Selected ";
    d += ", Sorted by " + ContactSortCaptions().value(int(s.sort));
    out.filter.clause = parts.join(" AND ");
    return out;
}

QStringList ContactRow::shownCells(bool showCrossStreets) const {
    if (!showCrossStreets) return cells;
    QStringList shown = cells;
    shown[ColCrossOrCity] = crossStreets;
    return shown;
}

QStringList ContactListHeaders(bool crossStreets, ContactSort sort) {
    return {"Primary Name", "Contact Data",
            "Address",      crossStreets ? "Cross Streets" : "City",
            "Keyword Set",  sort == ContactSort::LastUpdated ? "Last Updated" : "Proximity",
            "Rating",       "Logbook Type",
            "State",        "Postal Code"};
}

ContactStatement ContactListQuery(const AppContext& ctx, const ContactFilter& filter,
                                  ContactSort sort) {
    ContactStatement st;
    st.params << languageText(ctx);
    st.sql = "SELECT " + ListColumns + " FROM [Contact] WHERE [Contact].[CommissionType] = ?";
    if (!filter.clause.isEmpty()) {
        st.sql += " AND " + filter.clause;
        st.params << filter.params;
    }
    st.sql += privacyCondition(ctx, st.params) + ContactOrderBy(sort);
    return st;
}

ContactList GetTheContacts(AppContext& ctx, const ContactFilter& filter, ContactSort sort) {
    const ContactStatement st = ContactListQuery(ctx, filter, sort);
    ContactList list;
    ctx.contactsDb().forEach(st.sql, st.params, [&](const Row& r) {
        list.rows.push_back(listRow(r, sort));
        return true;
    });
    list.caption = CountCaption(qint64(list.rows.size()));
    return list;
}

std::optional<ContactRow> GetTheContactRow(AppContext& ctx, qint64 contactId, ContactSort sort) {
    QVariantList params{languageText(ctx), contactId};
    const QString sql = "SELECT " + ListColumns +
                        " FROM [Contact] WHERE [Contact].[CommissionType] = ? AND "
                        "[Contact].[ContactID] = ?" +
                        privacyCondition(ctx, params);
    const auto r = ctx.contactsDb().queryOne(sql, params);
    if (!r) return std::nullopt;
    return listRow(*r, sort);
}

std::vector<ContactRow> GetContactRows(AppContext& ctx, const QList<qint64>& ids,
                                       ContactSort sort) {
    QHash<qint64, ContactRow> found;
    constexpr qsizetype Chunk = 500;
    for (qsizetype at = 0; at < ids.size(); at += Chunk) {
        const QList<qint64> part = ids.mid(at, Chunk);
        QVariantList params{languageText(ctx)};
        QStringList marks;
        for (qint64 id : part) {
            marks << "?";
            params << id;
        }
        const QString sql = "SELECT " + ListColumns +
                            " FROM [Contact] WHERE [Contact].[CommissionType] = ? AND "
                            "[Contact].[ContactID] IN (" +
                            marks.join(", ") + ")" + privacyCondition(ctx, params);
        ctx.contactsDb().forEach(sql, params, [&](const Row& r) {
            ContactRow row = listRow(r, sort);
            found.insert(row.id, std::move(row));
            return true;
        });
    }
    std::vector<ContactRow> out;
    for (qint64 id : ids)
        if (auto it = found.constFind(id); it != found.constEnd()) out.push_back(*it);
    return out;
}

qint64 CountContactsOfLanguage(AppContext& ctx) {
    return ctx.contactsDb()
        .scalar("SELECT COUNT(*) FROM [Contact] WHERE [CommissionType] = ?", {languageText(ctx)})
        .toLongLong();
}

std::optional<ContactList> ListContacts(AppContext& ctx, const ContactFilter& filter,
                                        ContactSort sort, bool guardSize) {
    if (guardSize) {
        // The questions come with no read open: a member may take a while to answer.
        if (!ContactListGuard.allows(ctx.prompt(), CountContactsOfLanguage(ctx)))
            return std::nullopt;
    }
    ContactList list;
    ctx.contactsDb().snapshot([&] { list = GetTheContacts(ctx, filter, sort); });
    return list;
}

QStringList GetCityNames(AppContext& ctx) {
    return stringColumn(ctx.contactsDb(),
                        "SELECT DISTINCT [City] FROM [Contact] WHERE [City] IS NOT NULL AND "
                        "[City] <> '' ORDER BY [City]");
}

std::vector<GuestListContact> GetGuestListData(AppContext& ctx, const GuestListFilter& f) {
    QVariantList params;
    const QString where = guestListWhere(ctx, f, params);
    std::vector<GuestListContact> out;
    ctx.contactsDb().forEach("SELECT [Contact].[ContactName], [Contact].[ContactID] FROM "
                             "[Contact] WHERE " +
                                 where + " ORDER BY [Contact].[ContactName]",
                             params, [&](const Row& r) {
                                 qint64 id = 0;
                                 r.integer(1, id);
                                 out.push_back({id, r.text(0)});
                                 return true;
                             });
    return out;
}

qint64 CountGuestListData(AppContext& ctx, const GuestListFilter& f) {
    QVariantList params;
    const QString where = guestListWhere(ctx, f, params);
    return ctx.contactsDb()
        .scalar("SELECT COUNT(*) FROM [Contact] WHERE " + where, params)
        .toLongLong();
}

PickerSelection BuildPickerSelection(Engine engine, PickBy by, const QString& text) {
    PickerSelection out;
    const QString value = cleaned(text);
    if (value.isEmpty()) {
        out.refusal =
            missingInput(by == PickBy::Keyword ? "select the keyword" : "enter the information");
        return out;
    }
    const char* column = by == PickBy::PrimaryName ? "ContactName"
                         : by == PickBy::Keyword   ? "KeywordSet"
                                                   : "Address";
    out.filter.clause = ContactLike(engine, column, value, false, out.filter.params);
    return out;
}

std::vector<PickerRow> GetTheContactsB(AppContext& ctx, const ContactFilter& filter) {
    QVariantList params = filter.params;
    QString sql = "SELECT [ContactID], [PublicPrivate], [OTRestaurantID], [ContactName], "
                  "[NickName], [Address], [City], [KeywordSet], [CrossStreets], [IsReserved], "
                  "[IsClosed] FROM [Contact] WHERE " +
                  (filter.clause.isEmpty() ? QStringLiteral("1 = 1") : filter.clause);
    sql += privacyCondition(ctx, params) + " ORDER BY [Ranking], [ContactName]";
    std::vector<PickerRow> out;
    ctx.contactsDb().forEach(sql, params, [&](const Row& r) {
        PickerRow p;
        qint64 restaurant = 0;
        r.integer(0, p.id);
        r.integer(2, restaurant);
        p.isPrivate = !r.value(1).isNull() && r.value(1).toBool();
        p.name = nameWithService(r.text(3), restaurant);
        p.contactData = r.text(4);
        p.address = r.text(5);
        p.city = r.text(6);
        p.keywordSet = r.text(7);
        p.crossStreets = r.text(8);
        p.reserved = !r.value(9).isNull() && r.value(9).toBool();
        p.closed = !r.value(10).isNull() && r.value(10).toBool();
        out.push_back(std::move(p));
        return true;
    });
    return out;
}

std::optional<ContactSummary> GetTheContactD(AppContext& ctx, qint64 contactId) {
    const auto r = ctx.contactsDb().queryOne(
        "SELECT [ContactName], [NickName], [Address], [CrossStreets], [GuestInfo], [OTCuisine], "
        "[OTPrice] FROM [Contact] WHERE [ContactID] = ?",
        {contactId});
    if (!r) return std::nullopt;
    ContactSummary s;
    s.name = r->text(0);
    s.nickName = r->text(1);
    s.address = r->text(2);
    s.crossStreets = r->text(3);
    s.guestInfo = r->text(4);
    s.cuisine = r->text(5);
    s.price = r->text(6);
    s.directions = GetECT(ctx, contactId, TextKind::ContactDirections);
    return s;
}

QString ContactDetailsLine(AppContext& ctx, qint64 contactId) {
    Database& db = ctx.contactsDb();
    const auto r = db.queryOne(
        "SELECT [ContactName], [Address] FROM [Contact] WHERE [ContactID] = ?", {contactId});
    if (!r) return {};
    const QString phone =
        db.scalar("SELECT [ContactData].[ContactData] FROM [ContactData] INNER JOIN "
                  "[ContactType] ON [ContactData].[TypeID] = [ContactType].[TypeID] WHERE "
                  "[ContactData].[ContactID] = ? AND [ContactType].[TypeOfType] = ? ORDER BY "
                  "[ContactType].[Sequence]",
                  {contactId, QStringLiteral("T")})
            .toString()
            .trimmed();
    QStringList parts;
    for (const QString& p : {r->text(0).trimmed(), r->text(1).trimmed(), phone})
        if (!p.isEmpty()) parts << p;
    return parts.join(", ");
}

} // namespace vm
