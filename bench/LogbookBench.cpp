// Logbook timings on 1,000,000 generated entries in a SQLite file: the list
// of the day, searches by guest name, opening one entry.  The same
// statements are then timed in the sqlite3 shell for comparison.
//
// The data file is kept between runs in $VELMORA_BENCH_DIR (default: the
// temporary folder, "velmora-bench") and generated only when missing.

#include "core/AppContext.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookSearch.h"
#include "logbook/LogbookStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace vm;

namespace {

constexpr int EntryCount = 1'000'000;
constexpr int Days = 3650; // ten years back from the fixed "today"
const QDate Today(2026, 3, 14);

class QuietPrompt : public Prompt {
public:
    void message(const QString& text, const QString&, Icon) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    Answer ask(const QString&, const QString&, Buttons, Icon, Answer a) override { return a; }
    std::optional<QString> input(const QString&, const QString&, const QString&, bool) override {
        return std::nullopt;
    }
};

struct Property {
    QuietPrompt prompt;
    FixedClock clock{QDateTime(Today, QTime(10, 0))};
    std::unique_ptr<AppContext> ctx;
    Viewer viewer;
    QString file;
    QString busyName; // a common last name
    QString rareName; // a name of few entries
};

Property* g_property = nullptr;

const char* const LastNames[] = {
    "Smith",    "Johnson", "Williams", "Brown",    "Jones",  "Garcia", "Miller",  "Davis",
    "Martinez", "Lopez",   "Wilson",   "Anderson", "Thomas", "Taylor", "Moore",   "Jackson",
    "Martin",   "Lee",     "Thompson", "White",    "Harris", "Clark",  "Lewis",   "Robinson",
    "Walker",   "Young",   "Allen",    "King",     "Wright", "Scott",  "O'Brien", "Nguyen",
    "Hill",     "Flores",  "Green",    "Adams",    "Nelson", "Baker"};
const char* const FirstNames[] = {"James",   "Mary",  "John",  "Patricia",  "Robert", "Jennifer",
                                  "Michael", "Linda", "David", "Elizabeth", "Anna",   "Luca"};

void generate(Property& p) {
    Database& db = p.ctx->db();
    QElapsedTimer timer;
    timer.start();
    QStringList categories;
    for (int i = 0; i < 40; ++i) {
        const QString name = QString("Category %1").arg(i + 1, 2, 10, QChar('0'));
        InsertCategory(db, name);
        categories << name;
    }
    QRandomGenerator rng(20260314);
    const QString words = "Dinner reservation confirmed with the restaurant, window table, guest "
                          "prefers quiet corner; car at seven, flowers to the room, call back. ";
    db.transaction([&] {
        QSqlQuery entry(db.handle());
        entry.prepare(db.translate(
            "INSERT INTO [LogBook] ([GuestID], [FirstName], [LastName], [ProfileID], [GroupID], "
            "[ContactID], [EntryType], [Notified], [ReferDate], [ReferTime], [ArrivalDate], "
            "[DepartureDate], [RoomNumber], [EnteredBy], [Initials], [UpdatedDate], [EntryDate], "
            "[EntryTime], [Restricted], [Complete], [Cancelled], [OnHold], [Pending], [NoteField], "
            "[MsgNotes], [OpenTableID], [EncCC], [WebResID], [WebDNP]) VALUES (?, ?, ?, 0, 0, 0, "
            "?, ' ', ?, ?, ?, ?, ?, 'Ann Desk', 'AD', ?, ?, ?, 0, ?, ?, 0, ?, ?, ' ', 0, ' ', ' ', "
            "0)"));
        QSqlQuery piece(db.handle());
        piece.prepare(db.translate(
            "INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)"));
        QSqlQuery history(db.handle());
        history.prepare(db.translate("INSERT INTO [LogbookHistory] ([LogbookID], [Initials], "
                                     "[LogDateTime], [Reason]) VALUES (?, 'AD', ?, ?)"));
        for (int i = 1; i <= EntryCount; ++i) {
            const int dayBack = int(rng.bounded(Days + 30)) - 30; // some are for the next month
            const QDate refer = Today.addDays(-dayBack);
            const QDate entered = refer.addDays(-int(rng.bounded(10)));
            const QString last =
                QString(LastNames[rng.bounded(int(std::size(LastNames)))]) +
                (rng.bounded(4) == 0 ? QString::number(rng.bounded(5000)) : QString());
            const int length =
                rng.bounded(5) == 0 ? 300 + int(rng.bounded(500)) : 40 + int(rng.bounded(200));
            QString text = words.repeated(length / words.size() + 1).left(length);
            const QString referDate = Formats::StoredDate(refer);
            entry.addBindValue(QString("G%1").arg(i));
            entry.addBindValue(QString(FirstNames[rng.bounded(int(std::size(FirstNames)))]));
            entry.addBindValue(last);
            entry.addBindValue(categories[rng.bounded(categories.size())]);
            entry.addBindValue(referDate);
            entry.addBindValue(QString("%1:%2")
                                   .arg(7 + rng.bounded(15), 2, 10, QChar('0'))
                                   .arg(rng.bounded(4) * 15, 2, 10, QChar('0')));
            entry.addBindValue(Formats::StoredDate(refer.addDays(-1)));
            entry.addBindValue(Formats::StoredDate(refer.addDays(3)));
            entry.addBindValue(QString::number(100 + rng.bounded(900)));
            entry.addBindValue(Formats::StoredDate(entered));
            entry.addBindValue(Formats::StoredDate(entered));
            entry.addBindValue(QString("%1:%2")
                                   .arg(rng.bounded(24), 2, 10, QChar('0'))
                                   .arg(rng.bounded(60), 2, 10, QChar('0')));
            entry.addBindValue(dayBack > 2 ? 1 : 0);
            entry.addBindValue(rng.bounded(40) == 0 ? 1 : 0);
            entry.addBindValue(dayBack <= 2 && rng.bounded(3) == 0 ? 1 : 0);
            entry.addBindValue(text.left(255));
            if (!entry.exec()) qFatal("insert failed");
            const qint64 id = entry.lastInsertId().toLongLong();
            int sequence = 0;
            for (qsizetype at = 255; at < text.size(); at += 255) {
                piece.addBindValue(id);
                piece.addBindValue(++sequence);
                piece.addBindValue(text.mid(at, 255));
                piece.exec();
            }
            if (i % 2 == 0) {
                history.addBindValue(id);
                history.addBindValue(Formats::StoredDate(entered) + " 12:00");
                history.addBindValue(ReasonUpdated);
                history.exec();
            }
        }
    });
    db.exec("ANALYZE");
    std::fprintf(stderr, "generated %d entries in %.1f s\n", EntryCount, timer.elapsed() / 1000.0);
}

void openProperty(Property& p) {
    QString dir = qEnvironmentVariable("VELMORA_BENCH_DIR");
    if (dir.isEmpty()) dir = QDir::tempPath() + "/velmora-bench";
    QDir().mkpath(dir + "/db");
    Workstation ws = Workstation::under(dir);
    ws.ensureFolders();
    p.ctx = std::make_unique<AppContext>(ws, p.prompt, p.clock);
    p.ctx->start.databaseFolder = dir + "/db/";
    p.ctx->daily.wait = [](int) {};
    if (OpenDatabase(*p.ctx) != 0) qFatal("the bench database did not open");
    Database& db = p.ctx->db();
    p.file = db.location().file;
    if (db.scalar("SELECT COUNT(*) FROM [LogBook]").toInt() < EntryCount) generate(p);
    // The desk member of the session: unrestricted, sees every category.
    auto id = db.scalar("SELECT [ConciergeID] FROM [Concierge] WHERE [Initials] = 'AD'");
    if (!id.isValid())
        id = db.insert(
            "INSERT INTO [Concierge] ([Concierge], [UserProfile], [Initials], [Status], "
            "[Authorized], [Restricted], [AllLogs]) VALUES ('Ann Desk', 'ann', 'AD', 'A', "
            "?, ?, ?)",
            {true, false, true}, "ConciergeID");
    Session& s = p.ctx->session;
    s.conciergeId = id.toLongLong();
    s.name = "Ann Desk";
    s.initials = "AD";
    s.manager = true;
    p.viewer = LoadViewer(db, s);
    p.busyName = "Garcia";
    p.rareName = "Nguyen471";
}

ListRequest request(const LogbookSelection& s) {
    ListRequest r;
    const BuiltSelection b = BuildLogbookSelection(s);
    r.filter = b.filter;
    r.sortIndex = s.sortIndex;
    r.window = s.window;
    return r;
}

void BM_ListOfTheDay(benchmark::State& state) {
    LogbookSelection s;
    s.by = SelectBy::ReferDate;
    s.from = Today;
    const ListRequest r = request(s);
    size_t rows = 0;
    for (auto _ : state)
        rows = GetTheLogEntries(*g_property->ctx, g_property->viewer, r).rows.size();
    state.counters["rows"] = double(rows);
}

// The list statement alone through Qt SQL, rows read but not turned into cells.
void BM_ListOfTheDayStatementOnly(benchmark::State& state) {
    Database& db = g_property->ctx->db();
    const QString sql = "SELECT [LogBook].*, [Profile].[ProfileType] FROM [LogBook] LEFT JOIN "
                        "[Profile] ON [LogBook].[ProfileID] = [Profile].[ProfileID] WHERE "
                        "([LogBook].[ReferDate] = ?) ORDER BY " +
                        OrderByClause(2, false);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        db.forEach(sql, {Formats::StoredDate(Today)}, [&](const Row&) { return ++rows > 0; });
    }
    state.counters["rows"] = rows;
}

