#include "security/forms/frmChangePWCC.h"

#include "core/DataAccess.h"
#include "security/PasswordPolicy.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

frmChangePWCC::frmChangePWCC(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmChangePWCC");
    setWindowTitle("Change Credit Card Viewing Password");
    setModal(true);
    auto make = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setEchoMode(QLineEdit::Password);
        e->setMaxLength(50);
        return e;
    };
    m_password = make("txtPassword");
    m_new = make("txtNewPassword");
    m_verify = make("txtVerify");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancel");
    connect(ok, &QPushButton::clicked, this, &frmChangePWCC::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Current viewing password:", m_password);
    form->addRow("New viewing password:", m_new);
    form->addRow("Verify new password:", m_verify);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("This password is asked before a card number is shown.", this));
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void frmChangePWCC::cmdOK_Click() {
    std::optional<PasswordRefusal> refused;
    try {
        refused = ChangeCardPassword(m_ctx, m_password->text(), m_new->text(), m_verify->text());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdOK_Click", "frmChangePWCC", true);
        return;
    }
    if (refused) {
        m_ctx.prompt().message(refused->message, {}, Icon::Exclamation);
        QLineEdit* e = findChild<QLineEdit*>(refused->field);
        if (e) {
            e->selectAll();
            e->setFocus();
        }
        return;
    }
    m_changed = true;
    accept();
}

} // namespace vm
