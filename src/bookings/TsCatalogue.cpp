// Providers, services and which services a provider gives.  A provider who
// gives every service has AllServices set and no links; the others have one
// "X" long-text row per service (key = the provider, text = the service id).

#include "bookings/BookingTimes.h"
#include "bookings/TsRoster.h"
#include "bookings/TsSetup.h"
#include "core/DataAccess.h"
#include "core/LongText.h"

#include <functional>

namespace vm {

namespace {

Provider providerOf(const Row& r) {
    Provider p;
    p.id = r.number("ProvidersID");
    p.name = r.trimmedText("ProviderName");
    p.female = r.flag("Gender");
    p.commission = r.real("Commission");
    p.allServices = r.flag("AllServices");
    p.week = ts::WeekOf(r);
    return p;
}

Service serviceOf(const Row& r) {
    Service s;
    s.id = r.number("ServicesID");
    s.name = r.trimmedText("ServiceName");
    s.categoryId = r.number("CategoryID");
    s.locationId = r.number("LocationID");
    s.price = r.real("Price");
    s.duration = int(r.number("Duration"));
    return s;
}

std::vector<Service> services(Database& db, const QString& where, const QVariantList& params) {
    std::vector<Service> list;
    for (const Row& r : db.query(
             "SELECT * FROM [Services]" + where + " ORDER BY [ServiceName], [ServicesID]", params))
        list.push_back(serviceOf(r));
    return list;
}

int countBookings(Database& db, const char* column, qint64 id) {
    return int(
        db.scalar(QString("SELECT COUNT(*) FROM [TimedService] WHERE [") + column + "] = ?", {id})
            .toLongLong());
}

QString lookupName(AppContext& ctx, const QString& type, qint64 id) {
    const QVariant v = ctx.db().scalar(
        "SELECT [OtherValue] FROM [Other] WHERE [OtherID] = ? AND [OtherType] = ?", {id, type});
    return v.isValid() ? StoredText(v.toString()) : QString();
}

QString providerBookingsMessage(int count) {
    return "This provider has " + QString::number(count) +
           " Timed Services in the Database.  We will not be able to delete this provider until "
           "all Timed Services have been deleted.";
}

QString serviceBookingsMessage(int count) {
    return "This Service has " + QString::number(count) +
           " Timed Services in the Database.  We will not be able to delete this Service until "
           "all Timed Services have been deleted.";
}

// Deletes the row with what `cleanup` removes, in one transaction, unless
// bookings name it: then the message with their count.  The row's lock makes a
// booking saved meanwhile (it holds the provider's lock) visible to the count.
QString deleteUnlessBooked(AppContext& ctx, const char* table, const char* key,
                           const char* bookingColumn, qint64 id, QString (*message)(int),
                           const std::function<void(Database&)>& cleanup) {
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (!LockRowForBooking(db, table, key, id)) return;
        if (const int count = countBookings(db, bookingColumn, id)) {
            refusal = message(count);
            return;
        }
        cleanup(db);
        db.exec(QString("DELETE FROM [") + table + "] WHERE [" + key + "] = ?", {id});
    });
    return refusal;
}

} // namespace

namespace ts {

qint64 UpdateOrInsert(Database& db, const QString& table, const QString& key,
                      const QStringList& columns, const QVariantList& values, qint64 id) {
    db.transaction([&] {
        if (id != 0 && db.exec("UPDATE [" + table + "] SET [" + columns.join("] = ?, [") +
                                   "] = ? WHERE [" + key + "] = ?",
                               QVariantList(values) << id) > 0)
            return;
        id = db.insert("INSERT INTO [" + table + "] ([" + columns.join("], [") + "]) VALUES (" +
                           QString("?, ").repeated(int(columns.size()) - 1) + "?)",
                       values, key);
    });
    return id;
}

} // namespace ts

std::vector<std::pair<qint64, QString>> GetProviders(AppContext& ctx) {
    std::vector<std::pair<qint64, QString>> list;
    for (const Row& r : ctx.db().query("SELECT [ProvidersID], [ProviderName] FROM [Providers] "
                                       "ORDER BY [ProviderName], [ProvidersID]"))
        list.emplace_back(r.number("ProvidersID"), r.trimmedText("ProviderName"));
    return list;
}

std::optional<Provider> GetProviderData(AppContext& ctx, qint64 providerId) {
    const auto r =
        ctx.db().queryOne("SELECT * FROM [Providers] WHERE [ProvidersID] = ?", {providerId});
    if (!r) return std::nullopt;
    return providerOf(*r);
}

QString GetProviderName(AppContext& ctx, qint64 providerId) {
    const QVariant v = ctx.db().scalar(
        "SELECT [ProviderName] FROM [Providers] WHERE [ProvidersID] = ?", {providerId});
    return v.isValid() ? StoredText(v.toString()) : QString();
}

QString SaveProvider(AppContext& ctx, Provider& p) {
    if (p.name.trimmed().isEmpty()) return MsgProviderRequired;
    if (!p.female.has_value()) return MsgProviderGender;
    const QString name = CleanSqlTextKeepAmp(p.name);
    p.id = ts::UpdateOrInsert(
        ctx.db(), "Providers", "ProvidersID",
        QStringList{"ProviderName", "Gender", "Commission", "AllServices"} + ts::WeekColumns(),
        QVariantList{name, *p.female, p.commission, p.allServices} + ts::WeekValues(p.week), p.id);
    p.name = StoredText(name);
    return {};
}

int CountProviderBookings(AppContext& ctx, qint64 providerId) {
    return countBookings(ctx.db(), "ProviderID", providerId);
}

