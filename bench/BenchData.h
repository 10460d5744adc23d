#pragma once
// The bench property: a hotel after ten years at the desk, 1,000,000 logbook
// entries with their text pieces and history, 200,000 guest profiles.
//
// Generating it takes a minute or two, so the database is kept in the data
// folder and used again while the program's schema (as a new database is
// created today) and the generator are the ones it was made with; otherwise
// it is generated anew.

#include "EngineFloor.h"
#include "core/AppContext.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

namespace vm::bench {

inline constexpr int EntryCount = 1'000'000;
inline constexpr int ProfileCount = 200'000;
inline constexpr int Days = 3653; // ten years up to and including "today"
inline const QDate Today(2026, 3, 14);

// The member the benchmarks work as (unrestricted, every category).
inline const QString DeskName = QStringLiteral("Ann Desk");
inline const QString DeskInitials = QStringLiteral("AD");

struct BenchProperty {
    QString databaseFolder;     // ends with '/'
    qint64 lastGeneratedId = 0; // entries above it were written by a benchmark
};

// Opens the property kept under `dataFolder`, generating it first when it is
// missing or was made for another schema.  Leftovers of an interrupted run
// (entries the benchmarks wrote) are removed.
BenchProperty PrepareProperty(const QString& dataFolder, Prompt& prompt);

// Deletes what the benchmarks wrote: entries above `lastGeneratedId` with
// their history and text.
void RemoveBenchWrites(const BenchProperty& p);

// A prompt that answers every question with its default and prints messages.
class QuietPrompt : public Prompt {
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    Answer ask(const QString&, const QString&, Buttons, Icon, Answer byDefault) override {
        return byDefault;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&, bool) override {
        return std::nullopt;
    }
};

// A property made afresh in a temporary folder, for benches whose data takes
// seconds to generate: the program's context and the engine floor on the
// same database file.
struct ScratchDesk {
    QuietPrompt prompt;
    FixedClock clock{QDateTime(Today, QTime(10, 0))};
    QTemporaryDir folder;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<EngineFloor> engine;
};

// Opens the empty property, lets `generate` fill the database `store` picks
// (the current, contacts' or events' one), gathers the statistics and opens
// the engine floor on that file.
void OpenScratchDesk(ScratchDesk& d, const std::function<Database&(AppContext&)>& store,
                     const std::function<void(Database&)>& generate);

} // namespace vm::bench
