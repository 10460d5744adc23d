#include "core/schema/Schema.h"

namespace vm::schema {

void declareAdminTables(Registry&) {
    // Administration edits the staff tables and queries the others; it owns none.
}

} // namespace vm::schema
