#include "OperationsData.h"

#include "demo/PropertyGenerator.h"
#include "platform/Database.h"

#include <QRandomGenerator>

namespace vm::bench {

void GenerateOperations(Database& db) {
    demo::OperationsSize size;
    size.lostAndFound = LostFoundCount;
    size.keys = KeyCount;
    size.keyEmployees = EmployeeCount;
    size.keyLoans = LoanCount;
    size.openLoans = OpenLoanCount;
    size.stuff = StuffCount;
    size.rentalLoansPerItem = RentalLoansPerItem;
    QRandomGenerator rng(20261207);
    demo::GenerateOperations(db, size, Today, rng);
}

} // namespace vm::bench
