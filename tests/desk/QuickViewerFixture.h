#pragma once
// A property with three desk members (two of them in the message group
// "Bell"), Ann logged on, and helpers for master tasks and a second desk on
// the same databases.

#include "core/Formats.h"
#include "desk/Messages.h"
#include "desk/QuickViewer.h"
#include "support/TestEnv.h"

#include <algorithm>

namespace vm::test {

// A master task as stored, written straight into the table: the matrix needs
// rows the screen would refuse (a monthly day 31) and rows of older releases.
struct MasterSeed {
    QString recurrence, description;
    QString taskDoW;
    int month = 0, day = 0;
    QString initials, group, time;
    QString category = "Front";
    int sequence = 10;
};

// Another workstation on the same databases: its own connection, prompt and clock.
struct OtherDesk {
    OtherDesk(const AppContext& first, const QString& computer, const QDateTime& now)
        : clock(now), ctx(first.workstation, prompt, clock) {
        ctx.workstation.computerName = computer;
        ctx.start = first.start;
        ctx.globals = first.globals;
        ctx.current = Database::open(first.db().location(), false);
    }
    RecordingPrompt prompt;
    FixedClock clock;
    AppContext ctx;
};

class QuickViewerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(8, 0)));
        ann = staff("Ann Desk", "AD", "Front");
        bo = staff("Bo Bell", "BB", "Bell");
        cy = staff("Cy Crew", "CC", "Front, Bell");
        env.logOn(ann);
    }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    qint64 staff(const QString& name, const QString& initials, const QString& groups) {
        const qint64 id = env.addStaff(name, initials.toLower(), initials);
        db().exec("UPDATE [Concierge] SET [MessageGroup] = ? WHERE [ConciergeID] = ?",
                  {groups, id});
        return id;
    }

    qint64 seed(const MasterSeed& m) {
        return db().insert("INSERT INTO [TaskMaster] ([Recurrence], [Category], [Description], "
                           "[Initials], [TaskDoW], [TaskMonth], [TaskDay], [Sequence], "
                           "[MessageGroup], [MessageTime]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           {m.recurrence, m.category, m.description, m.initials, m.taskDoW, m.month,
                            m.day, m.sequence, m.group, m.time},
                           "MasterID");
    }

    void setDay(const QDate& day, const QTime& at = QTime(8, 0)) {
        env.clock.set(QDateTime(day, at));
    }

    // Descriptions of a day's rows, sorted.
    QStringList tasksOf(const QDate& day) {
        QStringList out;
        for (const TaskStatusRow& t : GetTheTasks(ctx(), day))
            out << t.description;
        std::sort(out.begin(), out.end());
        return out;
    }

    int rows(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toInt();
    }

    // Every active message, oldest key first.
    QList<StaffMsg> messages() {
        QList<StaffMsg> all = GetMessages(ctx(), {});
        std::sort(all.begin(), all.end(),
                  [](const StaffMsg& a, const StaffMsg& b) { return a.timerId < b.timerId; });
        return all;
    }

    TestEnv env;
    qint64 ann = 0, bo = 0, cy = 0;
};

} // namespace vm::test
