// The key and employee lists, who may borrow which key, and the guards that
// keep a key or employee with history from being deleted.

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "operations/KeyControl.h"
#include "operations/KeyRows.h"
#include "operations/ListRows.h"

#include <set>

namespace vm {

namespace keys {

KeyRecord keyFromRow(const Row& r) {
    using ops::shown;
    KeyRecord k;
    k.id = ops::whole(r, 0);
    k.keyNumber = shown(r, 1);
    k.groupName = shown(r, 2);
    k.description = shown(r, 3);
    k.outDuration = int(ops::whole(r, 4));
    k.outHoursDays = shown(r, 5);
    k.status = shown(r, 6);
    k.dateTimeOut = shown(r, 7);
    k.dateTimeDue = shown(r, 8);
    k.employeeId = ops::whole(r, 9);
    k.employeeName = shown(r, 10);
    k.jobTitle = shown(r, 11);
    return k;
}

KeyEmployeeRecord employeeFromRow(const Row& r) {
    using ops::shown;
    KeyEmployeeRecord e;
    e.id = ops::whole(r, 0);
    e.name = shown(r, 1);
    e.number = shown(r, 2);
    e.jobTitle = shown(r, 3);
    return e;
}

KeyLoanRow loanFromRow(const Row& r) {
    using ops::shown;
    KeyLoanRow l;
    l.historyId = ops::whole(r, 0);
    l.employeeId = ops::whole(r, 1);
    l.keyId = ops::whole(r, 2);
    l.status = shown(r, 3);
    l.dateTimeOut = shown(r, 4);
    l.dateTimeDue = shown(r, 5);
    l.dateTimeBack = shown(r, 6);
    l.minutesFromDue = int(ops::whole(r, 7));
    l.groupName = shown(r, 8);
    l.keyNumber = shown(r, 9);
    l.description = shown(r, 10);
    l.employeeName = shown(r, 11);
    l.jobTitle = shown(r, 12);
    return l;
}

std::vector<KeyRecord> keyList(Database& db, const QString& where, const QVariantList& params,
                               const QString& order) {
    std::vector<KeyRecord> out;
    db.forEach(SelectKeys + where + order, params, [&out](const Row& r) {
        out.push_back(keyFromRow(r));
        return true;
    });
    return out;
}

std::vector<KeyLoanRow> loanList(Database& db, const QString& where, const QVariantList& params,
                                 const QString& order) {
    std::vector<KeyLoanRow> out;
    db.forEach(SelectLoans + where + order, params, [&out](const Row& r) {
        out.push_back(loanFromRow(r));
        return true;
    });
    return out;
}

QString storedNumber(const QString& typed, bool removeZeros) {
    const QString n = NormaliseKeyNumber(typed, removeZeros);
    return n.isEmpty() ? QString() : CleanSqlText(n);
}

namespace {

// Numbers compare without case (the columns' collation); a number kept with
// leading zeros is compared in its normalised form.
qint64 findByNumber(Database& db, const QString& table, const QString& idColumn,
                    const QString& numberColumn, const QString& number, bool removeZeros,
                    qint64 exceptId) {
    if (number.isEmpty()) return 0;
    const QString select = "SELECT [" + idColumn + "], [" + numberColumn + "] FROM [" + table +
                           "] WHERE [" + idColumn + "] <> ? AND ";
    const QVariant exact =
        db.scalar(select + "[" + numberColumn + "] = ? ORDER BY [" + idColumn + "]",
                  {exceptId, number});
    if (exact.isValid()) return exact.toLongLong();
    if (!removeZeros) return 0;
    for (const Row& r :
         db.query(select + "[" + numberColumn + "] LIKE '0%' ORDER BY [" + idColumn + "]",
                  {exceptId}))
        if (NormaliseKeyNumber(r.text(numberColumn), true).compare(number, Qt::CaseInsensitive) ==
            0)
            return r.number(idColumn);
    return 0;
}

} // namespace

qint64 findKeyId(Database& db, const QString& number, bool removeZeros, qint64 exceptId) {
    return findByNumber(db, "KeyMaster", "KeyMasterID", "KeyNumber", number, removeZeros,
                        exceptId);
}

qint64 findEmployeeId(Database& db, const QString& number, bool removeZeros, qint64 exceptId) {
    return findByNumber(db, "KeyEmployee", "KeyEmployeeID", "EmployeeNumber", number,
                        removeZeros, exceptId);
}

} // namespace keys

using namespace keys;

namespace {

QString storedUnit(const QString& unit) {
    return unit.trimmed().compare("Hours", Qt::CaseInsensitive) == 0 ? QStringLiteral("Hours")
                                                                    : QStringLiteral("Days");
}

// Runs a save that may lose the race for a unique number on another desk:
// the engine's refusal then becomes the uniqueness message.
QString saveUnique(const std::function<QString()>& save, const std::function<bool()>& taken,
                   const QString& notUnique) {
    try {
        return save();
    } catch (const DbError&) {
        if (taken()) return notUnique;
        throw;
    }
}

QString lastOut(Database& db, const QString& column, qint64 id) {
    return db.scalar("SELECT MAX([DateTimeOut]) FROM [KeyHistory] WHERE [" + column + "] = ?",
                     {id})
        .toString()
        .trimmed();
}

// Deletes the row and its assignments unless history holds it; "" when deleted.
QString deleteUnlessHistory(AppContext& ctx, const QString& table, const QString& column,
                            qint64 id, bool forKey) {
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (!LockRowForBooking(db, table, column, id)) return;
        const QString last = lastOut(db, column, id);
        if (!last.isEmpty()) {
            refusal = KeyHistoryAttachedMessage(forKey, last);
            return;
        }
        db.exec("DELETE FROM [KeyAssignment] WHERE [" + column + "] = ?", {id});
        db.exec("DELETE FROM [" + table + "] WHERE [" + column + "] = ?", {id});
    });
    return refusal;
}

} // namespace

