#pragma once
// Drills run workstations as child processes of the test program: the parent
// writes a plan (an INI file) and starts the program itself again with
// VELMORA_DRILL_PLAN naming it; before any test runs, the child looks up the
// plan's role, runs that role's loop and ends without running tests.  A child
// tells the parent what it did through a journal: one line per record, each
// written whole with one write(), so a child killed at any moment leaves only
// complete lines behind (a last line without its line end is ignored).

#include "core/AppContext.h"
#include "support/RecordingPrompt.h"

#include <QProcess>
#include <QSettings>
#include <QStringList>
#include <functional>
#include <memory>
#include <random>

namespace vm::test::drill {

// Seconds a timed drill runs (VELMORA_DRILL_SECONDS, else `fallback`).
int DrillSeconds(int fallback);
// Kills of the crash drill (VELMORA_DRILL_KILLS, else `fallback`).
int DrillKills(int fallback);
// The seed of a drill: VELMORA_DRILL_SEED when set (to replay a run), else `fallback`.
quint32 DrillSeed(quint32 fallback);

// A child's loop; its answer is the child's exit code.
using Role = std::function<int(QSettings& plan)>;
// Registers a role under `name` (at static initialisation); answers true.
bool RegisterRole(const QString& name, Role role);

// The plan a child reads: its role, the database and whatever the role needs.
class Plan {
public:
    // A plan file in `folder` for `role`, naming the database `db` is on.
    Plan(const QString& folder, const QString& role, const Database& db, const AppContext& ctx);
    void set(const QString& key, const QVariant& value) { m_ini->setValue(key, value); }
    // Writes the file; answers its path.
    QString save();
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QSettings> m_ini;
};

// A child process of this test program running `planFile`'s role.
class Child {
public:
    explicit Child(const QString& planFile);
    ~Child(); // a child still running is killed
    // SIGKILL, then waits for it to end.
    void kill();
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    // Waits up to `ms` for the child to end by itself; true when it ended with exit code 0.
    bool finish(int ms);
    QString output() const; // what it wrote to stderr (for failure messages)

private:
    QProcess m_process;
};

// Appends lines to a journal file, each in one write().
class Journal {
public:
    explicit Journal(const QString& path);
    ~Journal();
    void write(const QStringList& fields);

private:
    int m_fd = -1;
};
// The complete lines of a journal, split into their fields.
QList<QStringList> ReadJournal(const QString& path);
// Waits until the journal has the line `fields` (at most `ms`).
bool WaitForLine(const QString& path, const QStringList& fields, int ms);

// Journal fields carry any text (line ends, tabs) as base64.
QString Pack(const QString& text);
QString Unpack(const QString& field);

// A workstation of the child: its own connection to the plan's database, a
// recording prompt, the parent's clock and the member the plan names logged on.
struct ChildDesk {
    explicit ChildDesk(QSettings& plan);
    RecordingPrompt prompt;
    FixedClock clock;
    AppContext ctx;
};

// A text of random length and content for an entry: short, around one
// piece, or several pieces long, with line ends now and then.  It starts and
// ends with a letter so that nothing is trimmed from it when stored.
QString RandomEntryText(std::mt19937& rng);

} // namespace vm::test::drill
