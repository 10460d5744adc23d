// A workstation killed at any moment of a save leaves every logbook entry
// whole or absent: a child saves entries (long texts over several pieces,
// updates with their history rows) in a loop and is killed with SIGKILL at
// seeded random moments; after each kill the database is checked against the
// child's journal of what each entry must hold.

#include "drills/DrillProcess.h"
#include "logbook/Categories.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <optional>

using namespace vm;
using namespace vm::test;
using namespace vm::test::drill;

namespace {

const QString CrashCategory = QStringLiteral("Drill Requests");

// What one entry holds once a save of it is complete.
struct EntryState {
    QString text;
    bool cancelled = false;
    QStringList history; // reasons, sorted
};

bool operator==(const EntryState& a, const EntryState& b) {
    return a.text == b.text && a.cancelled == b.cancelled && a.history == b.history;
}

// Journal:  I marker text            before a new entry is saved
//           i marker logId           once it is
//           U marker text cancelled  before an entry is rewritten
//           u marker                 once it is
//           S run                    the child is saving
int CrashChild(QSettings& plan) {
    ChildDesk desk(plan);
    LogbookStore store(desk.ctx);
    Journal journal(plan.value("journal").toString());
    std::mt19937 rng(plan.value("seed").toUInt());
    const QString run = plan.value("run").toString();
    std::vector<LogEntry> mine;
    journal.write({"S", run});
    for (int n = 1;; ++n) {
        if (mine.empty() || rng() % 3 != 0) {
            LogEntry e;
            e.lastName = QString("K%1n%2").arg(run).arg(n);
            e.firstName = "Pat";
            e.entryType = CrashCategory;
            e.referDate = "2026/03/14";
            e.referTime = "19:30";
            e.text = RandomEntryText(rng);
            journal.write({"I", e.lastName, Pack(e.text)});
            store.InsertLogBook(e);
            journal.write({"i", e.lastName, QString::number(e.logId)});
            mine.push_back(e);
            continue;
        }
        LogEntry e = mine[rng() % mine.size()];
        const bool wasCancelled = e.cancelled;
        e.text = RandomEntryText(rng);
        if (rng() % 4 == 0) e.cancelled = !e.cancelled;
        journal.write({"U", e.lastName, Pack(e.text), e.cancelled ? "1" : "0"});
        if (store.UpdateLogBook(e, wasCancelled) != SaveOutcome::Saved) {
            journal.write({"x", e.lastName}); // nobody else writes these entries
            return 5;
        }
        journal.write({"u", e.lastName});
        for (LogEntry& m : mine)
            if (m.logId == e.logId) m = e;
    }
}

[[maybe_unused]] const bool registered = RegisterRole("crash", CrashChild);

// The states the journal allows for each entry: the last complete one (none
// for an entry never completed) and the one of a save under way at the kill.
struct Expected {
    std::optional<EntryState> done;
    std::optional<EntryState> pending;
    qint64 logId = 0;
};

QHash<QString, Expected> ExpectedEntries(const QList<QStringList>& journal) {
    QHash<QString, Expected> out;
    for (const QStringList& f : journal) {
        const QString tag = f.value(0);
        Expected& x = out[f.value(1)];
        if (tag == "I") {
            x.pending = EntryState{Unpack(f.value(2)), false, {}};
        } else if (tag == "U" && x.done) {
            EntryState next = *x.done;
            next.text = Unpack(f.value(2));
            next.history << ReasonUpdated;
            const bool cancelled = f.value(3) == "1";
            if (cancelled != next.cancelled) next.history << (cancelled ? ReasonCancelled
                                                                        : ReasonReinstated);
            next.cancelled = cancelled;
            std::sort(next.history.begin(), next.history.end());
            x.pending = next;
        } else if (tag == "i" || tag == "u") {
            if (tag == "i") x.logId = f.value(2).toLongLong();
            x.done = x.pending;
            x.pending.reset();
        }
    }
    out.remove(QString()); // the "S" lines
    return out;
}

class DrillCrash : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(env.openOrFail());
        staffId = env.addStaff("Kim Drill", "kim", "KD");
        env.logOn(staffId);
        InsertCategory(env.db(), CrashCategory);
    }

    // The entry as stored, read the way the desk reads it; none when absent.
    std::optional<EntryState> stored(const QString& marker, QString& fault) {
        const auto ids = env.db().query("SELECT [LogID] FROM [LogBook] WHERE [LastName] = ?",
                                        {marker});
        if (ids.empty()) return std::nullopt;
        if (ids.size() > 1) fault = "stored twice";
        const qint64 id = ids.front().value(0).toLongLong();
        const auto e = LogbookStore(*env.ctx).GetTheLogEntry(id);
        if (!e) return std::nullopt;
        EntryState s{e->text, e->cancelled, {}};
        for (const HistoryRow& h : LogbookStore(*env.ctx).GetTheLogbookHistory(id))
            s.history << h.reason;
        std::sort(s.history.begin(), s.history.end());
        // Every piece holds its share of the text: none missing, none left over.
        const int pieces = env.db()
                               .scalar("SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {id})
                               .toInt();
        const int wanted = int(LogTextPieces(SplitLogText(e->text).overflow).size());
        if (pieces != wanted)
            fault = QString("%1 text pieces for a text of %2").arg(pieces).arg(wanted);
        return s;
    }

    // Faults of the database against the journal after a kill.
    QStringList check(const QString& journalFile, int& pendingAtKill, int& pendingWritten) {
        QStringList faults;
        if (env.db().engine() == Engine::SQLite) {
            const QString integrity = env.db().scalar("PRAGMA integrity_check").toString();
            if (integrity != "ok") faults << "integrity_check: " + integrity;
        }
        // No piece or history row outlives its entry.
        for (const char* table : {"LogText", "LogbookHistory"}) {
            const QString key = QString(table) == "LogText" ? "LogID" : "LogbookID";
            const int orphans = env.db()
                                    .scalar(QString("SELECT COUNT(*) FROM [%1] WHERE [%2] NOT IN "
                                                    "(SELECT [LogID] FROM [LogBook])")
                                                .arg(table, key))
                                    .toInt();
            if (orphans > 0) faults << QString("%1 rows of %2 without their entry").arg(orphans).arg(table);
        }
        const auto expected = ExpectedEntries(ReadJournal(journalFile));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QString fault;
            const std::optional<EntryState> now = stored(it.key(), fault);
            const Expected& x = it.value();
            if (x.pending) ++(now == x.pending ? pendingWritten : pendingAtKill);
            const bool allowed = now == x.done || (x.pending && now == x.pending);
            if (!allowed || !fault.isEmpty())
                faults << QString("%1: %2 (text %3 chars, %4 history rows)%5")
                              .arg(it.key(), now ? "stored differently" : "missing")
                              .arg(now ? now->text.size() : 0)
                              .arg(now ? now->history.size() : 0)
                              .arg(fault.isEmpty() ? QString() : " " + fault);
        }
        return faults;
    }

    TestEnv env;
    qint64 staffId = 0;
};

