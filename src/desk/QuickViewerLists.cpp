// The quick-reference lists: categories of up to five labelled columns.
#include "desk/QuickViewer.h"

#include "core/DataAccess.h"

namespace vm {

namespace {

const char* const labelColumns[] = {"Label1", "Label2", "Label3", "Label4", "Label5"};
const char* const dataColumns[] = {"Label1Data", "Label2Data", "Label3Data", "Label4Data",
                                   "Label5Data"};

} // namespace

QString MsgQVDeleteWithRows(int rows) {
    return "There are " + QString::number(rows) + " data elements in this category." + CRLF +
           "Do you wish to delete all of them with this category?";
}

QList<QPair<qint64, QString>> GetQVCategories(AppContext& ctx) {
    QList<QPair<qint64, QString>> out;
    for (const Row& r : ctx.db().query("SELECT [QVCategoryID], [Category] FROM [QVCategory] "
                                       "ORDER BY [Category], [QVCategoryID]"))
        out.append({r.number("QVCategoryID"), r.trimmedText("Category")});
    return out;
}

std::optional<QVCategory> GetQVCategory(AppContext& ctx, qint64 id) {
    const auto r = ctx.db().queryOne("SELECT * FROM [QVCategory] WHERE [QVCategoryID] = ?", {id});
    if (!r) return std::nullopt;
    QVCategory c;
    c.id = id;
    c.category = StoredText(r->text("Category"));
    for (int i = 0; i < 5; ++i)
        c.labels[i] = StoredText(r->text(labelColumns[i]));
    c.notes = StoredText(r->text("Notes"));
    c.notes2 = StoredText(r->text("Notes2"));
    return c;
}

QString SaveQVCategory(AppContext& ctx, QVCategory& category) {
    if (category.category.trimmed().isEmpty()) return MsgQVCategoryName;
    bool anyLabel = false;
    for (const QString& label : category.labels)
        anyLabel = anyLabel || !label.trimmed().isEmpty();
    if (!anyLabel) return MsgQVCategoryLabel;
    QVariantList values = {CleanSqlTextKeepAmp(category.category)};
    for (const QString& label : category.labels)
        values << (label.trimmed().isEmpty() ? QString() : CleanSqlTextKeepAmp(label));
    values << category.notes.trimmed() << category.notes2.trimmed();
    Database& db = ctx.db();
    if (category.id == 0) {
        category.id = db.insert("INSERT INTO [QVCategory] ([Category], [Label1], [Label2], "
                                "[Label3], [Label4], [Label5], [Notes], [Notes2]) VALUES (?, ?, "
                                "?, ?, ?, ?, ?, ?)",
                                values, "QVCategoryID");
    } else {
        values << category.id;
        db.exec("UPDATE [QVCategory] SET [Category] = ?, [Label1] = ?, [Label2] = ?, [Label3] = "
                "?, [Label4] = ?, [Label5] = ?, [Notes] = ?, [Notes2] = ? WHERE [QVCategoryID] = "
                "?",
                values);
    }
    return {};
}

void DeleteQVCategory(AppContext& ctx, qint64 id) {
    Database& db = ctx.db();
    db.transaction([&] {
        db.exec("DELETE FROM [QVData] WHERE [QVCategoryID] = ?", {id});
        db.exec("DELETE FROM [QVCategory] WHERE [QVCategoryID] = ?", {id});
    });
}

int CountQVData(AppContext& ctx, qint64 categoryId) {
    return ctx.db()
        .scalar("SELECT COUNT([QVCategoryID]) AS [CountEm] FROM [QVData] WHERE [QVCategoryID] = ?",
                {categoryId})
        .toInt();
}

QList<QVRow> GetQVDataByCategory(AppContext& ctx, qint64 categoryId) {
    QList<QVRow> out;
    for (const Row& r : ctx.db().query("SELECT * FROM [QVData] WHERE [QVCategoryID] = ? ORDER BY "
                                       "[Label1Data], [QVDataID]",
                                       {categoryId})) {
        QVRow row;
        row.id = r.number("QVDataID");
        row.categoryId = categoryId;
        for (int i = 0; i < 5; ++i)
            row.data[i] = r.trimmedText(dataColumns[i]);
        out << row;
    }
    return out;
}

void SaveQVData(AppContext& ctx, QVRow& row) {
    QVariantList values;
    for (const QString& d : row.data)
        values << d.trimmed();
    Database& db = ctx.db();
    if (row.id == 0) {
        values.prepend(row.categoryId);
        row.id = db.insert("INSERT INTO [QVData] ([QVCategoryID], [Label1Data], [Label2Data], "
                           "[Label3Data], [Label4Data], [Label5Data]) VALUES (?, ?, ?, ?, ?, ?)",
                           values, "QVDataID");
    } else {
        values << row.id;
        db.exec("UPDATE [QVData] SET [Label1Data] = ?, [Label2Data] = ?, [Label3Data] = ?, "
                "[Label4Data] = ?, [Label5Data] = ? WHERE [QVDataID] = ?",
                values);
    }
}

void DeleteQVData(AppContext& ctx, qint64 id) {
    ctx.db().exec("DELETE FROM [QVData] WHERE [QVDataID] = ?", {id});
}

} // namespace vm
