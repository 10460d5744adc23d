#include "core/schema/Schema.h"

namespace vm::schema {

void declareOutputTables(Registry&) {
    // The output subsystem reads other subsystems' tables only.
}

} // namespace vm::schema
