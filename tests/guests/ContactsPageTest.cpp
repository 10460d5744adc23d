#include "guests/forms/frmCsvImport.h"
#include "DirectoryFixture.h"

#include "core/Settings.h"
#include "guests/forms/ContactsPanel.h"
#include "guests/reports/ContactListReports.h"
#include "output/Reports.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace vm::test::dir;

namespace {

class ContactsPage : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        EnsureApplication();
        panel = std::make_unique<ContactsPanel>(*env.ctx);
        panel->openContact = [this](qint64 id) { opened << id; };
        panel->openReport = [this](const PrintRequest& r) { reports << r; };
    }
    void chooseMode(const QString& caption) {
        auto* box = Named<QComboBox>(*panel, "cboSelectBy");
        box->setCurrentIndex(box->findText(caption));
        ASSERT_GE(box->currentIndex(), 0) << caption.toStdString();
    }
    QStringList listed() const {
        QStringList out;
        for (int r = 0; r < panel->grdContacts->rowCount(); ++r)
            out << panel->grdContacts->cell(r, ColContactName);
        return out;
    }
    QString text(const char* label) const { return Named<QLabel>(*panel, label)->text(); }

    std::unique_ptr<ContactsPanel> panel;
    QList<qint64> opened;
    QList<PrintRequest> reports;
};

} // namespace

TEST_F(ContactsPage, SearchButtonAndEnterListTheSelection) {
    add({.name = "Harbour Grill", .city = "Boston"});
    add({.name = "The Harbour", .city = "Boston"});
    add({.name = "Harbour Lights", .city = "Albany"});
    panel->refreshLists();
    EXPECT_EQ(Named<QComboBox>(*panel, "cboCity")->count(), 3); // blank, Albany, Boston

    chooseMode("Primary Name");
    Named<QLineEdit>(*panel, "txtSearchText")->setText("Ha");
    Named<QCheckBox>(*panel, "chkStartsWith")->setChecked(true);
    Named<QComboBox>(*panel, "cboSort")->setCurrentText("Primary Name");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Harbour Grill", "Harbour Lights"}));
    EXPECT_EQ(text("lblDescription"), "Where Company Name starts with Ha, Sorted by Primary Name");
    EXPECT_EQ(text("lblCount"), "2 Entries were selected");

    // Enter in the text box searches too, with the optional city.
    Named<QCheckBox>(*panel, "chkStartsWith")->setChecked(false);
    Named<QComboBox>(*panel, "cboCity")->setCurrentText("Boston");
    auto* box = Named<QLineEdit>(*panel, "txtSearchText");
    box->setText("harbour");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList({"Harbour Grill", "The Harbour"}));
    EXPECT_EQ(text("lblDescription"),
              "Where Company Name contains harbour And City is Boston, Sorted by Primary Name");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(ContactsPage, KeywordModeUsesTheComboAndMissingInputKeepsTheGrid) {
    add({.name = "Alto", .keywords = "Dinner, Italian"});
    add({.name = "Zed", .keywords = "Shopping"});
    env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?), (?)",
                               {"Italian", "Shopping"});
    panel->refreshLists();
    chooseMode("Keyword");
    EXPECT_FALSE(Named<QComboBox>(*panel, "cboKeyword")->isHidden());
    EXPECT_TRUE(Named<QLineEdit>(*panel, "txtSearchText")->isHidden());
    Named<QComboBox>(*panel, "cboKeyword")->setCurrentText("Italian");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Alto"}));

    Named<QComboBox>(*panel, "cboKeyword")->setCurrentIndex(0);
    Press(*panel, "cmdSearch");
    EXPECT_EQ(env.prompt.last(),
              "Please select the keyword you wish to use to filter your selections.");
    EXPECT_EQ(listed(), QStringList({"Alto"})); // the previous list stays

    // Areas replace the cities in the optional filter.
    env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                  {"Area", "Old Town"});
    panel->refreshLists();
    Named<QCheckBox>(*panel, "chkUseArea")->setChecked(true);
    auto* places = Named<QComboBox>(*panel, "cboCity");
    ASSERT_EQ(places->count(), 2);
    EXPECT_EQ(places->itemText(1), "Old Town");
    EXPECT_EQ(text("lblCity"), "Area (Optional):");
}

