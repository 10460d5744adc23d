#pragma once
// Opening a guest profile and picking one: the windows other screens and the
// main window's pages use.  The screens themselves stay behind these calls.

#include "core/AppContext.h"
#include "guests/Profiles.h"
#include "logbook/forms/LogbookScreenHooks.h"

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace vm {

struct ProfileWindowOptions {
    // The neighbour of a profile in the caller's list: direction -1 or +1;
    // 0 at either end.  Empty: the previous and next icons do nothing.
    std::function<qint64(qint64 key, int direction)> neighbour;
    bool fromLogbook = false;          // opened from an entry screen underneath
    bool readOnly = false;             // shown without saving, deleting or clearing
    std::optional<Profile> prefill;    // values for a new profile (key 0)
    std::function<void(qint64)> saved; // after every successful save
    std::function<void(qint64)> deleted;
};

// Opens the profile screen (non-modal, deleted on close, closed at log-off)
// for the profile `profileId` (0: a new one) and answers it; nothing when the
// profile is private and the member is not a manager, or it no longer exists
// (the member has been told).
QDialog* OpenProfileWindow(AppContext& ctx, qint64 profileId, const ProfileWindowOptions& options,
                           QWidget* parent);

// The profile picker, modal: the chosen profile or nothing.  `seed` carries
// the names and room a new profile made from the picker starts with.
std::optional<PickedProfile> PickProfile(AppContext& ctx, const PickedProfile& seed,
                                         QWidget* parent);

} // namespace vm
