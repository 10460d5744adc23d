#include "security/forms/SecurityModule.h"

#include "app/forms/frmSearch.h"
#include "core/DataAccess.h"
#include "platform/forms/SessionWindows.h"
#include "security/CardStore.h"
#include "security/Logon.h"
#include "security/forms/IdleLogoff.h"
#include "security/forms/SecurityLogPage.h"
#include "security/forms/frmChangePWCC.h"
#include "security/forms/frmLogon.h"
#include "security/forms/frmWarning.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace vm {

bool RunCardPurgeWithProgress(AppContext& ctx, QWidget* parent) {
    QDialog box(parent, Qt::SplashScreen);
    auto* label = new QLabel("Validating Logbook Entries...", &box);
    label->setObjectName("lblPurge");
    label->setMinimumWidth(320);
    (new QVBoxLayout(&box))->addWidget(label);
    box.show();
    // A purge counts every card: the label follows a few times a second.
    QElapsedTimer shown;
    shown.start();
    try {
        return PurgeCreditCards(ctx, [label, &shown](const QString& text) {
            if (text.contains(": Removing ") && shown.elapsed() < 100) return;
            shown.restart();
            label->setText(text);
            QCoreApplication::processEvents();
        });
    } catch (const DbError& e) {
        // Purge_Last_Run stays as it was, so the purge runs again next time.
        ReportError(ctx.prompt(), e, "PurgeCreditCards", "SecurityModule");
        return false;
    }
}

void InstallSecurityHooks(AppContext& ctx) {
    ctx.daily.inactivateInactiveStaff = [](AppContext& c) {
        try {
            InactivateInactiveStaff(c);
        } catch (const DbError& e) {
            ReportError(c.prompt(), e, "InactivateInactiveStaff", "SecurityModule");
        }
    };
}

void InstallSecurity(AppContext& ctx, frmSearch& window) {
    InstallSecurityHooks(ctx);

    if (ctx.start.purgeAtStart) {
        ctx.start.purgeAtStart = false;
        RunCardPurgeWithProgress(ctx, &window);
    }

    window.setLogonHandler([&ctx, &window, timedDone = false]() mutable {
        if (timedDone) return false;
        frmLogon dlg(ctx, &window);
        const bool timedStart = bool(ctx.start.onLogonShown);
        if (timedStart)
            QTimer::singleShot(0, &dlg, [&ctx, &dlg] {
                ctx.start.onLogonShown();
                dlg.reject();
            });
        dlg.exec();
        if (timedStart) {
            timedDone = true;
            QCoreApplication::exit(0); // when the main loop already runs; else main ends
            return false;
        }
        if (dlg.programMustEnd()) {
            QTimer::singleShot(0, &window, [&window] {
                window.close();
                QCoreApplication::exit(0);
            });
            return false;
        }
        return ctx.session.loggedOn();
    });
    window.setLogoffHandler([&ctx] {
        try {
            if (ctx.current) UpdateLogoffDate(ctx);
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "UpdateLogoffDate", "SecurityModule");
        }
        ctx.session.clear();
    });

    auto* idle = new IdleLogoff(
        ctx,
        [&window] {
            frmWarning warning(60, &window);
            warning.exec();
            return warning.responded();
        },
        [&window] {
            if (window.isMinimized()) window.showNormal();
            window.Logoff(LogoffReason::Idle);
        },
        &window);
    qApp->installEventFilter(idle);
    QObject::connect(window.timer(), &QTimer::timeout, idle, &IdleLogoff::tick);
    QObject::connect(&window, &frmSearch::loggedOn, idle, &IdleLogoff::resetActivity);

    window.addAdministrationPage("Security Logs", new SecurityLogPage(ctx));
    window.addCommand("Card Password", "cmdChangeCCPassword", [&ctx, &window] {
        if (!ctx.session.loggedOn() || ctx.session.guest) return;
        frmChangePWCC dlg(ctx, &window);
        TrackSessionWindow(ctx, &dlg);
        dlg.exec();
    });
}

} // namespace vm
