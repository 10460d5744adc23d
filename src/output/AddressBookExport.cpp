#include "output/AddressBookExport.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "platform/CsvWriter.h"

#include <functional>
#include <optional>

namespace vm {

namespace {

const QString Module = QStringLiteral("AddressBookExport");

// A stored value as the file shows it: the stored form of an empty text (one
// blank) is written empty, anything else as it stands.
QString Value(const Row& r, const QString& column) {
    QString v = r.text(column);
    return v == " " ? QString() : v;
}

// A stored date as "yyyy/MM/dd"; a value that is no date is written as it stands.
QString DateValue(const Row& r, const QString& column) {
    const QString v = Value(r, column);
    const QDate d = Formats::ParseStoredDate(v.trimmed());
    return d.isValid() ? Formats::StoredDate(d) : v;
}

QString YesNo(bool b) {
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

// The open file of one builder: rows go in until one cannot be written.
class Sink {
public:
    explicit Sink(CsvWriter& out) : m_out(out) {}
    bool put(const QStringList& cells) {
        m_ok = m_ok && m_out.writeRow(cells);
        return m_ok;
    }
    bool record(const QStringList& cells) {
        ++m_rows;
        return put(cells);
    }
    // Stops the export: no file, `message` told instead.
    void refuse(const QString& message) {
        m_ok = false;
        m_refusal = message;
    }
    bool ok() const { return m_ok; }
    int rows() const { return m_rows; }
    const QString& refusal() const { return m_refusal; }

private:
    CsvWriter& m_out;
    bool m_ok = true;
    int m_rows = 0;
    QString m_refusal;
};

// Writes `file` in the output folder through `write`; the file takes the old
// one's place only when every line was written.  An engine error leaves the
// old file as it was and answers the program's error text naming `builder`.
ExportResult Export(AppContext& ctx, const QString& file, const QString& builder,
                    const std::function<void(Sink&)>& write) {
    ExportResult result;
    result.path = ctx.workstation.outputFolder() + file;
    CsvWriter out(result.path, CsvQuoting::Always);
    Sink sink(out);
    try {
        if (out.open()) write(sink);
    } catch (const DbError& e) {
        out.cancel();
        result.message = ErrorReportText(e.number(), e.description(), builder, Module);
        return result;
    }
    if (!sink.refusal().isEmpty()) {
        out.cancel();
        result.message = sink.refusal();
        return result;
    }
    result.ok = sink.ok() && out.commit();
    result.rows = result.ok ? sink.rows() : 0;
    result.message = FileWrittenMessage(result.path, result.ok);
    return result;
}

// Streams records joined with the pieces of their note (column NoteField,
// null when there is none), ordered by the record and then the piece's
// Sequence.  `cells` makes a record's columns from its first row; the joined
// note is the last column.
void StreamWithNotes(Database& db, const QString& sql, const QVariantList& params,
                     const QString& keyColumn, const std::function<QStringList(const Row&)>& cells,
                     Sink& sink) {
    std::optional<qint64> current;
    QStringList pending;
    QString note;
    const auto flush = [&] {
        if (current) sink.record(pending << note);
    };
    db.forEach(sql, params, [&](const Row& r) {
        const qint64 key = r.number(keyColumn);
        if (current != key) {
            flush();
            if (!sink.ok()) return false;
            current = key;
            pending = cells(r);
            note.clear();
        }
        note += r.text("NoteField");
        return true;
    });
    if (sink.ok()) flush();
}

} // namespace

ExportResult BuildAllContactCSV(AppContext& ctx) {
    return Export(ctx, AllContactsFile, "BuildAllContactCSV", [&](Sink& sink) {
        if (!sink.put({"Company", "Business Phone", "Business Street", "Business Street 2",
                       "Business City", "Business State", "Business Postal Code",
                       "Business Country", "Notes", "Last  Updated"}))
            return;
        const bool all = ctx.session.manager;
        ctx.contactsDb().forEach(
            "SELECT * FROM [Contact]" +
                QString(all ? "" : " WHERE [PublicPrivate] = ? OR [PublicPrivate] IS NULL") +
                " ORDER BY [ContactName], [ContactID]",
            all ? QVariantList{} : QVariantList{false}, [&](const Row& r) {
                const QString notes = Value(r, "KeywordSet") + CRLF +
                                      "Rating = " + r.text("Rating") +
                                      "  Ranking = " + r.text("Ranking");
                return sink.record({Value(r, "ContactName"), Value(r, "NickName"),
                                    Value(r, "Address"), Value(r, "CrossStreets"), Value(r, "City"),
                                    Value(r, "State"), Value(r, "PostalCode"), Value(r, "Country"),
                                    notes, DateValue(r, "UpdateDate")});
            });
    });
}

ExportResult BuildAllProfileCSV(AppContext& ctx) {
    return Export(ctx, AllProfilesFile, "BuildAllProfileCSV", [&](Sink& sink) {
        const bool arrival = GetBooleanSetting(ctx.db(), "ResortClubProperty");
        const bool all = ctx.session.manager;
        QStringList header{"First Name", "Last Name"};
        if (arrival) header << "Arrival Date";
        header << "Job Title"
               << "E-Mail Address"
               << "E-mail 2 Address"
               << "Home Phone"
               << "Home Fax"
               << "Mobile Phone"
               << "Business Phone"
               << "Home Street"
               << "Home Street 2"
               << "Home City"
               << "Home State"
               << "Home Postal Code"
               << "Home Country"
               << "Business Street"
               << "Business Street 2"
               << "Business City"
               << "Business State"
               << "Business Postal Code"
               << "Business Country"
               << "Other Street"
               << "Other Street 2"
               << "Other City"
               << "Other State"
               << "Other Postal Code"
               << "Other Country"
               << "Notes";
        if (!sink.put(header)) return;

        const QString publicOnly = " AND ({0}.[PublicPrivate] = ? OR {0}.[PublicPrivate] IS NULL)";
        QString sql = "SELECT p.*, t.[NoteField]";
        QVariantList params;
        if (arrival) {
            // The first "Arrival Date" indicator the profile lists.
            sql += ", (SELECT a.[PreferenceSelection] FROM [ProfilePI] a WHERE a.[ProfileID] = "
                   "p.[ProfileID] AND a.[PreferenceType] = ?" +
                   (all ? QString() : QString(publicOnly).replace("{0}", "a")) +
                   " ORDER BY a.[SequenceNo], a.[ProfilePIID] LIMIT 1) AS [ArrivalIndicator]";
            params << QStringLiteral("Arrival Date");
            if (!all) params << false;
        }
        sql += " FROM [Profile] p LEFT JOIN [EvConText] t ON t.[EvConKey] = p.[ProfileID] AND "
               "t.[EvConType] = ?";
        params << TextKind::ProfileNotes;
        if (!all) {
            sql += " WHERE 1 = 1" + QString(publicOnly).replace("{0}", "p");
            params << false;
        }
        sql += " ORDER BY p.[LastName], p.[FirstName], p.[ProfileID], t.[Sequence]";

        static const char* const tail[] = {
            "Title",     "EmailAddress",  "EmailAddressB", "HomePhone",   "FaxPhone",
            "CellPhone", "BusinessPhone", "Address",       "Address2",    "City",
            "State",     "PostalCode",    "Country",       "Address12",   "Address22",
            "City2",     "State2",        "PostalCode2",   "Country2",    "Address13",
            "Address23", "City3",         "State3",        "PostalCode3", "Country3"};
        StreamWithNotes(
            ctx.db(), sql, params, "ProfileID",
            [&](const Row& r) {
                QStringList cells{Value(r, "FirstName"), Value(r, "LastName")};
                if (arrival) cells << Value(r, "ArrivalIndicator");
                for (const char* column : tail)
                    cells << Value(r, column);
                return cells;
            },
            sink);
    });
}

ExportResult BuildAllEventsCSV(AppContext& ctx) {
    return Export(ctx, AllEventsFile, "BuildAllEventsCSV", [&](Sink& sink) {
        if (!sink.put({"Event Name", "Location", "Telephone", "Starting Date", "Through Date",
                       "Dark", "Time", "Type of Event", "Low Price", "High Price",
                       "Print on Guest List", "Event Notes"}))
            return;
        StreamWithNotes(
            ctx.eventsDb(),
            "SELECT e.*, t.[NoteField] FROM [Event] e LEFT JOIN [EvConText] t ON t.[EvConKey] = "
            "e.[EventID] AND t.[EvConType] = ? "
            "ORDER BY e.[EventName], e.[StartingDate], e.[EventID], t.[Sequence]",
            {TextKind::EventNotes}, "EventID",
            [](const Row& r) {
                return QStringList{Value(r, "EventName"),
                                   Value(r, "Location"),
                                   Value(r, "Telephone"),
                                   DateValue(r, "StartingDate"),
                                   DateValue(r, "ThroughDate"),
                                   Value(r, "Dark"),
                                   Value(r, "EventTime"),
                                   Value(r, "EventType"),
                                   Formats::FormatNumber(r.real("LowPrice"), "###,###.00"),
                                   Formats::FormatNumber(r.real("HighPrice"), "###,###.00"),
                                   YesNo(r.flag("PrintOnList"))};
            },
            sink);
    });
}

ExportResult BuildAllStaffCSV(AppContext& ctx) {
    return Export(ctx, AllStaffFile, "BuildAllStaffCSV", [&](Sink& sink) {
        const bool openTable = GetBooleanSetting(ctx.db(), "OpenTable");
        const bool masked = ctx.start.masked;
        QStringList header{"Concierge Name", "Initials", "Logon Name", "Job Title"};
        if (openTable)
            header << "OpenTable"
                   << "Open Table ID";
        header << "Message Group(s)"
               << "EmailAddress"
               << "Telephone"
               << "Last Logon"
               << "Last PW Change";
        if (masked) header << "Network User ID";
        if (!sink.put(header)) return;
        ctx.db().forEach("SELECT * FROM [Concierge] ORDER BY [Concierge], [ConciergeID]", {},
                         [&](const Row& r) {
                             // The support accounts are stored in mixed case.
                             const QString name = Value(r, "Concierge");
                             const QString upper = name.trimmed().toUpper();
                             if (upper == "SUPPORT PROFILE" || upper == "ORVANTA SUPPORT")
                                 return true;
                             QStringList cells{name, Value(r, "Initials"), Value(r, "UserProfile"),
                                               Value(r, "JobTitle")};
                             if (openTable) {
                                 const QString id = Value(r, "OTConciergeID");
                                 cells << YesNo(!id.trimmed().isEmpty()) << id;
                             }
                             cells << Value(r, "MessageGroup") << Value(r, "EmailAddress")
                                   << Value(r, "Telephone") << DateValue(r, "LastLogon")
                                   << DateValue(r, "LastPWChange");
                             if (masked) cells << Value(r, "EUserID");
                             return sink.record(cells);
                         });
    });
}

ExportResult BuildAllGroupLogsCSV(AppContext& ctx, qint64 groupId) {
    return Export(ctx, AllGroupLogsFile, "BuildAllGroupLogsCSV", [&](Sink& sink) {
        const std::optional<Row> group = ctx.db().queryOne(
            "SELECT [GroupName], [ArrivalDate], [DepartureDate] FROM [Group] WHERE [GroupID] = ?",
            {groupId});
        if (!group) return sink.refuse(MsgGroupNotFound);
        if (!sink.put({"Group Name:", Value(*group, "GroupName")}) ||
            !sink.put({"Arriving:", DateValue(*group, "ArrivalDate")}) ||
            !sink.put({"Departing:", DateValue(*group, "DepartureDate")}) ||
            !sink.put({"First Name", "Last Name", "Room Number", "Category", "Notify", "Refer Date",
                       "Who"}))
            return;
        ctx.db().forEach("SELECT * FROM [LogBook] WHERE [GroupID] = ? ORDER BY [ReferDate], "
                         "[ReferTime], [LastName], [FirstName], [LogID]",
                         {groupId}, [&](const Row& r) {
                             return sink.record({Value(r, "FirstName"), Value(r, "LastName"),
                                                 Value(r, "RoomNumber"), Value(r, "EntryType"),
                                                 Value(r, "Notified"), DateValue(r, "ReferDate"),
                                                 Value(r, "EnteredBy")});
                         });
    });
}

} // namespace vm
