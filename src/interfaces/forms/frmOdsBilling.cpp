#include "interfaces/forms/frmOdsBilling.h"

#include "core/DataAccess.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmOdsBilling");
}

frmOdsBilling::frmOdsBilling(AppContext& ctx, const OdsBillingCode& code, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_code(code), m_isNew(code.id <= 0) {
    setObjectName(FormName);
    setWindowTitle(m_isNew ? "Add New ODS Billing Code" : "Modify ODS Billing Code");
    auto* form = new QFormLayout;
    lblOdsID = named(new QLabel, "lblOdsID");
    txtOdsCode = makeLineEdit(this, "txtOdsCode");
    txtOdsCode->setMaxLength(50);
    txtOdsDescription = makeLineEdit(this, "txtOdsDescription");
    txtOdsDescription->setMaxLength(250);
    form->addRow("ID:", lblOdsID);
    form->addRow("ODS Code:", txtOdsCode);
    form->addRow("Description:", txtOdsDescription);

    cmdOK = named(new QPushButton("OK"), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton("Cancel"), "cmdCancel");
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    try {
        if (m_isNew) m_code.id = GetNextOdsBillingID(ctx.db());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetNextOdsBillingID", FormName, true);
    }
    lblOdsID->setText(QString::number(m_code.id));
    txtOdsCode->setText(m_code.code);
    txtOdsDescription->setText(m_code.description);
    setTabOrder(txtOdsCode, txtOdsDescription);
    setTabOrder(txtOdsDescription, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtOdsCode->setFocus();
}

void frmOdsBilling::cmdOK_Click() {
    if (txtOdsCode->text().trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgOdsCodeEmpty);
        txtOdsCode->setFocus();
        return;
    }
    OdsBillingCode saved = m_code;
    saved.code = txtOdsCode->text().trimmed();
    saved.description = txtOdsDescription->text().trimmed();
    try {
        // A code added by another desk meanwhile took this id: take the next one.
        if (m_isNew) saved.id = GetNextOdsBillingID(m_ctx.db());
        SaveOdsBilling(m_ctx.db(), saved, m_isNew);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SaveOdsBilling", FormName, true);
        return;
    }
    m_code = saved;
    accept();
}

void ShowOdsBillingCodes(AppContext& ctx, QWidget* parent) {
    std::vector<OdsBillingCode> codes;
    try {
        codes = GetOdsBillingCodes(ctx.db());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetOdsBillingCodes", FormName, true);
        return;
    }
    if (codes.empty()) {
        ctx.prompt().message(OdsNoBillingCodesMessage(), OdsNoBillingCodesTitle,
                             Icon::Exclamation);
        return;
    }
    QDialog dialog(parent);
    dialog.setObjectName("frmOdsBillingList");
    dialog.setWindowTitle("ODS Billing Codes");
    auto* grid = named(new DataGrid, "grdOdsBilling");
    grid->setHeaders({"ID", "ODS Code", "Description"});
    for (const OdsBillingCode& c : codes)
        grid->setRow(c.id, {QString::number(c.id), c.code, c.description});
    auto* close = named(new QPushButton("Close"), "cmdClose");
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(grid);
    layout->addWidget(close, 0, Qt::AlignRight);
    dialog.resize(480, 320);
    dialog.exec();
}

} // namespace vm
