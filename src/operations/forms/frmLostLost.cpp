#include "operations/forms/frmLostLost.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
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
    : LostItemForm(ctx, true, FormName, parent) {
    if (id) {
        try {
            if (auto item = LFGetTheItem(ctx, id)) m_item = *item;
        } catch (const DbError& e) {
            ReportError(ctx.prompt(), e, "LFGetTheLostItem", FormName, true);
        }
    }
    if (!m_item.id) m_item.lostDate = Formats::StoredDate(ctx.clock().today());
    m_opened = m_item;
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
    top->addWidget(pnlMatch, 1);
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
        } else if (QString refusal; !LFUpdateLostItem(m_ctx, item, &m_opened, &refusal)) {
            m_ctx.prompt().message(refusal.isEmpty() ? kLfMsgLostGone : refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, isNew ? "LFInsertLostItem" : "LFUpdateLostItem", FormName,
                    true);
        return;
    }
    m_item = item;
    m_opened = item;
    showItem();
    emit changed();
    if (isNew) findMatches(true);
}

} // namespace vm
