#pragma once
// Maintenance of a category's data-entry design (DEDesign): reading it for
// the editor, the label rules, and saving it.  Fields are found in entry
// texts by their label, so a save that renames labels rewrites the entries of
// the category in the current and the archive database.

#include "core/AppContext.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace vm {

inline constexpr int MaxDesignLines = 15;

// A line of the design as the editor shows it; the flags are its markers.
struct DesignLine {
    qint64 designId = 0; // 0: not saved yet
    QString label;
    bool numbersOnly = false; // EncryptThis, "0-9"
    bool doNotPrint = false;  // DoNotPrint, "DnP"
    bool contact2DE = false;  // Contact2DE, "C2DE"
    bool locked = false;      // ResortClubLocked, "Locked"

    bool isEmpty() const { return label.trimmed().isEmpty(); }
};

// A design line's label and key, in sequence order.
struct DesignElement {
    qint64 designId = 0;
    QString label;
};

// The lines of the category's design in sequence order.
std::vector<DesignLine> GetDEEditDefinition(Database& db, qint64 logTypeId);
std::vector<DesignElement> GetDEElements(Database& db, qint64 logTypeId);
// Every label in use by any design, by label (for pick lists).
QStringList GetUniqueDEs(Database& db);
// The categories that have a design, by name: (LogTypeID, LogType).
std::vector<std::pair<qint64, QString>> GetCloneCandidates(Database& db);

// Locked by the category's own flag or by any locked line: nothing of the
// design may then be changed.
bool IsDesignLocked(Database& db, qint64 logTypeId);

// The label as it is stored: trimmed, quotes and bars made safe like the
// entry texts it is searched in, ":" appended when missing.  Empty when
// nothing was typed (refused with MsgEmptyLabel).
QString NormaliseLabel(const QString& typed);

// The refusal of a design whose labels could not be told apart in an entry's
// text, or an empty text.  Labels compare regardless of case, as they are read.
QString CheckDesign(const std::vector<DesignLine>& lines);

// (old label, new label) pairs applied together.
using LabelRenames = std::vector<std::pair<QString, QString>>;

// The text with every designed line of an old label relabelled.  A label is
// matched regardless of case where a line starts (the text's start or after
// a line end), the only place a designed line begins; the same words inside
// free text or a value stay as typed.  All renames apply in one pass, so a
// swap or a chain of renames does not merge lines.
QString RelabelText(const QString& text, const LabelRenames& renames);

// Relabels the entries of a category in one database: every entry whose text
// changes is rewritten (NoteField and LogText pieces) and gets one history
// row; answers the number of entries changed.  Runs in the caller's
// transaction when there is one.
int UpdateDEDesign(Database& db, const QString& categoryName, const LabelRenames& renames,
                   const QString& initials, const QString& logDateTime);

// Saves lines 1 to 15 (the position in `lines` is the sequence number; empty
// lines are skipped, lines beyond 15 never saved).  A line keeps its
// DesignID; a saved line whose label changed relabels the entries of the
// category in both databases and the category's printed-form lines.  Nothing
// is written when it fails.  Answers the refusal shown to the user (locked
// design, label rules) or an empty text once saved; the change is recorded in
// the shared activity log.
QString SaveDesign(AppContext& ctx, qint64 logTypeId, const std::vector<DesignLine>& lines);

QString DesignChangedActivityLine(const QString& staff, const QString& category,
                                  const QDateTime& when, const QString& computer);

inline const QString ReasonDesignChanged = QStringLiteral("Data Entry Design Changed.");
inline const QString MsgCategoryLocked =
    QStringLiteral("This Logbook Category is LOCKED and may not be changed.");
inline const QString MsgLabelsLocked =
    QStringLiteral("The Labels in Red are LOCKED and may not be changed.");
inline const QString MsgEmptyLabel =
    QStringLiteral("Please enter the Label of the new line.\r\n\r\n"
                   "A field without a visible label still needs one: enter a double colon (::), "
                   "a period (.), a tilde (~) or the at sign (@) as its label.");
inline const QString MsgDesignFull =
    QStringLiteral("All 15 lines of this Data Entry Design are in use.\r\n"
                   "Please remove a line before adding another.");

// "We have found duplicate labels (Address:) defined." and the explanation.
QString DuplicateLabelsMessage(const QString& label);
// "We have found two labels ('Address:' And 'Home Address:') where the second
// label ENDS with …" and the explanation.
QString EndingLabelsMessage(const QString& first, const QString& second);

} // namespace vm
