#include "logbook/forms/frmExport.h"

#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "logbook/ProfileTypes.h"
#include "platform/forms/FormHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString NoOptions = QStringLiteral("No Options Selected");

QListWidgetItem* addCheckable(QListWidget* list, const QString& text, const QVariant& data) {
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(Qt::UserRole, data);
    return item;
}

QVariantList checkedData(const QListWidget* list) {
    QVariantList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->data(Qt::UserRole);
    return out;
}

QStringList checkedTexts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->text();
    return out;
}

void checkWhere(QListWidget* list, const std::function<bool(const QListWidgetItem*)>& chosen) {
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(chosen(list->item(i)) ? Qt::Checked : Qt::Unchecked);
}

} // namespace

frmExport::frmExport(AppContext& ctx, const QString& preselectCategory, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmExport");
    setWindowTitle("Logbook Export");
    build();
    fillLists();
    loadDefinitions();
    txtOutputFile->setText(ExportOutputFile(m_ctx, 0));
    if (!preselectCategory.isEmpty()) {
        for (int i = 0; i < lstCategories->count(); ++i) {
            if (lstCategories->item(i)->text().compare(preselectCategory, Qt::CaseInsensitive) ==
                0) {
                lstCategories->item(i)->setCheckState(Qt::Checked);
                lstCategories->setCurrentRow(i);
            }
        }
    }
    refreshTree();
}

