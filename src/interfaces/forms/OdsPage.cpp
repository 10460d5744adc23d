#include "interfaces/forms/OdsPage.h"

#include "core/DataAccess.h"
#include "interfaces/LimoDispatch.h"
#include "interfaces/forms/frmOdsBilling.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmInterfaceOpt");
}

OdsPage::OdsPage(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("OdsPage");
    try {
        m_enabled = OdsInterfaceEnabled(ctx.db());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "OdsPage", FormName, true);
    }
    if (!m_enabled) {
        auto* layout = new QVBoxLayout(this);
        auto* off = named(new QLabel(OdsDisabledText), "lblOdsDisabled");
        off->setWordWrap(true);
        off->setAlignment(Qt::AlignCenter);
        layout->addWidget(off);
        return;
    }
    buildEnabled();
    refresh();
}

void OdsPage::buildEnabled() {
    auto* layout = new QVBoxLayout(this);

    auto* billing = new QGroupBox("ODS Billing Codes");
    auto* billingLayout = new QHBoxLayout(billing);
    grdOdsBilling = named(new DataGrid, "grdOdsBilling");
    grdOdsBilling->setHeaders({"ID", "ODS Code", "Description"});
    billingLayout->addWidget(grdOdsBilling, 1);
    auto* billingButtons = new QVBoxLayout;
    cmdAddBilling = named(new QPushButton("Add"), "cmdAddBilling");
    cmdEditBilling = named(new QPushButton("Edit"), "cmdEditBilling");
    cmdDeleteBilling = named(new QPushButton("Delete"), "cmdDeleteBilling");
    for (QPushButton* b : {cmdAddBilling, cmdEditBilling, cmdDeleteBilling})
        billingButtons->addWidget(b);
    billingButtons->addStretch();
    billingLayout->addLayout(billingButtons);
    layout->addWidget(billing, 1);

    auto* mapping = new QGroupBox("ODS Field Matchup");
    auto* mappingLayout = new QVBoxLayout(mapping);
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(new QLabel("Limousine Logbook Category:"));
    cboOdsCategory = named(new QComboBox, "cboOdsCategory");
    categoryRow->addWidget(cboOdsCategory, 1);
    mappingLayout->addLayout(categoryRow);
    grdOdsMapping = named(new QTableWidget(0, 3), "grdOdsMapping");
    grdOdsMapping->setHorizontalHeaderLabels({"ODS Field", "Required", "Velmora Logbook Field"});
    grdOdsMapping->horizontalHeader()->setStretchLastSection(true);
    grdOdsMapping->verticalHeader()->hide();
    grdOdsMapping->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdOdsMapping->setSelectionMode(QAbstractItemView::NoSelection);
    mappingLayout->addWidget(grdOdsMapping, 1);
    btnSaveODS = named(new QPushButton("Save"), "btnSaveODS");
    mappingLayout->addWidget(btnSaveODS, 0, Qt::AlignRight);
    layout->addWidget(mapping, 2);

    connect(grdOdsBilling, &DataGrid::rowActivated, this, [this](qint64) { cmdEditBilling_Click(); });
    connect(cmdAddBilling, &QPushButton::clicked, this, [this] { cmdAddBilling_Click(); });
    connect(cmdEditBilling, &QPushButton::clicked, this, [this] { cmdEditBilling_Click(); });
    connect(cmdDeleteBilling, &QPushButton::clicked, this, [this] { cmdDeleteBilling_Click(); });
    connect(cboOdsCategory, &QComboBox::currentIndexChanged, this, [this] { fillDesignLines(); });
    connect(btnSaveODS, &QPushButton::clicked, this, [this] { btnSaveODS_Click(); });
}

void OdsPage::refresh() {
    if (!m_enabled) return;
    try {
        loadBillingCodes();
        loadMapping();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "LoadOdsLabels", FormName, true);
    }
}

void OdsPage::loadBillingCodes() {
    const qint64 current = grdOdsBilling->currentKey();
    grdOdsBilling->clearRows();
    for (const OdsBillingCode& c : GetOdsBillingCodes(m_ctx.db()))
        grdOdsBilling->setRow(c.id, {QString::number(c.id), c.code, c.description});
    if (current > 0) grdOdsBilling->selectKey(current);
}

