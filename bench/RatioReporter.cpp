#include "RatioReporter.h"
#include "BenchResults.h"

#include <QStringList>
#include <cstdio>

namespace vm::bench {

namespace {
const char* const SideNames[] = {"program", "engine"};
constexpr double MostRatio = 1.5;
constexpr double MostMs = 50.0;
} // namespace

std::string RatioReporter::benchmarkName(const QString& action, Side side) {
    return QString(action).replace(' ', '_').toStdString() + "/" + SideNames[side];
}

void RatioReporter::addAction(const QString& name) {
    m_order.push_back(name);
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    std::vector<Run> shown;
    for (const Run& r : runs) {
        if (r.error_occurred) {
            shown.push_back(r);
            continue;
        }
        if (r.run_type != Run::RT_Aggregate || r.aggregate_name != "min") continue;
        shown.push_back(r);
        const QString full = QString::fromStdString(r.run_name.function_name);
        const QString action = full.section('/', 0, 0).replace('_', ' ');
        const int side = full.section('/', 1, 1) == SideNames[Engine] ? Engine : Program;
        Figures& f = m_figures[action];
        f.ms[side] = r.GetAdjustedRealTime();
        if (side == Program) {
            auto rows = r.counters.find("rows");
            if (rows != r.counters.end()) f.rows = rows->second;
        }
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\nActions on the bench property: program against the engine floor\n"
                "(best of 5 repetitions, wall time; goal: ratio <= %.1f and program < %.0f "
                "ms)\n\n",
                MostRatio, MostMs);
    std::printf("%-32s %6s %11s %10s %7s  %-10s %s\n", "action", "rows", "program ms", "engine ms",
                "ratio", "statements", "");
    int missed = 0;
    for (const QString& name : m_order) {
        const Figures& f = m_figures[name];
        if (f.ms[Program] < 0 || f.ms[Engine] <= 0) continue; // filtered out
        const double ratio = f.ms[Program] / f.ms[Engine];
        QStringList over;
        if (ratio > MostRatio) over << "ratio";
        if (f.ms[Program] >= MostMs)
            over << (f.ms[Engine] >= MostMs ? "time (the engine's own)" : "time");
        missed += !over.isEmpty();
        AppendResult(name, f.rows, f.ms[Program], f.ms[Engine], m_statements(name),
                     over.isEmpty() ? "" : "over: " + over.join(", "));
        std::printf("%-32s %6.0f %11.3f %10.3f %7.2f  %-10s %s\n", qPrintable(name), f.rows,
                    f.ms[Program], f.ms[Engine], ratio, qPrintable(m_statements(name)),
                    over.isEmpty() ? "" : qPrintable("<-- over: " + over.join(", ")));
    }
    std::printf("\nstatements: run by the program / by the floor for one action (the floor runs\n"
                "the action's statements the program runs, in the same transactions).  %s\n",
                missed ? "Some actions miss the goal." : "Every action meets the goal.");
}

} // namespace vm::bench
