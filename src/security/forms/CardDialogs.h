#pragma once
// Opening the dialogs that show a stored card number: refused, with the
// reason, when card numbers cannot be shown; registered with the session so
// that log-off closes them.

#include "core/AppContext.h"

class QWidget;

namespace vm {

// The stored card of a logbook entry ('L', id = LogID) or of a lost-and-found
// item ('F', id = ItemID); the id is the record value of its cipher.
void ShowStoredCard(AppContext& ctx, QChar source, qint64 id, const QString& stored,
                    QWidget* parent);

} // namespace vm
