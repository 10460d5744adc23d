#include "guests/Events.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/TextLog.h"
#include "guests/DocumentLinks.h"
#include "platform/VersionedUpdate.h"

namespace vm {

namespace {

const QString InsertEventSql = QStringLiteral(
    "INSERT INTO [Event] ([EventName], [StartingDate], [ThroughDate], [EventTime], [Location], "
    "[Telephone], [LowPrice], [HighPrice], [Dark], [PrintOnList], [EventType], [EnteredBy], "
    "[EntryDate], [EntryTime], [LUInitials], [UpdateDate]) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

// A stored day, or Null for none (a continuous event's start).
QVariant storedStart(const QString& day) {
    return day.trimmed().isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(day);
}
QVariant storedPrice(const std::optional<double>& p) {
    return p ? QVariant(*p) : QVariant(QMetaType(QMetaType::Double));
}
QString stored(const QString& typed) {
    return CleanSqlTextKeepAmp(typed);
}

} // namespace

namespace {
// The columns an event is read from, in the order of `Col`.
const char* const EventColumns[] = {
    "EventID",   "EventName", "StartingDate", "ThroughDate", "EventTime",   "Location",
    "Telephone", "LowPrice",  "HighPrice",    "Dark",        "PrintOnList", "EventType",
    "EnteredBy", "EntryDate", "EntryTime",    "LUInitials",  "UpdateDate",  "RowVersion"};
enum Col {
    cEventID,
    cEventName,
    cStartingDate,
    cThroughDate,
    cEventTime,
    cLocation,
    cTelephone,
    cLowPrice,
    cHighPrice,
    cDark,
    cPrintOnList,
    cEventType,
    cEnteredBy,
    cEntryDate,
    cEntryTime,
    cLUInitials,
    cUpdateDate,
    cRowVersion
};
static_assert(std::size(EventColumns) == cRowVersion + 1);
} // namespace

Event EventRowReader::read(const Row& r) {
    if (m_positions.empty())
        for (const char* name : EventColumns)
            m_positions.push_back(r.indexOf(QString::fromLatin1(name)));
    auto at = [&](Col c) { return m_positions[size_t(c)]; };
    auto t = [&](Col c) { return at(c) < 0 ? QString() : r.trimmedText(at(c)); };
    auto n = [&](Col c) {
        return at(c) < 0 ? qint64(0) : r.number(at(c));
    };
    auto price = [&](Col c) -> std::optional<double> {
        if (at(c) < 0) return std::nullopt;
        const QVariant v = r.value(at(c));
        if (v.isNull()) return std::nullopt;
        return v.toDouble();
    };
    auto flag = [&](Col c) {
        if (at(c) < 0) return false;
        qint64 v = 0;
        if (r.integer(at(c), v)) return v != 0;
        const QVariant value = r.value(at(c));
        if (value.typeId() == QMetaType::QString) {
            const QString s = value.toString().trimmed().toLower();
            return s == "1" || s == "true" || s == "t" || s == "-1";
        }
        return value.toBool();
    };
    Event e;
    e.id = n(cEventID);
    e.name = t(cEventName);
    e.startingDate = t(cStartingDate);
    e.throughDate = t(cThroughDate);
    e.eventTime = t(cEventTime);
    e.location = t(cLocation);
    e.telephone = t(cTelephone);
    e.lowPrice = price(cLowPrice);
    e.highPrice = price(cHighPrice);
    e.dark = t(cDark);
    e.printOnList = flag(cPrintOnList);
    e.eventType = t(cEventType);
    e.enteredBy = t(cEnteredBy);
    e.entryDate = t(cEntryDate);
    e.entryTime = t(cEntryTime);
    e.luInitials = t(cLUInitials);
    e.updateDate = t(cUpdateDate);
    e.rowVersion = n(cRowVersion);
    return e;
}

Event EventFromRow(const Row& r) {
    return EventRowReader().read(r);
}

namespace {

QDate typedDay(const QString& s) {
    return Formats::ParseShortDate(s.trimmed());
}

} // namespace

QString MsgEventStartingDate() {
    return QStringLiteral("Please enter a valid Starting Date for this") +
           " Event Entry.  Thank you.";
}
QString MsgEventThroughDate() {
    return QStringLiteral("Please enter a valid Through Date for this Event") +
           " Entry.  Thank you.";
}
QString MsgEventThroughWithoutStart() {
    return QStringLiteral("If the Through Date is entered you must have") +
           " a Starting Date.  Thank you.";
}
QString MsgEventThroughBeforeStart() {
    return QStringLiteral("The Through Date must be Equal to or Later than") +
           " the Starting Date.  Thank you.";
}
QString MsgEventHighPrice() {
    return QStringLiteral("The High Price must be Equal to or Greater than") +
           " the Low Price.  Thank you.";
}
QString MsgEventPrice(const QString& which) {
    return "Please enter a valid " + which + " Price for this Event Entry.  Thank you.";
}
QString MsgEventDuplicate() {
    return QStringLiteral("An Event with this Name and this Starting Date") + CRLF +
           "already exists.  Duplicates are not allowed.";
}

std::optional<double> ParsePrice(const QString& typed, bool& ok) {
    ok = true;
    QString s = typed;
    s.remove(' ').remove('$').remove(',');
    if (s.isEmpty()) return std::nullopt;
    const double v = s.toDouble(&ok);
    if (!ok || v < 0 || !std::isfinite(v)) {
        ok = false;
        return std::nullopt;
    }
    return v;
}

QString FormatPrice(const std::optional<double>& price) {
    return price ? Formats::FormatNumber(*price, "###,###.#0") : QString();
}

QString EventNameProperCase(const QString& text) {
    QString out = text.toLower();
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}

QString CheckEvent(const EventInput& in) {
    if (in.name.trimmed().isEmpty()) return MsgEventName;
    const QDate start = typedDay(in.startingDate);
    if (!in.continuous && !start.isValid()) return MsgEventStartingDate();
    if (in.eventType.trimmed().isEmpty()) return MsgEventType;
    const bool throughTyped = !in.throughDate.trimmed().isEmpty();
    const QDate through = typedDay(in.throughDate);
    if (throughTyped && !through.isValid()) return MsgEventThroughDate();
    if (throughTyped && in.continuous) return MsgEventThroughWithoutStart();
    if (throughTyped && through < start) return MsgEventThroughBeforeStart();
    bool ok = true;
    const auto low = ParsePrice(in.lowPrice, ok);
    if (!ok) return MsgEventPrice("Low");
    const auto high = ParsePrice(in.highPrice, ok);
    if (!ok) return MsgEventPrice("High");
    if (low && high && *high < *low) return MsgEventHighPrice();
    return {};
}

std::optional<Event> GetTheEvent(AppContext& ctx, qint64 id) {
    Database& db = ctx.eventsDb();
    std::optional<Event> e;
    db.snapshot([&] {
        if (auto r = db.queryOne("SELECT * FROM [Event] WHERE [EventID] = ?", {id}))
            e = EventFromRow(*r);
    });
    if (e) e->notes = GetECT(ctx, id, TextKind::EventNotes);
    return e;
}

bool EventExists(AppContext& ctx, const QString& name, const QString& startingDate,
                 qint64 exceptId) {
    Database& db = ctx.eventsDb();
    const QString sameStart =
        startingDate.isEmpty() ? "[StartingDate] IS NULL" : "[StartingDate] = ?";
    QVariantList params{stored(name)};
    if (!startingDate.isEmpty()) params << startingDate;
    params << exceptId;
    return db.scalar("SELECT COUNT(*) FROM [Event] WHERE [EventName] = ? AND " + sameStart +
                         " AND [EventID] <> ?",
                     params)
               .toLongLong() > 0;
}

EventSave InsertEvent(AppContext& ctx, Event& e) {
    Database& db = ctx.eventsDb();
    const QDateTime now = ctx.clock().now();
    Event s = e;
    s.enteredBy = ctx.session.name;
    s.luInitials = ctx.session.initials;
    s.entryDate = Formats::StoredDate(now.date());
    s.entryTime = Formats::Time24(now.time());
    s.updateDate = s.entryDate;
    bool duplicate = false;
    db.transaction([&] {
        if (EventExists(ctx, s.name, s.startingDate)) {
            duplicate = true;
            return;
        }
        s.id = db.insert(InsertEventSql,
                         {stored(s.name), storedStart(s.startingDate), stored(s.throughDate),
                          stored(s.eventTime), stored(s.location), stored(s.telephone),
                          storedPrice(s.lowPrice), storedPrice(s.highPrice), stored(s.dark),
                          s.printOnList, stored(s.eventType), stored(s.enteredBy), s.entryDate,
                          s.entryTime, stored(s.luInitials), s.updateDate},
                         "EventID");
        PutECT(ctx, s.id, TextKind::EventNotes, s.notes);
    });
    if (duplicate) return EventSave::Duplicate;
    s.rowVersion = 0;
    e = s;
    UpdateEventDates(ctx);
    return EventSave::Saved;
}

EventSave UpdateEvent(AppContext& ctx, Event& e) {
    Database& db = ctx.eventsDb();
    Event s = e;
    s.updateDate = Formats::StoredDate(ctx.clock().today());
    s.luInitials = ctx.session.initials;
    EventSave outcome = EventSave::Saved;
    db.transaction([&] {
        // Editing may not make the duplicate that adding refuses.
        if (EventExists(ctx, s.name, s.startingDate, s.id)) {
            outcome = EventSave::Duplicate;
            return;
        }
        VersionedUpdate update("Event", "EventID", s.id, s.rowVersion);
        update.set("EventName", stored(s.name))
            .set("StartingDate", storedStart(s.startingDate))
            .set("ThroughDate", stored(s.throughDate))
            .set("EventTime", stored(s.eventTime))
            .set("Location", stored(s.location))
            .set("Telephone", stored(s.telephone))
            .set("Dark", stored(s.dark))
            .set("LowPrice", storedPrice(s.lowPrice))
            .set("HighPrice", storedPrice(s.highPrice))
            .set("EventType", stored(s.eventType))
            .set("UpdateDate", s.updateDate)
            .set("LUInitials", stored(s.luInitials))
            .set("PrintOnList", s.printOnList);
        switch (update.run(db)) {
        case VersionedResult::Changed:
            outcome = EventSave::Changed;
            return;
        case VersionedResult::Gone:
            outcome = EventSave::Gone;
            return;
        case VersionedResult::Updated:
            break;
        }
        s.rowVersion = update.newVersion();
        PutECT(ctx, s.id, TextKind::EventNotes, s.notes);
    });
    if (outcome != EventSave::Saved) return outcome;
    e = s;
    UpdateEventDates(ctx);
    return outcome;
}

int UpdateEventDates(AppContext& ctx) {
    // Stored days start with a digit: anything sorting below "1" is a blank.
    return ctx.eventsDb().exec(
        "UPDATE [Event] SET [StartingDate] = NULL WHERE [StartingDate] < '1'");
}

QString EventDeletedLogLine(AppContext& ctx, const Event& e) {
    return "User: " + ctx.session.name + " Deleted the Event: " + e.name +
           " for the Starting Date: " + e.startingDate +
           " on: " + Formats::AuditStamp(ctx.clock().now()) +
           " at PC Named: " + ctx.workstation.computerName;
}

bool DeleteEvent(AppContext& ctx, qint64 id) {
    if (id < 1) return false;
    const std::optional<Event> e = GetTheEvent(ctx, id);
    if (!e) return false;
    Database& db = ctx.eventsDb();
    Database& docs = DocumentLinksDb(ctx, DocKind::Event);
    const QString deleteDocs =
        "DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = '" + DocKind::Event +
        "'";
    bool deleted = false;
    db.transaction([&] {
        db.exec("DELETE FROM [EventSE] WHERE [EventID] = ?", {id});
        DeleteECT(ctx, id, {TextKind::EventNotes});
        if (&docs == &db) db.exec(deleteDocs, {id});
        deleted = db.exec("DELETE FROM [Event] WHERE [EventID] = ?", {id}) > 0;
    });
    if (!deleted) return false;
    // Links are kept by each property's own database: with shared events they
    // go once the event itself is gone.
    if (&docs != &db) docs.exec(deleteDocs, {id});
    LogMessage(ctx.start.databaseFolder, EventDeletedLogLine(ctx, *e), ctx.clock());
    return true;
}

// ------------------------------------------------------------------ exceptions

QString CheckEventException(const EventException& x) {
    if (x.from.trimmed().isEmpty()) return MsgExceptionFrom;
    if (x.through.trimmed().isEmpty()) return MsgExceptionThrough;
    if (x.description.trimmed().isEmpty()) return MsgExceptionDescription;
    return {};
}

QString StoredExceptionDay(const QString& typed) {
    const QDate d = typedDay(typed);
    return d.isValid() ? Formats::StoredDate(d) : stored(typed);
}

QString ShownExceptionDay(const QString& s) {
    const QDate d = Formats::ParseStoredDate(s.trimmed());
    return d.isValid() ? Formats::ShortDate(d) : StoredText(s);
}

std::vector<EventException> GetEventSEs(AppContext& ctx, qint64 eventId) {
    std::vector<EventException> out;
    for (const Row& r : ctx.eventsDb().query(
             "SELECT * FROM [EventSE] WHERE [EventID] = ? ORDER BY [SEFrom], [EventSEID]",
             {eventId}))
        out.push_back({r.number("EventSEID"), r.number("EventID"), r.trimmedText("SEFrom"),
                       r.trimmedText("SEThrough"), r.trimmedText("SEDescription")});
    return out;
}

qint64 InsertEventSE(AppContext& ctx, const EventException& x) {
    return ctx.eventsDb().insert("INSERT INTO [EventSE] ([EventID], [SEFrom], [SEThrough], "
                                 "[SEDescription]) VALUES (?, ?, ?, ?)",
                                 {x.eventId, StoredExceptionDay(x.from),
                                  StoredExceptionDay(x.through), stored(x.description)},
                                 "EventSEID");
}

bool UpdateEventSE(AppContext& ctx, const EventException& x) {
    return ctx.eventsDb().exec("UPDATE [EventSE] SET [SEFrom] = ?, [SEThrough] = ?, "
                               "[SEDescription] = ? WHERE [EventSEID] = ?",
                               {StoredExceptionDay(x.from), StoredExceptionDay(x.through),
                                stored(x.description), x.id}) > 0;
}

bool DeleteEventSE(AppContext& ctx, qint64 exceptionId) {
    return ctx.eventsDb().exec("DELETE FROM [EventSE] WHERE [EventSEID] = ?", {exceptionId}) > 0;
}

// ------------------------------------------------------------------ types

QString MsgReplaceTypeMissing() {
    return QStringLiteral("The Event Type to replace does not exist") + CRLF +
           "in the list of available types.";
}
QString MsgDeleteTypeQuestion() {
    return QStringLiteral("Press <Yes> to DELETE this Event Type.") + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}
QString MsgTypeInUse(qint64 count) {
    return "We found " + QString::number(count) + " Event entries using this Event Type." + CRLF +
           "We will Not Delete this Event Type. You may wish to Replace these entries with "
           "another type.";
}

std::vector<EventTypeRow> GetAllEventTypes(AppContext& ctx) {
    std::vector<EventTypeRow> out;
    for (const Row& r :
         ctx.eventsDb().query("SELECT [TypeID], [EventType] FROM [EventType] ORDER BY [EventType]"))
        out.push_back({r.number("TypeID"), r.trimmedText("EventType")});
    return out;
}

QStringList GetEventTypeNames(AppContext& ctx) {
    QStringList out;
    for (const EventTypeRow& t : GetAllEventTypes(ctx))
        out << t.name;
    return out;
}

qint64 EventTypeId(AppContext& ctx, const QString& name) {
    return ctx.eventsDb()
        .scalar("SELECT [TypeID] FROM [EventType] WHERE [EventType] = ?", {stored(name)})
        .toLongLong();
}

QString InsertEventType(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return MsgBlankType;
    Database& db = ctx.eventsDb();
    QString refusal;
    db.transaction([&] {
        if (EventTypeId(ctx, name) > 0) {
            refusal = MsgTypeExists;
            return;
        }
        db.insert("INSERT INTO [EventType] ([EventType], [IsReserved]) VALUES (?, ?)",
                  {stored(name), false}, "TypeID");
    });
    return refusal;
}

QString ReplaceEventType(AppContext& ctx, const QString& oldName, const QString& newName) {
    if (oldName.trimmed().isEmpty() || newName.trimmed().isEmpty()) return MsgBlankReplaceType;
    Database& db = ctx.eventsDb();
    QString refusal;
    db.transaction([&] {
        const qint64 oldId = EventTypeId(ctx, oldName);
        if (oldId < 1) {
            refusal = MsgReplaceTypeMissing();
            return;
        }
        const qint64 into = EventTypeId(ctx, newName);
        if (into > 0 && into != oldId)
            db.exec("DELETE FROM [EventType] WHERE [TypeID] = ?", {oldId}); // merged
        else
            db.exec("UPDATE [EventType] SET [EventType] = ? WHERE [TypeID] = ?",
                    {stored(newName), oldId});
        db.exec("UPDATE [Event] SET [EventType] = ? WHERE [EventType] = ?",
                {stored(newName), stored(oldName)});
    });
    return refusal;
}

qint64 CountEventsOfType(AppContext& ctx, const QString& name) {
    const QVariant n = ctx.eventsDb().scalar(
        "SELECT COUNT([EventID]) AS CountEm FROM [Event] WHERE [EventType] = ?", {stored(name)});
    if (!n.isValid())
        throw DbError(DbErrorNumber::General, "The events of the type could not be counted.");
    return n.toLongLong();
}

bool DeleteEventType(AppContext& ctx, const QString& name) {
    return ctx.eventsDb().exec("DELETE FROM [EventType] WHERE [EventType] = ?", {stored(name)}) > 0;
}

} // namespace vm
