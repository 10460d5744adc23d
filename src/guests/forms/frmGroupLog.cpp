#include "guests/forms/frmGroupLog.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/Groups.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/DesignFieldsPanel.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmGroupLog");
}

frmGroupLog::frmGroupLog(AppContext& ctx, qint64 groupId, const QString& groupName, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_groupId(groupId) {
    setObjectName(FormName);
    setWindowTitle("Group Logbook Entries - " + groupName);
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Logbook Entries:"));
    left->addWidget(lstTemplates = named(new QListWidget, "lstTemplates"), 1);
    top->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->addRow("Name:", txtLogName = makeLineEdit(this, "txtLogName", false, 255));
    form->addRow("Type:", cboEntryType = named(new QComboBox, "cboEntryType"));
    form->addRow("Reference Date:", txtReferDate = makeLineEdit(this, "txtReferDate", false, 10));
    txtReferDate->setPlaceholderText(Formats::ShortDateHint);
    form->addRow("Reference Time:", txtReferTime = makeLineEdit(this, "txtReferTime", false, 8));
    right->addLayout(form);
    txtLogData = named(new QPlainTextEdit, "txtLogData");
    design = new DesignFieldsPanel(ctx.prompt(), txtLogData, this);
    design->imgDEForm->hide(); // a template has no printed form
    right->addWidget(design);
    right->addWidget(new QLabel("Data Entry Panel:"));
    right->addWidget(txtLogData, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNew = named(new QPushButton("&New"), "cmdNew"));
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    right->addLayout(buttons);
    top->addLayout(right, 2);

    cboEntryType->addItem(QString());
    try {
        for (const Category& c : GetLogbookTypes(ctx.db(), LoadViewer(ctx.db(), ctx.session)))
            cboEntryType->addItem(c.name);
    } catch (const std::exception& e) {
        ReportError(ctx.prompt(), e, "GetLogbookTypes", FormName, true);
    }
    connect(cboEntryType, &QComboBox::activated, this, &frmGroupLog::categoryChosen);
    connect(lstTemplates, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) showTemplate(item->data(Qt::UserRole).toLongLong());
    });
    connect(cmdNew, &QPushButton::clicked, this, &frmGroupLog::cmdNew_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmGroupLog::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmGroupLog::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    refresh();
    cmdNew_Click();
}

void frmGroupLog::refresh() {
    QSignalBlocker quiet(lstTemplates);
    lstTemplates->clear();
    try {
        for (const auto& [id, name] : GetGroupLogs(m_ctx, m_groupId)) {
            auto* item = new QListWidgetItem(name, lstTemplates);
            item->setData(Qt::UserRole, id);
            if (id == m_templateId) lstTemplates->setCurrentItem(item);
        }
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetGroupLogs", FormName, true);
    }
}

// A fresh template takes the new category's lines; one with values keeps its
// text, whose lines the new design reads by label.
void frmGroupLog::categoryChosen() {
    const QString name = cboEntryType->currentText();
    const bool empty = design->values().join(QString()).trimmed().isEmpty();
    std::vector<DesignItem> items;
    try {
        items = GetLogbookBackPanelItems(m_ctx.db(), GetLogTypeID(m_ctx.db(), name));
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookBackPanelItems", FormName, true);
    }
    if (empty && (txtLogData->toPlainText().trimmed().isEmpty() || design->hasDesign()))
        txtLogData->setPlainText(items.empty() ? QString()
                                               : ToDisplayText(DesignLinesOnly(items, {})));
    design->setDesign(items);
}

void frmGroupLog::showTemplate(qint64 groupLogId) {
    std::optional<GroupTemplate> t;
    try {
        t = GetGroupLog(m_ctx, groupLogId);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "GetGroupLog", FormName, true);
    }
    if (!t) return;
    m_templateId = t->id;
    txtLogName->setText(t->logName);
    if (cboEntryType->findText(t->entryType) < 0) cboEntryType->addItem(t->entryType);
    cboEntryType->setCurrentText(t->entryType);
    const auto items = GetLogbookBackPanelItems(m_ctx.db(), GetLogTypeID(m_ctx.db(), t->entryType));
    txtLogData->setPlainText(ToDisplayText(TemplateEntryText(*t, items)));
    design->setDesign(items);
    txtReferDate->setText(Formats::ShortDateOfStored(t->referDate));
    const QTime at = Formats::ParseTime(t->referTime);
    txtReferTime->setText(at.isValid() ? Formats::Time12(at) : QString());
}

bool frmGroupLog::cmdSave_Click() {
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return false;
    const TemplateInput in{txtLogName->text(),
                           cboEntryType->currentText(),
                           txtReferDate->text(),
                           txtReferTime->text(),
                           design->design(),
                           design->values(),
                           ToStoredText(txtLogData->toPlainText())};
    GroupTemplate t;
    const TemplateCheck check = CheckGroupLog(in, QLocale::system().currencySymbol(), t);
    if (!check.refusal.isEmpty()) {
        m_ctx.prompt().message(check.refusal, check.title, Icon::Exclamation);
        return false;
    }
    t.id = m_templateId;
    t.groupId = m_groupId;
    try {
        if (t.id == 0 || !UpdateGroupLog(m_ctx, t)) t.id = InsertGroupLog(m_ctx, t);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    m_templateId = t.id;
    refresh();
    return true;
}

void frmGroupLog::cmdDelete_Click() {
    if (m_templateId == 0) return;
    if (!MayDoOrSay(m_ctx, Rights::OthersGroupsAdd, MsgNotAuthorizedAddGroups)) return;
    try {
        DeleteGroupLog(m_ctx, m_templateId);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
        return;
    }
    cmdNew_Click();
    refresh();
}

void frmGroupLog::cmdNew_Click() {
    m_templateId = 0;
    lstTemplates->setCurrentItem(nullptr);
    txtLogName->clear();
    cboEntryType->setCurrentIndex(0);
    txtReferDate->clear();
    txtReferTime->clear();
    txtLogData->clear();
    design->setDesign({});
}

} // namespace vm