TEST_F(DrillCrash, EntriesKilledMidSaveAreWholeOrAbsent) {
    // What the child writes reads back the same way when nothing interrupts it.
    std::mt19937 probe(7);
    for (int i = 0; i < 6; ++i) {
        LogEntry e;
        e.lastName = QString("Probe%1").arg(i);
        e.entryType = CrashCategory;
        e.text = RandomEntryText(probe);
        LogbookStore(*env.ctx).InsertLogBook(e);
        ASSERT_EQ(LogbookStore(*env.ctx).GetTheLogEntry(e.logId)->text, e.text);
    }

    const int kills = DrillKills(10);
    std::mt19937 rng(DrillSeed(20261208));
    const QString journal = QDir(env.root()).filePath("crash-journal.txt");
    int pendingAtKill = 0, pendingWritten = 0, entries = 0;
    for (int run = 1; run <= kills; ++run) {
        Plan plan(env.root(), "crash", env.db(), *env.ctx);
        plan.set("journal", journal);
        plan.set("seed", quint32(rng()));
        plan.set("run", run);
        Child child(plan.save());
        ASSERT_TRUE(WaitForLine(journal, {"S", QString::number(run)}, 60000))
            << child.output().toStdString();
        QThread::msleep(5 + rng() % 250);
        ASSERT_TRUE(child.running()) << "the child stopped by itself:\n"
                                     << child.output().toStdString();
        child.kill();

        int pending = 0, written = 0;
        const QStringList faults = check(journal, pending, written);
        ASSERT_TRUE(faults.isEmpty()) << "after kill " << run << ":\n"
                                      << faults.mid(0, 8).join("\n").toStdString() << "\n"
                                      << child.output().toStdString();
        // Interrupted saves stay so: the last check counts them all.
        pendingAtKill = pending;
        pendingWritten = written;
        entries = int(ExpectedEntries(ReadJournal(journal)).size());
    }
    // The drill drilled: the child saved entries between kills.
    EXPECT_GT(entries, kills);
    std::printf("[ drill    ] %d kills, %d entries; of the saves under way at a kill %d were "
                "undone, %d had committed\n",
                kills, entries, pendingAtKill, pendingWritten);
}

} // namespace
