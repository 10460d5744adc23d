// Every logbook action of the desk on the bench property (1,000,000 entries):
// the program's time, and the engine floor of the same statements on the
// sqlite3 C API (prepared once, every row stepped, every column read).  The
// table at the end gives, per action, program ms / engine ms.
//
// The property is kept in $VELMORA_BENCH_DIR (default: the data folder beside
// the bench in the build tree) and generated when missing or out of date.

#include "ActionRunner.h"
#include "BenchData.h"
#include "BenchSelections.h"
#include "LogbookSaves.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/LogText.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookSearch.h"
#include "logbook/LogbookStore.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
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
    Viewer viewer;           // as the list statement sees it
    bool useGuestId = false; // the setting the list reads
    // The statements a list reads before its own, as the program wrote them:
    // the member's view of the categories (its one value, the member's id)
    // and the setting.
    QStringList viewerStatements, settingStatements;
    Database& db() const { return ctx->db(); }
};
Desk* g_desk = nullptr;

sqlite3* programHandle() {
    return ProgramHandle(g_desk->db());
}

// ------------------------------------------------------------------ the program

// What the Logbook page does with a selection, up to the rows it paints.
size_t programList(const ListRequest& request, bool guardSize) {
    const auto list = ListSelection(*g_desk->ctx, request, guardSize);
    return list ? list->rows.size() : 0;
}

// ------------------------------------------------------------------ the engine

QString engineSql(const QString& sql) {
    return g_desk->db().translate(sql);
}

// The list statement, then the text pieces of the long entries, as the list reads them.
struct EngineList {
    QString count; // empty: the action does not count first
    QVariantList countParams;
    QString list;
    QVariantList params;
    ListPiecesStatements pieces{engineSql};

    // In the read transactions the program reads in.
    size_t operator()() {
        EngineFloor& engine = *g_desk->engine;
        auto runAll = [&](const QStringList& statements) {
            for (const QString& sql : statements)
                engine.run(sql, sql.contains('?') ? QVariantList{g_desk->ctx->session.conciergeId}
                                                  : QVariantList{});
        };
        if (!count.isEmpty()) {
            engine.run("BEGIN");
            runAll(g_desk->viewerStatements);
            engine.run(count, countParams);
            engine.run("COMMIT");
        }
        engine.run("BEGIN");
        if (count.isEmpty()) runAll(g_desk->viewerStatements);
        runAll(g_desk->settingStatements);
        QList<qint64> longOnes;
        int idAt = -1, noteAt = -1;
        const size_t rows = size_t(engine.run(list, params, [&](sqlite3_stmt* s) {
            if (idAt < 0)
                for (int c = 0; c < sqlite3_column_count(s); ++c) {
                    const QString name = QString::fromUtf8(sqlite3_column_name(s, c));
                    if (idAt < 0 && name.compare("LogID", Qt::CaseInsensitive) == 0) idAt = c;
                    if (noteAt < 0 && name.compare("NoteField", Qt::CaseInsensitive) == 0)
                        noteAt = c;
                }
            if (Utf8Length(sqlite3_column_text(s, noteAt), sqlite3_column_bytes(s, noteAt)) >=
                LogTextPieceSize)
                longOnes << sqlite3_column_int64(s, idAt);
        }));
        pieces.forEachChunk(longOnes, [&](const QString& sql, const QVariantList& params) {
            engine.run(sql, params);
        });
        engine.run("COMMIT");
        return rows;
    }
};

Action listAction(const QString& name, const BuiltSelection& built, int sortIndex,
                  ListWindow window, bool guardSize) {
    ListRequest request;
    request.sortIndex = sortIndex;
    request.window = window;
    request.filter = built.filter;
    EngineList engine;
    const ListStatement list = ListQuery(request, g_desk->viewer, g_desk->useGuestId, Today);
    engine.list = engineSql(list.sql);
    engine.params = list.params;
    if (guardSize) {
        const ListStatement count = CountQuery(request, g_desk->viewer, Today);
        engine.count = engineSql(count.sql);
        engine.countParams = count.params;
    }
    return {name, [=] { return programList(request, guardSize); },
            [engine]() mutable { return engine(); }};
}

