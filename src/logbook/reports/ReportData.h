#pragma once
// What the logbook's printed documents share: the arguments of a request, the
// entries read from the database the request names, the print settings of
// the property and the texts as they may appear on paper.

#include "core/AppContext.h"
#include "logbook/LogEntry.h"
#include "output/Reports.h"

#include <QStringList>
#include <vector>

namespace vm {

// Arguments of the logbook's routines.
inline const QString ArgLogId = QStringLiteral("logId");
inline const QString ArgLogIds = QStringLiteral("logIds");
inline const QString ArgArchive = QStringLiteral("archive");
// The guest's address for the preview window's E-mail button.
inline const QString ArgEmailTo = QStringLiteral("EmailTo");

// The database the request reads ("archive" true: the archive).
LogSource RequestSource(const PrintRequest& r);
// The ids of "logIds" in their order, or the one "logId"; ids below 1 are dropped.
std::vector<qint64> RequestIds(const PrintRequest& r);

// The property's choices for printed documents.  The four without a place in
// the settings row (date formats, spouse name, reference time) are VmSettings
// keys; booleans there are "True"/"False".
struct PrintSettings {
    QString referenceDateFormat = QStringLiteral("Long Date");
    QString arrivalDateFormat = QStringLiteral("Long Date");
    bool printSpouseName = false;
    bool printRoom = false;   // room number on guest letters
    bool printRmNo = false;   // room number on the service requests
    bool noReferTime = false; // reference times left out
    bool noCreditCards = false;
    bool printTeam = false; // "Completed by Concierge:  " who entered the entry
    bool signatureSpacing = false;
    bool printLogId = false;
    bool printMasterId = false; // the hotel's guest id on guest documents
    bool unNotifiedOnly = false;
    bool useLogo = false;
    QString valediction;
    QString confirmationText1; // the property as it signs its letters
    QString bulkPrintNotify;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10;
    QString logoPath; // Images/picVmLogo.gif of the program folder
    // Page margins in inches of the letters and of the guest confirmation: the
    // property's letterhead settings where they hold a usable value, else the
    // room a printed letterhead needs (1.0, 1.0, 2.1 at the top, 1.5 below).
    doc::Margins letterMargins{2.1, 1.5, 1.0, 1.0};
    doc::Margins confirmationMargins{2.1, 1.5, 1.0, 1.0};
};
PrintSettings LoadPrintSettings(AppContext& ctx);
// The four margins, each from its setting when that is usable (above 0, at most
// 5.5 inches), else from `fallback`.
doc::Margins LetterMargins(double top, double bottom, double left, double right,
                           const doc::Margins& fallback);

// The entry of "logId" with its text, from the request's database; a missing
// entry is refused with MsgEntryNotFound.
LogEntry RequestedEntry(AppContext& ctx, const PrintRequest& r);
// The e-mail address of the guest profile an entry is linked to ("" when the
// entry has no profile or the profile no address): where a guest document is
// mailed.  Profiles live in the current database, whatever the entry's.
QString GuestEmailOfEntry(AppContext& ctx, qint64 logId, LogSource source);
// The entries of `ids` with their texts, in the order of `ids`; ids that do
// not exist are left out.  Read in slices of a few hundred ids.
std::vector<LogEntry> ReadEntries(AppContext& ctx, const std::vector<qint64>& ids,
                                  LogSource source);

// A text as it may be printed: card numbers masked to their last four digits,
// or replaced by "DELETED CC#" when the property keeps no card numbers.
QString PaperText(const QString& text, const PrintSettings& s);
// The request of an entry as the guest (or a vendor) sees it: its notes
// without signatures, one a line, designed lines marked "do not print" left
// out, card numbers as PaperText.
QString GuestRequestText(const QString& text, const QStringList& hiddenLabels,
                         const PrintSettings& s);
// The labels of the category's design lines marked "do not print".
QStringList HiddenDesignLabels(Database& db, const QString& category);
// (label, value) of the category's design lines that hold a value; with
// `guest` the lines marked "do not print" are left out.
QList<QPair<QString, QString>> DesignFieldValues(Database& db, const LogEntry& e, bool guest);

// A stored "yyyy/MM/dd" day in the named format; "" when it is not a day.
QString PrintedDate(const QString& stored, const QString& formatName);
// The reference date in its format, " at " and the time unless times are left out.
QString PrintedReferWhen(const LogEntry& e, const PrintSettings& s);
QString GuestFullName(const LogEntry& e);
// The "Spouse Name" indicator of the entry's profile; "" without one.
QString SpouseName(Database& db, qint64 profileId);
// The staff member's job title; "" when unknown.
QString JobTitleOf(Database& db, qint64 conciergeId);

QString SourceName(LogSource source); // "Current" / "Archive"
QString MsgEntryNotFound(qint64 logId, LogSource source);
inline const QString MsgNoEntriesChosen =
    QStringLiteral("There are no Logbook Entries to print.  Please select some entries first.");

} // namespace vm
