// The Contacts page's searches on a directory of 50,000 contacts: the
// program's time from the selection to the rows it paints, and the engine
// floor of the same statement on the sqlite3 C API (prepared once, every row
// stepped, every column read).  The table at the end gives program ms /
// engine ms per search.
//
// The directory is generated afresh in a temporary folder on every run (a
// few seconds) by the property generator: keywords from a small vocabulary,
// cities, areas, streets.

#include "ActionRunner.h"
#include "BenchData.h"
#include "BenchSelections.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "demo/PropertyGenerator.h"
#include "guests/ContactSearch.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <memory>
#include <sqlite3.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int ContactCount = 50'000;

using Desk = ScratchDesk;
Desk* g_desk = nullptr;

void openDesk(Desk& d) {
    OpenScratchDesk(
        d, [](AppContext& ctx) -> Database& { return ctx.contactsDb(); },
        [&d](Database&) {
            demo::PropertySize size;
            size.contacts = ContactCount;
            demo::PropertyGenerator(*d.ctx, size, 20260314).contacts();
        });
    Session& s = d.ctx->session;
    s.name = DeskName;
    s.initials = DeskInitials;
    s.manager = false; // a desk member: private contacts are left out
    s.language = 0;
}

// What the page does with a selection, up to the rows it paints.
Action searchAction(const QString& name, ContactSelection s) {
    s.engine = Engine::SQLite;
    const BuiltContactSelection built = BuildContactSelection(s);
    if (!built.refusal.isEmpty()) qFatal("a bench selection was refused");
    const ContactStatement st = ContactListQuery(*g_desk->ctx, built.filter, s.sort);
    const QString sql = g_desk->ctx->contactsDb().translate(st.sql);
    const QVariantList params = st.params;
    const ContactSort sort = s.sort;
    const ContactFilter filter = built.filter;
    return {name,
            [filter, sort] {
                const auto list = ListContacts(*g_desk->ctx, filter, sort, false);
                return list ? list->rows.size() : size_t(0);
            },
            [sql, params] {
                EngineFloor& engine = *g_desk->engine;
                engine.run("BEGIN");
                const int rows = engine.run(sql, params);
                engine.run("COMMIT");
                return size_t(rows);
            }};
}

std::vector<Action> actions() {
    std::vector<Action> out;
    for (const NamedContactSelection& n : ContactSelections())
        out.push_back(searchAction(n.name, n.selection));
    return out;
}

sqlite3* programHandle() {
    return ProgramHandle(g_desk->ctx->contactsDb());
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(all, reporter, programHandle, [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    Desk desk;
    g_desk = &desk;
    openDesk(desk);
    RunActions(argc, argv, registerAll);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
