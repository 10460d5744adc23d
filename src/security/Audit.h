#pragma once
// Security audit events sent to the external collector.

#include "core/AppContext.h"

#include <QDateTime>
#include <QString>

namespace vm {

// One audit event.  Setting the event number also sets the message level.
class PCIDSS {
public:
    enum Event {
        CreditCardViewed = 1,
        CreditCardAdded,
        CreditCardDeleted,
        CreditCardModified,
        UserLogin,
        AccountCreation,
        AccountDeletion,
        AccountModified,
        AccountClassUpgrade,
        AccountClassDowngrade,
        AuditTrailAccess,
        AuditTrailModification
    };

    PCIDSS() = default;
    PCIDSS(int event, bool successful, const QString& loginId = {}, const QString& eUserId = {});

    int MessageLevel = 0;
    QString EUserID;
    QString LoginID;
    bool Successful = false;

    int PCIEvent() const { return m_event; }
    void setPCIEvent(int event);
    QString PCIEventAction() const;
    QString PCIResultStatus() const { return Successful ? "S" : "F"; }

private:
    int m_event = 0;
};

// The program's version as the audit line shows it: "8.0.000(C31)".
QString AuditVersionText();

// The collector's line for one event.
QString SyslogLine(const PCIDSS& event, const QDateTime& now, const QString& computerName,
                   const QString& executableName, const QString& fallbackUser);

// The EUserID of the member logged on ("" for nobody or the guest).
QString CurrentEmployeeId(AppContext& ctx);

// Sends the event when the send-to-syslog flag is on: starts the collector
// program (VerifyEID, beside the executable) with "/MSG" + the line and notes
// the outcome in vmmsgs.txt.  Fire and forget: answers whether it was started.
bool SendSyslogMessage(AppContext& ctx, const PCIDSS& event);

} // namespace vm
