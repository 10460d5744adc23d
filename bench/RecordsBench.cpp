// The group and reservation record screens after ten years: 2,000 groups with
// their meetings, a year of two reservation lists with wait lists and the
// guests turned away.  Timed: the screens' lists and searches; beside each,
// the engine's own time for the same statements (every statement the action
// ran, with its values, replayed on the sqlite3 C API).
//
// The property is generated afresh in a temporary folder on every run.

#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"
#include "RecordSelections.h"
#include "RecordsData.h"

#include <QCoreApplication>

using namespace vm;
using namespace vm::bench;

namespace {

ScratchDesk* g_desk = nullptr;

void addAll(std::vector<Action>& all, const std::vector<ProgramAction>& actions) {
    for (const ProgramAction& a : actions)
        all.push_back(ReplayedAction(a.name, a.run, *g_desk->ctx, *g_desk->engine, a.undo));
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = [] {
        std::vector<Action> a;
        addAll(a, GroupActions(*g_desk->ctx));
        addAll(a, ReservationSearchActions(*g_desk->ctx));
        return a;
    }();
    RegisterActions(
        all, reporter, [] { return ProgramHandle(g_desk->ctx->db()); },
        [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ScratchDesk desk;
    g_desk = &desk;
    OpenScratchDesk(
        desk, [](AppContext& ctx) -> Database& { return ctx.db(); },
        [&desk](Database&) { GenerateRecords(*desk.ctx); });
    desk.ctx->session.name = DeskName;
    desk.ctx->session.initials = DeskInitials;
    desk.ctx->session.conciergeId = 1;

    RunActions(argc, argv, registerAll, ReplayedStatements);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
