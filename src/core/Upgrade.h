#pragma once
// Creation of a new database at the base level and the one-way upgrade ladder.

#include "core/AppContext.h"

#include <functional>

namespace vm {

struct UpgradeHooks {
    // Called before each ladder step (tests use it to interrupt a step).
    std::function<void(int level)> beforeStep;
};

// Levels of the ladder, ascending (81049 never existed).
const QList<int>& LadderLevels();

// Base schema, factory data and DBUpdateLevel = 81045 on an empty database.
void CreateBaseDatabase(Database& db, const Clock& clock);

// Runs every step above the stored level, each in its own transaction ending
// with UpdateDBLevel; then the three steps that run at every start.
void RunUpgradeLadder(AppContext& ctx, const UpgradeHooks& hooks = {});
void RunEveryStartSteps(AppContext& ctx);

void UpdateDBLevel(Database& db, int level);
int StoredLevel(Database& db);

// The legacy time-slot code of a logbook time → clock text ("" for 0).
QString ConvertReferTimeCode(const QString& stored);

} // namespace vm
