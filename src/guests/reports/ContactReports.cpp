#include "guests/reports/ContactReports.h"

#include "core/Formats.h"
#include "guests/Contacts.h"
#include "guests/Maps.h"
#include "logbook/reports/LetterParts.h"

namespace vm {

using namespace doc;

namespace {

using Facts = QList<QPair<QString, QString>>;

void AddFact(Facts& facts, const QString& label, const QString& value) {
    if (!value.trimmed().isEmpty()) facts.append({label, value.trimmed()});
}

Table FactsTable(const Facts& facts) {
    Table t;
    t.columns = {{QString(), 1}, {QString(), 3}};
    for (const auto& [label, value] : facts)
        t.rows << TableRow{{label, value}};
    return t;
}

Paragraph Heading(const QString& text) {
    Paragraph p = Para(text, Align::Left, true);
    p.spaceBefore = 12;
    p.spaceAfter = 4;
    p.keepWithNext = true;
    return p;
}

// A text of several lines, one paragraph a line.
void AppendText(QList<Block>& body, const QString& text) {
    for (const QString& line : QString(text).replace("\r\n", "\n").split('\n'))
        body << Para(line);
}

Contact ContactOf(AppContext& ctx, const PrintRequest& r) {
    const std::optional<Contact> c = GetTheContact(ctx, r.args.value("contactId").toLongLong());
    if (!c) throw ReportRefused(MsgContactGoneNoPrint);
    return *c;
}

Document Sheet(const QString& title, const QString& heading) {
    Document d;
    d.title = title;
    d.page.margins = {0.75, 0.75, 0.75, 0.75};
    d.header << Para(heading, Align::Center, true, 14) << Spacer{8};
    d.footer << PageOfPages();
    return d;
}

QString AddressLines(const Contact& c) {
    QStringList lines;
    if (!c.address.isEmpty()) lines << c.address;
    const QString cityLine =
        QStringList{c.city, QStringList{c.state, c.postalCode}.join(" ").trimmed()}.join(", ");
    if (!cityLine.trimmed().remove(',').trimmed().isEmpty()) lines << cityLine;
    if (!c.country.isEmpty()) lines << c.country;
    return lines.join("\n");
}

} // namespace

Document BuildContactEntry(AppContext& ctx, const PrintRequest& r) {
    const Contact c = ContactOf(ctx, r);
    Document d = Sheet(r.title, "Contact Entry");
    Facts facts;
    AddFact(facts, "Primary Name:", c.name);
    AddFact(facts, "Contact Data:", c.nickName);
    AddFact(facts, "Address:", c.address);
    AddFact(facts, "Cross Streets:", c.crossStreets);
    AddFact(facts, "City:", c.city);
    AddFact(facts, "State:", c.state);
    AddFact(facts, "Postal Code:", c.postalCode);
    AddFact(facts, "Country:", c.country);
    AddFact(facts, "Keywords:", c.keywordSet);
    AddFact(facts, "Proximity:", c.proximity);
    AddFact(facts, "Log Type:", c.affiliation);
    AddFact(facts, "Area:", c.area);
    AddFact(facts, "Language:", ContactLanguages().value(c.language));
    AddFact(facts, "Rating:", ContactRatings().value(c.rating));
    AddFact(facts, "Rank:", ContactRankings().value(c.ranking));
    if (c.isClosed) AddFact(facts, "Status:", "Closed");
    if (c.isPrivate) AddFact(facts, "Private:", "Private Entry");
    AddFact(facts, "Guest Information:", c.guestInfo);
    if (c.otRestaurantId > 0) AddFact(facts, "Open Table ID:", QString::number(c.otRestaurantId));
    AddFact(facts, "Cuisine:", c.otCuisine);
    AddFact(facts, "Neighborhood:", c.otNeighborhood);
    AddFact(facts, "Price Range:", c.otPrice);
    AddFact(facts, "Last Updated:",
            Formats::ShortDateOfStored(c.updateDate) +
                (c.luInitials.isEmpty() ? QString() : "  By: " + c.luInitials));
    d.body << FactsTable(facts);

    const std::vector<ContactValue> extra = GetCurrentContactValues(ctx, c.id);
    if (!extra.empty()) {
        d.body << Heading("Extra Contacts");
        Facts rows;
        for (const ContactValue& v : extra)
            AddFact(rows, v.typeName + ":", v.data);
        d.body << FactsTable(rows);
    }
    if (!c.notes.trimmed().isEmpty()) {
        d.body << Heading("Additional Information or Notes:");
        AppendText(d.body, c.notes);
    }
    if (!c.directions.trimmed().isEmpty()) {
        d.body << Heading("Directions (How to Get There):");
        AppendText(d.body, c.directions);
    }
    return d;
}

Document BuildContactDirections(AppContext& ctx, const PrintRequest& r) {
    const Contact c = ContactOf(ctx, r);
    Document d = LetterDocument(r.title, LoadLetterContext(ctx).settings);
    d.body << Para(c.name, Align::Left, true, 12);
    AppendText(d.body, AddressLines(c));
    if (!c.crossStreets.isEmpty()) d.body << Para("Cross Streets: " + c.crossStreets);
    d.body << Heading("Directions (How to Get There):");
    AppendText(d.body, c.directions);
    return d;
}

Document BuildContactGuestListText(AppContext& ctx, const PrintRequest& r) {
    const Contact c = ContactOf(ctx, r);
    Document d = LetterDocument(r.title, LoadLetterContext(ctx).settings);
    d.body << Para(c.name, Align::Left, true, 12);
    AppendText(d.body, AddressLines(c));
    d.body << Spacer{8};
    AppendText(d.body, c.guestListText);
    return d;
}

Document BuildPointToPointMap(AppContext& ctx, const PrintRequest& r) {
    const MapSettings s = LoadMapSettings(ctx);
    const QString setUp = CheckMapSetUp(s);
    if (!setUp.isEmpty()) throw ReportRefused(setUp);
    Contact to;
    if (r.args.contains("contactId")) {
        to = ContactOf(ctx, r);
    } else {
        to.name = r.args.value("toName").toString().trimmed();
        to.address = r.args.value("toAddress").toString().trimmed();
        to.city = r.args.value("toCity").toString().trimmed();
        to.state = r.args.value("toState").toString().trimmed();
    }
    Document d = Sheet(r.title, r.title);
    Contact from;
    from.name = s.name;
    from.address = s.address;
    from.city = s.city;
    from.state = s.state;
    from.postalCode = s.postalCode;
    d.body << Heading("From:") << Para(from.name, Align::Left, true);
    AppendText(d.body, AddressLines(from));
    d.body << Heading("To:") << Para(to.name, Align::Left, true);
    AppendText(d.body, AddressLines(to));
    if (!to.crossStreets.isEmpty()) d.body << Para("Cross Streets: " + to.crossStreets);
    if (!to.directions.trimmed().isEmpty()) {
        d.body << Heading("Directions (How to Get There):");
        AppendText(d.body, to.directions);
    }
    return d;
}

void RegisterContactReports(ReportCatalogue& catalogue) {
    using W = PreviewWindow;
    catalogue.add({"PrintContactEntry", W::List, false, false, {}, BuildContactEntry});
    catalogue.add({"PrintContactD", W::Letter, true, false, {}, BuildContactDirections});
    catalogue.add({"PrintContactExtras", W::Letter, false, false, {}, BuildContactGuestListText});
    catalogue.add({"PrintMapPointMap", W::List, false, false, {}, BuildPointToPointMap});
}

} // namespace vm
