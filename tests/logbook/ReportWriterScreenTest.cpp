#include "LogbookFixture.h"

#include "app/forms/frmSearch.h"
#include "core/Settings.h"
#include "logbook/Designs.h"
#include "logbook/ReportWriterOutput.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/ReportWriterModule.h"
#include "logbook/forms/frmVenCom.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"
#include "support/GridText.h"
#include "support/StaffRights.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {
const QString Crlf = QStringLiteral("\r\n");

// Clicks a column header as the user does.
void clickHeader(DataGrid* grid, int column) {
    QHeaderView* h = grid->horizontalHeader();
    QTest::mouseClick(
        h->viewport(), Qt::LeftButton, {},
        QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2));
}

} // namespace

class ReportWriterScreen : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        const qint64 id = category("Dining");
        ASSERT_EQ(SaveDesign(*env.ctx, id,
                             {DesignLine{.label = "Vendor:"}, DesignLine{.label = "Commission:"}}),
                  "");
        add(entry("Baker", "Dining", "2026/03/14",
                  "Vendor: Harbor" + Crlf + "Commission: 20" + Crlf + "Window"));
        LogEntry cancelled = entry("Adams", "Dining", "2026/03/14",
                                   "Vendor: Chez, Nous" + Crlf + "Commission: 5" + Crlf + "Window");
        cancelled.cancelled = true;
        add(cancelled);
        add(entry("Cole", "Dining", "2026/03/14",
                  "Vendor: Annex" + Crlf + "Commission: x" + Crlf + "Window"));
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallLogbook(*env.ctx, *window);
    }

    void TearDown() override {
        window.reset();
        LogbookFixture::TearDown();
    }

    frmVenCom* openFromOthersPage() {
        click(*window->tabPage("Others"), "imgReportWriter");
        return window->findChild<frmVenCom*>("frmVenCom");
    }

    // Others rights string, position by position.
    void grantOthers(int position, bool allowed) {
        SetStaffRight(env.db(), staffId, {RightsArea::Others, position}, allowed);
    }

    void getCommissions(frmVenCom& f) {
        screen::choose(f, "cboCategory", "Dining");
        screen::choose(f, "cboLabel1", "Commission:");
        click(f, "cmdGetData");
    }

    std::unique_ptr<frmSearch> window;
};

TEST_F(ReportWriterScreen, OpensFromTheOthersPageAndTheCommandBarWithItsRight) {
    grantOthers(5, false);
    EXPECT_EQ(openFromOthersPage(), nullptr);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Work with the Logbook Report Writer.");
    auto* command = window->findChild<QAction*>("cmdQueryMaster");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->text(), "Query Master");
    command->trigger();
    EXPECT_EQ(window->findChild<frmVenCom*>("frmVenCom"), nullptr);
    EXPECT_EQ(env.prompt.shown.size(), 2);

    grantOthers(5, true);
    frmVenCom* f = openFromOthersPage();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->windowTitle(), "The Logbook Report Writer - Saturday, March 14, 2026");
    command->trigger(); // the open one comes forward, no second window
    EXPECT_EQ(window->findChildren<frmVenCom*>("frmVenCom").size(), 1);
    EXPECT_EQ(control<QComboBox>(*f, "cboLabel1")->currentText(), LabelPlaceholder);
}

TEST_F(ReportWriterScreen, CriteriaAreCheckedBeforeAnythingIsRead) {
    frmVenCom* f = openFromOthersPage();
    ASSERT_TRUE(f);
    click(*f, "cmdGetData");
    EXPECT_EQ(env.prompt.shown.last().text, "Must select a Category for this Search.");
    EXPECT_EQ(env.prompt.shown.last().title, "Oops");
    screen::choose(*f, "cboCategory", "Dining");
    control<QLineEdit>(*f, "txtThroughDate")->setText("03/01/2026");
    click(*f, "cmdGetData");
    EXPECT_EQ(env.prompt.last(), "Through date must be greater than starting date.");
    control<QLineEdit>(*f, "txtFromDate")->setText("03/01/2026");
    click(*f, "cmdGetData");
    EXPECT_EQ(env.prompt.last(), "Must select a Data Entry Panel Label for this Category.");
    EXPECT_EQ(control<DataGrid>(*f, "grdVenCom")->rowCount(), 0);
}

