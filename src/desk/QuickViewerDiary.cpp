// The daily diary: dated notes, their repetition and the day's group meetings.
#include "desk/QuickViewer.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/Groups.h"

namespace vm {

namespace {

// Halves go to the even neighbour, as the desk's other week counts do.
qint64 halfToEven(qint64 weeks) {
    const qint64 half = weeks / 2;
    if (weeks % 2 == 0) return half;
    return half % 2 == 0 ? half : half + 1;
}

// The chosen day of the month in the month of `d`, or its last day.
QDate dayInMonth(const QDate& d, int dayOfMonth) {
    return QDate(d.year(), d.month(), qMin(dayOfMonth, d.daysInMonth()));
}

QDate firstOccurrence(const DiaryRequest& r) {
    switch (r.repeat) {
    case DiaryRepeat::Weekly:
    case DiaryRepeat::BiWeekly:
        return r.from.addDays((r.weekday - r.from.dayOfWeek() + 7) % 7);
    case DiaryRepeat::Monthly: {
        const QDate here = dayInMonth(r.from, r.dayOfMonth);
        return here >= r.from ? here : dayInMonth(r.from.addMonths(1), r.dayOfMonth);
    }
    default:
        return r.from;
    }
}

// The note's author; nothing when the note is gone.
std::optional<QString> authorOf(AppContext& ctx, qint64 noteId) {
    const QVariant v =
        ctx.db().scalar("SELECT [Concierge] FROM [DayNotes] WHERE [NoteID] = ?", {noteId});
    if (!v.isValid()) return std::nullopt;
    return v.toString().trimmed();
}

bool isMine(AppContext& ctx, const QString& author) {
    const QString me = ctx.session.name.trimmed();
    return !me.isEmpty() && author.compare(me, Qt::CaseInsensitive) == 0;
}

QString checkText(const QString& text) {
    if (text.trimmed().isEmpty()) return MsgDiaryText;
    if (CleanSqlTextKeepAmp(text).size() > 255) return MsgDiaryTextTooLong;
    return {};
}

QString checkRequest(const DiaryRequest& r) {
    if (!r.from.isValid()) return MsgDiaryDates;
    if (!r.through.isValid() || r.through < r.from) return MsgDiaryThroughDate;
    const bool weekly = r.repeat == DiaryRepeat::Weekly || r.repeat == DiaryRepeat::BiWeekly;
    if (weekly && (r.weekday < 1 || r.weekday > 7)) return MsgDiaryWeekday;
    if (r.repeat == DiaryRepeat::Monthly && (r.dayOfMonth < 1 || r.dayOfMonth > 31))
        return MsgDiaryMonthDay;
    // Before any date is made: a range of centuries is refused, not built.
    if (r.repeat == DiaryRepeat::Daily &&
        Formats::DateDiff("d", r.from, r.through) >= MaxDiaryOccurrences)
        return MsgDiaryTooMany;
    return checkText(r.text);
}

} // namespace

QList<QDate> DiaryOccurrences(const DiaryRequest& r) {
    QList<QDate> out;
    if (!r.from.isValid() || !r.through.isValid() || r.through < r.from) return out;
    if (r.repeat == DiaryRepeat::None) return {r.from};
    const QDate start = firstOccurrence(r);
    if (start > r.through) return out;
    qint64 n = 0;
    switch (r.repeat) {
    case DiaryRepeat::Daily:
        n = Formats::DateDiff("d", start, r.through);
        break;
    case DiaryRepeat::Weekly:
        n = Formats::DateDiff("ww", start, r.through);
        break;
    case DiaryRepeat::BiWeekly:
        n = halfToEven(Formats::DateDiff("ww", start, r.through));
        break;
    case DiaryRepeat::Monthly:
        n = Formats::DateDiff("m", start, r.through);
        break;
    case DiaryRepeat::None:
        break;
    }
    n = qMin<qint64>(n, MaxDiaryOccurrences);
    for (qint64 i = 0; i <= n; ++i) {
        QDate d;
        switch (r.repeat) {
        case DiaryRepeat::Daily:
            d = start.addDays(i);
            break;
        case DiaryRepeat::Weekly:
            d = start.addDays(7 * i);
            break;
        case DiaryRepeat::BiWeekly:
            d = start.addDays(14 * i);
            break;
        default:
            d = dayInMonth(start.addMonths(int(i)), r.dayOfMonth);
            break;
        }
        // Boundary counting can reach one unit beyond the through date.
        if (d > r.through) break;
        out << d;
    }
    return out;
}

QList<DiaryNote> GetNotes(AppContext& ctx, const QDate& day, const QString& group) {
    QString sql = "SELECT * FROM [DayNotes] WHERE [NoteDate] = ?";
    QVariantList params = {Formats::StoredDate(day)};
    if (!group.trimmed().isEmpty()) {
        // A note without a group is for everyone, so every group sees it.
        sql += " AND ([DiaryGroup] = ? OR [DiaryGroup] IS NULL OR TRIM([DiaryGroup]) = '')";
        params << group.trimmed();
    }
    QList<DiaryNote> out;
    for (const Row& r : ctx.db().query(sql + " ORDER BY [NoteText], [NoteID]", params))
        out << DiaryNote{r.number("NoteID"),
                         r.trimmedText("Concierge"),
                         r.trimmedText("DiaryGroup"),
                         r.number("ColorCode"),
                         r.trimmedText("NoteDate"),
                         r.trimmedText("NoteText")};
    return out;
}

QString InsertDatedNotes(AppContext& ctx, const DiaryRequest& request) {
    const QString refusal = checkRequest(request);
    if (!refusal.isEmpty()) return refusal;
    const QList<QDate> dates = DiaryOccurrences(request);
    if (dates.isEmpty()) return MsgDiaryNoOccurrence;
    if (dates.size() > MaxDiaryOccurrences) return MsgDiaryTooMany;
    Database& db = ctx.db();
    const QString text = CleanSqlTextKeepAmp(request.text);
    db.transaction([&] {
        for (const QDate& d : dates)
            db.exec("INSERT INTO [DayNotes] ([Concierge], [DiaryGroup], [ColorCode], [NoteDate], "
                    "[NoteText]) VALUES (?, ?, ?, ?, ?)",
                    {ctx.session.name, request.group.trimmed(), request.color,
                     Formats::StoredDate(d), text});
    });
    return {};
}

QString UpdateNote(AppContext& ctx, const DiaryNote& note) {
    const auto author = authorOf(ctx, note.noteId);
    if (!author) return {}; // deleted meanwhile: nothing left to change
    if (!isMine(ctx, *author)) return MsgDiaryNotYoursChange;
    const QString refusal = checkText(note.text);
    if (!refusal.isEmpty()) return refusal;
    ctx.db().exec("UPDATE [DayNotes] SET [NoteText] = ?, [DiaryGroup] = ?, [ColorCode] = ? WHERE "
                  "[NoteID] = ?",
                  {CleanSqlTextKeepAmp(note.text), note.group.trimmed(), note.color, note.noteId});
    return {};
}

QString DeleteNote(AppContext& ctx, qint64 noteId) {
    const auto author = authorOf(ctx, noteId);
    if (!author) return {};
    if (!isMine(ctx, *author)) return MsgDiaryNotYoursDelete;
    ctx.db().exec("DELETE FROM [DayNotes] WHERE [NoteID] = ?", {noteId});
    return {};
}

int CountDayNotes(AppContext& ctx, const QDate& day) {
    return ctx.db()
        .scalar("SELECT COUNT([NoteID]) AS [CountEm] FROM [DayNotes] WHERE [NoteDate] = ?",
                {Formats::StoredDate(day)})
        .toInt();
}

QStringList GroupDiaryLines(AppContext& ctx, const QDate& day) {
    QStringList lines;
    for (const DiaryGroup& g : GetGroupDiary(ctx, day)) {
        lines << g.heading;
        lines << g.lines;
    }
    return lines;
}

} // namespace vm
