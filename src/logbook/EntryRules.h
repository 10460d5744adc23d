#pragma once
// Rules of the entry screen that do not need a screen: status boxes, the
// reference time, validation, text composition with signatures, the day
// limit and the permission gate.

#include "core/AppContext.h"
#include "core/Rights.h"

#include <QDate>
#include <optional>

namespace vm {

struct StatusFlags {
    bool complete = false, pending = false, onHold = false, cancelled = false;
    bool operator==(const StatusFlags&) const = default;
};
enum class StatusBox { Complete, Pending, OnHold, Cancelled };

// The boxes after `box` was set to `ticked`.
StatusFlags ApplyStatusClick(StatusFlags flags, StatusBox box, bool ticked);

struct TimeResult {
    bool ok = true;
    QString value;   // "HH:mm", or "" for an empty field
    QString message; // the refusal when not ok
};
// 9 → 09:00, 930 → 09:30, 1430 → 14:30, "1:10pm" → 13:10; 25:00 is refused.
TimeResult FormatReferTime(const QString& typed);
inline const QString InvalidReferTimeTitle = QStringLiteral("Invalid Refer Time");

struct EntryCheck {
    QString descriptiveText;
    QString guestId;
    QString category;
    QString referDate, arrivalDate, departureDate; // as typed (MM/dd/yyyy)
    bool isNew = true;
    bool guestIdMandatory = false;
};
// The first refusal, in the screen's order; empty when the entry may be saved.
QString ValidateEntry(const EntryCheck& c, const QDate& today);
// Refuses any "~~~": it separates notes inside the text.
bool HasNoteSeparator(const QString& text);

// The text after a save: the note joined with " ~~~ " and signed.
QString ComposeEntryText(const QString& text, const QString& note, const QString& initials,
                         const QDateTime& now);
QString ComposeArchiveNote(const QString& text, const QString& note, const QString& initials,
                           const QDateTime& now);

// The warning when the category's daily limit is reached on the date.
std::optional<QString> DayLimitMessage(int dayLogs, const QString& category, int count);

// Permission gate of the entry screen: managers pass; card rights are always read.
bool MayDo(AppContext& ctx, const Right& right);
// MayDo, showing `refusal` when the answer is no.
bool MayDoOrSay(AppContext& ctx, const Right& right, const QString& refusal);

inline const QString MsgSeparator = QStringLiteral(
    "The character string '~~~' is not allowed\r\nin the text of your Logbook entry.  "
    "These\r\ncharacters are reserved for message separators.");
inline const QString MsgGuestIdMandatory =
    QStringLiteral("Please enter a Guest ID for this Logbook Entry.  Thank you.");
inline const QString MsgNoType =
    QStringLiteral("Please select a Type for this Logbook Entry.  Thank you.");
inline const QString MsgArchiveNoteEmpty =
    QStringLiteral("Please enter the Archive Note you wish to add.  Thank you.");
inline const QString MsgDeleteEntry = QStringLiteral(
    "Press <Yes> to confirm that you\r\nwish to delete this Entry?\r\nPress <No> to cancel the "
    "request.");
inline const QString MsgSaveChanges = QStringLiteral("Do you wish to save your changes?");
inline const QString MsgDataChanged =
    QStringLiteral("Data has changed.\r\nDo you wish to save your changes?");
inline const QString MsgNotSavedNoMessages = QStringLiteral(
    "This logbook entry has not been saved.  There \r\nare no messages.  Thank you.");
inline const QString MsgSaveBeforePrint =
    QStringLiteral("You must <Save> this Logbook Entry before\r\nthe Logbook ID can be printed.");
inline const QString MsgSaveBeforeEmail =
    QStringLiteral("You must <Save> this Logbook Entry before\r\nthe Logbook ID can be emailed.");
inline const QString MsgNoMessaging = QStringLiteral(
    "As a Guest or Restricted User you do not have the ability to use messaging.  Thank you.");
inline const QString MsgSaveBeforeReminder =
    QStringLiteral("Logbook entry must be <Save>d before sending\r\n a reminder.  Thank you.");
inline const QString MsgNotified50 = QStringLiteral(
    "50 Character Length Exceeded\r\nYou have exceeded the maximum text lengh for this "
    "field.\r\nPlease revise the text.");
inline const QString MsgAddEntries =
    QStringLiteral("You are not authorized to Add Logbook Entries.");
inline const QString MsgViewMessages =
    QStringLiteral("You are not authorized to View Logbook Messages.");
inline const QString MsgSendMessages =
    QStringLiteral("You are not authorized to Send Logbook Messages.");
inline const QString MsgSelectProfile =
    QStringLiteral("You are not authorized to Select the Profile Information.");
inline const QString MsgLinkProfile =
    QStringLiteral("You are not authorized to Link to the Profile Information.");
inline const QString MsgPrintDetails =
    QStringLiteral("You are not authorized to print Logbook Details.");
inline const QString MsgDeselectProfile =
    QStringLiteral("You are not authorized to Deselect the Profile Information.");
inline const QString MsgDeselectKeepsGroup =
    QStringLiteral("This option does NOT change the selected Group.  If this person should not "
                   "be a member of this Group please DESelect the Group.  Thank you.");
// A status message shown for the category or the contact waits for <OK>.
inline const QString MsgAcknowledgeCategoryFirst = QStringLiteral(
    "Please acknowledge that you have read the \r\nLogbook Type Status Message by pressing the "
    "\r\n<OK> button before attempting to work with this \r\nlogbook entry.  Thank you.");
inline const QString MsgAcknowledgeContactFirst = QStringLiteral(
    "Please acknowledge that you have read the \r\nContact Status Message by pressing the "
    "\r\n<OK> button before attempting to work with this \r\nlogbook entry.  Thank you.");
inline const QString MsgAcknowledgeCategoryBeforeSave = QStringLiteral(
    "Please acknowledge that you have read the \r\nLogbook Type Status Message by pressing the "
    "\r\n<OK> button before attempting to Save this \r\nlogbook entry.  Thank you.");
inline const QString MsgAcknowledgeContactBeforeSave = QStringLiteral(
    "Please acknowledge that you have read the \r\nContact Status Message by pressing the "
    "\r\n<OK> button before attempting to Save this \r\nlogbook entry.  Thank you.");
inline const QString MsgCloneCards =
    QStringLiteral("You are not authorized to Clone Credit Card Numbers.");
inline const QString MsgNextGone =
    QStringLiteral("The next Logbook Entry of the list was deleted at another desk.");
inline const QString MsgChangedElsewhere = QStringLiteral(
    "This Logbook Entry was changed at another desk after you opened it.\r\n"
    "Press <Yes> to reload the entry; the note you typed stays in the Descriptive Text box.\r\n"
    "Press <No> to keep your text on the screen without saving.");
inline const QString MsgEntryGone =
    QStringLiteral("This Logbook Entry was deleted at another desk after you opened it.  "
                   "It was not saved.");

} // namespace vm
