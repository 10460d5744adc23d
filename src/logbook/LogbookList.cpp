#include "logbook/LogbookList.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"

#include <QRegularExpression>

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
    if (cancelled) return "Cancelled";
    if (onHold) return "OnHold";
    if (pending) return "Pending";
    if (complete) return "Complete";
    return "Incomplete";
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
    auto it = categories.constFind(entryType.trimmed().toLower());
    if (it != categories.constEnd() && it->isReserved && !v.authorized) return false;
    return v.allLogs || v.personal.contains(entryType.trimmed().toLower());
}

LogList GetTheLogEntries(AppContext& ctx, const Viewer& viewer, const ListRequest& request) {
    LogbookStore store(ctx);
    Database& db = store.db(request.source);
    const bool useGuestId = GetBooleanSetting(ctx.db(), "UseGuestID");
    const bool current = request.source == LogSource::Current;

    QString sql = current ? "SELECT [LogBook].*, [Profile].[ProfileType] FROM [LogBook] LEFT JOIN "
                            "[Profile] ON [LogBook].[ProfileID] = [Profile].[ProfileID]"
                          : "SELECT * FROM [LogBook]";
    QStringList where;
    QVariantList params;
    if (!request.filter.clause.trimmed().isEmpty()) {
        where << "(" + request.filter.clause + ")";
        params << request.filter.params;
    }
    const LogFilter window = WindowClause(request.window, request.filter, ctx.clock().today());
    if (!window.clause.isEmpty()) {
        where << window.clause;
        params << window.params;
    }
    if (viewer.restricted) {
        where << "[LogBook].[Restricted] = ?";
        params << true;
    }
    if (!where.isEmpty()) sql += " WHERE " + where.join(" AND ");
    const QString order = OrderByClause(request.sortIndex, useGuestId);
    if (!order.isEmpty()) sql += " ORDER BY " + order;

    QHash<QString, Category> categories;
    for (const Category& c : GetAllCategories4Edit(ctx.db()))
        categories.insert(c.name.toLower(), c);

    LogList list;
    QHash<qint64, size_t> needsText; // rows whose text continues in LogText
    LogRowReader reader;
    const QString noteField = "NoteField", profileType = "ProfileType";
    db.forEach(sql, params, [&](const Row& r) {
        LogEntry e = reader.read(r);
        if (!EntryVisible(viewer, categories, e.entryType, e.restricted)) return true;
        const QString note = r.text(noteField);
        e.text = JoinLogText(note, {});
        if (note.size() >= LogTextPieceSize) needsText.insert(e.logId, list.rows.size());
        list.rows.push_back(MakeListRow(e, current ? r.text(profileType) : QString(), useGuestId));
        return true;
    });

    // The continuations of all long texts in a few statements, not one per row.
    const QList<qint64> ids = needsText.keys();
    for (qsizetype at = 0; at < ids.size(); at += 500) {
        const QList<qint64> chunk = ids.mid(at, 500);
        QVariantList p;
        for (qint64 id : chunk)
            p << id;
        const QString marks = QString("?, ").repeated(chunk.size()).chopped(2);
        db.forEach("SELECT [LogID], [NoteField] FROM [LogText] WHERE [LogID] IN (" + marks +
                       ") ORDER BY [LogID], [Sequence]",
                   p, [&](const Row& r) {
                       list.rows[needsText.value(r.number("LogID"))].cells[ColText] +=
                           r.text("NoteField");
                       return true;
                   });
    }
    list.caption = CountCaption(qint64(list.rows.size()));
    return list;
}

} // namespace vm
