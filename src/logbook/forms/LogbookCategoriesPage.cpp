#include "logbook/forms/LogbookCategoriesPage.h"
#include "core/LongText.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "logbook/Categories.h"
#include "logbook/HostExtract.h"
#include "logbook/forms/frmDesignEdit.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmSearch");

const QString MsgSelectForCustomForm =
    QStringLiteral("Please select the Logbook Category whose Custom Form you wish to work with.");
const QString MsgHostExtractFrom =
    QStringLiteral("Extract the Logbook entries dated from (MM/DD/YYYY):");
const QString MsgHostExtractTo = QStringLiteral("Through (MM/DD/YYYY):");
const QString MsgHostExtractDate =
    QStringLiteral("Please enter a date in the form MM/DD/YYYY.  Thank you.");

const QString MsgSelectForTicklers =
    QStringLiteral("Please select the Logbook Category whose Tickler Notes you wish to work with.");
const QString MsgTicklersNotInstalled =
    QStringLiteral("Tickler Notes are not installed in this version of Velmora.");

const QString MergeWarning = QStringLiteral(
    "Entries made with a user-defined data entry panel must be assessed after they are moved "
    "to the other Category.");

} // namespace

LogbookCategoriesPage::LogbookCategoriesPage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("LogbookCategoriesPage");
    auto* top = new QHBoxLayout(this);
    top->addWidget(lstCategories = named(new QListWidget, "lstCategories"), 1);

    auto* right = new QVBoxLayout;
    auto* f = new QFormLayout;
    f->addRow("Category:", txtCategory = named(new QLineEdit, "txtCategory"));
    f->addRow("Rename To:", txtNewName = named(new QLineEdit, "txtNewName"));
    f->addRow("Replace With:", cboReplaceWith = named(new QComboBox, "cboReplaceWith"));
    f->addRow("Entries per Day:", txtDayLogs = named(new QLineEdit, "txtDayLogs"));
    f->addRow(chkRestricted = named(new QCheckBox("Restricted"), "chkRestricted"));
    f->addRow(chkIsReserved = named(new QCheckBox("Reservation Category"), "chkIsReserved"));
    f->addRow(chkDNPItinerary =
                  named(new QCheckBox("Do Not Print on Itinerary"), "chkDNPItinerary"));
    f->addRow(chkReadOnly = named(new QCheckBox("Read Only"), "chkReadOnly"));
    f->addRow("Confirmation Text:", txtConfirmation = named(new QPlainTextEdit, "txtConfirmation"));
    f->addRow("Vendor Request Text:", txtVendor = named(new QPlainTextEdit, "txtVendor"));
    f->addRow("Correspondence Letter:",
              txtCorrespondence = named(new QPlainTextEdit, "txtCorrespondence"));
    right->addLayout(f);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd = named(new QPushButton("Add Category"), "cmdAdd"));
    buttons->addWidget(cmdRename = named(new QPushButton("Rename"), "cmdRename"));
    buttons->addWidget(cmdReplace = named(new QPushButton("Replace"), "cmdReplace"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    buttons->addWidget(cmdSaveFlags = named(new QPushButton("Save Settings"), "cmdSaveFlags"));
    buttons->addWidget(cmdDesign = named(new QPushButton("Data Entry Design..."), "cmdDesign"));
    buttons->addWidget(cmdCustomForm = named(new QPushButton("Custom Form..."), "cmdCustomForm"));
    buttons->addWidget(cmdHostExtract =
                           named(new QPushButton("Hand-held Extract..."), "cmdHostExtract"));
    buttons->addWidget(cmdTickler = named(new QPushButton("Tickler Notes"), "cmdTickler"));
    right->addLayout(buttons);
    top->addLayout(right, 2);

    connect(lstCategories, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(cmdAdd, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdAdd_Click);
    connect(cmdRename, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdRename_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdReplace_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdDelete_Click);
    connect(cmdSaveFlags, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdSaveFlags_Click);
    connect(cmdDesign, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdDesign_Click);
    connect(cmdCustomForm, &QPushButton::clicked, this,
            &LogbookCategoriesPage::cmdCustomForm_Click);
    connect(cmdHostExtract, &QPushButton::clicked, this,
            &LogbookCategoriesPage::cmdHostExtract_Click);
    connect(cmdTickler, &QPushButton::clicked, this, &LogbookCategoriesPage::cmdTickler_Click);
}

QString LogbookCategoriesPage::selectedName() const {
    auto* item = lstCategories->currentItem();
    return item ? item->text() : QString();
}

qint64 LogbookCategoriesPage::selectedId() const {
    auto* item = lstCategories->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void LogbookCategoriesPage::refresh() {
    const QString keep = selectedName();
    lstCategories->clear();
    cboReplaceWith->clear();
    cboReplaceWith->addItem(QString());
    if (!m_ctx.current) return;
    try {
        for (const Category& c : GetAllCategories4Edit(m_ctx.db())) {
            auto* item = new QListWidgetItem(c.name, lstCategories);
            item->setData(Qt::UserRole, c.id);
            cboReplaceWith->addItem(c.name);
            if (c.name == keep) lstCategories->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetAllCategories4Edit", "modDatabase");
    }
}

void LogbookCategoriesPage::showSelected() {
    txtNewName->clear();
    const qint64 id = selectedId();
    if (id <= 0) return;
    try {
        auto c = GetLogTypeFlags(m_ctx.db(), id);
        if (!c) return;
        txtCategory->setText(c->name);
        chkRestricted->setChecked(c->restricted);
        chkIsReserved->setChecked(c->isReserved);
        chkDNPItinerary->setChecked(c->dnpItinerary);
        chkReadOnly->setChecked(c->readOnly);
        txtDayLogs->setText(c->dayLogs > 0 ? QString::number(c->dayLogs) : QString());
        txtConfirmation->setPlainText(ToDisplayText(GetCategoryText(m_ctx.db(), id, "W")));
        txtVendor->setPlainText(ToDisplayText(GetCategoryText(m_ctx.db(), id, "V")));
        txtCorrespondence->setPlainText(
            ToDisplayText(GetCategoryText(m_ctx.db(), id, TextKind::CategoryCorrespondence)));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogTypeFlags", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdAdd_Click() {
    try {
        const QString refusal = CheckNewCategoryName(m_ctx.db(), txtCategory->text());
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal);
            return;
        }
        InsertCategory(m_ctx.db(), txtCategory->text());
        refresh();
        Q_EMIT categoriesChanged();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "InsertCategory", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdRename_Click() {
    const QString oldName = selectedName();
    const QString newName = txtNewName->text().trimmed();
    if (oldName.isEmpty()) return;
    Prompt& prompt = m_ctx.prompt();
    try {
        // A rename must not make a blank or a second category of one name.
        const QString refusal = CheckNewCategoryName(m_ctx.db(), newName, oldName);
        if (!refusal.isEmpty()) {
            prompt.message(refusal);
            return;
        }
        const int entries = CountCategoryEntries(m_ctx, oldName);
        if (prompt.ask(RenameConfirmation(entries, newName), {}, Buttons::OkCancel) != Answer::Ok)
            return;
        RenameCategory(m_ctx, oldName, newName);
        LogMessage(m_ctx.start.databaseFolder,
                   RenameActivityLine(m_ctx.session.name, oldName, newName, m_ctx.clock().now(),
                                      m_ctx.workstation.computerName),
                   m_ctx.clock());
        refresh();
        const auto found =
            lstCategories->findItems(CleanSqlTextKeepAmp(newName), Qt::MatchFixedString);
        if (!found.isEmpty()) lstCategories->setCurrentItem(found.first());
        Q_EMIT categoriesChanged();
    } catch (const DbError& e) {
        ReportError(prompt, e, "UpdateCategory", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdReplace_Click() {
    const QString from = selectedName();
    const QString to = cboReplaceWith->currentText().trimmed();
    if (from.isEmpty()) return;
    Prompt& prompt = m_ctx.prompt();
    try {
        const QString refusal = CheckReplaceTarget(m_ctx.db(), to);
        if (!refusal.isEmpty()) {
            prompt.message(refusal);
            return;
        }
        if (from.compare(to, Qt::CaseInsensitive) == 0) return;
        if (prompt.ask(MergeWarning, {}, Buttons::OkCancel) != Answer::Ok) return;
        ReplaceCategory(m_ctx, from, to);
        Q_EMIT categoriesChanged();
    } catch (const DbError& e) {
        ReportError(prompt, e, "ReplaceCategory", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdDesign_Click() {
    if (selectedId() <= 0) {
        m_ctx.prompt().message("Please select the Logbook Category whose Data Entry Design you "
                               "wish to work with.");
        return;
    }
    frmDesignEdit editor(m_ctx, selectedId(), this);
    editor.exec();
    if (editor.designSaved()) Q_EMIT categoriesChanged();
}

void LogbookCategoriesPage::cmdCustomForm_Click() {
    if (selectedId() <= 0) {
        m_ctx.prompt().message(MsgSelectForCustomForm);
        return;
    }
    frmDEFormD designer(m_ctx, selectedId(), openReport, this);
    designer.exec();
}

void LogbookCategoriesPage::cmdTickler_Click() {
    // Notes hang on the category's id: only a saved category has one.
    if (selectedId() <= 0) {
        m_ctx.prompt().message(MsgSelectForTicklers);
        return;
    }
    if (!openTicklers) {
        m_ctx.prompt().message(MsgTicklersNotInstalled);
        return;
    }
    openTicklers(selectedId(), selectedName(), this);
}

void LogbookCategoriesPage::cmdHostExtract_Click() {
    Prompt& prompt = m_ctx.prompt();
    const QDate today = m_ctx.clock().now().date();
    QDate range[2];
    const QString asked[2] = {MsgHostExtractFrom, MsgHostExtractTo};
    for (int i = 0; i < 2; ++i) {
        const auto typed = prompt.input(asked[i], QStringLiteral("Hand-held Extract"),
                                        Formats::ShortDate(i == 0 ? today : range[0]));
        if (!typed) return;
        range[i] = Formats::ParseShortDate(*typed);
        if (!range[i].isValid()) {
            prompt.message(MsgHostExtractDate);
            return;
        }
    }
    if (range[1] < range[0]) std::swap(range[0], range[1]);
    try {
        WaitCursor wait;
        const HostExtractResult r = BuildHostTable(m_ctx, range[0], range[1]);
        prompt.message(r.message, {}, r.ok ? Icon::Information : Icon::Exclamation);
    } catch (const DbError& e) {
        ReportError(prompt, e, "BuildHostTable", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdDelete_Click() {
    Prompt& prompt = m_ctx.prompt();
    if (selectedId() <= 0) {
        prompt.message(MsgSelectToDelete);
        return;
    }
    try {
        if (CountCategoryEntries(m_ctx, selectedName()) != 0) return; // a category in use stays
        if (prompt.ask(MsgDeleteCategory) != Answer::Yes) return;
        DeleteCategory(m_ctx, selectedId());
        refresh();
        Q_EMIT categoriesChanged();
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeleteCategory", "modDatabase");
    }
}

void LogbookCategoriesPage::cmdSaveFlags_Click() {
    const qint64 id = selectedId();
    if (id <= 0) return;
    Prompt& prompt = m_ctx.prompt();
    const QString typed = txtDayLogs->text().trimmed();
    bool ok = true;
    const int dayLogs = typed.isEmpty() ? 0 : typed.toInt(&ok);
    if (!ok || (!typed.isEmpty() && (dayLogs < 1 || dayLogs > 99))) {
        prompt.message(MsgDayLogsRange);
        return;
    }
    try {
        auto c = GetLogTypeFlags(m_ctx.db(), id);
        if (!c) return;
        c->restricted = chkRestricted->isChecked();
        c->isReserved = chkIsReserved->isChecked();
        c->dnpItinerary = chkDNPItinerary->isChecked();
        c->readOnly = chkReadOnly->isChecked();
        c->dayLogs = dayLogs;
        UpdateConfText(m_ctx, *c, ToStoredText(txtConfirmation->toPlainText()),
                       ToStoredText(txtVendor->toPlainText()),
                       ToStoredText(txtCorrespondence->toPlainText()));
        Q_EMIT categoriesChanged();
    } catch (const DbError& e) {
        ReportError(prompt, e, "UpdateConfText", "modDatabase");
    }
}

} // namespace vm
