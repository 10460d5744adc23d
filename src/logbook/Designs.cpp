#include "logbook/Designs.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "logbook/Categories.h"
#include "logbook/LogText.h"

#include <QHash>
#include <QSet>
#include <map>

namespace vm {

namespace {

const QString SelectDesignSql =
    QStringLiteral("SELECT * FROM [DEDesign] WHERE [LogTypeID] = ? ORDER BY [SequenceNo]");

const QString InsertLineSql =
    QStringLiteral("INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText], [EncryptThis], "
                   "[ResortClubLocked], [DoNotPrint], [Contact2DE]) VALUES (?, ?, ?, ?, ?, ?, ?)");

const QString UpdateLineSql = QStringLiteral(
    "UPDATE [DEDesign] SET [SequenceNo] = ?, [LabelText] = ?, [EncryptThis] = ?, "
    "[ResortClubLocked] = ?, [DoNotPrint] = ?, [Contact2DE] = ? WHERE [DesignID] = ?");

// The explanation that follows both refusals of the label rules.
const QString LabelRulesExplanation = QStringLiteral(
    "\r\n\r\nThe value of a line is found again by searching the entry's text for its "
    "label, so every label must be told apart from the others.\r\n"
    "For example, two labels of 'Address:' may become 'Address 1:' and 'Address 2:', "
    "and 'Address:' with 'Home Address:' may become 'Address 1:' and 'Address 2:'.");

DesignLine lineFrom(const Row& r) {
    DesignLine l;
    l.designId = r.number("DesignID");
    l.label = r.text("LabelText");
    l.numbersOnly = r.flag("EncryptThis");
    l.doNotPrint = r.flag("DoNotPrint");
    l.contact2DE = r.flag("Contact2DE");
    l.locked = r.flag("ResortClubLocked");
    return l;
}

// The first 15 lines that carry a label, with their sequence numbers.
std::vector<std::pair<int, DesignLine>> savedLines(const std::vector<DesignLine>& lines) {
    std::vector<std::pair<int, DesignLine>> out;
    const int n = std::min<int>(int(lines.size()), MaxDesignLines);
    for (int i = 0; i < n; ++i) {
        if (lines[i].isEmpty()) continue;
        DesignLine l = lines[i];
        l.label = NormaliseLabel(l.label);
        out.emplace_back(i + 1, l);
    }
    return out;
}

// The category's printed forms name their lines by label text: they follow a rename.
void relabelFormLines(Database& db, qint64 logTypeId, const LabelRenames& renames) {
    for (const Row& r : db.query("SELECT [DEFormSID], [SequenceNo], [LabelText] FROM [DEFormD] "
                                 "WHERE [DEFormSID] IN (SELECT [DEFormSID] FROM [DEFormS] WHERE "
                                 "[LogTypeID] = ?)",
                                 {logTypeId})) {
        const QString old = r.text("LabelText");
        for (const auto& [from, to] : renames)
            if (old.compare(from, Qt::CaseInsensitive) == 0) {
                db.exec("UPDATE [DEFormD] SET [LabelText] = ? WHERE [DEFormSID] = ? AND "
                        "[SequenceNo] = ? AND [LabelText] = ?",
                        {to, r.number("DEFormSID"), r.number("SequenceNo"), old});
                break;
            }
    }
}

} // namespace

std::vector<DesignLine> GetDEEditDefinition(Database& db, qint64 logTypeId) {
    std::vector<DesignLine> out;
    for (const Row& r : db.query(SelectDesignSql, {logTypeId}))
        out.push_back(lineFrom(r));
    return out;
}

std::vector<DesignElement> GetDEElements(Database& db, qint64 logTypeId) {
    std::vector<DesignElement> out;
    for (const Row& r : db.query("SELECT [DesignID], [LabelText] FROM [DEDesign] WHERE "
                                 "[LogTypeID] = ? ORDER BY [SequenceNo]",
                                 {logTypeId}))
        out.push_back({r.number("DesignID"), r.text("LabelText")});
    return out;
}

QStringList GetUniqueDEs(Database& db) {
    QStringList out;
    for (const Row& r :
         db.query("SELECT DISTINCT [LabelText] FROM [DEDesign] ORDER BY [LabelText]"))
        out << r.text("LabelText");
    return out;
}

std::vector<std::pair<qint64, QString>> GetCloneCandidates(Database& db) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : db.query("SELECT DISTINCT D.[LogTypeID], L.[LogType] FROM [DEDesign] D "
                                 "INNER JOIN [LogType] L ON D.[LogTypeID] = L.[LogTypeID] "
                                 "ORDER BY L.[LogType]"))
        out.emplace_back(r.number("LogTypeID"), r.text("LogType"));
    return out;
}

