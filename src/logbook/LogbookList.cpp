#include "logbook/LogbookList.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>

namespace vm {

QString OrderByClause(int sortIndex, bool useGuestId) {
    const QString name = "[LogBook].[LastName], [LogBook].[FirstName]";
    const QString status = "[LogBook].[OnHold] DESC, [LogBook].[Pending] DESC, "
                           "[LogBook].[Complete] DESC, [LogBook].[Cancelled] DESC, ";
    switch (sortIndex) {
    case 0:
        return name;
    case 1:
        return "[LogBook].[RoomNumber], [LogBook].[ReferDate]";
    case 2:
    case 11:
        return "[LogBook].[ReferDate], [LogBook].[ReferTime], " + name;
    case 3:
        return "[LogBook].[EntryType], " + name;
    case 4:
        return useGuestId ? QString("[LogBook].[GuestID]") : "[LogBook].[Notified], " + name;
    case 5:
        return "[LogBook].[Initials], " + name;
    case 6:
        return "[LogBook].[ReferDate], [LogBook].[ReferTime], [LogBook].[EntryType], " + name;
    case 7:
        return "[LogBook].[ReferDate], [LogBook].[LogID]";
    case 8:
        return status + "[LogBook].[ReferDate], [LogBook].[ReferTime], " + name;
    case 9:
        return status + name;
    case 10:
        return "[LogBook].[EntryDate], [LogBook].[EntryTime]";
    case 12:
        return "[LogBook].[ReferDate] DESC, [LogBook].[ReferTime], " + name;
    default:
        return {};
    }
}

LogFilter WindowClause(ListWindow window, const LogFilter& filter, const QDate& today) {
    // A selection that already starts with a date column brings its own time frame.
    static const QRegularExpression dated(
        R"(^\s*(\[?logbook\]?\.)?\[?(EntryDate|ArrivalDate|ReferDate|DepartureDate)\b)",
        QRegularExpression::CaseInsensitiveOption);
    if (dated.match(filter.clause).hasMatch()) return {};
    switch (window) {
    case ListWindow::YesterdayAndToday:
        return {"[LogBook].[EntryDate] BETWEEN ? AND ?",
                {Formats::StoredDate(today.addDays(-1)), Formats::StoredDate(today)}};
    case ListWindow::Last7Days:
        return {"[LogBook].[EntryDate] >= ?", {Formats::StoredDate(today.addDays(-6))}};
    default:
        return {};
    }
}

QString StatusOf(bool complete, bool cancelled, bool onHold, bool pending) {
    if (cancelled) return QStringLiteral("Cancelled");
    if (onHold) return QStringLiteral("OnHold");
    if (pending) return QStringLiteral("Pending");
    if (complete) return QStringLiteral("Complete");
    return QStringLiteral("Incomplete");
}

QString CountCaption(qint64 count) {
    if (count == 0) return " 0 Entries were selected.";
    return Formats::FormatNumber(double(count), "###,##0") + " Entries were selected";
}

QStringList ListHeaders(bool useGuestId) {
    return {
        "Last Name",  "First Name", "Room", "Category",     useGuestId ? "Guest ID" : "Notified",
        "Refer Date", "Time",       "Who",  "Logbook Entry"};
}

namespace {
// "yyyy/MM/dd" read by position: the list converts one date per row and a
// format-driven parse per row would cost more than the query.
QDate storedDay(const QString& s) {
    if (s.size() < 10 || s.at(4) != '/' || s.at(7) != '/') return {};
    return QDate(QStringView(s).left(4).toInt(), QStringView(s).mid(5, 2).toInt(),
                 QStringView(s).mid(8, 2).toInt());
}
} // namespace

ListRow MakeListRow(const LogEntry& e, const QString& profileType, bool useGuestId) {
    ListRow row;
    row.logId = e.logId;
    QString last = e.lastName;
    if (e.cancelled) last += "  (CXL)";
    if (e.profileId > 0)
        last +=
            profileType.trimmed().isEmpty() ? QString(" (P)") : " (" + profileType.trimmed() + ")";
    row.cells = {
        last,        e.firstName, e.roomNumber, e.entryType, useGuestId ? e.guestId : e.notified,
        e.referDate, e.referTime, e.initials,   e.text};
    row.enteredBy = e.enteredBy;
    row.complete = e.complete;
    row.arrivalDate = Formats::ShortDate(storedDay(e.arrivalDate));
    row.referDate = e.referDate;
    row.referTime = e.referTime;
    row.contactId = e.contactId;
    row.status = StatusOf(e.complete, e.cancelled, e.onHold, e.pending);
    return row;
}

bool EntryVisible(const Viewer& v, const QHash<QString, Category>& categories,
                  const QString& entryType, bool entryRestricted) {
    if (v.restricted && !entryRestricted) return false;
    if (v.allLogs && categories.isEmpty()) return true; // nothing left to look up
    const QString key = entryType.trimmed().toLower();
    auto it = categories.constFind(key);
    if (it != categories.constEnd() && it->isReserved && !v.authorized) return false;
    return v.allLogs || v.personal.contains(key);
}

namespace {
// What a list row is made of; the entry's other columns stay in the table.
const QString ListColumns = QStringLiteral(
    "[LogBook].[LogID], [LogBook].[GuestID], [LogBook].[FirstName], [LogBook].[LastName], "
    "[LogBook].[ProfileID], [LogBook].[ContactID], [LogBook].[EntryType], [LogBook].[Notified], "
    "[LogBook].[ReferDate], [LogBook].[ReferTime], [LogBook].[ArrivalDate], "
    "[LogBook].[RoomNumber], [LogBook].[EnteredBy], [LogBook].[Initials], "
    "[LogBook].[Restricted], [LogBook].[Complete], [LogBook].[Cancelled], [LogBook].[OnHold], "
    "[LogBook].[Pending], [LogBook].[NoteField]");

const QString ReservedCategoriesSql =
    QStringLiteral("SELECT [LogType], [IsReserved] FROM [LogType]");

// The request's filter, its time frame and the viewer's restriction.
LogFilter conditionsOf(const ListRequest& request, const Viewer& viewer, const QDate& today) {
    QStringList where;
    LogFilter out;
    if (!request.filter.clause.trimmed().isEmpty()) {
        where << "(" + request.filter.clause + ")";
        out.params << request.filter.params;
    }
    const LogFilter window = WindowClause(request.window, request.filter, today);
    if (!window.clause.isEmpty()) {
        where << window.clause;
        out.params << window.params;
    }
    if (viewer.restricted) {
        where << "[LogBook].[Restricted] = ?";
        out.params << true;
    }
    if (!where.isEmpty()) out.clause = " WHERE " + where.join(" AND ");
    return out;
}
} // namespace

ListStatement ListQuery(const ListRequest& request, const Viewer& viewer, bool useGuestId,
                        const QDate& today) {
    const LogFilter where = conditionsOf(request, viewer, today);
    QString sql = request.source == LogSource::Current
                      ? "SELECT " + ListColumns +
                            ", [Profile].[ProfileType] FROM [LogBook] LEFT JOIN [Profile] ON "
                            "[LogBook].[ProfileID] = [Profile].[ProfileID]"
                      : "SELECT " + ListColumns + " FROM [LogBook]";
    sql += where.clause;
    const QString order = OrderByClause(request.sortIndex, useGuestId);
    if (!order.isEmpty()) sql += " ORDER BY " + order;
    return {sql, where.params};
}

ListStatement CountQuery(const ListRequest& request, const Viewer& viewer, const QDate& today) {
    const LogFilter where = conditionsOf(request, viewer, today);
    const QString sql = request.source == LogSource::Current
                            ? "SELECT COUNT(*) FROM [LogBook] LEFT JOIN [Profile] ON "
                              "[LogBook].[ProfileID] = [Profile].[ProfileID]"
                            : "SELECT COUNT(*) FROM [LogBook]";
    return {sql + where.clause, where.params};
}

ListStatement ListTextPiecesQuery(const QList<qint64>& logIds) {
    // The keys are padded to a power of two with the last one again, so a few
    // statement texts serve every list and stay prepared.
    const qsizetype width = qsizetype(std::bit_ceil(size_t(std::max<qsizetype>(logIds.size(), 8))));
    QVariantList params;
    params.reserve(width);
    for (qint64 id : logIds)
        params << id;
    while (params.size() < width)
        params << params.value(params.size() - 1, qint64(0));
    const QString marks = QString("?, ").repeated(width).chopped(2);
    return {"SELECT [LogID], [NoteField] FROM [LogText] WHERE [LogID] IN (" + marks +
                ") ORDER BY [LogID], [Sequence]",
            params};
}

LogList GetTheLogEntries(AppContext& ctx, const Viewer& viewer, const ListRequest& request) {
    LogbookStore store(ctx);
    Database& db = store.db(request.source);
    const bool useGuestId = GetBooleanSetting(ctx.db(), "UseGuestID");
    const bool current = request.source == LogSource::Current;
    const ListStatement statement = ListQuery(request, viewer, useGuestId, ctx.clock().today());

    // Only reservation categories hide entries, and only from members without the right.
    QHash<QString, Category> categories;
    if (!viewer.authorized)
        ctx.db().forEach(ReservedCategoriesSql, {}, [&](const Row& r) {
            if (!r.flag("IsReserved")) return true;
            Category c;
            c.name = r.text("LogType");
            c.isReserved = true;
            categories.insert(c.name.toLower(), c);
            return true;
        });

    LogList list;
    QHash<qint64, size_t> needsText; // rows whose text continues in LogText
    LogRowReader reader;
    int noteAt = -1, profileTypeAt = -1;
    db.forEach(statement.sql, statement.params, [&](const Row& r) {
        if (noteAt < 0) {
            noteAt = r.indexOf("NoteField");
            profileTypeAt = current ? r.indexOf("ProfileType") : -1;
        }
        LogEntry e = reader.read(r);
        if (!EntryVisible(viewer, categories, e.entryType, e.restricted)) return true;
        const QString note = r.text(noteAt);
        e.text = JoinLogText(note, {});
        if (note.size() >= LogTextPieceSize) needsText.insert(e.logId, list.rows.size());
        list.rows.push_back(
            MakeListRow(e, profileTypeAt < 0 ? QString() : r.text(profileTypeAt), useGuestId));
        return true;
    });

    // The continuations of all long texts in a few statements, not one per row.
    const QList<qint64> ids = needsText.keys();
    for (qsizetype at = 0; at < ids.size(); at += ListTextPiecesChunk) {
        const ListStatement pieces = ListTextPiecesQuery(ids.mid(at, ListTextPiecesChunk));
        db.forEach(pieces.sql, pieces.params, [&](const Row& r) {
            list.rows[needsText.value(r.number("LogID"))].cells[ColText] += r.text("NoteField");
            return true;
        });
    }
    list.caption = CountCaption(qint64(list.rows.size()));
    return list;
}

} // namespace vm
