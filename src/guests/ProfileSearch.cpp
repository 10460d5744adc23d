#include "guests/ProfileSearch.h"

#include "core/ListSizeGuard.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/ContactSearch.h"
#include "guests/Groups.h"
#include "logbook/LogbookList.h"

#include <QHash>

namespace vm {

namespace {

const QString PseudoAll = QStringLiteral("*All Indicators");
const QString PseudoBusinessEmail = QStringLiteral("*Business Email");
const QString PseudoGroupName = QStringLiteral("*Group Name");
const QString PseudoJobTitle = QStringLiteral("*Job/Title");
const QString PseudoLastContacted = QStringLiteral("*Last Contacted");

// Typed values are cleaned as stored values are; nothing typed stays empty.
QString cleaned(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? QString() : CleanSqlText(t);
}

QString missingInput(const QString& what) {
    return "Please " + what + " you wish to use to filter" + QString(" your selections.");
}

bool hasFilter(const QString& filter) {
    const QString f = filter.trimmed();
    return !f.isEmpty() && f != NoProfileFilter;
}

// Positions of the list's columns; the shapes add theirs after the common ones.
enum ListField {
    FId,
    FSalutation,
    FLastName,
    FFirstName,
    FAddress,
    FCity,
    FState,
    FUnit,
    FPostalCode,
    FHomePhone,
    FFaxPhone,
    FEmail,
    FEmailB,
    FDnuHome,
    FDnuFax,
    FDnuEmail,
    FColor,
    FColorCode,
    FTitle,
    FGroupId,
    FExtra1, // contact type, or the indicator's selection
    FExtra2  // contact date
};

const QString ListColumns = QStringLiteral(
    "[Profile].[ProfileID], [Profile].[Salutation], [Profile].[LastName], [Profile].[FirstName], "
    "[Profile].[Address1S], [Profile].[CityS], [Profile].[StateS], [Profile].[DocumentLink], "
    "[Profile].[PostalCodeS], [Profile].[HomePhone], [Profile].[FaxPhone], "
    "[Profile].[EmailAddress], [Profile].[EmailAddressB], [Profile].[DNUHomePhone], "
    "[Profile].[DNUFaxPhone], [Profile].[DNUEmail], [Profile].[ProfileColor], "
    "[Profile].[ColorCode], [Profile].[Title], [Profile].[GroupID]");

bool flagAt(const Row& r, int i) {
    const QVariant v = r.value(i);
    return !v.isNull() && v.toBool();
}

// A date column as the lists show it; SQLite hands it over as ISO text, the
// server as a date and time.
QString storedDateAt(const Row& r, int i) {
    const QVariant v = r.value(i);
    QDate d;
    if (v.typeId() == QMetaType::QDateTime)
        d = v.toDateTime().date();
    else if (v.typeId() == QMetaType::QDate)
        d = v.toDate();
    else if (!v.isNull())
        d = QDate::fromString(v.toString().left(10), Qt::ISODate);
    return d.isValid() ? Formats::StoredDate(d) : QString();
}

// Private profiles (and private indicators) are listed for managers only.
void addPrivacy(const AppContext& ctx, ProfileShape shape, QStringList& parts,
                QVariantList& params) {
    if (ctx.session.manager) return;
    parts << "([Profile].[PublicPrivate] = ? OR [Profile].[PublicPrivate] IS NULL)";
    params << false;
    if (shape == ProfileShape::Indicator) {
        parts << "([ProfilePI].[PublicPrivate] = ? OR [ProfilePI].[PublicPrivate] IS NULL)";
        params << false;
    }
}

// The FROM and WHERE of a list (one WHERE, only when there is a condition).
QString fromAndWhere(const AppContext& ctx, const ProfileQuery& q, const BuiltProfileQuery& built,
                     QVariantList& params) {
    QString from = "[Profile]";
    if (built.shape == ProfileShape::Indicator)
        from += " INNER JOIN [ProfilePI] ON [ProfilePI].[ProfileID] = [Profile].[ProfileID]";
    else if (built.shape == ProfileShape::ContactHistory)
        from += " INNER JOIN [ProfileCH] ON [ProfileCH].[ProfileID] = [Profile].[ProfileID]";
    QStringList parts;
    if (!built.where.isEmpty()) {
        parts << built.where;
        params << built.params;
    }
    if (hasFilter(q.filter)) {
        parts << "[Profile].[ProfileType] = ?";
        params << q.filter.trimmed();
    }
    addPrivacy(ctx, built.shape, parts, params);
    return " FROM " + from + (parts.isEmpty() ? QString() : " WHERE " + parts.join(" AND "));
}

ProfileRow listRow(const Row& r, ProfileShape shape, bool residential) {
    ProfileRow row;
    r.integer(FId, row.id);
    const QString salutation = r.trimmedText(FSalutation);
    const QString first = r.trimmedText(FFirstName);
    row.cells.reserve(ProfileColumnCount);
    row.cells << r.trimmedText(FLastName)
              << (salutation.isEmpty() ? first : salutation + " " + first)
              << r.trimmedText(FAddress) << (residential ? r.trimmedText(FUnit) : QString())
              << r.trimmedText(FState) << r.trimmedText(FCity)
              << (flagAt(r, FDnuHome) ? QStringLiteral("Do NOT Call")
                                      : r.trimmedText(FHomePhone))
              << (flagAt(r, FDnuFax) ? QStringLiteral("Do NOT Fax") : r.trimmedText(FFaxPhone))
              << r.trimmedText(FPostalCode);
    QString selectable;
    if (shape == ProfileShape::ContactHistory) {
        const QString date = storedDateAt(r, FExtra2);
        selectable = r.trimmedText(FExtra1) + (date.isEmpty() ? QString() : " " + date);
    } else if (shape == ProfileShape::Indicator) {
        selectable = r.trimmedText(FExtra1);
    } else {
        selectable =
            flagAt(r, FDnuEmail) ? QStringLiteral("Do NOT EMail") : r.trimmedText(FEmail);
    }
    row.cells << selectable;
    row.colorCode = flagAt(r, FColorCode);
    row.color = r.trimmedText(FColor);
    return row;
}

// What the "Replace Email with..." choice puts in the selectable column, for
// every profile of the list at once.
class SelectableColumn {
public:
    SelectableColumn(AppContext& ctx, const QString& choice) : m_ctx(ctx), m_choice(choice) {}

