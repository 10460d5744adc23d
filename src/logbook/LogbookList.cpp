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

QStringList ListHeaders(bool useGuestId) {
    return {
        "Last Name",  "First Name", "Room", "Category",     useGuestId ? "Guest ID" : "Notified",
        "Refer Date", "Time",       "Who",  "Logbook Entry"};
}

ListRow MakeListRow(const LogEntry& e, const QString& profileType, bool useGuestId) {
    return MakeListRow(LogEntry(e), profileType, useGuestId);
}

ListRow MakeListRow(LogEntry&& e, const QString& profileType, bool useGuestId) {
    ListRow row;
    row.logId = e.logId;
    QString last = std::move(e.lastName);
    if (e.cancelled) last += QLatin1String("  (CXL)");
    if (e.profileId > 0) {
        const QString type = profileType.trimmed();
        if (type.isEmpty()) {
            last += QLatin1String(" (P)");
        } else {
            last.reserve(last.size() + type.size() + 3);
            last += QLatin1String(" (");
            last += type;
            last += u')';
        }
    }
    row.arrivalDate = Formats::ShortDateOfStored(e.arrivalDate);
    row.referDate = e.referDate;
    row.referTime = e.referTime;
    row.enteredBy = std::move(e.enteredBy);
    row.cells.resize(ListColumnCount);
    QString* cell = row.cells.data();
    cell[ColLastName] = std::move(last);
    cell[ColFirstName] = std::move(e.firstName);
    cell[ColRoom] = std::move(e.roomNumber);
    cell[ColCategory] = std::move(e.entryType);
    cell[ColNotified] = std::move(useGuestId ? e.guestId : e.notified);
    cell[ColReferDate] = std::move(e.referDate);
    cell[ColReferTime] = std::move(e.referTime);
    cell[ColInitials] = std::move(e.initials);
    cell[ColText] = std::move(e.text);
    row.complete = e.complete;
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
// The fifth cell shows the guest id or how the guest was notified, as set.
QString listColumns(bool useGuestId) {
    return QStringLiteral("[LogBook].[LogID], [LogBook].[FirstName], [LogBook].[LastName], "
                          "[LogBook].[ProfileID], [LogBook].[ContactID], [LogBook].[EntryType], "
                          "[LogBook].[ReferDate], [LogBook].[ReferTime], [LogBook].[ArrivalDate], "
                          "[LogBook].[RoomNumber], [LogBook].[EnteredBy], [LogBook].[Initials], "
                          "[LogBook].[Restricted], [LogBook].[Complete], [LogBook].[Cancelled], "
                          "[LogBook].[OnHold], [LogBook].[Pending], [LogBook].[NoteField], ") +
           (useGuestId ? "[LogBook].[GuestID]" : "[LogBook].[Notified]");
}

// Reservation categories; the flag is read as every flag is, the condition
// only leaves out the plain "no" (0, NULL) most categories hold.
const QString ReservedCategoriesSql =
    QStringLiteral("SELECT [LogType], [IsReserved] FROM [LogType] WHERE [IsReserved] <> ?");

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
    const QString columns = listColumns(useGuestId);
    QString sql = request.source == LogSource::Current
                      ? "SELECT " + columns +
                            ", [Profile].[ProfileType] FROM [LogBook] LEFT JOIN [Profile] ON "
                            "[LogBook].[ProfileID] = [Profile].[ProfileID]"
                      : "SELECT " + columns + " FROM [LogBook]";
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

namespace {
LogList listRows(AppContext& ctx, const Viewer& viewer, const ListRequest& request) {
    LogbookStore store(ctx);
    Database& db = store.db(request.source);
    const bool useGuestId = GetBooleanSetting(ctx.db(), "UseGuestID");
    const bool current = request.source == LogSource::Current;
    const ListStatement statement = ListQuery(request, viewer, useGuestId, ctx.clock().today());

    // Only reservation categories hide entries, and only from members without the right.
    QHash<QString, Category> categories;
    if (!viewer.authorized)
        ctx.db().forEach(ReservedCategoriesSql, {false}, [&](const Row& r) {
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
        list.rows.push_back(MakeListRow(
            std::move(e), profileTypeAt < 0 ? QString() : r.text(profileTypeAt), useGuestId));
        return true;
    });

    // The continuations of all long texts in a few statements, not one per row.
    const QList<qint64> ids = needsText.keys();
    for (qsizetype at = 0; at < ids.size(); at += ListTextPiecesChunk) {
        const ListStatement pieces = ListTextPiecesQuery(ids.mid(at, ListTextPiecesChunk));
        db.forEach(pieces.sql, pieces.params, [&](const Row& r) {
            QString& text = list.rows[needsText.value(r.value(0).toLongLong())].cells[ColText];
            // Most long texts take two or three pieces: room for them at once.
            if (text.size() == LogTextPieceSize) text.reserve(4 * LogTextPieceSize);
            text += r.text(1);
            return true;
        });
    }
    list.caption = CountCaption(qint64(list.rows.size()));
    return list;
}
} // namespace

LogList GetTheLogEntries(AppContext& ctx, const Viewer& viewer, const ListRequest& request) {
    // The list's statements share one read of each database.
    Database& listed = LogbookStore(ctx).db(request.source);
    LogList list;
    ctx.db().snapshot([&] { listed.snapshot([&] { list = listRows(ctx, viewer, request); }); });
    return list;
}

} // namespace vm
