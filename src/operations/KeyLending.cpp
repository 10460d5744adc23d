// Lending: number forms, loan times, the check-out and check-in look-ups and
// the two moves themselves.

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "operations/KeyControl.h"
#include "operations/KeyRows.h"

namespace vm {

using namespace keys;

namespace {

const QString RemoveZerosKey = QStringLiteral("RemoveKeyEmpZeros");

QString employeeName(Database& db, qint64 employeeId) {
    return StoredText(db.scalar("SELECT [EmployeeName] FROM [KeyEmployee] WHERE "
                                "[KeyEmployeeID] = ?",
                                {employeeId})
                          .toString());
}

bool isAssigned(Database& db, qint64 employeeId, qint64 keyId) {
    return db.scalar("SELECT COUNT(*) FROM [KeyAssignment] WHERE [KeyEmployeeID] = ? AND "
                     "[KeyMasterID] = ?",
                     {employeeId, keyId})
               .toInt() > 0;
}

int minuteOfDay(const QTime& t) {
    return t.hour() * 60 + t.minute();
}

} // namespace

bool KeyRemoveZeros(AppContext& ctx) {
    return GetVmSetting(ctx.db(), RemoveZerosKey).trimmed().compare("True", Qt::CaseInsensitive) ==
           0;
}

void SetKeyRemoveZeros(AppContext& ctx, bool on) {
    SetValueFromKey(ctx.db(), RemoveZerosKey, on ? "True" : "False");
}

QString NormaliseKeyNumber(const QString& typed, bool removeZeros) {
    QString n = typed.trimmed();
    if (removeZeros) {
        int zeros = 0;
        while (zeros < n.size() && n.at(zeros) == '0')
            ++zeros;
        n.remove(0, zeros);
    }
    return n;
}

QString NormaliseKeyNumber(AppContext& ctx, const QString& typed) {
    return NormaliseKeyNumber(typed, KeyRemoveZeros(ctx));
}

// Computed on the calendar date and the minute of the day, so no daylight
// saving change or time zone moves the wall-clock result.
QDateTime KeyDueTime(const QDateTime& now, int duration, const QString& hoursDays) {
    if (!now.isValid()) return {};
    QDate day = now.date();
    int minute = minuteOfDay(now.time());
    if (hoursDays.trimmed().compare("Hours", Qt::CaseInsensitive) == 0) {
        const qint64 total = minute + qint64(duration) * 60;
        qint64 days = total / 1440;
        qint64 rest = total % 1440;
        if (rest < 0) {
            rest += 1440;
            --days;
        }
        day = day.addDays(days);
        minute = int(rest);
    } else {
        day = day.addDays(duration);
    }
    return QDateTime(day, QTime(minute / 60, minute % 60), Qt::UTC);
}

int KeyMinutesFromDue(const QDateTime& due, const QDateTime& back) {
    if (!due.isValid() || !back.isValid()) return 0;
    return int(due.date().daysTo(back.date()) * 1440 + minuteOfDay(back.time()) -
               minuteOfDay(due.time()));
}

std::optional<KeyEmployeeRecord> KeyCheckEmployeeNumber(AppContext& ctx, const QString& typed) {
    const qint64 id =
        findEmployeeId(ctx.db(), storedNumber(typed, KeyRemoveZeros(ctx)), KeyRemoveZeros(ctx));
    if (id == 0) return std::nullopt;
    return KeyGetEmployee(ctx, id);
}

KeyNumberCheck KeyCheckKeyNumber(AppContext& ctx, const QString& typed, KeyLendMode mode,
                                 qint64 employeeId) {
    Database& db = ctx.db();
    const bool zeros = KeyRemoveZeros(ctx);
    const bool out = mode == KeyLendMode::CheckIn;
    KeyNumberCheck check;
    std::optional<KeyRecord> key;
    if (const qint64 id = findKeyId(db, storedNumber(typed, zeros), zeros)) key = KeyGetKey(ctx, id);
    if (!key || key->isOut() != out) {
        check.line1 = kKeyNumberInvalid;
        check.line2 = out ? kKeyOrNotCheckedOut : kKeyOrCheckedOut;
        return check;
    }
    check.key = key;
    check.line1 = key->caption();
    if (out) {
        check.available = key->employeeId == employeeId;
        if (!check.available) check.refusal = kKeyNotCheckedOutBy + employeeName(db, employeeId);
    } else {
        check.available = isAssigned(db, employeeId, key->id);
        if (!check.available) {
            check.line2 = kKeyNotAvailable;
            check.refusal = kKeyNotAvailableBy + employeeName(db, employeeId);
        }
    }
    return check;
}

KeyLendResult KeyCheckOut(AppContext& ctx, qint64 keyId, qint64 employeeId) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    KeyLendResult result;
    db.transaction([&] {
        // Holding the employee's row keeps a delete of the employee from
        // slipping in between the checks and the history row.
        if (!LockRowForBooking(db, "KeyEmployee", "KeyEmployeeID", employeeId)) {
            result.message = kKeyNotAvailableBy;
            return;
        }
        const QString name = employeeName(db, employeeId);
        const auto key = db.queryOne("SELECT [OutDuration], [OutHoursDays] FROM [KeyMaster] "
                                     "WHERE [KeyMasterID] = ?",
                                     {keyId});
        if (!key) {
            result.message = kKeyNumberInvalid;
            return;
        }
        if (!isAssigned(db, employeeId, keyId)) {
            result.message = kKeyNotAvailableBy + name;
            return;
        }
        const QString out = Formats::StoredDateTime(now);
        const QString due = Formats::StoredDateTime(KeyDueTime(
            now, int(key->number("OutDuration")), StoredText(key->text("OutHoursDays"))));
        // Only a key that is still in is lent: of two desks lending it at
        // once, the second finds no row to change.
        const int changed =
            db.exec("UPDATE [KeyMaster] SET [DateTimeOut] = ?, [DateTimeDue] = ?, "
                    "[KeyEmployeeID] = ?, [KeyStatus] = 'O' WHERE [KeyMasterID] = ? AND "
                    "[KeyStatus] = 'I'",
                    {out, due, employeeId, keyId});
        if (changed != 1) {
            // Lent or deleted at another desk since it was read.
            result.message = db.queryOne("SELECT [KeyMasterID] FROM [KeyMaster] WHERE "
                                         "[KeyMasterID] = ?",
                                         {keyId})
                                 ? kKeyAlreadyOut
                                 : kKeyNumberInvalid;
            return;
        }
        db.insert("INSERT INTO [KeyHistory] ([KeyEmployeeID], [KeyMasterID], [KeyStatus], "
                  "[DateTimeOut], [DateTimeDue]) VALUES (?, ?, 'O', ?, ?)",
                  {employeeId, keyId, out, due}, "KeyHistoryID");
        result.done = true;
        result.dateTimeOut = out;
        result.dateTimeDue = due;
    });
    return result;
}

