#include "DirectoryFixture.h"

#include "core/LongText.h"
#include "core/Settings.h"
#include "guests/reports/ContactListReports.h"
#include "output/Document.h"

using namespace vm;
using namespace vm::test;
using namespace vm::test::dir;

namespace {

class ContactGuestList : public DirectoryFixture {
protected:
    QString printed(const PrintRequest& r) {
        const ReportRoutine* routine = catalogue.find(r.routine);
        EXPECT_TRUE(routine) << r.routine.toStdString();
        return routine ? doc::PlainText(routine->build(*env.ctx, r)) : QString();
    }
    QString refusal(const PrintRequest& r) {
        try {
            printed(r);
        } catch (const ReportRefused& e) {
            return e.message();
        }
        return {};
    }
    void SetUp() override {
        DirectoryFixture::SetUp();
        RegisterContactListReports(catalogue);
    }
    ReportCatalogue catalogue;
};

} // namespace

TEST_F(ContactGuestList, RoutinesAreRegisteredForBothPapersAndTheList) {
    const struct {
        QString name;
        PreviewWindow window;
    } expected[] = {{"PrintContactGL", PreviewWindow::List},
                    {"PrintContactGLLetter", PreviewWindow::Letter},
                    {"PrintContactList", PreviewWindow::List}};
    for (const auto& e : expected) {
        const ReportRoutine* r = catalogue.find(e.name);
        ASSERT_TRUE(r) << e.name.toStdString();
        EXPECT_EQ(r->window, e.window);
        EXPECT_TRUE(r->rtf); // both may be saved as RTF
    }
    EXPECT_EQ(GuestContactListRequest("Italian", "", "", true).routine, "PrintContactGLLetter");
    EXPECT_EQ(GuestContactListRequest("Italian", "", "", false).title, "Guest Contact List");
}

TEST_F(ContactGuestList, PrintsTheMarkedContactsOfTheKeywordWithTheirGuestListText) {
    const qint64 alto =
        add({.name = "Alto", .city = "Boston", .keywords = "Dinner, Italian", .guestList = true});
    const qint64 zed =
        add({.name = "Zed Bistro", .city = "Albany", .keywords = "Italian", .guestList = true});
    add({.name = "Closed Place", .keywords = "Italian", .closed = true, .guestList = true});
    add({.name = "Unmarked", .keywords = "Italian"});
    PutECT(*env.ctx, alto, TextKind::ContactGuestList, "Handmade pasta.\nOpen late.");
    PutECT(*env.ctx, zed, TextKind::ContactGuestList, "Wood-fired oven");

    const QString all = printed(GuestContactListRequest("Italian", "", "", false));
    EXPECT_EQ(all.toStdString(),
              "Italian\nAs of: Saturday, March 14, 2026\nAlto\nHandmade pasta.\nOpen "
              "late.\nZed Bistro\nWood-fired oven");
    const QString boston = printed(GuestContactListRequest("Italian", "Boston", "", true));
    EXPECT_TRUE(boston.startsWith("Italian - Boston\n")) << boston.toStdString();
    EXPECT_TRUE(boston.contains("Alto"));
    EXPECT_FALSE(boston.contains("Zed Bistro"));

    EXPECT_EQ(refusal(GuestContactListRequest("Spa", "", "", false)),
              "There are no contacts to print on the Spa Guest List.");
    EXPECT_EQ(refusal(GuestContactListRequest(" ", "", "", false)),
              "Please select the keyword of the Guest List you wish to print.  Thank you.");
}

TEST_F(ContactGuestList, ContactListPrintsTheRowsInTheOrderShown) {
    const qint64 a = add({.name = "Alto", .city = "Boston", .rating = 4});
    const qint64 b = add({.name = "Bistro", .city = "Albany", .rating = 2});
    const qint64 gone = b + 100;
    const QString text = printed(ContactListRequest({b, gone, a}, int(ContactSort::Proximity)));
    EXPECT_TRUE(text.contains("Bistro\t\t\tAlbany\t\t\t2")) << text.toStdString();
    EXPECT_LT(text.indexOf("Bistro"), text.indexOf("Alto"));
    EXPECT_TRUE(text.endsWith("2 Entries were selected"));
    EXPECT_EQ(refusal(ContactListRequest({}, 0)),
              "Please select some contacts first.  Then print the list.");
    EXPECT_EQ(refusal(ContactListRequest({gone}, 0)),
              "The listed contacts are no longer in the directory.");
}