void BM_SearchLastNameContains(benchmark::State& state) {
    LogbookSelection s;
    s.by = SelectBy::LastName;
    s.text = g_property->rareName;
    s.sortIndex = 0;
    const ListRequest r = request(s);
    size_t rows = 0;
    for (auto _ : state)
        rows = GetTheLogEntries(*g_property->ctx, g_property->viewer, r).rows.size();
    state.counters["rows"] = double(rows);
}

void BM_SearchLastFirstWithDate(benchmark::State& state) {
    // "Garcia, Mary" among the entries of one reference date range (a week).
    LogbookSelection s;
    s.by = SelectBy::ReferDate;
    s.from = Today.addDays(-3);
    s.through = Today.addDays(3);
    s.sortIndex = 0;
    ListRequest r = request(s);
    r.filter.clause += " AND [LogBook].[LastName] LIKE ? AND [LogBook].[FirstName] LIKE ?";
    r.filter.params << g_property->busyName + "%"
                    << "Mary%";
    size_t rows = 0;
    for (auto _ : state)
        rows = GetTheLogEntries(*g_property->ctx, g_property->viewer, r).rows.size();
    state.counters["rows"] = double(rows);
}

void BM_OpenEntry(benchmark::State& state) {
    LogbookStore store(*g_property->ctx);
    QRandomGenerator rng(7);
    for (auto _ : state) {
        const qint64 id = 1 + rng.bounded(EntryCount);
        auto e = store.GetTheLogEntry(id);
        auto h = store.GetTheLogbookHistory(id);
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(h);
    }
}

