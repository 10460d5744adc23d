#pragma once
// What the main window's own commands do: printing the shown page, the About
// box, exit, the program's web pages, visual styles and sizes, the help
// addresses, and the Others page's personal message centre and web site import.

#include <QList>
#include <QString>

namespace vm {

class AppContext;
class frmSearch;

void AttachWindowCommands(AppContext& ctx, frmSearch& window);

// The help menu's addresses: VmSettings keys and the addresses used when a
// property has not set its own.
struct HelpAddress {
    const char* action;
    const char* settingKey;
    const char* fallback;
};
const QList<HelpAddress>& HelpAddresses();
QString HelpUrl(AppContext& ctx, const HelpAddress& address);

inline const QString MsgExitQuestion = QStringLiteral("Do you wish to exit the Velmora?");
inline const QString MsgWebImportQuestion =
    QStringLiteral("Do you wish to process the Web Site Import?");
inline const QString MsgWebImportDone =
    QStringLiteral("The Web Site Import process has completed.");
QString MsgWebImportMissing(const QString& folder);
QString MsgWebImportNotRun(const QString& program);
QString MsgWebImportFailed(int exitCode);
QString MsgNoPersonalPage();
QString MsgWebPagesMissing(const QString& path);
QString MsgCannotOpen(const QString& what);

} // namespace vm
