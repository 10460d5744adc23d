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
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/LongText.h"
#include "guests/ProfileSearch.h"
#include "guests/Profiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <memory>
#include <sqlite3.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int GroupCount = 2000;

struct Desk {
    QuietPrompt prompt;
    FixedClock clock{QDateTime(Today, QTime(10, 0))};
    BenchProperty property;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<EngineFloor> engine;
    Database& db() const { return ctx->db(); }
};
Desk* g_desk = nullptr;

// Indicator types with the values guests give them.
const struct {
    const char* type;
    double share; // of the profiles carrying it
    QStringList values;
} Indicators[] = {
    {"Pillow", 0.30, {"Foam", "Feather", "Down", "Buckwheat", "Latex", "Firm", "Soft", "Extra"}},
    {"Newspaper", 0.25, {"Times", "Journal", "Herald", "Gazette", "Post", "Le Monde", "None"}},
    {"Room Preference",
     0.40,
     {"High Floor", "Low Floor", "Quiet", "Near Elevator", "Sea View", "Garden View", "Connecting",
      "Accessible"}},
    {"Allergy",
     0.05,
     {"Shellfish", "Peanuts", "Gluten", "Dairy", "Feathers", "Latex", "Pollen", "Penicillin",
      "Eggs", "Soy", "Sesame", "Tree Nuts"}},
    {"Drink",
     0.20,
     {"Still Water", "Sparkling Water", "Champagne", "Red Wine", "White Wine", "Green Tea",
      "Espresso", "Orange Juice", "Whisky", "Gin and Tonic"}},
    {"Spouse Name",
     0.15,
     {"Alex", "Sam", "Pat", "Chris", "Robin", "Jamie", "Taylor", "Morgan", "Casey", "Jordan",
      "Riley", "Avery"}},
    {"Arrival Date", 0.20, {"2026/03/14", "2026/03/15", "2026/03/16", "2026/03/20"}},
};
const QStringList ContactTypes = {"Phone", "Email", "Letter", "Visit"};
const QStringList Results = {"", "Booked", "No Answer", "Declined", "Sent"};

