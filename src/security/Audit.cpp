#include "security/Audit.h"

#include "core/Formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace vm {

PCIDSS::PCIDSS(int event, bool successful, const QString& loginId, const QString& eUserId)
    : EUserID(eUserId), LoginID(loginId), Successful(successful) {
    setPCIEvent(event);
}

void PCIDSS::setPCIEvent(int event) {
    m_event = event;
    switch (event) {
    case 6:
    case 11:
        MessageLevel = 4;
        break;
    case 9:
        MessageLevel = 3;
        break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        MessageLevel = 5;
        break;
    default:
        break; // other numbers leave the level as it was
    }
}

QString PCIDSS::PCIEventAction() const {
    const QString user = "user=(" + EUserID + ")";
    switch (m_event) {
    case 1:
        return "CreditCardViewed";
    case 2:
        return "CreditCardAdded";
    case 3:
        return "CreditCardDeleted";
    case 4:
        return "CreditCardModified";
    case 5:
        return Successful ? "PrivilegedUserLogin" : "UserLogin";
    case 6:
        return "AccountCreation:" + user;
    case 7:
        return "AccountDeletion::" + user;
    case 8:
        return "AccountModified:" + user;
    case 9:
        return "AccountClassUpgrade:" + user;
    case 10:
        return "AccountClassDowngrade:" + user;
    case 11:
        return "AuditTrailAccess";
    case 12:
        return "AuditTrailModification";
    default:
        return {};
    }
}

QString AuditVersionText() {
    const QStringList parts = QString(VELMORA_VERSION).split('.');
    const QString major = parts.value(0, "0");
    const int revision = parts.value(2, "0").toInt();
    return major + ".0." + QString::number(revision).rightJustified(3, '0') + "(C31)";
}

QString SyslogLine(const PCIDSS& event, const QDateTime& now, const QString& computerName,
                   const QString& executableName, const QString& fallbackUser) {
    const QString user = event.LoginID.isEmpty() ? fallbackUser : event.LoginID;
    return "<181>" + Formats::SyslogStamp(now) + " " + computerName + " Velmora: AppName=VelmoraV" +
           AuditVersionText() + "; UserName=" + user +
           "; Standard=PCI; Destination=" + computerName + "; Resource=" + executableName +
           ".exe; Action=" + event.PCIEventAction() + "; ResultStatus=" + event.PCIResultStatus() +
           "; TimeStamp=" + Formats::StoredDateTimeSeconds(now) + ";;";
}

QString CurrentEmployeeId(AppContext& ctx) {
    if (ctx.session.conciergeId == 0 || !ctx.current) return {};
    try {
        const QVariant v = ctx.db().scalar(
            "SELECT [EUserID] FROM [Concierge] WHERE [ConciergeID] = ?", {ctx.session.conciergeId});
        return v.isNull() ? QString() : v.toString().trimmed();
    } catch (const DbError&) {
        return {};
    }
}

bool SendSyslogMessage(AppContext& ctx, const PCIDSS& event) {
    if (!ctx.start.sendToSyslog) return false;
    const Workstation& ws = ctx.workstation;
    const QDateTime now = ctx.clock().now();
    const QString line =
        SyslogLine(event, now, ws.computerName, ws.executableName, CurrentEmployeeId(ctx));

    QString program = ws.programFolder + "/VerifyEID";
    if (!QFileInfo::exists(program) && QFileInfo::exists(program + ".exe")) program += ".exe";
    const bool started =
        QFileInfo(program).isExecutable() && ctx.desktop().startDetached(program, {"/MSG" + line});

    QFile f(ws.outputFolder() + "vmmsgs.txt");
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write((Formats::ShortDate(now.date()) + " " + line + " " +
                 (started ? "SUCCESS" : "FAILED") + "\r\n")
                    .toUtf8());
    return started;
}

} // namespace vm
