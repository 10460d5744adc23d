#include "logbook/LogText.h"

namespace vm {

QString TrimLogText(const QString& text) {
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return trimmed;
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    if (QStringView(text).mid(end).contains(u"\r\n")) trimmed += QStringLiteral("\r\n");
    return trimmed;
}

SplitText SplitLogText(const QString& text) {
    if (text.size() > LogTextPieceSize)
        return {text.left(LogTextPieceSize), text.mid(LogTextPieceSize)};
    return {TrimLogText(text), {}};
}

QStringList LogTextPieces(const QString& overflow) {
    QStringList pieces;
    // Pieces are kept verbatim: trimming one would lose blanks at its edges.
    for (qsizetype at = 0; at < overflow.size(); at += LogTextPieceSize)
        pieces << overflow.mid(at, LogTextPieceSize);
    return pieces;
}

QString JoinLogText(const QString& noteField, const QStringList& pieces) {
    // The single blank of an empty NoteField is not part of the text.
    QString text = noteField == " " ? QString() : noteField;
    for (const QString& p : pieces)
        text += p;
    return text;
}

} // namespace vm
