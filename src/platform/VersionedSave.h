#pragma once
// What a record screen does when its save met another desk's: for a record
// changed meanwhile it asks whether to reload it (Yes reloads, No keeps the
// screen's values, unsaved); for a record deleted meanwhile it says so.

#include "platform/VersionedUpdate.h"

#include <functional>

namespace vm {

class Prompt;

// `record` names the record in the texts ("Contact", "Profile"...).  True
// only when the save was written.
bool SettleVersionedSave(Prompt& prompt, VersionedResult result, const QString& record,
                         const std::function<void()>& reload);

} // namespace vm
