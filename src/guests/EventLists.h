#pragma once
// Lists of events: the Events page's selection (a condition on the event's
// columns with bound values, and its plain-language description) and the
// three guest lists (continuous, limited dates, future).

#include "core/ListSizeGuard.h"
#include "guests/Events.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

// ------------------------------------------------------------------ the page

enum class EventSelectBy { None, EventDate, EventName, Location, UpdatedDate };
enum class EventSort { Name, Date, Location, Type, LowPrice, HighPrice };

struct EventSelection {
    EventSelectBy by = EventSelectBy::None;
    QString text{};          // name or location
    QDate from{}, through{}; // date modes; an invalid `through` = the one day `from`
    QString eventType{};     // optional
    EventSort sort = EventSort::Date;
};

struct EventFilter {
    QString where; // "" for every event
    QVariantList params;
};

struct BuiltEventSelection {
    EventFilter filter;
    QString description;
    QString refusal; // shown instead of searching when not empty
};

BuiltEventSelection BuildEventSelection(const EventSelection& s);
const QStringList& EventSortCaptions(); // by EventSort
QString EventSortOrder(EventSort sort); // " ORDER BY ..."

// Events whose run [start, last day] meets the days from..through (an event
// without a through date runs on its starting day).  Uses the indexes on
// StartingDate and ThroughDate.
EventFilter OverlapFilter(const QDate& from, const QDate& through);

// The page's list: the events of the filter in the sort's order.
std::vector<Event> GetTheEvents(AppContext& ctx, const EventFilter& filter, EventSort sort);
qint64 CountEvents(AppContext& ctx);

inline const QString MsgThroughBeforeFrom =
    QStringLiteral("The Through date must be greater than the from date.");

// Grid columns of the page and the texts of one event's row.
const QStringList& EventGridHeaders();
QStringList EventGridCells(const Event& e);

// ------------------------------------------------------------------ guest lists

enum class GuestList { Continuous, Limited, Future };

// The order of the guest lists by the setting EventStyle.
QString EventListOrder(int eventStyle);

// The days of the limited list: both dates given → those; only `from` → its
// month; neither → from 7 days before `today` to 21 days after it.
struct DayRange {
    QDate from, through;
};
DayRange LimitedListDays(const QDate& today, const QDate& from, const QDate& through);

// Events marked to print on the lists, in the EventStyle order:
// continuous (no starting date), limited (running on a day of `days`) and
// future (starting today or later).
std::vector<Event> GetContinuousEvents(AppContext& ctx);
std::vector<Event> GetCurrentEvents(AppContext& ctx, const DayRange& days);
std::vector<Event> GetFutureEvents(AppContext& ctx);

} // namespace vm
