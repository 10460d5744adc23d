#include "operations/forms/frmLostMatched.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "operations/reports/LostFoundReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/frmCCQuery.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmLostMatched");

QString summary(const LfItem& i, bool lost) {
    if (!i.id) return QStringLiteral("(returned without a Lost Item report)");
    return i.itemText.trimmed() + " - " + i.category.trimmed() + " - " +
           (lost ? "Lost " + ShownDate(i.lostDate) + " at " + i.lostLocation.trimmed()
                 : "Found " + ShownDate(i.foundDate) + " at " + i.foundLocation.trimmed());
}
} // namespace

frmLostMatched::frmLostMatched(AppContext& ctx, qint64 lostId, qint64 foundId, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    QString disposition;
    try {
        if (lostId)
            if (auto l = LFGetTheItem(ctx, lostId)) m_lost = *l;
        if (auto f = LFGetTheItem(ctx, foundId)) m_found = *f;
        disposition = m_lost.id ? GetOptionsLF(ctx).matchedDisposition : m_found.disposition;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "LFGetThePotentialMatch", FormName, true);
    }
    build();
    const QString today = Formats::ShortDate(ctx.clock().today());
    txtDisposedDate->setText(today);
    txtReturnDate->setText(today);
    SetLookupValue(cboDisposition, disposition);
    owner.show(m_lost.owner);
}

void frmLostMatched::build() {
    setWindowTitle(m_lost.id ? "Matched Lost and Found Item" : "Return Found Item");
    auto* top = new QVBoxLayout(this);
    auto* items = new QFormLayout;
    items->addRow("Found Item:", lblFoundItem = named(new QLabel(summary(m_found, false)),
                                                      "lblFoundItem"));
    items->addRow("Lost Item:", lblLostItem = named(new QLabel(summary(m_lost, true)),
                                                    "lblLostItem"));
    top->addLayout(items);
    auto* columns = new QHBoxLayout;
    auto* closing = new QFormLayout;
    closing->addRow("Disposition:",
                    cboDisposition = MakeLookupBox(m_ctx, "cboDisposition", "Disposal"));
    closing->addRow("Disposition Date:",
                    txtDisposedDate = makeLineEdit(this, "txtDisposedDate", false, 10));
    closing->addRow("Date Returned:", txtReturnDate = makeLineEdit(this, "txtReturnDate", false, 10));
    for (QLineEdit* e : {txtDisposedDate, txtReturnDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    closing->addRow("Return Method:",
                    cboReturnMethod = MakeLookupBox(m_ctx, "cboReturnMethod", "LFReturns"));
    closing->addRow("Payment Method:",
                    txtPaymentMethod = makeLineEdit(this, "txtPaymentMethod", false, 50));
    closing->addRow("Return Charge:",
                    txtReturnCharge = makeLineEdit(this, "txtReturnCharge", false, 15));
    closing->addRow("Credit Card Number:",
                    txtCardNumber = makeLineEdit(this, "txtCardNumber", false, 25));
    columns->addLayout(closing, 1);
    try {
        // A property that keeps no card numbers is not offered the box.
        if (GetBooleanSetting(m_ctx.db(), "NoCreditCards")) {
            closing->labelForField(txtCardNumber)->hide();
            txtCardNumber->hide();
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetBooleanSetting", FormName, true);
    }
    auto* ownerBox = new QGroupBox("Returned To");
    auto* ownerForm = new QFormLayout(ownerBox);
    owner.build(this, ownerForm);
    columns->addWidget(ownerBox, 1);
    top->addLayout(columns);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("Close Item"), "cmdSave"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Cancel"), "cmdClose"));
    top->addLayout(buttons);
    cmdPrint->setEnabled(false);
    for (QPushButton* b : {cmdSave, cmdPrint, cmdClose})
        b->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmLostMatched::cmdSave_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmLostMatched::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void frmLostMatched::cmdSave_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_found.id) {
        prompt.message(kLfMsgNoItemSelected);
        return;
    }
    LfClosing c;
    c.lostId = m_lost.id;
    c.foundId = m_found.id;
    c.disposition = LookupValue(cboDisposition);
    c.disposedDate = TypedStoredDate(txtDisposedDate);
    c.returnDate = TypedStoredDate(txtReturnDate);
    c.returnMethod = LookupValue(cboReturnMethod);
    c.paymentMethod = txtPaymentMethod->text().trimmed();
    c.returnCharge = TypedAmount(txtReturnCharge);
    c.typedCard = txtCardNumber->text().trimmed();
    if (m_lost.id) c.matchDisposition = c.disposition;
    c.owner = owner.typed();
    LfMatchResult result;
    try {
        if (const QString refusal = LFCheckClosing(m_ctx, c); !refusal.isEmpty()) {
            prompt.message(refusal);
            const QHash<QString, QWidget*> fieldOf{{kLfMsgDispositionDate, txtDisposedDate},
                                                   {kLfMsgReturnDate, txtReturnDate},
                                                   {kLfMsgReturnMethod, cboReturnMethod}};
            (fieldOf.value(refusal) ? fieldOf.value(refusal) : txtCardNumber)->setFocus();
            return;
        }
        LFScreenClosingTexts(m_ctx, c, [this](const QString& f, const QString& n) {
            return AskCCQuery(f, n, this);
        });
        result = LFMatchItem(m_ctx, c);
    } catch (const DbError& e) {
        ReportError(prompt, e, "LFMatchItem", FormName, true);
        return;
    }
    if (!result.ok) {
        prompt.message(result.message);
        return;
    }
    m_closedId = result.closedId;
    txtCardNumber->clear(); // the number is kept enciphered only
    cmdSave->setEnabled(false);
    cmdPrint->setEnabled(true);
    cmdClose->setText("Close");
    emit closedItem(m_closedId);
}

void frmLostMatched::cmdPrint_Click() {
    OpenReport(m_ctx, {RptMatchedItem, "Matched Lost and Found Item", {{"id", m_closedId}}}, this);
}

} // namespace vm
