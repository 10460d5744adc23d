// The group and reservation record screens after ten years: 2,000 groups with
// their meetings, a year of two reservation lists with wait lists and the
// guests turned away.  Timed: the screens' lists and searches; beside each,
// the engine's own time for the same statements (every statement the action
// ran, with its values, replayed on the sqlite3 C API).
//
// The property is generated afresh in a temporary folder on every run.

#include "ActionRunner.h"
#include "BenchData.h"
#include "RecordSelections.h"
#include "RecordsData.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>

using namespace vm;
using namespace vm::bench;

namespace {

std::vector<ProgramAction> actions(AppContext& ctx) {
    std::vector<ProgramAction> all = GroupActions(ctx);
    for (const ProgramAction& a : ReservationSearchActions(ctx))
        all.push_back(a);
    return all;
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    RunScratchBench(argc, argv, GenerateRecords, actions);
    return 0;
}
