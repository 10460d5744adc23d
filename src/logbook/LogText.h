#pragma once
// An entry's text is stored as NoteField (the first 255 characters) followed by
// LogText pieces of at most 255 characters each, joined with nothing between.

#include <QString>
#include <QStringList>

namespace vm {

inline constexpr int LogTextPieceSize = 255;

struct SplitText {
    QString noteField; // what LogBook.NoteField holds
    QString overflow;  // the rest, stored as LogText pieces
};

// The text without the blanks around it, except the line end that closes its
// last line: a designed line without its line end reads as damaged.
QString TrimLogText(const QString& text);
// Longer than 255: the first 255 characters, untrimmed, and the rest.
// Otherwise the trimmed text (TrimLogText) and no overflow.
SplitText SplitLogText(const QString& text);
// The overflow in pieces of 255 (the last one shorter); empty gives none.
QStringList LogTextPieces(const QString& overflow);
// NoteField followed by the pieces in sequence order.
QString JoinLogText(const QString& noteField, const QStringList& pieces);

// Entries that the web interface creates carry this line in their text; the
// first member to save one takes it over as its creator.
inline const QString WebEntryMark = QStringLiteral("~~~ Entry was added by Web Interface");
inline bool IsWebEntryText(const QString& text) {
    return text.contains(WebEntryMark);
}

} // namespace vm
