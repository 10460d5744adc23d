#pragma once
// Finding guest profiles: the Profiles page's selection (a condition with
// bound values and the plain-language description shown above the grid), the
// three shapes of the list (profiles alone, by indicator, by contact
// history), its five sorts, the rows with their selectable column, the size
// guard, and the rows the extracts and printed lists read.  Every statement
// runs on the current database.

#include "core/AppContext.h"
#include "platform/Database.h"

#include <QDate>
#include <optional>
#include <vector>

namespace vm {

enum class ProfileSelectBy {
    LastName,
    FirstName,
    UnitOrState,
    Indicator,
    Group,
    ContactType,
    ProfileType,
    All,
    Private
};

// The sorts in the order the page offers them.
enum class ProfileSort { LastName, FirstName, StateAndCity, Email, ColorCode };

inline const QString NoProfileFilter = QStringLiteral("No Filter");

struct ProfileQuery {
    ProfileSelectBy by = ProfileSelectBy::All;
    QString text{};           // last name, first name, unit or state
    QString city{};           // optional with the state
    bool residential = false; // the unit is listed, and the third mode searches it, not the state
    QString indicator{};      // PreferenceType
    QString indicatorValue{}; // optional
    qint64 groupId = 0;
    QString groupName{};
    QString contactType{}; // optional
    bool noResults = false;
    bool byDate = false;
    QDate from{}, through{};
    QString profileType{};
    QString filter{}; // the profile-type filter; "" or "No Filter" = none
    ProfileSort sort = ProfileSort::LastName;
    QString replaceEmailWith{}; // "" = the e-mail address
    Engine engine = Engine::SQLite;
};

// Which tables the list reads.
enum class ProfileShape { Plain, Indicator, ContactHistory };

struct BuiltProfileQuery {
    ProfileShape shape = ProfileShape::Plain;
    QString where; // conditions with "?" placeholders; empty = every row of the shape
    QVariantList params;
    QString description;
    QString refusal; // shown instead of searching when not empty
};

BuiltProfileQuery BuildProfileSelection(const ProfileQuery& q);
// The sort combo's captions for a mode (the fourth reads "Selection" for
// indicators and "Contact Type" for the contact history).
QStringList ProfileSortCaptions(ProfileSelectBy by);
QString ProfileOrderBy(ProfileShape shape, ProfileSort sort);

enum ProfileColumn {
    PColLastName,
    PColFirstName,
    PColAddress,
    PColUnit, // shown on residential properties only
    PColState,
    PColCity,
    PColTelephone,
    PColFax,
    PColPostalCode,
    PColSelectable,
    ProfileColumnCount
};

QStringList ProfileListHeaders(const ProfileQuery& q);

struct ProfileRow {
    qint64 id = 0;
    QStringList cells; // ProfileColumnCount cells
    bool colorCode = false;
    QString color; // ProfileColor literal
};

struct ProfileList {
    std::vector<ProfileRow> rows;
    QString caption; // the count line
};

// The list's statement for the member logged on, with its values.
struct ProfileStatement {
    QString sql;
    QVariantList params;
};
ProfileStatement ProfileListQuery(const AppContext& ctx, const ProfileQuery& q,
                                  const BuiltProfileQuery& built);
// The list of a built selection; private profiles and indicators only for managers.
ProfileList GetTheProfiles(AppContext& ctx, const ProfileQuery& q, const BuiltProfileQuery& built);
// One profile as a plain list with this query's columns shows it; nothing when
// the list would not show it (gone, private for this member).
std::optional<ProfileRow> GetTheProfileRow(AppContext& ctx, const ProfileQuery& q, qint64 id);

// How many profiles a request for every profile lists (with the filter).
qint64 CountProfiles(AppContext& ctx, const QString& filter);
// The list for a built selection; with `guardSize` the count is checked first
// by the shared ProfileListGuard (refused or asked).  Nothing when refused or
// not wanted.
std::optional<ProfileList> ListProfiles(AppContext& ctx, const ProfileQuery& q,
                                        const BuiltProfileQuery& built, bool guardSize);

// "&H00BBGGRR&" (the stored colour literal) as 0xRRGGBB; nothing for anything else.
std::optional<quint32> ProfileColorRgb(const QString& literal);

// The telephones of listed profiles for the dialling and printed lists, in
// the order of `ids`; a number the guest asked not to be used is left empty.
struct ProfilePhones {
    qint64 id = 0;
    QString name; // last name, first name
    QString home, business, cell, other, fax;
};
std::vector<ProfilePhones> GetProfilePhones(AppContext& ctx, const QList<qint64>& ids);

} // namespace vm
