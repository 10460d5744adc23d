// The services each provider gives: every service, or the chosen ones.

#include "bookings/TsSetup.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "core/DataAccess.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

TimedServiceAssignTab::TimedServiceAssignTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabAssignment");
    auto* top = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    cboAssignProvider = named(new QComboBox, "cboAssignProvider");
    chkAll = named(new QCheckBox("Performs All Services"), "chkAll");
    head->addWidget(new QLabel("Provider:"));
    head->addWidget(cboAssignProvider, 1);
    head->addWidget(chkAll);
    top->addLayout(head);

    auto* lists = new QGridLayout;
    lstAvailable = named(new QListWidget, "lstAvailable");
    lstSelected = named(new QListWidget, "lstSelected");
    for (QListWidget* l : {lstAvailable, lstSelected}) {
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        l->setSortingEnabled(true);
    }
    cmdAddService = named(new QPushButton("Add >>"), "cmdAddService");
    cmdRemoveService = named(new QPushButton("<< Remove"), "cmdRemoveService");
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmdAddService);
    middle->addWidget(cmdRemoveService);
    middle->addStretch();
    lists->addWidget(new QLabel("Available Services"), 0, 0);
    lists->addWidget(new QLabel("Services of the Provider"), 0, 2);
    lists->addWidget(lstAvailable, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(lstSelected, 1, 2);
    top->addLayout(lists, 1);

    auto* buttons = new QHBoxLayout;
    cmdSaveAssignment = named(new QPushButton("&Save"), "cmdSaveAssignment");
    cmdSaveAssignment->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(cmdSaveAssignment);
    top->addLayout(buttons);

    connect(cboAssignProvider, &QComboBox::currentIndexChanged, this, [this] { showProvider(); });
    connect(chkAll, &QCheckBox::toggled, this, [this](bool all) {
        for (QWidget* w : std::initializer_list<QWidget*>{lstAvailable, lstSelected, cmdAddService,
                                                          cmdRemoveService})
            w->setEnabled(!all);
    });
    connect(cmdAddService, &QPushButton::clicked, this, [this] { move(lstAvailable, lstSelected); });
    connect(cmdRemoveService, &QPushButton::clicked, this,
            [this] { move(lstSelected, lstAvailable); });
    connect(lstAvailable, &QListWidget::itemDoubleClicked, this,
            [this] { move(lstAvailable, lstSelected); });
    connect(lstSelected, &QListWidget::itemDoubleClicked, this,
            [this] { move(lstSelected, lstAvailable); });
    connect(cmdSaveAssignment, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    reload();
}

void TimedServiceAssignTab::reload() {
    try {
        FillIdCombo(cboAssignProvider, GetProviders(m_ctx));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProviders", "modDatabaseTS");
    }
    showProvider();
}

void TimedServiceAssignTab::showProvider() {
    lstAvailable->clear();
    lstSelected->clear();
    chkAll->setChecked(false);
    const qint64 provider = ComboId(cboAssignProvider);
    if (provider == 0) return;
    try {
        const std::optional<Provider> p = GetProviderData(m_ctx, provider);
        const QList<qint64> assigned = GetServicesByP(m_ctx, provider);
        for (const Service& s : GetServices(m_ctx)) {
            auto* item = new QListWidgetItem(s.name.trimmed());
            item->setData(Qt::UserRole, s.id);
            (assigned.contains(s.id) ? lstSelected : lstAvailable)->addItem(item);
        }
        chkAll->setChecked(p && p->allServices);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetServicesByP", "modDatabaseTS");
    }
}

void TimedServiceAssignTab::move(QListWidget* from, QListWidget* to) {
    for (QListWidgetItem* item : from->selectedItems())
        to->addItem(from->takeItem(from->row(item)));
}

void TimedServiceAssignTab::cmdSave_Click() {
    const qint64 provider = ComboId(cboAssignProvider);
    if (provider == 0) {
        m_ctx.prompt().message(MsgTsSelectAssignProvider, {}, Icon::Exclamation);
        return;
    }
    QList<qint64> chosen;
    for (int i = 0; i < lstSelected->count(); ++i)
        chosen << lstSelected->item(i)->data(Qt::UserRole).toLongLong();
    try {
        SaveProviderServices(m_ctx, provider, chkAll->isChecked(), chosen);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdateAllServices", "modDatabaseTS");
        return;
    }
    showProvider();
}

} // namespace vm
