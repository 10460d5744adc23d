#pragma once
// The contact picker ("Select Contact to Display"): the logbook entry screen
// and other screens choose a contact through it.

#include "core/AppContext.h"

#include <optional>

class QWidget;

namespace vm {

// Shows the picker and waits; answers the chosen contact, or nothing when the
// member was refused or closed it without choosing.
std::optional<qint64> PickContact(AppContext& ctx, QWidget* parent);

} // namespace vm
