// The printed provider sheets of a day, read back from the PDF.

#include "TsScreenFixture.h"

#include "bookings/forms/frmTimedServiceRules.h"

#include "../output/PdfReader.h"
#include "bookings/reports/TimedServiceReports.h"
#include "output/forms/frmPrintPreview.h"

using namespace vm;
using namespace vm::test;

class TsScreenPrint : public TsScreenFixture {};

TEST_F(TsScreenPrint, ProviderSheetsPrintEachBookedProviderOnAPageOfItsOwn) {
    RegisterTimedServiceReports(env.ctx->reports);
    catalogue();
    const qint64 ben = addProvider("Ben");
    addProvider("Cleo"); // no bookings: no page
    assignAll("Ben");
    book(anna, "03/14/2026", "10:00 AM", "Lane");
    book(ben, "03/14/2026", "02:00 PM", "Moss");

    page("tabTools");
    type("txtPrintDate", "");
    press("cmdPrintProviderSheets");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgTsProviderSheetsDate});
    env.prompt.clear();
    type("txtPrintDate", "03/14/2026");
    press("cmdPrintProviderSheets");
    auto* preview = screen->findChild<frmPrintPreview*>();
    ASSERT_TRUE(preview) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Provider Sheets");
    const QString pdf = env.root() + "/Provider Sheets.pdf";
    env.desktop.choose(pdf);
    click(*preview, "cmdPdf");
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(InOrder(pages[0], {"Provider Sheets", "Saturday, March 14, 2026", "Anna",
                                   "10:00 AM", "Pat Lane", "11:20 AM", "Page 1 of 2"}))
        << pages[0].toStdString();
    EXPECT_FALSE(pages[0].contains("Moss"));
    EXPECT_FALSE(pages[0].contains("09:50 AM")) << "free rows are not printed";
    EXPECT_FALSE(pages[0].contains("11:30 AM"));
    EXPECT_TRUE(InOrder(pages[1], {"Provider Sheets", "Ben", "02:00 PM", "Pat Moss", "Page 2 of 2"}))
        << pages[1].toStdString();
    EXPECT_FALSE(pages[0].contains("Cleo") || pages[1].contains("Cleo"));
}