TEST_F(ReportWriterScreen, TotalRowStaysLastWhicheverWayTheGridIsSorted) {
    SetTextSetting(env.db(), "ColorCancel", "255"); // red, in the stored decimal form
    frmVenCom* f = openFromOthersPage();
    ASSERT_TRUE(f);
    getCommissions(*f);
    auto* grid = control<DataGrid>(*f, "grdVenCom");
    EXPECT_EQ(GridColumn(grid, RcLastName),
              (QStringList{"Adams  (CXL)", "Baker", "Cole", TotalLabel}));
    EXPECT_EQ(grid->cell(3, RcLabel1), "25.00");
    EXPECT_EQ(grid->foreground(0), QColor(Qt::red));
    EXPECT_EQ(control<QLabel>(*f, "lblCount")->text(), "3 Entries were selected");
    EXPECT_TRUE(control<QLabel>(*f, "lblDescription")
                    ->text()
                    .endsWith("And Category is Dining, Sorted by Last Name"));

    clickHeader(grid, RcLastName); // ascending
    EXPECT_EQ(GridColumn(grid, RcLastName).last(), TotalLabel);
    clickHeader(grid, RcLastName); // descending
    EXPECT_EQ(GridColumn(grid, RcLastName),
              (QStringList{"Cole", "Baker", "Adams  (CXL)", TotalLabel}));
    clickHeader(grid, RcLabel1);
    EXPECT_EQ(GridColumn(grid, RcLabel1).last(), "25.00");
    EXPECT_TRUE(control<QLabel>(*f, "lblDescription")->text().endsWith(", Sorted by Commission:"));
    clickHeader(grid, RcLabel1);
    EXPECT_EQ(GridColumn(grid, RcLabel1), (QStringList{"x", "5", "20", "25.00"}));
}

TEST_F(ReportWriterScreen, ExtractsAreNumberedReadBackAndErasedOnYes) {
    frmVenCom* f = openFromOthersPage();
    ASSERT_TRUE(f);
    click(*f, "cmdExport");
    EXPECT_EQ(env.prompt.last(), MsgExtractEmpty);
    click(*f, "cmdPrint");
    EXPECT_EQ(env.prompt.last(), "No data selected to print.");

    screen::choose(*f, "cboCategory", "Dining");
    screen::choose(*f, "cboLabel1", "Vendor:");
    screen::choose(*f, "cboLabel2", "Commission:");
    control<QCheckBox>(*f, "chkNoCancels")->setChecked(true);
    click(*f, "cmdGetData");
    clickHeader(control<DataGrid>(*f, "grdVenCom"), RcLabel1); // Annex, Harbor

    const QDir out(env.ctx->workstation.outputFolder());
    click(*f, "cmdExport");
    EXPECT_EQ(env.prompt.last(), ExtractCreatedMessage(out.filePath("VmVenComm.csv")));
    click(*f, "cmdExport");
    EXPECT_EQ(env.prompt.last(), ExtractCreatedMessage(out.filePath("VmVenComm1.csv")));

    const QList<QStringList> rows = ReadCsv(out.filePath("VmVenComm1.csv"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].value(RcLabel1), "Vendor:");
    EXPECT_EQ(rows[0].value(RcLabel3), LabelPlaceholder);
    EXPECT_EQ(rows[1].value(RcLastName), "Cole");
    EXPECT_EQ(rows[2].value(RcLastName), "Baker");
    EXPECT_EQ(rows[3].value(RcLastName), TotalLabel);
    EXPECT_EQ(rows[3].value(RcLabel2), "20.00");
    EXPECT_EQ(rows[1].size(), ReportColumnCount);

    env.prompt.answer(Answer::No);
    click(*f, "cmdEraseExtracts");
    EXPECT_EQ(env.prompt.last(), MsgEraseExtracts);
    EXPECT_EQ(out.entryList({"VmVenComm*.csv"}).size(), 2);
    env.prompt.answer(Answer::Yes);
    click(*f, "cmdEraseExtracts");
    EXPECT_TRUE(out.entryList({"VmVenComm*.csv"}).isEmpty());
}
