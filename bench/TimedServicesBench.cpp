// Timed services on a year of bookings: 50 providers, 200 services, 100,000
// bookings.  Timed: drawing a provider's day sheet and a combined one, the
// availability of one time on each of 30 days, and a booking (check, insert
// and logbook entry).  Beside each, the engine's own time for the same
// statements: every statement the action ran, with its values, replayed on
// the sqlite3 C API (prepared once, every row stepped, every column read).
//
// The property is generated afresh in a temporary folder on every run.

#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "bookings/BookingTimes.h"
#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int ProviderCount = 50;
constexpr int ServiceCount = 200;
constexpr int BookingCount = 100'000;
constexpr int CategoryCount = 10;
constexpr int LocationCount = 5;
const QDate FirstDay = Today.addDays(-182); // half a year back, half ahead

ScratchDesk* g_desk = nullptr;
qint64 g_firstCategory = 0;

// Every day 08:00-20:00 with a meal 12:00-12:30.
QString everyDay(const QString& slot) {
    return slot.repeated(7);
}

void generate(Database& db) {
    QRandomGenerator rng(20260314);
    db.transaction([&] {
        QList<qint64> categories, locations;
        for (int i = 0; i < CategoryCount; ++i)
            categories << db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                    {"TService", "Category " + QString::number(i + 1)}, "OtherID");
        for (int i = 0; i < LocationCount; ++i)
            locations << db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                   {"TSVenue", "Room " + QString::number(i + 1)}, "OtherID");
        g_firstCategory = categories.first();
        struct Svc {
            qint64 id, category, location;
            int minutes;
            double price;
        };
        std::vector<Svc> services;
        for (int i = 0; i < ServiceCount; ++i) {
            Svc s{0, categories[i % CategoryCount], locations[i % LocationCount],
                  30 + 10 * int(rng.bounded(10)), 40.0 + i % 60};
            s.id = db.insert(
                "INSERT INTO [Services] ([ServiceName], [CategoryID], [LocationID], "
                "[Price], [Duration]) VALUES (?, ?, ?, ?, ?)",
                {"Service " + QString::number(i + 1), s.category, s.location, s.price, s.minutes},
                "ServicesID");
            services.push_back(s);
        }
        QList<qint64> providers;
        for (int i = 0; i < ProviderCount; ++i) {
            const bool all = i % 10 == 0;
            const qint64 id = db.insert(
                "INSERT INTO [Providers] ([ProviderName], [Gender], [Commission], [AllServices], "
                "[WorkSchedule], [StartArray], [EndArray], [StartMeal], [EndMeal]) VALUES (?, ?, "
                "?, ?, ?, ?, ?, ?, ?)",
                {"Provider " + QString::number(i + 1), i % 2 == 0, 10.0, all, "1111111",
                 everyDay("08:00"), everyDay("20:00"), everyDay("12:00"), everyDay("12:30")},
                "ProvidersID");
            providers << id;
            if (all) continue;
            for (int k = 0; k < 20; ++k)
                db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], "
                        "[NoteField]) VALUES (?, 'X', ?, ?)",
                        {id, k + 1,
                         QString::number(services[size_t((i * 7 + k * 3) % ServiceCount)].id)});
        }
        // Each provider's day filled from 08:00 on, around the meal, up to 18:00.
        int made = 0;
        for (int day = 0; made < BookingCount; ++day) {
            const QString date = Formats::StoredDate(FirstDay.addDays(day % 365));
            for (qint64 p : providers) {
                int at = 8 * 60;
                for (int n = 0; n < 6 && made < BookingCount; ++n) {
                    const Svc& s = services[rng.bounded(ServiceCount)];
                    if (at < 12 * 60 + 40 && at + s.minutes > 12 * 60) at = 12 * 60 + 40;
                    if (at + s.minutes > 18 * 60) break;
                    const qint64 id = db.insert(
                        "INSERT INTO [TimedService] ([CategoryID], [ServicesID], [ProviderID], "
                        "[LocationID], [LogbookID], [ProfileID], [Duration], [Gratuity], [Price], "
                        "[LastName], [FirstName], [ReferDate], [ReferTime], [Confirmation], "
                        "[POSNumber], [Status0], [Status1], [Status2], [Status3], [Status4]) "
                        "VALUES (?, ?, ?, ?, 0, 0, ?, 5, ?, ?, 'Pat', ?, ?, ' ', ' ', ?, ?, ?, ?, "
                        "?)",
                        {s.category, s.id, p, s.location, s.minutes, s.price,
                         "Guest " + QString::number(made), date, SlotText(at), false, false, false,
                         false, false},
                        "TimedServiceID");
                    if (made % 5 == 0)
                        db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], "
                                "[NoteField]) VALUES (?, 'Y', 1, 'Quiet room, please')",
                                {id});
                    ++made;
                    at += TsSlotCount(s.minutes) * TsSlotMinutes + 10 * int(rng.bounded(4));
                }
            }
        }
    });
}

