#include "LogbookFixture.h"

#include "app/forms/frmSearch.h"
#include "logbook/forms/LogbookCategoriesPage.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/frmExport.h"
#include "logbook/forms/frmLogbook.h"

#include "platform/forms/DataGrid.h"
#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->grdLogbook->rowCount() == 1; }));
    EXPECT_EQ(panel->grdLogbook->cell(0, ColLastName), "Today");
    EXPECT_EQ(panel->lblCount->text(), "1 Entries were selected");
    EXPECT_EQ(module->categories->lstCategories->count(), 1);

    // Another screen opens a new entry with its guest filled in.
    LogEntry guest;
    guest.lastName = "From Contact";
    guest.entryType = "Dining";
    std::unique_ptr<frmLogbook> f(module->openNewEntry(guest));
    ASSERT_TRUE(f);
    EXPECT_EQ(control<QLineEdit>(*f, "txtLastName")->text(), "From Contact");
    EXPECT_EQ(control<QComboBox>(*f, "cboTypes")->currentText(), "Dining");
    ASSERT_TRUE(save(*f));
    EXPECT_EQ(panel->grdLogbook->rowCount(), 2);
    f.reset();

    w.setLogoffHandler([&] { env.ctx->session.clear(); });
    w.setLogonHandler([] { return false; });
    w.Logoff();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->grdLogbook->rowCount() == 0; }));
}

TEST_F(LogbookModuleTest, ExportOpensFromTheEntryScreenAndTheMainWindowWithItsRight) {
    category("Dining");
    const qint64 id = add(entry("Smith", "Dining", "2026/03/14"));
    frmSearch w(*env.ctx);
    InstallLogbook(*env.ctx, w);
    auto* module = w.findChild<LogbookModule*>("LogbookModule");
    ASSERT_TRUE(module);
    auto* command = w.findChild<QAction*>("cmdLogbookExport");
    ASSERT_TRUE(command);

    int opened = 0;
    const auto closeExport = [&] {
        QTimer::singleShot(0, &w, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* e = qobject_cast<frmExport*>(top); e && e->isVisible()) {
                    ++opened;
                    e->reject();
                }
        });
    };
    std::unique_ptr<frmLogbook> f(module->openEntry(id));
    ASSERT_TRUE(f);
    closeExport();
    click(*f, "cmdExport");
    EXPECT_EQ(opened, 1);

    grant(11, false);
    command->trigger();
    EXPECT_EQ(env.prompt.last(), "You are not authorized to work with Logbook Export.");
    grant(11, true);
    closeExport();
    command->trigger();
    EXPECT_EQ(opened, 2);
}
