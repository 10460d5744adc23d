// The day's task list printed from the quick viewer, read back from the PDF.

#include "PdfReader.h"

#include "app/forms/Modules.h"
#include "desk/QuickViewer.h"
#include "desk/forms/QuickViewer.h"
#include "logbook/LogbookFixture.h"
#include "output/forms/frmPrintPreview.h"

#include <QTest>

using namespace vm;
using namespace vm::test;

class QuickViewerPrint : public LogbookFixture {};

TEST_F(QuickViewerPrint, TheTaskListReachesThePdf) {
    EnsureApplication();
    InstallModuleHooks(*env.ctx);
    env.db().exec("INSERT INTO [Other]([OtherType], [OtherValue]) VALUES('TaskType', 'Concierge')");
    TaskMasterRow row;
    row.recurrence = "Daily";
    row.category = "Concierge";
    row.description = "Book the opera tickets";
    row.initials = "AD";
    ASSERT_EQ(SaveTaskMaster(*env.ctx, row), "");
    env.ctx->daily.wait = [](int) {};
    ASSERT_EQ(BuildTodaysTasks(*env.ctx), 1);

    frmQuickViewer viewer(*env.ctx);
    ASSERT_TRUE(viewer.showTab("tabTasks"));
    click(viewer, "cmdPrintTasks");
    auto* preview = viewer.findChild<frmPrintPreview*>();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Task List");
    const QString pdf = env.root() + "/Task List.pdf";
    env.desktop.choose(pdf);
    QTest::mouseClick(control<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(
        InOrder(pages[0], {"Daily Task List", "Saturday, March 14, 2026", "Done", "Category",
                           "Task Description", "Assigned to", "Completed by", "Date/Time Done",
                           "No", "Concierge", "Book the opera tickets", "AD", "Page 1 of 1"}))
        << pages[0].toStdString();
}
