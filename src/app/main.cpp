// Velmora: the concierge desk.
#include "app/Startup.h"
#include "app/forms/Modules.h"
#include "app/forms/VisualStyles.h"
#include "app/forms/frmSearch.h"
#include "core/Databases.h"
#include "demo/DemoFolder.h"
#include "platform/DesktopMailer.h"
#include "platform/LocalTimeZone.h"
#include "platform/LocationProvider.h"
#include "platform/SingleInstance.h"
#include "platform/forms/SystemDesktop.h"
#include "platform/forms/WidgetPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QSplashScreen>
#include <QStyleFactory>
#include <cstdio>
#include <memory>
#include <optional>

using namespace vm;

namespace {

QPixmap splashPicture() {
    QPixmap p(460, 240);
    p.fill(QColor("#1F3A5F"));
    QPainter painter(&p);
    painter.setPen(Qt::white);
    QFont f = painter.font();
    f.setPointSize(30);
    f.setBold(true);
    painter.setFont(f);
    painter.drawText(p.rect().adjusted(0, -30, 0, 0), Qt::AlignCenter, "Velmora");
    f.setPointSize(11);
    f.setBold(false);
    painter.setFont(f);
    painter.drawText(p.rect().adjusted(0, 60, 0, 0), Qt::AlignCenter,
                     "The concierge desk  -  version " + VersionText());
    return p;
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velmora");
    QApplication::setOrganizationName("Orvanta");

    const std::optional<QString> demoArgument = demo::DemoFolderArgument(app.arguments());
    if (!demoArgument) {
        std::fprintf(stderr, "Usage: velmora [--demo FOLDER] [--time-start]\n");
        return 2;
    }
    const QString demoFolder = *demoArgument;

    WidgetPrompt prompt;
    SystemClock clock;
    // A demonstration keeps its location file, settings and databases in its
    // own folder: the user's own are left alone.
    AppContext ctx(demoFolder.isEmpty() ? Workstation::detect()
                                        : demo::DemoWorkstation(Workstation::detect(), demoFolder),
                   prompt, clock);
    SystemDesktop desktop;
    ctx.setDesktop(&desktop);
    DesktopMailer mailer(desktop);
    ctx.setMailer(&mailer);
    ctx.start.currencySymbol = CurrencySymbol();
    bool logonShown = false;
    if (app.arguments().contains("--time-start"))
        ctx.start.onLogonShown = [&sinceStart, &logonShown] {
            logonShown = true;
            std::fprintf(stdout, "The logon dialog was up %lld ms after the start.\n",
                         static_cast<long long>(sinceStart.elapsed()));
            std::fflush(stdout);
        };

    if (!demoFolder.isEmpty()) {
        std::fprintf(stdout, "Demonstration property in %s\n", qPrintable(demoFolder));
        std::fflush(stdout);
        QString lastStep;
        const demo::DemoPreparation demo = demo::PrepareDemoFolder(
            ctx, demoFolder, [&lastStep](const QString& step, qint64 done, qint64 total) {
                if (step == lastStep && done != total) return;
                lastStep = step;
                std::fprintf(stdout, "  %s: %lld of %lld\n", qPrintable(step),
                             static_cast<long long>(done), static_cast<long long>(total));
                std::fflush(stdout);
            });
        if (!demo.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(demo.error));
            prompt.message(demo.error, {}, Icon::Exclamation);
            return 1;
        }
        std::fprintf(stdout, "%s", qPrintable(demo::DemoLogonText()));
        std::fflush(stdout);
    }

    // Where the databases are.
    RegistryValues registry(ctx.workstation);
    LocationProvider provider(ctx.workstation);
    const LocationInfo where = provider.info();
    ApplyProviderAnswer(ctx, provider.answer(), registry);
    ctx.start.postgres = where.postgres;
    ctx.start.postgresSchemaPrefix = where.schema;
    SavePathToRegistry(ctx, registry);

    SingleInstance single("velmora-" + ctx.workstation.userName +
                          (demoFolder.isEmpty() ? QString() : QString("-demo")));
    if (!single.claim()) {
        single.raiseOther();
        return 0;
    }
    if (const QString refusal = RefusalToRunFromServer(ctx); !refusal.isEmpty()) {
        prompt.message(refusal, {}, Icon::None);
        return 0;
    }
    switch (CheckNewVersion(ctx)) {
    case VersionCheck::Current:
        break;
    case VersionCheck::Launch:
        if (ctx.desktop().startDetached(
                ctx.workstation.programFolder + "/Launch",
                {ctx.start.databaseFolder + ctx.workstation.executableName}))
            return 0;
        prompt.message(NewVersionMessage(ctx), {}, Icon::Information);
        return 0;
    case VersionCheck::Message:
        prompt.message(NewVersionMessage(ctx), {}, Icon::Information);
        return 0;
    }

    ctx.workstation.ensureFolders();
    PrepareLocalSettings(ctx);
    ApplyVisualStyle(StoredVisualStyle(ctx)); // the splash already wears it
    std::unique_ptr<QSplashScreen> splash;
    if (ShowsSplash(ctx.workstation.executableName)) {
        splash = std::make_unique<QSplashScreen>(splashPicture());
        splash->setObjectName("frmSplash");
        splash->show();
        app.processEvents(); // up while the databases open
    }

    frmSearch window(ctx);
    prompt.setParent(&window);
    InstallModuleHooks(ctx);
    const int rc = LoadMainWindowData(ctx);
    if (rc != 0) {
        if (splash) splash->close();
        prompt.message(OpenFailureMessage(ctx, rc), {}, OpenFailureIcon(rc));
        CloseDatabase(ctx);
        return 1;
    }
    InstallModules(ctx, window);
    window.markEmptyPages();
    single.onRaiseRequest([&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.raise();
        window.activateWindow();
    });
    window.refreshCaption();
    window.applyPlacement();
    window.show();
    if (splash) splash->finish(&window);
    // A timed start ends without the main window's close, also when the logon
    // dialog came up while the window was first shown.
    if (logonShown) {
        CloseDatabase(ctx);
        return 0;
    }
    const int code = app.exec();
    if (logonShown) CloseDatabase(ctx);
    return code;
}
