#pragma once
// Guest profiles: the profile row with its notes, and the lists that hang
// around it (indicators, contact history, group logs, trips, logbook
// entries).  Every statement runs on the current database (ctx.db()); the
// profile's logbook entries may also be read from the archive.

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "logbook/LogEntry.h"
#include "platform/VersionedUpdate.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

struct ProfileAddress {
    QString line1, line2, city, state, country, postalCode;
};

struct Profile {
    qint64 id = 0; // ProfileID; 0 until stored
    QString firstName, lastName, salutation;
    QString unit; // DocumentLink: the unit on residential properties
    ProfileAddress home, business, other;
    int primaryAddress = 0; // 0 home, 1 business, 2 other
    QString email, emailB;
    QString homePhone, faxPhone, businessPhone, cellPhone, otherPhone;
    QString title, company;
    QString asstName, asstEmail, asstCellPhone, asstBusinessPhone, asstFaxPhone;
    QString profileType;
    QString color = QStringLiteral("&H00000000&"); // ProfileColor literal
    bool colorCode = false;
    bool isPrivate = false; // PublicPrivate
    qint64 groupId = 0;
    bool dnuSnailMail = false, dnuEmail = false, dnuEmailB = false, dnuHomePhone = false,
         dnuFaxPhone = false, dnuBusinessPhone = false, dnuCellPhone = false, dnuOtherPhone = false;
    qint64 rowVersion = 0;
    QString notes; // EvConText kind "P"

    // The address set PrimaryAddress names (home when out of range).
    const ProfileAddress& primary() const;
};

// The colour choices of the screen, by name: Green, Black, Blue.
inline const QString ProfileColorGreen = QStringLiteral("&H0000C000&");
inline const QString ProfileColorBlack = QStringLiteral("&H00000000&");
inline const QString ProfileColorBlue = QStringLiteral("&H00C00000&");

// "City, State  Postal" of an address set, leaving out the blank parts.
QString CityStatePostal(const ProfileAddress& a);

// "[Profile].[column] contains text" for typed text, with its parameter
// appended to `params`: "%" and "_" are the text's own characters.
QString ProfileLike(Engine engine, const QString& column, const QString& text,
                    QVariantList& params);

// The profile of this key with its notes; nullopt when there is none.
std::optional<Profile> GetProfile(AppContext& ctx, qint64 id);

// The first refusal of a save ("Please enter the Last Name.  Thank you.",
// then the first name); "" when it may be saved.
QString CheckProfile(const Profile& p);

// Stores a new profile with all its columns (the do-not-use flags too), the
// copy of the primary address and the notes, in one transaction; cleans the
// texts the way the screen shows them back; answers (and sets) the new key.
qint64 InsertProfile(AppContext& ctx, Profile& p);
// Rewrites every column and replaces the notes in one transaction when the
// row still has the version read with it; `p` then carries the new version.
VersionedResult UpdateProfile(AppContext& ctx, Profile& p);

// Deletes the profile with its cards, contact history, group logs, indicators,
// trips, notes and document links; unlinks its logbook entries in the current
// and the archive logbook; writes the deletion to the shared text log.  One
// transaction per database.  Answers false when it was already gone.
bool DeleteProfile(AppContext& ctx, qint64 id);

// Moves everything of profile `from` onto profile `into` (indicators, contact
// history, group logs, trips, cards and their viewing log, document links,
// logbook entries current and archive); the notes are appended; blank fields
// of `into` take the values of `from`.  Then deletes `from`.  One transaction:
// on failure both stay as they were.  Answers false when either is missing,
// they are the same profile, `into` was saved elsewhere since it was read, or
// a stored card cannot be re-keyed (the card cipher has said why); an engine
// failure raises DbError.  The archive's entries move after the commit, in
// the archive's own transaction.
bool MergeProfiles(AppContext& ctx, qint64 into, qint64 from);

// The read-only card the logbook entry screen shows: salutation and names,
// primary address lines, e-mails, home, cell, business and fax phones.
QStringList ProfileDisplayLines(AppContext& ctx, qint64 id);

// ---- indicators (ProfilePI) ----

struct ProfileIndicator {
    qint64 id = 0; // ProfilePIID
    qint64 profileId = 0;
    bool isPrivate = false;
    int sequence = 1000;
    QString type;  // PreferenceType
    QString value; // PreferenceSelection
};

