#pragma once
// Texts longer than a column, kept in EvConText as numbered pieces of at most
// 255 characters under an owner's key and a kind code.  The kind decides the
// database: contact texts live with the contacts and event notes with the
// events (the common database when those are shared), everything else in the
// current database.

#include "core/AppContext.h"

#include <QString>
#include <QStringList>

namespace vm {

// Kind codes.  One owner kind, one code: two owners under one code would
// overwrite each other's texts whenever their keys met.
namespace TextKind {
inline const QString ContactNotes = QStringLiteral("C");
inline const QString ContactDirections = QStringLiteral("D");
inline const QString ContactGuestList = QStringLiteral("G");
inline const QString EventNotes = QStringLiteral("E");
inline const QString ProfileNotes = QStringLiteral("P");
inline const QString LetterTemplate = QStringLiteral("B");
inline const QString CategoryConfirmation = QStringLiteral("W");
inline const QString CategoryVendorRequest = QStringLiteral("V");
inline const QString CategoryCorrespondence = QStringLiteral("LC");
inline const QString StaffCategories = QStringLiteral("U");
inline const QString StaffLanguage = QStringLiteral("L");
// A task description beyond its first 100 characters: key = the master's id,
// or the negative id of a one-time task.
inline const QString TaskDescription = QStringLiteral("T");
// Itinerary texts: key 0 and the letter followed by the language's number
// ("H1" is the French header).  Phrases ("I") are one row each: key = the
// language, Sequence = the phrase's number.
inline const QString ItineraryHeader = QStringLiteral("H");
inline const QString ItineraryFooter = QStringLiteral("F");
inline const QString ConfirmationFooter = QStringLiteral("S");
inline const QString ItineraryPhrase = QStringLiteral("I");
// Timed services: a provider's assigned service (key = the provider, one row
// per service, its id as the text) and a booking's instructions (key = the booking).
inline const QString ProviderService = QStringLiteral("X");
inline const QString BookingInstructions = QStringLiteral("Y");
// A sign-up sheet's text (key = its OtherID).
inline const QString SignUpSheet = QStringLiteral("SignUp");
} // namespace TextKind

inline constexpr int LongTextPieceSize = 255;

// The database that holds texts of this kind.
Database& LongTextDb(const AppContext& ctx, const QString& kind);

// The pieces a text is stored in: 255 characters each, the last one shorter.
QStringList LongTextPieces(const QString& text);

// The owner's text of this kind, its pieces joined in order ("" when none).
QString GetECT(const AppContext& ctx, qint64 key, const QString& kind);
// Replaces the owner's text of this kind.  A text that is empty once trimmed
// leaves no rows; any other is passed through CleanSqlTextKeepAmp (a staff
// member's category list, kind "U", is kept as typed).  Runs in one
// transaction of the text's database (or joins the caller's).
void PutECT(const AppContext& ctx, qint64 key, const QString& kind, const QString& text);
// Removes the owner's texts of these kinds.
void DeleteECT(const AppContext& ctx, qint64 key, const QStringList& kinds);

} // namespace vm
