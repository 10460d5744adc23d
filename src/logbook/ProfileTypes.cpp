#include "logbook/ProfileTypes.h"

namespace vm {

QStringList GetProfileTypeNames(Database& db) {
    QStringList out;
    for (const Row& r : db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'ProType' "
                                 "ORDER BY [OtherValue]"))
        if (!r.trimmedText("OtherValue").isEmpty()) out << r.trimmedText("OtherValue");
    return out;
}

} // namespace vm
