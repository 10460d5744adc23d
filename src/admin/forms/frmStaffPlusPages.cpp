#include "admin/forms/frmStaffPlusPages.h"

#include "admin/RightsLayout.h"
#include "admin/StaffEditor.h"
#include "core/DataAccess.h"
#include "desk/forms/MessageGroupsPage.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmStaffPlus");
constexpr int RightsColumns = 3;
} // namespace

// ---- Ordered lists -------------------------------------------------------------

StaffListEditor::StaffListEditor(const QString& title, const QString& suffix, QWidget* parent)
    : QWidget(parent) {
    setObjectName("lst" + suffix + "Editor");
    auto* box = new QGroupBox(title, this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(box);
    auto* top = new QVBoxLayout(box);
    auto* adding = new QHBoxLayout;
    adding->addWidget(m_choice = named(new QComboBox, "cbo" + suffix), 1);
    auto* cmdAdd = named(new QPushButton("Add"), "cmdAdd" + suffix);
    adding->addWidget(cmdAdd);
    top->addLayout(adding);
    auto* rows = new QHBoxLayout;
    rows->addWidget(m_list = named(new QListWidget, "lst" + suffix), 1);
    auto* side = new QVBoxLayout;
    auto* cmdRemove = named(new QPushButton("Remove"), "cmdRemove" + suffix);
    auto* cmdUp = named(new QPushButton("Move Up"), "cmdUp" + suffix);
    auto* cmdDown = named(new QPushButton("Move Down"), "cmdDown" + suffix);
    for (QPushButton* b : {cmdRemove, cmdUp, cmdDown})
        side->addWidget(b);
    side->addStretch();
    rows->addLayout(side);
    top->addLayout(rows, 1);

    connect(cmdAdd, &QPushButton::clicked, this, &StaffListEditor::add);
    connect(cmdRemove, &QPushButton::clicked, this, &StaffListEditor::remove);
    connect(cmdUp, &QPushButton::clicked, this, [this] { move(-1); });
    connect(cmdDown, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &StaffListEditor::remove);
}

void StaffListEditor::setChoices(const QStringList& choices) {
    m_choice->clear();
    m_choice->addItems(choices);
}

void StaffListEditor::setItems(const QStringList& items) {
    m_list->clear();
    m_list->addItems(items);
}

QStringList StaffListEditor::items() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

void StaffListEditor::add() {
    const QString name = m_choice->currentText().trimmed();
    if (name.isEmpty()) return;
    // A name listed twice would be stored twice and shown twice.
    if (!m_list->findItems(name, Qt::MatchFixedString).isEmpty()) return;
    m_list->addItem(name);
    m_list->setCurrentRow(m_list->count() - 1);
    Q_EMIT edited();
}

void StaffListEditor::remove() {
    const int row = m_list->currentRow();
    if (row < 0) return;
    delete m_list->takeItem(row);
    Q_EMIT edited();
}

void StaffListEditor::move(int by) {
    const int row = m_list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_list->count()) return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
    Q_EMIT edited();
}

// ---- Rights --------------------------------------------------------------------

StaffRightsPanel::StaffRightsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlRights");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto* inner = new QWidget;
    auto* rows = new QVBoxLayout(inner);
    for (const RightsRow& row : EditableRightsRows()) {
        auto* box = named(new QGroupBox(row.title, inner), "fra" + row.column);
        auto* grid = new QGridLayout(box);
        QList<QCheckBox*>& boxes = m_boxes[row.area];
        for (int i = 0; i < row.captions.size(); ++i) {
            auto* chk = named(new QCheckBox(QString::number(i + 1) + ". " + row.captions[i]),
                              "chk" + row.column + QString::number(i + 1));
            grid->addWidget(chk, i / RightsColumns, i % RightsColumns);
            boxes << chk;
        }
        rows->addWidget(box);
    }
    rows->addStretch();
    scroll->setWidget(inner);
}

void StaffRightsPanel::setRights(const QMap<RightsArea, QString>& rights) {
    m_shown = rights;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        const QString s = NormalizedRights(it.key(), rights.value(it.key()));
        for (int i = 0; i < it.value().size(); ++i)
            it.value()[i]->setChecked(HasRight(s, i + 1));
    }
}

QMap<RightsArea, QString> StaffRightsPanel::rights() const {
    QMap<RightsArea, QString> out = m_shown;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        QString s = NormalizedRights(it.key(), m_shown.value(it.key()));
        for (int i = 0; i < it.value().size(); ++i)
            s = SetRightChar(s, i + 1, it.value()[i]->isChecked());
        out[it.key()] = s;
    }
    return out;
}

// ---- Message groups ----------------------------------------------------------------

