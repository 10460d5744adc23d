#pragma once
// Messages about a record (a contact, a profile, a group or an event): the
// text they start with and the kind of message they are sent as.

#include "core/AppContext.h"

namespace vm {

enum class RecordKind { Contact, Profile, Group, Event };

// "Contact Msg", "Profile Msg", "Group Msg", "Event Msg".
QString RecordMessageKind(RecordKind kind);
// "Please Note the following Contact information:" and the record's main
// fields, indented by three blanks; the notes of contacts and events follow
// unless the settings hide them.
QString BuildRecordMessageText(AppContext& ctx, RecordKind kind, qint64 id);

} // namespace vm
