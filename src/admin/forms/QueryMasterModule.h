#pragma once
// Puts the database maintenance queries on the Administration page: the
// "Database Maintenance" button opens the Query Master (one at a time).

namespace vm {

class AppContext;
class frmSearch;

void InstallQueryMaster(AppContext& ctx, frmSearch& window);

} // namespace vm