std::vector<KeyRecord> KeyGetAllKeys(AppContext& ctx) {
    return keyList(ctx.db(), {}, {});
}

std::optional<KeyRecord> KeyGetKey(AppContext& ctx, qint64 keyId) {
    auto list = keyList(ctx.db(), "WHERE [KeyMaster].[KeyMasterID] = ?", {keyId}, {});
    if (list.empty()) return std::nullopt;
    return list.front();
}

std::vector<KeyRecord> KeyGetKeysInGroup(AppContext& ctx, const QString& groupName) {
    return keyList(ctx.db(), "WHERE [KeyMaster].[KeyGroupName] = ?", {CleanSqlText(groupName)});
}

QString KeyCheckKey(const KeyRecord& k) {
    if (k.groupName.trimmed().isEmpty()) return kKeySelectGroup;
    if (k.keyNumber.trimmed().isEmpty()) return kKeyEnterNumber;
    if (k.description.trimmed().isEmpty()) return kKeyEnterDescription;
    if (k.outDuration <= 0) return kKeyEnterDuration;
    return {};
}

QString KeyInsertKey(AppContext& ctx, KeyRecord& k) {
    if (const QString refusal = KeyCheckKey(k); !refusal.isEmpty()) return refusal;
    Database& db = ctx.db();
    const bool zeros = KeyRemoveZeros(ctx);
    const QString number = storedNumber(k.keyNumber, zeros);
    if (number.isEmpty()) return kKeyEnterNumber; // nothing but zeros
    const auto taken = [&] { return findKeyId(db, number, zeros) != 0; };
    return saveUnique(
        [&] {
            QString refusal;
            db.transaction([&] {
                if (taken()) {
                    refusal = kKeyNumberNotUnique;
                    return;
                }
                k.outHoursDays = storedUnit(k.outHoursDays);
                k.id = db.insert("INSERT INTO [KeyMaster] ([KeyNumber], [KeyStatus], "
                                 "[KeyGroupName], [Description], [OutDuration], "
                                 "[OutHoursDays], [KeyEmployeeID]) VALUES (?, 'I', ?, ?, ?, ?, 0)",
                                 {number, CleanSqlText(k.groupName), CleanSqlText(k.description),
                                  k.outDuration, k.outHoursDays},
                                 "KeyMasterID");
                k.keyNumber = StoredText(number);
                k.status = "I";
            });
            return refusal;
        },
        taken, kKeyNumberNotUnique);
}

