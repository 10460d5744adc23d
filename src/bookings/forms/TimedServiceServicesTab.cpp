// The services page: the catalogue grid and one service's fields.

#include "bookings/TsSetup.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/forms/frmOtherData.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

TimedServiceServicesTab::TimedServiceServicesTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabServices");
    auto* top = new QVBoxLayout(this);
    grdServices = named(new DataGrid, "grdServices");
    grdServices->setHeaders({"Category", "Service Name", "Location", "Price", "Minutes"});
    top->addWidget(grdServices, 1);

    auto* form = new QGridLayout;
    top->addLayout(form);
    txtServiceName = makeLineEdit(this, "txtServiceName");
    cboServiceCategory = named(new QComboBox, "cboServiceCategory");
    cboServiceLocation = named(new QComboBox, "cboServiceLocation");
    txtServicePrice = makeLineEdit(this, "txtServicePrice", false, 12);
    AcceptAmounts(txtServicePrice);
    cboDuration = named(new QComboBox, "cboDuration");
    cboDuration->addItem(QString(), 0);
    for (int minutes : ServiceDurations())
        cboDuration->addItem(QString::number(minutes), minutes);
    cmdCategories = named(new QPushButton("Categories..."), "cmdCategories");
    cmdLocations = named(new QPushButton("Locations..."), "cmdLocations");
    form->addWidget(new QLabel("Service Name:"), 0, 0);
    form->addWidget(txtServiceName, 0, 1, 1, 2);
    form->addWidget(new QLabel("Category:"), 1, 0);
    form->addWidget(cboServiceCategory, 1, 1);
    form->addWidget(cmdCategories, 1, 2);
    form->addWidget(new QLabel("Location:"), 2, 0);
    form->addWidget(cboServiceLocation, 2, 1);
    form->addWidget(cmdLocations, 2, 2);
    form->addWidget(new QLabel("Price:"), 3, 0);
    form->addWidget(txtServicePrice, 3, 1);
    form->addWidget(new QLabel("Minutes:"), 4, 0);
    form->addWidget(cboDuration, 4, 1);

    cmdSaveService = named(new QPushButton("&Save"), "cmdSaveService");
    cmdDeleteService = named(new QPushButton("&Delete"), "cmdDeleteService");
    cmdNewService = named(new QPushButton("&New"), "cmdNewService");
    auto* buttons = ButtonRow({cmdSaveService, cmdDeleteService, cmdNewService});
    buttons->addStretch();
    top->addLayout(buttons);

    connect(grdServices, &QAbstractItemView::clicked, this,
            [this] { showService(grdServices->currentKey()); });
    connect(grdServices, &DataGrid::rowActivated, this, [this](qint64 key) { showService(key); });
    connect(cmdSaveService, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDeleteService, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdNewService, &QPushButton::clicked, this, [this] {
        grdServices->clearSelection();
        clearService();
    });
    connect(cmdCategories, &QPushButton::clicked, this, [this] { maintainList("TService"); });
    connect(cmdLocations, &QPushButton::clicked, this, [this] { maintainList("TSVenue"); });
    reload();
    clearService();
}

void TimedServiceServicesTab::reloadLookups() {
    try {
        FillIdCombo(cboServiceCategory, LookupItems(m_ctx, "TService"));
        FillIdCombo(cboServiceLocation, LookupItems(m_ctx, "TSVenue"));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", "frmTimedService", true);
    }
}

void TimedServiceServicesTab::reload(qint64 selectId) {
    reloadLookups();
    grdServices->clearRows();
    try {
        for (const ServiceRow& r : GetServicesForEdit(m_ctx))
            grdServices->setRow(r.service.id,
                                {r.category.trimmed(), r.service.name.trimmed(), r.location.trimmed(),
                                 Formats::FormatNumber(r.service.price, "#.00"),
                                 QString::number(r.service.duration)});
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetServicesForEdit", "modDatabaseTS");
    }
    if (selectId) grdServices->selectKey(selectId);
}

void TimedServiceServicesTab::clearService() {
    m_id = 0;
    txtServiceName->clear();
    txtServicePrice->clear();
    SelectComboId(cboServiceCategory, 0);
    SelectComboId(cboServiceLocation, 0);
    cboDuration->setCurrentIndex(0);
}

void TimedServiceServicesTab::showService(qint64 id) {
    std::optional<Service> s;
    try {
        s = GetService(m_ctx, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetService", "modDatabaseTS");
        return;
    }
    clearService();
    if (!s) return;
    m_id = s->id;
    txtServiceName->setText(s->name.trimmed());
    SelectComboId(cboServiceCategory, s->categoryId);
    SelectComboId(cboServiceLocation, s->locationId);
    txtServicePrice->setText(Formats::FormatNumber(s->price, "#.00"));
    const int at = cboDuration->findData(s->duration);
    if (at >= 0) {
        cboDuration->setCurrentIndex(at);
    } else {
        // A length from before the list: shown, and kept unless another is chosen.
        cboDuration->addItem(QString::number(s->duration), s->duration);
        cboDuration->setCurrentIndex(cboDuration->count() - 1);
    }
}

void TimedServiceServicesTab::cmdSave_Click() {
    Service s;
    s.id = m_id;
    s.name = txtServiceName->text();
    s.categoryId = ComboId(cboServiceCategory);
    s.locationId = ComboId(cboServiceLocation);
    s.price = QLocale::c().toDouble(txtServicePrice->text().trimmed());
    s.duration = cboDuration->currentData().toInt();
    try {
        if (const QString refusal = SaveService(m_ctx, s); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_id ? "UpdateService" : "InsertService", "modDatabaseTS");
        return;
    }
    reload(s.id);
    showService(s.id);
    Q_EMIT changed();
}

void TimedServiceServicesTab::cmdDelete_Click() {
    if (m_id <= 0) {
        m_ctx.prompt().message(MsgServiceDeleteNone, {}, Icon::Exclamation);
        return;
    }
    try {
        if (const QString refusal = DeleteService(m_ctx, m_id); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteService", "modDatabaseTS");
        return;
    }
    reload();
    clearService();
    Q_EMIT changed();
}

void TimedServiceServicesTab::maintainList(const QString& type) {
    if (!MaintainOtherList(m_ctx, type, this)) return;
    reload(m_id);
    Q_EMIT changed();
}

} // namespace vm
