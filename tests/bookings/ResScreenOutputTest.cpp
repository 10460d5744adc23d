// Searches on the desk, their export read back as CSV and their print read
// back from the PDF; a sign-up sheet printed for a free category.

#include "bookings/ResScreenFixture.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;

namespace {

class ResScreenOutput : public ResScreenFixture {
protected:
    void SetUp() override {
        ResScreenFixture::SetUp();
        ResCategory c;
        c.category = "Dinner Show";
        c.kind = ResListKind::Items;
        c.columnHeader = "Table";
        c.price = 12.5;
        show = saved(c, {"Table 1", "Table 2"});
        book("Lena Ortiz", "Table 1", env.clock.today());
        book("Lena Ortiz", "Table 2", env.clock.today().addDays(2));
        book("Karl Ortiz-Bell", "Table 2", env.clock.today().addDays(20));
        book("Pia Stone", "Table 1", env.clock.today().addDays(1));
    }
    void book(const QString& name, const QString& item, const QDate& day) {
        ResBooking b;
        b.date = Formats::ShortDate(day);
        b.name = name;
        b.item = item;
        b.priceOrParty = "12.50";
        ASSERT_EQ(BookReservation(ctx(), show, b).status, ResBookStatus::Booked);
    }
    // The preview's document saved as PDF: its pages' text.
    QStringList printed(frmReservation& desk, const QString& file) {
        auto* preview = desk.findChild<frmPrintPreview*>();
        EXPECT_TRUE(preview);
        if (!preview) return {};
        const QString pdf = env.root() + "/" + file;
        env.desktop.choose(pdf);
        click(*preview, "cmdPdf");
        preview->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return PdfPages(pdf);
    }
    ResCategory show;
};

} // namespace

TEST_F(ResScreenOutput, ASearchByNameIsCaptionedExportedAndChecked) {
    frmReservation desk(ctx());
    click(desk, "cmdExport");
    EXPECT_EQ(env.prompt.last(),
              "Please select some information first.  Then create the Export file.");
    click(desk, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "Please enter the Name for this Search.");
    type(desk, "txtSearchName", "ortiz");
    type(desk, "txtSearchFrom", Formats::ShortDate(env.clock.today().addDays(5)));
    type(desk, "txtSearchThrough", Formats::ShortDate(env.clock.today()));
    click(desk, "cmdSearch");
    EXPECT_EQ(env.prompt.last(), "Through date must be greater than starting date.");

    type(desk, "txtSearchFrom", Formats::ShortDate(env.clock.today()));
    type(desk, "txtSearchThrough", Formats::ShortDate(env.clock.today().addDays(5)));
    click(desk, "cmdSearch");
    auto* grid = control<DataGrid>(desk, "grdSearch");
    ASSERT_EQ(grid->rowCount(), 2); // the booking on day 20 is outside the dates
    EXPECT_EQ(text(desk, "lblSearchCaption"),
              "Where Reservation Date is between " + Formats::ShortDate(env.clock.today()) +
                  " and " + Formats::ShortDate(env.clock.today().addDays(5)) +
                  " And Reservation Name contains: ortiz");

    env.prompt.clear();
    click(desk, "cmdExport");
    const QString path = env.ctx->workstation.outputFolder() + "VmReservations.csv";
    EXPECT_EQ(env.prompt.texts(),
              QStringList{"The file: " + QDir::toNativeSeparators(path) + " has been created."});
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QStringList{"Reservation Date", "Reserved For", "Category", "List Item",
                                    "Time/Slot", "Price"}));
    EXPECT_EQ(rows[1][1], "Lena Ortiz");
    EXPECT_EQ(rows[1][2], "Dinner Show");
    EXPECT_EQ(rows[1][5], "12.50");
    EXPECT_EQ(rows[1][0], Formats::ShortDate(env.clock.today()));
    QStringList items{rows[1][4], rows[2][4]}; // an item list keeps the item as the slot
    items.sort();
    EXPECT_EQ(items, (QStringList{"Table 1", "Table 2"}));

    click(desk, "cmdPrint");
    const QStringList byName = printed(desk, "ByName.pdf");
    ASSERT_EQ(byName.size(), 1);
    EXPECT_TRUE(InOrder(byName[0], {"Reservations for: ortiz", "Lena Ortiz", "Lena Ortiz",
                                    "TOTAL:", "25.00"}))
        << byName[0].toStdString();
    EXPECT_FALSE(byName[0].contains("Karl Ortiz-Bell")); // outside the dates
}

