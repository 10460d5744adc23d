#include "interfaces/InterfaceCategories.h"

#include "core/DataAccess.h"
#include "platform/Row.h"

#include <QSet>

namespace vm {

namespace {

// "[IFDE1], ..., [DEElement15]" with `suffix` after each column.
QString positionColumns(const QString& suffix) {
    QStringList columns;
    for (const char* stem : {"IFDE", "DEElement"})
        for (int n = 1; n <= IfPositions; ++n)
            columns << QString("[%1%2]").arg(QLatin1String(stem)).arg(n) + suffix;
    return columns.join(", ");
}

IfCategory categoryOf(const Row& r) {
    IfCategory c;
    c.id = r.number("IFTranslateID");
    c.typeOfInterface = r.trimmedText("TypeOfInterface");
    c.typeOfRequest = r.trimmedText("TypeOfRequest");
    c.logTypeId = r.number("LogTypeID");
    c.logType = r.trimmedText("LogType");
    c.languageCode = r.trimmedText("LanguageCode");
    for (int n = 0; n < IfPositions; ++n) {
        c.outsideField[n] = r.trimmedText(QString("IFDE%1").arg(n + 1));
        c.designLabel[n] = r.trimmedText(QString("DEElement%1").arg(n + 1));
    }
    return c;
}

// The editable interfaces as bound values of an "IN (?, ?, ?)".
QVariantList editableTypes() {
    QVariantList out;
    for (const QString& t : IfEditableInterfaces()) out << t;
    return out;
}

const QString InEditable = QStringLiteral("[TypeOfInterface] IN (?, ?, ?)");

} // namespace

const QStringList& IfEditableInterfaces() {
    static const QStringList l{IfWebInterface, IfHtngInterface, IfResortClubExport};
    return l;
}

QString IfUnmappedMessage(const QString& type) {
    return "Each " + type + " element MUST have a corresponding " + "Logbook element." +
           "\r\n\r\nPlease match up all the entries before saving.";
}

QString IfMappedTwiceMessage(const QString& type, const QString& label) {
    return type + ":" + " element MUST be mapped to a unique Logbook" + "\r\n" +
           "element. You currently have the Logbook element '" + label + "'" + "\r\n" +
           "mapped to multiple " + type + " elements." + "\r\n\r\n" +
           "Please uniquely match up all the entries before saving.";
}

QString IfDuplicateMessage(const QString& type, const QString& name) {
    return "The Interface Category '" + name + "' already exists for the " + type +
           ".\r\nPlease enter another name.  Thank you.";
}

QString IfDeleteQuestion(const QString& name) {
    return "Press <Yes> to DELETE the Interface Category '" + name +
           "'.\r\nPress <No> if you DO NOT wish to delete.";
}

std::vector<std::pair<qint64, QString>> GetIFCategorys(Database& db, const QString& type) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : db.query("SELECT [TypeOfRequest], [IFTranslateID] FROM [IFTranslate] "
                                 "WHERE [TypeOfInterface] = ? "
                                 "ORDER BY lower([TypeOfRequest]), [IFTranslateID]",
                                 {type}))
        out.emplace_back(r.number("IFTranslateID"), r.trimmedText("TypeOfRequest"));
    return out;
}

std::optional<IfCategory> GetIFCategory(Database& db, qint64 id) {
    const auto r = db.queryOne("SELECT * FROM [IFTranslate] WHERE [IFTranslateID] = ?", {id});
    if (!r) return std::nullopt;
    return categoryOf(*r);
}

IfRefusal CheckIFCategory(const IfCategory& c) {
    if (!IfEditableInterfaces().contains(c.typeOfInterface)) return {MsgIfSelectType, {}};
    if (c.typeOfRequest.trimmed().isEmpty()) return {MsgIfEnterCategory, {}};
    if (c.logTypeId <= 0) return {MsgIfSelectLogType, {}};
    if (c.languageCode.trimmed().isEmpty()) return {MsgIfSelectLanguage, {}};
    if (c.typeOfInterface != IfHtngInterface) return {};

    // A row without an outside field carries nothing, whatever its label.
    for (int n = 0; n < IfPositions; ++n)
        if (!c.outsideField[n].trimmed().isEmpty() && c.designLabel[n].trimmed().isEmpty())
            return {IfUnmappedMessage(c.typeOfInterface), TitleIfIncompleteMapping};
    QSet<QString> used;
    for (int n = 0; n < IfPositions; ++n) {
        if (c.outsideField[n].trimmed().isEmpty()) continue;
        const QString label = c.designLabel[n].trimmed();
        // Labels are found in an entry's text regardless of case.
        if (used.contains(label.toLower()))
            return {IfMappedTwiceMessage(c.typeOfInterface, label), TitleIfIncompleteMapping};
        used.insert(label.toLower());
    }
    return {};
}

