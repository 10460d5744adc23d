#include "guests/EventLists.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"

namespace vm {

namespace {

const QString SelectEvents = QStringLiteral("SELECT * FROM [Event]");

// "contains": the typed text between wildcards, its own wildcards escaped.
QString containsPattern(const QString& typed) {
    QString s = CleanSqlTextKeepAmp(typed);
    s.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
    return "%" + s + "%";
}

std::vector<Event> readEvents(Database& db, const QString& sql, const QVariantList& params) {
    std::vector<Event> out;
    EventRowReader reader;
    db.forEach(sql, params, [&](const Row& r) {
        out.push_back(reader.read(r));
        return true;
    });
    return out;
}

QString missingInput() {
    return QStringLiteral("Please enter the information you wish to use to filter") +
           " your selections.";
}

} // namespace

const QStringList& EventSortCaptions() {
    static const QStringList c = {"Event Name",    "Event Date", "Location",
                                  "Type of Event", "Low Price",  "High Price"};
    return c;
}

QString EventSortOrder(EventSort sort) {
    switch (sort) {
    case EventSort::Name:
        return " ORDER BY [EventName]";
    case EventSort::Date:
        return " ORDER BY [StartingDate], [EventName]";
    case EventSort::Location:
        return " ORDER BY [Location], [EventName]";
    case EventSort::Type:
        return " ORDER BY [EventType], [EventName]";
    case EventSort::LowPrice:
        return " ORDER BY [LowPrice], [EventName]";
    case EventSort::HighPrice:
        return " ORDER BY [HighPrice], [EventName]";
    }
    return {};
}

EventFilter OverlapFilter(const QDate& from, const QDate& through) {
    const QString first = Formats::StoredDate(from), last = Formats::StoredDate(through);
    // Two indexable halves: events with a through date that reach the days,
    // and events starting on one of them (one-day events have no through date).
    return {"(([Event].[ThroughDate] >= ? AND [Event].[StartingDate] <= ?) OR "
            "([Event].[StartingDate] >= ? AND [Event].[StartingDate] <= ?))",
            {first, last, first, last}};
}

BuiltEventSelection BuildEventSelection(const EventSelection& s) {
    BuiltEventSelection b;
    QStringList parts;
    QVariantList params;
    const QString text = s.text.trimmed();
    const bool dateMode = s.by == EventSelectBy::EventDate || s.by == EventSelectBy::UpdatedDate;
    if (dateMode) {
        if (!s.from.isValid()) return {{}, {}, missingInput()};
        if (s.through.isValid() && s.through < s.from) return {{}, {}, MsgThroughBeforeFrom};
    }
    const bool oneDay = !s.through.isValid() || s.through == s.from;
    const QString from = Formats::ShortDate(s.from), to = Formats::ShortDate(s.through);
    switch (s.by) {
    case EventSelectBy::EventDate: {
        const EventFilter f = OverlapFilter(s.from, oneDay ? s.from : s.through);
        parts << f.where;
        params << f.params;
        b.description = oneDay ? "Where Event Date is " + from
                               : "Where Event Occurs between  " + from + " and " + to;
        break;
    }
    case EventSelectBy::UpdatedDate:
        if (oneDay) {
            parts << "[Event].[UpdateDate] = ?";
            params << Formats::StoredDate(s.from);
            b.description = "Where Updated Date is " + from;
        } else {
            parts << "[Event].[UpdateDate] >= ? AND [Event].[UpdateDate] <= ?";
            params << Formats::StoredDate(s.from) << Formats::StoredDate(s.through);
            b.description = "Where Event Updated between  " + from + " and " + to;
        }
        break;
    case EventSelectBy::EventName:
    case EventSelectBy::Location: {
        if (text.isEmpty()) return {{}, {}, missingInput()};
        const bool byName = s.by == EventSelectBy::EventName;
        parts << QString("[Event].[%1] LIKE ? ESCAPE '\\'").arg(byName ? "EventName" : "Location");
        params << containsPattern(text);
        b.description =
            (byName ? "Where Event Name contains " : "Where Event Location contains ") + text;
        break;
    }
    case EventSelectBy::None:
        break;
    }
    const QString type = s.eventType.trimmed();
    if (!type.isEmpty()) {
        parts << "[Event].[EventType] = ?";
        params << CleanSqlTextKeepAmp(type);
        b.description +=
            (b.description.isEmpty() ? "Where EventType is " : " And EventType is ") + type;
    }
    if (b.description.isEmpty()) b.description = "Where All Events Have Been Selected";
    b.description += ", Sorted by " + EventSortCaptions().value(int(s.sort));
    b.filter = {parts.join(" AND "), params};
    return b;
}

std::vector<Event> GetTheEvents(AppContext& ctx, const EventFilter& filter, EventSort sort) {
    const QString where = filter.where.isEmpty() ? QString() : " WHERE " + filter.where;
    return readEvents(ctx.eventsDb(), SelectEvents + where + EventSortOrder(sort), filter.params);
}

qint64 CountEvents(AppContext& ctx) {
    return ctx.eventsDb().scalar("SELECT COUNT(*) AS RecordCount FROM [Event]").toLongLong();
}

const QStringList& EventGridHeaders() {
    static const QStringList h = {"Event Name", "Telephone", "Starting Date", "Through Date",
                                  "Time",       "Low Price", "High Price",    "Location",
                                  "Dark",       "Event Type"};
    return h;
}

QStringList EventGridCells(const Event& e) {
    auto price = [](const std::optional<double>& p) {
        return p ? Formats::FormatNumber(*p, "#.00") : QString();
    };
    return {e.name,
            e.telephone,
            Formats::ShortDateOfStored(e.startingDate),
            Formats::ShortDateOfStored(e.throughDate),
            e.eventTime,
            price(e.lowPrice),
            price(e.highPrice),
            e.location,
            e.dark,
            e.eventType};
}

// ------------------------------------------------------------------ guest lists

QString EventListOrder(int eventStyle) {
    switch (eventStyle) {
    case 0:
        return " ORDER BY [Location], [EventName]";
    case 1:
        return " ORDER BY [EventName], [Location]";
    case 2:
        return " ORDER BY [StartingDate], [Location], [EventName]";
    default:
        return " ORDER BY [StartingDate], [EventName], [Location]";
    }
}

DayRange LimitedListDays(const QDate& today, const QDate& from, const QDate& through) {
    if (from.isValid() && through.isValid()) return {from, through};
    if (from.isValid()) {
        const QDate first(from.year(), from.month(), 1);
        return {first, first.addMonths(1).addDays(-1)};
    }
    return {today.addDays(-7), today.addDays(21)};
}

namespace {
QString listOrder(AppContext& ctx) {
    return EventListOrder(GetIntegerSetting(ctx.db(), "EventStyle"));
}
} // namespace

std::vector<Event> GetContinuousEvents(AppContext& ctx) {
    return readEvents(ctx.eventsDb(),
                      SelectEvents + " WHERE [StartingDate] IS NULL AND [PrintOnList] = ?" +
                          listOrder(ctx),
                      {true});
}

std::vector<Event> GetCurrentEvents(AppContext& ctx, const DayRange& days) {
    const EventFilter overlap = OverlapFilter(days.from, days.through);
    return readEvents(ctx.eventsDb(),
                      SelectEvents + " WHERE [PrintOnList] = ? AND " + overlap.where +
                          listOrder(ctx),
                      QVariantList{true} + overlap.params);
}

std::vector<Event> GetFutureEvents(AppContext& ctx) {
    return readEvents(ctx.eventsDb(),
                      SelectEvents + " WHERE [StartingDate] >= ? AND [PrintOnList] = ?" +
                          listOrder(ctx),
                      {Formats::StoredDate(ctx.clock().today()), true});
}

} // namespace vm
