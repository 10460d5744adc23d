#pragma once
// Where the program's web pages are: its own pages in the program folder,
// the members' message pages in the database folder (every desk of the
// property reads the same ones; the logon creates the folder).

#include <QString>

namespace vm {

class AppContext;

// <program folder>/WebPages/Index.htm
QString ProgramWebPagesIndex(const AppContext& ctx);
// <database folder>/WebPages
QString MessagePagesFolder(const AppContext& ctx);
// The logged-on member's page: <database folder>/WebPages/MsgCtr<initials>.htm
QString PersonalMessagePage(const AppContext& ctx);

} // namespace vm
