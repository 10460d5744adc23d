#pragma once
// The pieces the logbook's letters are made of: the letterhead page, the
// opening (date, guest, salutation), the entry's facts, the category's wording
// and the closing with the signature.

#include "logbook/reports/ReportData.h"
#include "output/Document.h"

namespace vm {

// Who signs and when: read once per document.
struct LetterContext {
    PrintSettings settings;
    QDate today;
    QString staffName, jobTitle;
    Database* db = nullptr; // for the spouse look-up
};
LetterContext LoadLetterContext(AppContext& ctx);

// A letter on the letterhead: the letterhead font, the property's logo at the
// top of every page when the logo option is on, and the margins of its kind
// (PrintSettings: 1.0in left and right, 2.1in top for the printed letterhead
// and 1.5in bottom unless the property set its own).
enum class LetterKind { Letter, Confirmation };
doc::Document LetterDocument(const QString& title, const PrintSettings& s,
                             LetterKind kind = LetterKind::Letter);

// Today's date, the guest's name (with the spouse, room and guest id as the
// settings say) and "Dear …,".
void AppendOpening(QList<doc::Block>& body, const LetterContext& lc, const LogEntry& e);
// "Logbook ID: ", "Arriving: " and "Date: " lines, as the settings say.
void AppendEntryFacts(QList<doc::Block>& body, const LetterContext& lc, const LogEntry& e);
// A category's wording, one paragraph per line; nothing when it is blank.
void AppendWording(QList<doc::Block>& body, const QString& wording, const PrintSettings& s);
// The valediction (the setting, or `defaultValediction`), room for the
// signature, the staff member's name and title, the property, and with
// PrintTeam who entered the entry.
void AppendClosing(QList<doc::Block>& body, const LetterContext& lc, const LogEntry& e,
                   const QString& defaultValediction);

// The name line of a letter: "Pat Smith", with the spouse when the setting
// asks for it and the profile has one ("Pat Smith and Chris Smith").
QString AddresseeName(const LetterContext& lc, const LogEntry& e);

} // namespace vm
