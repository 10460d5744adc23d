#include "app/forms/WindowCommands.h"

#include "app/forms/VisualStyles.h"
#include "app/forms/frmAbout.h"
#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "core/Settings.h"
#include "core/WebPages.h"
#include "platform/Desktop.h"
#include "platform/RegistryValues.h"
#include "platform/forms/FormHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vm {

namespace {

const QString WebImportName = QStringLiteral("WebImport");

void openWebPages(AppContext& ctx) {
    const QString index = ProgramWebPagesIndex(ctx);
    if (!QFileInfo(index).isFile()) {
        ctx.prompt().message(MsgWebPagesMissing(index), {}, Icon::Exclamation);
        return;
    }
    if (!ctx.desktop().openFile(index))
        ctx.prompt().message(MsgCannotOpen(QDir::toNativeSeparators(index)), {}, Icon::Exclamation);
}

void runWebImport(AppContext& ctx) {
    Prompt& prompt = ctx.prompt();
    if (prompt.ask(MsgWebImportQuestion) != Answer::Yes) return;
    const QString program = HelperProgramPath(ctx.workstation.programFolder, WebImportName);
    if (program.isEmpty()) {
        prompt.message(MsgWebImportMissing(ctx.workstation.programFolder), {}, Icon::Exclamation);
        return;
    }
    int exitCode = -1;
    {
        WaitCursor wait;
        exitCode = ctx.desktop().runAndWait(program);
    }
    if (exitCode == 0)
        prompt.message(MsgWebImportDone);
    else if (exitCode < 0)
        prompt.message(MsgWebImportNotRun(program), {}, Icon::Exclamation);
    else
        prompt.message(MsgWebImportFailed(exitCode), {}, Icon::Exclamation);
}

void showAbout(AppContext& ctx, frmSearch& window) {
    auto* about = window.findChild<frmAbout*>("frmAbout", Qt::FindDirectChildrenOnly);
    if (!about) {
        about = new frmAbout(ctx, &window);
        about->setAttribute(Qt::WA_DeleteOnClose);
    }
    about->show();
    about->raise();
}

void openHelp(AppContext& ctx, const HelpAddress& address) {
    const QString url = HelpUrl(ctx, address);
    if (!ctx.desktop().openUrl(QUrl(url)))
        ctx.prompt().message(MsgCannotOpen(url), {}, Icon::Exclamation);
}

} // namespace

QString MsgWebImportMissing(const QString& folder) {
    return "The Web Site Import program (" + WebImportName + ") was not found in " +
           QDir::toNativeSeparators(folder) + ".  No web site requests were imported.";
}

QString MsgWebImportNotRun(const QString& program) {
    return "The Web Site Import program could not be run: " + QDir::toNativeSeparators(program) +
           ".  No web site requests were imported.";
}

QString MsgWebImportFailed(int exitCode) {
    return "The Web Site Import ended with an error (exit code " + QString::number(exitCode) +
           ").  Some web site requests may not have been imported.";
}

QString MsgNoPersonalPage() {
    return "You have not created your personal message DayBook." + CRLF +
           "There is nothing to edit.  Thank you.";
}

QString MsgWebPagesMissing(const QString& path) {
    return "The Velmora Web Pages were not found: " + QDir::toNativeSeparators(path) +
           " does not exist.";
}

QString MsgCannotOpen(const QString& what) {
    return what + " could not be opened.  Please check the program your desktop opens it with.";
}

const QList<HelpAddress>& HelpAddresses() {
    static const QList<HelpAddress> addresses = {
        {"actHelpOnline", "HelpURL", "https://www.velmora.example/help/"},
        {"actTutorials", "TutorialsURL", "https://www.velmora.example/tutorials/"},
        {"actMakerSite", "SiteURL", "https://www.velmora.example/"},
        {"actRemoteSupport", "RemoteSupportURL", "https://www.velmora.example/support/"}};
    return addresses;
}

QString HelpUrl(AppContext& ctx, const HelpAddress& address) {
    QString url;
    if (ctx.current) url = GetVmSetting(ctx.db(), address.settingKey).trimmed();
    return url.isEmpty() ? QString::fromLatin1(address.fallback) : url;
}

void AttachWindowCommands(AppContext& ctx, frmSearch& window) {
    window.setCommandAction("cmdPrint", [&window] { window.printActivePage(); });
    window.setCommandAction("cmdAbout", [&ctx, &window] { showAbout(ctx, window); });
    window.setCommandAction("cmdExit", [&window] { window.close(); });
    window.setCommandAction("actWebPages", [&ctx] { openWebPages(ctx); });
    window.setCommandAction("imgWebImport", [&ctx] { runWebImport(ctx); });
    for (const VisualStyle& style : VisualStyleChoices()) {
        const QString stored = QString::fromLatin1(style.stored);
        window.setCommandAction(style.action, [&ctx, stored] {
            StoreVisualStyle(ctx, stored);
            ApplyVisualStyle(stored);
        });
    }
    const auto size = [&ctx, &window](const char* key, const char* value) {
        return [&ctx, &window, key, value] {
            INIWrite("Settings", key, value, ctx.iniFile());
            window.applySizes();
        };
    };
    window.setCommandAction("actToolbarSmall", size("ToolbarSize", "1"));
    window.setCommandAction("actToolbarLarge", size("ToolbarSize", "3"));
    window.setCommandAction("actTabSmall", size("TabSize", "1"));
    window.setCommandAction("actTabMedium", size("TabSize", "2"));
    window.setCommandAction("actTabLarge", size("TabSize", "3"));
    for (const HelpAddress& address : HelpAddresses())
        window.setCommandAction(address.action, [&ctx, address] { openHelp(ctx, address); });
}

} // namespace vm
