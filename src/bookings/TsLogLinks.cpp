// The logbook link of a service category: under which logbook category a
// booking files its entry, and which booking value goes to which line of
// that category's design.  Kept in IFTranslate beside the other interface
// categories, one row per service category and working language.

#include "bookings/TsSetup.h"
#include "core/DataAccess.h"

namespace vm {

namespace {

constexpr int LinkPositions = 15;

TsLogLink linkOf(const Row& r) {
    TsLogLink l;
    l.id = r.number("IFTranslateID");
    l.categoryId = r.number("CategoryID");
    l.logTypeId = r.number("LogTypeID");
    l.logType = r.trimmedText("LogType");
    l.languageCode = r.trimmedText("LanguageCode");
    for (int n = 0; n < LinkPositions; ++n) {
        l.valueName[n] = r.trimmedText(QString("IFDE%1").arg(n + 1));
        l.designLabel[n] = r.trimmedText(QString("DEElement%1").arg(n + 1));
    }
    return l;
}

QString workingLanguage(const AppContext& ctx) {
    return QString::number(ctx.session.language);
}

// "[IFDE1] = ?, ..., [DEElement15] = ?" or the column list of an insert.
QString positionColumns(const QString& suffix, const QString& separator) {
    QStringList columns;
    for (const char* stem : {"IFDE", "DEElement"})
        for (int n = 1; n <= LinkPositions; ++n)
            columns << QString("[%1%2]").arg(QLatin1String(stem)).arg(n) + suffix;
    return columns.join(separator);
}

} // namespace

QStringList TsLinkValueNames() {
    return {"Category",  "Service",    "Provider", "Location", "Date",    "Time",
            "Last Name", "First Name", "Duration", "Price",    "Gratuity"};
}

std::vector<TsLogLink> GetTsLogLinks(AppContext& ctx) {
    std::vector<TsLogLink> links;
    for (const Row& r : ctx.db().query("SELECT * FROM [IFTranslate] WHERE [TypeOfInterface] = ? "
                                       "ORDER BY [IFTranslateID]",
                                       {TsLinkInterface}))
        links.push_back(linkOf(r));
    return links;
}

std::optional<TsLogLink> GetTsLogLink(AppContext& ctx, qint64 categoryId) {
    const auto r = ctx.db().queryOne(
        "SELECT * FROM [IFTranslate] WHERE [TypeOfInterface] = ? AND [CategoryID] = ? AND "
        "[LanguageCode] = ? ORDER BY [IFTranslateID] LIMIT 1",
        {TsLinkInterface, categoryId, workingLanguage(ctx)});
    if (!r) return std::nullopt;
    return linkOf(*r);
}

QString SaveTsLogLink(AppContext& ctx, TsLogLink& link) {
    if (link.categoryId == 0) return MsgLinkCategory;
    if (link.logTypeId == 0) return MsgLinkLogType;
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        const QVariant logType =
            db.scalar("SELECT [LogType] FROM [LogType] WHERE [LogTypeID] = ?", {link.logTypeId});
        if (!logType.isValid()) {
            refusal = MsgLinkLogType;
            return;
        }
        if (link.languageCode.trimmed().isEmpty()) link.languageCode = workingLanguage(ctx);
        // The booking reads one link per category and language: a second one
        // would never be used.
        if (db.queryOne("SELECT [IFTranslateID] FROM [IFTranslate] WHERE [TypeOfInterface] = ? "
                        "AND [CategoryID] = ? AND [LanguageCode] = ? AND [IFTranslateID] <> ?",
                        {TsLinkInterface, link.categoryId, link.languageCode, link.id})) {
            refusal = MsgLinkExists;
            return;
        }
        link.logType = StoredText(logType.toString());
        QVariantList values{link.categoryId, link.logTypeId, link.logType, link.languageCode};
        for (const QString* column : {link.valueName, link.designLabel})
            for (int n = 0; n < LinkPositions; ++n)
                values << CleanSqlTextKeepAmp(column[n]);
        if (link.id != 0) {
            values << link.id;
            if (db.exec(
                    "UPDATE [IFTranslate] SET [CategoryID] = ?, [LogTypeID] = ?, [LogType] = ?, "
                    "[LanguageCode] = ?, " +
                        positionColumns(" = ?", ", ") + " WHERE [IFTranslateID] = ?",
                    values) > 0)
                return;
            values.removeLast();
        }
        // The interface list names a link by its service category.
        const QVariant category =
            db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherID] = ?", {link.categoryId});
        values.prepend(CleanSqlTextKeepAmp(category.toString()));
        values.prepend(TsLinkInterface);
        link.id = db.insert("INSERT INTO [IFTranslate] ([TypeOfInterface], [TypeOfRequest], "
                            "[CategoryID], [LogTypeID], [LogType], [LanguageCode], " +
                                positionColumns("", ", ") + ") VALUES (" +
                                QString("?, ").repeated(2 * LinkPositions + 5) + "?)",
                            values, "IFTranslateID");
    });
    if (refusal.isEmpty())
        for (QString* column : {link.valueName, link.designLabel})
            for (int n = 0; n < LinkPositions; ++n)
                column[n] = StoredText(CleanSqlTextKeepAmp(column[n]));
    return refusal;
}

void DeleteTsLogLink(AppContext& ctx, qint64 linkId) {
    ctx.db().exec("DELETE FROM [IFTranslate] WHERE [IFTranslateID] = ? AND [TypeOfInterface] = ?",
                  {linkId, TsLinkInterface});
}

} // namespace vm
