#include "guests/forms/frmOtherData.h"

#include "core/DataAccess.h"
#include "guests/OtherLists.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmOtherData");
constexpr int IdRole = Qt::UserRole;
constexpr int AbbreviationRole = Qt::UserRole + 1;
} // namespace

frmOtherData::frmOtherData(AppContext& ctx, const QString& type, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_type(type) {
    setObjectName(FormName);
    const OtherListInfo* info = FindOtherList(type);
    m_abbreviation = info && info->abbreviation;
    setWindowTitle(info ? info->title : "Maintain " + type);

    auto* top = new QVBoxLayout(this);
    top->addWidget(lblCaption = named(new QLabel(info ? info->caption : type), "lblCaption"));
    top->addWidget(lstValues = named(new QListWidget, "lstValues"), 1);
    auto* fields = new QFormLayout;
    fields->addRow(txtValue = makeLineEdit(this, "txtValue"));
    if (m_abbreviation) {
        txtAbbreviation = makeLineEdit(this, "txtAbbreviation");
        txtAbbreviation->setPlaceholderText(MsgNoAbbreviation);
        fields->addRow(named(new QLabel("Abbreviation:"), "lblAbbreviation"), txtAbbreviation);
    }
    top->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd = named(new QPushButton("Add"), "cmdAdd"));
    buttons->addWidget(cmdChange = named(new QPushButton("Change"), "cmdChange"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Close"), "cmdClose"));
    top->addLayout(buttons);

    connect(lstValues, &QListWidget::currentItemChanged, this, [this] { showSelected(); });
    connect(cmdAdd, &QPushButton::clicked, this, &frmOtherData::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmOtherData::cmdChange_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmOtherData::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void frmOtherData::refresh(qint64 selectId) {
    QSignalBlocker quiet(lstValues);
    lstValues->clear();
    try {
        for (const OtherValue& v : GetOtherData(m_ctx, m_type)) {
            auto* item = new QListWidgetItem(v.value, lstValues);
            item->setData(IdRole, v.id);
            item->setData(AbbreviationRole, v.abbreviation);
            if (v.id == selectId) lstValues->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetOtherData", FormName, true);
    }
}

void frmOtherData::showSelected() {
    const QListWidgetItem* item = lstValues->currentItem();
    if (!item) return;
    txtValue->setText(item->text());
    // An empty abbreviation shows the box's "(No Abbreviation Entered)".
    if (txtAbbreviation) txtAbbreviation->setText(item->data(AbbreviationRole).toString());
}

qint64 frmOtherData::selectedId() const {
    const QListWidgetItem* item = lstValues->currentItem();
    return item ? item->data(IdRole).toLongLong() : 0;
}

bool frmOtherData::refused(const QString& refusal) {
    if (refusal.isEmpty()) return false;
    m_ctx.prompt().message(refusal);
    return true;
}

void frmOtherData::cmdAdd_Click() {
    const QString abbreviation = txtAbbreviation ? txtAbbreviation->text() : QString();
    try {
        if (refused(InsertOtherData(m_ctx, m_type, txtValue->text(), abbreviation))) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdAdd_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    txtValue->clear();
    if (txtAbbreviation) txtAbbreviation->clear();
    refresh();
}

void frmOtherData::cmdChange_Click() {
    const qint64 id = selectedId();
    if (id == 0) {
        m_ctx.prompt().message(MsgSelectValueToChange);
        return;
    }
    const QString abbreviation = txtAbbreviation ? txtAbbreviation->text() : QString();
    try {
        if (refused(UpdateOtherData(m_ctx, m_type, id, txtValue->text(), abbreviation))) return;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdChange_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    refresh(id);
}

void frmOtherData::cmdDelete_Click() {
    const qint64 id = selectedId();
    if (id == 0) {
        m_ctx.prompt().message(MsgSelectValueToDelete);
        return;
    }
    const OtherValue value{id, lstValues->currentItem()->text(), {}};
    try {
        // A count that fails is no proof the value is unused: the error is
        // shown and nothing is deleted.
        const int uses = CountOtherUses(m_ctx, m_type, value);
        if (uses > 0) {
            m_ctx.prompt().message(NotifiedInUseMessage(uses));
            return;
        }
        if (m_ctx.prompt().ask(MsgDeleteValue, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
            Answer::Yes)
            return;
        // Counted again with the delete: a record may have taken the value meanwhile.
        const int usesNow = DeleteOtherData(m_ctx, m_type, id);
        if (usesNow > 0) {
            m_ctx.prompt().message(NotifiedInUseMessage(usesNow));
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    m_listChanged = true;
    txtValue->clear();
    if (txtAbbreviation) txtAbbreviation->clear();
    refresh();
}

bool MaintainOtherList(AppContext& ctx, const QString& type, QWidget* parent) {
    frmOtherData dialog(ctx, type, parent);
    dialog.exec();
    return dialog.listChanged();
}

} // namespace vm
