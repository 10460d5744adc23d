// The events' lists on a property with 5,000 events (three years of a busy
// city's calendar, shared or not): the program's time, and the engine floor of
// the same statements on the sqlite3 C API.  Goal: a date range within 10 ms
// and within 1.5 times the engine's own time.
//
// The property is generated afresh in a temporary folder on every run (a few
// seconds): the events table is small enough.

#include "BenchData.h"
#include "BenchSelections.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "demo/PropertyGenerator.h"
#include "guests/EventLists.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int EventCount = 5'000;

using Desk = ScratchDesk;
Desk* g_desk = nullptr;

void openDesk(Desk& d) {
    // Two years back, one ahead.
    OpenScratchDesk(
        d, [](AppContext& ctx) -> Database& { return ctx.eventsDb(); },
        [&d](Database&) {
            demo::PropertySize size;
            size.events = EventCount;
            size.eventDays = 1095;
            demo::PropertyGenerator(*d.ctx, size, 2026).events();
        });
}

struct Action {
    QString name;
    std::function<size_t()> program;
    std::function<size_t()> engine;
};

// The engine floor of one list statement, in a read transaction as the program reads.
std::function<size_t()> floorOf(const QString& sql, const QVariantList& params) {
    const QString spelled = g_desk->ctx->eventsDb().translate(sql);
    return [spelled, params] {
        EngineFloor& e = *g_desk->engine;
        e.run("BEGIN");
        const size_t rows = size_t(e.run(spelled, params));
        e.run("COMMIT");
        return rows;
    };
}

std::vector<Action> actions() {
    AppContext& ctx = *g_desk->ctx;
    std::vector<Action> out;
    auto page = [&](const QString& name, const EventSelection& s) {
        const BuiltEventSelection built = BuildEventSelection(s);
        if (!built.refusal.isEmpty()) qFatal("%s", qPrintable(built.refusal));
        const QString sql =
            "SELECT * FROM [Event] WHERE " + built.filter.where + EventSortOrder(s.sort);
        out.push_back({name,
                       [&ctx, built, s] { return GetTheEvents(ctx, built.filter, s.sort).size(); },
                       floorOf(sql, built.filter.params)});
    };
    for (const NamedEventSelection& n : EventSelections())
        page(n.name, n.selection);

    const DayRange window = GuestListDays();
    const EventFilter overlap = OverlapFilter(window.from, window.through);
    const QString order = EventListOrder(GetIntegerSetting(ctx.db(), "EventStyle"));
    out.push_back(
        {"limited guest list", [&ctx, window] { return GetCurrentEvents(ctx, window).size(); },
         floorOf("SELECT * FROM [Event] WHERE [PrintOnList] = ? AND " + overlap.where + order,
                 QVariantList{true} + overlap.params)});
    out.push_back(
        {"future guest list", [&ctx] { return GetFutureEvents(ctx).size(); },
         floorOf("SELECT * FROM [Event] WHERE [StartingDate] >= ? AND [PrintOnList] = ?" + order,
                 {Formats::StoredDate(Today), true})});
    return out;
}

void registerAll(RatioReporter& reporter) {
    static std::vector<Action> all = actions();
    for (const Action& a : all) {
        reporter.addAction(a.name);
        for (const auto side : {RatioReporter::Program, RatioReporter::Engine}) {
            const std::function<size_t()> fn =
                side == RatioReporter::Program ? a.program : a.engine;
            benchmark::RegisterBenchmark(RatioReporter::benchmarkName(a.name, side).c_str(),
                                         [fn](benchmark::State& state) {
                                             size_t rows = 0;
                                             for (auto _ : state)
                                                 rows = fn();
                                             state.counters["rows"] = double(rows);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.1)
                ->Repetitions(5)
                ->ComputeStatistics("min", [](const std::vector<double>& v) {
                    return *std::min_element(v.begin(), v.end());
                });
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    Desk desk;
    g_desk = &desk;
    openDesk(desk);
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    // Both sides run the statement the page builds: the floor is the same SQL by construction.
    RatioReporter reporter([](const QString&) { return QStringLiteral("1/1"); });
    registerAll(reporter);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
