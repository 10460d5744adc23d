#pragma once
// Key control: keys and key sets lent to employees and taken back, the key
// and employee lists, who may borrow which key, the loan history with its
// searches, reports and purge, and the import of both lists from files.
// All of it in the current database; engine failures raise DbError and the
// screen that started the work reports them.
//
// A key's lending state never disagrees with its history: a check-out or a
// check-in changes the key and its history row in one transaction, and a
// check-out wins only if the key is still in when it is written (two desks
// lending the same key: one gets it, the other is told it is gone).
//
// Timestamps are stored "yyyy/MM/dd HH:mm" (24-hour, zero-padded) and compare
// as text; a loan's DateTimeBack stays NULL while the key is out.

#include "core/AppContext.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

// One key or key set (KeyMaster).  For a key that is out, the borrower's name
// and job title are filled where a list joins them (keys out, check-in).
struct KeyRecord {
    qint64 id = 0; // KeyMasterID; 0 = not saved yet
    QString keyNumber;
    QString groupName;
    QString description;
    int outDuration = 0;
    QString outHoursDays; // "Hours" or "Days"
    QString status;       // "I" in, "O" out
    QString dateTimeOut;  // current loan, "" when in
    QString dateTimeDue;
    qint64 employeeId = 0; // borrower, 0 when in
    QString employeeName, jobTitle;

    bool isOut() const { return status == QLatin1String("O"); }
    // "Group: Description", as the check-out and check-in fields show a key.
    QString caption() const { return groupName + ": " + description; }
};

// One employee (KeyEmployee).
struct KeyEmployeeRecord {
    qint64 id = 0; // KeyEmployeeID; 0 = not saved yet
    QString name;
    QString number;
    QString jobTitle;
};

// One loan (KeyHistory) with the key and the employee it joins.
struct KeyLoanRow {
    qint64 historyId = 0;
    qint64 keyId = 0;
    qint64 employeeId = 0;
    QString status; // "O" while out, "I" once back
    QString dateTimeOut, dateTimeDue;
    QString dateTimeBack;    // "" while out
    int minutesFromDue = 0;  // + late, - early; meaningful once back
    QString groupName, keyNumber, description;
    QString employeeName, jobTitle;

    bool returned() const { return !dateTimeBack.isEmpty(); }
};

// ---- Numbers ---------------------------------------------------------------

// The "RemoveKeyEmpZeros" key/value setting (check box chkRemoveZeros).
bool KeyRemoveZeros(AppContext& ctx);
void SetKeyRemoveZeros(AppContext& ctx, bool on);
// A typed or scanned key or employee number as it is stored and looked up:
// trimmed, and with `removeZeros` every leading "0" dropped ("000123" -> "123").
QString NormaliseKeyNumber(const QString& typed, bool removeZeros);
// The same with the database's setting.
QString NormaliseKeyNumber(AppContext& ctx, const QString& typed);

// ---- Time ------------------------------------------------------------------

// Due time of a loan that starts `now`: plain wall-clock arithmetic (22:30 +
// 4 hours = 02:30 the next day), whole minutes.  `hoursDays` "Hours" counts
// hours; anything else days.
QDateTime KeyDueTime(const QDateTime& now, int duration, const QString& hoursDays);
// Whole minutes from `due` to `back` by the minute boundaries crossed:
// positive when late, negative when early.
int KeyMinutesFromDue(const QDateTime& due, const QDateTime& back);

// ---- Look-ups (check-out and check-in fields) ------------------------------

enum class KeyLendMode { CheckOut, CheckIn };

// The employee by number (normalised first); nullopt when there is none.
std::optional<KeyEmployeeRecord> KeyCheckEmployeeNumber(AppContext& ctx, const QString& typed);

// What the key number field shows after leaving it.
struct KeyNumberCheck {
    std::optional<KeyRecord> key; // found in the wanted status (even when not available)
    bool available = false;       // may be checked out / in by this employee now
    // Field texts: not found -> kKeyNumberInvalid + kKeyOrCheckedOut / kKeyOrNotCheckedOut;
    // check-out without an assignment -> key caption + kKeyNotAvailable; found -> caption + "".
    QString line1, line2;
    // Why the key cannot be lent / taken back by this employee ("" when it can):
    // kKeyNotAvailableBy / kKeyNotCheckedOutBy + the employee's name.
    QString refusal;
};
// The key by number in status "I" (check-out) or "O" (check-in); for
// check-out the key must also be assigned to `employeeId`.
KeyNumberCheck KeyCheckKeyNumber(AppContext& ctx, const QString& typed, KeyLendMode mode,
                                 qint64 employeeId);