void frmExport::build() {
    auto* root = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* defs = new QHBoxLayout;
    defs->addWidget(cboDefinitions = named(new QComboBox(this), "cboDefinitions"), 1);
    defs->addWidget(cmdSaveDef = named(new QPushButton("Save", this), "cmdSaveDef"));
    defs->addWidget(cmdDeleteDef = named(new QPushButton("Delete", this), "cmdDeleteDef"));
    left->addLayout(defs);
    tvCriteria = named(new QTreeWidget(this), "tvCriteria");
    tvCriteria->setHeaderLabel("Export Criteria");
    left->addWidget(tvCriteria, 1);
    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel("Output File:", this));
    file->addWidget(txtOutputFile = makeLineEdit(this, "txtOutputFile", false, 260), 1);
    file->addWidget(cmdBrowse = named(new QPushButton("...", this), "cmdBrowse"));
    left->addLayout(file);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport = named(new QPushButton("Export", this), "cmdExport"));
    buttons->addWidget(cmdClose = named(new QPushButton("Close", this), "cmdClose"));
    left->addLayout(buttons);
    root->addLayout(left, 1);

    auto* right = new QGridLayout;
    int row = 0;
    right->addWidget(new QLabel("Logbook Categories", this), row, 0);
    right->addWidget(new QLabel("Available Logbook Category Items", this), row++, 1);
    right->addWidget(lstCategories = named(new QListWidget(this), "lstCategories"), row, 0);
    right->addWidget(lstItems = named(new QListWidget(this), "lstItems"), row++, 1);

    auto* dates = new QHBoxLayout;
    dates->addWidget(cboDateType = named(new QComboBox(this), "cboDateType"));
    cboDateType->addItems({NoOptions, "Reference Date", "Entry Date"});
    const QDate today = m_ctx.clock().now().date();
    dates->addWidget(dtpFrom = named(new QDateEdit(today, this), "dtpFrom"));
    dates->addWidget(dtpTo = named(new QDateEdit(today, this), "dtpTo"));
    dtpFrom->setCalendarPopup(true);
    dtpTo->setCalendarPopup(true);
    right->addWidget(new QLabel("Date Ranges", this), row++, 0);
    right->addLayout(dates, row++, 0, 1, 2);

    right->addWidget(new QLabel("Profile Types", this), row, 0);
    right->addWidget(new QLabel("Concierge", this), row++, 1);
    right->addWidget(lstProfileTypes = named(new QListWidget(this), "lstProfileTypes"), row, 0);
    right->addWidget(lstStaff = named(new QListWidget(this), "lstStaff"), row++, 1);
    right->addWidget(new QLabel("Group", this), row, 0);
    right->addWidget(new QLabel("Status", this), row++, 1);
    right->addWidget(lstGroups = named(new QListWidget(this), "lstGroups"), row, 0);
    auto* status = new QVBoxLayout;
    status->addWidget(cboStatus = named(new QComboBox(this), "cboStatus"));
    cboStatus->addItems({NoOptions, "Open", "Closed", "All"});
    status->addWidget(cboCancelled = named(new QComboBox(this), "cboCancelled"));
    cboCancelled->addItems({"Include Cancelled Entries", "Do Not Include Cancelled Entries"});
    auto* where = new QGroupBox("Database Location", this);
    auto* whereLayout = new QVBoxLayout(where);
    whereLayout->addWidget(optCurrent =
                               named(new QRadioButton("Current Database", where), "optCurrent"));
    whereLayout->addWidget(optArchive =
                               named(new QRadioButton("Archive Database", where), "optArchive"));
    optCurrent->setChecked(true);
    optArchive->setEnabled(m_ctx.hasArchive());
    status->addWidget(where);
    status->addStretch();
    right->addLayout(status, row++, 1);

    auto* sort = new QGridLayout;
    QComboBox** sorts[] = {&cboSort1, &cboSort2, &cboSort3};
    QComboBox** orders[] = {&cboOrder1, &cboOrder2, &cboOrder3};
    for (int i = 0; i < 3; ++i) {
        *sorts[i] = named(new QComboBox(this), QString("cboSort%1").arg(i + 1));
        (*sorts[i])->addItems(ExportSortFields());
        *orders[i] = named(new QComboBox(this), QString("cboOrder%1").arg(i + 1));
        (*orders[i])->addItems(ExportSortOrders());
        sort->addWidget(new QLabel(QString("Sort %1").arg(i + 1), this), i, 0);
        sort->addWidget(*sorts[i], i, 1);
        sort->addWidget(*orders[i], i, 2);
        connect(*sorts[i], &QComboBox::currentIndexChanged, this, [this] { refreshTree(); });
        connect(*orders[i], &QComboBox::currentIndexChanged, this, [this] { refreshTree(); });
    }
    right->addLayout(sort, row++, 0, 1, 2);
    root->addLayout(right, 2);

    connect(cmdSaveDef, &QPushButton::clicked, this, &frmExport::cmdSaveDef_Click);
    connect(cmdDeleteDef, &QPushButton::clicked, this, &frmExport::cmdDeleteDef_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmExport::cmdBrowse_Click);
    connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExport_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(cboDefinitions, &QComboBox::activated, this, [this] { definitionChosen(); });
    connect(lstCategories, &QListWidget::currentRowChanged, this, [this] { showItems(); });
    connect(lstCategories, &QListWidget::itemChanged, this, [this] { categoryChosen(); });
    connect(lstItems, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_filling || !lstCategories->currentItem()) return;
        const qint64 cat = lstCategories->currentItem()->data(Qt::UserRole).toLongLong();
        const qint64 id = item->data(Qt::UserRole).toLongLong();
        if (item->checkState() == Qt::Checked) {
            m_items[cat].insert(id);
            m_filling = true;
            lstCategories->currentItem()->setCheckState(Qt::Checked);
            m_filling = false;
        } else {
            m_items[cat].remove(id);
        }
        refreshTree();
    });
    for (QListWidget* l : {lstProfileTypes, lstStaff, lstGroups})
        connect(l, &QListWidget::itemChanged, this, [this] { refreshTree(); });
    for (QComboBox* c : {cboDateType, cboStatus, cboCancelled})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { refreshTree(); });
    connect(dtpFrom, &QDateEdit::dateChanged, this, [this] { refreshTree(); });
    connect(dtpTo, &QDateEdit::dateChanged, this, [this] { refreshTree(); });
    connect(optArchive, &QRadioButton::toggled, this, [this] { refreshTree(); });
    resize(980, 640);
}

