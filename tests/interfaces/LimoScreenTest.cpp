#include "LimoFixture.h"

#include "interfaces/forms/LimoModule.h"
#include "interfaces/forms/OdsPage.h"
#include "logbook/forms/LogbookScreenHooks.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "support/ScreenDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QTableWidget>
#include <QTimer>

using namespace vm;
using namespace vm::test;
namespace sd = vm::test::screen;

namespace {

class LimoScreen : public LimoFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        LimoFixture::SetUp();
    }
    // Runs `work` on the dialog the next click opens.
    static void onDialog(std::function<void(QDialog&)> work) {
        QTimer::singleShot(0, [work] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            work(*d);
        });
    }
};

} // namespace

TEST_F(LimoScreen, ThePageOnlySaysSoWhenTheInterfaceIsOff) {
    SetValueFromKey(env.db(), "OdsLimoInterface", "false");
    OdsPage page(*env.ctx);
    EXPECT_EQ(sd::text(page, "lblOdsDisabled"), OdsDisabledText);
    EXPECT_EQ(page.findChild<DataGrid*>("grdOdsBilling"), nullptr);
}

TEST_F(LimoScreen, BillingCodesAreAddedChangedAndDeletedThroughTheDialog) {
    OdsPage page(*env.ctx);
    auto* grid = sd::control<DataGrid>(page, "grdOdsBilling");
    ASSERT_EQ(grid->rowCount(), 1);

    onDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Add New ODS Billing Code");
        EXPECT_EQ(sd::text(d, "lblOdsID"), "2");
        sd::type(d, "txtOdsCode", "VIP");
        sd::type(d, "txtOdsDescription", "Guest account");
        sd::click(d, "cmdOK");
    });
    sd::click(page, "cmdAddBilling");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(GetOdsBillingCodes(env.db())[1].code, "VIP");

    grid->clearSelection();
    grid->setCurrentIndex({});
    sd::click(page, "cmdEditBilling");
    EXPECT_EQ(env.prompt.last(), "No Billing Code has been selected. \r\n\r\n"
                                 "Please select the Billing Code you wish to Edit.");
    EXPECT_EQ(env.prompt.shown.last().title, "No Billing Code Selected");

    grid->selectKey(2);
    onDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Modify ODS Billing Code");
        sd::type(d, "txtOdsCode", "VIP2");
        sd::click(d, "cmdOK");
    });
    sd::click(page, "cmdEditBilling");
    EXPECT_EQ(GetOdsBillingCodes(env.db())[1].code, "VIP2");

    grid->selectKey(2);
    env.prompt.answer(Answer::Yes);
    sd::click(page, "cmdDeleteBilling");
    EXPECT_EQ(env.prompt.last(), "Are you sure you wish to DELETE the following item:\r\n\r\n"
                                 "ID: 2\r\nOdsCode: VIP2\r\nDescription: Guest account");
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(GetOdsBillingCodes(env.db()).size(), 1u);
}

TEST_F(LimoScreen, TheMappingIsSavedFromItsPickLists) {
    OdsPage page(*env.ctx);
    EXPECT_EQ(sd::text(page, "cboOdsCategory"), "Limousine");
    EXPECT_EQ(sd::text(page, "cboOds_puloc"), "Pick-up From:");

    sd::choose(page, "cboOds_puloc", "Pick-up Time:");
    sd::click(page, "btnSaveODS");
    EXPECT_EQ(env.prompt.last(), OdsInvalidMatchupMessage());
    EXPECT_EQ(env.prompt.shown.last().title, "Invalid Field Matchup");
    EXPECT_EQ(LoadOdsLabels(env.db())[1].vmElementId, lineId("puloc"));

    sd::choose(page, "cboOds_puloc", "Drop-off At:");
    sd::choose(page, "cboOds_doloc", "Pick-up From:");
    sd::click(page, "btnSaveODS");
    EXPECT_EQ(env.prompt.last(), "The ODS Interface Options have been successfully saved!");
    EXPECT_EQ(LoadOdsLabels(env.db())[1].vmElementId, lineId("doloc"));
}

TEST_F(LimoScreen, SavingAnEntrySendsItAndShowsTheConfirmation) {
    goodBridge("5150");
    const qint64 id = addEntry();
    LogbookScreenHooks hooks;
    FillLimoHooks(*env.ctx, hooks);
    frmLogbook f(*env.ctx, hooks, id);

    sd::click(f, "cmdSave");
    EXPECT_EQ(captured().at(captured().size() - 2), "restype:new");
    EXPECT_EQ(value(id, "Confirmation:"), "5150");
    EXPECT_EQ(env.prompt.last(), OdsCompleteMessage(false));
    // The screen shows the entry as stored: the next save is no conflict.
    EXPECT_TRUE(ReadDesignValue(f.entry().text, "Confirmation:").contains("5150"));

    goodBridge("5151");
    sd::control<QCheckBox>(f, "chkCancelled")->click(); // the screen is not shown: no hit area
    ASSERT_TRUE(sd::control<QCheckBox>(f, "chkCancelled")->isChecked());
    sd::click(f, "cmdSave");
    EXPECT_EQ(captured().at(captured().size() - 2), "restype:cancel");
    EXPECT_EQ(env.prompt.last(), OdsCompleteMessage(true));
    EXPECT_TRUE(stored(id).cancelled);
    EXPECT_EQ(env.desktop.started.size(), 2);
}
