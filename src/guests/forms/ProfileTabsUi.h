#pragma once
// What the profile screen's lower tabs and their dialogs share.

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"

#include <QAbstractButton>
#include <initializer_list>

namespace vm::profiletabs {

inline const QString FormName = QStringLiteral("frmProfileEdit");

// Runs one database step of a tab; a failure is reported and the step
// abandoned (answers false).
template <class F> bool Guarded(AppContext& ctx, const QString& procedure, F&& step) {
    try {
        step();
        return true;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, procedure, FormName, true);
        return false;
    }
}

// Whether the member holds the right; a failed look-up counts as no.
inline bool Holds(AppContext& ctx, const Right& right) {
    bool may = false;
    Guarded(ctx, "MayDo", [&] { may = MayDo(ctx, right); });
    return may;
}

// The right checked again when a button is used (it may have been taken
// away since the tab was shown), with the refusal.
inline bool Allowed(AppContext& ctx, const Right& right, const QString& refusal) {
    bool may = false;
    Guarded(ctx, "MayDo", [&] { may = MayDoOrSay(ctx, right, refusal); });
    return may;
}

inline void ShowButtons(std::initializer_list<QAbstractButton*> buttons, bool visible) {
    for (QAbstractButton* b : buttons)
        b->setVisible(visible);
}

} // namespace vm::profiletabs
