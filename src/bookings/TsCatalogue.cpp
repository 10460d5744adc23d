// Providers, services and which services a provider gives.  A provider who
// gives every service has AllServices set and no links; the others have one
// "X" long-text row per service (key = the provider, text = the service id).

#include "bookings/BookingTimes.h"
#include "bookings/TsRoster.h"
#include "bookings/TsSetup.h"
#include "core/DataAccess.h"
#include "core/LongText.h"

namespace vm {

namespace {

Provider providerOf(const Row& r) {
    Provider p;
    p.id = r.number("ProvidersID");
    p.name = StoredText(r.text("ProviderName"));
    p.female = r.flag("Gender");
    p.commission = r.real("Commission");
    p.allServices = r.flag("AllServices");
    p.week = ts::WeekOf(r);
    return p;
}

Service serviceOf(const Row& r) {
    Service s;
    s.id = r.number("ServicesID");
    s.name = StoredText(r.text("ServiceName"));
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

} // namespace

std::vector<std::pair<qint64, QString>> GetProviders(AppContext& ctx) {
    std::vector<std::pair<qint64, QString>> list;
    for (const Row& r : ctx.db().query("SELECT [ProvidersID], [ProviderName] FROM [Providers] "
                                       "ORDER BY [ProviderName], [ProvidersID]"))
        list.emplace_back(r.number("ProvidersID"), StoredText(r.text("ProviderName")));
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
    RequireWellFormed(p.week);
    Database& db = ctx.db();
    const QString name = CleanSqlTextKeepAmp(p.name);
    QVariantList values{name,
                        *p.female,
                        p.commission,
                        p.allServices,
                        p.week.workSchedule,
                        p.week.startArray,
                        p.week.endArray,
                        p.week.startMeal,
                        p.week.endMeal};
    db.transaction([&] {
        if (p.id != 0) {
            QVariantList update = values;
            update << p.id;
            if (db.exec(
                    "UPDATE [Providers] SET [ProviderName] = ?, [Gender] = ?, [Commission] = ?, "
                    "[AllServices] = ?, [WorkSchedule] = ?, [StartArray] = ?, [EndArray] = ?, "
                    "[StartMeal] = ?, [EndMeal] = ? WHERE [ProvidersID] = ?",
                    update) > 0)
                return;
        }
        p.id = db.insert("INSERT INTO [Providers] ([ProviderName], [Gender], [Commission], "
                         "[AllServices], [WorkSchedule], [StartArray], [EndArray], [StartMeal], "
                         "[EndMeal]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         values, "ProvidersID");
    });
    p.name = StoredText(name);
    return {};
}

int CountProviderBookings(AppContext& ctx, qint64 providerId) {
    return countBookings(ctx.db(), "ProviderID", providerId);
}

QString DeleteProvider(AppContext& ctx, qint64 providerId) {
    if (providerId == 0) return MsgProviderDeleteNone;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        // A booking saved meanwhile holds this lock: the count below sees it.
        if (!LockRowForBooking(db, "Providers", "ProvidersID", providerId)) return;
        if (const int count = countBookings(db, "ProviderID", providerId)) {
            refusal = providerBookingsMessage(count);
            return;
        }
        LongTextDb(ctx, TextKind::ProviderService)
            .exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?",
                  {providerId, TextKind::ProviderService});
        db.exec("DELETE FROM [ProviderSchedule] WHERE [ProvidersID] = ?", {providerId});
        db.exec("DELETE FROM [Providers] WHERE [ProvidersID] = ?", {providerId});
    });
    return refusal;
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
        const qint64 id = r.text("NoteField").trimmed().toLongLong(&ok);
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
        row.category = StoredText(r.text("CategoryName"));
        row.location = StoredText(r.text("LocationName"));
        rows.push_back(std::move(row));
    }
    return rows;
}

QString SaveService(AppContext& ctx, Service& s) {
    if (s.name.trimmed().isEmpty()) return MsgServiceName;
    if (s.categoryId == 0) return MsgServiceCategory;
    if (s.locationId == 0) return MsgServiceLocation;
    if (!ServiceDurations().contains(s.duration)) return MsgServiceDuration;
    Database& db = ctx.db();
    const QString name = CleanSqlTextKeepAmp(s.name);
    const QVariantList values{name, s.categoryId, s.locationId, s.price, s.duration};
    db.transaction([&] {
        if (s.id != 0) {
            QVariantList update = values;
            update << s.id;
            if (db.exec("UPDATE [Services] SET [ServiceName] = ?, [CategoryID] = ?, "
                        "[LocationID] = ?, [Price] = ?, [Duration] = ? WHERE [ServicesID] = ?",
                        update) > 0)
                return;
        }
        s.id = db.insert("INSERT INTO [Services] ([ServiceName], [CategoryID], [LocationID], "
                         "[Price], [Duration]) VALUES (?, ?, ?, ?, ?)",
                         values, "ServicesID");
    });
    s.name = StoredText(name);
    return {};
}

int CountServiceBookings(AppContext& ctx, qint64 serviceId) {
    return countBookings(ctx.db(), "ServicesID", serviceId);
}

QString DeleteService(AppContext& ctx, qint64 serviceId) {
    if (serviceId == 0) return MsgServiceDeleteNone;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (!LockRowForBooking(db, "Services", "ServicesID", serviceId)) return;
        if (const int count = countBookings(db, "ServicesID", serviceId)) {
            refusal = serviceBookingsMessage(count);
            return;
        }
        LongTextDb(ctx, TextKind::ProviderService)
            .exec("DELETE FROM [EvConText] WHERE [EvConType] = ? AND [NoteField] = ?",
                  {TextKind::ProviderService, QString::number(serviceId)});
        db.exec("DELETE FROM [Services] WHERE [ServicesID] = ?", {serviceId});
    });
    return refusal;
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
