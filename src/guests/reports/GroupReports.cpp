#include "guests/reports/GroupReports.h"

#include "core/Formats.h"
#include "guests/Groups.h"
#include "output/GridTable.h"

namespace vm {

using namespace doc;

namespace {

Document sheet(AppContext& ctx, const QString& title, const QString& heading) {
    Document d;
    d.title = title;
    d.page.margins = {0.6, 0.6, 0.6, 0.6};
    d.header << Para(heading, Align::Center, true, 13);
    d.header << Para("As of: " + Formats::LongDate(ctx.clock().today()), Align::Center);
    d.header << Spacer{6};
    d.footer << PageOfPages();
    return d;
}

QString time12(const QString& stored) {
    const QTime t = Formats::ParseTime(stored);
    return t.isValid() ? Formats::Time12(t) : stored;
}

Paragraph section(const QString& text) {
    Paragraph p = Para(text, Align::Left, true, 11);
    p.spaceBefore = 10;
    p.spaceAfter = 4;
    p.keepWithNext = true;
    return p;
}

} // namespace

Document BuildGroupList(AppContext& ctx, const PrintRequest& r) {
    const bool showAll = r.args.value("showAll").toBool();
    const std::vector<Group> groups = GetTheGroups(ctx, showAll);
    if (groups.empty()) throw ReportRefused(MsgNoGroupsToPrint);
    Document d = sheet(ctx, r.title.isEmpty() ? QStringLiteral("Group List") : r.title,
                       "Groups and Conventions List");
    d.page.landscape = true;
    Table t = GridTable({{"Group Name", 3},
                         {"Attendees", 1.9, Align::Right},
                         {"Arrival Date", 1.8},
                         {"Departure Date", 2.3},
                         {"Group Contact", 2.5},
                         {"Group Manager", 2.5},
                         {"Notes", 3.5}});
    for (const Group& g : groups)
        t.rows << TableRow{
            {g.name, QString::number(g.attendees), Formats::ShortDateOfStored(g.arrivalDate),
             Formats::ShortDateOfStored(g.departureDate), g.groupContact, g.groupMgr, g.notes}};
    d.body << t;
    return d;
}

Document BuildGroupDetails(AppContext& ctx, const PrintRequest& r) {
    const auto group = GetTheGroup(ctx, r.args.value("groupId").toLongLong());
    if (!group) throw ReportRefused(MsgGroupNotFound);
    const Group& g = *group;
    Document d = sheet(ctx, r.title.isEmpty() ? QStringLiteral("Group Details") : r.title,
                       "Group or Convention Details");
    Table fields;
    fields.columns = {{"", 1.5}, {"", 4}};
    const QList<std::pair<QString, QString>> lines = {
        {"Group Name:", g.name},
        {"Attendees:", QString::number(g.attendees)},
        {"Arrival Date:", Formats::ShortDateOfStored(g.arrivalDate)},
        {"Departure Date:", Formats::ShortDateOfStored(g.departureDate)},
        {"Group Manager:", g.groupMgr},
        {"Sales Manager:", g.salesMgr},
        {"Meeting Planner:", g.meetingPlanner},
        {"Group Contact:", g.groupContact},
        {"Notes:", g.notes}};
    for (const auto& [label, value] : lines)
        fields.rows << TableRow{{label, value}};
    d.body << fields;

    d.body << section("Meeting Schedule");
    const std::vector<Meeting> schedule = GetGroupSchedule(ctx, g.id);
    if (schedule.empty()) {
        d.body << Para("No meetings are scheduled.");
    } else {
        Table t =
            GridTable({{"Date", 1.5}, {"Start", 1}, {"End", 1}, {"Function", 4}, {"Venue", 2.5}});
        for (const Meeting& m : schedule)
            t.rows << TableRow{{Formats::ShortDateOfStored(m.date), time12(m.time),
                                time12(m.endTime), m.function, m.venue}};
        d.body << t;
    }

    d.body << section("Logbook Entries");
    const std::vector<GroupTemplate> templates = GetGroupLogsI(ctx, g.id);
    if (templates.empty()) {
        d.body << Para("No Logbook Entries are available for this group.");
    } else {
        Table t = GridTable(
            {{"Name", 2.5}, {"Type", 2}, {"Date", 1.5}, {"Time", 1}, {"Data Entry Panel", 5}});
        for (const GroupTemplate& tpl : templates) {
            const auto design =
                GetLogbookBackPanelItems(ctx.db(), GetLogTypeID(ctx.db(), tpl.entryType));
            t.rows << TableRow{{tpl.logName, tpl.entryType,
                                Formats::ShortDateOfStored(tpl.referDate), time12(tpl.referTime),
                                TemplateEntryText(tpl, design).trimmed()}};
        }
        d.body << t;
    }
    return d;
}

void RegisterGroupReports(ReportCatalogue& catalogue) {
    catalogue.add({"PrintGroupList", PreviewWindow::List, false, false, {}, BuildGroupList});
    catalogue.add({"PrintGroupDetails", PreviewWindow::List, false, false, {}, BuildGroupDetails});
}

} // namespace vm