    // Reads what the choice needs for the profiles `idsSql` selects.
    void load(const QString& idsSql, const QVariantList& idsParams) {
        Database& db = m_ctx.db();
        const QString privacy =
            m_ctx.session.manager
                ? QString()
                : " AND ([ProfilePI].[PublicPrivate] = ? OR [ProfilePI].[PublicPrivate] IS NULL)";
        QVariantList params;
        if (m_choice.isEmpty() || m_choice == PseudoBusinessEmail || m_choice == PseudoJobTitle)
            return; // columns of the row itself
        if (m_choice == PseudoGroupName) {
            for (const auto& [id, name] : GetGroupNames(m_ctx))
                m_groups.insert(id, name);
            return;
        }
        if (m_choice == PseudoLastContacted) {
            db.forEach("SELECT [ProfileCH].[ProfileID], MAX([ProfileCH].[ContactDate]) AS "
                       "[LastContact] FROM [ProfileCH] WHERE [ProfileCH].[ProfileID] IN (" +
                           idsSql + ") GROUP BY [ProfileCH].[ProfileID]",
                       idsParams, [&](const Row& r) {
                           qint64 id = 0;
                           r.integer(0, id);
                           m_values.insert(id, storedDateAt(r, 1));
                           return true;
                       });
            return;
        }
        const bool all = m_choice == PseudoAll;
        QString sql = "SELECT [ProfilePI].[ProfileID], [ProfilePI].[PreferenceType], "
                      "[ProfilePI].[PreferenceSelection] FROM [ProfilePI] WHERE ";
        if (!all) {
            sql += "[ProfilePI].[PreferenceType] = ? AND ";
            params << m_choice;
        }
        sql += "[ProfilePI].[ProfileID] IN (" + idsSql + ")" + privacy +
               " ORDER BY [ProfilePI].[ProfileID], [ProfilePI].[SequenceNo], "
               "[ProfilePI].[PreferenceType], [ProfilePI].[PreferenceSelection]";
        params << idsParams;
        if (!m_ctx.session.manager) params << false;
        db.forEach(sql, params, [&](const Row& r) {
            qint64 id = 0;
            r.integer(0, id);
            const QString value = r.trimmedText(2);
            const QString item = all ? r.trimmedText(1) + ": " + value : value;
            QString& cell = m_values[id];
            cell += (cell.isEmpty() ? QString()
                     : all          ? QStringLiteral("; ")
                                    : QStringLiteral(", ")) +
                    item;
            return true;
        });
    }

