#include "security/forms/frmShowEncCC.h"

#include "core/DataAccess.h"
#include "security/Audit.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "security/Lockout.h"
#include "security/PasswordPolicy.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

CardViewDialog::CardViewDialog(AppContext& ctx, const QString& objectName, const QString& masked,
                               const QString& stored, const QString& recordValue,
                               bool reasonRequired, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_stored(stored), m_recordValue(recordValue),
      m_reasonRequired(reasonRequired) {
    setObjectName(objectName);
    setWindowTitle("View Credit Card Number");
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* maskedLabel = new QLabel(masked, this);
    maskedLabel->setObjectName("lblMaskedCCN");
    m_reason = new QLineEdit(this);
    m_reason->setObjectName("txtReason");
    m_reason->setMaxLength(200);
    m_actual = new QLineEdit(this);
    m_actual->setObjectName("txtActualCCN");
    m_actual->setEchoMode(QLineEdit::Password);
    m_show = new QPushButton("Show", this);
    m_show->setObjectName("cmdShowCCN");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    connect(m_show, &QPushButton::clicked, this, &CardViewDialog::cmdShowCCN_Click);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] { m_actual->clear(); });

    auto* form = new QFormLayout;
    form->addRow("Card Number:", maskedLabel);
    form->addRow("Reason:", m_reason);
    form->addRow("Password / Number:", m_actual);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_show);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString CardViewDialog::clearNumber() const {
    return m_shown ? m_actual->text() : QString();
}

void CardViewDialog::cmdShowCCN_Click() {
    const QString reason = m_reason->text().trimmed();
    if (m_reasonRequired && reason.isEmpty()) {
        m_ctx.prompt().message("Please enter the Reason why you wish to see the actual Credit Card "
                               "Number.  Thank you.");
        m_reason->setFocus();
        return;
    }
    const QString typed = m_actual->text();
    if (typed.trimmed().isEmpty()) {
        m_ctx.prompt().message("Please enter the Password you created to view the Unmasked Credit "
                               "Card Information.  Thank you.");
        m_actual->setFocus();
        return;
    }
    try {
        const Attempt step = CheckCardViewAttempt(m_ctx, typed);
        if (step != Attempt::Right) {
            logView(false, reason);
            m_actual->clear();
            // Locked: no password is compared any more until a manager resets it.
            if (step == Attempt::Locked) m_show->setEnabled(false);
            m_ctx.prompt().message(CardPasswordRefusalText(step, PasswordText::CardWrong), {},
                                   step == Attempt::Locked ? Icon::Critical : Icon::Exclamation);
            return;
        }
        logView(true, reason);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdShowCCN_Click", objectName(), true);
        return;
    }
    const QString clear = DecryptCC(m_ctx, m_stored, m_recordValue);
    m_actual->setEchoMode(QLineEdit::Normal);
    m_actual->setReadOnly(true);
    m_actual->setText(clear);
    m_shown = !clear.isEmpty();
    m_show->setEnabled(false);
    SendSyslogMessage(m_ctx, PCIDSS(PCIDSS::CreditCardViewed, true, CurrentEmployeeId(m_ctx)));
}

frmShowEncCC::frmShowEncCC(AppContext& ctx, QChar source, qint64 id, const QString& masked,
                           const QString& stored, const QString& recordValue, QWidget* parent)
    : CardViewDialog(ctx, "frmShowEncCC", masked, stored, recordValue, true, parent),
      m_source(source), m_id(id) {}

void frmShowEncCC::logView(bool viewed, const QString& reason) {
    InsertLogbookCCV(m_ctx, m_id, viewed, m_source, reason);
}

frmShowEncCCP::frmShowEncCCP(AppContext& ctx, qint64 profileId, qint64 profileCCId,
                             const QString& masked, const QString& stored,
                             const QString& recordValue, QWidget* parent)
    : CardViewDialog(ctx, "frmShowEncCCP", masked, stored, recordValue, false, parent),
      m_profileId(profileId), m_cardId(profileCCId) {}

void frmShowEncCCP::logView(bool viewed, const QString& reason) {
    InsertProfileCCV(m_ctx, m_profileId, m_cardId, viewed, reason);
}

} // namespace vm
