// The Contacts page's guest list, from the main window to the PDF a reader sees.

#include "PdfReader.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "core/LongText.h"
#include "guests/DirectoryFixture.h"
#include "guests/forms/ContactsPanel.h"
#include "output/forms/frmPrintPreview.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace vm::test::dir;

class ContactGuestListPdf : public DirectoryFixture {};

TEST_F(ContactGuestListPdf, BothPapersPrintTheKeywordsGuestList) {
    EnsureApplication();
    const qint64 alto = add({.name = "Alto Trattoria",
                             .city = "Boston",
                             .keywords = "Dinner, Italian",
                             .guestList = true});
    add({.name = "Closed Osteria",
         .city = "Boston",
         .keywords = "Italian",
         .closed = true,
         .guestList = true});
    add({.name = "Albany Pizza", .city = "Albany", .keywords = "Italian", .guestList = true});
    PutECT(*env.ctx, alto, TextKind::ContactGuestList, "Handmade pasta every evening");
    env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {"Italian"});

    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    auto* panel = window.tabPage("Contacts")->findChild<ContactsPanel*>();
    ASSERT_TRUE(panel);
    panel->refreshLists();
    Named<QComboBox>(*panel, "cboKeyword")->setCurrentText("Italian");
    Named<QComboBox>(*panel, "cboCity")->setCurrentText("Boston");

    const struct {
        const char* paper;
        const char* window;
    } papers[] = {{"optPlainPaper", "frmPrintObj"}, {"optLetterhead", "frmPrintLH"}};
    for (const auto& p : papers) {
        Named<QRadioButton>(*panel, p.paper)->click();
        Press(*panel, "cmdGuestList");
        frmPrintPreview* preview = nullptr;
        for (auto* w : panel->findChildren<frmPrintPreview*>())
            if (w->isVisible() && w->objectName() == p.window) preview = w;
        ASSERT_TRUE(preview) << p.window << " " << env.prompt.texts().join("|").toStdString();
        EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Guest Contact List");

        const QString pdf = env.root() + "/" + p.paper + ".pdf";
        env.desktop.choose(pdf);
        QTest::mouseClick(Named<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
        const QStringList pages = PdfPages(pdf);
        ASSERT_EQ(pages.size(), 1) << p.paper;
        EXPECT_TRUE(InOrder(pages[0], {"Italian - Boston", "As of:", "Alto Trattoria",
                                       "Handmade pasta every evening"}))
            << pages[0].toStdString();
        EXPECT_FALSE(pages[0].contains("Closed Osteria"));
        EXPECT_FALSE(pages[0].contains("Albany Pizza"));
        preview->close();
    }
}
