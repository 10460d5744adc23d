#include "core/schema/Schema.h"

namespace vm::schema {

const Registry& Registry::all() {
    static const Registry registry = [] {
        Registry r;
        declareCoreTables(r);
        declareSecurityTables(r);
        declareLogbookTables(r);
        declareDeskTables(r);
        declareGuestsTables(r);
        declareBookingsTables(r);
        declareOperationsTables(r);
        declareOutputTables(r);
        declareInterfacesTables(r);
        declareAdminTables(r);
        return r;
    }();
    return registry;
}

} // namespace vm::schema
