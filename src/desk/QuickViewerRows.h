#pragma once
// Pieces the quick viewer's stores share (not for the screens).

#include "core/AppContext.h"

#include <QHash>

namespace vm {

inline constexpr int TaskDescriptionSize = 100; // TaskMaster/TaskStatus.Description
inline constexpr int LastDayOfMonth = 99;       // TaskDay
inline constexpr int TaskStatusKeepDays = 31;

// The long-text continuations of the task descriptions whose keys `keysSql`
// selects (one statement), by key.
QHash<qint64, QString> TaskTextRests(AppContext& ctx, const QString& keysSql,
                                     const QVariantList& params);
// Rewrites a task's continuation (delete, then insert; none when `rest` is empty).
void StoreTaskDescription(AppContext& ctx, qint64 key, const QString& rest);

} // namespace vm