void frmExport::fillLists() {
    m_filling = true;
    for (const Category& c : GetLogbookTypes(m_ctx.db(), LoadViewer(m_ctx.db(), m_ctx.session)))
        addCheckable(lstCategories, c.name, c.id);
    for (const QString& t : GetProfileTypeNames(m_ctx.db()))
        addCheckable(lstProfileTypes, t, t);
    for (const QString& s : ExportStaffNames(m_ctx.db()))
        addCheckable(lstStaff, s, s);
    for (const auto& [id, name] : ExportGroups(m_ctx.db()))
        addCheckable(lstGroups, name, id);
    m_filling = false;
    if (lstCategories->count() > 0) lstCategories->setCurrentRow(0);
}

void frmExport::loadDefinitions(qint64 select) {
    cboDefinitions->clear();
    cboDefinitions->addItem(NewDefinitionCaption, qint64(0));
    // Every database is created with the table; only a damaged one lacks it.
    if (!ExportDefinitionsAvailable(m_ctx.db())) {
        m_ctx.prompt().message(MsgTableNotFound, TitleTableNotFound, Icon::Critical);
        cmdSaveDef->setEnabled(false);
        cmdDeleteDef->setEnabled(false);
        return;
    }
    for (const ExportDefinitionName& d : LoadSavedExportDefinitions(m_ctx.db())) {
        cboDefinitions->addItem(d.name, d.id);
        if (d.id == select) cboDefinitions->setCurrentIndex(cboDefinitions->count() - 1);
    }
}

qint64 frmExport::currentDefinition() const {
    return cboDefinitions->currentData().toLongLong();
}

void frmExport::definitionChosen() {
    const qint64 id = currentDefinition();
    if (id <= 0) return;
    txtOutputFile->setText(ExportOutputFile(m_ctx, id));
    const std::optional<ExportCriteria> c = LoadExportDefinition(m_ctx.db(), id);
    if (!c) {
        m_ctx.prompt().message(EmptyDefinitionMessage(cboDefinitions->currentText()),
                               TitleNoDefinition, Icon::Information);
        return;
    }
    setCriteria(*c);
}

void frmExport::categoryChosen() {
    if (m_filling) return;
    refreshTree();
}

