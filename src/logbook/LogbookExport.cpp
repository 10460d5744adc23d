#include "logbook/LogbookExport.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/Formats.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "platform/CsvWriter.h"
#include "platform/RegistryValues.h"
#include "platform/WorkerStage.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QSettings>
#include <QVarLengthArray>

namespace vm {

namespace {

const QChar SectionEnd(0x00F1); // "ñ" closes every saved section

const QString SecCategories = QStringLiteral("Logbook Categories:");
const QString SecDates = QStringLiteral("Date Ranges:Type=");
const QString SecProfileTypes = QStringLiteral("Profile Types:");
const QString SecConcierge = QStringLiteral("Concierge:");
const QString SecGroup = QStringLiteral("Group:");
const QString SecStatus = QStringLiteral("Status:");
const QString SecDatabase = QStringLiteral("Database Location:");
const QString SecSort = QStringLiteral("Sort:");

QString EscapeName(QString s) {
    s.replace('%', "%25").replace(',', "%2C").replace(':', "%3A").replace(SectionEnd, "%F1");
    return s;
}

QString UnescapeName(QString s) {
    s.replace("%2C", ",").replace("%3A", ":").replace("%F1", QString(SectionEnd));
    return s.replace("%25", "%");
}

QString JoinNames(const QStringList& names) {
    QStringList out;
    for (const QString& n : names)
        out << EscapeName(n);
    return out.join(',');
}

QStringList SplitNames(const QString& text) {
    QStringList out;
    for (const QString& n : text.split(',', Qt::SkipEmptyParts))
        out << UnescapeName(n);
    return out;
}

// "(a OR b OR c)" with one value per condition.
// "(column IN (?, ?, …))": one lookup per row however many values are chosen.
SqlPart AnyOf(const QString& column, const QVariantList& values) {
    SqlPart p;
    if (values.isEmpty()) return p;
    p.sql = "(" + column + " IN (" + QString("?, ").repeated(values.size()).chopped(2) + "))";
    p.params = values;
    return p;
}

const QHash<int, QString>& SortColumns() {
    static const QHash<int, QString> columns{
        {1, "[LogBook].[EnteredBy]"}, {2, "[LogBook].[EntryType]"}, {3, "[LogBook].[ArrivalDate]"},
        {4, "[LogBook].[ReferDate]"}, {5, "[LogBook].[ReferTime]"}, {6, "[Profile].[ProfileType]"}};
    return columns;
}

// The columns of a line before the design items, in header order.
const QStringList& FixedColumns() {
    static const QStringList columns{"LastName",  "FirstName", "GuestID",   "EntryDate",
                                     "ReferDate", "ReferTime", "EnteredBy", "EntryType",
                                     "LogID",     "RoomNumber"};
    return columns;
}

} // namespace

const QStringList& ExportSortFields() {
    static const QStringList fields{"None",        "Concierge",      "Logbook Category",
                                    "Entry Date",  "Reference Date", "Reference Time",
                                    "Profile Type"};
    return fields;
}

const QStringList& ExportSortOrders() {
    static const QStringList orders{"Ascending", "Descending"};
    return orders;
}

QString SerializeExportCriteria(const ExportCriteria& c) {
    QString out;
    if (!c.categories.empty()) {
        // A category without chosen items is kept ("id=") so it reloads chosen.
        QStringList cats;
        for (const ExportCategory& cat : c.categories) {
            QStringList items;
            for (qint64 id : cat.designIds)
                items << QString::number(id);
            cats << QString::number(cat.logTypeId) + "=" + items.join(',');
        }
        out += SecCategories + cats.join(':') + SectionEnd;
    }
    if (c.dateType != ExportDateType::None)
        out += SecDates + (c.dateType == ExportDateType::Reference ? "Reference" : "Entry") +
               " Date:DateFrom=" + Formats::ShortDate(c.dateFrom) +
               ":DateTo=" + Formats::ShortDate(c.dateTo) + SectionEnd;
    if (!c.profileTypes.isEmpty()) out += SecProfileTypes + JoinNames(c.profileTypes) + SectionEnd;
    if (!c.staff.isEmpty()) out += SecConcierge + JoinNames(c.staff) + SectionEnd;
    if (!c.groups.isEmpty()) {
        QStringList ids;
        for (qint64 g : c.groups)
            ids << QString::number(g);
        out += SecGroup + ids.join(',') + SectionEnd;
    }
    if (c.status >= 0)
        out +=
            SecStatus + QString::number(c.status) + "," + QString::number(c.cancelled) + SectionEnd;
    out += SecDatabase + QString::number(c.database) + SectionEnd;
    QStringList sort;
    for (const ExportSortLevel& s : c.sort)
        sort << QString::number(s.field) << QString::number(s.order);
    out += SecSort + sort.join(',') + SectionEnd;
    return out;
}

ExportCriteria ParseExportCriteria(const QString& text) {
    ExportCriteria c;
    // A saved text names each category, item and group once.  A damaged one
    // that repeats them (a section written twice, or many times) reads as the
    // same choice, not as ever longer conditions the engine cannot run.
    QHash<qint64, size_t> categoryAt;
    QSet<QPair<qint64, qint64>> items;
    QSet<qint64> groups;
    const auto category = [&](qint64 id) -> ExportCategory& {
        const auto known = categoryAt.constFind(id);
        if (known != categoryAt.cend()) return c.categories[*known];
        categoryAt.insert(id, c.categories.size());
        c.categories.push_back({id, {}});
        return c.categories.back();
    };
    for (const QString& section : text.split(SectionEnd, Qt::SkipEmptyParts)) {
        if (section.startsWith(SecCategories)) {
            for (const QString& cat : section.mid(SecCategories.size()).split(':')) {
                const QStringList kv = cat.split('=');
                bool ok = false;
                const qint64 id = kv.value(0).toLongLong(&ok);
                if (!ok) continue;
                ExportCategory& ec = category(id);
                for (const QString& item : kv.value(1).split(',', Qt::SkipEmptyParts))
                    if (const qint64 designId = item.toLongLong();
                        !items.contains({id, designId})) {
                        items.insert({id, designId});
                        ec.designIds.push_back(designId);
                    }
            }
        } else if (section.startsWith(SecDates)) {
            const QString rest = section.mid(SecDates.size());
            c.dateType =
                rest.startsWith("Entry") ? ExportDateType::Entry : ExportDateType::Reference;
            for (const QString& part : rest.split(':')) {
                if (part.startsWith("DateFrom="))
                    c.dateFrom = Formats::ParseShortDate(part.mid(9));
                else if (part.startsWith("DateTo="))
                    c.dateTo = Formats::ParseShortDate(part.mid(7));
            }
        } else if (section.startsWith(SecProfileTypes)) {
            c.profileTypes = SplitNames(section.mid(SecProfileTypes.size()));
            c.profileTypes.removeDuplicates();
        } else if (section.startsWith(SecConcierge)) {
            c.staff = SplitNames(section.mid(SecConcierge.size()));
            c.staff.removeDuplicates();
        } else if (section.startsWith(SecGroup)) {
            for (const QString& g : section.mid(SecGroup.size()).split(',', Qt::SkipEmptyParts))
                if (!groups.contains(g.toLongLong())) {
                    groups.insert(g.toLongLong());
                    c.groups << g.toLongLong();
                }
        } else if (section.startsWith(SecStatus)) {
            const QStringList v = section.mid(SecStatus.size()).split(',');
            c.status = qBound(0, v.value(0).toInt(), 2);
            c.cancelled = v.value(1).toInt() == 1 ? 1 : 0;
        } else if (section.startsWith(SecDatabase)) {
            c.database = section.mid(SecDatabase.size()).toInt() == 1 ? 1 : 0;
        } else if (section.startsWith(SecSort)) {
            const QStringList v = section.mid(SecSort.size()).split(',');
            for (int i = 0; i < 3; ++i) {
                c.sort[i].field = qBound(0, v.value(2 * i).toInt(), 6);
                c.sort[i].order = v.value(2 * i + 1).toInt() == 1 ? 1 : 0;
            }
        }
    }
    return c;
}

SqlPart GetCategorySQL(const QStringList& categoryNames, bool mostCategories) {
    QVariantList v;
    for (const QString& n : categoryNames)
        v << n;
    // Most of the logbook: read in key order, not row by row through the
    // category index (the expression keeps the index out on both engines).
    return AnyOf(mostCategories ? "COALESCE([LogBook].[EntryType], '')" : "[LogBook].[EntryType]",
                 v);
}

SqlPart GetDateRangeSQL(const ExportCriteria& c) {
    SqlPart p;
    if (c.dateType == ExportDateType::None) return p;
    // Dates are stored as text in the form yyyy/MM/dd, which compares in date order.
    const QString col =
        c.dateType == ExportDateType::Reference ? "[LogBook].[ReferDate]" : "[LogBook].[EntryDate]";
    p.sql = "(" + col + ">=? AND " + col + "<=?)";
    p.params = {Formats::StoredDate(c.dateFrom), Formats::StoredDate(c.dateTo)};
    return p;
}

SqlPart GetProfileTypeSQL(const ExportCriteria& c) {
    QVariantList v;
    for (const QString& t : c.profileTypes)
        v << t;
    return AnyOf("[Profile].[ProfileType]", v);
}

SqlPart GetConciergeSQL(const ExportCriteria& c) {
    QVariantList v;
    for (const QString& s : c.staff)
        v << s;
    return AnyOf("[LogBook].[EnteredBy]", v);
}

SqlPart GetGroupSQL(const ExportCriteria& c) {
    QVariantList v;
    for (qint64 g : c.groups)
        v << g;
    return AnyOf("[LogBook].[GroupID]", v);
}

SqlPart GetStatusSQL(const ExportCriteria& c) {
    SqlPart p;
    if (c.status < 0) return p;
    QStringList parts;
    if (c.status == 0 || c.status == 1) {
        parts << "[LogBook].[Complete]=?";
        p.params << (c.status == 1);
    }
    // "All" with cancelled entries left out is the cancelled condition alone.
    if (c.cancelled == 1) {
        parts << "[LogBook].[Cancelled]=?";
        p.params << false;
    }
    if (!parts.isEmpty()) p.sql = "(" + parts.join(" AND ") + ")";
    return p;
}

SqlPart BuildExportCondition(const ExportCriteria& c, const QStringList& categoryNames,
                             bool archive, int categoryTotal) {
    SqlPart all;
    QStringList parts;
    const bool most = categoryTotal > 0 && 2 * categoryNames.size() > categoryTotal;
    for (const SqlPart& p : {GetCategorySQL(categoryNames, most), GetDateRangeSQL(c),
                             archive ? SqlPart{} : GetProfileTypeSQL(c), GetConciergeSQL(c),
                             GetGroupSQL(c), GetStatusSQL(c)}) {
        if (p.isEmpty()) continue;
        parts << p.sql;
        all.params << p.params;
    }
    all.sql = parts.join(" AND ");
    return all;
}

QString ExportOrderBy(const ExportCriteria& c, bool archive) {
    QStringList keys;
    for (const ExportSortLevel& s : c.sort) {
        if (s.field <= 0 || (archive && s.field == 6)) continue;
        const QString col = SortColumns().value(s.field);
        if (col.isEmpty()) continue;
        keys << col + (s.order == 1 ? " DESC" : "");
    }
    keys << "[LogBook].[LogID]";
    return keys.join(",");
}

const QStringList& ExportFixedHeaders() {
    static const QStringList headers{"Last Name",  "First Name", "Guest ID",  "Entry Date",
                                     "Refer Date", "Refer Time", "Concierge", "Logbook Type",
                                     "Logbook ID", "Room Number"};
    return headers;
}

qint64 RunLogbookExport(AppContext& ctx, const ExportCriteria& c, const QString& file) {
    const bool archive = c.database == 1;
    if (archive && !ctx.archive)
        throw DbError(DbErrorNumber::General, "The archive database is not open.");
    Database& db = archive ? *ctx.archive : ctx.db();

    // Categories and designs are kept in the current database for both.
    QHash<qint64, QString> categoryNames;
    for (const auto& [id, name] : GetLogbookCategories(ctx.db()))
        categoryNames.insert(id, name);

    // One column per distinct label; each category maps its chosen items to columns.
    QStringList labels;
    QHash<QString, QList<int>> columnsOf; // category, lower case → column per chosen item
    QHash<QString, std::vector<DesignValueReader>> readersOf;
    QStringList chosenNames;
    for (const ExportCategory& cat : c.categories) {
        const QString name = categoryNames.value(cat.logTypeId);
        if (name.isEmpty()) continue;
        chosenNames << name;
        const std::vector<DesignElement> design = GetDEElements(ctx.db(), cat.logTypeId);
        for (qint64 itemId : cat.designIds) {
            for (const DesignElement& d : design) {
                if (d.designId != itemId) continue;
                int col = -1;
                for (int i = 0; i < labels.size() && col < 0; ++i)
                    if (labels[i].compare(d.label, Qt::CaseInsensitive) == 0) col = i;
                if (col < 0) {
                    col = int(labels.size());
                    labels << d.label;
                }
                columnsOf[name.toLower()] << col;
                readersOf[name.toLower()].emplace_back(d.label);
            }
        }
    }
    if (chosenNames.isEmpty()) return 0;

    const SqlPart where =
        BuildExportCondition(c, chosenNames, archive, int(categoryNames.size()));
    // The profile is joined only for its type, chosen or sorted by.
    const bool byProfileType =
        !c.profileTypes.isEmpty() ||
        std::any_of(c.sort.begin(), c.sort.end(), [](const ExportSortLevel& l) { return l.field == 6; });
    const QString profileJoin =
        archive || !byProfileType
            ? QString()
            : QString(" LEFT JOIN [Profile] ON [LogBook].[ProfileID] = [Profile].[ProfileID]");
    const QString from = "[LogBook]" + profileJoin;

    // The archive holds no profiles: its entries are matched against the
    // profiles of the chosen types in the current database.
    std::optional<QSet<qint64>> profileIds;
    if (archive && !c.profileTypes.isEmpty()) {
        profileIds.emplace();
        const QString marks = QString("?, ").repeated(c.profileTypes.size()).chopped(2);
        QVariantList p;
        for (const QString& t : c.profileTypes)
            p << t;
        ctx.db().forEach("SELECT [ProfileID] FROM [Profile] WHERE [ProfileType] IN (" + marks + ")",
                         p, [&](const Row& r) {
                             profileIds->insert(r.number("ProfileID"));
                             return true;
                         });
    }

    CsvWriter out(file);
    if (!out.open()) throw ExportFileError();
    if (!out.writeRow(ExportFixedHeaders() + labels)) throw ExportFileError();

    // With design items to read, each entry comes with its text pieces, one
    // row per piece right after each other (the order ends with the entry's
    // key and the piece's sequence): no second pass, nothing held per entry.
    const bool withText = !labels.isEmpty();
    QStringList select;
    for (const QString& col : FixedColumns())
        select << "[LogBook].[" + col + "]";
    select << "[LogBook].[NoteField]"
           << "[LogBook].[ProfileID]";
    QString sql = "SELECT " + select.join(", ") + (withText ? ", [LogText].[NoteField]" : "") +
                  " FROM " + from +
                  (withText ? " LEFT JOIN [LogText] ON [LogText].[LogID] = [LogBook].[LogID]" : "") +
                  " WHERE " + where.sql + " ORDER BY " + ExportOrderBy(c, archive);
    if (withText) sql += ", [LogText].[Sequence]";
    const int fixed = int(FixedColumns().size());
    const int typeAt = FixedColumns().indexOf("EntryType"), idAt = FixedColumns().indexOf("LogID");

    // The rows are read here while a second thread picks the chosen items out
    // of the texts and writes the lines; the cells travel as the engine's
    // UTF-8 and are written as they are.  On a million entries that is a
    // fraction of the time through a string per cell on one thread.
    struct Entry {
        QByteArray raw;                      // the fixed cells, then the whole text
        QVarLengthArray<qsizetype, 16> ends; // where each fixed cell ends in raw
    };
    // The worker's: a category as the rows spell it → its columns and readers
    // (null: none of its items were chosen), so an entry's category is never
    // converted to text to be looked up.
    struct ChosenItems {
        const QList<int>* columns = nullptr;
        const std::vector<DesignValueReader>* readers = nullptr;
    };
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, ChosenItems, BytesHash, std::equal_to<>> chosenByType;
    WorkerStage<Entry> writer([&](Entry& e) {
        QVarLengthArray<QByteArrayView, 32> cells;
        const QByteArrayView raw(e.raw);
        qsizetype from = 0;
        for (qsizetype end : e.ends) {
            cells.append(raw.sliced(from, end - from));
            from = end;
        }
        QVarLengthArray<QByteArray, 16> values;
        if (withText) {
            // Columns of other categories' items stay empty.
            values.resize(labels.size());
            const std::string_view type(cells[typeAt].data(), size_t(cells[typeAt].size()));
            auto chosen = chosenByType.find(type);
            if (chosen == chosenByType.end()) {
                const QString category = QString::fromUtf8(cells[typeAt]).toLower();
                const auto cols = columnsOf.constFind(category);
                const auto own = readersOf.constFind(category);
                ChosenItems items;
                if (cols != columnsOf.constEnd()) items = {&*cols, &*own};
                chosen = chosenByType.emplace(std::string(type), items).first;
            }
            if (const ChosenItems& items = chosen->second; items.columns) {
                const QString text = QString::fromUtf8(raw.sliced(from));
                for (int i = 0; i < items.columns->size(); ++i)
                    values[(*items.columns)[i]] = (*items.readers)[size_t(i)].read(text).toUtf8();
            }
            for (const QByteArray& v : values)
                cells.append(v);
        }
        if (!out.writeRow(std::span<const QByteArrayView>(cells.data(), size_t(cells.size()))))
            throw ExportFileError();
    });

    qint64 count = 0;
    Entry entry;
    qint64 pendingId = 0;
    bool pending = false;
    auto writePending = [&] {
        if (!pending) return;
        pending = false;
        writer.push(std::move(entry));
        entry = {};
        ++count;
    };
    db.forEach(sql, where.params, [&](const Row& r) {
        qint64 id = 0;
        r.integer(idAt, id);
        if (pending && id == pendingId) { // the entry's next text piece
            r.appendUtf8(fixed + 2, entry.raw);
            return true;
        }
        writePending();
        if (profileIds) {
            qint64 profile = 0;
            r.integer(fixed + 1, profile);
            if (!profileIds->contains(profile)) return true;
        }
        entry.raw.reserve(withText ? 512 : 128);
        for (int i = 0; i < fixed; ++i) {
            r.appendUtf8(i, entry.raw);
            entry.ends.append(entry.raw.size());
        }
        if (withText) {
            r.appendUtf8(fixed, entry.raw);
            r.appendUtf8(fixed + 2, entry.raw);
        }
        pendingId = id;
        pending = true;
        return true;
    });
    writePending();
    writer.finish();
    if (count == 0) {
        out.cancel();
        return 0;
    }
    if (!out.commit()) throw ExportFileError();
    return count;
}

QStringList ExportStaffNames(Database& db) {
    QStringList out;
    for (const Row& r : db.query("SELECT [Concierge] FROM [Concierge] ORDER BY [Concierge]"))
        if (!r.trimmedText("Concierge").isEmpty()) out << r.text("Concierge");
    return out;
}

std::vector<std::pair<qint64, QString>> ExportGroups(Database& db) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : db.query("SELECT [GroupID], [GroupName] FROM [Group] ORDER BY [GroupName]"))
        out.emplace_back(r.number("GroupID"), r.text("GroupName"));
    return out;
}

