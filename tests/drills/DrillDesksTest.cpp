// Four workstations at once on one database: each adds and edits logbook
// entries and books the same reservation cells and the same provider's times
// as the others for a while.  Afterwards nothing a desk was told is saved is
// missing, no cell or provider time is booked twice, no failure passed for
// success, and every edit of a shared entry either won or was told that the
// entry changed meanwhile.

#include "bookings/Reservations.h"
#include "bookings/TsBookings.h"
#include "bookings/TsSchedFixture.h"
#include "drills/DrillProcess.h"

#include <QDir>
#include <QDateTime>
#include <QHash>
#include <QThread>
#include <map>

using namespace vm;
using namespace vm::test;
using namespace vm::test::drill;

namespace {

constexpr int Desks = 4;
const QString DeskCategory = QStringLiteral("Drill Desk");
// The desks book the same day at the same time: a new one every quarter of a
// second from this Monday after their today, so slots keep being fought over.
const QDate FirstDay(2026, 3, 16);
constexpr int MsPerDay = 250;
const QString ResSlotTexts[] = {"09:00 AM", "09:30 AM", "10:00 AM", "10:30 AM"};
const QString TsTimes[] = {"09:00 AM", "09:30 AM", "10:00 AM", "11:00 AM"};

// Journal of a desk (fields after the tag):
//   E name logId      entry added          W logId version text   edit saved
//   C logId           edit met a newer save R name               cells booked
//   r                 cells already booked T timedServiceId       time booked
//   t                 time already booked  F what message        a failure reported
//   Z                 the desk ended its loop
int DeskChild(QSettings& plan) {
    ChildDesk desk(plan);
    AppContext& ctx = desk.ctx;
    LogbookStore store(ctx);
    Journal journal(plan.value("journal").toString());
    std::mt19937 rng(plan.value("seed").toUInt());
    const QString who = "D" + plan.value("desk").toString();
    QList<qint64> shared;
    for (const QString& id : plan.value("shared").toString().split(','))
        shared << id.toLongLong();
    const ResCategory courts = *GetResType(ctx, plan.value("resType").toLongLong());
    // Days change for every desk at the same instant; a desk that reaches the
    // change waits for it and books the new day's first slot with the others.
    const qint64 start = plan.value("start").toLongLong();
    const qint64 end = start + plan.value("seconds").toLongLong() * 1000;
    const auto now = [] { return QDateTime::currentMSecsSinceEpoch(); };
    while (now() < start)
        QThread::msleep(1);
    for (int n = 1; now() < end; ++n) {
        const QString name = QString("%1n%2").arg(who).arg(n);
        qint64 dayIndex = (now() - start) / MsPerDay;
        const qint64 change = start + (dayIndex + 1) * MsPerDay;
        const bool opening = change - now() < 40 && change < end;
        if (opening) {
            while (now() < change)
                QThread::usleep(200);
            ++dayIndex;
        }
        const QDate day = FirstDay.addDays(dayIndex);
        // At a day's opening every desk books: the reservation or the provider by turns.
        const unsigned op = opening ? 2 + unsigned(dayIndex % 2) : rng() % 4;
        try {
            if (op == 0) {
                LogEntry e;
                e.lastName = name;
                e.entryType = DeskCategory;
                e.referDate = Formats::StoredDate(day);
                e.text = RandomEntryText(rng);
                store.InsertLogBook(e);
                journal.write({"E", name, QString::number(e.logId)});
            } else if (op == 1) {
                const qint64 id = shared[qsizetype(rng() % shared.size())];
                LogEntry e = *store.GetTheLogEntry(id);
                e.text = QString("%1 edit %2 of entry %3").arg(who).arg(n).arg(id);
                QThread::usleep(rng() % 3000); // the desk types: other saves land meanwhile
                switch (store.UpdateLogBook(e, e.cancelled)) {
                case SaveOutcome::Saved:
                    journal.write({"W", QString::number(id), QString::number(e.rowVersion),
                                   Pack(e.text)});
                    break;
                case SaveOutcome::Changed:
                    journal.write({"C", QString::number(id)});
                    break;
                case SaveOutcome::Gone:
                    journal.write({"F", "edit", "the shared entry is gone"});
                    break;
                }
            } else if (op == 2) {
                ResBooking b;
                b.date = Formats::ShortDate(day);
                b.name = name;
                b.item = "Court 1";
                const int from = opening ? 0 : int(rng() % 4);
                b.fromSlot = ResSlotTexts[from];
                b.throughSlot = ResSlotTexts[std::min(3, from + int(rng() % 2))];
                const ResBookResult r = BookReservation(ctx, courts, b);
                if (r.status == ResBookStatus::Booked)
                    journal.write({"R", name});
                else if (r.message == MsgResSegmentBooked)
                    journal.write({"r"});
                else
                    journal.write({"F", "reservation", r.message});
            } else {
                TypedTsBooking t;
                t.referDate = Formats::ShortDate(day);
                t.categoryId = plan.value("tsCategory").toLongLong();
                t.serviceId = plan.value("tsService").toLongLong();
                t.providerId = plan.value("tsProvider").toLongLong();
                t.referTime = TsTimes[opening ? rng() % 2 : rng() % 4];
                t.lastName = name;
                t.firstName = "Pat";
                const TsSaveResult r = SaveTimedService(ctx, 0, t);
                if (r.saved)
                    journal.write({"T", QString::number(r.id)});
                else if (r.message == MsgTsTaken)
                    journal.write({"t"});
                else
                    journal.write({"F", "timed service", r.message});
            }
        } catch (const DbError& e) {
            journal.write({"F", QString("operation %1").arg(op), QString::fromUtf8(e.what())});
        }
    }
    journal.write({"Z"});
    return 0;
}

[[maybe_unused]] const bool registered = RegisterRole("desk", DeskChild);

class DrillDesks : public TsSchedFixture {
protected:
    void SetUp() override {
        TsSchedFixture::SetUp();
        category(DeskCategory);
        for (int i = 0; i < 3; ++i) {
            LogEntry e = entry(QString("Shared%1").arg(i), DeskCategory, "2026/03/16");
            shared << QString::number(add(e));
        }
        ResCategory c;
        c.category = "Drill Courts";
        c.kind = ResListKind::Timed;
        c.intervalIndex = 3; // 30 minutes
        c.availableFrom = "09:00 AM";
        c.availableThrough = "12:00 PM";
        c.dayOfWeek = "SunMonTueWedThuFriSat";
        ASSERT_EQ(CheckResType(c), "");
        resType = SaveResType(*env.ctx, c);
        ResItem court;
        court.itemName = "Court 1";
        SaveResItem(*env.ctx, c, court);
        tsCategory = serviceCategory("Spa");
        tsProvider = provider("Rita", week("1111111", "08:00", "18:00"));
        tsService = service("Massage", tsCategory, location("Room 1"), 60, 80);
    }

