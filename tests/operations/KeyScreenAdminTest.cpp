// The pages behind the key-control right: the refusal without it, the key
// and employee lists with the assignment window, the import and the purge;
// and the Others icon that opens the screen once.

#include "operations/KeyScreenFixture.h"
#include "operations/forms/KeyControlModule.h"
#include "operations/forms/frmKeyAssign.h"

#include <QFile>

using namespace vm;
using namespace vm::test;

namespace {

class KeyScreenAdmin : public KeyScreenFixture {
protected:
    void writeFile(const QString& name, const QByteArray& lines) {
        QFile f(outputPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
    }
    int count(const QString& table) {
        return value("SELECT COUNT(*) FROM [" + table + "]", {}).toInt();
    }
};

TEST_F(KeyScreenAdmin, PagesPastCheckInNeedTheKeyControlRight) {
    env.logOn(member);
    setRight(member, Rights::AddOnsKeyControl, false);
    auto screen = openScreen();
    auto* tabs = control<QTabWidget>(*screen, "tabKeyControl");
    showPage(*screen, 1);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
    for (int page : {2, 5, 8}) {
        showPage(*screen, page);
        EXPECT_EQ(env.prompt.last(), "You are not authorized to access this tab.");
        EXPECT_EQ(tabs->currentIndex(), 1) << page; // back where the member was
    }
    setRight(member, Rights::AddOnsKeyControl, true);
    env.prompt.clear();
    showPage(*screen, 3);
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(KeyScreenAdmin, AKeyFileWithOneBadRowImportsNothingUntilRepaired) {
    auto screen = openScreen();
    showPage(*screen, 7);
    control<QAbstractButton>(*screen, "optImportKeys")->click();
    click(*screen, "cmdImport");
    EXPECT_EQ(env.prompt.last(), "Could not find the file: " + outputPath("KeyList.csv"));

    const QByteArray heading = "Key Number,Key Group,Description,Duration,Unit\r\n";
    writeFile("KeyList.csv", heading + "301,Vehicles,Van,8,H\r\n" +
                                 "302,Vehicles,Bus,Blue,1,D,extra,more\r\n" +
                                 "303,Vehicles,Car,0,D\r\n");
    click(*screen, "cmdImport");
    EXPECT_EQ(env.prompt.last(), KeyImportCommaMessage(outputPath("KeyList.csv"), 3));
    EXPECT_EQ(count("KeyMaster"), 3);
    EXPECT_FALSE(GetOtherValues(ctx(), "KeyGroup").contains("Vehicles"));

    writeFile("KeyList.csv", heading + "301,Vehicles,Van,8,H\r\n" + "303,Vehicles,Car,0,D\r\n");
    click(*screen, "cmdImport");
    EXPECT_EQ(env.prompt.last(), "The file " + outputPath("KeyList.csv") +
                                     " has been imported: 2 Keys added.");
    EXPECT_TRUE(GetOtherValues(ctx(), "KeyGroup").contains("Vehicles"));
    // The keys page lists them (by group, then number) once it is shown again.
    showPage(*screen, 2);
    auto* keys = control<DataGrid>(*screen, "grdKeys");
    ASSERT_EQ(keys->rowCount(), 5);
    EXPECT_EQ(row(*screen, "grdKeys", 4).mid(0, 5),
              (QStringList{"Vehicles", "303", "Car", "10", "Days"}));
}

TEST_F(KeyScreenAdmin, KeysAreCheckedSavedAndKeptWhileTheyHaveHistory) {
    auto screen = openScreen();
    showPage(*screen, 2);
    click(*screen, "cmdSave_2");
    EXPECT_EQ(env.prompt.last(), "Please select the Key Group.  Thank you.");
    choose(*screen, "cboKeyGroup", "Storage");
    type(*screen, "txtKeyNumber", "202");
    click(*screen, "cmdSave_2");
    EXPECT_EQ(env.prompt.last(), "Please enter the Key (or Key Set) Description.  Thank you.");
    type(*screen, "txtDescription", "Paint store");
    click(*screen, "cmdSave_2");
    EXPECT_EQ(env.prompt.last(),
              "Please enter the number of Hours or Days to elapse before this Key (or Key Set) "
              "is due back.  Thank you.");
    type(*screen, "txtOutDuration", "3");
    choose(*screen, "cboOutHoursDays", "Days");
    const int before = int(env.prompt.shown.size());
    click(*screen, "cmdSave_2");
    EXPECT_EQ(int(env.prompt.shown.size()), before);
    EXPECT_EQ(value("SELECT [OutHoursDays] FROM [KeyMaster] WHERE [KeyNumber] = ?", {"202"}),
              "Days");
    // The saved key stays chosen, its number fixed; a new key may not reuse a number.
    EXPECT_TRUE(control<QLineEdit>(*screen, "txtKeyNumber")->isReadOnly());
    click(*screen, "cmdNew_2");
    choose(*screen, "cboKeyGroup", "Storage");
    type(*screen, "txtKeyNumber", "202");
    type(*screen, "txtDescription", "Second paint store");
    type(*screen, "txtOutDuration", "1");
    click(*screen, "cmdSave_2");
    EXPECT_EQ(env.prompt.last(), "The Key Number must be unique.  This Key Number already exists "
                                 "in your Key List.");

    // A key that was ever lent is kept, with the four-line explanation.
    ASSERT_TRUE(KeyCheckOut(ctx(), master1, ada).done);
    auto* grid = control<DataGrid>(*screen, "grdKeys");
    grid->selectKey(master1);
    EXPECT_EQ(text(*screen, "txtKeyNumber"), "101");
    env.prompt.answer(Answer::Yes);
    click(*screen, "cmdDelete_2");
    EXPECT_EQ(env.prompt.last(), KeyHistoryAttachedMessage(true, "2026/03/14 22:30"));
    EXPECT_TRUE(KeyGetKey(ctx(), master1).has_value());
    // One never lent goes, after the question.
    grid->selectKey(master2);
    env.prompt.answer(Answer::Yes);
    click(*screen, "cmdDelete_2");
    EXPECT_FALSE(KeyGetKey(ctx(), master2).has_value());
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST_F(KeyScreenAdmin, AnEmployeesKeysAreAssignedByGroupWithoutDuplicates) {
    auto screen = openScreen();
    showPage(*screen, 3);
    click(*screen, "cmdAssign");
    EXPECT_EQ(env.prompt.last(), "Please select an Employee.  Thank you.");
    click(*screen, "cmdNew_3");
    type(*screen, "txtEmployeeName", "Cy Dunn");
    type(*screen, "txtEmployeeNumber", "E300");
    click(*screen, "cmdSave_3");
    EXPECT_EQ(env.prompt.last(), "Please enter the Job Title.  Thank you.");
    type(*screen, "txtJobTitle", "Engineer");
    click(*screen, "cmdSave_3");
    auto* employees = control<DataGrid>(*screen, "grdEmployees");
    ASSERT_EQ(employees->rowCount(), 3);
    EXPECT_EQ(row(*screen, "grdEmployees", 2), (QStringList{"Cy Dunn", "E300", "Engineer"}));
    const qint64 cy = employees->currentKey();
    ASSERT_NE(cy, 0);

    click(*screen, "cmdAssign");
    auto* assign = screen->findChild<frmKeyAssign*>("frmKeyAssign");
    ASSERT_TRUE(assign);
    EXPECT_EQ(control<DataGrid>(*assign, "grdAllKeys")->rowCount(), 3);
    click(*assign, "cmdAdd");
    EXPECT_EQ(env.prompt.last(), "Please select the Key Group to Add.  Thank you.");
    choose(*assign, "cboKeyGroup", "Masters");
    click(*assign, "cmdAdd");
    click(*assign, "cmdAdd");
    auto* assigned = control<DataGrid>(*assign, "grdAssigned");
    ASSERT_EQ(assigned->rowCount(), 2);
    assigned->selectKey(master2);
    click(*assign, "cmdRemove");
    control<DataGrid>(*assign, "grdAllKeys")->selectKey(store);
    click(*assign, "cmdAddKey");
    click(*assign, "cmdSave");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<qint64> ids;
    for (const KeyRecord& k : KeyGetAssignedKeys(ctx(), cy))
        ids.push_back(k.id);
    EXPECT_EQ(ids, (std::vector<qint64>{master1, store}));

    // The assignment counts at the desk straight away.
    showPage(*screen, 0);
    type(*screen, "txtEmployeeNumberOut", "E300", true);
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysAvailable")->rowCount(), 2);
}

TEST_F(KeyScreenAdmin, ThePurgeChecksItsDateAsksAndKeepsOpenLoans) {
    ASSERT_TRUE(KeyCheckOut(ctx(), master1, ada).done);
    ASSERT_TRUE(KeyCheckOut(ctx(), store, ada).done);
    env.clock.advanceSecs(3600);
    ASSERT_TRUE(KeyCheckIn(ctx(), master1, ada).done);
    env.clock.advanceDays(5);
    auto screen = openScreen();
    showPage(*screen, 8);
    click(*screen, "cmdDeleteTS");
    EXPECT_EQ(env.prompt.last(), "Please enter the Date to be used for this mass delete.  Thank you.");
    type(*screen, "txtPurgeDate", "03/21/2026");
    click(*screen, "cmdDeleteTS");
    EXPECT_EQ(env.prompt.last(), "The date selected to be used for deleting the Key Control\r\n"
                                 "Information cannot be a future date.  Thank you.");
    type(*screen, "txtPurgeDate", "03/18/2026");
    env.prompt.answer(Answer::No);
    click(*screen, "cmdDeleteTS");
    EXPECT_EQ(env.prompt.last(), "Do you wish to delete ALL Key History entries prior to 03/18/2026");
    EXPECT_EQ(count("KeyHistory"), 2);
    env.prompt.answer(Answer::Yes);
    click(*screen, "cmdDeleteTS");
    EXPECT_EQ(env.prompt.last(),
              "ALL Key History entries prior to 03/18/2026 have been deleted.  Thank you.");
    // The linen key is still out: its loan stays, however old.
    EXPECT_EQ(count("KeyHistory"), 1);
    EXPECT_EQ(value("SELECT [KeyMasterID] FROM [KeyHistory]", {}).toLongLong(), store);
}

TEST_F(KeyScreenAdmin, TheOthersIconOpensOneScreen) {
    startDesk(manager);
    InstallKeyControl(ctx(), *window);
    clickIcon("imgKeyControl");
    clickIcon("imgKeyControl");
    const auto screens = window->findChildren<frmKeyControl*>();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_TRUE(screens[0]->isVisible());
}

} // namespace