    QString cell(const Row& r, qint64 id, const QString& email) const {
        if (m_choice.isEmpty()) return email;
        if (m_choice == PseudoBusinessEmail) return r.trimmedText(FEmailB);
        if (m_choice == PseudoJobTitle) return r.trimmedText(FTitle);
        if (m_choice == PseudoGroupName) {
            qint64 group = 0;
            r.integer(FGroupId, group);
            return m_groups.value(group);
        }
        return m_values.value(id);
    }

private:
    AppContext& m_ctx;
    QString m_choice;
    QHash<qint64, QString> m_groups;
    QHash<qint64, QString> m_values;
};

QString replaceChoice(const ProfileQuery& q) {
    return q.by == ProfileSelectBy::Indicator || q.by == ProfileSelectBy::ContactType
               ? QString()
               : q.replaceEmailWith.trimmed();
}

} // namespace

BuiltProfileQuery BuildProfileSelection(const ProfileQuery& q) {
    BuiltProfileQuery out;
    QStringList parts;
    QVariantList& params = out.params;
    QString& d = out.description;
    const QString text = cleaned(q.text);
    const QString shown = q.text.trimmed();
    const bool typed = q.by == ProfileSelectBy::LastName || q.by == ProfileSelectBy::FirstName ||
                       q.by == ProfileSelectBy::UnitOrState;
    if (typed && text.isEmpty()) {
        out.refusal = missingInput("enter the information");
        return out;
    }
    switch (q.by) {
    case ProfileSelectBy::LastName:
        parts << LikeCondition(q.engine, "Profile", "LastName", text, false, params);
        d = "Where Last Name contains " + shown;
        break;
    case ProfileSelectBy::FirstName:
        parts << LikeCondition(q.engine, "Profile", "FirstName", text, false, params);
        d = "Where First Name contains " + shown;
        break;
    case ProfileSelectBy::UnitOrState:
        if (q.residential) {
            parts << LikeCondition(q.engine, "Profile", "DocumentLink", text, false, params);
            d = "Where Unit contains " + shown;
            break;
        }
        parts << LikeCondition(q.engine, "Profile", "StateS", text, false, params);
        d = "Where State contains " + shown;
        if (const QString city = cleaned(q.city); !city.isEmpty()) {
            parts << LikeCondition(q.engine, "Profile", "CityS", city, false, params);
            d += " And City contains " + q.city.trimmed();
        }
        break;
    case ProfileSelectBy::Indicator: {
        const QString type = q.indicator.trimmed();
        if (type.isEmpty()) {
            out.refusal = missingInput("select the Indicator");
            return out;
        }
        out.shape = ProfileShape::Indicator;
        parts << "[ProfilePI].[PreferenceType] = ?";
        params << type;
        if (const QString value = cleaned(q.indicatorValue); !value.isEmpty()) {
            parts << LikeCondition(q.engine, "ProfilePI", "PreferenceSelection", value, false,
                                   params);
            d = "Where Indicator " + type + " contains " + q.indicatorValue.trimmed();
        } else {
            d = "Where Indicator = " + type;
        }
        break;
    }
    case ProfileSelectBy::Group:
        if (q.groupId <= 0) {
            out.refusal = missingInput("select the Group");
            return out;
        }
        parts << "[Profile].[GroupID] = ?";
        params << q.groupId;
        d = "Where Group Name = " + q.groupName.trimmed();
        break;
    case ProfileSelectBy::ContactType: {
        out.shape = ProfileShape::ContactHistory;
        const QString type = q.contactType.trimmed();
        if (q.byDate && (!q.from.isValid() || !q.through.isValid() || q.through < q.from)) {
            out.refusal = "The Through date must be greater than the from date.";
            return out;
        }
        if (!type.isEmpty()) {
            parts << "[ProfileCH].[ContactType] = ?";
            params << type;
            d = "Where Contact without Results is " + type;
        } else {
            d = "Where Contacts without Results Have Been Selected ";
        }
        if (q.byDate) {
            // The through day is included whatever time of day a contact carries.
            parts << "[ProfileCH].[ContactDate] >= ? AND [ProfileCH].[ContactDate] < ?";
            params << q.from << q.through.addDays(1);
            d += " And Contact Date is between " + Formats::ShortDate(q.from) + " and " +
                 Formats::ShortDate(q.through);
        }
        if (q.noResults) {
            parts << "[ProfileCH].[ContactResult] = ?";
            params << QString("");
        }
        break;
    }
    case ProfileSelectBy::ProfileType: {
        const QString type = q.profileType.trimmed();
        if (type.isEmpty()) {
            out.refusal = missingInput("select the Profile Type");
            return out;
        }
        parts << "[Profile].[ProfileType] = ?";
        params << type;
        d = "Where Profile Type = " + type;
        break;
    }
    case ProfileSelectBy::All:
        d = "Where All Profiles Have Been Selected ";
        break;
    case ProfileSelectBy::Private:
        parts << "[Profile].[PublicPrivate] = ?";
        params << true;
        d = "Where Profile Is Viewable Only By Authorized Users.";
        break;
    }
    if (hasFilter(q.filter)) d += " And Profile Type is " + q.filter.trimmed();
    d += ", Sorted by " + ProfileSortCaptions(q.by).value(int(q.sort));
    out.where = parts.join(" AND ");
    return out;
}

QStringList ProfileSortCaptions(ProfileSelectBy by) {
    const QString fourth = by == ProfileSelectBy::Indicator     ? QStringLiteral("Selection")
                           : by == ProfileSelectBy::ContactType ? QStringLiteral("Contact Type")
                                                                : QStringLiteral("Email Address");
    return {"Last Name", "First Name", "State and City", fourth, "Color Code"};
}

namespace {

QString profileOrder(ProfileShape shape, ProfileSort sort) {
    switch (sort) {
    case ProfileSort::LastName:
        return " ORDER BY [Profile].[LastName], [Profile].[FirstName], [Profile].[ProfileID]";
    case ProfileSort::FirstName:
        return " ORDER BY [Profile].[FirstName], [Profile].[LastName], [Profile].[ProfileID]";
    case ProfileSort::StateAndCity:
        return " ORDER BY [Profile].[StateS], [Profile].[CityS], [Profile].[LastName], "
               "[Profile].[FirstName], [Profile].[ProfileID]";
    case ProfileSort::Email:
        if (shape == ProfileShape::Indicator)
            return " ORDER BY [ProfilePI].[PreferenceSelection], [Profile].[LastName], "
                   "[Profile].[FirstName], [Profile].[ProfileID]";
        if (shape == ProfileShape::ContactHistory)
            return " ORDER BY [ProfileCH].[ContactType], [ProfileCH].[ContactDate] DESC, "
                   "[Profile].[LastName], [Profile].[FirstName], [Profile].[ProfileID]";
        return " ORDER BY [Profile].[EmailAddress], [Profile].[LastName], [Profile].[FirstName], "
               "[Profile].[ProfileID]";
    case ProfileSort::ColorCode:
        return " ORDER BY [Profile].[ColorCode], [Profile].[ProfileColor], [Profile].[LastName], "
               "[Profile].[FirstName], [Profile].[ProfileID]";
    }
    return {};
}

} // namespace

QString ProfileOrderBy(ProfileShape shape, ProfileSort sort) {
    QString order = profileOrder(shape, sort);
    // Rows of one profile: its selections in order, its contacts newest first.
    if (shape == ProfileShape::Indicator && sort != ProfileSort::Email)
        order += ", [ProfilePI].[PreferenceSelection]";
    else if (shape == ProfileShape::ContactHistory && sort != ProfileSort::Email)
        order += ", [ProfileCH].[ContactDate] DESC";
    return order;
}

QStringList ProfileListHeaders(const ProfileQuery& q) {
    QString selectable = "Email Address";
    if (q.by == ProfileSelectBy::ContactType)
        selectable = "Contact Type";
    else if (q.by == ProfileSelectBy::Indicator)
        selectable = "Selection";
    else if (const QString choice = replaceChoice(q); !choice.isEmpty())
        selectable = choice.startsWith('*') ? choice.mid(1) : choice;
    return {"Last Name", "First Name", "Address",   "Unit",        "State",
            "City",      "Telephone",  "Fax Phone", "Postal Code", selectable};
}

ProfileStatement ProfileListQuery(const AppContext& ctx, const ProfileQuery& q,
                                  const BuiltProfileQuery& built) {
    ProfileStatement st;
    QString columns = ListColumns;
    if (built.shape == ProfileShape::Indicator)
        columns += ", [ProfilePI].[PreferenceSelection]";
    else if (built.shape == ProfileShape::ContactHistory)
        columns += ", [ProfileCH].[ContactType], [ProfileCH].[ContactDate]";
    st.sql = "SELECT " + columns + fromAndWhere(ctx, q, built, st.params) +
             ProfileOrderBy(built.shape, q.sort);
    return st;
}

ProfileList GetTheProfiles(AppContext& ctx, const ProfileQuery& q, const BuiltProfileQuery& built) {
    const bool residential = q.residential;
    SelectableColumn column(ctx, replaceChoice(q));
    if (built.shape == ProfileShape::Plain && !replaceChoice(q).isEmpty()) {
        QVariantList idsParams;
        const QString idsSql =
            "SELECT [Profile].[ProfileID]" + fromAndWhere(ctx, q, built, idsParams);
        column.load(idsSql, idsParams);
    }
    const ProfileStatement st = ProfileListQuery(ctx, q, built);
    ProfileList list;
    QHash<qint64, size_t> listed; // indicator lists: the row of each profile
    ctx.db().forEach(st.sql, st.params, [&](const Row& r) {
        ProfileRow row = listRow(r, built.shape, residential);
        if (built.shape == ProfileShape::Plain)
            row.cells[PColSelectable] = column.cell(r, row.id, row.cells[PColSelectable]);
        if (built.shape == ProfileShape::Indicator) {
            // One row per profile, however many of its indicators match.
            if (const auto seen = listed.constFind(row.id); seen != listed.constEnd()) {
                QString& cell = list.rows[*seen].cells[PColSelectable];
                const QString value = row.cells[PColSelectable];
                if (!value.isEmpty())
                    cell += (cell.isEmpty() ? QString() : QStringLiteral(", ")) + value;
                return true;
            }
            listed.insert(row.id, list.rows.size());
        }
        list.rows.push_back(std::move(row));
        return true;
    });
    list.caption = CountCaption(qint64(list.rows.size()));
    return list;
}

std::optional<ProfileRow> GetTheProfileRow(AppContext& ctx, const ProfileQuery& q, qint64 id) {
    ProfileQuery one = q;
    one.by = ProfileSelectBy::All;
    one.filter.clear();
    BuiltProfileQuery built;
    built.where = "[Profile].[ProfileID] = ?";
    built.params << id;
    if (q.by == ProfileSelectBy::Indicator || q.by == ProfileSelectBy::ContactType)
        one.replaceEmailWith.clear();
    const ProfileList list = GetTheProfiles(ctx, one, built);
    if (list.rows.empty()) return std::nullopt;
    return list.rows.front();
}

qint64 CountProfiles(AppContext& ctx, const QString& filter) {
    if (!hasFilter(filter)) return ctx.db().scalar("SELECT COUNT(*) FROM [Profile]").toLongLong();
    return ctx.db()
        .scalar("SELECT COUNT(*) FROM [Profile] WHERE [ProfileType] = ?", {filter.trimmed()})
        .toLongLong();
}

std::optional<ProfileList> ListProfiles(AppContext& ctx, const ProfileQuery& q,
                                        const BuiltProfileQuery& built, bool guardSize) {
    if (guardSize) {
        // The questions come with no read open: a member may take a while to answer.
        if (!ProfileListGuard.allows(ctx.prompt(), CountProfiles(ctx, q.filter)))
            return std::nullopt;
    }
    ProfileList list;
    ctx.db().snapshot([&] { list = GetTheProfiles(ctx, q, built); });
    return list;
}

std::optional<quint32> ProfileColorRgb(const QString& literal) {
    QString s = literal.trimmed();
    if (!s.startsWith("&H", Qt::CaseInsensitive)) return std::nullopt;
    s = s.mid(2);
    if (s.endsWith('&')) s.chop(1);
    bool ok = false;
    const quint32 bgr = s.toUInt(&ok, 16);
    if (!ok || s.isEmpty() || s.size() > 8) return std::nullopt;
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

std::vector<ProfilePhones> GetProfilePhones(AppContext& ctx, const QList<qint64>& ids) {
    QHash<qint64, ProfilePhones> found;
    constexpr qsizetype Chunk = 500;
    for (qsizetype at = 0; at < ids.size(); at += Chunk) {
        QVariantList params;
        QStringList marks;
        for (qint64 id : ids.mid(at, Chunk)) {
            marks << "?";
            params << id;
        }
        QStringList parts;
        addPrivacy(ctx, ProfileShape::Plain, parts, params);
        const QString sql =
            "SELECT [ProfileID], [LastName], [FirstName], [HomePhone], [BusinessPhone], "
            "[CellPhone], [OtherPhone], [FaxPhone], [DNUHomePhone], [DNUBusinessPhone], "
            "[DNUCellPhone], [DNUOtherPhone], [DNUFaxPhone] FROM [Profile] WHERE "
            "[Profile].[ProfileID] IN (" +
            marks.join(", ") + ")" + (parts.isEmpty() ? QString() : " AND " + parts.join(" AND "));
        ctx.db().forEach(sql, params, [&](const Row& r) {
            ProfilePhones p;
            r.integer(0, p.id);
            const QString last = r.trimmedText(1), first = r.trimmedText(2);
            p.name = first.isEmpty() ? last : last + ", " + first;
            const auto phone = [&](int column, int dnu) {
                return flagAt(r, dnu) ? QString() : r.trimmedText(column);
            };
            p.home = phone(3, 8);
            p.business = phone(4, 9);
            p.cell = phone(5, 10);
            p.other = phone(6, 11);
            p.fax = phone(7, 12);
            found.insert(p.id, std::move(p));
            return true;
        });
    }
    std::vector<ProfilePhones> out;
    for (qint64 id : ids)
        if (auto it = found.constFind(id); it != found.constEnd()) out.push_back(*it);
    return out;
}

} // namespace vm
