#pragma once
// The guest itinerary: which guests have entries, which of their logbook
// entries go onto the itinerary, the property's texts and header options,
// and the composed itinerary that is printed or mailed.  Nothing about an
// itinerary is stored; every statement reads the current database.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace vm {

// ---- guests ----

// A guest as the itinerary lists pick one: a name, and the profile its entries
// are linked to (0: entries without a profile).
struct ItineraryGuest {
    QString lastName, firstName;
    qint64 profileId = 0;

    // "Last, First", with " {P}" when the entries are linked to a profile.
    QString caption() const;
    bool operator==(const ItineraryGuest&) const = default;
};

// Guests whose last name contains the typed text; "last, first" also asks the
// first name to start with what follows the comma.  Names and profiles kept
// apart: the same name linked and unlinked gives two guests.  Ordered by last
// and first name.  The typed text is cleaned as stored names are, and LIKE's
// own characters in it are matched literally.
std::vector<ItineraryGuest> ItineraryGuestsByName(AppContext& ctx, const QString& typed);
// Guests with entries arriving on `arrival`, ordered by last and first name.
std::vector<ItineraryGuest> ItineraryGuestsByArrival(AppContext& ctx, const QDate& arrival);

// ---- entries ----
// Every reader leaves out cancelled entries and entries of categories marked
// "Do Not Print on Guest Itinerary", and orders by reference date, reference
// time and category.

// The guest's entries: by profile when the guest has one, else by name among
// the entries linked to no profile.
std::vector<LogEntry> ItineraryEntries(AppContext& ctx, const ItineraryGuest& guest);
// The same, only entries arriving on `arrival`.
std::vector<LogEntry> ItineraryEntriesArriving(AppContext& ctx, const ItineraryGuest& guest,
                                               const QDate& arrival);
// The entries of the hotel's guest id.
std::vector<LogEntry> ItineraryEntriesOfGuestId(AppContext& ctx, const QString& guestId);
// The entries of a group, every guest's.
std::vector<LogEntry> ItineraryEntriesOfGroup(AppContext& ctx, qint64 groupId);
// The entries of `logIds` in that order (the itinerary grid as shown); the
// same filters apply, so a removed or cancelled entry is not printed.
std::vector<LogEntry> ItineraryEntriesByIds(AppContext& ctx, const std::vector<qint64>& logIds);
// Whether the entry is the guest's: the same profile, or for a guest without
// one, the same name (ignoring case) and no profile.
bool IsGuestOf(const ItineraryGuest& guest, const LogEntry& e);
// The guests of `entries` in order of first appearance.
std::vector<ItineraryGuest> GuestsOfEntries(const std::vector<LogEntry>& entries);

// ---- texts and options ----

// The languages, in the order of their numbers (Session::language).
const QStringList& ItineraryLanguages();

struct ItineraryTexts {
    QString header;             // "H": after the heading
    QString footer;             // "F": at the end
    QString confirmationFooter; // "S": single confirmations
};
ItineraryTexts GetItineraryTexts(AppContext& ctx, int language);
// Replaces the language's three texts, each cleaned (CleanSqlText) and kept
// in 255-character pieces; a blank text leaves no rows.  One transaction.
void SaveItineraryTexts(AppContext& ctx, int language, const ItineraryTexts& texts);
// Removes the language's three texts; other languages keep theirs.
void DeleteItineraryTexts(AppContext& ctx, int language);

// The fixed phrases, by sequence.  A phrase may hold "@~~" where its value goes.
enum class Phrase {
    Title = 1,        // the standard heading: "Itinerary for @~~" (the guest)
    Greeting = 2,     // "Dear @~~,"
    Introduction = 3, // the sentence before the items
    ItemDate = 4,     // the line of an item's date: "@~~"
    Signature = 5,    // before the signature line
    SignedDate = 6    // before the date line
};
inline const QString PhraseMarker = QStringLiteral("@~~");
// The language's phrase with `value` put in for the marker; an English
// itinerary falls back on the program's wording when the installation has
// none, any other language leaves the phrase out (null answer).
QString ItineraryPhrase(AppContext& ctx, int language, Phrase phrase, const QString& value = {});

// The header options of the settings.
enum class Alignment { Left, Center, Right };
QString AlignmentName(Alignment a); // "Left", "Center", "Right"
Alignment AlignmentFromName(const QString& name, Alignment fallback);