KeyLendResult KeyCheckIn(AppContext& ctx, qint64 keyId, qint64 employeeId) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    const QString back = Formats::StoredDateTime(now);
    KeyLendResult result;
    db.transaction([&] {
        const auto key = db.queryOne("SELECT [DateTimeOut], [DateTimeDue] FROM [KeyMaster] "
                                     "WHERE [KeyMasterID] = ? AND [KeyStatus] = 'O' AND "
                                     "[KeyEmployeeID] = ?",
                                     {keyId, employeeId});
        const int changed = db.exec(
            "UPDATE [KeyMaster] SET [DateTimeOut] = NULL, [DateTimeDue] = NULL, "
            "[KeyEmployeeID] = 0, [KeyStatus] = 'I' WHERE [KeyMasterID] = ? AND "
            "[KeyStatus] = 'O' AND [KeyEmployeeID] = ?",
            {keyId, employeeId});
        if (!key || changed != 1) {
            result.message = kKeyNotCheckedOutBy + employeeName(db, employeeId);
            return;
        }
        // The loan is the key's open history row, whatever minute it went out
        // in.  Should an older row have been left open, it is closed too: the
        // key is in, so no loan of it can still be running.
        const auto open = db.query("SELECT [KeyHistoryID], [DateTimeOut], [DateTimeDue] FROM "
                                   "[KeyHistory] WHERE [KeyMasterID] = ? AND [KeyStatus] = 'O' "
                                   "ORDER BY [KeyHistoryID]",
                                   {keyId});
        for (const Row& r : open) {
            const int minutes = KeyMinutesFromDue(
                Formats::ParseStoredDateTime(r.text("DateTimeDue")), now);
            db.exec("UPDATE [KeyHistory] SET [DateTimeBack] = ?, [MinutesFromDue] = ?, "
                    "[KeyStatus] = 'I' WHERE [KeyHistoryID] = ?",
                    {back, minutes, r.number("KeyHistoryID")});
            result.dateTimeOut = r.trimmedText("DateTimeOut");
            result.dateTimeDue = r.trimmedText("DateTimeDue");
            result.minutesFromDue = minutes;
        }
        if (open.empty()) {
            result.dateTimeOut = key->text("DateTimeOut").trimmed();
            result.dateTimeDue = key->text("DateTimeDue").trimmed();
            result.minutesFromDue =
                KeyMinutesFromDue(Formats::ParseStoredDateTime(result.dateTimeDue), now);
        }
        result.done = true;
        result.dateTimeBack = back;
    });
    return result;
}

} // namespace vm