QString DeleteProvider(AppContext& ctx, qint64 providerId) {
    if (providerId == 0) return MsgProviderDeleteNone;
    return deleteUnlessBooked(ctx, "Providers", "ProvidersID", "ProviderID", providerId,
                              providerBookingsMessage, [&](Database& db) {
                                  LongTextDb(ctx, TextKind::ProviderService)
                                      .exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND "
                                            "[EvConType] = ?",
                                            {providerId, TextKind::ProviderService});
                                  db.exec("DELETE FROM [ProviderSchedule] WHERE [ProvidersID] = ?",
                                          {providerId});
                              });
}

QList<int> ServiceDurations() {
    QList<int> list;
    for (int minutes = 10; minutes <= 240; minutes += 10)
        list << minutes;
    return list;
}

std::vector<Service> GetServices(AppContext& ctx) {
    return services(ctx.db(), {}, {});
}

std::vector<Service> GetServicesByC(AppContext& ctx, qint64 categoryId) {
    return services(ctx.db(), " WHERE [CategoryID] = ?", {categoryId});
}

std::optional<Service> GetService(AppContext& ctx, qint64 serviceId) {
    const auto r =
        ctx.db().queryOne("SELECT * FROM [Services] WHERE [ServicesID] = ?", {serviceId});
    if (!r) return std::nullopt;
    return serviceOf(*r);
}

QList<qint64> GetServicesByP(AppContext& ctx, qint64 providerId) {
    QList<qint64> ids;
    for (const Row& r : LongTextDb(ctx, TextKind::ProviderService)
                            .query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                                   "[EvConType] = ? ORDER BY [Sequence]",
                                   {providerId, TextKind::ProviderService})) {
        bool ok = false;
        const qint64 id = r.trimmedText("NoteField").toLongLong(&ok);
        if (ok && !ids.contains(id)) ids << id;
    }
    return ids;
}

QList<qint64> GetLocationsByC(AppContext& ctx, qint64 categoryId) {
    QList<qint64> ids;
    for (const Row& r : ctx.db().query("SELECT DISTINCT [LocationID] FROM [Services] WHERE "
                                       "[CategoryID] = ? ORDER BY [LocationID]",
                                       {categoryId}))
        ids << r.number("LocationID");
    return ids;
}

std::vector<ServiceRow> GetServicesForEdit(AppContext& ctx) {
    std::vector<ServiceRow> rows;
    for (const Row& r : ctx.db().query(
             "SELECT S.*, C.[OtherValue] AS [CategoryName], L.[OtherValue] AS [LocationName] "
             "FROM [Services] S LEFT JOIN [Other] C ON C.[OtherID] = S.[CategoryID] "
             "LEFT JOIN [Other] L ON L.[OtherID] = S.[LocationID] "
             "ORDER BY C.[OtherValue], S.[ServiceName], S.[ServicesID]")) {
        ServiceRow row;
        row.service = serviceOf(r);
        row.category = r.trimmedText("CategoryName");
        row.location = r.trimmedText("LocationName");
        rows.push_back(std::move(row));
    }
    return rows;
}

QString SaveService(AppContext& ctx, Service& s) {
    if (s.name.trimmed().isEmpty()) return MsgServiceName;
    if (s.categoryId == 0) return MsgServiceCategory;
    if (s.locationId == 0) return MsgServiceLocation;
    if (!ServiceDurations().contains(s.duration)) return MsgServiceDuration;
    const QString name = CleanSqlTextKeepAmp(s.name);
    s.id = ts::UpdateOrInsert(ctx.db(), "Services", "ServicesID",
                              {"ServiceName", "CategoryID", "LocationID", "Price", "Duration"},
                              {name, s.categoryId, s.locationId, s.price, s.duration}, s.id);
    s.name = StoredText(name);
    return {};
}

int CountServiceBookings(AppContext& ctx, qint64 serviceId) {
    return countBookings(ctx.db(), "ServicesID", serviceId);
}

QString DeleteService(AppContext& ctx, qint64 serviceId) {
    if (serviceId == 0) return MsgServiceDeleteNone;
    return deleteUnlessBooked(ctx, "Services", "ServicesID", "ServicesID", serviceId,
                              serviceBookingsMessage, [&](Database&) {
                                  LongTextDb(ctx, TextKind::ProviderService)
                                      .exec(
                                          "DELETE FROM [EvConText] WHERE [EvConType] = ? AND "
                                          "[NoteField] = ?",
                                          {TextKind::ProviderService, QString::number(serviceId)});
                              });
}

void SaveProviderServices(AppContext& ctx, qint64 providerId, bool allServices,
                          const QList<qint64>& serviceIds) {
    Database& db = LongTextDb(ctx, TextKind::ProviderService);
    db.transaction([&] {
        db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?",
                {providerId, TextKind::ProviderService});
        ctx.db().exec("UPDATE [Providers] SET [AllServices] = ? WHERE [ProvidersID] = ?",
                      {allServices, providerId});
        if (allServices) return;
        QList<qint64> written;
        for (qint64 id : serviceIds) {
            if (id == 0 || written.contains(id)) continue;
            written << id;
            db.exec(
                "INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                "VALUES (?, ?, ?, ?)",
                {providerId, TextKind::ProviderService, int(written.size()), QString::number(id)});
        }
    });
}

QString TsCategoryName(AppContext& ctx, qint64 categoryId) {
    return lookupName(ctx, QStringLiteral("TService"), categoryId);
}

QString TsLocationName(AppContext& ctx, qint64 locationId) {
    return lookupName(ctx, QStringLiteral("TSVenue"), locationId);
}

} // namespace vm