TEST_F(ContactsPage, SearchingNeedsTheRightExceptForManagersAndTheGuestViewer) {
    add({.name = "Alto"});
    chooseMode("All Contacts");
    env.logOn(deskId); // without the search right
    Press(*panel, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Search for Contacts.");
    EXPECT_EQ(panel->grdContacts->rowCount(), 0);

    setRights(deskId, "111111111111110");
    env.logOn(deskId);
    env.prompt.clear();
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Alto"}));
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    const qint64 viewer = env.addStaff("Guest Viewer", "guestviewer", "GV");
    env.logOn(viewer);
    panel->clearList();
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Alto"}));
}

TEST_F(ContactsPage, ClosedRowsAreRedAndColourCodedRowsTakeTheProfileColour) {
    SetTextSetting(env.db(), "ColorProfile", "#008000");
    add({.name = "A Closed", .closed = true, .reserved = true});
    add({.name = "B Coded", .reserved = true});
    add({.name = "C Plain"});
    chooseMode("All Contacts");
    Named<QComboBox>(*panel, "cboSort")->setCurrentText("Primary Name");
    Press(*panel, "cmdSearch");
    ASSERT_EQ(panel->grdContacts->rowCount(), 3);
    EXPECT_EQ(panel->grdContacts->foreground(0), QColor(Qt::red));
    EXPECT_EQ(panel->grdContacts->foreground(1), QColor("#008000"));
    EXPECT_NE(panel->grdContacts->foreground(2), QColor(Qt::red));
    EXPECT_NE(panel->grdContacts->foreground(2), QColor("#008000"));
}

TEST_F(ContactsPage, CrossStreetsStandInTheCityColumnWhenTheSettingIsOn) {
    const qint64 a = add({.name = "Alto", .city = "Boston", .crossStreets = "Elm and Oak"});
    SetBooleanSetting(env.db(), "CrossStreets", true);
    chooseMode("All Contacts");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(panel->grdContacts->cell(0, ColCrossOrCity), "Elm and Oak");
    env.ctx->contactsDb().exec("UPDATE [Contact] SET [CrossStreets] = ? WHERE [ContactID] = ?",
                               {"Pier and Main", a});
    panel->refreshRow(a);
    EXPECT_EQ(panel->grdContacts->cell(0, ColCrossOrCity), "Pier and Main");

    SetBooleanSetting(env.db(), "CrossStreets", false);
    Press(*panel, "cmdSearch");
    EXPECT_EQ(panel->grdContacts->cell(0, ColCrossOrCity), "Boston");
}

TEST_F(ContactsPage, ExtractWritesTheGridAsShown) {
    QFile::remove(panel->extractPath());
    Press(*panel, "cmdExtract");
    EXPECT_EQ(env.prompt.last(),
              "Please select some contacts first.  Then create the extract file.");
    EXPECT_FALSE(QFile::exists(panel->extractPath()));

    add({.name = "Zed, Inc.", .city = "Boston", .keywords = "Dinner, Italian", .rating = 3});
    add({.name = "=Alto", .city = "Albany"});
    chooseMode("All Contacts");
    Named<QComboBox>(*panel, "cboSort")->setCurrentText("Primary Name");
    Press(*panel, "cmdSearch");
    Press(*panel, "cmdExtract");
    const QString path = panel->extractPath();
    EXPECT_TRUE(path.endsWith("/VmContacts.csv"));
    EXPECT_EQ(env.prompt.last(),
              "The file: " + QDir::toNativeSeparators(path) + " has been created.");
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].mid(0, 6), QStringList({"Primary Name", "Contact Data", "Address", "City",
                                              "Keyword Set", "Proximity"}));
    EXPECT_EQ(rows[1][ColContactName], "'=Alto"); // not a formula
    EXPECT_EQ(rows[2][ColContactName], "Zed, Inc.");
    EXPECT_EQ(rows[2][ColKeywordSet], "Dinner, Italian");
    EXPECT_EQ(rows[2][ColRating], "3");
    // The grid keeps its commas.
    EXPECT_EQ(panel->grdContacts->cell(1, ColKeywordSet), "Dinner, Italian");

    setRights(deskId, "111011111111110");
    env.logOn(deskId);
    Press(*panel, "cmdExtract");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Extract Contacts to CSV File.");
}

TEST_F(ContactsPage, ImportRunsTheProgramAndSaysPlainlyWhenItFails) {
    add({.name = "Alto"});
    chooseMode("All Contacts");
    env.prompt.answer(Answer::No);
    Press(*panel, "cmdImport");
    EXPECT_EQ(env.prompt.last(), "Do you wish to process the Contacts Import?");
    EXPECT_TRUE(env.desktop.started.isEmpty());

    // No importer in the program folder: the program's own import opens.
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImport");
    EXPECT_TRUE(panel->findChild<vm::frmCsvImport*>("frmCsvImport"));
    EXPECT_TRUE(env.desktop.started.isEmpty());

    const QString program = QDir(env.ctx->workstation.programFolder).filePath("ImportC");
    QDir().mkpath(env.ctx->workstation.programFolder);
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    env.desktop.exitCode = 3;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImport");
    ASSERT_EQ(env.desktop.started.size(), 1);
    EXPECT_EQ(env.desktop.started[0].program, program);
    EXPECT_EQ(env.prompt.last(), "The Contacts Import ended with an error (exit code 3).  Please "
                                 "check the import file.");
    EXPECT_FALSE(env.prompt.sawPart("completed"));
    EXPECT_EQ(panel->grdContacts->rowCount(), 0);

    env.desktop.starts = false;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImport");
    EXPECT_TRUE(env.prompt.last().startsWith("The Contacts Import program could not be run: "));

    // A good run is said and the list is read again.
    env.desktop.starts = true;
    env.desktop.exitCode = 0;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImport");
    EXPECT_TRUE(env.prompt.saw("The Contacts Import process has completed."));
    EXPECT_EQ(listed(), QStringList({"Alto"}));
}