// The first category files its bookings in a designed logbook category.
void linkLogbook(AppContext& ctx) {
    InsertCategory(ctx.db(), "Spa Booking");
    const qint64 logTypeId = GetLogTypeID(ctx.db(), "Spa Booking");
    std::vector<DesignLine> lines;
    for (const char* label : {"Service:", "Provider:", "Date:", "Time:", "Guest:"}) {
        DesignLine d;
        d.label = label;
        lines.push_back(d);
    }
    if (!SaveDesign(ctx, logTypeId, lines).isEmpty()) qFatal("the design was not saved");
    TsLogLink link;
    link.categoryId = g_firstCategory;
    link.logTypeId = logTypeId;
    link.logType = "Spa Booking";
    const QStringList values = {"Service", "Provider", "Date", "Time", "Last Name"};
    for (int n = 0; n < values.size(); ++n) {
        link.valueName[n] = values[n];
        link.designLabel[n] = lines[size_t(n)].label;
    }
    if (!SaveTsLogLink(ctx, link).isEmpty()) qFatal("the link was not saved");
}

Action action(const QString& name, std::function<size_t()> program,
              std::function<void()> undo = {}) {
    return ReplayedAction(name, std::move(program), *g_desk->ctx, *g_desk->engine,
                          std::move(undo));
}

qint64 g_lastBooking = 0, g_lastEntry = 0;

void undoBookings() {
    Database& db = g_desk->ctx->db();
    db.transaction([&] {
        db.exec("DELETE FROM [EvConText] WHERE [EvConType] = 'Y' AND [EvConKey] > ?",
                {g_lastBooking});
        db.exec("DELETE FROM [TimedService] WHERE [TimedServiceID] > ?", {g_lastBooking});
        db.exec("DELETE FROM [LogText] WHERE [LogID] > ?", {g_lastEntry});
        db.exec("DELETE FROM [LogbookHistory] WHERE [LogbookID] > ?", {g_lastEntry});
        db.exec("DELETE FROM [LogBook] WHERE [LogID] > ?", {g_lastEntry});
    });
}

std::vector<Action> actions() {
    AppContext& ctx = *g_desk->ctx;
    Database& db = ctx.db();
    g_lastBooking = db.scalar("SELECT MAX([TimedServiceID]) FROM [TimedService]").toLongLong();
    g_lastEntry = db.scalar("SELECT COALESCE(MAX([LogID]), 0) FROM [LogBook]").toLongLong();
    const qint64 provider = db.scalar("SELECT MIN([ProvidersID]) FROM [Providers]").toLongLong();
    const auto service = db.queryOne(
        "SELECT [ServicesID], [LocationID] FROM [Services] WHERE [CategoryID] = ? ORDER BY "
        "[ServicesID]",
        {g_firstCategory});
    const qint64 serviceId = service->number("ServicesID");
    const qint64 locationId = service->number("LocationID");

    std::vector<Action> all;
    all.push_back(action("day sheet of a provider", [&ctx, provider] {
        return BuildDaySheet(ctx, SheetKind::Provider, Today, provider, 0).rows.size();
    }));
    all.push_back(action("day sheet of a provider and a room", [&ctx, provider, locationId] {
        return BuildDaySheet(ctx, SheetKind::Combined, Today, provider, locationId).rows.size();
    }));
    all.push_back(action("availability of 10:00 AM on 30 days", [&ctx] {
        size_t rows = 0;
        for (int d = 0; d < 30; ++d)
            rows += GetAvailability(ctx, g_firstCategory, 0, 0, Today.addDays(d), 10 * 60).size();
        return rows;
    }));
    all.push_back(action(
        "booking (check, insert, logbook entry)",
        [&ctx, provider, serviceId] {
            TypedTsBooking t;
            t.referDate = Formats::ShortDate(Today);
            t.categoryId = g_firstCategory;
            t.serviceId = serviceId;
            t.providerId = provider;
            t.referTime = "06:00 PM";
            t.lastName = "Doe";
            t.firstName = "Jane";
            t.instructions = "Towels & robe";
            const TsSaveResult r = SaveTimedService(ctx, 0, t);
            if (!r.saved || r.logbookId == 0) qFatal("the bench booking was refused");
            return size_t(1);
        },
        undoBookings));
    return all;
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(
        all, reporter, [] { return ProgramHandle(g_desk->ctx->db()); },
        [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    ScratchDesk desk;
    g_desk = &desk;
    OpenScratchDesk(
        desk, [](AppContext& ctx) -> Database& { return ctx.db(); }, generate);
    desk.ctx->session.name = DeskName;
    desk.ctx->session.initials = DeskInitials;
    linkLogbook(*desk.ctx);

    // The engine's side replays the program's own statements: say how many.
    RunActions(argc, argv, registerAll, ReplayedStatements);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
