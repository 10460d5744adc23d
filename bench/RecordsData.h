#pragma once
// A property's group and reservation records after ten years: the property
// generator's 2,000 groups over the decade and a year of reservation lists
// (two lists, tennis courts by the half hour and beach cabanas by the day),
// with what the generator leaves out: each group's meetings during its stay,
// and per list and day a wait list and the count of guests turned away.

#include "BenchData.h"

namespace vm {
class AppContext;
class Database;
} // namespace vm

namespace vm::bench {

constexpr int MeetingsPerGroup = 4;
constexpr int WaitListPerDay = 3; // per list
constexpr int RecordDays = 365;   // the reservation lists from today on

// Writes the generator's staff, groups and reservation lists into the empty
// current database of `ctx`, then AddRecordDetails.
void GenerateRecords(AppContext& ctx);

// The meetings of every group in `db` that has its dates, and the wait list
// and turned-away counts of every reservation list with bookings over
// RecordDays from Today; one transaction.
void AddRecordDetails(Database& db);

} // namespace vm::bench