QString KeyUpdateKey(AppContext& ctx, const KeyRecord& k) {
    KeyRecord checked = k;
    if (checked.keyNumber.trimmed().isEmpty()) checked.keyNumber = GetKeyNumber(ctx, k.id);
    if (const QString refusal = KeyCheckKey(checked); !refusal.isEmpty()) return refusal;
    ctx.db().exec("UPDATE [KeyMaster] SET [KeyGroupName] = ?, [Description] = ?, "
                  "[OutDuration] = ?, [OutHoursDays] = ? WHERE [KeyMasterID] = ?",
                  {CleanSqlText(k.groupName), CleanSqlText(k.description), k.outDuration,
                   storedUnit(k.outHoursDays), k.id});
    return {};
}

QString KeyDeleteKey(AppContext& ctx, qint64 keyId) {
    return deleteUnlessHistory(ctx, "KeyMaster", "KeyMasterID", keyId, true);
}

QString GetKeyGroupName(AppContext& ctx, qint64 keyId) {
    return StoredText(
        ctx.db()
            .scalar("SELECT [KeyGroupName] FROM [KeyMaster] WHERE [KeyMasterID] = ?", {keyId})
            .toString());
}

QString GetKeyNumber(AppContext& ctx, qint64 keyId) {
    return StoredText(
        ctx.db()
            .scalar("SELECT [KeyNumber] FROM [KeyMaster] WHERE [KeyMasterID] = ?", {keyId})
            .toString());
}

std::vector<KeyEmployeeRecord> KeyGetAllEmployees(AppContext& ctx) {
    std::vector<KeyEmployeeRecord> out;
    ctx.db().forEach(SelectEmployees + "ORDER BY [EmployeeName], [KeyEmployeeID]", {},
                     [&out](const Row& r) {
                         out.push_back(employeeFromRow(r));
                         return true;
                     });
    return out;
}

std::optional<KeyEmployeeRecord> KeyGetEmployee(AppContext& ctx, qint64 employeeId) {
    const auto r =
        ctx.db().queryOne(SelectEmployees + "WHERE [KeyEmployeeID] = ?", {employeeId});
    if (!r) return std::nullopt;
    return employeeFromRow(*r);
}

QString KeyCheckEmployee(const KeyEmployeeRecord& e) {
    if (e.name.trimmed().isEmpty()) return kKeyEnterEmployeeName;
    if (e.number.trimmed().isEmpty()) return kKeyEnterEmployeeNumber;
    if (e.jobTitle.trimmed().isEmpty()) return kKeyEnterJobTitle;
    return {};
}

namespace {

// Inserts (id 0) or updates the employee; "" when saved.
QString saveEmployee(AppContext& ctx, KeyEmployeeRecord& e) {
    if (const QString refusal = KeyCheckEmployee(e); !refusal.isEmpty()) return refusal;
    Database& db = ctx.db();
    const bool zeros = KeyRemoveZeros(ctx);
    const QString number = storedNumber(e.number, zeros);
    if (number.isEmpty()) return kKeyEnterEmployeeNumber;
    const auto taken = [&] { return findEmployeeId(db, number, zeros, e.id) != 0; };
    return saveUnique(
        [&] {
            QString refusal;
            db.transaction([&] {
                if (taken()) {
                    refusal = kKeyEmployeeNumberNotUnique;
                    return;
                }
                const QVariantList values{CleanSqlTextKeepAmp(e.name), number,
                                          CleanSqlText(e.jobTitle)};
                if (e.id == 0)
                    e.id = db.insert("INSERT INTO [KeyEmployee] ([EmployeeName], "
                                     "[EmployeeNumber], [JobTitle]) VALUES (?, ?, ?)",
                                     values, "KeyEmployeeID");
                else
                    db.exec("UPDATE [KeyEmployee] SET [EmployeeName] = ?, [EmployeeNumber] = ?, "
                            "[JobTitle] = ? WHERE [KeyEmployeeID] = ?",
                            values + QVariantList{e.id});
                e.number = StoredText(number);
            });
            return refusal;
        },
        taken, kKeyEmployeeNumberNotUnique);
}

} // namespace

