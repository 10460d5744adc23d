#include "desk/forms/MessageGroupsPage.h"

#include "core/DataAccess.h"
#include "desk/Messages.h"
#include "platform/forms/FormHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmConcierge");
const QString AddCaption = QStringLiteral("Add Message Group");
const QString ReplaceCaption = QStringLiteral("Replace");
} // namespace

QString MsgDeleteGroupQuestion() {
    return "Press <Yes> to DELETE this Message Group." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

QString GroupMembersLine(int count) {
    return count == 1 ? QStringLiteral("1 member belongs to this group.")
                      : QString::number(count) + " members belong to this group.";
}

MessageGroupsPage::MessageGroupsPage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("MessageGroupsPage");
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(m_list = named(new QListWidget, "lstMessageGroups"), 1);
    left->addWidget(m_members = named(new QLabel, "lblGroupMembers"));
    top->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    auto* f = new QFormLayout;
    f->addRow("Message Group:", m_group = makeLineEdit(this, "txtMessageGroup", false, 50));
    f->addRow("Replace With:", m_replace = makeLineEdit(this, "txtReplaceWith", false, 50));
    right->addLayout(f);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add = named(new QPushButton(AddCaption), "cmdAddGroup"));
    buttons->addWidget(m_delete = named(new QPushButton("Delete"), "cmdDeleteGroup"));
    right->addLayout(buttons);
    right->addStretch();
    top->addLayout(right, 1);

    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& group) {
        m_group->setText(group);
        showMembers(group);
    });
    // Typing a replacement turns the add button into "Replace".
    connect(m_replace, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_add->setText(text.trimmed().isEmpty() ? AddCaption : ReplaceCaption);
    });
    connect(m_add, &QPushButton::clicked, this, &MessageGroupsPage::cmdAddGroup_Click);
    connect(m_delete, &QPushButton::clicked, this, &MessageGroupsPage::cmdDeleteGroup_Click);
}

void MessageGroupsPage::refresh() {
    const QString keep = m_group->text();
    m_list->clear();
    m_members->clear();
    if (!m_ctx.session.loggedOn() || !m_ctx.current) return;
    try {
        m_list->addItems(GetMessageGroups(m_ctx.db()));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMessageGroups", FormName);
    }
    m_group->setText(keep);
}

void MessageGroupsPage::showMembers(const QString& group) {
    if (group.isEmpty()) {
        m_members->clear();
        return;
    }
    try {
        m_members->setText(GroupMembersLine(CountGroupMembers(m_ctx.db(), group)));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "CountGroupMembers", FormName);
    }
}

void MessageGroupsPage::cmdAddGroup_Click() {
    const bool replacing = !m_replace->text().trimmed().isEmpty();
    const QString name = m_group->text().trimmed();
    try {
        const QString refusal = replacing ? RenameMsgGroup(m_ctx, name, m_replace->text().trimmed())
                                          : InsertMsgGroup(m_ctx, name);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, replacing ? "UpdateMsgGroup" : "InsertMsgGroup", FormName);
        return;
    }
    m_group->clear();
    m_replace->clear();
    refresh();
    Q_EMIT groupsChanged();
}

void MessageGroupsPage::cmdDeleteGroup_Click() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item) {
        m_ctx.prompt().message(MsgSelectGroupToDelete);
        return;
    }
    if (m_ctx.prompt().ask(MsgDeleteGroupQuestion()) != Answer::Yes) return;
    try {
        DeleteMsgGroup(m_ctx, item->text());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteMsgGroup", FormName);
        return;
    }
    m_group->clear();
    refresh();
    Q_EMIT groupsChanged();
}

} // namespace vm