    QStringList shared;
    qint64 resType = 0, tsCategory = 0, tsProvider = 0, tsService = 0;
};

TEST_F(DrillDesks, FourDesksAddEditAndBookTheSameSlotsWithoutLossOrDoubles) {
    const int seconds = DrillSeconds(8);
    std::mt19937 rng(DrillSeed(4417));
    // The desks start together once all of them had time to open the database.
    const qint64 start = QDateTime::currentMSecsSinceEpoch() + 4000;
    std::vector<std::unique_ptr<Child>> children;
    QStringList journals;
    for (int d = 1; d <= Desks; ++d) {
        // A plan file of its own per desk, all of them for the desk role.
        Plan plan(env.root(), QString("desk%1").arg(d), env.db(), *env.ctx);
        plan.set("role", "desk");
        journals << QDir(env.root()).filePath(QString("desk%1-journal.txt").arg(d));
        plan.set("journal", journals.last());
        plan.set("desk", d);
        plan.set("seed", quint32(rng()));
        plan.set("seconds", seconds);
        plan.set("start", start);
        plan.set("shared", shared.join(','));
        plan.set("resType", resType);
        plan.set("tsCategory", tsCategory);
        plan.set("tsService", tsService);
        plan.set("tsProvider", tsProvider);
        children.push_back(std::make_unique<Child>(plan.save()));
    }
    for (int d = 0; d < Desks; ++d)
        ASSERT_TRUE(children[size_t(d)]->finish((seconds + 120) * 1000))
            << "desk " << d + 1 << ":\n" << children[size_t(d)]->output().toStdString();

    Database& db = env.db();
    QStringList faults;
    std::map<QString, int> tally;
    // version -> text of each winning edit, per shared entry
    QHash<qint64, std::map<qint64, QString>> wins;
    for (const QString& file : journals) {
        const QList<QStringList> lines = ReadJournal(file);
        if (lines.isEmpty() || lines.last().value(0) != "Z") faults << file + " did not end";
        for (const QStringList& f : lines) {
            const QString tag = f.value(0);
            ++tally[tag];
            if (tag == "E" &&
                db.scalar("SELECT COUNT(*) FROM [LogBook] WHERE [LogID] = ? AND [LastName] = ?",
                          {f.value(2).toLongLong(), f.value(1)})
                        .toInt() != 1)
                faults << "added entry missing: " + f.join(' ');
            if (tag == "R" &&
                db.scalar("SELECT COUNT(*) FROM [Reservation] WHERE [ReservationFor] = ?",
                          {f.value(1)})
                        .toInt() < 1)
                faults << "booked reservation missing: " + f.join(' ');
            if (tag == "T" && !GetTimedService(*env.ctx, f.value(1).toLongLong()))
                faults << "booked timed service missing: " + f.join(' ');
            if (tag == "W") {
                auto& versions = wins[f.value(1).toLongLong()];
                if (versions.count(f.value(2).toLongLong()))
                    faults << "two edits won version " + f.value(2) + " of entry " + f.value(1);
                versions[f.value(2).toLongLong()] = Unpack(f.value(3));
            }
            if (tag == "F") faults << "failure: " + f.mid(1).join(": ");
        }
    }

    // Each shared entry holds its last winning edit, and every win raised the version once.
    for (const QString& idText : shared) {
        const qint64 id = idText.toLongLong();
        const auto e = LogbookStore(*env.ctx).GetTheLogEntry(id);
        const auto& versions = wins[id];
        const qint64 last = versions.empty() ? 0 : versions.rbegin()->first;
        if (!e || e->rowVersion != qint64(versions.size()) || e->rowVersion != last ||
            (last > 0 && e->text != versions.rbegin()->second))
            faults << QString("shared entry %1: version %2, %3 wins up to %4")
                          .arg(id)
                          .arg(e ? e->rowVersion : -1)
                          .arg(versions.size())
                          .arg(last);
        const int history =
            db.scalar("SELECT COUNT(*) FROM [LogbookHistory] WHERE [LogbookID] = ?", {id}).toInt();
        if (history != int(versions.size()))
            faults << QString("shared entry %1: %2 history rows for %3 saves")
                          .arg(id)
                          .arg(history)
                          .arg(versions.size());
    }

    // No reservation cell holds two bookings.
    for (const Row& r : db.query("SELECT [ReservationDate], [AvailableHere], COUNT(*) AS n FROM "
                                 "[Reservation] WHERE [ResTypeID] = ? GROUP BY [ReservationDate], "
                                 "[ListItem], [AvailableHere] HAVING COUNT(*) > 1",
                                 {resType}))
        faults << "cell booked twice: " + r.text(0) + " " + r.text(1);
    // No two of the provider's services overlap.
    std::map<QString, std::vector<std::pair<int, int>>> byDay;
    for (const Row& r : db.query("SELECT [ReferDate], [ReferTime], [Duration] FROM "
                                 "[TimedService] WHERE [ProviderID] = ?",
                                 {tsProvider})) {
        const int start = SlotMinute(r.text(1));
        byDay[r.text(0)].push_back({start, start + r.value(2).toInt()});
    }
    for (auto& [day, times] : byDay) {
        std::sort(times.begin(), times.end());
        for (size_t i = 1; i < times.size(); ++i)
            if (times[i].first < times[i - 1].second)
                faults << QString("provider booked twice on %1 at %2").arg(day).arg(times[i].first);
    }

    EXPECT_TRUE(faults.isEmpty()) << faults.mid(0, 12).join("\n").toStdString();
    // The desks really met: edits were told of newer saves and bookings of taken slots.
    EXPECT_GT(tally["C"], 0);
    EXPECT_GT(tally["r"] + tally["t"], 0);
    std::printf("[ drill    ] %d s: %d added, %d edits won, %d edits met a newer save, "
                "%d/%d reservations booked/taken, %d/%d services booked/taken, %d failures\n",
                seconds, tally["E"], tally["W"], tally["C"], tally["R"], tally["r"], tally["T"],
                tally["t"], tally["F"]);
}

} // namespace
