// The decade property's interactive actions on a PostgreSQL server: the
// program's time, and beside it the same statements through libpq (prepared
// once and kept, every row and column read), run as the program runs them.
// Lost and found, key control, rentals, events, groups and reservations replay
// on the floor what the program sent (see PgReplay.h).
// The table at the end gives program ms / floor ms per action.
//
// VELMORA_BENCH_PG gives the server (libpq keywords with dbname; the database
// has citext and pg_trgm).  The property is made there from the profiles
// bench's SQLite property and kept between runs (see PgBenchData.h).

#include "ActionRunner.h"
#include "BenchData.h"
#include "BenchSelections.h"
#include "LogbookSaves.h"
#include "OperationsSelections.h"
#include "PgBenchData.h"
#include "PgFloor.h"
#include "PgReplay.h"
#include "ProfilesData.h"
#include "RatioReporter.h"
#include "RecordSelections.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "demo/PropertyGenerator.h"
#include "desk/MessageRows.h"
#include "desk/Messages.h"
#include "guests/ContactSearch.h"
#include "guests/ProfileSearch.h"
#include "guests/Profiles.h"
#include "logbook/Categories.h"
#include "logbook/LogText.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookSearch.h"
#include "logbook/LogbookStore.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <libpq-fe.h>
#include <memory>

using namespace vm;
using namespace vm::bench;

