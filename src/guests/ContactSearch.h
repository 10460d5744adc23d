#pragma once
// Finding contacts: the Contacts page's selection (a condition on Contact with
// bound values and the plain-language description shown above the grid), the
// list of the working language with its eight sorts, the picker's list, the
// printed guest list's rows and the short form the logbook entry shows.
// Every statement runs on ctx.contactsDb().

#include "core/AppContext.h"
#include "core/ListSizeGuard.h"
#include "platform/Database.h"

#include <optional>
#include <vector>

namespace vm {

enum class ContactSelectBy { PrimaryName, ContactData, Address, Keyword, OpenTable, None };

// The sorts in the order the page offers them.
enum class ContactSort {
    RankAndName,
    PrimaryName,
    Proximity,
    Address,
    CityAndName,
    Keyword,
    LastUpdated,
    RatingAndName
};

struct ContactSelection {
    ContactSelectBy by = ContactSelectBy::None;
    QString text{};    // name, contact data or address
    QString keyword{}; // keyword mode
    bool startsWith = false;
    QString cityOrArea{}; // optional; "" = none
    bool useArea = false; // cityOrArea names an area (DocumentLink)
    ContactSort sort = ContactSort::RankAndName;
    Engine engine = Engine::SQLite;
};

// A condition on [Contact] columns with "?" placeholders.
struct ContactFilter {
    QString clause; // empty = every contact of the language
    QVariantList params;
};

struct BuiltContactSelection {
    ContactFilter filter;
    QString description;
    QString refusal; // shown instead of searching when not empty
};

BuiltContactSelection BuildContactSelection(const ContactSelection& s);
const QStringList& ContactSortCaptions();
QString ContactOrderBy(ContactSort sort);
// "[table].[column] LIKE pattern" for typed text: % and _ are the text's own
// characters; a contains match goes through the table's trigram index.
QString LikeCondition(Engine engine, const QString& table, const QString& column,
                      const QString& text, bool startsWith, QVariantList& params);
// LikeCondition on [Contact].
QString ContactLike(Engine engine, const QString& column, const QString& text, bool startsWith,
                    QVariantList& params);

enum ContactColumn {
    ColContactName,
    ColContactData,
    ColAddress,
    ColCrossOrCity,
    ColKeywordSet,
    ColProximityOrUpdated,
    ColRating,
    ColLogbookType,
    ColState,
    ColPostalCode,
    ContactColumnCount
};

struct ContactRow {
    qint64 id = 0;
    QStringList cells; // ContactColumnCount cells, the city in ColCrossOrCity
    QString crossStreets;
    bool closed = false;
    bool reserved = false;
    // The cells as the list shows them: with the "CrossStreets" setting on,
    // the cross streets stand where the city is.
    QStringList shownCells(bool showCrossStreets) const;
};

struct ContactList {
    std::vector<ContactRow> rows;
    QString caption; // the count line
};

QStringList ContactListHeaders(bool crossStreets, ContactSort sort);
// The list's statement for the member logged on, with its values.
struct ContactStatement {
    QString sql;
    QVariantList params;
};
ContactStatement ContactListQuery(const AppContext& ctx, const ContactFilter& filter,
                                  ContactSort sort);
// The list of the working language for a selection, private contacts only for managers.
ContactList GetTheContacts(AppContext& ctx, const ContactFilter& filter, ContactSort sort);
// One contact as the list shows it; nothing when the list would not show it
// (gone, another language, private for this member).
std::optional<ContactRow> GetTheContactRow(AppContext& ctx, qint64 contactId, ContactSort sort);
// Listed contacts by key, in the order of `ids` (the printed list of the page).
std::vector<ContactRow> GetContactRows(AppContext& ctx, const QList<qint64>& ids, ContactSort sort);

// The size guard, asked only when the page lists everything.
qint64 CountContactsOfLanguage(AppContext& ctx);
// The list for a built selection; with `guardSize` the count is checked first
// (refused or asked).  Nothing when refused or not wanted.
std::optional<ContactList> ListContacts(AppContext& ctx, const ContactFilter& filter,
                                        ContactSort sort, bool guardSize);

// The city filter's choices: distinct, by name, no empty one.
QStringList GetCityNames(AppContext& ctx);

// A printed special guest list: contacts of the working language carrying the
// keyword, marked for the guest list and not closed, optionally of one city or area.
struct GuestListContact {
    qint64 id = 0;
    QString name;
};
struct GuestListFilter {
    QString keyword;
    QString city;
    QString area;
};
std::vector<GuestListContact> GetGuestListData(AppContext& ctx, const GuestListFilter& f);
qint64 CountGuestListData(AppContext& ctx, const GuestListFilter& f);

// The picker's list.
enum class PickBy { PrimaryName, Keyword, Address };
struct PickerRow {
    qint64 id = 0;
    QString name; // with " (OT)"
    QString contactData, address, crossStreets, city, keywordSet;
    bool closed = false, reserved = false, isPrivate = false;
};
// The condition of a picker search; a refusal message when the input is missing.
struct PickerSelection {
    ContactFilter filter;
    QString refusal;
};
PickerSelection BuildPickerSelection(Engine engine, PickBy by, const QString& text);
std::vector<PickerRow> GetTheContactsB(AppContext& ctx, const ContactFilter& filter);

// What the logbook entry shows of its contact.
struct ContactSummary {
    QString name, nickName, address, crossStreets, directions, guestInfo, cuisine, price;
};
std::optional<ContactSummary> GetTheContactD(AppContext& ctx, qint64 contactId);
// One line: name, address and the first telephone of the extra data.
QString ContactDetailsLine(AppContext& ctx, qint64 contactId);

} // namespace vm
