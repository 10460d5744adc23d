#include "logbook/reports/ReportData.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "logbook/EntryLetter.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"
#include "security/CardData.h"

#include <QDir>
#include <QHash>
#include <algorithm>

namespace vm {

LogSource RequestSource(const PrintRequest& r) {
    return r.args.value(ArgArchive).toBool() ? LogSource::Archive : LogSource::Current;
}

std::vector<qint64> RequestIds(const PrintRequest& r) {
    std::vector<qint64> ids;
    if (r.args.contains(ArgLogIds)) {
        for (const QVariant& v : r.args.value(ArgLogIds).toList())
            if (const qint64 id = v.toLongLong(); id > 0) ids.push_back(id);
    } else if (const qint64 id = r.args.value(ArgLogId).toLongLong(); id > 0) {
        ids.push_back(id);
    }
    return ids;
}

namespace {

bool VmFlag(Database& db, const QString& key) {
    return GetVmSetting(db, key).trimmed().compare("True", Qt::CaseInsensitive) == 0;
}

QString VmText(Database& db, const QString& key, const QString& fallback) {
    const QString value = GetVmSetting(db, key).trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace

doc::Margins LetterMargins(double top, double bottom, double left, double right,
                           const doc::Margins& fallback) {
    // A margin is taken as set when it lies in what a sheet can hold; an unset
    // (0) or absurd value keeps the default of that side.
    auto side = [](double v, double otherwise) { return v > 0 && v <= 5.5 ? v : otherwise; };
    return {side(top, fallback.top), side(bottom, fallback.bottom), side(left, fallback.left),
            side(right, fallback.right)};
}

PrintSettings LoadPrintSettings(AppContext& ctx) {
    Database& db = ctx.db();
    Prompt* p = &ctx.prompt();
    PrintSettings s;
    s.referenceDateFormat = VmText(db, "ReferenceDateFormat", s.referenceDateFormat);
    s.arrivalDateFormat = VmText(db, "ArrivalDateFormat", s.arrivalDateFormat);
    s.printSpouseName = VmFlag(db, "PrintSpouseName");
    s.noReferTime = VmFlag(db, "NoReferTime");
    s.printRoom = GetBooleanSetting(db, "PrintRoom", p);
    s.printRmNo = GetBooleanSetting(db, "PrintRmNO", p);
    s.noCreditCards = GetBooleanSetting(db, "NoCreditCards", p);
    s.printTeam = GetBooleanSetting(db, "PrintTeam", p);
    s.signatureSpacing = GetBooleanSetting(db, "SignatureSpacing", p);
    s.printLogId = GetBooleanSetting(db, "PrintLogID", p);
    s.printMasterId = GetBooleanSetting(db, "PrintMasterID", p);
    s.unNotifiedOnly = GetBooleanSetting(db, "UnNotifiedOnly", p);
    s.useLogo = GetBooleanSetting(db, "UseLHLogo", p);
    s.valediction = GetTextSetting(db, "Valediction", p).trimmed();
    s.confirmationText1 = GetTextSetting(db, "ConfirmationText1", p).trimmed();
    s.bulkPrintNotify = GetTextSetting(db, "BulkPrintNotify", p).trimmed();
    if (!ctx.globals.lhFontName.trimmed().isEmpty()) s.fontName = ctx.globals.lhFontName;
    if (ctx.globals.lhFontSize > 0) s.fontSize = ctx.globals.lhFontSize;
    s.logoPath = QDir(ctx.workstation.programFolder).filePath("Images/picVmLogo.gif");
    const Globals& g = ctx.globals;
    s.letterMargins = LetterMargins(g.lhTopMargin, g.lhBottomMargin, g.lhLeftMargin,
                                    g.lhRightMargin, s.letterMargins);
    s.confirmationMargins = LetterMargins(g.cfTopMargin, g.cfBottomMargin, g.cfLeftMargin,
                                          g.cfRightMargin, s.confirmationMargins);
    return s;
}

QString SourceName(LogSource source) {
    return source == LogSource::Archive ? QStringLiteral("Archive") : QStringLiteral("Current");
}

QString MsgEntryNotFound(qint64 logId, LogSource source) {
    return "Logbook Entry " + QString::number(logId) + " was not found in the " +
           SourceName(source) + " database.  Nothing was printed.";
}

LogEntry RequestedEntry(AppContext& ctx, const PrintRequest& r) {
    const LogSource source = RequestSource(r);
    const qint64 id = r.args.value(ArgLogId).toLongLong();
    std::optional<LogEntry> e;
    if (id > 0) e = LogbookStore(ctx).GetTheLogEntry(id, source);
    if (!e) throw ReportRefused(MsgEntryNotFound(id, source));
    return *e;
}

QString GuestEmailOfEntry(AppContext& ctx, qint64 logId, LogSource source) {
    if (logId <= 0) return {};
    const QVariant profileId = LogbookStore(ctx).db(source).scalar(
        "SELECT [ProfileID] FROM [LogBook] WHERE [LogID] = ?", {logId});
    if (profileId.toLongLong() <= 0) return {};
    return ctx.db()
        .scalar("SELECT [EmailAddress] FROM [Profile] WHERE [ProfileID] = ?",
                {profileId.toLongLong()})
        .toString()
        .trimmed();
}

std::vector<LogEntry> ReadEntries(AppContext& ctx, const std::vector<qint64>& ids,
                                  LogSource source) {
    Database& db = LogbookStore(ctx).db(source);
    QHash<qint64, LogEntry> found;
    found.reserve(qsizetype(ids.size()));
    // In slices, so a long list never outgrows the engine's parameter limit.
    constexpr size_t Slice = 400;
    db.snapshot([&] {
        for (size_t from = 0; from < ids.size(); from += Slice) {
            QStringList marks;
            QVariantList params;
            for (size_t i = from; i < std::min(ids.size(), from + Slice); ++i) {
                marks << "?";
                params << ids[i];
            }
            const QString in = " IN (" + marks.join(',') + ")";
            QHash<qint64, QString> notes;
            LogRowReader reader;
            for (const Row& r : db.query("SELECT * FROM [LogBook] WHERE [LogID]" + in, params)) {
                LogEntry e = reader.read(r);
                notes.insert(e.logId, r.text("NoteField"));
                found.insert(e.logId, std::move(e));
            }
            QHash<qint64, QStringList> pieces;
            for (const Row& r :
                 db.query("SELECT [LogID], [NoteField] FROM [LogText] WHERE [LogID]" + in +
                              " ORDER BY [LogID], [Sequence]",
                          params))
                pieces[r.number("LogID")] << r.text("NoteField");
            for (auto it = notes.cbegin(); it != notes.cend(); ++it)
                found[it.key()].text = JoinLogText(it.value(), pieces.value(it.key()));
        }
    });
    std::vector<LogEntry> out;
    out.reserve(size_t(found.size()));
    for (qint64 id : ids)
        if (auto it = found.constFind(id); it != found.constEnd()) out.push_back(it.value());
    return out;
}

QString PaperText(const QString& text, const PrintSettings& s) {
    return CreditCardISM(text, s.noCreditCards);
}

QString GuestRequestText(const QString& text, const QStringList& hiddenLabels,
                         const PrintSettings& s) {
    QStringList lines;
    for (const QString& note : EntryNotes(text, false))
        for (const QString& line : note.split(CRLF)) {
            const bool hidden =
                std::any_of(hiddenLabels.begin(), hiddenLabels.end(), [&](const QString& label) {
                    return line.startsWith(label, Qt::CaseInsensitive);
                });
            if (!hidden) lines << line;
        }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return PaperText(lines.join(CRLF), s);
}

QStringList HiddenDesignLabels(Database& db, const QString& category) {
    QStringList labels;
    if (const qint64 id = GetLogTypeID(db, category); id > 0)
        for (const DesignLine& l : GetDEEditDefinition(db, id))
            if (l.doNotPrint && !l.isEmpty()) labels << l.label.trimmed();
    return labels;
}

QList<QPair<QString, QString>> DesignFieldValues(Database& db, const LogEntry& e, bool guest) {
    QList<QPair<QString, QString>> out;
    const qint64 id = GetLogTypeID(db, e.entryType);
    if (id <= 0) return out;
    for (const DesignLine& l : GetDEEditDefinition(db, id)) {
        if (l.isEmpty() || (guest && l.doNotPrint)) continue;
        const QString value = ReadDesignValue(e.text, l.label).trimmed();
        if (!value.isEmpty()) out.append({l.label.trimmed(), value});
    }
    return out;
}

QString PrintedDate(const QString& stored, const QString& formatName) {
    return Formats::NamedDate(Formats::ParseStoredDate(stored.trimmed().left(10)), formatName);
}

QString PrintedReferWhen(const LogEntry& e, const PrintSettings& s) {
    QString when = PrintedDate(e.referDate, s.referenceDateFormat);
    const QTime time = Formats::ParseTime(e.referTime.trimmed());
    if (!when.isEmpty() && time.isValid() && !s.noReferTime) when += " at " + Formats::Time12(time);
    return when;
}

QString GuestFullName(const LogEntry& e) {
    return (e.firstName.trimmed() + " " + e.lastName.trimmed()).trimmed();
}

QString SpouseName(Database& db, qint64 profileId) {
    if (profileId <= 0 || !db.tableExists("ProfilePI")) return {};
    return StoredText(db.scalar("SELECT [PreferenceSelection] FROM [ProfilePI] WHERE [ProfileID] "
                                "= ? AND [PreferenceType] = ? ORDER BY [SequenceNo]",
                                {profileId, QStringLiteral("Spouse Name")})
                          .toString());
}

QString JobTitleOf(Database& db, qint64 conciergeId) {
    if (conciergeId <= 0) return {};
    return StoredText(
        db.scalar("SELECT [JobTitle] FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId})
            .toString());
}

} // namespace vm
