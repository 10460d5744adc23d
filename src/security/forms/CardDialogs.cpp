#include "security/forms/CardDialogs.h"

#include "platform/forms/SessionWindows.h"
#include "security/CardData.h"
#include "security/forms/frmShowEncCC.h"

namespace vm {

void ShowStoredCard(AppContext& ctx, QChar source, qint64 id, const QString& stored,
                    QWidget* parent) {
    // Refused before the password is asked: a view that cannot decrypt is no view.
    if (RefuseCardsUnlessReady(ctx)) return;
    frmShowEncCC dialog(ctx, source, id, QString(), stored, QString::number(id), parent);
    TrackSessionWindow(ctx, &dialog);
    dialog.exec();
}

} // namespace vm
