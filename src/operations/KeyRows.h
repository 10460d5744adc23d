#pragma once
// Shared by the key-control store files: reading rows into records and
// finding keys and employees by their numbers.

#include "operations/KeyControl.h"
#include "platform/Row.h"

namespace vm::keys {

// KeyMaster with the borrower's name and title (null while the key is in), in
// the order keyFromRow reads them.
inline const QString SelectKeys = QStringLiteral(
    "SELECT [KeyMaster].[KeyMasterID], [KeyMaster].[KeyNumber], [KeyMaster].[KeyGroupName], "
    "[KeyMaster].[Description], [KeyMaster].[OutDuration], [KeyMaster].[OutHoursDays], "
    "[KeyMaster].[KeyStatus], [KeyMaster].[DateTimeOut], [KeyMaster].[DateTimeDue], "
    "[KeyMaster].[KeyEmployeeID], [KeyEmployee].[EmployeeName], [KeyEmployee].[JobTitle] "
    "FROM [KeyMaster] LEFT JOIN [KeyEmployee] ON [KeyEmployee].[KeyEmployeeID] = "
    "[KeyMaster].[KeyEmployeeID] AND [KeyMaster].[KeyStatus] = 'O' ");
inline const QString KeyOrder = QStringLiteral(
    " ORDER BY [KeyMaster].[KeyGroupName], [KeyMaster].[KeyNumber], [KeyMaster].[KeyMasterID]");

// KeyEmployee in the order employeeFromRow reads it.
inline const QString SelectEmployees = QStringLiteral(
    "SELECT [KeyEmployeeID], [EmployeeName], [EmployeeNumber], [JobTitle] FROM [KeyEmployee] ");

// KeyHistory with its key and employee (either may be missing on old data),
// in the order loanFromRow reads them.
inline const QString SelectLoans = QStringLiteral(
    "SELECT [KeyHistory].[KeyHistoryID], [KeyHistory].[KeyEmployeeID], "
    "[KeyHistory].[KeyMasterID], [KeyHistory].[KeyStatus], [KeyHistory].[DateTimeOut], "
    "[KeyHistory].[DateTimeDue], [KeyHistory].[DateTimeBack], [KeyHistory].[MinutesFromDue], "
    "[KeyMaster].[KeyGroupName], [KeyMaster].[KeyNumber], [KeyMaster].[Description], "
    "[KeyEmployee].[EmployeeName], [KeyEmployee].[JobTitle] FROM [KeyHistory] "
    "LEFT JOIN [KeyMaster] ON [KeyMaster].[KeyMasterID] = [KeyHistory].[KeyMasterID] "
    "LEFT JOIN [KeyEmployee] ON [KeyEmployee].[KeyEmployeeID] = [KeyHistory].[KeyEmployeeID] ");

// Rows of SelectKeys, SelectEmployees and SelectLoans.
KeyRecord keyFromRow(const Row& r);
KeyEmployeeRecord employeeFromRow(const Row& r);
KeyLoanRow loanFromRow(const Row& r);
std::vector<KeyRecord> keyList(Database& db, const QString& where, const QVariantList& params,
                               const QString& order = KeyOrder);
std::vector<KeyLoanRow> loanList(Database& db, const QString& where, const QVariantList& params,
                                 const QString& order);

// The stored form of a typed number ("" when nothing is left of it).
QString storedNumber(const QString& typed, bool removeZeros);
// The row of the key or employee whose stored number is `number` (already in
// its stored form), other than `exceptId`.  With `removeZeros` a number
// stored with leading zeros before the setting was on is found too.  0 when
// there is none.
qint64 findKeyId(Database& db, const QString& number, bool removeZeros, qint64 exceptId = 0);
qint64 findEmployeeId(Database& db, const QString& number, bool removeZeros,
                      qint64 exceptId = 0);

} // namespace vm::keys