// Opening an entry: the entry with its text, then its history (the entry screen's grid).
Action openAction() {
    // Both sides open the same few dozen entries in turn, as a desk opens
    // entries of the list it has just read: their pages are in memory for
    // both.  Picks across the whole million measured reading pages from the
    // file instead, and favoured whichever side came second.
    auto picks = std::make_shared<std::vector<qint64>>();
    QRandomGenerator random(7);
    for (int i = 0; i < 48; ++i)
        picks->push_back(1 + random.bounded(EntryCount));
    auto ids = std::make_shared<size_t>(0), engineIds = std::make_shared<size_t>(0);
    const QString entry = engineSql(SelectEntrySql), pieces = engineSql(SelectPiecesSql),
                  history = engineSql(SelectHistorySql);
    return {"open an entry",
            [ids, picks] {
                LogbookStore store(*g_desk->ctx);
                const qint64 id = (*picks)[(*ids)++ % picks->size()];
                const auto e = store.GetTheLogEntry(id);
                const auto h = store.GetTheLogbookHistory(id);
                return size_t(e ? 1 : 0) + h.size();
            },
            [=] {
                EngineFloor& db = *g_desk->engine;
                const qint64 id = (*picks)[(*engineIds)++ % picks->size()];
                db.run("BEGIN");
                const int rows = db.run(entry, {id});
                db.run(pieces, {id});
                db.run("COMMIT");
                return size_t(rows + db.run(history, {id}));
            }};
}

// Saving an entry again: its row, its text pieces and a history row, one transaction.
// Each side saves an entry of its own, written once before the timings.
Action saveAction() {
    auto entry = std::make_shared<LogEntry>(newEntry());
    auto engineEntry = std::make_shared<LogEntry>(newEntry());
    LogbookStore store(*g_desk->ctx);
    store.InsertLogBook(*entry);
    store.InsertLogBook(*engineEntry);
    const QString category = engineSql(SelectCategorySql), update = engineSql(UpdateEntrySql),
                  history = engineSql(InsertHistorySql), drop = engineSql(DeletePiecesSql),
                  piece = engineSql(InsertPieceSql);
    return {"save an entry",
            [entry] {
                entry->text = Long(600);
                if (LogbookStore(*g_desk->ctx).UpdateLogBook(*entry, entry->cancelled) !=
                    SaveOutcome::Saved)
                    qFatal("the bench entry changed under the save");
                return size_t(1);
            },
            [=] {
                EngineFloor& db = *g_desk->engine;
                LogEntry& e = *engineEntry;
                const SplitText split = SplitLogText(StoredValue(Long(600)));
                db.run("BEGIN IMMEDIATE");
                db.run(category, {e.entryType});
                db.run(update, savedValues(e, split.noteField, Formats::StoredDate(Today)));
                if (sqlite3_changes(db.handle()) != 1)
                    qFatal("the engine's bench entry changed under the save");
                ++e.rowVersion;
                db.run(history, {e.logId, DeskInitials, "2026/03/14 10:00", ReasonUpdated});
                db.run(drop, {e.logId});
                int sequence = 0;
                for (const QString& p : LogTextPieces(split.overflow))
                    db.run(piece, {e.logId, ++sequence, p});
                db.run("COMMIT");
                return size_t(1);
            }};
}