TEST_F(ResScreenOutput, TheUnavailabilityCountsPrintPerDay) {
    IncrementUnavailability(ctx(), show.id, env.clock.today().addDays(1));
    IncrementUnavailability(ctx(), show.id, env.clock.today().addDays(1));
    IncrementUnavailability(ctx(), show.id, env.clock.today().addDays(3));
    frmReservation desk(ctx());
    control<QRadioButton>(desk, "optUnavailability")->setChecked(true);
    choose(desk, "cboSearchCategory", "Dinner Show");
    click(desk, "cmdSearch");
    ASSERT_EQ(control<DataGrid>(desk, "grdSearch")->rowCount(), 2);
    click(desk, "cmdPrint");
    const QStringList pages = printed(desk, "Unavailability.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Unavailability - Dinner Show", "Requests",
                                   Formats::ShortDate(env.clock.today().addDays(1)), "2",
                                   Formats::ShortDate(env.clock.today().addDays(3)), "1"}))
        << pages[0].toStdString();
}

TEST_F(ResScreenOutput, TheCategoryListPrintsItsTotalAndTheWaitListItsGuests) {
    frmReservation desk(ctx());
    control<QRadioButton>(desk, "optByCategory")->setChecked(true);
    choose(desk, "cboSearchCategory", "Dinner Show");
    click(desk, "cmdSearch");
    EXPECT_EQ(control<DataGrid>(desk, "grdSearch")->rowCount(), 4);
    EXPECT_TRUE(text(desk, "lblSearchCaption").endsWith(" And Category is Dinner Show"))
        << text(desk, "lblSearchCaption").toStdString();
    click(desk, "cmdPrint");
    const QStringList pages = printed(desk, "Reservations.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Reservations - Dinner Show", "Reserved For",
                                   Formats::ShortDate(env.clock.today().addDays(20)),
                                   "Karl Ortiz-Bell", "Pia Stone", "TOTAL:", "50.00"}))
        << pages[0].toStdString();

    // The same bookings with a page for each table.
    control<QCheckBox>(desk, "chkPageBreak")->setChecked(true);
    click(desk, "cmdPrint");
    const QStringList perItem = printed(desk, "ReservationsPB.pdf");
    ASSERT_EQ(perItem.size(), 2);
    EXPECT_TRUE(InOrder(perItem[0], {"TOTAL:", "25.00"})) << perItem[0].toStdString();

    WaitListEntry e;
    e.resTypeId = show.id;
    e.requestedDate = Formats::StoredDate(env.clock.today());
    e.requestedBy = "Otto Lind";
    e.howToContact = "Room 221";
    ASSERT_EQ(InsertWaitList(ctx(), e), "");
    control<QRadioButton>(desk, "optWaitList")->setChecked(true);
    click(desk, "cmdSearch");
    ASSERT_EQ(control<DataGrid>(desk, "grdSearch")->rowCount(), 1);
    click(desk, "cmdPrint");
    const QStringList waitList = printed(desk, "WaitList.pdf");
    ASSERT_EQ(waitList.size(), 1);
    EXPECT_TRUE(InOrder(waitList[0], {"Wait List - Dinner Show", "How to Contact", "Otto Lind",
                                      "Room 221"}));
}

TEST_F(ResScreenOutput, ASignUpSheetIsSavedAndPrintedComplimentaryForAFreeCategory) {
    ResCategory free;
    free.category = "Yoga";
    free.kind = ResListKind::Items;
    free.columnHeader = "Mat";
    free = saved(free, {"Mat A"});
    frmReservation desk(ctx());
    click(desk, "cmdPrintSignUp");
    EXPECT_EQ(env.prompt.last(), "Please select a SignUp Sheet first.  Thank you.");
    type(desk, "txtSignUpName", "Morning Yoga");
    click(desk, "cmdSaveSignUp");
    EXPECT_EQ(env.prompt.last(), "You must define some text for this SignUp Sheet.  Thank you.");
    control<QPlainTextEdit>(desk, "txtSignUpText")->setPlainText("Bring water.\nMats provided.");
    const int before = env.prompt.shown.size();
    click(desk, "cmdSaveSignUp");
    EXPECT_EQ(env.prompt.shown.size(), before);
    auto* list = control<QListWidget>(desk, "lstSignUp");
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    choose(desk, "cboSignUpCategory", "Yoga");
    click(desk, "cmdPrintSignUp");
    const QStringList pages = printed(desk, "SignUp.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Morning Yoga", "Yoga", "Complimentary", "Bring water.",
                                   "Mats provided.", "Mat", "Name", "Mat A"}))
        << pages[0].toStdString();
    EXPECT_EQ(SignUpPrice(12.5), "12.50");
}
