// The rental screen driven by its controls: check-out from an item tab, the
// red row and the items-out list, the printed charges sheet and lists read
// back from the PDF, the extract read back as CSV, and the Others icon.

#include "operations/RentalFixture.h"

#include "operations/forms/RentalsModule.h"
#include "operations/forms/frmRental1.h"
#include "operations/forms/frmRental1Items.h"
#include "operations/reports/RentalReports.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class RentalScreen : public RentalFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        RentalFixture::SetUp();
        RegisterRentalReports(env.ctx->reports);
    }

    static void type(QWidget& root, const QString& name, const QString& text) {
        auto* e = control<QLineEdit>(root, name);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    // The item tab of a type, made current, with the item's row chosen.
    static QWidget& itemTab(frmRental1& f, int type, qint64 stuffId) {
        auto* tab = control<frmRental1Items>(f, QString("fraItems%1").arg(type));
        control<QTabWidget>(f, "tabRentals")->setCurrentWidget(tab);
        auto* grid = control<DataGrid>(*tab, "grdItems");
        grid->selectKey(stuffId);
        EXPECT_EQ(grid->currentKey(), stuffId);
        return *tab;
    }
    static int rowOf(const DataGrid& grid, qint64 key) {
        for (int r = 0; r < grid.rowCount(); ++r)
            if (grid.keyAt(r) == key) return r;
        return -1;
    }
    // The open preview saved as PDF: its pages' text.
    QStringList printed(QWidget& owner, const QString& file) {
        auto* preview = owner.findChild<frmPrintPreview*>();
        EXPECT_TRUE(preview);
        if (!preview) return {};
        const QString pdf = env.root() + "/" + file;
        env.desktop.choose(pdf);
        click(*preview, "cmdPdf");
        preview->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return PdfPages(pdf);
    }
};

TEST_F(RentalScreen, ACheckOutFromTheDayTabDrawsTheRowRedListsItOutAndPrintsTheCharges) {
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 7, 10);
    const StuffItem spare = item(StuffType::Daily, "Bikes", "Spare Bike", 7, 10);
    setRight(member, Rights::OthersRentalsDefaults, true);
    RentalDefaults d;
    d.texts = {"Thank you for renting with us.", "Please return the item on time."};
    d.printCheckOut = true;
    ASSERT_EQ(SaveRentalDefaults(ctx(), d), "");

    frmRental1 f(ctx());
    EXPECT_EQ(f.windowTitle(), "Rental and Inventory Items - Saturday, March 14, 2026");
    QWidget& tab = itemTab(f, StuffType::Daily, bike.id);
    EXPECT_EQ(control<QLineEdit>(tab, "txtItemName")->text(), "City Bike");
    click(tab, "cmdCheckOut");
    EXPECT_EQ(env.prompt.last(), MsgRentalName);

    type(tab, "txtRenterName", "Lena Ortiz");
    type(tab, "txtRoomNumber", "412");
    type(tab, "txtReturnDate", "03/17/2026");
    type(tab, "txtReturnTime", "5:00 PM");
    env.prompt.clear();
    click(tab, "cmdCheckOut");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("\n").toStdString();

    const QStringList sheet = printed(f, "Charges.pdf");
    ASSERT_EQ(sheet.size(), 1);
    EXPECT_TRUE(InOrder(sheet[0], {"Rental Charges", "Thank you for renting with us.", "Lena Ortiz",
                                   "412", "City Bike", "03/14/2026 09:30 AM", "03/17/2026 05:00 PM",
                                   "30.00", "Please return the item on time."}))
        << sheet[0].toStdString();

    auto* grid = control<DataGrid>(tab, "grdItems");
    EXPECT_EQ(grid->foreground(rowOf(*grid, bike.id)), QColor(255, 0, 0));
    EXPECT_NE(grid->foreground(rowOf(*grid, spare.id)), QColor(255, 0, 0));
    EXPECT_EQ(control<QLabel>(tab, "lblCheckOut")->text(),
              "Checked out 03/14/2026 09:30 AM  -  Charge: 30.00");
    auto* out = control<DataGrid>(f, "grdItemsOut");
    ASSERT_EQ(out->rowCount(), 1);
    EXPECT_EQ(out->cell(0, 2), "City Bike");
    EXPECT_EQ(out->cell(0, 0), "03/17/2026");

    // The extract writes the list of the tab shown.
    env.prompt.clear();
    click(f, "cmdExtract");
    const QString path = env.ctx->workstation.outputFolder() + RentalExportFileName;
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"The file: " + QDir::toNativeSeparators(path) + " has been created."});
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], ItemGridHeaders());
    EXPECT_EQ(rows[1][2], "City Bike");
    EXPECT_EQ(rows[1][1], "03/17/2026");
    EXPECT_EQ(rows[1][9], "Lena Ortiz");

    // Items due back, printed from the first tab's list.
    control<QTabWidget>(f, "tabRentals")->setCurrentIndex(0);
    type(f, "txtDueBy", "03/17/2026");
    click(f, "cmdShowDue");
    EXPECT_EQ(out->rowCount(), 1);
    click(f, "cmdPrintDueBack");
    const QStringList due = printed(f, "DueBack.pdf");
    ASSERT_EQ(due.size(), 1);
    EXPECT_TRUE(InOrder(
        due[0], {"Rental Items Due Back", "Tuesday, March 17, 2026", "City Bike", "Lena Ortiz"}))
        << due[0].toStdString();
    type(f, "txtDueBy", "03/16/2026");
    click(f, "cmdShowDue");
    EXPECT_EQ(out->rowCount(), 0);
    click(f, "cmdShowAll");
    EXPECT_EQ(out->rowCount(), 1);

    // Checked in from its tab: back in black, in the history, off the list.
    QWidget& again = itemTab(f, StuffType::Daily, bike.id);
    click(again, "cmdCheckIn");
    EXPECT_NE(grid->foreground(rowOf(*grid, bike.id)), QColor(255, 0, 0));
    EXPECT_EQ(control<DataGrid>(again, "grdHistory")->rowCount(), 1);
    EXPECT_EQ(control<QLabel>(again, "lblCheckOut")->text(), "");
    EXPECT_EQ(out->rowCount(), 0);

    // Without right 13 nothing prints; the search needs right 14.
    setRight(member, Rights::OthersRentalsPrint, false);
    click(f, "cmdPrintInventory");
    EXPECT_EQ(env.prompt.last(), MsgRentalPrintRefused);
    EXPECT_FALSE(f.findChild<frmPrintPreview*>());
}

