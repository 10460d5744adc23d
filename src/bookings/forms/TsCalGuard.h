#pragma once
// One database step of the schedule window or the calendar: a failure is
// shown as the program's error and the step abandoned (answers false).

#include "core/AppContext.h"
#include "core/DataAccess.h"

#include <exception>

namespace vm {

template <class F>
bool TsCalGuarded(AppContext& ctx, const QString& procedure, const QString& form, F&& step) {
    try {
        step();
        return true;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, procedure, form, true);
    } catch (const std::exception& e) {
        // a week that is not well formed is refused by the store before anything is written
        ReportError(ctx.prompt(), e, procedure, form, true);
    }
    return false;
}

} // namespace vm