// A new entry: the row (its key returned), its text pieces, one transaction.  The
// entry is deleted again after each run, so the lists keep their rows.
Action insertAction() {
    auto written = std::make_shared<qint64>(0);
    // The entry is deleted on the connection that wrote it: a deletion by
    // another connection makes the engine drop its map of the file before its
    // next read, a cost of the other desk's write, not of this action.
    auto byProgram = std::make_shared<bool>(false);
    const QString category = engineSql(SelectCategorySql), insert = engineSql(InsertEntrySql),
                  drop = engineSql(DeletePiecesSql), piece = engineSql(InsertPieceSql);
    return {"new entry",
            [written, byProgram] {
                LogEntry e = newEntry();
                *written = LogbookStore(*g_desk->ctx).InsertLogBook(e);
                *byProgram = true;
                return size_t(1);
            },
            [=] {
                EngineFloor& db = *g_desk->engine;
                *byProgram = false;
                const LogEntry e = newEntry();
                const SplitText split = SplitLogText(StoredValue(e.text));
                const QString today = Formats::StoredDate(Today);
                db.run(category, {e.entryType});
                db.run("BEGIN IMMEDIATE");
                db.run(insert,
                       {StoredValue(e.guestId),
                        StoredValue(e.firstName),
                        StoredValue(e.lastName),
                        e.profileId,
                        e.groupId,
                        e.contactId,
                        e.entryType,
                        StoredValue(e.notified),
                        e.referDate,
                        e.referTime,
                        e.arrivalDate,
                        e.departureDate,
                        StoredValue(e.roomNumber),
                        DeskName,
                        DeskInitials,
                        today,
                        today,
                        "10:00",
                        false,
                        false,
                        false,
                        false,
                        false,
                        split.noteField,
                        StoredValue(e.msgNotes),
                        e.openTableId,
                        StoredValue(e.encCC),
                        StoredValue(e.webResId),
                        e.webDnp},
                       [&](sqlite3_stmt* s) { *written = sqlite3_column_int64(s, 0); });
                db.run(drop, {*written});
                int sequence = 0;
                for (const QString& p : LogTextPieces(split.overflow))
                    db.run(piece, {*written, ++sequence, p});
                db.run("COMMIT");
                return size_t(1);
            },
            [written, byProgram] {
                const QStringList deletions = {
                    DeletePiecesSql, "DELETE FROM [LogbookHistory] WHERE [LogbookID] = ?",
                    "DELETE FROM [LogBook] WHERE [LogID] = ?"};
                if (*byProgram) {
                    Database& db = g_desk->ctx->db();
                    db.transaction([&] {
                        for (const QString& sql : deletions)
                            db.exec(sql, {*written});
                    });
                    return;
                }
                EngineFloor& db = *g_desk->engine;
                db.run("BEGIN IMMEDIATE");
                for (const QString& sql : deletions)
                    db.run(engineSql(sql), {*written});
                db.run("COMMIT");
            }};
}

std::vector<Action> actions() {
    std::vector<Action> out;
    for (const NamedLogbookSelection& n : LogbookSelections()) {
        const BuiltSelection built = BuildNamed(n, Engine::SQLite);
        if (!built.refusal.isEmpty())
            qFatal("%s: %s", qPrintable(n.name), qPrintable(built.refusal));
        out.push_back(listAction(n.name, built, n.selection.sortIndex, n.selection.window,
                                 n.guardSize));
    }
    out.push_back(openAction());
    out.push_back(saveAction());
    out.push_back(insertAction());
    return out;
}

// ------------------------------------------------------------------ set-up

QString dataFolder() {
    QString dir = qEnvironmentVariable("VELMORA_BENCH_DIR");
#ifdef VELMORA_BENCH_DATA
    if (dir.isEmpty()) dir = QStringLiteral(VELMORA_BENCH_DATA);
#endif
    if (dir.isEmpty()) dir = QDir::tempPath() + "/velmora-bench";
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

void openDesk(Desk& d) {
    const QString folder = dataFolder();
    d.property = PrepareProperty(folder, d.prompt);
    Workstation ws = Workstation::under(folder);
    ws.ensureFolders();
    d.ctx = std::make_unique<AppContext>(ws, d.prompt, d.clock);
    d.ctx->start.databaseFolder = d.property.databaseFolder;
    d.ctx->daily.wait = [](int) {};
    if (OpenDatabase(*d.ctx) != 0) qFatal("the bench database did not open");
    Database& db = d.db();
    Session& s = d.ctx->session;
    s.conciergeId =
        db.scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Initials] = ?", {DeskInitials})
            .toLongLong();
    s.name = DeskName;
    s.initials = DeskInitials;
    s.manager = false; // a desk member as most are: no reservation right
    d.viewerStatements = StatementTextsSent(db, [&] { d.viewer = LoadViewer(db, s); });
    d.settingStatements =
        StatementTextsSent(db, [&] { d.useGuestId = GetBooleanSetting(db, "UseGuestID"); });
    d.engine = std::make_unique<EngineFloor>(db.location().file);
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
    RemoveBenchWrites(desk.property);
    return 0;
}
