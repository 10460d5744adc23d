#include "LogbookFixture.h"

#include "guests/forms/frmSearch.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/frmLogbook.h"

#include "platform/forms/DataGrid.h"
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

class LogbookModuleTest : public LogbookFixture {};

TEST_F(LogbookModuleTest, MainWindowShowsTodaysEntriesAfterLogonAndClearsOnLogoff) {
    category("Dining");
    add(entry("Today", "Dining", "2026/03/14"));
    add(entry("Tomorrow", "Dining", "2026/03/15"));
    env.ctx->session.clear();

    frmSearch w(*env.ctx);
    InstallLogbook(*env.ctx, w);
    auto* module = w.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);
    EXPECT_TRUE(bool(module->hooks.encryptCard)); // card protection is wired in
    auto* panel = w.tabPage("Logbook")->findChild<LogbookPanel*>();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->grdLogbook->rowCount(), 0);

    w.setLogonHandler([&] {
        env.logOn(staffId);
        return true;
    });
    w.Logon();
    QTest::qWait(10);
    ASSERT_EQ(panel->grdLogbook->rowCount(), 1);
    EXPECT_EQ(panel->grdLogbook->cell(0, ColLastName), "Today");
    EXPECT_EQ(panel->lblCount->text(), "1 Entries were selected");
    EXPECT_EQ(module->categories->lstCategories->count(), 1);

    // Another screen opens a new entry with its guest filled in.
    LogEntry guest;
    guest.lastName = "From Contact";
    guest.entryType = "Dining";
    std::unique_ptr<frmLogbook> f(module->openNewEntry(guest));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->txtLastName->text(), "From Contact");
    EXPECT_EQ(f->cboTypes->currentText(), "Dining");
    ASSERT_TRUE(f->cmdSave_Click());
    EXPECT_EQ(panel->grdLogbook->rowCount(), 2);
    f.reset();

    w.setLogoffHandler([&] { env.ctx->session.clear(); });
    w.setLogonHandler([] { return false; });
    w.Logoff();
    QTest::qWait(10);
    EXPECT_EQ(panel->grdLogbook->rowCount(), 0);
}
