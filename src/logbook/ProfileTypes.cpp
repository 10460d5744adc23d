#include "logbook/ProfileTypes.h"

namespace vm {

QStringList GetProfileTypeNames(Database& db) {
    QStringList out;
    for (const Row& r : db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'ProType' "
                                 "ORDER BY [OtherValue]"))
        if (!r.text("OtherValue").trimmed().isEmpty()) out << r.text("OtherValue").trimmed();
    return out;
}

} // namespace vm
