// Events from a file: the event screen's fields and checks, stored by InsertEvent.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "guests/Events.h"
#include "guests/import/CsvImportKinds.h"

#include <QSet>

namespace vm {

namespace {

// A day as the screen takes it ("MM/dd/yyyy"); files written by other
// programs often carry "yyyy-MM-dd" or the stored "yyyy/MM/dd", which are
// taken too.  Anything else stays as it is, for the screen's check to refuse.
QString TypedDay(const QString& cell) {
    const QString s = cell.trimmed();
    for (const char* format : {"yyyy-MM-dd", "yyyy/MM/dd"}) {
        const QDate d = QDate::fromString(s, QString::fromLatin1(format));
        if (d.isValid()) return Formats::ShortDate(d);
    }
    return s;
}

class EventImporter : public RecordImporter {
public:
    QString title() const override { return QStringLiteral("Events"); }
    QString table() const override { return QStringLiteral("Event"); }
    Database& database(AppContext& ctx) const override { return ctx.eventsDb(); }
    bool keepsAmpersand() const override { return true; }

    const std::vector<ImportField>& fields() const override {
        static const std::vector<ImportField> f{
            {"EventName", "Event Name", FieldType::Text, true},
            {"Continuous", "Continuous", FieldType::Flag},
            {"StartingDate", "Starting Date", FieldType::Value},
            {"ThroughDate", "Through Date", FieldType::Value},
            {"EventTime", "Event Time"},
            {"Location", "Location"},
            {"Telephone", "Telephone"},
            {"LowPrice", "Low Price", FieldType::Value},
            {"HighPrice", "High Price", FieldType::Value},
            {"Dark", "Dark"},
            {"EventType", "Event Type", FieldType::Value, true},
            {"PrintOnList", "Print on List", FieldType::Flag, false, true},
            {"Notes", "Notes", FieldType::Note}};
        return f;
    }

    void begin(AppContext& ctx) override {
        m_events.clear();
        m_seen.clear();
        m_properCase = GetBooleanSetting(ctx.db(), "ProperCaseName");
        m_types = GetEventTypeNames(ctx);
    }

    void take(AppContext& ctx, ImportRow& row, std::vector<FieldRefusal>& refusals) override {
        Event e;
        e.name = row["EventName"].trimmed();
        if (m_properCase && !e.name.isEmpty()) e.name = EventNameProperCase(e.name);
        if (row.has("EventName")) row.values["EventName"] = e.name;
        // The type list is the screen's drop-down: a type must be one of it,
        // and is stored as the list spells it.
        QString type = row["EventType"].trimmed();
        for (const QString& known : m_types)
            if (!type.isEmpty() && known.compare(type, Qt::CaseInsensitive) == 0) type = known;
        row.values["EventType"] = type;
        const EventInput in{e.name,
                            row.flag("Continuous", false),
                            TypedDay(row["StartingDate"]),
                            TypedDay(row["ThroughDate"]),
                            type,
                            row["LowPrice"],
                            row["HighPrice"]};
        const QString refusal = CheckEvent(in);
        if (!refusal.isEmpty()) {
            refusals.push_back({fieldOf(refusal), refusal});
        } else if (!m_types.contains(type)) {
            refusals.push_back(
                {"EventType", "The Event Type " + type + " is not in the list of Event Types."});
        }
        const QDate start = Formats::ParseShortDate(in.startingDate);
        const QDate through = Formats::ParseShortDate(in.throughDate);
        e.startingDate = in.continuous || !start.isValid() ? QString() : Formats::StoredDate(start);
        e.throughDate = through.isValid() ? Formats::StoredDate(through) : QString();
        e.eventTime = row["EventTime"].trimmed();
        e.location = row["Location"].trimmed();
        e.telephone = row["Telephone"].trimmed();
        bool ok = true;
        e.lowPrice = ParsePrice(in.lowPrice, ok);
        e.highPrice = ParsePrice(in.highPrice, ok);
        e.dark = row["Dark"].trimmed();
        e.eventType = type;
        e.printOnList = row.flag("PrintOnList", true);
        e.notes = row["Notes"];
        if (refusal.isEmpty()) {
            // The store refuses a second event of one name starting on one
            // day; the file is checked for it against itself and the list.
            const QString key = CleanSqlTextKeepAmp(e.name).toLower() + "|" + e.startingDate;
            if (m_seen.contains(key) || EventExists(ctx, e.name, e.startingDate))
                refusals.push_back({"EventName", MsgEventDuplicate()});
            m_seen.insert(key);
        }
        for (const auto& [key, value] :
             {std::pair{QStringLiteral("StartingDate"), e.startingDate},
              std::pair{QStringLiteral("ThroughDate"), e.throughDate},
              std::pair{QStringLiteral("LowPrice"), FormatPrice(e.lowPrice)},
              std::pair{QStringLiteral("HighPrice"), FormatPrice(e.highPrice)}})
            if (row.has(key) && refusal.isEmpty()) row.values[key] = value;
        m_events.push_back(e);
    }

    std::optional<FieldRefusal> insert(AppContext& ctx, int index) override {
        Event& e = m_events[size_t(index)];
        if (InsertEvent(ctx, e) == EventSave::Duplicate)
            return FieldRefusal{"EventName", MsgEventDuplicate()};
        return std::nullopt;
    }

private:
    // The field a refusal of CheckEvent is about.
    static QString fieldOf(const QString& refusal) {
        if (refusal == MsgEventName) return "EventName";
        if (refusal == MsgEventStartingDate()) return "StartingDate";
        if (refusal == MsgEventType) return "EventType";
        if (refusal == MsgEventPrice("Low")) return "LowPrice";
        if (refusal == MsgEventPrice("High") || refusal == MsgEventHighPrice()) return "HighPrice";
        return "ThroughDate";
    }

    std::vector<Event> m_events;
    QSet<QString> m_seen;
    QStringList m_types;
    bool m_properCase = false;
};

} // namespace

std::unique_ptr<RecordImporter> MakeEventImporter() {
    return std::make_unique<EventImporter>();
}

} // namespace vm
