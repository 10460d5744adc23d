// A group's details printed from its screen, read back from the PDF.

#include "PdfReader.h"

#include "app/forms/Modules.h"
#include "guests/Groups.h"
#include "guests/forms/frmGroups.h"
#include "guests/forms/frmGroupsD.h"
#include "logbook/LogbookFixture.h"
#include "output/forms/frmPrintPreview.h"

#include <QTest>

using namespace vm;
using namespace vm::test;

class GroupPrint : public LogbookFixture {};

TEST_F(GroupPrint, DetailsAndListReachThePdf) {
    EnsureApplication();
    InstallModuleHooks(*env.ctx);
    designedCategory("Dining", {"Restaurant:", "Party Size:"});
    Group g;
    g.name = "Nordic Dental";
    g.attendees = 40;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/16";
    g.groupContact = "Ines Darrow";
    const qint64 id = InsertGroup(*env.ctx, g);
    InsertGroupScheduleEntry(*env.ctx,
                             {0, id, "2026/03/15", "09:00", "10:30", "Keynote", "Terrace"});
    GroupTemplate t;
    t.groupId = id;
    t.logName = "Welcome Dinner";
    t.entryType = "Dining";
    t.referDate = "2026/03/14";
    t.referTime = "19:30";
    t.logData = {"Le Quai", "2", "", "", "", ""};
    InsertGroupLog(*env.ctx, t);

    frmGroups list(*env.ctx);
    frmGroupsD* details = list.openGroup(id);
    click(*details, "imgPrint");
    auto* preview = details->findChild<frmPrintPreview*>();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Group Details");
    const QString pdf = env.root() + "/Group Details.pdf";
    env.desktop.choose(pdf);
    QTest::mouseClick(control<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
    QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(
        InOrder(pages[0],
                {"Group or Convention Details", "Nordic Dental", "40", "03/14/2026", "03/16/2026",
                 "Ines Darrow", "Meeting Schedule", "03/15/2026", "09:00 AM", "10:30 AM", "Keynote",
                 "Terrace", "Logbook Entries", "Welcome Dinner", "Dining", "Restaurant: Le Quai"}))
        << pages[0].toStdString();

    click(list, "cmdPrintList");
    preview = nullptr;
    for (auto* p : list.findChildren<frmPrintPreview*>())
        if (p->parent() == &list) preview = p;
    ASSERT_TRUE(preview);
    const QString listPdf = env.root() + "/Group List.pdf";
    env.desktop.choose(listPdf);
    QTest::mouseClick(control<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
    pages = PdfPages(listPdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Groups and Conventions List", "Group Name", "Attendees",
                                   "Nordic Dental", "40", "03/14/2026", "Ines Darrow"}))
        << pages[0].toStdString();
}