// ---- Lending -----------------------------------------------------------------

struct KeyLendResult {
    bool done = false;
    QString message;     // the refusal when not done
    QString dateTimeOut; // the loan's times ("yyyy/MM/dd HH:mm")
    QString dateTimeDue;
    QString dateTimeBack;   // check-in
    int minutesFromDue = 0; // check-in
};
// Lends the key to the employee at ctx.clock() now, in one transaction: the
// key must still be in (conditional update) and assigned to the employee; the
// history row is opened with it.  Refusals: kKeyNotAvailableBy + name, or
// kKeyAlreadyOut when another desk lent it first.
KeyLendResult KeyCheckOut(AppContext& ctx, qint64 keyId, qint64 employeeId);
// Takes the key back at ctx.clock() now, in one transaction: the key must be
// out to this employee; its open history row is closed with the time back
// and the minutes from due.  Refusal: kKeyNotCheckedOutBy + name.
KeyLendResult KeyCheckIn(AppContext& ctx, qint64 keyId, qint64 employeeId);

// ---- Keys --------------------------------------------------------------------

// Every key, by group then number (with the borrower of keys that are out).
std::vector<KeyRecord> KeyGetAllKeys(AppContext& ctx);
std::optional<KeyRecord> KeyGetKey(AppContext& ctx, qint64 keyId);
// The keys of one group, by number ("Add" in the assignment window).
std::vector<KeyRecord> KeyGetKeysInGroup(AppContext& ctx, const QString& groupName);
// The first refusal of a key as typed, in the screen's order; "" when it may be saved.
QString KeyCheckKey(const KeyRecord& k);
// Insert (status "I") / update (group, description, duration, unit; the number
// is not changed).  "" when saved, else the refusal (checks, kKeyNumberNotUnique).
// The number is stored normalised.
QString KeyInsertKey(AppContext& ctx, KeyRecord& k);
QString KeyUpdateKey(AppContext& ctx, const KeyRecord& k);
// Deletes the key and its assignments in one transaction; "" when deleted,
// else the history refusal (KeyHistoryAttachedMessage).
QString KeyDeleteKey(AppContext& ctx, qint64 keyId);
QString GetKeyGroupName(AppContext& ctx, qint64 keyId);
QString GetKeyNumber(AppContext& ctx, qint64 keyId);

// ---- Employees -------------------------------------------------------------------

// Every employee, by name.
std::vector<KeyEmployeeRecord> KeyGetAllEmployees(AppContext& ctx);
std::optional<KeyEmployeeRecord> KeyGetEmployee(AppContext& ctx, qint64 employeeId);
// The first refusal of an employee as typed, in the screen's order; "" when it may be saved.
QString KeyCheckEmployee(const KeyEmployeeRecord& e);
// "" when saved, else the refusal (checks, kKeyEmployeeNumberNotUnique).
// The number is stored normalised.
QString KeyInsertEmployee(AppContext& ctx, KeyEmployeeRecord& e);
QString KeyUpdateEmployee(AppContext& ctx, const KeyEmployeeRecord& e);
// Deletes the employee and the assignments in one transaction; "" when
// deleted, else the history refusal.
QString KeyDeleteEmployee(AppContext& ctx, qint64 employeeId);

// ---- Assignments -------------------------------------------------------------

// The keys assigned to the employee, by group then number; `status` "I" or "O"
// narrows them, "" gives all.
std::vector<KeyRecord> KeyGetAssigned(AppContext& ctx, qint64 employeeId,
                                      const QString& status = {});
// The employee's assigned keys (all statuses), by group then number.
std::vector<KeyRecord> KeyGetAssignedKeys(AppContext& ctx, qint64 employeeId);
// The keys out to the employee now (grdKeysOut), by time out.
std::vector<KeyRecord> KeyGetKeysOutTo(AppContext& ctx, qint64 employeeId);
// Replaces the employee's assignments with `keyIds` in one transaction;
// repeated ids are written once.
void KeySaveAssignments(AppContext& ctx, qint64 employeeId, const std::vector<qint64>& keyIds);