// Ordered by SequenceNo, PreferenceType, PreferenceSelection; private ones
// only when `includePrivate`.
std::vector<ProfileIndicator> GetProfilePI(AppContext& ctx, qint64 profileId,
                                           bool includePrivate = true);
// The first value of the indicator `type` of the profile; "" when it has none.
QString ProfileIndicatorValue(AppContext& ctx, qint64 profileId, const QString& type);
// Add and change take the private flag and sequence from the type's row.
qint64 InsertProfilePI(AppContext& ctx, qint64 profileId, const QString& type,
                       const QString& value);
void UpdateProfilePI(AppContext& ctx, qint64 indicatorId, const QString& type,
                     const QString& value);
void DeleteProfilePI(AppContext& ctx, qint64 indicatorId);
// True when the card screening refuses this indicator value as a card number.
bool IndicatorIsCardNumber(AppContext& ctx, const QString& value);

// ---- contact history (ProfileCH) ----

struct ContactHistoryRow {
    qint64 id = 0; // ContactHistoryID
    qint64 profileId = 0;
    QString date; // ContactDate, "yyyy/MM/dd"
    QString type;
    QString result; // "" = no result yet
};

// Newest first.
std::vector<ContactHistoryRow> GetProfileCH(AppContext& ctx, qint64 profileId);
// "No result" is stored as the empty string, never null and never a blank.
qint64 InsertProfileCH(AppContext& ctx, qint64 profileId, const QDate& date, const QString& type,
                       const QString& result = {});
void UpdateProfileCH(AppContext& ctx, qint64 id, const QDate& date, const QString& type,
                     const QString& result);
void DeleteProfileCH(AppContext& ctx, qint64 id);
// Deletes the profile's rows dated strictly before `before`; answers how many.
int DeleteProfileCHBefore(AppContext& ctx, qint64 profileId, const QDate& before);

enum class Recurrence { Daily, Weekly, BiWeekly, Monthly };
// The most rows one recurring request may make (a year of daily contacts);
// callers check RecurringDates' answer against it before inserting.
inline constexpr int MaxRecurringContacts = 366;
// The dates of a recurring contact from `start`: as many as there are day,
// week (Sunday) or month boundaries between start and through, plus one;
// biweekly halves the week count (halves to even).  A month day missing in a
// shorter month falls on that month's last day.  Dates after `through` are
// left out.
std::vector<QDate> RecurringDates(const QDate& start, const QDate& through, Recurrence pattern);
// Inserts one row without a result per date, in one transaction; answers how
// many.  More than MaxRecurringContacts dates are refused whole: nothing is
// inserted and the answer is -1 (the screen says so).
int InsertRecurringContacts(AppContext& ctx, qint64 profileId, const QString& type,
                            const std::vector<QDate>& dates);

// ---- group logs, trips and logbook entries ----

struct ProfileGroupLog {
    qint64 id = 0; // ProfileGLID
    qint64 groupId = 0;
    QString groupName;
    QString created; // "yyyy/MM/dd"
};
// Newest first.
std::vector<ProfileGroupLog> GetProfileGL(AppContext& ctx, qint64 profileId);

struct ProfileTrip {
    QString confirmation, arrival, departure;
};
// Latest arrival first.
std::vector<ProfileTrip> GetTripHistory(AppContext& ctx, qint64 profileId);

struct ProfileLogbookRow {
    qint64 logId = 0;
    QString referDate; // stored "yyyy/MM/dd"
    QString category;  // EntryType
    QString groupName;
};
// The profile's logbook entries of the current or the archive logbook, the
// latest reference date first.
std::vector<ProfileLogbookRow> GetProfileLB(AppContext& ctx, qint64 profileId, LogSource source);

// ---- indicator types (ProfileTS) ----

struct IndicatorType {
    qint64 id = 0;       // ProfileTSID
    int sequence = 1000; // SequenceNo
    QString name;        // PreferenceType
    QString hint;        // EntryHint
    QString email;       // who is e-mailed about it
    bool isPrivate = false;
};

// A typed sequence: blank or not a number gives the default 1000.
inline constexpr int DefaultIndicatorSequence = 1000;
int IndicatorSequence(const QString& typed);

