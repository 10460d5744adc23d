#pragma once
// Grants or takes away one right of a staff member: one character of the
// area's string in ConciergePlus.

#include "core/Rights.h"
#include "platform/Database.h"

namespace vm::test {

inline void SetStaffRight(Database& db, qint64 conciergeId, const Right& right, bool allowed) {
    const QString column = RightsColumn(right.area);
    const QString rights =
        db.scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                  {conciergeId})
            .toString();
    db.exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
            {SetRightChar(rights, right.position, allowed), conciergeId});
}

} // namespace vm::test