namespace {

struct Desk {
    QuietPrompt prompt;
    FixedClock clock{QDateTime(Today, QTime(10, 0))};
    PgBenchProperty property;
    // The program's context on the property's databases, with the bench's
    // prompt (the property's own declines every question a list may ask).
    std::unique_ptr<AppContext> context;
    std::unique_ptr<PgFloor> floor;
    AppContext& ctx() const { return *context; }
    Database& db() const { return ctx().db(); }
};
Desk* g_desk = nullptr;

QString sql(const QString& text) {
    return g_desk->db().translate(text);
}

Action replayed(const QString& prefix, const ProgramAction& a, Database& db);

// ------------------------------------------------------------------ logbook

// A list as the page asks for it; the floor runs every statement the program
// sent for it (the member's categories, the setting, the count, the list, the
// text pieces), in the same read transaction.
Action logbookList(const NamedLogbookSelection& n) {
    const BuiltSelection built = BuildNamed(n, Engine::PostgreSQL);
    if (!built.refusal.isEmpty()) qFatal("%s: %s", qPrintable(n.name), qPrintable(built.refusal));
    ListRequest request;
    request.sortIndex = n.selection.sortIndex;
    request.window = n.selection.window;
    request.filter = built.filter;
    const bool guard = n.guardSize;
    return replayed({}, {n.name, [request, guard] {
                             const auto listed = ListSelection(g_desk->ctx(), request, guard);
                             return listed ? listed->rows.size() : size_t(0);
                         }},
                    g_desk->db());
}

// Opening an entry: the entry with its text, then its history.
Action openEntry() {
    auto ids = std::make_shared<QRandomGenerator>(7);
    auto floorIds = std::make_shared<QRandomGenerator>(7);
    const QString entry = sql(SelectEntrySql), pieces = sql(SelectPiecesSql),
                  history = sql(SelectHistorySql);
    return {"open an entry",
            [ids] {
                LogbookStore store(g_desk->ctx());
                const qint64 id = 1 + ids->bounded(EntryCount);
                const auto e = store.GetTheLogEntry(id);
                const auto h = store.GetTheLogbookHistory(id);
                return size_t(e ? 1 : 0) + h.size();
            },
            [=] {
                PgFloor& floor = *g_desk->floor;
                const qint64 id = 1 + floorIds->bounded(EntryCount);
                const int rows = floor.run(entry, {id});
                floor.run(pieces, {id});
                return size_t(rows + floor.run(history, {id}));
            }};
}

// Saving an entry again: its row, its text pieces and a history row, one
// transaction.  Each side saves an entry of its own, written once before the
// timings (and removed after them).
Action saveEntry() {
    auto entry = std::make_shared<LogEntry>(newEntry());
    auto floorEntry = std::make_shared<LogEntry>(newEntry());
    LogbookStore store(g_desk->ctx());
    store.InsertLogBook(*entry);
    store.InsertLogBook(*floorEntry);
    const QString category = sql(SelectCategorySql), update = sql(UpdateEntrySql),
                  history = sql(InsertHistorySql), drop = sql(DeletePiecesSql),
                  piece = sql(InsertPieceSql);
    return {"save an entry",
            [entry] {
                entry->text = Long(600);
                if (LogbookStore(g_desk->ctx()).UpdateLogBook(*entry, entry->cancelled) !=
                    SaveOutcome::Saved)
                    qFatal("the bench entry changed under the save");
                return size_t(1);
            },
            [=] {
                PgFloor& floor = *g_desk->floor;
                LogEntry& e = *floorEntry;
                const SplitText split = SplitLogText(StoredValue(Long(600)));
                floor.run("BEGIN");
                floor.run(category, {e.entryType});
                floor.run(update, savedValues(e, split.noteField, Formats::StoredDate(Today)));
                if (floor.changed() != 1) qFatal("the floor's bench entry changed under the save");
                ++e.rowVersion;
                floor.run(history, {e.logId, DeskInitials, "2026/03/14 10:00", ReasonUpdated});
                floor.run(drop, {e.logId});
                int sequence = 0;
                for (const QString& p : LogTextPieces(split.overflow))
                    floor.run(piece, {e.logId, ++sequence, p});
                floor.run("COMMIT");
                return size_t(1);
            }};
}

// ------------------------------------------------------------------ profiles

// A search of the Profiles page; the floor runs what the program sent for it.
Action profileSearch(const NamedProfileQuery& n) {
    ProfileQuery q = n.query;
    q.engine = Engine::PostgreSQL;
    const BuiltProfileQuery built = BuildProfileSelection(q);
    if (!built.refusal.isEmpty()) qFatal("%s: %s", qPrintable(n.name), qPrintable(built.refusal));
    return replayed({}, {n.name, [q, built] {
                             const auto list = ListProfiles(g_desk->ctx(), q, built, false);
                             return list ? list->rows.size() : size_t(0);
                         }},
                    g_desk->db());
}

// Opening a profile: the profile with its notes, its indicators, its contact
// history and the logbook tab's entries.
Action openProfile() {
    auto ids = std::make_shared<QRandomGenerator>(11);
    auto floorIds = std::make_shared<QRandomGenerator>(11);
    const QString profile = sql(OpenProfileSql), notes = sql(OpenProfileNotesSql),
                  indicators = sql(OpenProfileIndicatorsSql),
                  contacts = sql(OpenProfileContactsSql), entries = sql(OpenProfileEntriesSql);
    return {"open a profile",
            [ids] {
                AppContext& ctx = g_desk->ctx();
                const qint64 id = 1 + ids->bounded(ProfileCount);
                const auto p = GetProfile(ctx, id);
                const auto pi = GetProfilePI(ctx, id, false);
                const auto ch = GetProfileCH(ctx, id);
                const auto lb = GetProfileLB(ctx, id, LogSource::Current);
                return size_t(p ? 1 : 0) + pi.size() + ch.size() + lb.size();
            },
            [=] {
                PgFloor& floor = *g_desk->floor;
                const qint64 id = 1 + floorIds->bounded(ProfileCount);
                int rows = floor.run(profile, {id});
                floor.run(notes, {id, TextKind::ProfileNotes});
                rows += floor.run(indicators, {id, false});
                rows += floor.run(contacts, {id});
                rows += floor.run(entries, {id});
                return size_t(rows);
            }};
}

// ------------------------------------------------------------------ contacts

Action contactSearch(const NamedContactSelection& n) {
    ContactSelection s = n.selection;
    s.engine = Engine::PostgreSQL;
    const BuiltContactSelection built = BuildContactSelection(s);
    if (!built.refusal.isEmpty()) qFatal("%s: refused", qPrintable(n.name));
    const ContactSort sort = s.sort;
    const ContactFilter filter = built.filter;
    return replayed("contacts: ", {n.name, [filter, sort] {
                                       const auto list =
                                           ListContacts(g_desk->ctx(), filter, sort, false);
                                       return list ? list->rows.size() : size_t(0);
                                   }},
                    g_desk->ctx().contactsDb());
}

// ------------------------------------------------------------------ messages

// One tick of the main window's timer: how many are due, and the caption.
Action messagePoll(const QString& member) {
    const QString text = sql(msg::DueCountSql);
    return {"messages: poll",
            [member] {
                const QString caption = MailCaption(CountDueMessages(g_desk->ctx(), member));
                return size_t(caption.isEmpty() ? 0 : 1);
            },
            [text, member] {
                const QVariantList params{member,
                                          Formats::StoredDateTime(QDateTime(Today, QTime(10, 0)))};
                return size_t(g_desk->floor->run(text, params));
            }};
}

// The message centre: one recipient's messages with their texts.
Action messageList(const QString& name, const QString& member, bool disposed) {
    MsgListQuery q;
    q.filter = MsgFilter::ByRecipient;
    q.name = member;
    q.disposed = disposed;
    return replayed({}, {name, [q] { return size_t(GetMessages(g_desk->ctx(), q).size()); }},
                    g_desk->db());
}

// ---------- lost and found, keys, rentals, events, groups and reservations

// A shared action: the program's side as the SQLite benches run it; the floor
// runs what it sent to the server in one untimed run (undone afterwards).  The
// floor's first run must read as many rows as the server sent the program.
Action replayed(const QString& prefix, const ProgramAction& a, Database& db) {
    qint64 rows = 0;
    const auto sent =
        std::make_shared<const std::vector<SentStatement>>(RecordSent(db, a.run, &rows));
    if (a.undo) a.undo();
    const qint64 floorRows = qint64(RunSent(*g_desk->floor, *sent));
    if (a.undo) a.undo();
    if (floorRows != rows)
        qFatal("%s: the floor read %lld rows, the program %lld", qPrintable(prefix + a.name),
               floorRows, rows);
    return {prefix + a.name, a.run, [sent] { return RunSent(*g_desk->floor, *sent); }, a.undo};
}

void operationsAndEvents(std::vector<Action>& out) {
    AppContext& ctx = g_desk->ctx();
    for (const ProgramAction& a : LostAndFoundActions(ctx))
        out.push_back(replayed("lost and found: ", a, ctx.db()));
    for (const ProgramAction& a : KeyControlActions(ctx))
        out.push_back(replayed("keys: ", a, ctx.db()));
    for (const ProgramAction& a : RentalActions(ctx))
        out.push_back(replayed("rentals: ", a, ctx.db()));
    AppContext* c = &ctx;
    std::vector<ProgramAction> events;
    for (const NamedEventSelection& n : EventSelections()) {
        const BuiltEventSelection built = BuildEventSelection(n.selection);
        if (!built.refusal.isEmpty()) qFatal("%s", qPrintable(built.refusal));
        const EventSort sort = n.selection.sort;
        events.push_back(
            {n.name, [c, built, sort] { return GetTheEvents(*c, built.filter, sort).size(); }});
    }
    events.push_back(
        {"limited guest list", [c] { return GetCurrentEvents(*c, GuestListDays()).size(); }});
    events.push_back({"future guest list", [c] { return GetFutureEvents(*c).size(); }});
    for (const ProgramAction& a : events)
        out.push_back(replayed("events: ", a, ctx.eventsDb()));
    for (const ProgramAction& a : GroupActions(ctx))
        out.push_back(replayed("groups: ", a, ctx.db()));
    for (const ProgramAction& a : ReservationSearchActions(ctx))
        out.push_back(replayed("reservations: ", a, ctx.db()));
}

std::vector<Action> actions() {
    std::vector<Action> out;
    for (const NamedLogbookSelection& n : LogbookSelections())
        out.push_back(logbookList(n));
    out.push_back(openEntry());
    out.push_back(saveEntry());
    for (const NamedProfileQuery& n : ProfileSelections())
        out.push_back(profileSearch(n));
    out.push_back(openProfile());
    for (const NamedContactSelection& n : ContactSelections())
        out.push_back(contactSearch(n));
    const QString member =
        demo::PropertyGenerator::Logons(demo::PropertySize::Decade().staff).value(3).name;
    out.push_back(messagePoll(member));
    out.push_back(messageList("messages: one recipient, active", member, false));
    out.push_back(messageList("messages: one recipient, read", member, true));
    operationsAndEvents(out);
    return out;
}

// ------------------------------------------------------------------ set-up

QString folderBesideBench(const char* name) {
#ifdef VELMORA_BENCH_DATA
    return QStringLiteral(VELMORA_BENCH_DATA) + "/" + name;
#else
    return QDir::tempPath() + "/velmora-pg-bench/" + name;
#endif
}

void openDesk(Desk& d, const QString& connInfo) {
#ifdef VELMORA_PROFILES_BENCH_DATA
    const QString source = ProfilesDataFolder(QStringLiteral(VELMORA_PROFILES_BENCH_DATA));
#else
    const QString source = ProfilesDataFolder({});
#endif
    d.property = PreparePgProperty(connInfo, source, folderBesideBench("pg-desk"), d.clock,
                                   d.prompt);
    AppContext& opened = d.property.property->ctx();
    d.context = std::make_unique<AppContext>(opened.workstation, d.prompt, d.clock);
    d.context->start = opened.start;
    d.context->globals = opened.globals;
    d.context->current = std::move(opened.current);
    d.context->archive = std::move(opened.archive);
    d.context->common = std::move(opened.common);
    Database& db = d.db();
    Session& s = d.ctx().session;
    s.conciergeId =
        db.scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Initials] = ?", {DeskInitials})
            .toLongLong();
    s.name = DeskName;
    s.initials = DeskInitials;
    s.manager = false; // a desk member as most are
    s.language = 0;
    const DbLocation& where = db.location();
    d.floor = std::make_unique<PgFloor>(where.connInfo, where.database, where.schema);
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(all, reporter, {}, {});
}

QString serverVersion() {
    const auto v = g_desk->db().scalar("SHOW server_version");
    return v.isValid() ? "PostgreSQL " + v.toString().section(' ', 0, 0) : "PostgreSQL";
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    const QString connInfo = qEnvironmentVariable("VELMORA_BENCH_PG");
    if (connInfo.trimmed().isEmpty()) {
        std::fprintf(stderr, "VELMORA_BENCH_PG names no server (libpq keywords with dbname)\n");
        return 2;
    }
    Desk desk;
    g_desk = &desk;
    openDesk(desk, connInfo);
    const QString note = serverVersion();
    RunActions(argc, argv, registerAll, [note](const QString&) { return note; });
    desk.floor.reset();
    RemovePgBenchWrites(desk.db());
    desk.context.reset();
    desk.property.property.reset();
    return 0;
}