bool ExportDefinitionsAvailable(Database& db) {
    return db.tableExists("LogbookExportDefs");
}

qint64 CreateExportDefinition(Database& db, const QString& name) {
    const qint64 inUse =
        db.scalar("SELECT COUNT(*) FROM [LogbookExportDefs] WHERE LOWER([DefName]) = LOWER(?)",
                  {name})
            .toLongLong();
    if (inUse > 0) return 0;
    return db.insert("INSERT INTO [LogbookExportDefs] ([DefName], [Definition]) VALUES(?, ?)",
                     {name, QString()}, "ID");
}

void SaveExportDefinition(AppContext& ctx, qint64 id, const ExportCriteria& c,
                          const QString& outputFile) {
    ctx.db().exec("UPDATE [LogbookExportDefs] SET [Definition]=? WHERE [ID]=?",
                  {SerializeExportCriteria(c), id});
    INIWrite(ExportIniSection, ExportIniKey(id), outputFile, ctx.iniFile());
}

std::vector<ExportDefinitionName> LoadSavedExportDefinitions(Database& db) {
    std::vector<ExportDefinitionName> out;
    for (const Row& r :
         db.query("SELECT [ID],[DefName] FROM [LogbookExportDefs] ORDER BY [DefName]"))
        out.push_back({r.number("ID"), r.text("DefName")});
    return out;
}

