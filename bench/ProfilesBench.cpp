// The Profiles page's searches and the opening of a profile on the bench
// property (200,000 profiles, 1,000,000 logbook entries): the program's time
// from the selection to the rows it paints, and the engine floor of the same
// statements on the sqlite3 C API.  The table at the end gives program ms /
// engine ms per action.
//
// The property is the logbook bench's (generated when missing or out of
// date, kept in its own folder so the logbook bench's data stay as they are);
// the profiles are then given addresses, groups, indicators and contact
// history once.

#include "ActionRunner.h"
#include "BenchData.h"
#include "BenchSelections.h"
#include "ProfilesData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/LongText.h"
#include "guests/ProfileSearch.h"
#include "guests/Profiles.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <memory>
#include <sqlite3.h>

using namespace vm;
using namespace vm::bench;

namespace {

struct Desk {
    QuietPrompt prompt;
    FixedClock clock{QDateTime(Today, QTime(10, 0))};
    BenchProperty property;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<EngineFloor> engine;
    Database& db() const { return ctx->db(); }
};
Desk* g_desk = nullptr;

void openDesk(Desk& d) {
#ifdef VELMORA_BENCH_DATA
    const QString folder = ProfilesDataFolder(QStringLiteral(VELMORA_BENCH_DATA));
#else
    const QString folder = ProfilesDataFolder({});
#endif
    d.property = PrepareProfilesProperty(folder, d.prompt);
    Workstation ws = Workstation::under(folder);
    ws.ensureFolders();
    d.ctx = std::make_unique<AppContext>(ws, d.prompt, d.clock);
    d.ctx->start.databaseFolder = d.property.databaseFolder;
    d.ctx->daily.wait = [](int) {};
    if (OpenDatabase(*d.ctx) != 0) qFatal("the bench database did not open");
    Session& s = d.ctx->session;
    s.conciergeId =
        d.db()
            .scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Initials] = ?", {DeskInitials})
            .toLongLong();
    s.name = DeskName;
    s.initials = DeskInitials;
    s.manager = false; // a desk member: private profiles and indicators are left out
    d.engine = std::make_unique<EngineFloor>(d.db().location().file);
}

sqlite3* programHandle() {
    return ProgramHandle(g_desk->db());
}

// What the page does with a selection, up to the rows it paints.
Action searchAction(const QString& name, ProfileQuery q) {
    q.engine = Engine::SQLite;
    const BuiltProfileQuery built = BuildProfileSelection(q);
    if (!built.refusal.isEmpty()) qFatal("%s: %s", qPrintable(name), qPrintable(built.refusal));
    const ProfileStatement st = ProfileListQuery(*g_desk->ctx, q, built);
    const QString sql = g_desk->db().translate(st.sql);
    const QVariantList params = st.params;
    return {name,
            [q, built] {
                const auto list = ListProfiles(*g_desk->ctx, q, built, false);
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

// The statements the store runs to open a profile, on the engine floor.
std::function<size_t()> OpenProfileFloor() {
    const auto sql = [](const QString& text) { return g_desk->db().translate(text); };
    const QString profile = sql(OpenProfileSql), notes = sql(OpenProfileNotesSql),
                  indicators = sql(OpenProfileIndicatorsSql),
                  contacts = sql(OpenProfileContactsSql), entries = sql(OpenProfileEntriesSql);
    auto ids = std::make_shared<QRandomGenerator>(11);
    return [=] {
        EngineFloor& e = *g_desk->engine;
        const qint64 id = 1 + ids->bounded(ProfileCount);
        e.run("BEGIN");
        int rows = e.run(profile, {id});
        e.run(notes, {id, TextKind::ProfileNotes});
        e.run("COMMIT");
        rows += e.run(indicators, {id, false});
        rows += e.run(contacts, {id});
        rows += e.run(entries, {id});
        return size_t(rows);
    };
}

// Opening a profile: the profile with its notes, its indicators, its contact
// history and the logbook tab's entries.
Action openAction() {
    auto ids = std::make_shared<QRandomGenerator>(11);
    return {"open a profile",
            [ids] {
                AppContext& ctx = *g_desk->ctx;
                const qint64 id = 1 + ids->bounded(ProfileCount);
                const auto p = GetProfile(ctx, id);
                const auto pi = GetProfilePI(ctx, id, false);
                const auto ch = GetProfileCH(ctx, id);
                const auto lb = GetProfileLB(ctx, id, LogSource::Current);
                return size_t(p ? 1 : 0) + pi.size() + ch.size() + lb.size();
            },
            OpenProfileFloor()};
}

std::vector<Action> actions() {
    std::vector<Action> out;
    for (const NamedProfileQuery& n : ProfileSelections())
        out.push_back(searchAction(n.name, n.query));
    out.push_back(openAction());
    return out;
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
