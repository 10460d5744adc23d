#include "bookings/forms/frmTimedService.h"

#include "bookings/forms/TimedServiceTabs.h"
#include "core/Formats.h"
#include "platform/forms/FormHelpers.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

frmTimedService::frmTimedService(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName("frmTimedService");
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    auto* top = new QVBoxLayout(this);
    tabTimedServices = named(new QTabWidget, "tabTimedServices");
    top->addWidget(tabTimedServices);
    m_booking = new TimedServiceBookingTab(ctx);
    m_providers = new TimedServiceProvidersTab(ctx);
    m_services = new TimedServiceServicesTab(ctx);
    m_assign = new TimedServiceAssignTab(ctx);
    m_links = new TimedServiceLinksTab(ctx);
    m_tools = new TimedServiceToolsTab(ctx);
    tabTimedServices->addTab(m_booking, "Bookings");
    tabTimedServices->addTab(m_providers, "Providers");
    tabTimedServices->addTab(m_services, "Services");
    tabTimedServices->addTab(m_assign, "Provider Services");
    tabTimedServices->addTab(m_links, "Logbook Links");
    tabTimedServices->addTab(m_tools, "Delete and Print");
    resize(1100, 700);
    setWindowTitle(Caption(m_booking->day()));

    connect(m_booking, &TimedServiceBookingTab::dayChanged, this,
            [this](const QDate& d) { setWindowTitle(Caption(d)); });
    connect(m_providers, &TimedServiceProvidersTab::changed, this, [this] { catalogueChanged(); });
    connect(m_services, &TimedServiceServicesTab::changed, this, [this] { catalogueChanged(); });
    connect(m_links, &TimedServiceLinksTab::changed, this, [this] { m_booking->reloadLists(); });
    connect(m_tools, &TimedServiceToolsTab::purged, this, [this] { m_booking->redraw(); });
    // The assignment decides who is offered for a service: the booking page
    // reads it again when it is shown.
    connect(tabTimedServices, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabTimedServices->widget(index) == m_booking) m_booking->reloadLists();
        if (tabTimedServices->widget(index) == m_assign) m_assign->reload();
    });
}

QString frmTimedService::Caption(const QDate& day) {
    return "Timed Services - " + Formats::LongDate(day);
}

void frmTimedService::catalogueChanged() {
    m_booking->reloadLists();
    m_assign->reload();
    m_services->reload();
}

} // namespace vm