void OdsPage::loadMapping() {
    Database& db = m_ctx.db();
    m_mapping = LoadOdsLabels(db);
    const qint64 categoryId = OdsLimoCategoryID(db);

    {
        const QSignalBlocker quiet(cboOdsCategory);
        cboOdsCategory->clear();
        cboOdsCategory->addItem(QString(), qint64(0));
        for (const auto& [id, name] : GetCloneCandidates(db))
            cboOdsCategory->addItem(name, id);
        cboOdsCategory->setCurrentIndex(qMax(0, cboOdsCategory->findData(categoryId)));
    }

    grdOdsMapping->setRowCount(int(m_mapping.size()));
    for (int row = 0; row < int(m_mapping.size()); ++row) {
        const OdsMapping& m = m_mapping[size_t(row)];
        grdOdsMapping->setItem(row, 0, new QTableWidgetItem(m.element));
        grdOdsMapping->setItem(row, 1, new QTableWidgetItem(m.required ? "Yes" : "No"));
        auto* pick = named(new QComboBox, "cboOds_" + m.elementShort);
        grdOdsMapping->setCellWidget(row, 2, pick);
    }
    fillDesignLines();
}

void OdsPage::fillDesignLines() {
    const qint64 categoryId = cboOdsCategory->currentData().toLongLong();
    std::vector<DesignItem> lines;
    try {
        if (categoryId > 0) lines = GetLogbookBackPanelItems(m_ctx.db(), categoryId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLogbookBackPanelItems", FormName, true);
    }
    for (int row = 0; row < grdOdsMapping->rowCount(); ++row) {
        auto* pick = qobject_cast<QComboBox*>(grdOdsMapping->cellWidget(row, 2));
        if (!pick) continue;
        // A line still chosen on the screen wins over the stored one.
        const qint64 chosen = pick->count() > 0 ? pick->currentData().toLongLong()
                                                : m_mapping[size_t(row)].vmElementId;
        pick->clear();
        pick->addItem(QString(), qint64(0));
        for (const DesignItem& item : lines)
            pick->addItem(item.labelText, item.designId);
        pick->setCurrentIndex(qMax(0, pick->findData(chosen)));
    }
}

qint64 OdsPage::selectedBillingId(bool editing) {
    const qint64 id = grdOdsBilling->currentKey();
    if (id > 0) return id;
    m_ctx.prompt().message(QStringLiteral("No Billing Code has been selected. ") + CRLF + CRLF +
                               (editing ? "Please select the Billing Code you wish to Edit."
                                        : "Please select the Billing Code you wish to Remove."),
                           "No Billing Code Selected", Icon::Exclamation);
    return 0;
}

void OdsPage::cmdAddBilling_Click() {
    frmOdsBilling dialog(m_ctx, OdsBillingCode{}, this);
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        loadBillingCodes();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetOdsBillingCodes", FormName, true);
    }
    grdOdsBilling->selectKey(dialog.code().id);
}

void OdsPage::cmdEditBilling_Click() {
    const qint64 id = selectedBillingId(true);
    if (id <= 0) return;
    const int row = [&] {
        for (int r = 0; r < grdOdsBilling->rowCount(); ++r)
            if (grdOdsBilling->keyAt(r) == id) return r;
        return -1;
    }();
    if (row < 0) return;
    OdsBillingCode code{id, grdOdsBilling->cell(row, 1), grdOdsBilling->cell(row, 2)};
    frmOdsBilling dialog(m_ctx, code, this);
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        loadBillingCodes();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetOdsBillingCodes", FormName, true);
    }
}

void OdsPage::cmdDeleteBilling_Click() {
    const qint64 id = selectedBillingId(false);
    if (id <= 0) return;
    int row = -1;
    for (int r = 0; r < grdOdsBilling->rowCount(); ++r)
        if (grdOdsBilling->keyAt(r) == id) row = r;
    if (row < 0) return;
    const QString question = QStringLiteral("Are you sure you wish to DELETE the following item:") +
                             CRLF + CRLF + "ID: " + QString::number(id) + CRLF +
                             "OdsCode: " + grdOdsBilling->cell(row, 1) + CRLF +
                             "Description: " + grdOdsBilling->cell(row, 2);
    if (m_ctx.prompt().ask(question, "Confirm Billing Code Deletion", Buttons::YesNo,
                           Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        DeleteOdsBillingCode(m_ctx.db(), id);
        loadBillingCodes();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteOdsBillingCode", FormName, true);
    }
}

void OdsPage::btnSaveODS_Click() {
    std::vector<OdsMapping> rows = m_mapping;
    for (int row = 0; row < grdOdsMapping->rowCount() && row < int(rows.size()); ++row)
        if (auto* pick = qobject_cast<QComboBox*>(grdOdsMapping->cellWidget(row, 2)))
            rows[size_t(row)].vmElementId = pick->currentData().toLongLong();
    const qint64 categoryId = cboOdsCategory->currentData().toLongLong();
    try {
        const QString refusal = SaveOdsMappings(m_ctx.db(), categoryId, rows);
        if (!refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, OdsInvalidMatchupTitle, Icon::Exclamation);
            return;
        }
        m_mapping = LoadOdsLabels(m_ctx.db());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "SaveOdsMappings", FormName, true);
        return;
    }
    m_ctx.prompt().message(OdsSavedMessage, OdsSavedTitle, Icon::Information);
}

} // namespace vm
