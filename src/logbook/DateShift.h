#pragma once
// Moves every stored date of the logbook and its neighbours forward by a
// number of days (refreshes demonstration data).

#include "core/AppContext.h"

namespace vm {

// Answers the message for the user.  Each database moves in one transaction,
// so a failure leaves its dates as they were.
QString UpdateAllDates(AppContext& ctx, int days);

} // namespace vm
