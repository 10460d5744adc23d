#include "security/forms/frmLogon.h"

#include "core/DataAccess.h"
#include "platform/RegistryValues.h"
#include "platform/forms/FormHelpers.h"
#include "security/Audit.h"
#include "security/Logon.h"
#include "security/PasswordPolicy.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

QString storedDbPath(const AppContext& ctx) {
    return INIRead("Settings", "CorvellaDbPath", ctx.iniFile());
}
} // namespace

QString frmLogon::InactiveText() {
    return "Sorry, Your User Profile has been flagged as INACTIVE." + CR + CR +
           "Please check with your supervisor.";
}

QString frmLogon::AccessDeniedText() {
    return "Sorry, we are unable to grant you access to" + CR + "the update features of Velmora." +
           CR + "Perhaps your password has been keyed incorrectly," + CR +
           "or you have not been enrolled in the Concierge" + CR + "Application." + CR + CR +
           "Please retry your password or check with your" + CR + "supervisor.";
}

frmLogon::frmLogon(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmLogon");
    setWindowTitle("Velmora Logon");
    setModal(true);

    m_logonName = makeLineEdit(this, "txtLogonName", false);
    m_password = makeLineEdit(this, "txtPassword", true);
    m_passcode = makeLineEdit(this, "txtPasscode", true);
    m_dbChanged = new QLabel("The database location has changed: enter the passcode.", this);
    m_dbChanged->setObjectName("pctDbChanged");

    auto* form = new QFormLayout;
    form->addRow("Logon Name:", m_logonName);
    form->addRow("Password:", m_password);
    form->addRow("Passcode:", m_passcode);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    auto* change = new QPushButton("Change Password", this);
    change->setObjectName("cmdChangePassword");
    connect(ok, &QPushButton::clicked, this, &frmLogon::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmLogon::cmdCancel_Click);
    connect(change, &QPushButton::clicked, this, &frmLogon::cmdChangePassword_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_dbChanged);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // In masked mode a database folder other than the one last accepted asks
    // for the passcode first.
    const bool dbChanged = ctx.start.masked && storedDbPath(ctx) != ctx.start.databaseFolder;
    m_dbChanged->setVisible(dbChanged);
    m_passcode->setVisible(dbChanged);
    form->labelForField(m_passcode)->setVisible(dbChanged);
    m_logonName->setEnabled(!dbChanged);
    m_password->setEnabled(!dbChanged);
    (dbChanged ? m_passcode : m_logonName)->setFocus();

    m_change = [this](const ChangeRequest& r, bool& end) -> std::optional<QString> {
        frmChangePW dlg(m_ctx, r.mode, r.logonName, r.password, this);
        dlg.exec();
        end = dlg.programMustEnd();
        if (!dlg.changed()) return std::nullopt;
        return dlg.newPassword();
    };
}

bool frmLogon::checkPasscode() {
    if (m_dbChanged->isHidden()) return true;
    const QString code = m_passcode->text().trimmed();
    if (code.isEmpty()) {
        m_ctx.prompt().message("The Passcode must be complete to continue.", "Enter Passcode",
                               Icon::Information);
        return false;
    }
    // The daily passcode is the support code of the day (see SupportPasswordFor).
    const QString expected = SupportPasswordFor(m_ctx, m_ctx.clock().today());
    if (expected.isEmpty() || code.toUpper() != expected) {
        m_ctx.prompt().message("The Passcode entered '" + code + "' is not correct." + CRLF +
                                   "Please re-enter the passcode.",
                               {}, Icon::Exclamation);
        return false;
    }
    m_dbChanged->hide();
    m_passcode->hide();
    m_logonName->setEnabled(true);
    m_password->setEnabled(true);
    INIWrite("Settings", "CorvellaDbPath", m_ctx.start.databaseFolder, m_ctx.iniFile());
    m_logonName->setFocus();
    return false; // the logon fields come next
}

void frmLogon::audit(bool successful, const QString& logonName) {
    SendSyslogMessage(m_ctx, PCIDSS(PCIDSS::UserLogin, successful, logonName.trimmed()));
}

void frmLogon::endProgram() {
    m_endProgram = true;
    m_ctx.session.clear();
    QDialog::reject();
}

std::optional<QString> frmLogon::runChange(ChangeMode mode, const QString& name,
                                           const QString& pw) {
    bool end = false;
    m_ctx.session.forcedChange = mode != ChangeMode::Voluntary;
    const auto result = m_change ? m_change({mode, name, pw}, end) : std::nullopt;
    m_ctx.session.forcedChange = false;
    if (end) m_endProgram = true;
    return result;
}

