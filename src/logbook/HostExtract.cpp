#include "logbook/HostExtract.h"

#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/LogText.h"

#include <QDir>
#include <QHash>
#include <QTemporaryFile>
#include <filesystem>
#include <map>

namespace vm {

namespace {

// The file's own tables; nothing else reads or writes them.
const char* const Tables[] = {
    "CREATE TABLE [LogAD] ([LogID] INTEGER, [FirstName] TEXT, [LastName] TEXT, "
    "[EntryType] TEXT, [ReferDate] TEXT, [ArrivalDate] TEXT, [EnteredBy] TEXT, "
    "[EntryDate] TEXT, [EntryTime] TEXT, [Status] TEXT)",
    "CREATE TABLE [LogDE] ([LogID] INTEGER, [Sequence] INTEGER, [Heading] TEXT, "
    "[Detail] TEXT)",
    "CREATE TABLE [LogDEB] ([LogID] INTEGER, [ExtraInfo] TEXT)",
};

struct Entry {
    Row row;
    QString text;
};

// The entries of the period with their whole texts, in guest-name order.
std::vector<Entry> readEntries(Database& db, const QDate& from, const QDate& to) {
    const QVariantList range{Formats::StoredDate(from), Formats::StoredDate(to)};
    std::map<qint64, QStringList> pieces;
    for (const Row& r : db.query("SELECT T.[LogID], T.[NoteField] FROM [LogText] T INNER JOIN "
                                 "[LogBook] L ON T.[LogID] = L.[LogID] WHERE L.[ReferDate] >= ? "
                                 "AND L.[ReferDate] <= ? ORDER BY T.[LogID], T.[Sequence]",
                                 range))
        pieces[r.number("LogID")] << r.text("NoteField");
    std::vector<Entry> out;
    for (const Row& r :
         db.query("SELECT [LogID], [FirstName], [LastName], [EntryType], [ReferDate], "
                  "[ArrivalDate], [EnteredBy], [EntryDate], [EntryTime], [Pending], "
                  "[Cancelled], [Complete], [NoteField] FROM [LogBook] WHERE [ReferDate] >= ? "
                  "AND [ReferDate] <= ? ORDER BY [LastName], [FirstName], [LogID]",
                  range))
        out.push_back({r, JoinLogText(r.text("NoteField"), pieces[r.number("LogID")])});
    return out;
}

void writeEntries(AppContext& ctx, Database& file, const std::vector<Entry>& entries) {
    QHash<QString, std::vector<DesignItem>> designs; // by category name
    for (const Entry& e : entries) {
        const Row& r = e.row;
        const qint64 logId = r.number("LogID");
        file.exec("INSERT INTO [LogAD] ([LogID], [FirstName], [LastName], [EntryType], "
                  "[ReferDate], [ArrivalDate], [EnteredBy], [EntryDate], [EntryTime], [Status]) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {logId, r.text("FirstName"), r.text("LastName"), r.text("EntryType"),
                   r.text("ReferDate"), r.text("ArrivalDate"), r.text("EnteredBy"),
                   r.text("EntryDate"), r.text("EntryTime"),
                   HostStatus(r.flag("Pending"), r.flag("Cancelled"), r.flag("Complete"))});

        const QString category = r.text("EntryType");
        if (!designs.contains(category))
            designs.insert(category,
                           GetLogbookBackPanelItems(ctx.db(), GetLogTypeID(ctx.db(), category)));
        QStringList found;
        for (const DesignItem& item : designs.value(category)) {
            const QString value = ReadDesignValue(e.text, item.labelText);
            if (value.trimmed().isEmpty()) continue;
            found << item.labelText;
            file.exec("INSERT INTO [LogDE] ([LogID], [Sequence], [Heading], [Detail]) VALUES "
                      "(?, ?, ?, ?)",
                      {logId, item.sequenceNo, item.labelText, value});
        }
        const QString extra = e.text.mid(DesignLinesEnd(e.text, found)).trimmed();
        if (!extra.isEmpty())
            file.exec("INSERT INTO [LogDEB] ([LogID], [ExtraInfo]) VALUES (?, ?)", {logId, extra});
    }
}

} // namespace

QString HostStatus(bool pending, bool cancelled, bool complete) {
    if (cancelled) return QStringLiteral("Cancelled");
    if (complete) return QStringLiteral("Complete");
    if (pending) return QStringLiteral("Pending");
    return QStringLiteral("Incomplete");
}

QString MsgHostExtractNotWritten(const QString& folder) {
    return "The hand-held synchronization file could not be written to " + folder +
           ".  The previous file was left as it was.";
}

QString MsgHostExtractBuilt(int entries, const QString& path) {
    return QString::number(entries) + " Logbook entries were written to " + path + ".";
}

HostExtractResult BuildHostTable(AppContext& ctx, const QDate& from, const QDate& to) {
    HostExtractResult result;
    const QString folder = QDir(ctx.workstation.outputFolder()).filePath(HostExtractFolder);
    result.path = QDir(folder).filePath(HostExtractFile);
    result.message = MsgHostExtractNotWritten(folder);
    if (!QDir().mkpath(folder)) return result;

    // Read before anything is written: a database error leaves no file behind.
    const std::vector<Entry> entries = readEntries(ctx.db(), from, to);

    QTemporaryFile partial(QDir(folder).filePath(HostExtractFile + ".XXXXXX"));
    if (!partial.open()) return result;
    partial.close();
    try {
        DbLocation where;
        where.file = partial.fileName();
        auto file = Database::open(where, true);
        file->transaction([&] {
            for (const char* sql : Tables)
                file->exec(QString::fromLatin1(sql));
            writeEntries(ctx, *file, entries);
        });
        file->close();
    } catch (const DbError&) {
        return result; // the partial file goes with `partial`
    }
    std::error_code failed;
    std::filesystem::rename(partial.fileName().toStdString(), result.path.toStdString(), failed);
    if (failed) return result;
    partial.setAutoRemove(false); // it is the file now
    result.ok = true;
    result.entries = int(entries.size());
    result.message = MsgHostExtractBuilt(result.entries, result.path);
    return result;
}

} // namespace vm