StaffGroupsPanel::StaffGroupsPanel(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("pnlMessageGroups");
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Tick the groups the member belongs to:"));
    left->addWidget(lstMessageGroups = named(new QListWidget, "lstMessageGroups"), 1);
    left->addWidget(lblMemberGroups = named(new QLabel, "lblMemberGroups"));
    lblMemberGroups->setWordWrap(true);
    top->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    auto* f = new QFormLayout;
    f->addRow("Message Group:", txtMessageGroup = makeLineEdit(this, "txtMessageGroup", false, 50));
    f->addRow("Replace With:", txtReplaceWith = makeLineEdit(this, "txtReplaceWith", false, 50));
    right->addLayout(f);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddGroup = named(new QPushButton, "cmdAddGroup"));
    buttons->addWidget(cmdDeleteGroup = named(new QPushButton("Delete Group"), "cmdDeleteGroup"));
    right->addLayout(buttons);
    right->addStretch();
    top->addLayout(right, 1);
    showCaption();

    connect(lstMessageGroups, &QListWidget::currentTextChanged, txtMessageGroup,
            &QLineEdit::setText);
    connect(txtMessageGroup, &QLineEdit::textChanged, this, &StaffGroupsPanel::showCaption);
    connect(txtReplaceWith, &QLineEdit::textChanged, this, &StaffGroupsPanel::showCaption);
    connect(lstMessageGroups, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const QString group = item->text();
        const bool ticked = item->checkState() == Qt::Checked;
        const qsizetype at = m_member.indexOf(group);
        if (ticked && at < 0)
            m_member << group;
        else if (!ticked && at >= 0)
            m_member.removeAt(at);
        else
            return;
        showJoined();
        Q_EMIT edited();
    });
    connect(cmdAddGroup, &QPushButton::clicked, this, &StaffGroupsPanel::cmdAddGroup_Click);
    connect(cmdDeleteGroup, &QPushButton::clicked, this, &StaffGroupsPanel::cmdDeleteGroup_Click);
}

void StaffGroupsPanel::refresh() {
    QStringList groups;
    try {
        groups = StaffMessageGroups(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetMessageGroups", FormName);
    }
    const QSignalBlocker quiet(lstMessageGroups);
    lstMessageGroups->clear();
    for (const QString& g : groups) {
        auto* item = new QListWidgetItem(g, lstMessageGroups);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_member.contains(g) ? Qt::Checked : Qt::Unchecked);
    }
    showJoined();
}

void StaffGroupsPanel::setMemberGroups(const QStringList& groups) {
    m_member = groups;
    refresh();
}

QStringList StaffGroupsPanel::memberGroups() const {
    return m_member;
}

void StaffGroupsPanel::showJoined() {
    lblMemberGroups->setText(MessageGroupsText(m_member));
}

void StaffGroupsPanel::showCaption() {
    cmdAddGroup->setText(
        MessageGroupButtonCaption(txtMessageGroup->text(), txtReplaceWith->text()));
}

void StaffGroupsPanel::cmdAddGroup_Click() {
    const QString group = txtMessageGroup->text().trimmed();
    const QString replacement = txtReplaceWith->text().trimmed();
    const bool replacing = cmdAddGroup->text() != MessageGroupButtonCaption({}, {});
    try {
        const QString refusal = replacing ? ReplaceStaffMessageGroup(m_ctx, group, replacement)
                                          : AddStaffMessageGroup(m_ctx, group);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            (replacing ? txtReplaceWith : txtMessageGroup)->setFocus();
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, replacing ? "UpdateMsgGroup" : "InsertMsgGroup", FormName);
        return;
    }
    // The stored members follow a renamed group; so does the member on screen.
    if (replacing)
        for (QString& g : m_member)
            if (g.compare(group, Qt::CaseInsensitive) == 0) g = replacement;
    txtMessageGroup->clear();
    txtReplaceWith->clear();
    refresh();
}

void StaffGroupsPanel::cmdDeleteGroup_Click() {
    const QString group = txtMessageGroup->text().trimmed();
    if (group.isEmpty()) {
        m_ctx.prompt().message(MsgSelectGroupToDelete);
        txtMessageGroup->setFocus();
        return;
    }
    if (m_ctx.prompt().ask(DeleteMessageGroupQuestion()) != Answer::Yes) return;
    try {
        const QString refusal = DeleteStaffMessageGroup(m_ctx, group);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteMsgGroup", FormName);
        return;
    }
    // Ticked on screen but not saved yet: the member must not bring it back.
    m_member.removeIf([&](const QString& g) { return g.compare(group, Qt::CaseInsensitive) == 0; });
    txtMessageGroup->clear();
    refresh();
}

} // namespace vm
