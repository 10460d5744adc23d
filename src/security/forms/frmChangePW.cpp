#include "security/forms/frmChangePW.h"

#include "core/DataAccess.h"
#include "platform/forms/FormHelpers.h"
#include "security/PasswordPolicy.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vm {

frmChangePW::frmChangePW(AppContext& ctx, ChangeMode mode, const QString& logonName,
                         const QString& currentPassword, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_mode(mode) {
    setObjectName("frmChangePW");
    setWindowTitle("Change Password");
    setModal(true);

    m_label = new QLabel(this);
    m_label->setObjectName("lblForce");
    m_label->setWordWrap(true);
    m_label->setText(mode == ChangeMode::Force ? ForceLabel
                     : mode == ChangeMode::Forced
                         ? QString("Your password must be changed before you continue.")
                         : QString("Enter your current password, then the new one twice."));

    m_logonName = makeLineEdit(this, "txtLogonName", false);
    m_password = makeLineEdit(this, "txtPassword", true);
    m_new = makeLineEdit(this, "txtNewPassword", true);
    m_verify = makeLineEdit(this, "txtVerify", true);
    m_logonName->setText(logonName);
    m_password->setText(currentPassword);
    if (mode != ChangeMode::Voluntary) {
        // The logon has just proved both: they are not to be changed here.
        m_logonName->setReadOnly(true);
        m_password->setReadOnly(true);
    }
    for (QLineEdit* e : {m_logonName, m_password, m_new, m_verify})
        e->installEventFilter(this);

    auto* form = new QFormLayout;
    form->addRow("Logon Name:", m_logonName);
    form->addRow("Current Password:", m_password);
    form->addRow("New Password:", m_new);
    form->addRow("Verify Password:", m_verify);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    connect(ok, &QPushButton::clicked, this, &frmChangePW::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmChangePW::cmdCancel_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(form);
    layout->addLayout(buttons);

    (mode == ChangeMode::Voluntary && logonName.isEmpty()         ? m_logonName
     : mode == ChangeMode::Voluntary && currentPassword.isEmpty() ? m_password
                                                                  : m_new)
        ->setFocus();
}

QString frmChangePW::newPassword() const {
    return m_new->text();
}

QLineEdit* frmChangePW::field(const QString& name) const {
    for (QLineEdit* e : {m_logonName, m_password, m_new, m_verify})
        if (e->objectName() == name) return e;
    return m_new;
}

void frmChangePW::cmdOK_Click() {
    std::optional<PasswordRefusal> refused;
    try {
        refused = VerifyPassword(m_ctx, m_logonName->text().trimmed(), m_password->text(),
                                 m_new->text(), m_verify->text(), m_mode != ChangeMode::Voluntary);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "VerifyPassword", "frmChangePW", true);
        return;
    }
    if (refused && refused->endsProgram) {
        // The lockout has flagged the account.
        m_ctx.prompt().message(refused->message, {}, Icon::Critical);
        m_endProgram = true;
        m_closing = true;
        QDialog::reject();
        return;
    }
    if (refused) {
        m_ctx.prompt().message(refused->message, {}, Icon::Exclamation);
        QLineEdit* e = field(refused->field);
        if (e == m_verify || e == m_new) {
            if (e == m_verify)
                m_verify->clear();
            else
                m_new->selectAll();
        } else {
            e->selectAll();
        }
        e->setFocus();
        return;
    }
    m_changed = true;
    m_closing = true;
    accept();
}

void frmChangePW::cmdCancel_Click() {
    if (m_mode == ChangeMode::Force) {
        const Answer a = m_ctx.prompt().ask(
            "You MUST change the default password before you continue. If you" + CRLF +
                "CANCEL the program will close." + CRLF + "Are you sure you wish to CANCEL?",
            "Exit Concierge?", Buttons::YesNo, Icon::Question, Answer::No);
        if (a != Answer::Yes) return;
        m_endProgram = true;
    }
    m_closing = true;
    QDialog::reject();
}

void frmChangePW::reject() {
    // Escape and the window frame: a forced change cannot be walked away from.
    if (m_mode != ChangeMode::Voluntary && !m_closing) {
        m_ctx.prompt().message(
            "Please enter your new password, confirm it and press OK.  Thank you", {},
            Icon::Information);
        return;
    }
    QDialog::reject();
}

void frmChangePW::closeEvent(QCloseEvent* e) {
    if (m_mode != ChangeMode::Voluntary && !m_closing) {
        e->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(e);
}

bool frmChangePW::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusIn)
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    return QDialog::eventFilter(watched, e);
}

} // namespace vm
