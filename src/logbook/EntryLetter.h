#pragma once
// The documents of one logbook entry that can be printed or e-mailed: who may
// have which, and the plain-text letter that goes into an e-mail.  Printing
// itself belongs to the output module (LogbookScreenHooks::printEntry).

#include "core/AppContext.h"
#include "core/Rights.h"
#include "logbook/LogEntry.h"

#include <QStringList>

namespace vm {

enum class EntryDocument {
    Details,
    Confirmation,
    GuestRequest,
    VendorRequest,
    Correspondence,
    CustomForm
};
enum class OutputAction { Print, Email };

// Every document, in the order the choice lists them.
const QList<EntryDocument>& AllEntryDocuments();
// The document's name for the output module ("Details", "Confirmation", …).
QString EntryDocumentName(EntryDocument d);
// The caption of the choice ("Logbook Details", "Guest Confirmation", …).
QString EntryDocumentCaption(EntryDocument d);
// The objectName of the document's action in the menu ("mnuDetails" …).
QString EntryDocumentActionName(EntryDocument d);
// The right a document needs and the refusal when it is missing.
Right EntryDocumentRight(EntryDocument d);
QString EntryDocumentRefusal(EntryDocument d);
// The category text a letter quotes: 'W' confirmation, 'V' vendor request,
// 'C' correspondence; empty for the others.
QString EntryDocumentTextType(EntryDocument d);

// The read-only guest session (its display name is "Guest Viewer").
bool IsGuestViewer(const Session& s);

// Whether the session may print or e-mail the document of `entry`; answers the
// refusal to show, or an empty text.  Order: unsaved entry, guest viewer,
// right, correspondence text.  The guest viewer holds no rights string: the
// setting GuestPrintAbility alone lets it print the guest confirmation.
QString CheckEntryOutput(AppContext& ctx, const LogEntry& entry, EntryDocument d,
                         OutputAction action);

struct LetterSettings {
    bool printLogId = false; // PrintLogID
    bool printRoom = false;  // PrintRoom
    QString valediction;     // Valediction; empty: the document's default
};
LetterSettings LoadLetterSettings(Database& db);

// The notes of a stored entry text, one per item: the text joins notes with
// " ~~~ " (archive notes with "~~~Post-Archive Note~~~") and each note ends in
// its signature " (II yyyy/MM/dd HH:mm)", which `keepSignatures` false removes.
// Blank notes (a signature alone) are left out.
QStringList EntryNotes(const QString& text, bool keepSignatures);

// The plain-text letter of a document (Details, Confirmation, GuestRequest,
// VendorRequest, Correspondence), lines ending in "\r\n".  `categoryText` is
// the category's text of the document's type; `staffName` signs the letter.
QString ComposeEntryLetter(EntryDocument d, const LogEntry& entry, const QString& categoryText,
                           const LetterSettings& settings, const QString& staffName);

// "A Request from " + ConfirmationText1 for the vendor request (the property
// writes to a vendor); "Your Request - " + ConfirmationText1 for every other
// document (they go to the guest).  Without a ConfirmationText1 the dash or
// "from" is left out.
QString MailSubject(EntryDocument d, const QString& confirmationText1);

// Writes `text` to "TempMail.txt" in `folder` behind the hint line, whole or
// not at all; answers the file's path, or an empty text when it failed.
QString WriteTempMail(const QString& folder, const QString& text);

inline const QString MsgPrintCorrespondence =
    QStringLiteral("You are not authorized to print Logbook (Correspondence) Details.");
inline const QString MsgVendorRequestRight =
    QStringLiteral("You are not authorized to Print/Email the Vendor Service Request.");
inline const QString MsgGuestRequestRight =
    QStringLiteral("You are not authorized to Print/Email the Guest Service Request.");
inline const QString MsgConfirmationRight =
    QStringLiteral("You are not authorized to Print/Email the Guest Confirmation.");
inline const QString MsgCustomFormRight =
    QStringLiteral("You are not authorized to Print/Email the Custom Form.");
inline const QString MsgNoCorrespondence =
    QStringLiteral("There is no Correspondence definition for this Logbook Entry Type.");
inline const QString MsgGuestViewerNoPrint =
    QStringLiteral("Printing is not available to the Guest Viewer.  Thank you.");
inline const QString MsgGuestViewerConfirmationOnly =
    QStringLiteral("The Guest Viewer may print only the Guest Confirmation.  Thank you.");
inline const QString MsgGuestViewerNoEmail =
    QStringLiteral("E-mail is not available to the Guest Viewer.  Thank you.");
inline const QString TempMailHint =
    QStringLiteral("As a TEMPORARY Solution --- CUT and PASTE the Text from this file.");
inline const QString TempMailName = QStringLiteral("TempMail.txt");

} // namespace vm