TEST_F(RentalScreen, TheSearchShowsItsTotalLineAndThePrintsReadBack) {
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 7, 10);
    item(StuffType::Inventory, "Umbrellas", "Sewing Kit", 0, 0, 4, 1);
    ASSERT_TRUE(CheckOutItem(ctx(), bike.id, loan(QDate(2026, 3, 16))).done);
    env.clock.set(QDateTime(QDate(2026, 3, 16), QTime(11, 0)));
    ASSERT_TRUE(CheckInItem(ctx(), bike.id).done);

    frmRental1 f(ctx());
    control<QTabWidget>(f, "tabRentals")->setCurrentIndex(4);
    type(f, "txtFromDate", "03/20/2026");
    type(f, "txtThroughDate", "03/10/2026");
    click(f, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), MsgRentalSearchOrder);
    type(f, "txtFromDate", "03/40/2026");
    click(f, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), MsgRentalSearchDate);
    type(f, "txtFromDate", "03/10/2026");
    type(f, "txtThroughDate", "03/20/2026");
    click(f, "cmdSearch");
    auto* grid = control<DataGrid>(f, "grdSearch");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 6), "Lena Ortiz");
    EXPECT_EQ(grid->cell(0, 8), "20.00");
    EXPECT_EQ(grid->cell(1, 7), "TOTAL:");
    EXPECT_EQ(grid->cell(1, 8), "20.00");

    click(f, "cmdPrintResults");
    const QStringList results = printed(f, "Results.pdf");
    ASSERT_EQ(results.size(), 1);
    EXPECT_TRUE(InOrder(results[0], {"Items Rented by Date -", "From 03/10/2026 Through 03/20/2026",
                                     "Lena Ortiz", "TOTAL:", "20.00"}))
        << results[0].toStdString();

    click(f, "cmdPrintShopping");
    const QStringList shopping = printed(f, "Shopping.pdf");
    ASSERT_EQ(shopping.size(), 1);
    EXPECT_TRUE(InOrder(shopping[0], {"Shopping List", "Sewing Kit", "4", "1", "3"}));
    EXPECT_FALSE(shopping[0].contains("City Bike"));

    click(f, "cmdPrintInventory");
    const QStringList inventory = printed(f, "Inventory.pdf");
    ASSERT_EQ(inventory.size(), 1);
    EXPECT_TRUE(
        InOrder(inventory[0], {"Rental and Need-It-Now Items", "Inventory or Need-it-Now Items",
                               "Sewing Kit", "Items Rented by the Day", "City Bike"}))
        << inventory[0].toStdString();

    setRight(member, Rights::OthersRentalsSearch, false);
    click(f, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), MsgRentalSearchRefused);
}

TEST_F(RentalScreen, StockIsIssuedAndRestockedFromItsTabAndAnOutItemIsNotDeleted) {
    const StuffItem kits = item(StuffType::Inventory, "Umbrellas", "Sewing Kit", 0, 0, 5, 5);
    const StuffItem bike = item(StuffType::Daily, "Bikes", "City Bike", 7, 10);
    ASSERT_TRUE(CheckOutItem(ctx(), bike.id, loan(today().addDays(1))).done);
    frmRental1 f(ctx());
    QWidget& stock = itemTab(f, StuffType::Inventory, kits.id);
    type(stock, "txtQuantity", "9");
    click(stock, "cmdCheckOut");
    EXPECT_EQ(env.prompt.last(), MsgRentalTooMany);
    type(stock, "txtQuantity", "2");
    click(stock, "cmdCheckOut");
    EXPECT_EQ(control<QLineEdit>(stock, "txtOnHand")->text(), "3");
    EXPECT_EQ(control<DataGrid>(f, "grdRestock")->rowCount(), 1);
    type(stock, "txtQuantity", "7");
    click(stock, "cmdRestock");
    EXPECT_EQ(GetStuffItem(ctx(), kits.id)->onHand, 10);
    EXPECT_EQ(control<DataGrid>(f, "grdRestock")->rowCount(), 0);

    // Save and Delete act on the tab shown.
    type(stock, "txtItemName", "");
    click(f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgRentalDescription);
    itemTab(f, StuffType::Daily, bike.id);
    env.prompt.answer(Answer::Yes);
    click(f, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgRentalOutNoDelete);
    EXPECT_TRUE(GetStuffItem(ctx(), bike.id));
}

TEST_F(RentalScreen, TheOthersIconOpensOneScreen) {
    startDesk(member);
    InstallRentals(ctx(), *window);
    clickIcon("imgRentals");
    clickIcon("imgRentals");
    EXPECT_EQ(window->findChildren<frmRental1*>().size(), 1);
    setRight(member, Rights::OthersRentals, false);
    qDeleteAll(window->findChildren<frmRental1*>());
    clickIcon("imgRentals");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Work with Rental and Inventory Items.");
    EXPECT_TRUE(window->findChildren<frmRental1*>().isEmpty());
}

} // namespace