QString KeyInsertEmployee(AppContext& ctx, KeyEmployeeRecord& e) {
    e.id = 0;
    return saveEmployee(ctx, e);
}

QString KeyUpdateEmployee(AppContext& ctx, const KeyEmployeeRecord& e) {
    KeyEmployeeRecord copy = e;
    return saveEmployee(ctx, copy);
}

QString KeyDeleteEmployee(AppContext& ctx, qint64 employeeId) {
    return deleteUnlessHistory(ctx, "KeyEmployee", "KeyEmployeeID", employeeId, false);
}

std::vector<KeyRecord> KeyGetAssigned(AppContext& ctx, qint64 employeeId, const QString& status) {
    QString where = "WHERE [KeyMaster].[KeyMasterID] IN (SELECT [KeyMasterID] FROM "
                    "[KeyAssignment] WHERE [KeyEmployeeID] = ?)";
    QVariantList params{employeeId};
    if (!status.trimmed().isEmpty()) {
        where += " AND [KeyMaster].[KeyStatus] = ?";
        params << status.trimmed();
    }
    return keyList(ctx.db(), where, params);
}

std::vector<KeyRecord> KeyGetAssignedKeys(AppContext& ctx, qint64 employeeId) {
    return KeyGetAssigned(ctx, employeeId);
}

std::vector<KeyRecord> KeyGetKeysOutTo(AppContext& ctx, qint64 employeeId) {
    return keyList(ctx.db(),
                   "WHERE [KeyMaster].[KeyEmployeeID] = ? AND [KeyMaster].[KeyStatus] = 'O'",
                   {employeeId},
                   " ORDER BY [KeyMaster].[DateTimeOut], [KeyMaster].[KeyMasterID]");
}

void KeySaveAssignments(AppContext& ctx, qint64 employeeId, const std::vector<qint64>& keyIds) {
    Database& db = ctx.db();
    db.transaction([&] {
        if (!LockRowForBooking(db, "KeyEmployee", "KeyEmployeeID", employeeId)) return;
        db.exec("DELETE FROM [KeyAssignment] WHERE [KeyEmployeeID] = ?", {employeeId});
        std::set<qint64> written;
        for (const qint64 keyId : keyIds) {
            if (!written.insert(keyId).second) continue;
            // A key deleted meanwhile at another desk is left out.
            db.exec("INSERT INTO [KeyAssignment] ([KeyEmployeeID], [KeyMasterID]) SELECT ?, "
                    "[KeyMasterID] FROM [KeyMaster] WHERE [KeyMasterID] = ?",
                    {employeeId, keyId});
        }
    });
}

QString GetLastKeyOutByEmployee(AppContext& ctx, qint64 employeeId) {
    return lastOut(ctx.db(), "KeyEmployeeID", employeeId);
}

QString GetLastKeyOutByKey(AppContext& ctx, qint64 keyId) {
    return lastOut(ctx.db(), "KeyMasterID", keyId);
}

QString KeyHistoryAttachedMessage(bool forKey, const QString& lastOut) {
    const QDate day = Formats::ParseStoredDate(lastOut);
    const QString date = day.isValid() ? Formats::ShortDate(day) : lastOut;
    const QString what = forKey ? QStringLiteral("key") : QStringLiteral("employee");
    return (forKey ? QStringLiteral("This Key has History attached to it.")
                   : QStringLiteral("This Employee has History attached to it.")) +
           CRLF + "The last Check Out date is " + date + CRLF +
           "When the history has been deleted through this date the " + what +
           " may be deleted." + CRLF +
           (forKey ? QStringLiteral("We recommend that you change the Key Group to 'Inactive' or "
                                    "'Missing' until this key may be deleted.")
                   : QStringLiteral("We recommend that you add the word 'Inactive' to the Name "
                                    "until this employee may be deleted."));
}

} // namespace vm
