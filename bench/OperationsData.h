#pragma once
// A property's operations after ten years: 100,000 lost-and-found records
// (the newest tenth still open), 5,000 keys lent 200,000 times to 500
// employees, 3,000 rental and stock items with a loan history.

#include "BenchData.h"

namespace vm {
class Database;
}

namespace vm::bench {

constexpr int LostFoundCount = 100'000;
constexpr int KeyCount = 5'000;
constexpr int EmployeeCount = 500;
constexpr int LoanCount = 200'000;
constexpr int OpenLoanCount = 40;
constexpr int StuffCount = 3'000;
constexpr int RentalLoansPerItem = 25;
inline const QDate OperationsFirstDay = Today.addYears(-10);

void GenerateOperations(Database& db);

} // namespace vm::bench
