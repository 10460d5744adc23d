#include "security/forms/frmLogon.h"

#include "core/DataAccess.h"
#include "platform/RegistryValues.h"
#include "platform/forms/FormHelpers.h"
#include "security/Audit.h"
#include "security/Lockout.h"
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

// Room for a support answer: 103 characters and the dashes between its groups.
constexpr int kAnswerLength = 160;

QLabel* challengeLine(QWidget* parent, const QString& objectName) {
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

bool isSupportName(const QString& name) {
    return name.trimmed().toUpper() == kSupportLogon;
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

QString frmLogon::ChangeRefusedText() {
    return "The Logon Name and Password you have entered " + CR + CR +
           "are not valid for accessing Velmora.  Please try again.  Thank you.";
}

frmLogon::frmLogon(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmLogon");
    setWindowTitle("Velmora Logon");
    setModal(true);

    m_logonName = makeLineEdit(this, "txtLogonName", false);
    m_password = makeLineEdit(this, "txtPassword", true, kAnswerLength);
    // The passcode is a one-time answer, not a secret: it is shown as typed.
    m_passcode = makeLineEdit(this, "txtPasscode", false, kAnswerLength);
    m_dbChanged = new QLabel("The database location has changed: enter the passcode.", this);
    m_dbChanged->setObjectName("pctDbChanged");
    m_passcodeLine = challengeLine(this, "lblPasscodeChallenge");
    m_passcodeLine->setText("Passcode challenge: " + m_passcodeChallenge.code() + "\n" +
                            "Read it to the support desk and type its answer as the passcode.");
    m_supportLine = challengeLine(this, "lblSupportChallenge");
    m_supportLine->hide();
    connect(m_logonName, &QLineEdit::textChanged, this, &frmLogon::showSupportChallenge);

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
    layout->addWidget(m_passcodeLine);
    layout->addLayout(form);
    layout->addWidget(m_supportLine);
    layout->addLayout(buttons);

    // In masked mode a database folder other than the one last accepted asks
    // for the passcode first.
    const bool dbChanged = ctx.start.masked && storedDbPath(ctx) != ctx.start.databaseFolder;
    m_dbChanged->setVisible(dbChanged);
    m_passcodeLine->setVisible(dbChanged);
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

void frmLogon::done(int result) {
    // A challenge is good for this dialog only.
    m_passcodeChallenge.discard();
    m_supportChallenge.discard();
    QDialog::done(result);
}

void frmLogon::showSupportChallenge() {
    const bool support = isSupportName(m_logonName->text());
    if (support && !m_supportChallenge.isOpen()) m_supportChallenge.renew();
    m_supportLine->setText("Support challenge: " + m_supportChallenge.code() + "\n" +
                           "Read it to the support desk and type its answer as the password.");
    if (support == m_supportLine->isVisibleTo(this)) return;
    m_supportLine->setVisible(support);
    // The answer is typed in the clear; what was typed before is not shown.
    m_password->clear();
    m_password->setEchoMode(support ? QLineEdit::Normal : QLineEdit::Password);
}

bool frmLogon::checkPasscode() {
    if (m_dbChanged->isHidden()) return true;
    const QString code = m_passcode->text().trimmed();
    if (code.isEmpty()) {
        m_ctx.prompt().message("The Passcode must be complete to continue.", "Enter Passcode",
                               Icon::Information);
        return false;
    }
    // The passcode is the support desk's answer to this dialog's passcode challenge.
    if (!m_passcodeChallenge.redeem(SupportPublicKey(m_ctx.workstation), code)) {
        m_ctx.prompt().message("The Passcode entered '" + code + "' is not correct." + CRLF +
                                   "Please re-enter the passcode.",
                               {}, Icon::Exclamation);
        return false;
    }
    m_dbChanged->hide();
    m_passcodeLine->hide();
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

    const LogonCheck check = CheckLogon(m_ctx, name, password, &m_supportChallenge);
    // An answer that was used up without a logon needs a new challenge.
    if (check.result != LogonResult::Ok && isSupportName(name)) showSupportChallenge();
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
                               {}, Buttons::YesNo, Icon::Question, Answer::Yes) == Answer::Yes) {
            const auto changedTo = runChange(ChangeMode::Voluntary, name, password);
            if (m_endProgram) {
                endProgram();
                return;
            }
            if (changedTo) password = *changedTo;
        }
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
        refuse(name, AccessDeniedText());
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

void frmLogon::refuse(const QString& logonName, const QString& wrongText) {
    Attempt step = Attempt::Wrong;
    try {
        step = LogonLockout(m_ctx).afterFailure(logonName);
    } catch (const DbError& e) {
        // A failure that cannot be counted (or a lock that cannot be written)
        // must not leave the guessing open.
        ReportError(m_ctx.prompt(), e, "refuse", "frmLogon", true);
        endProgram();
        return;
    }
    switch (step) {
    case Attempt::Locked:
        m_ctx.prompt().message(LogonLockout::LockedText(), {}, Icon::Critical);
        endProgram();
        return;
    case Attempt::LastWarning:
        m_ctx.prompt().message(LogonLockout::WarningText(), {}, Icon::Exclamation);
        break;
    default:
        m_ctx.prompt().message(wrongText, {}, Icon::Exclamation);
        break;
    }
    m_password->setFocus();
    m_password->selectAll();
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
        refuse(name, ChangeRefusedText());
        return;
    }
    const auto changed = runChange(ChangeMode::Voluntary, name, password);
    if (m_endProgram) {
        endProgram();
        return;
    }
    if (changed) m_password->setText(*changed);
}

} // namespace vm