QString dataFolder() {
    QString dir = qEnvironmentVariable("VELMORA_PROFILES_BENCH_DIR");
#ifdef VELMORA_BENCH_DATA
    if (dir.isEmpty()) dir = QStringLiteral(VELMORA_BENCH_DATA);
#endif
    if (dir.isEmpty()) dir = QDir::tempPath() + "/velmora-profiles-bench";
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

// Addresses, phones, groups, colours and private flags for every profile, the
// indicator types, and the indicators and contact history of each guest.
void enrich(EngineFloor& e) {
    if (e.run("SELECT 1 FROM \"ProfilePI\" LIMIT 1") > 0) return;
    std::fprintf(stderr, "Giving the bench profiles their details ...\n");
    QRandomGenerator rng(20260315);
    e.run("BEGIN");
    for (int g = 1; g <= GroupCount; ++g)
        e.run("INSERT INTO \"Group\" (\"GroupID\", \"GroupName\") VALUES (?, ?)",
              {g, "Group " + QString::number(g)});
    e.run("UPDATE \"Profile\" SET \"Salutation\" = CASE \"ProfileID\" % 4 WHEN 0 THEN 'Mr.' "
          "WHEN 1 THEN 'Ms.' WHEN 2 THEN 'Dr.' ELSE '' END, \"Address1S\" = (\"ProfileID\" % "
          "997) || ' Harbor Blvd', \"CityS\" = 'City ' || (\"ProfileID\" % 400), \"StateS\" = "
          "substr('MANYCATXFLILWAORNJPA', 1 + 2 * (\"ProfileID\" % 10), 2), \"PostalCodeS\" = "
          "printf('%05d', \"ProfileID\" % 99991), \"HomePhone\" = printf('(617) 555-%04d', "
          "\"ProfileID\" % 10000), \"FaxPhone\" = '', \"EmailAddress\" = lower(\"FirstName\") "
          "|| \"ProfileID\" || '@example.com', \"DocumentLink\" = '', \"GroupID\" = CASE WHEN "
          "\"ProfileID\" % 5 = 0 THEN 1 + (\"ProfileID\" / 5) % 2000 ELSE 0 END, "
          "\"PublicPrivate\" = (\"ProfileID\" % 50 = 0), \"ColorCode\" = (\"ProfileID\" % 20 = "
          "0), \"ProfileColor\" = '&H0000C000&', \"DNUHomePhone\" = (\"ProfileID\" % 30 = 0), "
          "\"DNUFaxPhone\" = 0, \"DNUEmail\" = (\"ProfileID\" % 40 = 0)");
    int sequence = 10;
    for (const auto& i : Indicators)
        e.run("INSERT INTO \"ProfileTS\" (\"PreferenceType\", \"EntryHint\", \"EmailAddress\", "
              "\"PublicPrivate\", \"SequenceNo\") VALUES (?, '', '', 0, ?)",
              {QString(i.type), sequence += 10});
    for (int id = 1; id <= ProfileCount; ++id) {
        int at = 10;
        for (const auto& i : Indicators) {
            at += 10;
            if (rng.generateDouble() >= i.share) continue;
            const QString value = i.values[int(rng.bounded(qsizetype(i.values.size())))];
            e.run("INSERT INTO \"ProfilePI\" (\"ProfileID\", \"PublicPrivate\", \"SequenceNo\", "
                  "\"PreferenceType\", \"PreferenceSelection\") VALUES (?, 0, ?, ?, ?)",
                  {id, at, QString(i.type), value});
        }
        const int contacts = int(rng.bounded(4));
        for (int c = 0; c < contacts; ++c)
            e.run("INSERT INTO \"ProfileCH\" (\"ProfileID\", \"ContactDate\", \"ContactType\", "
                  "\"ContactResult\") VALUES (?, ?, ?, ?)",
                  {id, Today.addDays(-int(rng.bounded(1100))),
                   ContactTypes[int(rng.bounded(qsizetype(ContactTypes.size())))],
                   Results[int(rng.bounded(qsizetype(Results.size())))]});
    }
    e.run("COMMIT");
    e.run("ANALYZE");
}

void openDesk(Desk& d) {
    const QString folder = dataFolder();
    d.property = PrepareProperty(folder, d.prompt);
    {
        EngineFloor writer(d.property.databaseFolder + "VelmP.db");
        enrich(writer);
    }
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
    const auto sql = [](const char* text) { return g_desk->db().translate(text); };
    const QString profile = sql("SELECT * FROM [Profile] WHERE [ProfileID] = ?");
    const QString notes = sql("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? AND "
                              "[EvConType] = ? ORDER BY [Sequence]");
    const QString indicators =
        sql("SELECT * FROM [ProfilePI] WHERE [ProfileID] = ? AND ([PublicPrivate] = ? OR "
            "[PublicPrivate] IS NULL) ORDER BY [SequenceNo], [PreferenceType], "
            "[PreferenceSelection]");
    const QString contacts = sql("SELECT * FROM [ProfileCH] WHERE [ProfileID] = ? ORDER BY "
                                 "[ContactDate] DESC, [ContactHistoryID] DESC");
    const QString entries = sql("SELECT [LogID], [ReferDate], [EntryType], [GroupID] FROM "
                                "[LogBook] WHERE [ProfileID] = ? ORDER BY [ReferDate] DESC, "
                                "[LogID] DESC");
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
    using B = ProfileSelectBy;
    return {
        searchAction("last name, its start typed", {.by = B::LastName, .text = "Holow"}),
        searchAction("part of a name", {.by = B::LastName, .text = "owfor"}),
        searchAction("first name", {.by = B::FirstName, .text = "Giul"}),
        searchAction("indicator value",
                     {.by = B::Indicator, .indicator = "Allergy", .indicatorValue = "Shellfish"}),
        searchAction("group", {.by = B::Group, .groupId = 17, .groupName = "Group 17"}),
        searchAction("contacts without results", {.by = B::ContactType,
                                                  .contactType = "Letter",
                                                  .noResults = true,
                                                  .byDate = true,
                                                  .from = Today.addDays(-30),
                                                  .through = Today}),
        openAction(),
    };
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(all, reporter, programHandle, [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Desk desk;
    g_desk = &desk;
    openDesk(desk);
    RunActions(argc, argv, registerAll);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