// ---- Due and overdue, reports ------------------------------------------------

// Open loans due before `now`, by due time (the overdue list).
std::vector<KeyLoanRow> KeyGetDueOverDue(AppContext& ctx, const QDateTime& now);
// Keys out (with the borrower), keys in, all keys; each by group then number.
std::vector<KeyRecord> KeyKeyReport1(AppContext& ctx);
std::vector<KeyRecord> KeyKeyReport2(AppContext& ctx);
std::vector<KeyRecord> KeyKeyReport3(AppContext& ctx);

// ---- Activity search -----------------------------------------------------------

// The first refusal of the search as typed ("" when it may run): a key or an
// employee chosen, then the typed short dates (either may be empty; a through
// date needs a starting date).
QString KeyCheckActivitySearch(bool subjectChosen, const QString& fromText,
                               const QString& throughText);
// Loans by time out; an invalid `from`/`through` leaves that end open
// (through is inclusive of the whole day).
std::vector<KeyLoanRow> KeyActivityReport1(AppContext& ctx, qint64 employeeId, const QDate& from,
                                           const QDate& through); // by employee
std::vector<KeyLoanRow> KeyActivityReport2(AppContext& ctx, qint64 keyId, const QDate& from,
                                           const QDate& through); // by key

// Writes `rows` under `headings` to `fileName` in the output folder; answers
// the message to show: `emptyMessage` when there are no rows, else the
// created / could-not-write message.
QString KeyExportCsv(AppContext& ctx, const QString& fileName, const QStringList& headings,
                     const std::vector<QStringList>& rows, const QString& emptyMessage);

// ---- History purge ---------------------------------------------------------------

// The first refusal of the typed purge date ("" when it may be used): empty or
// invalid, or later than `today`.
QString KeyCheckPurgeDate(const QString& typed, const QDate& today);
// "Do you wish to delete ALL Key History entries prior to MM/DD/YYYY".
QString KeyPurgeQuestion(const QDate& before);
// The loans the purge of `before` removes: returned, and due before that day;
// by due time.  Open loans are never among them.
std::vector<KeyLoanRow> KeyActivityReportD(AppContext& ctx, const QDate& before);
struct KeyPurgeResult {
    bool done = false;
    int deleted = 0;
    QString csvPath;
    QString message; // to show: nothing to export, could not write, or deleted
};
// Exports the rows of KeyActivityReportD to "DeletedKeyHistory.csv" in the
// output folder and deletes exactly those rows; when the file cannot be
// written nothing is deleted.  Ask KeyPurgeQuestion first.
KeyPurgeResult PurgeKeyHistory(AppContext& ctx, const QDate& before);
inline const QString kKeyPurgeFileName = QStringLiteral("DeletedKeyHistory.csv");

// ---- Delete guards -------------------------------------------------------------

// The latest DateTimeOut of the employee's / key's history; "" when none.
QString GetLastKeyOutByEmployee(AppContext& ctx, qint64 employeeId);
QString GetLastKeyOutByKey(AppContext& ctx, qint64 keyId);
// The four-line refusal for deleting a key or employee that has history.
QString KeyHistoryAttachedMessage(bool forKey, const QString& lastOut);

// ---- Import --------------------------------------------------------------------

struct KeyImportResult {
    bool done = false;
    int imported = 0;
    QString message; // the refusal when not done (missing file, line report)
};
// Imports "EmployeeList.csv" / "KeyList.csv" (`path` "" = from the output
// folder).  Every line is checked first; any bad line is reported by its
// line number (physical lines from 1, heading included) and nothing is
// written.  Then all lines are inserted in one transaction; key groups not
// yet in the "KeyGroup" list are added to it.
KeyImportResult KeyImportEmployees(AppContext& ctx, const QString& path = {});
KeyImportResult KeyImportKeys(AppContext& ctx, const QString& path = {});
inline const QString kKeyEmployeeFileName = QStringLiteral("EmployeeList.csv");
inline const QString kKeyListFileName = QStringLiteral("KeyList.csv");

// ---- Texts ---------------------------------------------------------------------

