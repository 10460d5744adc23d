#include "guests/HandheldContacts.h"

#include "core/DataAccess.h"
#include "logbook/HostExtract.h"

#include <QDir>
#include <QTemporaryFile>
#include <filesystem>

namespace vm {

namespace {

const char* const Tables[] = {
    "CREATE TABLE [Contact] ([ContactID] INTEGER, [ContactName] TEXT, [NickName] TEXT, "
    "[Address] TEXT, [CrossStreets] TEXT, [City] TEXT, [State] TEXT, [PostalCode] TEXT, "
    "[KeywordSet] TEXT, [Rating] INTEGER, [Ranking] INTEGER)",
    "CREATE TABLE [Search] ([ContactID] INTEGER, [ContactName] TEXT)",
    "CREATE TABLE [KeySearch] ([ContactID] INTEGER, [KeywordSet] TEXT, [ContactName] TEXT)",
};

const QStringList Columns{"ContactID",    "ContactName", "NickName", "Address",
                          "CrossStreets", "City",        "State",    "PostalCode",
                          "KeywordSet",   "Rating",      "Ranking"};

// The values copied, as the hand-held shows them (no stored blanks).
QVariantList Copied(const Row& r) {
    QVariantList values;
    for (const QString& c : Columns) {
        if (c == "ContactID" || c == "Rating" || c == "Ranking")
            values << r.number(c);
        else
            values << r.trimmedText(c);
    }
    return values;
}

} // namespace

QString HandheldFolder(AppContext& ctx) {
    return QDir(ctx.workstation.outputFolder()).filePath(HostExtractFolder);
}

QString MsgHandheldContactsBuilt(int contacts, const QString& path) {
    return QString::number(contacts) + " Contact entries were written to " + path + ".";
}

QString MsgHandheldContactsNotWritten(const QString& folder) {
    return "The hand-held contact file could not be written to " + folder +
           ".  The previous file was left as it was.";
}

HandheldContactsResult BuildHandheldContactFile(AppContext& ctx, const QString& folder) {
    HandheldContactsResult result;
    result.path = QDir(folder).filePath(HandheldContactFile);
    result.message = MsgHandheldContactsNotWritten(folder);
    if (!QDir().mkpath(folder)) return result;

    // Read before anything is written: a database error leaves no file behind.
    std::vector<Row> contacts;
    try {
        contacts = ctx.contactsDb().query("SELECT [" + Columns.join("], [") +
                                          "] FROM [Contact] ORDER BY [ContactName], [ContactID]");
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "BuildHandheldContactFile", "modContacts");
        return result;
    }

    QTemporaryFile partial(QDir(folder).filePath(HandheldContactFile + ".XXXXXX"));
    if (!partial.open()) return result;
    partial.close();
    try {
        DbLocation where;
        where.file = partial.fileName();
        auto file = Database::open(where, true);
        file->transaction([&] {
            for (const char* sql : Tables)
                file->exec(QString::fromLatin1(sql));
            const QString marks = QStringList(Columns.size(), "?").join(", ");
            for (const Row& r : contacts) {
                const QVariantList values = Copied(r);
                const QVariant id = values[0], name = values[1];
                file->exec("INSERT INTO [Contact] ([" + Columns.join("], [") + "]) VALUES (" +
                               marks + ")",
                           values);
                file->exec("INSERT INTO [Search] ([ContactID], [ContactName]) VALUES (?, ?)",
                           {id, name});
                for (const QString& k : values[8].toString().split(',')) {
                    if (k.trimmed().isEmpty()) continue;
                    file->exec("INSERT INTO [KeySearch] ([ContactID], [KeywordSet], "
                               "[ContactName]) VALUES (?, ?, ?)",
                               {id, k.trimmed(), name});
                    ++result.keywords;
                }
            }
        });
        file->close();
    } catch (const DbError&) {
        result.keywords = 0;
        return result; // the partial file goes with `partial`
    }
    std::error_code failed;
    std::filesystem::rename(partial.fileName().toStdString(), result.path.toStdString(), failed);
    if (failed) return result;
    partial.setAutoRemove(false);
    result.ok = true;
    result.contacts = int(contacts.size());
    result.message = MsgHandheldContactsBuilt(result.contacts, result.path);
    return result;
}

} // namespace vm