// Ordered by SequenceNo, PreferenceType.
std::vector<IndicatorType> GetAllPreferenceTypes(AppContext& ctx);
std::optional<IndicatorType> GetPreferenceType(AppContext& ctx, const QString& name);
// The editor's label: the sequence as "0000", " - ", the name.
QString IndicatorTypeLabel(const IndicatorType& t);
// The names for a combo; for the Profiles page's "Replace Email with..." the
// five pseudo entries come first.
QStringList GetProfileTypes(AppContext& ctx, bool forSearch);
inline const QStringList PseudoIndicators = {"*All Indicators", "*Business Email", "*Group Name",
                                             "*Job/Title", "*Last Contacted"};

// Each answers "" when done, or the refusal to show.
QString AddIndicatorType(AppContext& ctx, IndicatorType t);
// Moves every indicator of `oldName` onto the new type (its name, sequence and
// private flag), creating the type unless it exists, then deletes the old type.
QString ReplaceIndicatorType(AppContext& ctx, const QString& oldName, IndicatorType t);
// Hint, e-mail, sequence and private flag of the type and of its indicators.
QString UpdatePrefSequenceNo(AppContext& ctx, IndicatorType t);
// How many indicators use the type.
int CountIndicatorUses(AppContext& ctx, const QString& name);
// True for "GuestID" while the property uses the mandatory guest number: that
// type can be neither replaced nor deleted.
bool IsMandatoryGuestIdType(AppContext& ctx, const QString& name);
// Refused ("" not returned) while profiles carry the type or it is the
// mandatory GuestID; the caller asks for the confirmation first.
QString DeleteIndicatorType(AppContext& ctx, const QString& name);

// The in-use panel's text when a type still has indicators.
QString MsgIndicatorInUse(int count);
inline const QString MsgBlankIndicator = QStringLiteral("Cannot Add a Blank Indicator.");
inline const QString MsgIndicatorExists =
    QStringLiteral("The Indicator already exists in the list of available indicators.");
inline const QString MsgBlankReplacement = QStringLiteral("Cannot Replace a Blank Indicator.");
inline const QString MsgReplaceMissing = QStringLiteral(
    "The Indicator to replace does not exist\r\nin the list of available Indicators.");
inline const QString MsgUpdateMissing = QStringLiteral(
    "The Indicator to update does not exist\r\nin the list of available Indicators.");
inline const QString MsgGuestIdNoReplace =
    QStringLiteral("You have opted to use the Mandatory Guest \r\nID.  You may NOT "
                   "Change/Replace this Profile \r\nIndicator.");
inline const QString MsgGuestIdNoDelete =
    QStringLiteral("You have opted to use the Mandatory Guest \r\nID.  You may NOT delete this "
                   "Profile \r\nIndicator.");
inline const QString MsgDeleteIndicatorType = QStringLiteral(
    "Press <Yes> to DELETE this Preference Type.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgSelectIndicatorToDelete =
    QStringLiteral("Please select the Indicator you wish to delete.");
inline const QString MsgNotAuthorizedIndicators =
    QStringLiteral("You are not authorized to Maintain Indicators.");

// ---- tidying and letters ----

// Recasing of a name as the desk types it (o'brien → O'Brien, mcdonald →
// McDonald, smith iii → Smith III).
QString ProperCaseName(const QString& name);

// The letter text with every "~~~" merge field replaced for this profile;
// `sender` is the member writing it.
QString MergeLetterFields(AppContext& ctx, const QString& text, const Profile& p,
                          const QString& sender);

// ---- look-ups for other screens ----

// The logbook's guest look-up: profiles whose "GuestID" indicator equals
// `guestId`, or (guestId empty) whose last name contains `lastName`.
struct GuestSelection {
    qint64 profileId = 0;
    QString salutation, firstName, lastName, city, state, arrival, departure, unit;
};
std::vector<GuestSelection> GetGuestSelections(AppContext& ctx, const QString& guestId,
                                               const QString& lastName);

inline const QString MsgProfileLastName = QStringLiteral("Please enter the Last Name.  Thank you.");
inline const QString MsgProfileFirstName =
    QStringLiteral("Please enter the First Name.  Thank you.");
inline const QString MsgDeleteProfile = QStringLiteral(
    "Press <Yes> to confirm that you\r\nwish to delete this Entry?\r\nPress <No> to cancel the "
    "request.");
inline const QString MsgIndicatorIsCard =
    QStringLiteral("A Credit Card Number may Not be stored as a Profile Indicator");

} // namespace vm
