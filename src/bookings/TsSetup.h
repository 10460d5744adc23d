#pragma once
// The timed-service catalogue: providers, services (category, location,
// price, minutes), which services a provider gives, and the logbook link of
// each service category.

#include "bookings/TsSchedule.h"

#include <QStringList>

namespace vm {

struct Provider {
    qint64 id = 0;
    QString name;
    std::optional<bool> female; // unset until chosen
    double commission = 0;
    bool allServices = false;
    TsWeek week; // the default week
};
std::vector<std::pair<qint64, QString>> GetProviders(AppContext& ctx); // by name
std::optional<Provider> GetProviderData(AppContext& ctx, qint64 providerId);
QString GetProviderName(AppContext& ctx, qint64 providerId);
// "" when saved, else the refusal (title of the first: "Form Incomplete").
QString SaveProvider(AppContext& ctx, Provider& p);
int CountProviderBookings(AppContext& ctx, qint64 providerId);
// Refused (the message) while the provider has bookings; else deletes the
// provider with its service links and schedules; "" when deleted.
QString DeleteProvider(AppContext& ctx, qint64 providerId);

struct Service {
    qint64 id = 0;
    QString name;
    qint64 categoryId = 0; // "TService" lookup row
    qint64 locationId = 0; // "TSVenue" lookup row
    double price = 0;
    int duration = 0; // minutes, a multiple of 10
};
// The durations a service may have: 10 ... 240 minutes by 10.
QList<int> ServiceDurations();
std::vector<Service> GetServices(AppContext& ctx);                          // by name
std::vector<Service> GetServicesByC(AppContext& ctx, qint64 categoryId);    // by name
std::optional<Service> GetService(AppContext& ctx, qint64 serviceId);
QList<qint64> GetServicesByP(AppContext& ctx, qint64 providerId); // assigned ("X" links)
QList<qint64> GetLocationsByC(AppContext& ctx, qint64 categoryId);
// Rows for the services grid: "Category", "Service Name", "Location", "Price", "Minutes".
struct ServiceRow {
    Service service;
    QString category, location;
};
std::vector<ServiceRow> GetServicesForEdit(AppContext& ctx);
QString SaveService(AppContext& ctx, Service& s);
int CountServiceBookings(AppContext& ctx, qint64 serviceId);
QString DeleteService(AppContext& ctx, qint64 serviceId);
// Rewrites the provider's assignment in one transaction.
void SaveProviderServices(AppContext& ctx, qint64 providerId, bool allServices,
                          const QList<qint64>& serviceIds);

// Lookup names of the service categories and locations.
QString TsCategoryName(AppContext& ctx, qint64 categoryId);
QString TsLocationName(AppContext& ctx, qint64 locationId);

// The booking values a logbook link can place, in the order the link's
// positions offer them.
QStringList TsLinkValueNames(); // "Category", "Service", "Provider", "Location", "Date", ...

struct TsLogLink {
    qint64 id = 0; // IFTranslateID
    qint64 categoryId = 0; // service category
    qint64 logTypeId = 0;
    QString logType;
    QString languageCode;
    QString valueName[15];   // IFDEn: a TsLinkValueNames() entry or ""
    QString designLabel[15]; // DEElementn: a label of the category's design or ""
};
std::vector<TsLogLink> GetTsLogLinks(AppContext& ctx);
// The link of the service category for the working language (lowest id).
std::optional<TsLogLink> GetTsLogLink(AppContext& ctx, qint64 categoryId);
QString SaveTsLogLink(AppContext& ctx, TsLogLink& link);
void DeleteTsLogLink(AppContext& ctx, qint64 linkId);

inline const QString TitleFormIncomplete = QStringLiteral("Form Incomplete");
inline const QString MsgProviderRequired = QStringLiteral("The Provider is Required.  Thank you.");
inline const QString MsgProviderGender =
    QStringLiteral("You must select the Provider Gender to continue.");
inline const QString MsgProviderDeleteNone =
    QStringLiteral("Please select the Provider to Delete.");
inline const QString MsgServiceName = QStringLiteral("The Service Name is Required.  Thank you.");
inline const QString MsgServiceCategory =
    QStringLiteral("Must select a Category for this Service.");
inline const QString MsgServiceLocation =
    QStringLiteral("Must select a Location for this Service.");
inline const QString MsgServiceDuration =
    QStringLiteral("Must select a Duration for this Service.");
inline const QString MsgServiceDeleteNone = QStringLiteral("Please select the Service to Delete.");
inline const QString MsgLinkCategory =
    QStringLiteral("Must select a Category for this Logbook Link.");
inline const QString MsgLinkLogType =
    QStringLiteral("Must select a Logbook Category for this Logbook Link.");
inline const QString MsgLinkExists =
    QStringLiteral("This Category already has a Logbook Link in this language.  Thank you.");
// IFTranslate.TypeOfInterface of the links.
inline const QString TsLinkInterface = QStringLiteral("TimedService");

} // namespace vm