// What a custom header column shows.
enum class HeaderColumn {
    None,
    GuestName,
    UserText,
    IndicatorWithCaption,
    IndicatorValue,
    DatePrinted
};
const QStringList& HeaderColumnCaptions(); // "None", "Guest Name", … in enum order
// The profile indicator types a column may show, in their order.
QStringList ItineraryIndicatorTypes(AppContext& ctx);
// The date formats of "Date Printed".
const QStringList& DatePrintedFormats();

struct ItineraryHeaderOptions {
    bool useCustomTitle = false; // UseCustomItineraryTitle
    std::array<HeaderColumn, 3> columns{HeaderColumn::None, HeaderColumn::None, HeaderColumn::None};
    std::array<QString, 3> values; // text, indicator name or date format
    Alignment headAlign = Alignment::Center, itinAlign = Alignment::Left,
              footAlign = Alignment::Left;
};
ItineraryHeaderOptions LoadItineraryHeaderOptions(AppContext& ctx);
// Writes UseCustomItineraryTitle, each column's type and (where it has one)
// its value, then the three alignments.
void SaveItineraryHeaderOptions(AppContext& ctx, const ItineraryHeaderOptions& o);

// "Do Not Print Refer Time" (DNP_Itinerary_RefTime, "True"/"False").
bool GetDNPRefTime(AppContext& ctx);
void SetDNPRefTime(AppContext& ctx, bool on);
// "Default is to Use Header and Footer Text When Printing Itinerary".
bool GetUseHeadFoot(AppContext& ctx);
void SetUseHeadFoot(AppContext& ctx, bool on);

// ---- the composed itinerary ----

// The choices of the itinerary screen.
struct ItineraryOptions {
    int language = 0;
    bool letterhead = false;      // else plain paper
    bool logo = false;            // the property's logo
    bool headingAndFooter = true; // the language's "H" and "F" texts
    bool fax = false;             // bigger type for a fax
    bool signature = false;       // signature and date lines
    bool noReferTime = false;
    QString valediction;
    // A group's itinerary: addressed to the group, each item names its guest.
    QString groupName;
};

struct ItineraryItem {
    qint64 logId = 0;
    QString dateLine; // the date phrase: "Friday, 03/12/2027  07:30 PM"
    QString category;
    QString guest;       // the entry's guest, shown when the itinerary is a group's
    QStringList details; // designed "label value" lines, then the request's text
    QString wording;     // the category's confirmation wording
    QString completedBy; // "Completed by Concierge:  " + who entered it (PrintTeam)
};

struct ItineraryDocument {
    QString guestName; // or the group's name
    qint64 profileId = 0;
    bool namesGuests = false; // each item names its guest (a group's itinerary)
    // The heading: the standard title, or the three custom columns.
    QString title;
    bool customHeading = false;
    std::array<QString, 3> headingColumns;
    QString headerText;  // "H"
    QStringList opening; // greeting and introduction
    std::vector<ItineraryItem> items;
    QStringList signatureLines;
    QString valediction;
    QString footerText; // "F"
    Alignment headAlign = Alignment::Center, itinAlign = Alignment::Left,
              footAlign = Alignment::Left;
};

// Composes the itinerary of `entries` (in their order) for the guest of the
// first entry.
ItineraryDocument ComposeItinerary(AppContext& ctx, const std::vector<LogEntry>& entries,
                                   const ItineraryOptions& options);

// The e-mail of an itinerary.
struct ItineraryMail {
    QString to; // "" when the guest has no usable address
    QString subject;
    QString body; // lines end in CRLF
};
// Subject "Your Itinerary - " + ConfirmationText1; the recipient from the
// first entry linked to a profile; the body in the itinerary's order, each
// line indented by two blanks.
ItineraryMail ComposeItineraryMail(AppContext& ctx, const ItineraryDocument& d);
QString ItineraryMailBody(const ItineraryDocument& d);
// The profile's address for guest mail: EmailAddress unless DNUEmail, else
// EmailAddressB unless DNUEmailB; a blank address is passed over.
QString ProfileMailRecipient(AppContext& ctx, qint64 profileId);

// The messages of the itinerary screens.
inline const QString MsgNoGuestsFound =
    QStringLiteral("No Guests Found for the Last Name Selected");
inline const QString MsgInvalidArrival =
    QStringLiteral("Please enter a valid Arrival Date.  Thank you.");
inline const QString MsgNoArrivals =
    QStringLiteral("Please select a valid Arrival Date and search for guests.  Thank you.");
inline const QString MsgDeleteItineraryTexts = QStringLiteral(
    "Do you wish to Delete the Itinerary/Confirmation Heading and Footing Text Entries?");

} // namespace vm