void frmExport::showItems() {
    m_filling = true;
    lstItems->clear();
    if (QListWidgetItem* cat = lstCategories->currentItem()) {
        const qint64 id = cat->data(Qt::UserRole).toLongLong();
        const QSet<qint64> chosen = m_items.value(id);
        for (const DesignElement& d : GetDEElements(m_ctx.db(), id))
            addCheckable(lstItems, d.label, d.designId)
                ->setCheckState(chosen.contains(d.designId) ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

ExportCriteria frmExport::criteria() const {
    ExportCriteria c;
    for (int i = 0; i < lstCategories->count(); ++i) {
        const QListWidgetItem* item = lstCategories->item(i);
        if (item->checkState() != Qt::Checked) continue;
        ExportCategory cat;
        cat.logTypeId = item->data(Qt::UserRole).toLongLong();
        // Items in the design's order, whatever order they were ticked in.
        const QSet<qint64> chosen = m_items.value(cat.logTypeId);
        if (!chosen.isEmpty())
            for (const DesignElement& d : GetDEElements(m_ctx.db(), cat.logTypeId))
                if (chosen.contains(d.designId)) cat.designIds.push_back(d.designId);
        c.categories.push_back(cat);
    }
    c.dateType = ExportDateType(cboDateType->currentIndex());
    c.dateFrom = dtpFrom->date();
    c.dateTo = dtpTo->date();
    c.profileTypes = checkedTexts(lstProfileTypes);
    c.staff = checkedTexts(lstStaff);
    for (const QVariant& g : checkedData(lstGroups))
        c.groups << g.toLongLong();
    c.status = cboStatus->currentIndex() - 1;
    c.cancelled = cboCancelled->currentIndex();
    c.database = optArchive->isChecked() ? 1 : 0;
    const QComboBox* sorts[] = {cboSort1, cboSort2, cboSort3};
    const QComboBox* orders[] = {cboOrder1, cboOrder2, cboOrder3};
    for (int i = 0; i < 3; ++i)
        c.sort[i] = {sorts[i]->currentIndex(), orders[i]->currentIndex()};
    return c;
}

void frmExport::setCriteria(const ExportCriteria& c) {
    m_filling = true;
    m_items.clear();
    QSet<qint64> cats;
    for (const ExportCategory& cat : c.categories) {
        cats.insert(cat.logTypeId);
        for (qint64 id : cat.designIds)
            m_items[cat.logTypeId].insert(id);
    }
    checkWhere(lstCategories, [&](const QListWidgetItem* i) {
        return cats.contains(i->data(Qt::UserRole).toLongLong());
    });
    cboDateType->setCurrentIndex(int(c.dateType));
    if (c.dateType != ExportDateType::None) {
        dtpFrom->setDate(c.dateFrom);
        dtpTo->setDate(c.dateTo);
    }
    checkWhere(lstProfileTypes,
               [&](const QListWidgetItem* i) { return c.profileTypes.contains(i->text()); });
    checkWhere(lstStaff, [&](const QListWidgetItem* i) { return c.staff.contains(i->text()); });
    checkWhere(lstGroups, [&](const QListWidgetItem* i) {
        return c.groups.contains(i->data(Qt::UserRole).toLongLong());
    });
    cboStatus->setCurrentIndex(c.status + 1);
    cboCancelled->setCurrentIndex(c.cancelled);
    (c.database == 1 && m_ctx.hasArchive() ? optArchive : optCurrent)->setChecked(true);
    QComboBox* sorts[] = {cboSort1, cboSort2, cboSort3};
    QComboBox* orders[] = {cboOrder1, cboOrder2, cboOrder3};
    for (int i = 0; i < 3; ++i) {
        sorts[i]->setCurrentIndex(c.sort[i].field);
        orders[i]->setCurrentIndex(c.sort[i].order);
    }
    m_filling = false;
    showItems();
    refreshTree();
}

void frmExport::refreshTree() {
    if (m_filling) return;
    const ExportCriteria c = criteria();
    tvCriteria->clear();
    const auto section = [&](const QString& caption, const QStringList& lines) {
        auto* top = new QTreeWidgetItem(tvCriteria, {caption});
        for (const QString& l : lines.isEmpty() ? QStringList{NoOptions} : lines)
            new QTreeWidgetItem(top, {l});
        top->setExpanded(true);
    };
    QStringList cats;
    for (int i = 0; i < lstCategories->count(); ++i)
        if (lstCategories->item(i)->checkState() == Qt::Checked) {
            const qint64 id = lstCategories->item(i)->data(Qt::UserRole).toLongLong();
            cats << lstCategories->item(i)->text() +
                        QString(" (%1 items)").arg(m_items.value(id).size());
        }
    section("Logbook Categories", cats);
    QStringList dates;
    if (c.dateType != ExportDateType::None)
        dates << cboDateType->currentText() + ": " + Formats::ShortDate(c.dateFrom) + " - " +
                     Formats::ShortDate(c.dateTo);
    section("Date Ranges", dates);
    section("Profile Types", c.profileTypes);
    section("Concierge", c.staff);
    section("Group", checkedTexts(lstGroups));
    QStringList status;
    if (c.status >= 0) status << cboStatus->currentText() << cboCancelled->currentText();
    section("Status", status);
    section("Database Location", {c.database == 1 ? "Archive Database" : "Current Database"});
}

void frmExport::cmdSaveDef_Click() {
    qint64 id = currentDefinition();
    while (id <= 0) {
        const std::optional<QString> name =
            m_ctx.prompt().input(MsgDefinitionName, TitleDefinitionName);
        if (!name || name->trimmed().isEmpty()) return;
        id = CreateExportDefinition(m_ctx.db(), name->trimmed());
        if (id <= 0 && m_ctx.prompt().ask(MsgNameExists, TitleNameExists, Buttons::YesNo,
                                          Icon::Question) != Answer::Yes)
            return;
    }
    SaveExportDefinition(m_ctx, id, criteria(), txtOutputFile->text().trimmed());
    loadDefinitions(id);
}

void frmExport::cmdDeleteDef_Click() {
    const qint64 id = currentDefinition();
    if (id <= 0) return;
    if (m_ctx.prompt().ask(DeleteDefinitionMessage(cboDefinitions->currentText()),
                           TitleConfirmRemoval, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    DeleteExportDefinition(m_ctx, id);
    loadDefinitions();
    txtOutputFile->setText(ExportOutputFile(m_ctx, 0));
}

bool frmExport::acceptOutputFile(QString& file, bool fromDialog) {
    if (!file.endsWith(".csv", Qt::CaseInsensitive)) file += ".csv";
    const QFileInfo info(file);
    if (!info.absoluteDir().exists()) {
        if (m_ctx.prompt().ask(MsgNoDirectory, TitleNoDirectory, Buttons::YesNo, Icon::Question) !=
            Answer::Yes)
            return false;
        if (!QDir().mkpath(info.absolutePath())) {
            m_ctx.prompt().message(MsgPermissionDenied, TitlePermissionDenied, Icon::Critical);
            return false;
        }
    }
    if (info.exists()) {
        const bool yes = fromDialog
                             ? m_ctx.prompt().ask(MsgOverwrite, TitleOverwrite) == Answer::Yes
                             : m_ctx.prompt().ask(MsgFileExists, TitleFileExists) == Answer::Yes;
        if (!yes) return false;
    }
    return true;
}

void frmExport::cmdBrowse_Click() {
    const QString initial = txtOutputFile->text().trimmed().isEmpty()
                                ? ExportOutputFile(m_ctx, 0)
                                : txtOutputFile->text().trimmed();
    QString file =
        m_ctx.desktop().chooseSaveFile("Export File", initial, "Comma Separated Values (*.csv)");
    if (file.isEmpty()) return;
    if (acceptOutputFile(file, true)) txtOutputFile->setText(QDir::toNativeSeparators(file));
}

qint64 frmExport::cmdExport_Click() {
    const ExportCriteria c = criteria();
    if (c.categories.empty()) {
        m_ctx.prompt().message(MsgNoCategory, TitleNoCategory, Icon::Exclamation);
        return 0;
    }
    QString file = QDir::fromNativeSeparators(txtOutputFile->text().trimmed());
    if (file.isEmpty()) file = ExportOutputFile(m_ctx, 0);
    if (!acceptOutputFile(file, false)) return 0;
    txtOutputFile->setText(QDir::toNativeSeparators(file));

    qint64 count = 0;
    try {
        WaitCursor wait;
        count = RunLogbookExport(m_ctx, c, file);
    } catch (const ExportFileError&) {
        m_ctx.prompt().message(MsgPermissionDenied, TitlePermissionDenied, Icon::Critical);
        return 0;
    } catch (const DbError& e) {
        m_ctx.prompt().message(e.description(), {}, Icon::Critical);
        return 0;
    }
    if (count == 0) {
        m_ctx.prompt().message(MsgNoRecords, TitleNoRecords, Icon::Information);
        return 0;
    }
    if (m_ctx.prompt().ask(ExportCompleteMessage(count, file), TitleExportComplete) == Answer::Yes)
        m_ctx.desktop().openFile(file);
    return count;
}

} // namespace vm