IfRefusal SaveIFCategory(Database& db, IfCategory& c) {
    const QString name = CleanSqlTextKeepAmp(c.typeOfRequest);
    QString logType;
    qint64 id = c.id;
    IfRefusal refusal;
    db.transaction([&] {
        const QVariant current =
            db.scalar("SELECT [LogType] FROM [LogType] WHERE [LogTypeID] = ?", {c.logTypeId});
        // A logbook category removed meanwhile at another desk is none chosen.
        IfCategory checked = c;
        if (!current.isValid()) checked.logTypeId = 0;
        refusal = CheckIFCategory(checked);
        if (refusal.refused()) return;
        logType = StoredText(current.toString());
        // Outside programs look a category up by interface and name: a
        // second one of the same name would never be found.
        if (db.queryOne("SELECT [IFTranslateID] FROM [IFTranslate] WHERE [TypeOfInterface] = ? "
                        "AND lower([TypeOfRequest]) = lower(?) AND [IFTranslateID] <> ?",
                        {c.typeOfInterface, name, id})) {
            refusal = {IfDuplicateMessage(c.typeOfInterface, StoredText(name)), TitleIfDuplicate};
            return;
        }
        QVariantList values{c.typeOfInterface, name,       c.logTypeId,
                            current.toString(), CleanSqlTextKeepAmp(c.languageCode)};
        for (const QString* column : {c.outsideField, c.designLabel})
            for (int n = 0; n < IfPositions; ++n)
                values << CleanSqlTextKeepAmp(column[n]);
        if (id != 0) {
            // Only a category of an editable interface is changed here; one
            // deleted at another desk meanwhile is filed again as new.
            QVariantList update = values;
            update << id << editableTypes();
            if (db.exec("UPDATE [IFTranslate] SET [TypeOfInterface] = ?, [TypeOfRequest] = ?, "
                        "[LogTypeID] = ?, [LogType] = ?, [LanguageCode] = ?, " +
                            positionColumns(" = ?") + " WHERE [IFTranslateID] = ? AND " +
                            InEditable,
                        update) > 0)
                return;
        }
        id = db.insert("INSERT INTO [IFTranslate] ([TypeOfInterface], [TypeOfRequest], "
                       "[LogTypeID], [LogType], [LanguageCode], " +
                           positionColumns("") + ") VALUES (" +
                           QString("?, ").repeated(2 * IfPositions + 4) + "?)",
                       values, "IFTranslateID");
    });
    if (refusal.refused()) return refusal;
    c.id = id;
    c.typeOfRequest = StoredText(name);
    c.logType = logType;
    c.languageCode = StoredText(CleanSqlTextKeepAmp(c.languageCode));
    for (QString* column : {c.outsideField, c.designLabel})
        for (int n = 0; n < IfPositions; ++n)
            column[n] = StoredText(CleanSqlTextKeepAmp(column[n]));
    return {};
}

bool DeleteIFCategory(Database& db, qint64 id) {
    QVariantList params{id};
    params << editableTypes();
    return db.exec("DELETE FROM [IFTranslate] WHERE [IFTranslateID] = ? AND " + InEditable,
                   params) > 0;
}

std::vector<std::pair<qint64, QString>> GetIFParameters(Database& db) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : db.query("SELECT [IFParameterID], [TypeOfInterface] FROM [IFParameter] "
                                 "ORDER BY [TypeOfInterface], [IFParameterID]"))
        out.emplace_back(r.number("IFParameterID"), r.trimmedText("TypeOfInterface"));
    return out;
}

qint64 GetIFParameterID(Database& db, const QString& type) {
    return db.scalar("SELECT [IFParameterID] FROM [IFParameter] WHERE [TypeOfInterface] = ? "
                     "ORDER BY [IFParameterID] LIMIT 1",
                     {type})
        .toLongLong();
}

QString GetIFParameterValue02(Database& db, qint64 parameterId) {
    return StoredText(
        db.scalar("SELECT [IPValue02] FROM [IFParameter] WHERE [IFParameterID] = ?", {parameterId})
            .toString());
}

qint64 GetIFConciergeID(Database& db, const QString& type) {
    return db.scalar("SELECT [ConciergeID] FROM [IFParameter] WHERE [TypeOfInterface] = ? "
                     "ORDER BY [IFParameterID] LIMIT 1",
                     {type})
        .toLongLong();
}

QString GetSpaSoftProfileID(Database& db, qint64 profileId) {
    return StoredText(db.scalar("SELECT [ExternalProfileID] FROM [HtngProfileMapper] WHERE "
                                "[InternalProfileID] = ?",
                                {profileId})
                          .toString());
}

} // namespace vm