bool IsDesignLocked(Database& db, qint64 logTypeId) {
    const auto c = GetLogTypeFlags(db, logTypeId);
    if (c && c->resortClubLocked) return true;
    return db
        .queryOne("SELECT [DesignID] FROM [DEDesign] WHERE [LogTypeID] = ? AND "
                  "[ResortClubLocked] = ?",
                  {logTypeId, true})
        .has_value();
}

QString NormaliseLabel(const QString& typed) {
    QString label = typed.trimmed();
    if (label.isEmpty()) return {};
    // Entry texts are stored with quotes and bars made safe; a label must
    // match what its line turns into there.
    label = CleanSqlTextKeepAmp(label);
    if (!label.endsWith(':')) label += ':';
    return label;
}

QString DuplicateLabelsMessage(const QString& label) {
    return "We have found duplicate labels (" + label + ") defined." + LabelRulesExplanation;
}

QString EndingLabelsMessage(const QString& first, const QString& second) {
    return "We have found two labels ('" + first + "' And '" + second + "')" +
           " where the second label ENDS with the same exact text of the first label." +
           LabelRulesExplanation;
}

QString CheckDesign(const std::vector<DesignLine>& lines) {
    QStringList labels;
    for (const auto& [sequence, line] : savedLines(lines))
        labels << line.label;
    for (int i = 0; i < labels.size(); ++i)
        for (int j = i + 1; j < labels.size(); ++j)
            if (labels[i].compare(labels[j], Qt::CaseInsensitive) == 0)
                return DuplicateLabelsMessage(labels[i]);
    // Both orders of each pair: the reader would find the shorter label
    // inside the longer one wherever the longer one stands.
    for (int i = 0; i < labels.size(); ++i)
        for (int j = 0; j < labels.size(); ++j)
            if (i != j && labels[j].endsWith(labels[i], Qt::CaseInsensitive))
                return EndingLabelsMessage(labels[i], labels[j]);
    return {};
}

QString RelabelText(const QString& text, const LabelRenames& renames) {
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        if (at == 0 || text.at(at - 1) == '\n') {
            const QStringView rest = QStringView(text).mid(at);
            const std::pair<QString, QString>* match = nullptr;
            for (const auto& r : renames)
                if (!r.first.isEmpty() && rest.startsWith(r.first, Qt::CaseInsensitive) &&
                    (!match || r.first.size() > match->first.size()))
                    match = &r;
            if (match) {
                out += match->second;
                at += match->first.size();
                continue;
            }
        }
        out += text.at(at++);
    }
    return out;
}

