#include "logbook/forms/NotifiedValuesDialog.h"

#include "core/DataAccess.h"
#include "logbook/NotifiedValues.h"
#include "platform/forms/FormHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmOtherData");
}

NotifiedValuesDialog::NotifiedValuesDialog(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle(NotifiedListTitle);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblCaption = named(new QLabel(NotifiedListCaption), "lblCaption"));
    top->addWidget(lstOther = named(new QListWidget, "lstOther"), 1);
    top->addWidget(txtOtherValue = makeLineEdit(this, "txtOtherValue"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd = named(new QPushButton("Add"), "cmdAdd"));
    buttons->addWidget(cmdChange = named(new QPushButton("Change"), "cmdChange"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Close"), "cmdClose"));
    top->addLayout(buttons);

    connect(lstOther, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) txtOtherValue->setText(item->text());
    });
    connect(cmdAdd, &QPushButton::clicked, this, &NotifiedValuesDialog::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &NotifiedValuesDialog::cmdChange_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &NotifiedValuesDialog::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void NotifiedValuesDialog::refresh() {
    lstOther->clear();
    try {
        for (const NotifiedValue& v : GetNotifiedValues(m_ctx.db())) {
            auto* item = new QListWidgetItem(v.value, lstOther);
            item->setData(Qt::UserRole, v.id);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetOtherData", FormName, true);
    }
}

qint64 NotifiedValuesDialog::selectedId() const {
    const QListWidgetItem* item = lstOther->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

bool NotifiedValuesDialog::refused(const QString& refusal) {
    if (refusal.isEmpty()) return false;
    m_ctx.prompt().message(refusal);
    return true;
}

void NotifiedValuesDialog::cmdAdd_Click() {
    try {
        if (refused(InsertNotifiedValue(m_ctx.db(), txtOtherValue->text()))) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAdd_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    txtOtherValue->clear();
    refresh();
}

void NotifiedValuesDialog::cmdChange_Click() {
    const qint64 id = selectedId();
    if (id == 0) {
        m_ctx.prompt().message(MsgSelectValueToChange);
        return;
    }
    const QString old = lstOther->currentItem()->text();
    try {
        if (refused(ReplaceNotifiedValue(m_ctx.db(), id, txtOtherValue->text()))) return;
        for (const NotifiedValue& v : GetNotifiedValues(m_ctx.db()))
            if (v.id == id) m_renamed.insert(old.toLower(), v.value);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdChange_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    refresh();
}

void NotifiedValuesDialog::cmdDelete_Click() {
    const qint64 id = selectedId();
    if (id == 0) {
        m_ctx.prompt().message(MsgSelectValueToDelete);
        return;
    }
    try {
        const int uses = CountNotifiedUses(m_ctx.db(), lstOther->currentItem()->text());
        if (uses > 0) {
            m_ctx.prompt().message(NotifiedInUseMessage(uses));
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteValue, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
            Answer::Yes)
            return;
        // Counted again with the delete: an entry may have taken the value meanwhile.
        const int usesNow = DeleteNotifiedValue(m_ctx.db(), id);
        if (usesNow > 0) {
            m_ctx.prompt().message(NotifiedInUseMessage(usesNow));
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    txtOtherValue->clear();
    refresh();
}

} // namespace vm
