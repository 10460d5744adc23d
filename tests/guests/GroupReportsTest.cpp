#include "logbook/LogbookFixture.h"

#include "guests/Groups.h"
#include "guests/reports/GroupReports.h"
#include "output/Document.h"

using namespace vm;
using namespace vm::test;

namespace {

// Today is 2026/03/14.
class GroupReports : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        RegisterGroupReports(catalogue);
    }
    qint64 group(const QString& name, const QString& arrival, const QString& departure) {
        Group g;
        g.name = name;
        g.attendees = 24;
        g.arrivalDate = arrival;
        g.departureDate = departure;
        g.groupContact = "Ines Darrow";
        g.groupMgr = "Tess Marlowe";
        g.salesMgr = "Omar Reyes";
        g.notes = "Late checkout";
        return InsertGroup(*env.ctx, g);
    }
    QString text(const QString& routine, const QVariantMap& args) {
        const ReportRoutine* r = catalogue.find(routine);
        if (!r) throw std::runtime_error("no routine " + routine.toStdString());
        return doc::PlainText(r->build(*env.ctx, {routine, {}, args}));
    }
    QString refusal(const QString& routine, const QVariantMap& args) {
        try {
            text(routine, args);
        } catch (const ReportRefused& e) {
            return e.message();
        }
        return {};
    }
    static QString headings(const doc::Document& d) {
        doc::Document only;
        only.body = d.header;
        return doc::PlainText(only);
    }
    static bool inOrder(const QString& text, const QStringList& parts) {
        qsizetype at = 0;
        for (const QString& p : parts) {
            at = text.indexOf(p, at);
            if (at < 0) return false;
            at += p.size();
        }
        return true;
    }

    ReportCatalogue catalogue;
};

} // namespace

TEST_F(GroupReports, ListPrintsTheGroupsAsListed) {
    group("Zeta Sales", "2026/03/14", "2026/03/20");
    group("Alpha Rotary", "2026/03/10", "2026/03/14");
    group("Gamma Expo", "2026/03/01", "2026/03/13");
    const QString inHouse = text("PrintGroupList", {{"showAll", false}});
    EXPECT_TRUE(inOrder(inHouse, {"Group Name\tAttendees\tArrival Date\tDeparture Date",
                                  "Alpha Rotary\t24\t03/10/2026\t03/14/2026\tInes "
                                  "Darrow\tTess Marlowe\tLate checkout",
                                  "Zeta Sales"}))
        << inHouse.toStdString();
    EXPECT_FALSE(inHouse.contains("Gamma Expo"));
    EXPECT_TRUE(inOrder(text("PrintGroupList", {{"showAll", true}}),
                        {"Alpha Rotary", "Gamma Expo", "Zeta Sales"}));
    const ReportRoutine* r = catalogue.find("PrintGroupList");
    const doc::Document d = r->build(*env.ctx, {"PrintGroupList", "Group List", {}});
    EXPECT_EQ(d.title, "Group List");
    EXPECT_TRUE(
        inOrder(headings(d), {"Groups and Conventions List", "As of: Saturday, March 14, 2026"}));
}

TEST_F(GroupReports, DetailsCarryTheFieldsScheduleAndTemplates) {
    designedCategory("Dining", {"Restaurant:", "Party Size:"});
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    for (const auto& [date, time, function] :
         {std::tuple{"2026/03/15", "14:00", "Workshop"}, {"2026/03/14", "19:00", "Welcome"}}) {
        Meeting m{0, id, date, time, "22:00", function, "Terrace"};
        InsertGroupScheduleEntry(*env.ctx, m);
    }
    GroupTemplate t;
    t.groupId = id;
    t.logName = "Welcome Dinner";
    t.entryType = "Dining";
    t.referDate = "2026/03/14";
    t.referTime = "19:30";
    t.logData = {"Le Quai", "2", "", "", "", ""};
    InsertGroupLog(*env.ctx, t);

    const QString details = text("PrintGroupDetails", {{"groupId", id}});
    EXPECT_TRUE(
        inOrder(details, {"Group Name:\tMedica", "Attendees:\t24", "Arrival Date:\t03/14/2026",
                          "Departure Date:\t03/16/2026", "Group Manager:\tTess Marlowe",
                          "Sales Manager:\tOmar Reyes", "Group Contact:\tInes Darrow",
                          "Notes:\tLate checkout", "Meeting Schedule",
                          "03/14/2026\t07:00 PM\t10:00 PM\tWelcome\tTerrace",
                          "03/15/2026\t02:00 PM\t10:00 PM\tWorkshop", "Logbook Entries",
                          "Welcome Dinner\tDining\t03/14/2026\t07:30 PM\tRestaurant: Le "
                          "Quai"}))
        << details.toStdString();
    EXPECT_TRUE(details.contains("Party Size: 2"));
    const doc::Document d = catalogue.find("PrintGroupDetails")
                                ->build(*env.ctx, {"PrintGroupDetails", {}, {{"groupId", id}}});
    EXPECT_TRUE(headings(d).startsWith("Group or Convention Details"));

    const qint64 bare = group("Bare", "2026/03/14", "2026/03/16");
    const QString empty = text("PrintGroupDetails", {{"groupId", bare}});
    EXPECT_TRUE(empty.contains("No meetings are scheduled."));
    EXPECT_TRUE(empty.contains("No Logbook Entries are available for this group."));
}

TEST_F(GroupReports, NothingToPrintIsRefused) {
    EXPECT_EQ(refusal("PrintGroupList", {{"showAll", true}}), MsgNoGroupsToPrint);
    EXPECT_EQ(refusal("PrintGroupDetails", {{"groupId", 99}}), MsgGroupNotFound);
}
