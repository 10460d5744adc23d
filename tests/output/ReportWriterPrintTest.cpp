// The report writer's Print, from the main window to the PDF a reader sees.

#include "PdfReader.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "logbook/Designs.h"
#include "logbook/LogbookFixture.h"
#include "logbook/forms/frmVenCom.h"
#include "output/forms/frmPrintPreview.h"

#include <QComboBox>
#include <QTest>
#include <memory>

using namespace vm;
using namespace vm::test;

class ReportWriterPrint : public LogbookFixture {};

TEST_F(ReportWriterPrint, PrintOpensTheListWindowWhosePdfCarriesTheTotals) {
    EnsureApplication();
    const QString crlf = "\r\n";
    const qint64 id = category("Dining");
    ASSERT_EQ(SaveDesign(*env.ctx, id,
                         {DesignLine{.label = "Vendor:"}, DesignLine{.label = "Commission:"}}),
              "");
    add(entry("Baker", "Dining", "2026/03/14",
              "Vendor: Harbor" + crlf + "Commission: 20.25" + crlf + "Window"));
    add(entry("Adams", "Dining", "2026/03/14",
              "Vendor: Annex" + crlf + "Commission: 1,000" + crlf + "Window"));

    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallModules(*env.ctx, window);
    click(*window.tabPage("Others"), "imgReportWriter");
    auto* form = window.findChild<frmVenCom*>("frmVenCom");
    ASSERT_TRUE(form);
    auto choose = [&](const char* box, const QString& text) {
        auto* b = control<QComboBox>(*form, box);
        b->setCurrentIndex(b->findText(text));
        ASSERT_EQ(b->currentText(), text);
    };
    choose("cboCategory", "Dining");
    choose("cboLabel1", "Commission:");
    choose("cboLabel2", "Vendor:");
    click(*form, "cmdGetData");
    click(*form, "cmdPrint");

    auto* preview = form->findChild<frmPrintPreview*>();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->objectName(), "frmPrintObj");
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Report Writer By Vendor");

    const QString pdf = env.root() + "/Report Writer.pdf";
    env.desktop.choose(pdf);
    QTest::mouseClick(control<QAbstractButton>(*preview, "cmdPdf"), Qt::LeftButton);
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    // Listed by commission, the total last, then the count.
    EXPECT_TRUE(InOrder(pages[0], {"The Logbook Report Writer",
                                   "By Commission:", "Where Reference Date is between",
                                   "Sorted by Last Name", "1,000", "Adams", "20.25", "Baker",
                                   "1020.25", "TOTAL:", "2 Entries were selected"}))
        << pages[0].toStdString();
    EXPECT_FALSE(pages[0].contains(LabelPlaceholder));
}
