#include "core/WebPages.h"

#include "core/AppContext.h"

#include <QDir>

namespace vm {

QString ProgramWebPagesIndex(const AppContext& ctx) {
    return QDir(ctx.workstation.programFolder).filePath("WebPages/Index.htm");
}

QString MessagePagesFolder(const AppContext& ctx) {
    return QDir(ctx.start.databaseFolder).filePath("WebPages");
}

QString PersonalMessagePage(const AppContext& ctx) {
    return QDir(MessagePagesFolder(ctx)).filePath("MsgCtr" + ctx.session.initials + ".htm");
}

} // namespace vm
