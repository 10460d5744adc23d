#pragma once
// The timed-services screen: the day sheet of a provider, a location or both
// with the booking fields, and the set-up pages of providers, services, the
// services each provider gives, the logbook links, the mass delete and the
// printed sheets.

#include "core/AppContext.h"

#include <QDate>
#include <QDialog>

class QTabWidget;

namespace vm {

class TimedServiceBookingTab;
class TimedServiceProvidersTab;
class TimedServiceServicesTab;
class TimedServiceAssignTab;
class TimedServiceLinksTab;
class TimedServiceToolsTab;

class frmTimedService : public QDialog {
    Q_OBJECT
public:
    explicit frmTimedService(AppContext& ctx, QWidget* parent = nullptr);

    // "Timed Services - " + the day as Long Date.
    static QString Caption(const QDate& day);

private:
    void catalogueChanged();

    AppContext& m_ctx;
    QTabWidget* tabTimedServices;
    TimedServiceBookingTab* m_booking;
    TimedServiceProvidersTab* m_providers;
    TimedServiceServicesTab* m_services;
    TimedServiceAssignTab* m_assign;
    TimedServiceLinksTab* m_links;
    TimedServiceToolsTab* m_tools;
};

} // namespace vm