void frmLogon::cmdOK_Click() {
    if (!checkPasscode()) return;
    const QString name = m_logonName->text().trimmed();
    QString password = m_password->text();
    if (name.isEmpty()) {
        m_ctx.prompt().message("The Logon Name must be complete.", "Enter Logon Name",
                               Icon::Information);
        m_logonName->setFocus();
        return;
    }
    if (name.toUpper() != kGuestLogon && password.isEmpty()) {
        m_ctx.prompt().message("The Password must be complete.", "Enter Password",
                               Icon::Information);
        m_password->setFocus();
        return;
    }

    const LogonCheck check = CheckLogon(m_ctx, name, password);
    switch (check.result) {
    case LogonResult::Ok:
        break;
    case LogonResult::Inactive:
        m_ctx.prompt().message(InactiveText(), {}, Icon::Exclamation);
        audit(false, name);
        return;
    case LogonResult::ExpiresSoon:
        if (m_ctx.prompt().ask("Your password will expire soon." + CR +
                                   "Would you like to change it now?",
                               {}, Buttons::YesNo, Icon::Question, Answer::Yes) == Answer::Yes)
            if (const auto changedTo = runChange(ChangeMode::Voluntary, name, password))
                password = *changedTo;
        break;
    case LogonResult::Expired: {
        m_ctx.prompt().message("Your password has expired." + CR + "Please change it now.", {},
                               Icon::Exclamation);
        const auto changedTo = runChange(ChangeMode::Forced, name, password);
        if (!changedTo || CheckLogon(m_ctx, name, *changedTo).result != LogonResult::Ok) {
            audit(false, name);
            endProgram();
            return;
        }
        password = *changedTo;
        break;
    }
    default:
        refuse(name);
        return;
    }

    if (check.mustChange && check.result == LogonResult::Ok) {
        // A reset or locked password (it equals the logon name) is never worked with.
        const auto changedTo = runChange(ChangeMode::Forced, name, password);
        if (!changedTo) {
            audit(false, name);
            endProgram();
            return;
        }
        password = *changedTo;
    }
    if (finishLogon(name, password)) accept();
}

bool frmLogon::finishLogon(const QString& logonName, const QString& password) {
    QDir().mkpath(m_ctx.start.databaseFolder + "WebPages");
    try {
        UpdateLogonDate(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdateLogonDate", "frmLogon", true);
    }
    audit(true, logonName);
    if (logonName.toUpper() == kFactoryLogon && password.trimmed().toUpper() == kFactoryPassword) {
        bool end = false;
        const auto changed =
            m_change ? m_change({ChangeMode::Force, logonName, password}, end) : std::nullopt;
        if (!changed) {
            // The default password is never worked with: no change, no logon.
            UpdateLogoffDate(m_ctx);
            endProgram();
            return false;
        }
    }
    // The personal message page belongs to the messaging subsystem, not part of this build.
    if (m_ctx.start.masked && !VerifyEmployee(m_ctx)) {
        endProgram();
        return false;
    }
    return true;
}

void frmLogon::refuse(const QString& logonName) {
    const Globals& g = m_ctx.globals;
    const int n = g.futureD4 > 0 ? g.futureD4 : 3;
    if (g.security2 && m_failures > n - 2) {
        try {
            InactivateUser(m_ctx, logonName);
        } catch (const DbError& e) {
            ReportError(m_ctx.prompt(), e, "InactivateUser", "frmLogon", true);
        }
        m_ctx.prompt().message("Your User Profile has been flagged as INACTIVE.", {},
                               Icon::Critical);
        audit(false, logonName);
        endProgram();
        return;
    }
    if (g.security2 && m_failures > n - 3) {
        m_ctx.prompt().message(
            "One more invalid logon attempt and User Profile will be flagged as INACTIVE.", {},
            Icon::Exclamation);
    } else {
        m_ctx.prompt().message(AccessDeniedText(), {}, Icon::Exclamation);
        m_password->setFocus();
        m_password->selectAll();
    }
    audit(false, logonName);
    ++m_failures;
}

void frmLogon::cmdCancel_Click() {
    m_ctx.session.clear();
    QDialog::reject();
}

void frmLogon::cmdChangePassword_Click() {
    const QString name = m_logonName->text().trimmed();
    const QString password = m_password->text();
    if (name.isEmpty()) {
        m_ctx.prompt().message("Please enter your Logon Name.");
        m_logonName->setFocus();
        return;
    }
    if (password.isEmpty()) {
        m_ctx.prompt().message("Please enter your current Password.");
        m_password->setFocus();
        return;
    }
    const long r = CheckCredentials(m_ctx, name, password);
    if (r == LogonResult::Inactive) {
        m_ctx.prompt().message(InactiveText(), {}, Icon::Exclamation);
        return;
    }
    if (r != LogonResult::Ok) {
        m_ctx.prompt().message("The Logon Name and Password you have entered " + CR + CR +
                                   "are not valid for accessing Velmora.  Please try again.  "
                                   "Thank you.",
                               {}, Icon::Exclamation);
        return;
    }
    if (const auto changed = runChange(ChangeMode::Voluntary, name, password))
        m_password->setText(*changed);
}

} // namespace vm
