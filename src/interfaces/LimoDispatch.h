#pragma once
// The limousine dispatch interface: the billing codes the desk may charge,
// the mapping of the dispatch system's fields to the lines of the limousine
// category's data-entry design, and the file exchange with the dispatch
// system's bridge program (a request file in, a return file with the
// confirmation number out).  Engine failures raise DbError.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookServices.h"

#include <QStringList>
#include <vector>

namespace vm {

// ------------------------------------------------------------ billing codes

struct OdsBillingCode {
    qint64 id = 0;
    QString code, description;
};

std::vector<OdsBillingCode> GetOdsBillingCodes(Database& db);
// The id a new code gets: one more than the largest in use (1 for the first).
qint64 GetNextOdsBillingID(Database& db);
// Inserts the code under its id when `isNew`, else changes the code with that id.
void SaveOdsBilling(Database& db, const OdsBillingCode& code, bool isNew);
// Answers false when no code had that id.
bool DeleteOdsBillingCode(Database& db, qint64 id);

// ------------------------------------------------------------ field mapping

struct OdsMapping {
    qint64 id = 0;
    QString element;      // the field's name as the dispatch system shows it
    QString elementShort; // the field's key in the request file
    bool required = false;
    qint64 categoryId = 0;  // the limousine category (the same on every row)
    qint64 vmElementId = 0; // the design line that supplies the field; 0: none
};

// Keys of the request file with a meaning of their own.
inline const QString OdsKeyConfirmation = QStringLiteral("confnum");
inline const QString OdsKeyCard = QStringLiteral("ccnumb");
inline const QString OdsKeyBillingCode = QStringLiteral("bcode");
inline const QString OdsKeyVehicle = QStringLiteral("vtype");
inline const QString OdsKeyFlight = QStringLiteral("flight");

// The dispatch system's fields, in request order; the rows are put in place
// the first time they are read from an empty table.
std::vector<OdsMapping> LoadOdsLabels(Database& db);
// The limousine category's LogTypeID; 0 while the mapping was never saved.
qint64 OdsLimoCategoryID(Database& db);
// The refusal of a mapping (a required field unmatched, a design line used
// twice), or an empty text.
QString CheckOdsMappings(const std::vector<OdsMapping>& rows);
// Checks, then writes every row's design line and the category in one
// transaction; answers the refusal, or an empty text once saved.
QString SaveOdsMappings(Database& db, qint64 categoryId, const std::vector<OdsMapping>& rows);

// Whether the VmSettings switch "OdsLimoInterface" is on.
bool OdsInterfaceEnabled(Database& db);

// ------------------------------------------------------------ the exchange

// What the desk does to the entry: send it (new or changed) or cancel it.
enum class OdsAction { Send, Cancel };

struct OdsRequest {
    bool noBillingCodes = false; // nothing checked further, nothing to send
    QStringList missing;         // the items of the "Incomplete Form" message, in order
    QStringList lines;           // "key:value" lines of the request file, in order
    QString restype;             // "new", "change" or "cancel"

    bool ready() const { return !noBillingCodes && missing.isEmpty(); }
};

// Builds the request for the entry and collects what is missing.
OdsRequest ValidateODS(AppContext& ctx, const LogEntry& entry, OdsAction action);

// Where the request and return files live: VmSettings "OdsLimoFolder" when
// set, else the workstation's output folder.
QString OdsExchangeFolder(AppContext& ctx);
// The bridge program: VmSettings "OdsLimoProgram" when set, else OdsLimo
// (OdsLimo.exe) beside the executable; "" when there is none.
QString OdsBridgeProgram(AppContext& ctx);
// How long the bridge may run: VmSettings "OdsLimoTimeout" seconds (default 120).
int OdsBridgeTimeoutMs(AppContext& ctx);

inline const QString OdsRequestFileName = QStringLiteral("OdsIN.txt");
inline const QString OdsReturnFileName = QStringLiteral("OdsRet.txt");

struct OdsExchange {
    enum Status {
        Confirmed,   // the return file names this entry and a numeric confirmation
        NotWritten,  // the request file could not be written (or an old return file removed)
        NoBridge,    // no bridge program, or it did not start
        TimedOut,    // the bridge was still running at the limit and was stopped
        BridgeError, // the bridge ended with a non-zero exit code
        NoReturn,    // the bridge wrote no return file
        OtherEntry,  // the return file names another entry
        Malformed    // the return file could not be read as id and number
    };
    Status status = NotWritten;
    QString confirmation;
    QString detail; // a path or an exit code for the message
};

// Writes the request file, runs the bridge and reads its return file.  An
// earlier return file is removed before the bridge starts, so only an answer
// to this request is read.
OdsExchange TransmitToODS(AppContext& ctx, const OdsRequest& request, qint64 logId);

// The message for an exchange that brought no confirmation.
QString OdsFailureMessage(const OdsExchange& x);

// Sends a saved entry of the limousine category after the desk saved it:
// validates, exchanges and, on a confirmation, writes the number into its
// design line and saves the entry.  Every outcome is told through the
// prompt.  An entry of another category, an interface switched off, an entry
// already cancelled before, or a cancellation of an entry that was never
// confirmed send nothing.  Answers true when the entry was changed.
bool DispatchLimoEntry(AppContext& ctx, qint64 logId, bool cancelling,
                       const LogbookServices* hooks = nullptr);

// The card number as sent: only its last four digits, "xxxxxxxxxxxx" in front
// of a full number (13 digits or more), "xxxx" in front of a shorter one.
QString MaskOdsCard(const QString& value);

// Texts.
QString OdsNoBillingCodesMessage();
inline const QString OdsNoBillingCodesTitle = QStringLiteral("No Billing Codes found");
QString OdsIncompleteMessage(const QStringList& missing);
inline const QString OdsIncompleteTitle = QStringLiteral("Incomplete Form");
QString OdsInvalidMatchupMessage();
inline const QString OdsInvalidMatchupTitle = QStringLiteral("Invalid Field Matchup");
inline const QString OdsSavedMessage =
    QStringLiteral("The ODS Interface Options have been successfully saved!");
inline const QString OdsSavedTitle = QStringLiteral("Data Successfully Saved");
inline const QString OdsDisabledText = QStringLiteral(
    "Your ODS Limo Interface has not been enabled.  This feature is not available.");
inline const QString OdsCompleteTitle = QStringLiteral("Reservation Complete");
QString OdsCompleteMessage(bool cancelling);
inline const QString OdsNoConfirmationTitle = QStringLiteral("No Confirmation");

} // namespace vm
