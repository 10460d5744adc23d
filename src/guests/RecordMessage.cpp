#include "guests/RecordMessage.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"

namespace vm {

namespace {

const QString Indent = QStringLiteral("   ");

// The lines of one record: "Label: value" for each field that has a value.
class Lines {
public:
    void add(const QString& label, const QString& value) {
        const QString v = StoredText(value);
        if (!v.isEmpty()) m_lines << Indent + label + ": " + v;
    }
    void addPlain(const QString& value) {
        const QString v = StoredText(value);
        if (!v.isEmpty()) m_lines << Indent + v;
    }
    QStringList take() { return std::move(m_lines); }

private:
    QStringList m_lines;
};

QString cityLine(const QString& city, const QString& state, const QString& postal) {
    QString line = StoredText(city);
    const QString statePostal = (StoredText(state) + " " + StoredText(postal)).trimmed();
    if (!statePostal.isEmpty()) line += (line.isEmpty() ? "" : ", ") + statePostal;
    return line;
}

QString shortDate(const QString& stored) {
    const QString s = Formats::ShortDateOfStored(StoredText(stored));
    return s.isEmpty() ? StoredText(stored) : s;
}

QString money(const QVariant& v) {
    return v.isNull() ? QString() : Formats::FormatNumber(v.toDouble(), "#,##0.00");
}

std::optional<QStringList> contactLines(AppContext& ctx, qint64 id) {
    Database& db = ctx.contactsDb();
    const auto r = db.queryOne("SELECT [ContactName], [NickName], [Address], [CrossStreets], "
                               "[City], [State], [PostalCode], [Country], [Proximity] "
                               "FROM [Contact] WHERE [ContactID] = ?",
                               {id});
    if (!r) return std::nullopt;
    Lines l;
    l.add("Primary Name", r->text("ContactName"));
    l.add("Contact Data", r->text("NickName"));
    l.add("Address", r->text("Address"));
    l.add("Cross Streets", r->text("CrossStreets"));
    l.addPlain(cityLine(r->text("City"), r->text("State"), r->text("PostalCode")));
    l.addPlain(r->text("Country"));
    l.add("Proximity", r->text("Proximity"));
    // Extra numbers and addresses; private ones stay on the contact.
    for (const Row& d : db.query("SELECT [t].[ContactType], [d].[ContactData] FROM [ContactData] "
                                 "[d] INNER JOIN [ContactType] [t] ON [d].[TypeID] = "
                                 "[t].[TypeID] WHERE [d].[ContactID] = ? AND ([d].[PublicPrivate] "
                                 "IS NULL OR [d].[PublicPrivate] = ?) ORDER BY [t].[Sequence]",
                                 {id, false}))
        l.add(StoredText(d.text("ContactType")), d.text("ContactData"));
    return l.take();
}

std::optional<QStringList> profileLines(AppContext& ctx, qint64 id) {
    const auto r = ctx.db().queryOne("SELECT * FROM [Profile] WHERE [ProfileID] = ?", {id});
    if (!r) return std::nullopt;
    Lines l;
    l.add("Name", QStringList{StoredText(r->text("Salutation")), StoredText(r->text("FirstName")),
                              StoredText(r->text("LastName"))}
                      .join(' ')
                      .simplified());
    l.add("Company", r->text("CompanyName"));
    l.add("Title", r->text("Title"));
    l.add("Address", r->text("Address1S"));
    l.addPlain(r->text("Address2S"));
    l.addPlain(cityLine(r->text("CityS"), r->text("StateS"), r->text("PostalCodeS")));
    l.addPlain(r->text("CountryS"));
    // Numbers and addresses the guest asked the desk not to use are left out.
    struct Reach {
        const char *column, *doNotUse, *label;
    };
    const Reach reach[] = {
        {"HomePhone", "DNUHomePhone", "Home Phone"},
        {"BusinessPhone", "DNUBusinessPhone", "Business Phone"},
        {"CellPhone", "DNUCellPhone", "Cell Phone"},
        {"OtherPhone", "DNUOtherPhone", "Other Phone"},
        {"FaxPhone", "DNUFaxPhone", "Fax"},
        {"EmailAddress", "DNUEmail", "E-Mail"},
        {"EmailAddressB", "DNUEmailB", "E-Mail"},
    };
    for (const Reach& x : reach)
        if (!r->flag(x.doNotUse)) l.add(x.label, r->text(x.column));
    return l.take();
}

std::optional<QStringList> groupLines(AppContext& ctx, qint64 id) {
    const auto r = ctx.db().queryOne("SELECT * FROM [Group] WHERE [GroupID] = ?", {id});
    if (!r) return std::nullopt;
    Lines l;
    l.add("Group Name", r->text("GroupName"));
    l.add("Attendees", r->value("Attendees").isNull() ? QString() : r->text("Attendees"));
    l.add("Arrival Date", shortDate(r->text("ArrivalDate")));
    l.add("Departure Date", shortDate(r->text("DepartureDate")));
    l.add("Group Manager", r->text("GroupMgr"));
    l.add("Sales Manager", r->text("SalesMgr"));
    l.add("Meeting Planner", r->text("MeetingPlanner"));
    l.add("Group Contact", r->text("GroupContact"));
    return l.take();
}

std::optional<QStringList> eventLines(AppContext& ctx, qint64 id) {
    const auto r = ctx.eventsDb().queryOne("SELECT * FROM [Event] WHERE [EventID] = ?", {id});
    if (!r) return std::nullopt;
    Lines l;
    l.add("Event Name", r->text("EventName"));
    // A continuous event has no starting date.
    if (StoredText(r->text("StartingDate")).isEmpty()) {
        l.add("Dates", "Continuous");
    } else {
        l.add("Starting Date", shortDate(r->text("StartingDate")));
        l.add("Through Date", shortDate(r->text("ThroughDate")));
    }
    l.add("Time", r->text("EventTime"));
    l.add("Location", r->text("Location"));
    l.add("Telephone", r->text("Telephone"));
    const QString low = money(r->value("LowPrice")), high = money(r->value("HighPrice"));
    l.add("Price", low == high || high.isEmpty() ? low : low + " - " + high);
    l.add("Dark", r->text("Dark"));
    l.add("Event Type", r->text("EventType"));
    return l.take();
}

QString kindWord(RecordKind kind) {
    switch (kind) {
    case RecordKind::Contact:
        return QStringLiteral("Contact");
    case RecordKind::Profile:
        return QStringLiteral("Profile");
    case RecordKind::Group:
        return QStringLiteral("Group");
    case RecordKind::Event:
        return QStringLiteral("Event");
    }
    return {};
}

} // namespace

QString RecordMessageKind(RecordKind kind) {
    return kindWord(kind) + " Msg";
}

QString BuildRecordMessageText(AppContext& ctx, RecordKind kind, qint64 id) {
    std::optional<QStringList> lines;
    QString notesKind, hideSetting;
    switch (kind) {
    case RecordKind::Contact:
        lines = contactLines(ctx, id);
        notesKind = TextKind::ContactNotes;
        hideSetting = "HideCN";
        break;
    case RecordKind::Profile:
        lines = profileLines(ctx, id);
        break;
    case RecordKind::Group:
        lines = groupLines(ctx, id);
        break;
    case RecordKind::Event:
        lines = eventLines(ctx, id);
        notesKind = TextKind::EventNotes;
        hideSetting = "HideEN";
        break;
    }
    if (!lines) return {};
    QStringList text{"Please Note the following " + kindWord(kind) + " information:"};
    text << *lines;
    if (!notesKind.isEmpty() && !GetBooleanSetting(ctx.db(), hideSetting)) {
        const QString notes = GetECT(ctx, id, notesKind).trimmed();
        if (!notes.isEmpty()) {
            text << "Notes:";
            // Notes keep their own line breaks, each line indented like the fields.
            for (const QString& line : QString(notes).replace(CRLF, "\n").split('\n'))
                text << Indent + line;
        }
    }
    return text.join(CRLF);
}

QString CardInMessageLogLine(const AppContext& ctx, bool prevented, const QStringList& recipients) {
    QString to = recipients.value(0);
    if (recipients.size() > 1) to += " et. al.";
    const QString what =
        prevented ? " Prevented a possible credit card number from being sent as a 'Message' to '"
                  : " Allowed a possible credit card number to be sent as a 'Message' for '";
    return "User: " + ctx.session.name + what + to + "'" +
           " on: " + Formats::AuditStamp(ctx.clock().now()) +
           " at PC Named: " + ctx.workstation.computerName;
}

} // namespace vm
