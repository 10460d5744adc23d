#include "logbook/LogbookCounts.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/schema/Schema.h"

namespace vm {

namespace {
QString column(DateField f) {
    return f == DateField::EntryDate ? "[EntryDate]" : "[ReferDate]";
}
} // namespace

int CountTypeEntriesInRange(Database& db, const QString& category, const QString& from,
                            const QString& to, DateField field, const QString& enteredBy) {
    QString sql =
        "SELECT COUNT([EntryType]) AS CountType FROM [LogBook] WHERE [EntryType] = ? AND " +
        column(field) + " >= ? AND " + column(field) + " <= ?";
    QVariantList p{category, from, to};
    if (!enteredBy.trimmed().isEmpty()) {
        sql += " AND [EnteredBy] = ?";
        p << enteredBy.trimmed();
    }
    return db.scalar(sql, p).toInt();
}

QStringList CountLogEntries(Database& db, const QString& from, const QString& to, DateField field,
                            const QString& enteredBy, qint64 groupId) {
    QString sql = "SELECT [EntryType], COUNT([EntryType]) AS CountType FROM [LogBook] WHERE " +
                  column(field) + " >= ? AND " + column(field) + " <= ?";
    QVariantList p{from, to};
    if (!enteredBy.trimmed().isEmpty()) {
        sql += " AND [EnteredBy] = ?";
        p << enteredBy.trimmed();
    } else if (groupId > 0) {
        sql += " AND [GroupID] = ?";
        p << groupId;
    }
    sql += " GROUP BY [EntryType] ORDER BY [EntryType]";
    QStringList lines;
    qint64 total = 0;
    for (const Row& r : db.query(sql, p)) {
        lines << r.trimmedText("EntryType") + "\t" + QString::number(r.number("CountType"));
        total += r.number("CountType");
    }
    // A total of nothing reads 0, not an empty line.
    lines << "TOTAL:\t" + Formats::FormatNumber(double(total), "#,##0");
    return lines;
}

int CountArchiveEntries(Database& archive, const QString& category, const QString& from,
                        const QString& to, DateField field) {
    QString sql = "SELECT COUNT([EntryType]) AS CountType FROM [LogBook] WHERE ";
    QVariantList p;
    if (category != "*All") {
        sql += "[EntryType] = ? AND ";
        p << category;
    }
    sql += column(field) + " >= ? AND " + column(field) + " < ?";
    p << from << to;
    return archive.scalar(sql, p).toInt();
}

QString GetLogbookRecordText(Database& db, qint64 logId) {
    auto r = db.queryOne("SELECT * FROM [LogBook] WHERE [LogID] = ?", {logId});
    if (!r) return "No records found";
    // Column names as declared (a server may fold them to lower case).
    QHash<QString, QString> declared;
    if (const schema::Table* t = schema::Registry::all().find("LogBook"))
        for (const schema::Column& c : t->columns)
            declared.insert(c.name.toLower(), c.name);
    QStringList lines{"LogBook Entry"};
    const QSqlRecord& rec = r->record();
    for (int i = 0; i < rec.count(); ++i)
        lines << declared.value(rec.fieldName(i).toLower(), rec.fieldName(i)) + ": " +
                     rec.value(i).toString();
    return lines.join(CRLF);
}

void UpdateBulkNotify(Database& db, qint64 logId) {
    UpdateBulkNotify(db, logId, GetTextSetting(db, "BulkPrintNotify"));
}

void UpdateBulkNotify(Database& db, qint64 logId, const QString& notifyText) {
    const QString text = CleanSqlText(notifyText).left(50);
    db.exec("UPDATE [LogBook] SET [Notified] = ? WHERE [LogID] = ?", {text, logId});
}

} // namespace vm
