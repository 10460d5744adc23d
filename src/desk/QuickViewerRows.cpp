#include "desk/QuickViewerRows.h"

#include "core/LongText.h"

namespace vm {

QHash<qint64, QString> TaskTextRests(AppContext& ctx, const QString& keysSql,
                                     const QVariantList& params) {
    QVariantList all = {TextKind::TaskDescription};
    all << params;
    QHash<qint64, QString> rests;
    for (const Row& r : LongTextDb(ctx, TextKind::TaskDescription)
                            .query("SELECT [EvConKey], [NoteField] FROM [EvConText] WHERE "
                                   "[EvConType] = ? AND [EvConKey] IN (" +
                                       keysSql + ") ORDER BY [EvConKey], [Sequence]",
                                   all))
        rests[r.number("EvConKey")] += r.text("NoteField");
    return rests;
}

void StoreTaskDescription(AppContext& ctx, qint64 key, const QString& rest) {
    PutECT(ctx, key, TextKind::TaskDescription, rest);
}

} // namespace vm
