#include "guests/reports/ProfileReports.h"

#include "core/Formats.h"
#include "guests/Groups.h"
#include "guests/Profiles.h"

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

QString AddressText(const ProfileAddress& a) {
    QStringList lines;
    for (const QString& l : {a.line1, a.line2})
        if (!l.trimmed().isEmpty()) lines << l.trimmed();
    const QString cityLine =
        QStringList{a.city.trimmed(),
                    QStringList{a.state.trimmed(), a.postalCode.trimmed()}.join(" ").trimmed()}
            .join(", ");
    if (!cityLine.trimmed().remove(',').trimmed().isEmpty()) lines << cityLine;
    if (!a.country.trimmed().isEmpty()) lines << a.country.trimmed();
    return lines.join("\n");
}

} // namespace

Document BuildProfileDetails(AppContext& ctx, const PrintRequest& r) {
    const std::optional<Profile> found = GetProfile(ctx, r.args.value("profileId").toLongLong());
    if (!found) throw ReportRefused(MsgProfileGoneNoPrint);
    const Profile& p = *found;
    const bool manager = ctx.session.manager;
    if (p.isPrivate && !manager) throw ReportRefused(MsgPrivateProfileNoPrint);

    Document d;
    d.title = r.title;
    d.page.margins = {0.75, 0.75, 0.75, 0.75};
    d.header << Para("Profile Details", Align::Center, true, 14) << Spacer{8};
    d.footer << PageOfPages();
    const QString name =
        QStringList{p.salutation.trimmed(), p.firstName.trimmed(), p.lastName.trimmed()}
            .join(" ")
            .simplified();
    d.body << Para(name, Align::Left, true, 12);

    Facts head;
    AddFact(head, "Unit:", p.unit);
    AddFact(head, "Profile Type:", p.profileType);
    AddFact(head, "Company Name:", p.company);
    AddFact(head, "Job/Title:", p.title);
    if (p.groupId > 0) AddFact(head, "Group Name:", GetGroupName(ctx, p.groupId));
    if (p.isPrivate) AddFact(head, "Private:", "Private Entry");
    AddFact(head, "Profile ID:", QString::number(p.id));
    d.body << FactsTable(head);

    const QString captions[] = {"Home Address", "Business Address", "Other Address"};
    const ProfileAddress* sets[] = {&p.home, &p.business, &p.other};
    Facts addresses;
    for (int i = 0; i < 3; ++i)
        AddFact(addresses, captions[i] + (i == p.primaryAddress ? " (Primary):" : ":"),
                AddressText(*sets[i]));
    AddFact(addresses, "Home Email:", p.email);
    AddFact(addresses, "Business Email:", p.emailB);
    if (!addresses.isEmpty()) d.body << Heading("Addresses") << FactsTable(addresses);

    Facts phones;
    AddFact(phones, "Home:", p.homePhone);
    AddFact(phones, "Business:", p.businessPhone);
    AddFact(phones, "Cell:", p.cellPhone);
    AddFact(phones, "Fax:", p.faxPhone);
    AddFact(phones, "Other:", p.otherPhone);
    if (!phones.isEmpty()) d.body << Heading("Phones") << FactsTable(phones);

    Facts assistant;
    AddFact(assistant, "Name:", p.asstName);
    AddFact(assistant, "Email:", p.asstEmail);
    AddFact(assistant, "Cell Phone:", p.asstCellPhone);
    AddFact(assistant, "Business:", p.asstBusinessPhone);
    AddFact(assistant, "Fax Phone:", p.asstFaxPhone);
    if (!assistant.isEmpty()) d.body << Heading("Assistant") << FactsTable(assistant);

    const std::vector<ProfileIndicator> indicators = GetProfilePI(ctx, p.id, manager);
    if (!indicators.empty()) {
        Table t;
        t.columns = {{"Preference", 1}, {"Selection", 2}};
        t.header << TableRow{{"Preference", "Selection"}, true};
        for (const ProfileIndicator& i : indicators)
            t.rows << TableRow{{i.type.trimmed(), i.value.trimmed()}};
        d.body << Heading("Indicators") << t;
    }

    const std::vector<ContactHistoryRow> history = GetProfileCH(ctx, p.id);
    if (!history.empty()) {
        Table t;
        t.columns = {{"Date", 1}, {"Contact Type", 2}, {"Contact Result", 2}};
        t.header << TableRow{{"Date", "Contact Type", "Contact Result"}, true};
        for (const ContactHistoryRow& h : history)
            t.rows << TableRow{
                {Formats::ShortDateOfStored(h.date), h.type.trimmed(), h.result.trimmed()}};
        d.body << Heading("Contact History") << t;
    }

    if (!p.notes.trimmed().isEmpty()) {
        d.body << Heading("Notes");
        for (const QString& line : QString(p.notes).replace("\r\n", "\n").split('\n'))
            d.body << Para(line);
    }
    return d;
}

void RegisterProfileReports(ReportCatalogue& catalogue) {
    catalogue.add(
        {ProfileDetailsRoutine, PreviewWindow::List, false, false, {}, BuildProfileDetails});
}

} // namespace vm
