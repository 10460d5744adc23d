#include "guests/forms/frmCsvImport.h"
#include "ProfileListFixture.h"

#include "../output/PdfReader.h"
#include "DirectoryFixture.h"
#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "core/Settings.h"
#include "guests/Profiles.h"
#include "guests/forms/ProfilesPanel.h"
#include "guests/forms/frmProfileEdit.h"
#include "guests/reports/ProfileListReports.h"
#include "output/Reports.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace vm::test::plist;
using vm::test::dir::Named;
using vm::test::dir::Press;

namespace {

class ProfilesPage : public ProfileListFixture {
protected:
    void SetUp() override {
        ProfileListFixture::SetUp();
        EnsureApplication();
        panel = std::make_unique<ProfilesPanel>(*env.ctx);
        panel->openProfile = [this](qint64 id) { opened << id; };
        panel->openReport = [this](const PrintRequest& r) { reports << r; };
    }
    void searchBy(const QString& option, const QString& text = {}) {
        Press(*panel, option);
        if (!text.isNull()) Named<QLineEdit>(*panel, "txtSearch")->setText(text);
        Press(*panel, "cmdSearch");
    }
    QStringList listed(int column = PColLastName) const {
        QStringList out;
        for (int r = 0; r < panel->grdProfiles->rowCount(); ++r)
            out << panel->grdProfiles->cell(r, column);
        return out;
    }
    QString text(const char* label) const { return Named<QLabel>(*panel, label)->text(); }
    void choose(const char* combo, const QString& item) {
        auto* box = Named<QComboBox>(*panel, combo);
        box->setCurrentIndex(box->findText(item));
        ASSERT_GE(box->currentIndex(), 0) << item.toStdString();
    }
    void selectRows(const QList<int>& rows) {
        auto* grid = panel->grdProfiles;
        grid->clearSelection();
        for (int r : rows)
            grid->selectionModel()->select(grid->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void addIndicatorType(const QString& name, int sequence) {
        env.db().exec("INSERT INTO [ProfileTS] ([PreferenceType], [SequenceNo], "
                      "[PublicPrivate]) VALUES (?, ?, ?)",
                      {name, sequence, false});
    }
    void makeProgram(const QString& name) {
        QDir().mkpath(env.ctx->workstation.programFolder);
        QFile f(QDir(env.ctx->workstation.programFolder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    std::unique_ptr<ProfilesPanel> panel;
    QList<qint64> opened;
    QList<PrintRequest> reports;
};

} // namespace

TEST_F(ProfilesPage, SearchButtonAndEnterListTheSelection) {
    add({.last = "Smithers", .first = "Waylon", .state = "OR"});
    add({.last = "Goldsmith", .first = "Ann", .city = "Boston", .state = "MA"});
    add({.last = "Jones", .first = "Smitty", .city = "Salem", .state = "MA"});
    panel->refreshLists();
    EXPECT_EQ(Named<QRadioButton>(*panel, "optUnitState")->text(), "State");

    searchBy("optLastName", "smith");
    EXPECT_EQ(listed(), QStringList({"Goldsmith", "Smithers"}));
    EXPECT_EQ(text("lblDescription"), "Where Last Name contains smith, Sorted by Last Name");
    EXPECT_EQ(text("lblCount"), "2 Entries were selected");

    Press(*panel, "optUnitState");
    Named<QLineEdit>(*panel, "txtSearch")->setText("MA");
    auto* city = Named<QLineEdit>(*panel, "txtCity");
    EXPECT_TRUE(city->isEnabled());
    city->setText("Sal");
    QTest::keyClick(city, Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList({"Jones"}));
    EXPECT_EQ(text("lblDescription"),
              "Where State contains MA And City contains Sal, Sorted by Last Name");
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    // On a residential property the third mode is the unit, and the grid shows it.
    SetBooleanSetting(env.db(), "IsResidential", true);
    env.db().exec("UPDATE [Profile] SET [DocumentLink] = ? WHERE [LastName] = ?", {"12B", "Jones"});
    panel->refreshLists();
    EXPECT_EQ(Named<QRadioButton>(*panel, "optUnitState")->text(), "Unit");
    EXPECT_FALSE(city->isEnabled());
    searchBy("optUnitState", "12");
    EXPECT_EQ(listed(PColUnit), QStringList({"12B"}));
    EXPECT_FALSE(panel->grdProfiles->isColumnHidden(PColUnit));
}

TEST_F(ProfilesPage, MissingInputAndMissingRightsKeepTheGrid) {
    add({.last = "Adams"});
    searchBy("optAll");
    EXPECT_EQ(listed(), QStringList({"Adams"}));
    EXPECT_TRUE(panel->grdProfiles->isColumnHidden(PColUnit));

    searchBy("optIndicator");
    EXPECT_EQ(env.prompt.last(),
              "Please select the Indicator you wish to use to filter your selections.");
    searchBy("optGroup");
    EXPECT_EQ(env.prompt.last(),
              "Please select the Group you wish to use to filter your selections.");
    searchBy("optLastName", " ");
    EXPECT_EQ(env.prompt.last(),
              "Please enter the information you wish to use to filter your selections.");
    EXPECT_EQ(listed(), QStringList({"Adams"}));

    setRights(deskId, "Tabs", "11111001");
    env.logOn(deskId);
    searchBy("optAll");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to search for Profiles.");
    const qint64 viewer = env.addStaff("Guest Viewer", "guestviewer", "GV");
    env.logOn(viewer);
    panel->clearList();
    searchBy("optAll");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to search for Profiles.");
    EXPECT_EQ(panel->grdProfiles->rowCount(), 0);
}

TEST_F(ProfilesPage, IndicatorsContactsAndTheLastColumnComeFromTheirCombos) {
    addIndicatorType("Pillow", 20);
    addIndicatorType("Newspaper", 10);
    env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?), (?, ?)",
                  {"Contacted", "Phone", "ProType", "VIP"});
    const qint64 a = add({.last = "Adams", .type = "VIP"});
    const qint64 b = add({.last = "Baker"});
    AddIndicator(env.db(), a, "Pillow", "Foam");
    AddIndicator(env.db(), b, "Pillow", "Feather");
    AddIndicator(env.db(), b, "Newspaper", "Times");
    AddContact(env.db(), a, QDate(2026, 3, 2), "Phone");
    AddContact(env.db(), b, QDate(2026, 3, 3), "Phone", "Booked");
    panel->refreshLists();
    EXPECT_EQ(Named<QComboBox>(*panel, "cboIndicator")->itemText(1), "Newspaper");
    EXPECT_EQ(Named<QComboBox>(*panel, "cboProfileType")->itemText(1), "*All Indicators");
    EXPECT_EQ(Named<QComboBox>(*panel, "cboProfileFilter")->itemText(0), "No Filter");

    Press(*panel, "optIndicator");
    EXPECT_EQ(Named<QComboBox>(*panel, "cboSort")->itemText(3), "Selection");
    choose("cboIndicator", "Pillow");
    choose("cboSort", "Selection");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Baker", "Adams"}));
    EXPECT_EQ(listed(PColSelectable), QStringList({"Feather", "Foam"}));
    EXPECT_EQ(panel->grdProfiles->model()->headerData(PColSelectable, Qt::Horizontal), "Selection");

    Press(*panel, "optContactType");
    choose("cboContactType", "Phone");
    Named<QCheckBox>(*panel, "chkNoResults")->setChecked(true);
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(PColSelectable), QStringList({"Phone 2026/03/02"}));
    Named<QCheckBox>(*panel, "chkNoResults")->setChecked(false);
    Named<QCheckBox>(*panel, "chkByDate")->setChecked(true);
    Named<QDateEdit>(*panel, "dtpFrom")->setDate(QDate(2026, 3, 3));
    Named<QDateEdit>(*panel, "dtpThrough")->setDate(QDate(2026, 3, 3));
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Baker"}));

    Press(*panel, "optAll");
    choose("cboProfileType", "Newspaper");
    choose("cboProfileFilter", "No Filter");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(PColSelectable), QStringList({"", "Times"}));
    choose("cboProfileFilter", "VIP");
    Press(*panel, "cmdSearch");
    EXPECT_EQ(listed(), QStringList({"Adams"}));
    EXPECT_EQ(text("lblDescription"),
              "Where All Profiles Have Been Selected  And Profile Type is VIP, Sorted by Email "
              "Address");
}

TEST_F(ProfilesPage, ColourCodedRowsTakeTheirColourAndOthersTheSetting) {
    SetTextSetting(env.db(), "ColorProfile", "#336699");
    add({.last = "Adams", .color = "&H00C00000&", .colorCode = true});
    add({.last = "Baker", .color = "&H00C00000&"});
    searchBy("optAll");
    ASSERT_EQ(panel->grdProfiles->rowCount(), 2);
    EXPECT_EQ(panel->grdProfiles->foreground(0), QColor(0, 0, 0xC0));
    EXPECT_EQ(panel->grdProfiles->foreground(1), QColor("#336699"));
}

TEST_F(ProfilesPage, AllProfilesAreCountedFirst) {
    env.db().transaction([&] {
        for (int i = 0; i < 501; ++i)
            add({.last = "Bulk " + QString::number(i)});
    });
    env.prompt.answer(Answer::No);
    searchBy("optAll");
    EXPECT_EQ(env.prompt.last(), "There are 501 entries in the Profile\r\n List meeting the "
                                 "selection requirements.\r\n Shall we list them all?");
    EXPECT_EQ(panel->grdProfiles->rowCount(), 0);
    env.prompt.answer(Answer::Yes);
    searchBy("optAll");
    EXPECT_EQ(text("lblCount"), "501 Entries were selected");
    // A selection is not counted first.
    env.prompt.clear();
    searchBy("optLastName", "Bulk 50");
    EXPECT_EQ(listed(), QStringList({"Bulk 50", "Bulk 500"}));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(ProfilesPage, RowsFollowTheProfileScreenAndItsNeighbours) {
    const qint64 a = add({.last = "Adams"});
    const qint64 b = add({.last = "Baker"});
    const qint64 c = add({.last = "Clark"});
    searchBy("optAll");
    EXPECT_EQ(panel->neighbour(b, -1), a);
    EXPECT_EQ(panel->neighbour(b, +1), c);
    EXPECT_EQ(panel->neighbour(a, -1), 0);
    EXPECT_EQ(panel->neighbour(c, +1), 0);

    panel->grdProfiles->selectKey(b);
    QTest::keyClick(panel->grdProfiles, Qt::Key_Return);
    Press(*panel, "cmdAddProfile");
    EXPECT_EQ(opened, QList<qint64>({b, 0}));

    env.db().exec("UPDATE [Profile] SET [LastName] = ? WHERE [ProfileID] = ?", {"Bakerson", b});
    panel->refreshRow(b);
    const qint64 d = add({.last = "Dunn"});
    panel->refreshRow(d);
    EXPECT_EQ(listed(), QStringList({"Adams", "Bakerson", "Clark", "Dunn"}));
    EXPECT_EQ(text("lblCount"), "4 Entries were selected");
    panel->removeRow(c);
    EXPECT_EQ(listed(), QStringList({"Adams", "Bakerson", "Dunn"}));
    EXPECT_EQ(text("lblCount"), "3 Entries were selected");

    // Contact-history lists carry a profile once per contact: its neighbours are others.
    AddContact(env.db(), a, QDate(2026, 3, 1), "Phone");
    AddContact(env.db(), a, QDate(2026, 3, 2), "Phone");
    AddContact(env.db(), d, QDate(2026, 3, 3), "Phone");
    searchBy("optContactType");
    EXPECT_EQ(listed(), QStringList({"Adams", "Adams", "Dunn"}));
    EXPECT_EQ(panel->neighbour(a, +1), d);
    EXPECT_EQ(panel->neighbour(d, -1), a);
    panel->removeRow(a);
    EXPECT_EQ(listed(), QStringList({"Dunn"}));
    EXPECT_EQ(text("lblCount"), "1 Entries were selected");

    setRights(deskId, "Profiles", "101111111011100");
    env.logOn(deskId);
    Press(*panel, "cmdAddProfile");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Add Profiles Information.");
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(ProfilesPage, ExtractsWriteTheGridOrTheDiallersFileOrAskForTheLists) {
    QFile::remove(panel->extractPath());
    Press(*panel, "cmdExtract");
    EXPECT_EQ(env.prompt.last(), "Please select the information you wish to extract.  Thank you");
    choose("cboExtract", "Export Search Results to CSV");
    Press(*panel, "cmdExtract");
    EXPECT_EQ(env.prompt.last(),
              "Please select some profiles first.  Then create the extract file.");
    EXPECT_FALSE(QFile::exists(panel->extractPath()));

    const qint64 a = add({.last = "Adams, Jr.",
                          .first = "Ann",
                          .city = "Boston",
                          .home = "555-0100",
                          .business = "555-0102",
                          .email = "ann@example.com",
                          .dnuBusiness = true});
    const qint64 b = add({.last = "=Baker", .cell = "555-0203", .dnuHome = true});
    add({.last = "Clark", .home = "555-0300", .dnuHome = true});
    searchBy("optAll");
    Press(*panel, "cmdExtract");
    const QString path = panel->extractPath();
    EXPECT_TRUE(path.endsWith("/VmExtract.csv"));
    EXPECT_EQ(env.prompt.last(),
              "The file: " + QDir::toNativeSeparators(path) + " has been created.");
    QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 4);
    // The hidden unit column is not part of the file.
    EXPECT_EQ(rows[0], QStringList({"Last Name", "First Name", "Address", "State", "City",
                                    "Telephone", "Fax Phone", "Postal Code", "Email Address"}));
    EXPECT_EQ(rows[1][0], "'=Baker"); // not a formula
    EXPECT_EQ(rows[1][5], "Do NOT Call");
    EXPECT_EQ(rows[2][0], "Adams, Jr.");
    EXPECT_EQ(rows[2][8], "ann@example.com");

    choose("cboExtract", "Auto-Dial Export to CSV");
    Press(*panel, "cmdExtract");
    EXPECT_TRUE(panel->autoDialPath().endsWith("/VmAutoDial.csv"));
    rows = ReadCsv(panel->autoDialPath());
    ASSERT_EQ(rows.size(), 3); // Clark has no number that may be called
    EXPECT_EQ(rows[0],
              QStringList({"Name", "Home Phone", "Business Phone", "Cell Phone", "Other Phone"}));
    EXPECT_EQ(rows[1], QStringList({"'=Baker", "", "", "555-0203", ""}));
    EXPECT_EQ(rows[2], QStringList({"Adams, Jr., Ann", "555-0100", "", "", ""}));

    choose("cboExtract", "Print the Fax List");
    Press(*panel, "cmdExtract");
    choose("cboExtract", "Print the Telephone List");
    Press(*panel, "cmdExtract");
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].routine, "PrintFaxList");
    EXPECT_EQ(reports[0].title, "Profile Facsimile List");
    EXPECT_EQ(reports[1].title, "Profile Telephone List");
    EXPECT_EQ(reports[1].args.value("profileIds").toList().mid(0, 2), QVariantList({b, a}));

