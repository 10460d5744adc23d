#include "logbook/NotifiedValues.h"

#include "core/DataAccess.h"
#include "logbook/LogbookStore.h"

namespace vm {

namespace {

const QString NotifiedType = QStringLiteral("Notified");
// The LogBook column holds at most 50 characters.
const int MaxLength = 50;

QString cleaned(const QString& typed) {
    return StoredValue(typed.trimmed().left(MaxLength)).trimmed();
}

// The row of another id holding the same value (values compare without case).
bool existsElsewhere(Database& db, const QString& value, qint64 exceptId) {
    return db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = ? AND [OtherValue] = ? "
                     "AND [OtherID] <> ?",
                     {NotifiedType, value, exceptId})
               .toInt() > 0;
}

} // namespace

QString NotifiedInUseMessage(int uses) {
    const QString first = uses == 1 ? QStringLiteral("This value is being used in 1 entry.")
                                    : "This value is being used in " + QString::number(uses) +
                                          " entries.";
    return first + "\r\nWe cannot delete it.  Thank you";
}

std::vector<NotifiedValue> GetNotifiedValues(Database& db) {
    std::vector<NotifiedValue> out;
    for (const Row& r : db.query("SELECT [OtherID], [OtherValue] FROM [Other] WHERE [OtherType] = "
                                 "? ORDER BY [OtherValue]",
                                 {NotifiedType}))
        out.push_back({r.value("OtherID").toLongLong(), r.trimmedText("OtherValue")});
    return out;
}

QString InsertNotifiedValue(Database& db, const QString& value) {
    const QString v = cleaned(value);
    if (v.isEmpty()) return MsgBlankValue;
    QString refusal;
    db.transaction([&] {
        if (existsElsewhere(db, v, 0)) {
            refusal = MsgValueExists;
            return;
        }
        db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                  {NotifiedType, v}, "OtherID");
    });
    return refusal;
}

QString ReplaceNotifiedValue(Database& db, qint64 otherId, const QString& newValue) {
    const QString v = cleaned(newValue);
    if (v.isEmpty()) return MsgBlankChange;
    QString refusal;
    db.transaction([&] {
        const auto old = db.queryOne(
            "SELECT [OtherValue] FROM [Other] WHERE [OtherID] = ? AND [OtherType] = ?",
            {otherId, NotifiedType});
        if (!old) {
            refusal = MsgSelectValueToChange;
            return;
        }
        if (existsElsewhere(db, v, otherId)) {
            refusal = MsgValueExists;
            return;
        }
        const QString was = old->text("OtherValue");
        db.exec("UPDATE [Other] SET [OtherValue] = ? WHERE [OtherID] = ?", {v, otherId});
        db.exec("UPDATE [LogBook] SET [Notified] = ? WHERE [Notified] = ?", {v, was});
    });
    return refusal;
}

int CountNotifiedUses(Database& db, const QString& value) {
    return db.scalar("SELECT COUNT([Notified]) AS CountEm FROM [LogBook] WHERE [Notified] = ?",
                     {value})
        .toInt();
}

int DeleteNotifiedValue(Database& db, qint64 otherId) {
    int uses = 0;
    // Counted and deleted together, so an entry saved meanwhile keeps its value listed.
    db.transaction([&] {
        const auto row = db.queryOne(
            "SELECT [OtherValue] FROM [Other] WHERE [OtherID] = ? AND [OtherType] = ?",
            {otherId, NotifiedType});
        if (!row) return;
        uses = CountNotifiedUses(db, row->text("OtherValue"));
        if (uses == 0) db.exec("DELETE FROM [Other] WHERE [OtherID] = ?", {otherId});
    });
    return uses;
}

} // namespace vm
