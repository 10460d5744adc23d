#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"

#include "core/AppContext.h"

#include <QSqlDriver>

#include <QRegularExpression>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <map>
#include <set>
#include <sqlite3.h>
#include <string>

namespace vm::bench {

namespace {

using Trace = std::vector<std::string>;

int collect(unsigned, void* into, void*, void* text) {
    const char* sql = static_cast<const char*>(text);
    // Not a trigger's statement, nor one the trigram index runs for itself.
    if (sql && std::strncmp(sql, "--", 2) != 0 && !std::strstr(sql, "'main'."))
        static_cast<Trace*>(into)->push_back(sql);
    return 0;
}

struct Traces {
    Trace sides[2];
    bool taken[2] = {false, false};
};
std::map<QString, Traces> g_traces;

// One untimed run of a side with its statements recorded (once per action and side).
void traceOnce(const Action& a, RatioReporter::Side side, sqlite3* handle) {
    Traces& t = g_traces[a.name];
    if (t.taken[side]) return;
    sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, collect, &t.sides[side]);
    side == RatioReporter::Program ? a.program() : a.engine();
    sqlite3_trace_v2(handle, 0, nullptr, nullptr);
    if (a.afterEach) a.afterEach();
    t.taken[side] = true;
}

// The statements each replayed action ran, with their values written in.
std::map<QString, QStringList> g_replay;

int record(unsigned, void* into, void* stmt, void* text) {
    const char* what = static_cast<const char*>(text);
    if (!what || std::strncmp(what, "--", 2) == 0 || std::strstr(what, "'main'.")) return 0;
    if (char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(stmt))) {
        static_cast<QStringList*>(into)->append(QString::fromUtf8(sql));
        sqlite3_free(sql);
    }
    return 0;
}

} // namespace

sqlite3* ProgramHandle(Database& db) {
    const QVariant h = db.handle().driver()->handle();
    return *static_cast<sqlite3* const*>(h.constData());
}

namespace {
// The statement texts as the program wrote them ("?" for each value).
int recordText(unsigned, void* into, void*, void* text) {
    const char* sql = static_cast<const char*>(text);
    if (sql && std::strncmp(sql, "--", 2) != 0 && !std::strstr(sql, "'main'."))
        static_cast<QStringList*>(into)->append(QString::fromUtf8(sql));
    return 0;
}

QStringList traced(Database& db, const std::function<void()>& work,
                   int (*onStatement)(unsigned, void*, void*, void*)) {
    QStringList sent;
    sqlite3* handle = ProgramHandle(db);
    sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, onStatement, &sent);
    try {
        work();
    } catch (...) {
        sqlite3_trace_v2(handle, 0, nullptr, nullptr);
        throw;
    }
    sqlite3_trace_v2(handle, 0, nullptr, nullptr);
    return sent;
}
} // namespace

QStringList StatementsSent(Database& db, const std::function<void()>& work) {
    return traced(db, work, record);
}

QStringList StatementTextsSent(Database& db, const std::function<void()>& work) {
    return traced(db, work, recordText);
}

Action ReplayedAction(const QString& name, std::function<size_t()> program, AppContext& ctx,
                      EngineFloor& engine, std::function<void()> undo) {
    QStringList& into = g_replay[name];
    into = StatementsSent(ctx.db(), [&] { program(); });
    if (undo) undo();
    const QStringList statements = into;
    return {name, std::move(program),
            [statements, &engine] {
                size_t rows = 0;
                for (const QString& sql : statements) rows += size_t(engine.run(sql));
                return rows;
            },
            std::move(undo)};
}

void AddReplayed(std::vector<Action>& all, const std::vector<ProgramAction>& actions,
                 AppContext& ctx, EngineFloor& engine) {
    for (const ProgramAction& a : actions)
        all.push_back(ReplayedAction(a.name, a.run, ctx, engine, a.undo));
}

void RunScratchBench(int argc, char** argv, const std::function<void(AppContext&)>& generate,
                     const std::function<std::vector<ProgramAction>(AppContext&)>& actions,
                     const std::function<void(AppContext&)>& after) {
    ScratchDesk desk;
    OpenScratchDesk(
        desk, [](AppContext& ctx) -> Database& { return ctx.db(); },
        [&desk, &generate](Database&) { generate(*desk.ctx); });
    desk.ctx->session.name = DeskName;
    desk.ctx->session.initials = DeskInitials;
    desk.ctx->session.conciergeId = 1;
    // Registered benchmarks keep references to their actions until the run ends.
    std::vector<Action> all;
    AddReplayed(all, actions(*desk.ctx), *desk.ctx, *desk.engine);
    RunActions(
        argc, argv,
        [&](RatioReporter& reporter) {
            RegisterActions(
                all, reporter, [&desk] { return ProgramHandle(desk.ctx->db()); },
                [&desk] { return desk.engine->handle(); });
        },
        ReplayedStatements);
    if (after) after(*desk.ctx);
    desk.engine.reset();
    desk.ctx.reset();
}

QString ReplayedStatements(const QString& action) {
    return QString::number(g_replay[action].size()) + " statements";
}

QString SameSql(const QString& action) {
    const Traces& t = g_traces[action];
    // Qt SQL hands "?" to the engine as ":0", ":1", ...
    static const QRegularExpression numbered(R"(:\d+)");
    std::set<std::string> ran;
    for (const std::string& sql : t.sides[RatioReporter::Program])
        ran.insert(QString::fromStdString(sql).replace(numbered, "?").toStdString());
    for (const std::string& sql : t.sides[RatioReporter::Engine])
        if (!ran.count(sql))
            return "the program did not run: " + QString::fromStdString(sql).left(120);
    return QString::number(t.sides[RatioReporter::Program].size()) + "/" +
           QString::number(t.sides[RatioReporter::Engine].size());
}

namespace {
// Seconds each repetition runs; longer under a profiler
// (VELMORA_BENCH_SECONDS=5 with --benchmark_filter=...).
double secondsEach() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("VELMORA_BENCH_SECONDS").toDouble(&ok);
    return ok && seconds > 0 ? seconds : 0.1;
}
} // namespace

void RegisterActions(const std::vector<Action>& actions, RatioReporter& reporter,
                     std::function<sqlite3*()> programHandle,
                     std::function<sqlite3*()> engineHandle) {
    for (const Action& a : actions) {
        reporter.addAction(a.name);
        for (const auto side : {RatioReporter::Program, RatioReporter::Engine}) {
            const std::function<size_t()>& fn =
                side == RatioReporter::Program ? a.program : a.engine;
            const std::function<sqlite3*()> handle =
                side == RatioReporter::Program ? programHandle : engineHandle;
            auto measure = [&a, side, fn, handle](benchmark::State& state) {
                if (handle) traceOnce(a, side, handle());
                size_t rows = 0;
                for (auto _ : state) {
                    rows = fn();
                    if (a.afterEach) {
                        state.PauseTiming();
                        a.afterEach();
                        state.ResumeTiming();
                    }
                }
                state.counters["rows"] = double(rows);
            };
            benchmark::RegisterBenchmark(RatioReporter::benchmarkName(a.name, side).c_str(),
                                         measure)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(secondsEach())
                ->Repetitions(5)
                ->ComputeStatistics("min", [](const std::vector<double>& v) {
                    return *std::min_element(v.begin(), v.end());
                });
        }
    }
}

void RunActions(int argc, char** argv, const std::function<void(RatioReporter&)>& registerAll,
                std::function<QString(const QString&)> note) {
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter(std::move(note));
    registerAll(reporter);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

} // namespace vm::bench