int UpdateDEDesign(Database& db, const QString& categoryName, const LabelRenames& renames,
                   const QString& initials, const QString& logDateTime) {
    if (renames.empty()) return 0;
    int changed = 0;
    db.transaction([&] {
        // Two reads for the whole category rather than one per entry.
        std::map<qint64, QStringList> pieces;
        for (const Row& r : db.query("SELECT T.[LogID], T.[NoteField] FROM [LogText] T INNER JOIN "
                                     "[LogBook] L ON T.[LogID] = L.[LogID] WHERE L.[EntryType] = "
                                     "? ORDER BY T.[LogID], T.[Sequence]",
                                     {categoryName}))
            pieces[r.number("LogID")] << r.text("NoteField");
        const std::vector<Row> entries = db.query(
            "SELECT [LogID], [NoteField] FROM [LogBook] WHERE [EntryType] = ?", {categoryName});
        for (const Row& r : entries) {
            const qint64 logId = r.number("LogID");
            const QString text = JoinLogText(r.text("NoteField"), pieces[logId]);
            const QString relabelled = RelabelText(text, renames);
            if (relabelled == text) continue;
            const SplitText split = SplitLogText(relabelled);
            db.exec("UPDATE [LogBook] SET [NoteField] = ? WHERE [LogID] = ?",
                    {split.noteField.isEmpty() ? QString(" ") : split.noteField, logId});
            db.exec("INSERT INTO [LogbookHistory] ([LogbookID], [Initials], [LogDateTime], "
                    "[Reason]) VALUES (?, ?, ?, ?)",
                    {logId, initials, logDateTime, ReasonDesignChanged});
            db.exec("DELETE FROM [LogText] WHERE [LogID] = ?", {logId});
            int sequence = 0;
            for (const QString& piece : LogTextPieces(split.overflow))
                db.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)",
                        {logId, ++sequence, piece});
            ++changed;
        }
    });
    return changed;
}

QString SaveDesign(AppContext& ctx, qint64 logTypeId, const std::vector<DesignLine>& lines) {
    Database& db = ctx.db();
    const auto category = GetLogTypeFlags(db, logTypeId);
    if (!category) throw DbError(DbErrorNumber::General, "The Logbook Category no longer exists.");
    if (IsDesignLocked(db, logTypeId)) return MsgCategoryLocked;
    const QString refusal = CheckDesign(lines);
    if (!refusal.isEmpty()) return refusal;

    const auto wanted = savedLines(lines);
    const QString stamp = Formats::StoredDateTime(ctx.clock().now());
    db.transaction([&] {
        QHash<qint64, QString> stored; // DesignID → label
        for (const DesignLine& l : GetDEEditDefinition(db, logTypeId))
            stored.insert(l.designId, l.label);

        // A line is the same line while it keeps its DesignID, wherever it moved:
        // its id stays (other tables refer to it) and a new label is a rename.
        LabelRenames renames;
        QSet<qint64> kept;
        for (const auto& [sequence, line] : wanted) {
            if (!stored.contains(line.designId) || kept.contains(line.designId)) continue;
            kept.insert(line.designId);
            const QString old = stored.value(line.designId);
            if (old != line.label) renames.emplace_back(old, line.label);
        }
        UpdateDEDesign(db, category->name, renames, ctx.session.initials, stamp);
        if (!renames.empty()) relabelFormLines(db, logTypeId, renames);

        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            if (!kept.contains(it.key()))
                db.exec("DELETE FROM [DEDesign] WHERE [DesignID] = ?", {it.key()});
        QSet<qint64> written;
        for (const auto& [sequence, line] : wanted) {
            const bool update = kept.contains(line.designId) && !written.contains(line.designId);
            const QVariantList values = {sequence,    line.label,      line.numbersOnly,
                                         line.locked, line.doNotPrint, line.contact2DE};
            if (update) {
                written.insert(line.designId);
                db.exec(UpdateLineSql, QVariantList(values) << line.designId);
            } else {
                db.insert(InsertLineSql, QVariantList{logTypeId} + values, "DesignID");
            }
        }
        // The archive is a database of its own; it commits just before the
        // current one, so a failure there leaves both as they were.
        if (ctx.archive && !renames.empty())
            UpdateDEDesign(*ctx.archive, category->name, renames, ctx.session.initials, stamp);
    });
    LogMessage(ctx.start.databaseFolder,
               DesignChangedActivityLine(ctx.session.name, category->name, ctx.clock().now(),
                                         ctx.workstation.computerName),
               ctx.clock());
    return {};
}

QString DesignChangedActivityLine(const QString& staff, const QString& category,
                                  const QDateTime& when, const QString& computer) {
    return "User: " + staff + " Changed the Logbook Category: " + category +
           " on: " + Formats::AuditStamp(when) + " at PC Named: " + computer;
}

} // namespace vm