TEST_F(ContactsPage, GuestListAndPrintedListAskForTheirReports) {
    const qint64 a = add({.name = "Alto", .city = "Boston"});
    const qint64 b = add({.name = "Zed", .city = "Boston"});
    env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {"Italian"});
    panel->refreshLists();

    Press(*panel, "cmdGuestList");
    EXPECT_EQ(env.prompt.last(),
              "Please select the keyword of the Guest List you wish to print.  Thank you.");
    EXPECT_TRUE(reports.isEmpty());

    Named<QComboBox>(*panel, "cboKeyword")->setCurrentText("Italian");
    Named<QComboBox>(*panel, "cboCity")->setCurrentText("Boston");
    Press(*panel, "cmdGuestList");
    Named<QRadioButton>(*panel, "optLetterhead")->click();
    Named<QCheckBox>(*panel, "chkUseArea")->setChecked(true);
    Named<QComboBox>(*panel, "cboCity")->setCurrentText("");
    Press(*panel, "cmdGuestList");
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].routine, "PrintContactGL");
    EXPECT_EQ(reports[0].title, "Guest Contact List");
    EXPECT_EQ(reports[0].args.value("keyword").toString(), "Italian");
    EXPECT_EQ(reports[0].args.value("city").toString(), "Boston");
    EXPECT_EQ(reports[1].routine, "PrintContactGLLetter");
    EXPECT_EQ(reports[1].args.value("city").toString(), "");

    Press(*panel, "cmdPrintList");
    EXPECT_EQ(env.prompt.last(), "Please select some contacts first.  Then print the list.");
    chooseMode("All Contacts");
    Named<QComboBox>(*panel, "cboSort")->setCurrentText("Primary Name");
    Press(*panel, "cmdSearch");
    panel->grdContacts->sortByColumn(ColContactName, Qt::DescendingOrder);
    Press(*panel, "cmdPrintList");
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports[2].routine, "PrintContactList");
    EXPECT_EQ(reports[2].args.value("contactIds").toList(), QVariantList({b, a}));

    setRights(deskId, "111101111111110");
    env.logOn(deskId);
    Press(*panel, "cmdGuestList");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Print Guest Lists.");
    EXPECT_EQ(reports.size(), 3);
}

TEST_F(ContactsPage, RowsFollowTheContactScreenAndItsNeighbours) {
    const qint64 a = add({.name = "Alto"});
    const qint64 b = add({.name = "Bistro"});
    const qint64 c = add({.name = "Cafe"});
    chooseMode("All Contacts");
    Named<QComboBox>(*panel, "cboSort")->setCurrentText("Primary Name");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(panel->neighbour(b, -1), a);
    EXPECT_EQ(panel->neighbour(b, +1), c);
    EXPECT_EQ(panel->neighbour(a, -1), 0);
    EXPECT_EQ(panel->neighbour(c, +1), 0);

    // Double-click or Enter opens the contact; Add opens an empty one.
    panel->grdContacts->selectKey(b);
    QTest::keyClick(panel->grdContacts, Qt::Key_Return);
    Press(*panel, "cmdAddContact");
    EXPECT_EQ(opened, QList<qint64>({b, 0}));

    env.ctx->contactsDb().exec("UPDATE [Contact] SET [ContactName] = ? WHERE [ContactID] = ?",
                               {"Bistro Nouveau", b});
    panel->refreshRow(b);
    EXPECT_EQ(listed(), QStringList({"Alto", "Bistro Nouveau", "Cafe"}));
    const qint64 d = add({.name = "Deli"});
    panel->refreshRow(d);
    EXPECT_EQ(text("lblCount"), "4 Entries were selected");
    // Moved to another language: it leaves the list.
    env.ctx->contactsDb().exec("UPDATE [Contact] SET [CommissionType] = ? WHERE [ContactID] = ?",
                               {"2", a});
    panel->refreshRow(a);
    panel->removeRow(c);
    EXPECT_EQ(listed(), QStringList({"Bistro Nouveau", "Deli"}));
    EXPECT_EQ(text("lblCount"), "2 Entries were selected");

    setRights(deskId, "101111111111110");
    env.logOn(deskId);
    Press(*panel, "cmdAddContact");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Add Contacts.");
    EXPECT_EQ(opened.size(), 2);
}