    setRights(deskId, "Profiles", "111111111001100");
    env.logOn(deskId);
    Press(*panel, "cmdExtract");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Extract Profiles Lists.");
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(ProfilesPage, ImportRunsTheProgramAndSaysPlainlyWhenItFails) {
    add({.last = "Adams"});
    env.prompt.answer(Answer::No);
    Press(*panel, "cmdImportProfiles");
    EXPECT_EQ(env.prompt.last(), "Do you wish to process the Profile Import?");
    EXPECT_TRUE(env.desktop.started.isEmpty());

    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImportProfiles");
    EXPECT_TRUE(panel->findChild<vm::frmCsvImport*>("frmCsvImport"));
    EXPECT_TRUE(env.desktop.started.isEmpty());

    makeProgram("Importer");
    env.desktop.exitCode = 2;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImportProfiles");
    ASSERT_EQ(env.desktop.started.size(), 1);
    EXPECT_TRUE(env.desktop.started[0].program.endsWith("Importer"));
    EXPECT_EQ(env.prompt.last(), "The Profile Import ended with an error (exit code 2).  Please "
                                 "check the import file.");
    env.desktop.starts = false;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImportProfiles");
    EXPECT_TRUE(env.prompt.last().startsWith("The Profile Import program could not be run: "));
    EXPECT_FALSE(env.prompt.sawPart("completed"));

    searchBy("optLastName", "Adams");
    add({.last = "Adamson"}); // what the importer brought
    env.desktop.starts = true;
    env.desktop.exitCode = 0;
    env.prompt.answer(Answer::Yes);
    Press(*panel, "cmdImportProfiles");
    EXPECT_TRUE(env.prompt.saw("The Profile Import process has completed."));
    EXPECT_EQ(listed(), QStringList({"Adams", "Adamson"}));

    setRights(deskId, "Profiles", "110111111011100");
    env.logOn(deskId);
    Press(*panel, "cmdImportProfiles");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Import Profile Information.");
}

TEST_F(ProfilesPage, MergeKeepsTheChosenProfileAndDropsTheOther) {
    const qint64 a = add({.last = "Adams", .first = "Ann"});
    const qint64 b = add({.last = "Adams", .first = "Anne", .email = "anne@example.com"});
    add({.last = "Baker"});
    AddIndicator(env.db(), b, "Pillow", "Foam");
    searchBy("optAll");
    selectRows({0});
    Press(*panel, "cmdMergeProfiles");
    EXPECT_EQ(env.prompt.last(), "Please select the two Profiles you wish to merge.  Thank you.");

    selectRows({0, 1});
    env.prompt.answer(Answer::Cancel);
    Press(*panel, "cmdMergeProfiles");
    const QString question = "Press <Yes> to keep Adams, Ann (ID " + QString::number(a) +
                             ") and merge Adams, Anne (ID " + QString::number(b) + ") into it.";
    EXPECT_TRUE(env.prompt.last().startsWith(question)) << env.prompt.last().toStdString();
    EXPECT_EQ(panel->grdProfiles->rowCount(), 3);

    env.prompt.answer(Answer::No); // keep the second
    Press(*panel, "cmdMergeProfiles");
    EXPECT_EQ(listed(), QStringList({"Adams", "Baker"}));
    EXPECT_EQ(panel->grdProfiles->keyAt(0), b);
    EXPECT_EQ(text("lblCount"), "2 Entries were selected");
    EXPECT_FALSE(GetProfile(*env.ctx, a).has_value());
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [ProfilePI] WHERE [ProfileID] = ?", {b}), 1);

    env.logOn(deskId); // merging is not in a member's default rights
    selectRows({0, 1});
    Press(*panel, "cmdMergeProfiles");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Merge Profiles.");
}

TEST_F(ProfilesPage, TheMainWindowPrintsTheListAsShown) {
    add({.last = "Adams", .first = "Ann", .city = "Boston", .email = "ann@example.com"});
    add({.last = "Baker", .first = "Bo", .home = "555-0200", .dnuHome = true});
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    auto* page = window.tabPage("Profiles")->findChild<ProfilesPanel*>();
    ASSERT_TRUE(page);
    window.tabs()->setCurrentWidget(window.tabPage("Profiles"));

    window.printActivePage();
    EXPECT_EQ(env.prompt.last(), "Please select some profiles first.  Then print the list.");
    Press(*page, "optAll");
    Press(*page, "cmdSearch");
    window.printActivePage();
    frmPrintPreview* preview = nullptr;
    for (auto* w : page->findChildren<frmPrintPreview*>())
        if (w->isVisible()) preview = w;
    ASSERT_TRUE(preview) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Profile List");
    const QString pdf = env.root() + "/profiles.pdf";
    env.desktop.choose(pdf);
    QTest::mouseClick(Named<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QString shown = QString(pages[0]).replace(QChar(0xFB01), "fi"); // the fi ligature
    EXPECT_TRUE(
        InOrder(shown, {"Profile List", "Where All Profiles Have Been Selected", "Last Name",
                        "Email Address", "Adams", "Ann", "Boston", "ann@example.com", "Baker",
                        "Do NOT Call", "2 Entries were selected"}))
        << shown.toStdString();
    preview->close();
}

TEST_F(ProfilesPage, FaxAndTelephoneListsLeaveOutBarredNumbers) {
    RegisterProfileListReports(env.ctx->reports);
    const qint64 a = add({.last = "Adams",
                          .first = "Ann",
                          .home = "555-0100",
                          .fax = "555-0101",
                          .cell = "555-0103",
                          .dnuCell = true});
    const qint64 b = add(
        {.last = "Baker", .home = "555-0200", .fax = "555-0201", .dnuHome = true, .dnuFax = true});
    const auto plain = [&](const PrintRequest& r) {
        const ReportRoutine* routine = env.ctx->reports.find(r.routine);
        EXPECT_TRUE(routine) << r.routine.toStdString();
        return doc::PlainText(routine->build(*env.ctx, r));
    };
    const QString fax = plain(ProfileFaxListRequest({a, b}));
    EXPECT_TRUE(fax.contains("Adams, Ann\t555-0101")) << fax.toStdString();
    EXPECT_FALSE(fax.contains("Baker"));
    const QString phones = plain(ProfilePhoneListRequest({b, a}));
    EXPECT_TRUE(phones.contains("Adams, Ann\t555-0100\t\t\t")) << phones.toStdString();
    EXPECT_FALSE(phones.contains("555-0103"));
    EXPECT_FALSE(phones.contains("Baker"));
    EXPECT_TRUE(phones.contains("1 Entries were selected"));
    const ReportRoutine* routine = env.ctx->reports.find(RoutineProfileFaxList);
    ASSERT_TRUE(routine);
    EXPECT_THROW(routine->build(*env.ctx, ProfileFaxListRequest({b})), ReportRefused);
}

TEST_F(ProfilesPage, TheMainWindowOpensTheProfileScreenAndFollowsItsSavesAndDeletes) {
    const qint64 a = add({.last = "Adams", .first = "Ann"});
    const qint64 b = add({.last = "Baker", .first = "Bo"});
    const qint64 c = add({.last = "Clark", .first = "Cy"});
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    auto* page = window.tabPage("Profiles")->findChild<ProfilesPanel*>();
    ASSERT_TRUE(page);
    Press(*page, "optAll");
    Press(*page, "cmdSearch");
    const auto screens = [page] { return page->findChildren<frmProfileEdit*>(); };

    // A new profile from the page: saved, it joins the list.
    Press(*page, "cmdAddProfile");
    ASSERT_EQ(screens().size(), 1);
    frmProfileEdit* added = screens()[0];
    EXPECT_TRUE(added->isVisible());
    EXPECT_EQ(added->profileId(), 0);
    for (const auto& [name, value] : {std::pair{"txtFirstName", "Dee"}, {"txtLastName", "Dunn"}}) {
        auto* box = Named<QLineEdit>(*added, name);
        box->setText(value);
        Q_EMIT box->editingFinished();
    }
    Press(*added, "cmdSave");
    const qint64 d = added->profileId();
    ASSERT_GT(d, 0) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(page->grdProfiles->keys(), QList<qint64>({a, b, c, d}));
    EXPECT_EQ(Named<QLabel>(*page, "lblCount")->text(), "4 Entries were selected");
    added->close();

    // Opened from the grid, the screen steps through the listed profiles.
    page->grdProfiles->selectKey(b);
    QTest::keyClick(page->grdProfiles, Qt::Key_Return);
    frmProfileEdit* shown = nullptr;
    for (frmProfileEdit* f : screens())
        if (f->isVisible() && f->profileId() == b) shown = f;
    ASSERT_TRUE(shown);
    Press(*shown, "imgNext");
    EXPECT_EQ(shown->profileId(), c);

    // Deleted there, it leaves the list.
    env.prompt.answer(Answer::Yes);
    Press(*shown, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteProfile);
    EXPECT_EQ(page->grdProfiles->keys(), QList<qint64>({a, b, d}));
    EXPECT_EQ(Named<QLabel>(*page, "lblCount")->text(), "3 Entries were selected");
    shown->close();
}
