// A key lent at the desk by typed (or scanned) numbers, overdue once its due
// time has passed, taken back, and found again in the activity search.

#include "operations/KeyScreenFixture.h"

#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

class KeyScreenLending : public KeyScreenFixture {};

TEST_F(KeyScreenLending, AKeyGoesOutFallsOverdueComesBackAndShowsInItsActivity) {
    auto screen = openScreen();
    EXPECT_EQ(screen->windowTitle(), "Key Control - Saturday, March 14, 2026");

    type(*screen, "txtEmployeeNumberOut", "E100", true);
    EXPECT_EQ(text(*screen, "lblEmployeeNameOut"), "Ada Brook");
    EXPECT_EQ(text(*screen, "lblJobTitleOut"), "Porter");
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysAvailable")->rowCount(), 2);

    // A key that is in but not Ada's: shown as not available and refused.
    type(*screen, "txtKeyNumberOut", "102", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1Out"), "Masters: Floor 2 master");
    EXPECT_EQ(text(*screen, "lblKeyLine2Out"), "Not Available for Checkout");
    click(*screen, "cmdCheckOut");
    EXPECT_EQ(env.prompt.last(), "This key is not available for Check Out by Ada Brook");
    type(*screen, "txtKeyNumberOut", "999", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1Out"), "Key Number is Invalid");
    EXPECT_EQ(text(*screen, "lblKeyLine2Out"), "OR: Key is Checked Out");

    // The scanner's Enter after the key number, then Enter on the button.
    type(*screen, "txtKeyNumberOut", "101", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1Out"), "Masters: Floor 1 master");
    auto* checkOut = control<QPushButton>(*screen, "cmdCheckOut");
    QTest::keyClick(checkOut, Qt::Key_Return);
    EXPECT_EQ(value("SELECT [KeyStatus] FROM [KeyMaster] WHERE [KeyMasterID] = ?", {master1}),
              "O");
    EXPECT_EQ(value("SELECT [DateTimeDue] FROM [KeyHistory] WHERE [KeyMasterID] = ?", {master1}),
              "2026/03/15 02:30");
    EXPECT_EQ(text(*screen, "txtKeyNumberOut"), "");
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysAvailable")->rowCount(), 1);
    // Once out, the key is no longer in for a second loan.
    type(*screen, "txtEmployeeNumberOut", "E200", true);
    type(*screen, "txtKeyNumberOut", "101", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1Out"), "Key Number is Invalid");

    // Half an hour past its due time the key is listed, in the overdue colour.
    env.clock.set(QDateTime(QDate(2026, 3, 15), QTime(3, 0)));
    showPage(*screen, 4);
    auto* due = control<DataGrid>(*screen, "grdDueOverDue");
    ASSERT_EQ(due->rowCount(), 1);
    EXPECT_EQ(row(*screen, "grdDueOverDue", 0),
              (QStringList{"2026/03/15 02:30", "Masters", "101", "Floor 1 master", "Ada Brook",
                           "Porter"}));
    EXPECT_TRUE(due->background(0).isValid());
    EXPECT_NE(due->background(0), QColor(Qt::white));

    // Back on the check-in page: only the borrower may return it.
    showPage(*screen, 1);
    type(*screen, "txtEmployeeNumberIn", "E200", true);
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysOut")->rowCount(), 0);
    type(*screen, "txtKeyNumberIn", "101", true);
    EXPECT_EQ(text(*screen, "lblTimeOutIn"), "2026/03/14 22:30");
    click(*screen, "cmdCheckIn");
    EXPECT_EQ(env.prompt.last(), "This key is not Checked Out by Bo Chen");
    type(*screen, "txtKeyNumberIn", "201", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1In"), "Key Number is Invalid");
    EXPECT_EQ(text(*screen, "lblKeyLine2In"), "OR: Key is Not Checked Out");

    type(*screen, "txtEmployeeNumberIn", "E100", true);
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysOut")->rowCount(), 1);
    type(*screen, "txtKeyNumberIn", "101", true);
    const int messages = int(env.prompt.shown.size());
    click(*screen, "cmdCheckIn");
    EXPECT_EQ(int(env.prompt.shown.size()), messages);
    EXPECT_EQ(control<DataGrid>(*screen, "grdKeysOut")->rowCount(), 0);
    EXPECT_EQ(value("SELECT [MinutesFromDue] FROM [KeyHistory] WHERE [KeyMasterID] = ?", {master1})
                  .toInt(),
              30);
    EXPECT_EQ(text(*screen, "lblLastActionIn"), "Key 101 checked in, 30 minutes late.");
    showPage(*screen, 4);
    EXPECT_EQ(due->rowCount(), 0);

    // The loan in the key's activity, with the search's date checks on the way.
    showPage(*screen, 5);
    click(*screen, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "Please select the Key or Employee.  Thank you.");
    choose(*screen, "cboActivityKey", "101");
    type(*screen, "txtFromDate", "13/45/2026");
    click(*screen, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "Please enter a valid Starting Date for this Search.  Thank you.");
    type(*screen, "txtFromDate", "");
    type(*screen, "txtThroughDate", "03/15/2026");
    click(*screen, "cmdSearch");
    EXPECT_EQ(env.prompt.last(),
              "If the Through Date is entered you must have a Starting Date.  Thank you.");
    type(*screen, "txtFromDate", "03/16/2026");
    click(*screen, "cmdSearch");
    EXPECT_EQ(env.prompt.last(),
              "The Through Date must be Equal to or Later than the Starting Date.  Thank you.");
    type(*screen, "txtFromDate", "03/14/2026");
    type(*screen, "txtThroughDate", "03/14/2026");
    click(*screen, "cmdSearch");
    ASSERT_EQ(control<DataGrid>(*screen, "grdActivity")->rowCount(), 1);
    EXPECT_EQ(row(*screen, "grdActivity", 0),
              (QStringList{"2026/03/14 22:30", "2026/03/15 02:30", "2026/03/15 03:00", "30",
                           "Ada Brook", "Porter"}));
    // By employee, the same loan with the key's columns.
    control<QAbstractButton>(*screen, "optByEmployee")->click();
    choose(*screen, "cboActivityEmployee", "Ada Brook");
    click(*screen, "cmdSearch");
    ASSERT_EQ(control<DataGrid>(*screen, "grdActivity")->rowCount(), 1);
    EXPECT_EQ(row(*screen, "grdActivity", 0).mid(3),
              (QStringList{"Masters", "101", "Floor 1 master"}));
}

TEST_F(KeyScreenLending, ScannedNumbersLoseTheirLeadingZerosWhenTheSettingIsOn) {
    auto screen = openScreen();
    showPage(*screen, 2);
    control<QAbstractButton>(*screen, "chkRemoveZeros")->click();
    EXPECT_TRUE(KeyRemoveZeros(ctx()));
    showPage(*screen, 0);
    type(*screen, "txtEmployeeNumberOut", "E100", true);
    type(*screen, "txtKeyNumberOut", "000201", true);
    EXPECT_EQ(text(*screen, "lblKeyLine1Out"), "Storage: Linen room");
    click(*screen, "cmdCheckOut");
    // Two days for the linen room key.
    EXPECT_EQ(value("SELECT [DateTimeDue] FROM [KeyMaster] WHERE [KeyMasterID] = ?", {store}),
              "2026/03/16 22:30");
}

} // namespace
