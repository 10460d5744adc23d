#pragma once
// Local events: the events themselves, their schedule exceptions, their
// notes and the list of event types.  Everything lives in the events'
// database (ctx.eventsDb(): the common one when events are shared).  Engine
// failures raise DbError; the caller the user started reports them.

#include "core/AppContext.h"

#include <QDate>
#include <optional>
#include <vector>

namespace vm {

struct Event {
    qint64 id = 0; // EventID; 0 until stored
    QString name;
    QString startingDate; // stored "yyyy/MM/dd"; "" for a continuous event (Null)
    QString throughDate;  // stored "yyyy/MM/dd"; "" when the event has none
    QString eventTime, location, telephone, dark, eventType;
    std::optional<double> lowPrice, highPrice; // none: no price entered
    bool printOnList = true;
    QString enteredBy, entryDate, entryTime, luInitials, updateDate;
    QString notes; // EvConText "E"
    qint64 rowVersion = 0;

    bool continuous() const { return startingDate.isEmpty(); }
    // The last day the event runs: its through date, or its starting date.
    QString lastDay() const { return throughDate.isEmpty() ? startingDate : throughDate; }
};

// What the event screen holds, as typed, for CheckEvent.
struct EventInput {
    QString name;
    bool continuous = false;
    QString startingDate, throughDate; // "MM/dd/yyyy" as typed
    QString eventType;
    QString lowPrice, highPrice; // as typed ("1,234.50", "$40", "")
};

// The first refusal in the screen's order; empty when the event may be saved.
QString CheckEvent(const EventInput& in);
// A typed price: blanks, "$" and thousands commas are ignored; nullopt for an
// empty box; `ok` false for anything that is not a number.
std::optional<double> ParsePrice(const QString& typed, bool& ok);
// A price as the screen and the lists show it ("###,###.#0": 0 → ".00").
QString FormatPrice(const std::optional<double>& price);
// Every word's first letter capitalised, the rest lower case (ProperCaseName).
QString EventNameProperCase(const QString& text);

inline const QString MsgEventName = QStringLiteral("Please enter the Event Name.  Thank you.");
QString MsgEventStartingDate();
inline const QString MsgEventType = QStringLiteral("Please select a Type for this Event Entry.");
QString MsgEventThroughDate();
QString MsgEventThroughWithoutStart();
QString MsgEventThroughBeforeStart();
QString MsgEventHighPrice();
QString MsgEventPrice(const QString& which); // "Low" / "High"
QString MsgEventDuplicate();

enum class EventSave { Saved, Duplicate, Changed, Gone };

// The event's columns of an Event row (the notes are left to the caller).
Event EventFromRow(const Row& r);
// The same for the many rows of one statement: column positions are found once.
class EventRowReader {
public:
    Event read(const Row& r);

private:
    std::vector<int> m_positions; // per read column, its place in the row (-1: absent)
};
// Reads the event with its notes; nullopt when it does not exist.
std::optional<Event> GetTheEvent(AppContext& ctx, qint64 id);
// Stores a new event (stamps, notes) and fills its id, stamps and version;
// Duplicate when an event of that name starts that day (nothing written).
EventSave InsertEvent(AppContext& ctx, Event& e);
// Rewrites an event unless another desk saved it since it was read, or the
// name and starting date are another event's; `e` then holds what was written.
EventSave UpdateEvent(AppContext& ctx, Event& e);
// Whether another event (not `exceptId`) has this name and starting date.
bool EventExists(AppContext& ctx, const QString& name, const QString& startingDate,
                 qint64 exceptId = 0);
// A blank starting date becomes Null: the event is a continuous one.
int UpdateEventDates(AppContext& ctx);
// Deletes the event with its exceptions, notes and document links and writes
// the log line; answers false when there was no such event.
bool DeleteEvent(AppContext& ctx, qint64 id);
QString EventDeletedLogLine(AppContext& ctx, const Event& e);

// Schedule exceptions (EventSE).
struct EventException {
    qint64 id = 0; // EventSEID
    qint64 eventId = 0;
    QString from;    // a stored day "yyyy/MM/dd" or a word such as "Every"
    QString through; // a stored day or a day of the week
    QString description;
};
inline const QString MsgExceptionFrom =
    QStringLiteral("Please enter the From Date OR the word 'Every'.");
inline const QString MsgExceptionThrough =
    QStringLiteral("Please enter the Through Date OR the Day of the Week.");
inline const QString MsgExceptionDescription =
    QStringLiteral("Please enter the Description of the Schedule Exception.");
// The first refusal; empty when the exception may be saved.
QString CheckEventException(const EventException& x);
// A typed "MM/dd/yyyy" becomes the stored day; any other text stays as typed.
QString StoredExceptionDay(const QString& typed);
// The stored form as shown: a stored day as a short date, other text as is.
QString ShownExceptionDay(const QString& stored);
std::vector<EventException> GetEventSEs(AppContext& ctx, qint64 eventId);
qint64 InsertEventSE(AppContext& ctx, const EventException& x);
bool UpdateEventSE(AppContext& ctx, const EventException& x);
bool DeleteEventSE(AppContext& ctx, qint64 exceptionId);

// Event types.
struct EventTypeRow {
    qint64 id = 0; // TypeID
    QString name;
};
std::vector<EventTypeRow> GetAllEventTypes(AppContext& ctx);
QStringList GetEventTypeNames(AppContext& ctx);
// The type's id by name (any case); 0 when there is none.
qint64 EventTypeId(AppContext& ctx, const QString& name);
// Answers the refusal, or "" when the type was added.
QString InsertEventType(AppContext& ctx, const QString& name);
// Renames `oldName` to `newName` and rewrites the events of the old type, in
// one transaction.  When `newName` is a type already, the old type is merged
// into it.  Answers the refusal, or "" when done.
QString ReplaceEventType(AppContext& ctx, const QString& oldName, const QString& newName);
// Events of the type; a failed count raises DbError (the type is then kept).
qint64 CountEventsOfType(AppContext& ctx, const QString& name);
bool DeleteEventType(AppContext& ctx, const QString& name);

inline const QString MsgBlankType = QStringLiteral("Cannot Add a Blank Event Type.");
inline const QString MsgTypeExists =
    QStringLiteral("The Event Type already exists in the list of available types.");
inline const QString MsgBlankReplaceType = QStringLiteral("Cannot Replace a Blank Event Type.");
QString MsgReplaceTypeMissing();
inline const QString MsgSelectTypeToDelete =
    QStringLiteral("Please select an Event Type to delete from the Event Types list.");
QString MsgDeleteTypeQuestion();
QString MsgTypeInUse(qint64 count);

} // namespace vm