std::optional<ExportCriteria> LoadExportDefinition(Database& db, qint64 id) {
    const QString text =
        db.scalar("SELECT [Definition] FROM [LogbookExportDefs] WHERE [ID]=?", {id}).toString();
    if (text.trimmed().isEmpty()) return std::nullopt;
    return ParseExportCriteria(text);
}

void DeleteExportDefinition(AppContext& ctx, qint64 id) {
    ctx.db().exec("DELETE FROM [LogbookExportDefs] WHERE [ID]=?", {id});
    QSettings ini(ctx.iniFile(), QSettings::IniFormat);
    ini.remove(ExportIniSection + "/" + ExportIniKey(id));
    ini.sync();
}

QString ExportIniKey(qint64 id) {
    return "ExportID_" + QString::number(id);
}

QString ExportOutputFile(const AppContext& ctx, qint64 id) {
    const QString fallback = QDir(ctx.workstation.outputFolder()).filePath(DefaultExportFileName);
    if (id <= 0) return fallback;
    const QString saved = INIRead(ExportIniSection, ExportIniKey(id), ctx.iniFile());
    return saved.isEmpty() ? fallback : saved;
}

QString EmptyDefinitionMessage(const QString& name) {
    return "The definition for '" + name + "' is empty. Please\r\n" +
           "select your definition criteria and click the save button.";
}

QString DeleteDefinitionMessage(const QString& name) {
    return "You have chosen to delete the following Export Definition:\r\n'" + name +
           "'\r\nAre you sure you wish to delete this definition";
}

QString ExportCompleteMessage(qint64 count, const QString& file) {
    return "You have successfully exported " + QString::number(count) +
           " records\r\nat the following location:\r\n" + QDir::toNativeSeparators(file) +
           "\r\nWould you like to view it now?";
}

} // namespace vm
