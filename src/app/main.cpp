// Velmora: the concierge desk.
#include "app/Startup.h"
#include "app/forms/Modules.h"
#include "app/forms/VisualStyles.h"
#include "app/forms/frmSearch.h"
#include "core/Databases.h"
#include "platform/DesktopMailer.h"
#include "platform/LocationProvider.h"
#include "platform/SingleInstance.h"
#include "platform/forms/SystemDesktop.h"
#include "platform/forms/WidgetPrompt.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QSplashScreen>
#include <QStyleFactory>
#include <QThread>
#include <memory>

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
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velmora");
    QApplication::setOrganizationName("Orvanta");

    WidgetPrompt prompt;
    SystemClock clock;
    AppContext ctx(Workstation::detect(), prompt, clock);
    SystemDesktop desktop;
    ctx.setDesktop(&desktop);
    DesktopMailer mailer(desktop);
    ctx.setMailer(&mailer);
    ctx.start.currencySymbol = CurrencySymbol();

    // Where the databases are.
    RegistryValues registry(ctx.workstation);
    LocationProvider provider(ctx.workstation);
    const LocationInfo where = provider.info();
    ApplyProviderAnswer(ctx, provider.answer(), registry);
    ctx.start.postgres = where.postgres;
    ctx.start.postgresSchemaPrefix = where.schema;
    SavePathToRegistry(ctx, registry);

    SingleInstance single("velmora-" + ctx.workstation.userName);
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
        app.processEvents();
        QThread::msleep(1000);
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
    return app.exec();
}
