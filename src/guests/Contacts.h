#pragma once
// The contact directory's records: a contact with its three long texts, its
// extra numbers and addresses (one per contact type), the checks a save must
// pass, clone for another language and delete.  Every statement runs on
// ctx.contactsDb(), the common database when contacts are shared.

#include "core/AppContext.h"
#include "platform/VersionedUpdate.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

// The languages a contact may be kept in; CommissionType stores the index as text.
const QStringList& ContactLanguages();
// "(n/r = Not Rated)", "1" … "5": the rating combo, by Rating.
const QStringList& ContactRatings();
// "At the Top" … "At the Bottom": the rank combo, by Ranking.
const QStringList& ContactRankings();

struct Contact {
    qint64 id = 0; // ContactID; 0 until stored
    QString name;  // ContactName
    QString nickName;
    QString address, crossStreets, city, state, country, postalCode;
    QString affiliation; // logbook category
    int language = 0;    // CommissionType
    QString area;        // DocumentLink
    QString keywordSet;
    int rating = 0;  // 0 not rated, 1..5
    int ranking = 0; // 0 at the top .. 4 at the bottom
    QString proximity;
    bool isPrivate = false;        // PublicPrivate
    bool printOnGuestList = false; // Commissionable
    bool colorCode = false;        // IsReserved
    bool isClosed = false;
    QString graphicFile;
    QString guestInfo;
    QString enteredBy, entryDate, entryTime; // "yyyy/MM/dd", "HH:mm"
    QString luInitials, updateDate;
    qint64 otRestaurantId = 0;
    QString otCuisine, otNeighborhood, otPrice, otHost;
    qint64 rowVersion = 0;
    // EvConText kinds C, D and G.
    QString notes, directions, guestListText;
};

// The contact of this key with its texts; nullopt when there is none.
std::optional<Contact> GetTheContact(AppContext& ctx, qint64 id);

// The first refusal of a save, in the screen's order; "" when it may be saved.
// `loadedLanguage` is the language the contact was loaded in (none for a new one).
QString CheckContact(AppContext& ctx, const Contact& c, std::optional<int> loadedLanguage);

// Stores a new contact and its texts in one transaction; stamps the entry and
// update fields, cleans the texts, and answers (and sets) the new key.
qint64 InsertContact(AppContext& ctx, Contact& c);
// Rewrites an existing contact (not its entry fields) and replaces its texts,
// in one transaction, when the row still has the version read with it.  On
// Updated, `c` carries the new version, update date and initials.
VersionedResult UpdateContact(AppContext& ctx, Contact& c);

// Deletes the contact with its extra data, texts, contact document links and
// tickler notes, and writes the deletion to the shared text log.  Logbook
// entries that name the contact keep their reference.  Answers false when the
// contact was already gone.
bool DeleteContact(AppContext& ctx, qint64 id);

// A copy of the contact in another language: the fields, the three texts and
// the document links (not the extra data).  Answers the new key.
qint64 CloneContact(AppContext& ctx, qint64 id, int language);

// One extra number or address of a contact, with its type.
struct ContactValue {
    qint64 typeId = 0;
    QString typeName; // ContactType
    QString kind;     // TypeOfType: T, E, I or O
    int sequence = 0;
    QString data;
    bool isPrivate = false;
};

// The contact's extra data, by the types' display order.
std::vector<ContactValue> GetCurrentContactValues(AppContext& ctx, qint64 contactId);
std::optional<ContactValue> GetCurrentContactValue(AppContext& ctx, qint64 contactId,
                                                   qint64 typeId);
// The value as stored for a type of this kind: telephone numbers are tidied
// by the property's country and area code.
QString ContactValueForKind(AppContext& ctx, const QString& kind, const QString& typed);
// Inserts or rewrites the contact's one row of this type.
void SetContactValue(AppContext& ctx, qint64 contactId, qint64 typeId, const QString& data,
                     bool isPrivate);
// Answers false when the contact had no row of that type.
bool DeleteContactValue(AppContext& ctx, qint64 contactId, qint64 typeId);

// The Vertilinc lobby-display rules apply while this VmSettings key is "true".
inline const QString VertilincSettingKey = QStringLiteral("Vertilinc");
bool VertilincEnabled(AppContext& ctx);

inline const QString MsgContactNameMissing =
    QStringLiteral("Please enter the Person or Company Name.  Thank you.");
inline const QString MsgContactKeywordsMissing =
    QStringLiteral("Please enter the Keywords you will use to access this contact.  Thank you.");
inline const QString MsgContactLanguageChanged = QStringLiteral(
    "You cannot CHANGE the Language for this \r\nContact.  Please select the CLONE button if "
    "you \r\nwish to create an entry for this contact in \r\nanother language.  Thank you.");
QString MsgVertilincKeywords(const QStringList& keywords);
QString MsgVertilincTypes(const QStringList& types);
inline const QString MsgSelectCloneLanguage =
    QStringLiteral("Please select the Language you wish to use.");
inline const QString MsgDeleteContact = QStringLiteral(
    "Press <Yes> to confirm that you\r\nwish to delete this Contact?\r\nPress <No> to cancel the "
    "request.");
inline const QString MsgSelectContactType =
    QStringLiteral("Please select the Contact Type.  Thank you.");
inline const QString MsgTypeBeforeData =
    QStringLiteral("Please select the Contact Type before entering the Contact Data.  Thank you.");
inline const QString MsgContactDataMissing =
    QStringLiteral("Please enter the number or address.  Thank you.");
inline const QString MsgSaveBeforeExtra = QStringLiteral(
    "Please save the Basic Contact Information before adding Extra Contacts, thank you.");
inline const QString MsgSaveBeforeDocs = QStringLiteral(
    "Please save the Basic Contact Information before adding Linked Documents, thank you.");
inline const QString MsgDeleteContactData = QStringLiteral(
    "Press <Yes> to confirm that you\r\nwish to delete this Contact Information?\r\nPress <No> "
    "to cancel the request.");
inline const QString MsgNoContactDataSelected = QStringLiteral(
    "No Contact Information has been selected for deletion.\r\nNo action will occur.  Thank "
    "you.");

} // namespace vm
