#include "operations/forms/frmLostDisposed.h"

#include "core/DataAccess.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmLostParts.h"
#include "operations/reports/LostFoundReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/CardDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmLostDisposed");
}

frmLostDisposed::frmLostDisposed(AppContext& ctx, qint64 id, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Closed Lost and Found Item");
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblDetails = named(new QLabel, "lblDetails"));
    lblDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblDetails->setWordWrap(true);
    top->addWidget(new QLabel("Return Notes:"));
    top->addWidget(txtReturnNotes = named(new QPlainTextEdit, "txtReturnNotes"), 1);
    txtReturnNotes->setReadOnly(true);
    top->addWidget(new QLabel("Add to the Return Notes:"));
    top->addWidget(txtNewNotes = named(new QPlainTextEdit, "txtNewNotes"));
    txtNewNotes->setTabChangesFocus(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveNotes = named(new QPushButton("Save Notes"), "cmdSaveNotes"));
    buttons->addWidget(cmdShowCard = named(new QPushButton("Show Card"), "cmdShowCard"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Close"), "cmdClose"));
    top->addLayout(buttons);
    for (QPushButton* b : {cmdSaveNotes, cmdShowCard, cmdPrint, cmdClose})
        b->setAutoDefault(false);
    connect(cmdSaveNotes, &QPushButton::clicked, this, &frmLostDisposed::cmdSaveNotes_Click);
    connect(cmdShowCard, &QPushButton::clicked, this, &frmLostDisposed::cmdShowCard_Click);
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        OpenReport(m_ctx, {RptMatchedItem, "Matched Lost and Found Item", {{"id", m_item.id}}},
                   this);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    try {
        if (auto item = LFGetTheItem(ctx, id)) m_item = *item;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "LFGetTheDisposedItem", FormName, true);
    }
    showItem();
    resize(640, 560);
}

void frmLostDisposed::showItem() {
    const auto line = [](const QString& label, const QString& value) {
        return value.trimmed().isEmpty() ? QString() : label + ": " + value.trimmed() + "\n";
    };
    const LfOwner& o = m_item.owner;
    QString t = line("Description", m_item.itemText) + line("Category", m_item.category) +
                line("Room Number", m_item.roomNumber) + line("Date Lost", ShownDate(m_item.lostDate)) +
                line("Where Lost", m_item.lostLocation) +
                line("Date Found", ShownDate(m_item.foundDate)) +
                line("Where Found", m_item.foundLocation) + line("Where Stored", m_item.storedLocation) +
                line(LfTagCaption(m_ctx), m_item.tagNumber) + line("Finder Name", m_item.finderName) +
                line("Disposition", m_item.disposition) +
                line("Date Disposed", ShownDate(m_item.disposedDate)) +
                line("Date Returned", ShownDate(m_item.returnDate)) +
                line("Return Method", m_item.returnMethod) +
                line("Payment Method", m_item.paymentMethod) +
                line("Return Charge", m_item.returnCharge ? ShownAmount(m_item.returnCharge) : "") +
                line("Returned To", (o.firstName.trimmed() + " " + o.lastName.trimmed()).trimmed()) +
                line("Address", o.address) +
                line("City", (o.city.trimmed() + " " + o.state.trimmed() + " " + o.postalCode.trimmed())) +
                line("Phone", o.homePhone) + line("Email Address", o.emailAddress);
    lblDetails->setText(t.trimmed() + "\n" + m_item.enteredBy());
    txtReturnNotes->setPlainText(QString(m_item.returnNotes).replace("\r\n", "\n").trimmed());
    cmdShowCard->setEnabled(!m_item.encCC.trimmed().isEmpty());
    cmdPrint->setEnabled(m_item.id != 0);
}

void frmLostDisposed::cmdSaveNotes_Click() {
    const QString notes = txtNewNotes->toPlainText().trimmed();
    if (notes.isEmpty() || !m_item.id) return;
    try {
        if (!LFAddReturnNotes(m_ctx, m_item.id, notes)) {
            m_ctx.prompt().message(kLfMsgLostGone);
            return;
        }
        if (auto item = LFGetTheItem(m_ctx, m_item.id)) m_item = *item;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSaveNotes_Click", FormName, true);
        return;
    }
    txtNewNotes->clear();
    showItem();
    m_ctx.prompt().message(kLfMsgReturnNotesSaved, kLfTitleReturnNotes);
}

void frmLostDisposed::cmdShowCard_Click() {
    if (!MayDoOrSay(m_ctx, Rights::LogbookCloneCards, kLfMsgNotAuthorizedDecrypt)) return;
    if (!m_item.id) {
        m_ctx.prompt().message(kLfMsgSaveBeforeDecrypt);
        return;
    }
    ShowStoredCard(m_ctx, QChar('F'), m_item.id, m_item.encCC, this);
}

} // namespace vm
