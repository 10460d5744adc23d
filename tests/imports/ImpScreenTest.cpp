// The import through the main window's buttons: the question, the file from
// the desktop's dialog, the mapping, the problems, the import and the list.

#include "ImpFixture.h"

#include "guests/Contacts.h"
#include "guests/Profiles.h"
#include "guests/forms/ContactsPanel.h"
#include "guests/forms/EventsPanel.h"
#include "guests/forms/ProfilesPanel.h"
#include "guests/forms/frmCsvImport.h"
#include "platform/forms/DataGrid.h"
#include "support/ScreenDriver.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;
namespace screen = vm::test::screen;

namespace {

class ImpScreen : public ImpFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        ImpFixture::SetUp();
    }

    // Answers the panel's question with Yes and answers the import window.
    frmCsvImport* openImport(QWidget& panel, const QString& button, const QString& question) {
        env.prompt.answer(Answer::Yes);
        screen::click(panel, button);
        EXPECT_EQ(env.prompt.last(), question);
        EXPECT_TRUE(env.desktop.started.isEmpty());
        return screen::control<frmCsvImport>(panel, "frmCsvImport");
    }

    void chooseFile(frmCsvImport& form, const QString& path) {
        env.desktop.choose(path);
        screen::click(form, "cmdChooseFile");
    }

    static std::string problems(frmCsvImport& form) {
        QStringList out;
        auto* list = screen::control<QListWidget>(form, "lstProblems");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return lines(out);
    }
    static bool importEnabled(frmCsvImport& form) {
        return screen::control<QPushButton>(form, "cmdImport")->isEnabled();
    }
};

} // namespace

TEST_F(ImpScreen, ContactsImportFromTheContactsPageAndTheListShowsThem) {
    ContactsPanel panel(ctx());
    panel.show();
    Contact before;
    before.name = "Alto";
    before.keywordSet = "food";
    InsertContact(ctx(), before);
    screen::choose(panel, "cboSelectBy", "All Contacts");
    screen::click(panel, "cmdSearch");
    ASSERT_EQ(panel.grdContacts->rowCount(), 1);

    frmCsvImport* form =
        openImport(panel, "cmdImport", "Do you wish to process the Contacts Import?");
    chooseFile(*form, file("contacts.csv", "Contact Name,Keywords,City\r\n"
                                           "Harbour Grill,\"food, view\",Boston\r\n"
                                           "Le Port,food,Salem\r\n"));
    EXPECT_EQ(problems(*form), "");
    EXPECT_EQ(screen::control<DataGrid>(*form, "grdPreview")->rowCount(), 2);
    EXPECT_EQ(screen::control<DataGrid>(*form, "grdPreview")->cell(0, 0), "Harbour Grill");
    screen::click(*form, "cmdImport");
    EXPECT_EQ(env.prompt.last(), "2 contacts were imported.");
    EXPECT_EQ(count(ctx().contactsDb(), "Contact"), 3);
    EXPECT_EQ(panel.grdContacts->rowCount(), 3); // the page's list again
}

TEST_F(ImpScreen, EventsImportOnceTheUserMapsTheNameColumn) {
    EventsPanel panel(ctx());
    panel.show();
    frmCsvImport* form = openImport(panel, "cmdImport", MsgImportEvents);
    chooseFile(*form, file("events.csv", "Title,Event Type,Starting Date\n"
                                         "Jazz Night,Concert,08/01/2026\n"
                                         "Kite Day,Festival,2026-08-05\n"));
    EXPECT_EQ(problems(*form), "Line 1, Event Name: No column of the file is mapped to this "
                               "field, which every record needs.");
    EXPECT_FALSE(importEnabled(*form));

    screen::choose(*form, "cboField_0", "Event Name *");
    EXPECT_EQ(problems(*form), "");
    ASSERT_TRUE(importEnabled(*form));
    screen::click(*form, "cmdImport");
    EXPECT_EQ(env.prompt.last(), "2 events were imported.");
    const auto rows = ctx().eventsDb().query(
        "SELECT [EventName], [StartingDate] FROM [Event] ORDER BY [StartingDate]");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text("EventName"), "Kite Day");
    EXPECT_EQ(rows[1].text("StartingDate"), "2026/08/05");
}

TEST_F(ImpScreen, ProfilesWithABadRowAreRefusedThenImportedOnceCorrected) {
    ProfilesPanel panel(ctx());
    panel.show();
    frmCsvImport* form =
        openImport(panel, "cmdImportProfiles", "Do you wish to process the Profile Import?");
    chooseFile(*form, file("bad.csv", "Last Name,First Name\nAdams,Ann\nBrown,\nCole,Cy\n"));
    EXPECT_EQ(problems(*form), lines({"Line 3, First Name: " + MsgProfileFirstName}));
    EXPECT_FALSE(importEnabled(*form));

    // A file that cannot be read is said so and leaves nothing to import.
    chooseFile(*form, file("binary.csv", QByteArray("Last Name,First Name\n\0\x01", 23)));
    EXPECT_TRUE(env.prompt.last().startsWith("Line 2: The file holds binary data"));
    EXPECT_FALSE(importEnabled(*form));

    // A file long enough to be checked and written under the progress dialog.
    QByteArray good = "Last Name,First Name\n";
    for (int i = 0; i <= frmCsvImport::ProgressFrom; ++i)
        good += "Guest" + QByteArray::number(i) + ",Ann\n";
    chooseFile(*form, file("good.csv", good));
    EXPECT_EQ(problems(*form), "");
    screen::click(*form, "cmdImport");
    const int rows = frmCsvImport::ProgressFrom + 1;
    EXPECT_EQ(env.prompt.last(), QString::number(rows) + " profiles were imported.");
    EXPECT_EQ(count(ctx().db(), "Profile"), rows);
}
