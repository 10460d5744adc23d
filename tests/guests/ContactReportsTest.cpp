#include "guests/reports/ContactReports.h"
#include "../output/PdfReader.h"
#include "core/Settings.h"
#include "guests/ContactFixture.h"
#include "guests/Maps.h"
#include "output/forms/DocumentOutput.h"

using namespace vm;
using namespace vm::test;

namespace {

class ContactReports : public ContactFixture {
protected:
    void SetUp() override {
        ContactFixture::SetUp();
        RegisterContactReports(env.ctx->reports);
    }
    qint64 full() {
        const qint64 phone = addType("Front Desk", "T", 1);
        const qint64 mail = addType("Reservations", "E", 2);
        Contact c = sample("Trattoria Roma");
        c.nickName = "Chef Luigi";
        c.address = "12 Oak St";
        c.crossStreets = "Elm Ave";
        c.state = "IL";
        c.postalCode = "62701";
        c.country = "USA";
        c.affiliation = "Dining";
        c.area = "Downtown";
        c.language = 1;
        c.rating = 5;
        c.ranking = 3;
        c.proximity = "3 blocks";
        c.notes = "Closed on Mondays\nAsk for the garden table";
        c.directions = "Walk north two blocks\nTurn left at the fountain";
        c.guestListText = "Authentic pasta since 1950";
        const qint64 id = insert(c);
        SetContactValue(*env.ctx, id, mail, "book@roma.example", false);
        SetContactValue(*env.ctx, id, phone, "(217) 555-0100", false);
        return id;
    }
    QString pdfText(const doc::Document& d) {
        const QString path = env.root() + "/report.pdf";
        QString error;
        EXPECT_TRUE(WritePdf(d, path, &error)) << error.toStdString();
        return PdfPages(path).join("\n");
    }
    doc::Document build(const QString& routine, const QString& title, QVariantMap args) {
        const ReportRoutine* r = env.ctx->reports.find(routine);
        EXPECT_TRUE(r) << routine.toStdString();
        return r->build(*env.ctx, {routine, title, args});
    }
};

} // namespace

TEST_F(ContactReports, TheRoutinesAreRegisteredForTheirWindows) {
    struct Case {
        const char* name;
        PreviewWindow window;
        bool rtf;
    };
    for (const Case& k : {Case{"PrintContactEntry", PreviewWindow::List, false},
                          Case{"PrintContactD", PreviewWindow::Letter, true},
                          Case{"PrintContactExtras", PreviewWindow::Letter, false},
                          Case{"PrintMapPointMap", PreviewWindow::List, false}}) {
        const ReportRoutine* r = env.ctx->reports.find(k.name);
        ASSERT_TRUE(r) << k.name;
        EXPECT_EQ(r->window, k.window) << k.name;
        EXPECT_EQ(r->rtf, k.rtf) << k.name;
    }
}

TEST_F(ContactReports, TheEntryPrintsEveryFieldTheExtraDataNotesAndDirections) {
    const qint64 id = full();
    const QString text = pdfText(build("PrintContactEntry", "Contact Entry", {{"contactId", id}}));
    EXPECT_TRUE(InOrder(text, {"Contact Entry",
                               "Primary Name:",
                               "Trattoria Roma",
                               "Chef Luigi",
                               "12 Oak St",
                               "Elm Ave",
                               "City:",
                               "IL",
                               "62701",
                               "USA",
                               "Dinner, Italian",
                               "3 blocks",
                               "Dining",
                               "Downtown",
                               "French",
                               "Near the Bottom",
                               "Extra Contacts",
                               "Front Desk",
                               "(217) 555-0100",
                               "Reservations",
                               "book@roma.example",
                               "Closed on Mondays",
                               "Ask for the garden table",
                               "Walk north two blocks",
                               "Turn left at the fountain"}))
        << text.toStdString();
}

TEST_F(ContactReports, DirectionsAndGuestListTextPrintOnTheLetterhead) {
    const qint64 id = full();
    const QString directions =
        doc::PlainText(build("PrintContactD", "Contact Directions", {{"contactId", id}}));
    EXPECT_TRUE(InOrder(directions, {"Trattoria Roma", "12 Oak St", "Springfield, IL 62701",
                                     "Cross Streets: Elm Ave", "Walk north two blocks",
                                     "Turn left at the fountain"}))
        << directions.toStdString();
    EXPECT_FALSE(directions.contains("Authentic pasta"));
    const QString guestList =
        pdfText(build("PrintContactExtras", "Contact Guest List", {{"contactId", id}}));
    EXPECT_TRUE(InOrder(guestList, {"Trattoria Roma", "Authentic pasta since 1950"}))
        << guestList.toStdString();
    EXPECT_FALSE(guestList.contains("Walk north"));
}

TEST_F(ContactReports, ThePointToPointSheetGoesFromThePropertyToTheDestination) {
    const qint64 id = full();
    MapSettings s;
    s.name = "Hotel Grand";
    s.address = "1 Lake Shore Dr";
    s.city = "Chicago";
    s.state = "IL";
    s.provider = "Printed Directions";
    SetTextSetting(env.db(), "MapName", "");
    EXPECT_THROW(build("PrintMapPointMap", "Directions", {{"contactId", id}}), ReportRefused);
    SaveMapSettings(*env.ctx, s);
    const QString text = pdfText(build("PrintMapPointMap", "Directions", {{"contactId", id}}));
    EXPECT_TRUE(
        InOrder(text, {"Directions", "From:", "Hotel Grand", "1 Lake Shore Dr", "Chicago, IL",
                       "To:", "Trattoria Roma", "12 Oak St", "Walk north two blocks"}))
        << text.toStdString();
    const QString typed = doc::PlainText(
        build("PrintMapPointMap", "Point to Point",
              {{"toName", "Museum"}, {"toAddress", "5 Art Way"}, {"toCity", "Chicago"}}));
    EXPECT_TRUE(InOrder(typed, {"From:", "Hotel Grand", "To:", "Museum", "5 Art Way", "Chicago"}))
        << typed.toStdString();
}

TEST_F(ContactReports, AContactThatIsGoneIsRefusedNotPrintedEmpty) {
    const qint64 id = full();
    DeleteContact(*env.ctx, id);
    for (const char* routine : {"PrintContactEntry", "PrintContactD", "PrintContactExtras"}) {
        try {
            build(routine, "x", {{"contactId", id}});
            ADD_FAILURE() << routine;
        } catch (const ReportRefused& e) {
            EXPECT_EQ(e.message(), MsgContactGoneNoPrint);
        }
    }
}