// Saving an entry again: the row, its text pieces and a history row in one transaction.
void BM_SaveEntry(benchmark::State& state) {
    LogbookStore store(*g_property->ctx);
    LogEntry e = *store.GetTheLogEntry(EntryCount / 2);
    for (auto _ : state) {
        e.text = QString("Saved again. ").repeated(40);
        if (store.UpdateLogBook(e, e.cancelled) != SaveOutcome::Saved)
            state.SkipWithError("the entry changed");
    }
}

BENCHMARK(BM_ListOfTheDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListOfTheDayStatementOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLastNameContains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLastFirstWithDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEntry)->Unit(benchmark::kMillisecond);

// The same statements in the sqlite3 shell (".timer on"), for comparison.
void compareWithShell(const Property& p) {
    const QString today = Formats::StoredDate(Today);
    const QString list = "SELECT LogBook.*, Profile.ProfileType FROM LogBook LEFT JOIN Profile ON "
                         "LogBook.ProfileID = Profile.ProfileID ";
    const QStringList statements = {
        list + "WHERE (LogBook.ReferDate = '" + today +
            "') ORDER BY LogBook.ReferDate, "
            "LogBook.ReferTime, LogBook.LastName, LogBook.FirstName;",
        // the program's statement: through the trigram table
        list + "WHERE (LogBook.LogID IN (SELECT rowid FROM LogBook_Search WHERE LastName LIKE '%" +
            p.rareName +
            "%')) ORDER BY LogBook.LastName, "
            "LogBook.FirstName;",
        list + "WHERE (LogBook.ReferDate >= '" + Formats::StoredDate(Today.addDays(-3)) +
            "' AND LogBook.ReferDate <= '" + Formats::StoredDate(Today.addDays(3)) +
            "' AND LogBook.LastName LIKE '" + p.busyName +
            "%' AND LogBook.FirstName LIKE 'Mary%') "
            "ORDER BY LogBook.LastName, LogBook.FirstName;",
        "SELECT * FROM LogBook WHERE LogID = 500000; SELECT NoteField FROM LogText WHERE LogID = "
        "500000 ORDER BY Sequence; SELECT LogDateTime, Initials, Reason FROM LogbookHistory WHERE "
        "LogbookID = 500000 ORDER BY LogDateTime DESC;"};
    const QStringList names = {"list of the day", "last name contains", "last, first in a week",
                               "open one entry"};
    std::printf("\nThe same statements in the sqlite3 shell (best of 5 runs):\n");
    for (int i = 0; i < statements.size(); ++i) {
        QString script = ".output /dev/null\n.timer on\n";
        for (int run = 0; run < 5; ++run)
            script += statements[i] + "\n";
        QProcess shell;
        shell.start("sqlite3", {p.file});
        if (!shell.waitForStarted(5000)) {
            std::printf("  sqlite3 is not installed\n");
            return;
        }
        shell.write(script.toUtf8());
        shell.closeWriteChannel();
        shell.waitForFinished(600000);
        // ".timer on" prints "Run Time: real 0.012 user ... sys ..." per statement.
        double best = 1e9;
        double sum = 0;
        int perRun = 0;
        int seen = 0;
        for (const QString& line :
             QString::fromUtf8(shell.readAllStandardOutput() + shell.readAllStandardError())
                 .split('\n')) {
            if (!line.startsWith("Run Time: real")) continue;
            sum += line.section(' ', 3, 3).toDouble();
            ++seen;
            perRun = int(statements[i].count(';'));
            if (seen % perRun == 0) {
                best = std::min(best, sum);
                sum = 0;
            }
        }
        std::printf("  %-24s %8.2f ms\n", qPrintable(names[i]), best * 1000.0);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Property property;
    g_property = &property;
    openProperty(property);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    compareWithShell(property);
    property.ctx.reset();
    return 0;
}
