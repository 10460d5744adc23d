#include "operations/forms/frmLostLost.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "operations/forms/frmLostMatched.h"
#include "operations/reports/LostFoundReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"
#include "security/forms/frmCCQuery.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmLostLost");
}

frmLostLost::frmLostLost(AppContext& ctx, qint64 id, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    if (id) {
        try {
            if (auto item = LFGetTheItem(ctx, id)) m_item = *item;
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "LFGetTheLostItem", FormName, true);
        }
    }
    if (!m_item.id) m_item.lostDate = Formats::StoredDate(ctx.clock().today());
    build();
    showItem();
}

void frmLostLost::build() {
    setWindowTitle("Lost Item");
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QFormLayout;
    left->addRow("Description:", txtItemText = makeLineEdit(this, "txtItemText", false, 250));
    left->addRow("Category:", cboCategory = MakeLookupBox(m_ctx, "cboCategory", "LFCategory"));
    left->addRow("Where Lost:",
                 cboLostLocation = MakeLookupBox(m_ctx, "cboLostLocation", "LFLocation"));
    left->addRow("Date Lost:", txtLostDate = makeLineEdit(this, "txtLostDate", false, 10));
    txtLostDate->setPlaceholderText(Formats::ShortDateHint);
    left->addRow("Room Number:", txtRoomNumber = makeLineEdit(this, "txtRoomNumber", false, 20));
    left->addRow("Estimated Value:",
                 txtEstValueLost = makeLineEdit(this, "txtEstValueLost", false, 15));
    columns->addLayout(left, 1);
    auto* right = new QFormLayout;
    owner.build(this, right);
    columns->addLayout(right, 1);
    top->addLayout(columns);
    top->addWidget(lblEnteredBy = named(new QLabel, "lblEnteredBy"));
    top->addWidget(pnlMatch = new LostMatchPanel(m_ctx, true, this), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Close"), "cmdClose"));
    top->addLayout(buttons);
    for (QPushButton* b : {cmdSave, cmdDelete, cmdPrint, cmdClose})
        b->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmLostLost::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLostLost::cmdDelete_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmLostLost::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(pnlMatch, &LostMatchPanel::searchClicked, this, [this] { findMatches(false); });
    connect(pnlMatch, &LostMatchPanel::matchChosen, this, &frmLostLost::match);
    resize(900, 640);
}

void frmLostLost::showItem() {
    txtItemText->setText(m_item.itemText.trimmed());
    SetLookupValue(cboCategory, m_item.category);
    SetLookupValue(cboLostLocation, m_item.lostLocation);
    txtLostDate->setText(ShownDate(m_item.lostDate));
    txtRoomNumber->setText(m_item.roomNumber.trimmed());
    txtEstValueLost->setText(ShownAmount(m_item.estValueLost));
    owner.show(m_item.owner);
    lblEnteredBy->setText(m_item.enteredBy());
    cmdPrint->setEnabled(m_item.id != 0);
}

LfItem frmLostLost::typed() const {
    LfItem i = m_item;
    i.status = kLfLost;
    i.itemText = txtItemText->text().trimmed();
    i.category = LookupValue(cboCategory);
    i.lostLocation = LookupValue(cboLostLocation);
    i.lostDate = TypedStoredDate(txtLostDate);
    i.roomNumber = txtRoomNumber->text().trimmed();
    i.estValueLost = TypedAmount(txtEstValueLost);
    i.owner = owner.typed();
    return i;
}

void frmLostLost::cmdSave_Click() {
    LfItem item = typed();
    if (const QString refusal = LFCheckLostItem(item); !refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        const QHash<QString, QWidget*> fieldOf{
            {kLfMsgLostDescription, txtItemText}, {kLfMsgCategory, cboCategory},
            {kLfMsgLostLocation, cboLostLocation}, {kLfMsgLostDate, txtLostDate},
            {kLfMsgFirstName, owner.txtFirstName}, {kLfMsgLastName, owner.txtLastName}};
        if (QWidget* w = fieldOf.value(refusal)) w->setFocus();
        return;
    }
    const bool isNew = item.id == 0;
    try {
        LFScreenItemTexts(m_ctx, item, kLfFormLost, [this](const QString& f, const QString& n) {
            return AskCCQuery(f, n, this);
        });
        if (isNew) {
            LFInsertLostItem(m_ctx, item);
        } else if (!LFUpdateLostItem(m_ctx, item)) {
            m_ctx.prompt().message(kLfMsgLostGone);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, isNew ? "LFInsertLostItem" : "LFUpdateLostItem", FormName,
                    true);
        return;
    }
    m_item = item;
    showItem();
    emit changed();
    if (isNew) findMatches(true);
}

void frmLostLost::findMatches(bool afterSave) {
    if (!m_item.id) {
        m_ctx.prompt().message(kLfMsgSaveBeforeMatch);
        return;
    }
    try {
        WaitCursor wait;
        const int n = pnlMatch->search(m_item);
        if (afterSave && n > 0)
            m_ctx.prompt().message(LfPossibleMatchesText(n), kLfTitlePossibleMatch);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "LFGetTheLostMatches", FormName, true);
    }
}

void frmLostLost::match(qint64 foundId) {
    if (!MayDoOrSay(m_ctx, Rights::AddOnsLostAndFound, kLfMsgNotAuthorizedMatchLost)) return;
    if (!m_item.id) {
        m_ctx.prompt().message(kLfMsgSaveBeforeMatch);
        return;
    }
    if (!foundId) {
        m_ctx.prompt().message(kLfMsgNoItemSelected);
        return;
    }
    // Owned by the search window: it stays open for its print after this form closes.
    auto* closing = new frmLostMatched(m_ctx, m_item.id, foundId, parentWidget());
    closing->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, closing);
    connect(closing, &frmLostMatched::closedItem, this, [this] {
        emit changed();
        close(); // the report is no longer open
    });
    closing->show();
}

void frmLostLost::cmdDelete_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (!m_item.id) {
        prompt.message(kLfMsgNotSavedDelete);
        return;
    }
    if (prompt.ask(kLfMsgConfirmDeleteLost, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    try {
        LFDeleteLostItem(m_ctx, m_item.id);
    } catch (const DbError& e) {
        ReportError(prompt, e, "LFDeleteLostItem", FormName, true);
        return;
    }
    emit changed();
    close();
}

void frmLostLost::cmdPrint_Click() {
    OpenReport(m_ctx, {RptLostItem, "Lost Item", {{"id", m_item.id}}}, this);
}

} // namespace vm
