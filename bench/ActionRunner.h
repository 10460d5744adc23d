#pragma once
// Runs a bench's actions twice each, as the program does them and as the
// engine floor does the same statements, and checks (with the engine's
// statement trace, once per action and side) that every statement of the
// floor is one the program ran.  RatioReporter prints the table.

#include "RatioReporter.h"

#include <QString>
#include <functional>
#include <vector>

struct sqlite3;

namespace vm {
class AppContext;
class Database;
}

namespace vm::bench {

class EngineFloor;

struct Action {
    QString name;
    std::function<size_t()> program; // answers the rows the action lists
    std::function<size_t()> engine;
    std::function<void()> afterEach{}; // untimed: undoes what one run wrote
};

// Registers every action with `reporter` and google-benchmark; `programHandle`
// answers the program's own connection, `engineHandle` the floor's (both empty:
// nothing is traced, as on a server, where the floor's statements are the
// program's by construction).
void RegisterActions(const std::vector<Action>& actions, RatioReporter& reporter,
                     std::function<sqlite3*()> programHandle,
                     std::function<sqlite3*()> engineHandle);

// What the two sides ran for an action ("program/engine" statement counts),
// or the floor's statement the program did not run.
QString SameSql(const QString& action);

// The sqlite3 handle under one of the program's own connections.
sqlite3* ProgramHandle(Database& db);

// The statements `work` runs on the program's connection, in order, each with
// its values written in (the engine's expansion of the bound statement).
QStringList StatementsSent(Database& db, const std::function<void()>& work);
// The same, each as the program wrote it ("?" where a value goes).
QStringList StatementTextsSent(Database& db, const std::function<void()>& work);

// An action whose engine side replays, on `engine`, every statement the
// program ran in one untimed run (with its values written in); `undo` then
// removes what that run wrote, and runs after each timed run as well.
Action ReplayedAction(const QString& name, std::function<size_t()> program, AppContext& ctx,
                      EngineFloor& engine, std::function<void()> undo = {});
// An action's program side alone, for benches that put different floors beside
// it (the SQLite benches replay it, the server bench too, through libpq).
struct ProgramAction {
    QString name;
    std::function<size_t()> run;  // answers the rows the action lists
    std::function<void()> undo{}; // removes what one run wrote
};
// ReplayedAction for each of `actions`, appended to `all`.
void AddReplayed(std::vector<Action>& all, const std::vector<ProgramAction>& actions,
                 AppContext& ctx, EngineFloor& engine);
// "n statements": how many statements the engine side of a replayed action runs.
QString ReplayedStatements(const QString& action);

// A bench on a property made afresh in a temporary folder (OpenScratchDesk, the
// current database), working as the bench's desk member: `generate` fills the
// property, `actions` lists what is timed (each replayed on the engine floor),
// `after` runs once the table is printed.
void RunScratchBench(int argc, char** argv, const std::function<void(AppContext&)>& generate,
                     const std::function<std::vector<ProgramAction>(AppContext&)>& actions,
                     const std::function<void(AppContext&)>& after = {});

// Initialises google-benchmark (program and engine runs interleaved, so a busy
// moment of the machine hurts both alike), runs everything registered and
// prints the table.  `note` gives the table's last column per action (by
// default SameSql's statement counts).
void RunActions(int argc, char** argv, const std::function<void(RatioReporter&)>& registerAll,
                std::function<QString(const QString&)> note = SameSql);

} // namespace vm::bench
