#pragma once
// The message about a record (frmEvtMessager): recipients, the text started
// from the record, and the delivery date and time.

#include "guests/RecordMessage.h"

class QWidget;

namespace vm {

// Opens the message dialog about the record and waits for it, after the
// guest-session, restricted-member and NoMessaging refusals.
void SendRecordMessage(AppContext& ctx, RecordKind kind, qint64 id, QWidget* parent);

} // namespace vm
