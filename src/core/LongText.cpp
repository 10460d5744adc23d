#include "core/LongText.h"

#include "core/DataAccess.h"

namespace vm {

Database& LongTextDb(const AppContext& ctx, const QString& kind) {
    if (kind == TextKind::ContactNotes || kind == TextKind::ContactDirections ||
        kind == TextKind::ContactGuestList)
        return ctx.contactsDb();
    if (kind == TextKind::EventNotes) return ctx.eventsDb();
    return ctx.db();
}

QStringList LongTextPieces(const QString& text) {
    QStringList pieces;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype size = qMin<qsizetype>(LongTextPieceSize, text.size() - at);
        // A character beyond the basic plane stays whole: half of one cannot
        // be stored on an engine that keeps UTF-8.
        if (at + size < text.size() && text.at(at + size - 1).isHighSurrogate()) --size;
        pieces << text.mid(at, size);
        at += size;
    }
    return pieces;
}

QString GetECT(const AppContext& ctx, qint64 key, const QString& kind) {
    QString text;
    for (const Row& r :
         LongTextDb(ctx, kind).query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? "
                                     "AND [EvConType] = ? ORDER BY [Sequence]",
                                     {key, kind}))
        text += r.text("NoteField");
    return text;
}

void PutECT(const AppContext& ctx, qint64 key, const QString& kind, const QString& text) {
    Database& db = LongTextDb(ctx, kind);
    db.transaction([&] {
        db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?", {key, kind});
        if (text.trimmed().isEmpty()) return;
        const QString stored = kind == TextKind::StaffCategories ? text : CleanSqlTextKeepAmp(text);
        int sequence = 0;
        for (const QString& piece : LongTextPieces(stored))
            db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                    "VALUES (?, ?, ?, ?)",
                    {key, kind, ++sequence, piece});
    });
}

void DeleteECT(const AppContext& ctx, qint64 key, const QStringList& kinds) {
    for (const QString& kind : kinds)
        LongTextDb(ctx, kind).exec(
            "DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?", {key, kind});
}

} // namespace vm
