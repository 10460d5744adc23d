#pragma once
#include "core/AppContext.h"

namespace vm {

// The once-a-day housekeeping of the whole property.  Runs when the stored
// DailyDate is not today; answers true when it ran.
bool RunStartOfDay(AppContext& ctx);

} // namespace vm