inline const QString kKeyNumberInvalid = QStringLiteral("Key Number is Invalid");
inline const QString kKeyOrCheckedOut = QStringLiteral("OR: Key is Checked Out");
inline const QString kKeyOrNotCheckedOut = QStringLiteral("OR: Key is Not Checked Out");
inline const QString kKeyNotAvailable = QStringLiteral("Not Available for Checkout");
inline const QString kKeyNotAvailableBy =
    QStringLiteral("This key is not available for Check Out by "); // + employee name
inline const QString kKeyNotCheckedOutBy =
    QStringLiteral("This key is not Checked Out by "); // + employee name
inline const QString kKeyAlreadyOut = QStringLiteral(
    "This key has just been Checked Out at another workstation.  Please check the Key Number.  "
    "Thank you.");
inline const QString kKeyNotAuthorizedTab =
    QStringLiteral("You are not authorized to access this tab.");

inline const QString kKeySelectGroup = QStringLiteral("Please select the Key Group.  Thank you.");
inline const QString kKeyEnterNumber =
    QStringLiteral("Please enter the Key (or Key Set) Number.  Thank you.");
inline const QString kKeyEnterDescription =
    QStringLiteral("Please enter the Key (or Key Set) Description.  Thank you.");
inline const QString kKeyEnterDuration = QStringLiteral(
    "Please enter the number of Hours or Days to elapse before this Key (or Key Set) is due "
    "back.  Thank you.");
inline const QString kKeyNumberNotUnique = QStringLiteral(
    "The Key Number must be unique.  This Key Number already exists in your Key List.");
inline const QString kKeyEnterEmployeeName =
    QStringLiteral("Please enter the Employee Name.  Thank you.");
inline const QString kKeyEnterEmployeeNumber =
    QStringLiteral("Please enter the Employee Number.  Thank you.");
inline const QString kKeyEnterJobTitle = QStringLiteral("Please enter the Job Title.  Thank you.");
inline const QString kKeyEmployeeNumberNotUnique =
    QStringLiteral("The Employee Number must be unique.  This Employee Number already exists in "
                   "your Employee List.");

inline const QString kKeySelectGroupToAdd =
    QStringLiteral("Please select the Key Group to Add.  Thank you.");
inline const QString kKeySelectEmployee = QStringLiteral("Please select an Employee.  Thank you.");

inline const QString kKeySelectKeyOrEmployee =
    QStringLiteral("Please select the Key or Employee.  Thank you.");
inline const QString kKeyInvalidFromDate =
    QStringLiteral("Please enter a valid Starting Date for this Search.  Thank you.");
inline const QString kKeyInvalidThroughDate =
    QStringLiteral("Please enter a valid Through Date for this Search.  Thank you.");
inline const QString kKeyThroughBeforeFrom = QStringLiteral(
    "The Through Date must be Equal to or Later than the Starting Date.  Thank you.");
inline const QString kKeyThroughWithoutFrom = QStringLiteral(
    "If the Through Date is entered you must have a Starting Date.  Thank you.");

inline const QString kKeyPurgeEnterDate =
    QStringLiteral("Please enter the Date to be used for this mass delete.  Thank you.");
inline const QString kKeyPurgeFutureDate =
    QStringLiteral("The date selected to be used for deleting the Key Control\r\n"
                   "Information cannot be a future date.  Thank you.");
inline const QString kKeyPurgeNothing = QStringLiteral("There is no Key History to Export.");

inline const QString kKeyNoActivityToExport =
    QStringLiteral("There is no Key Activity information to Export.");
inline const QString kKeyNoKeysToExport = QStringLiteral("There is no Key information to Export.");
inline const QString kKeyNoOverdueToExport =
    QStringLiteral("There are no Overdue Keys to Export.");
inline const QString kKeyActivityFileName = QStringLiteral("KeyActivityReport.csv");
inline const QString kKeyReportFileName = QStringLiteral("KeyReport.csv");
inline const QString kKeyOverdueFileName = QStringLiteral("OverDueKeys.csv");

// Import refusals beyond the field count.
inline const QString kKeyImportMissingFile = QStringLiteral("Could not find the file: "); // + path
// "The file <path> contains at least one comma in row number <n>.  ..."
QString KeyImportCommaMessage(const QString& path, int lineNumber);
// "The file <path> cannot be imported: row number <n> <reason>.  Nothing has
// been imported.  Please repair the file and try again."
QString KeyImportLineMessage(const QString& path, int lineNumber, const QString& reason);

} // namespace vm
